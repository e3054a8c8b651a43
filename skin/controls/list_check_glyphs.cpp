#include "skin/controls/list_check_glyphs.h"

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "skin/controls/check_button.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_data.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

TkListCheckGlyphs::~TkListCheckGlyphs() { Forget(); }

void TkListCheckGlyphs::Take(HWND list, const TkSkinManager* manager, fw::TColor face) {
  const int unchecked = GlobalMaskIndex(manager, "BOXUNCHECKED"), checked = GlobalMaskIndex(manager, "BOXCHECKED");
  if (!list || unchecked < 0 || checked < 0) return;
  const int size = GetSystemMetrics(SM_CXSMICON);
  HIMAGELIST glyphs = ImageList_Create(size, size, ILC_COLOR24, 2, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  for (int index : {unchecked, checked}) {
    auto square = CreateBitmap24(size, size);
    square->GetCanvas()->GetBrush()->SetColor(face);
    square->GetCanvas()->FillRect(fw::TRect(0, 0, size, size));
    const TkMaskData& mask = manager->GetMasks()[index];
    const fw::TSize glyph = MaskFrameSize(mask);
    DrawMaskGlyphFrame(square.get(), fw::TPoint((size - glyph.cx) / 2, (size - glyph.cy) / 2), 0, mask, 1);
    // The image list takes a bitmap no other device context holds.
    HBITMAP copy = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, size, size, square->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    SelectObject(dc, old);
    ImageList_Add(glyphs, copy, nullptr);
    DeleteObject(copy);
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  auto previous = reinterpret_cast<HIMAGELIST>(
      SendMessageA(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(glyphs)));
  if (!FTaken) FSystem = previous;
  if (FGlyphs) ImageList_Destroy(FGlyphs);
  FGlyphs = glyphs;
  FTaken = true;
  InvalidateRect(list, nullptr, FALSE);
}

void TkListCheckGlyphs::GiveBack(HWND list) {
  if (!FTaken) return;
  if (list) SendMessageA(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(FSystem));
  Forget();
  if (list) InvalidateRect(list, nullptr, FALSE);
}

void TkListCheckGlyphs::Forget() {
  if (FGlyphs) ImageList_Destroy(FGlyphs);
  FGlyphs = FSystem = nullptr;
  FTaken = false;
}

}  // namespace skin
