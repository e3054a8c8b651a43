#include "skin/controls/combo_box.h"

#include "framework/graphics/canvas.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr int kComboCtrlType = 3;
constexpr int kComboDropDownCount = 16;
// The frame the window copies from the cache around the edit area.
constexpr int kComboFrame = 3;

void CopyFromCache(HDC dc, HDC cache, const fw::TRect& r) {
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), cache, r.Left, r.Top, SRCCOPY);
}

bool IsKeyMessage(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case fw::CN_KEYDOWN:
    case fw::CN_SYSKEYDOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

fw::TRect ComboButtonRect(int width, int height, bool simple, bool rightToLeft) {
  const int w = simple ? 0 : GetSystemMetrics(SM_CXVSCROLL);
  const int left = rightToLeft ? 2 : width - w - 2;
  return fw::TRect(left, 2, left + w, height - 2);
}

TkCustomComboBox::TkCustomComboBox(fw::TComponent* owner)
    : TkSkinned(owner, kComboCtrlType, true), FBoundLabel(std::make_unique<TkBoundLabel>(GetSkinData())) {
  if (GetSkinData()->GetSkinSection().empty()) GetSkinData()->SetSkinSection("COMBOBOX");
  // The look changes at once when the mouse comes or goes; a combo box does not fade.
  SetAnimatEvents(TkAnimatEvents());
  SetDropDownCount(kComboDropDownCount);
}

TkCustomComboBox::~TkCustomComboBox() = default;

fw::TRect TkCustomComboBox::ButtonRect() const {
  return ComboButtonRect(GetWidth(), GetHeight(), GetStyle() == fw::csSimple, UseRightToLeftAlignment());
}

void TkCustomComboBox::Loaded() {
  TkSkinned::Loaded();
  if (GetSkinData()->SkinIsActive()) GetSkinData()->ApplyEditColours();
}

void TkCustomComboBox::CreateWnd() {
  TkSkinned::CreateWnd();
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(GetHandle(), &info)) return;
  auto hook = [this](fw::TMessage& m, const fw::TCallPrevious& previous) { SubWindowMessage(m, previous); };
  if (info.hwndItem && info.hwndItem != GetHandle()) FEditHook = fw::SubclassWindow(info.hwndItem, hook);
  if (info.hwndList) FListHook = fw::SubclassWindow(info.hwndList, hook);
}

void TkCustomComboBox::DestroyWnd() {
  fw::RemoveSubclass(FEditHook);
  fw::RemoveSubclass(FListHook);
  FEditHook = FListHook = 0;
  TkSkinned::DestroyWnd();
}

void TkCustomComboBox::DropDown() {
  FDropped = true;
  // The button is drawn pressed from the next paint on.
  GetSkinData()->BGChanged = true;
  TkSkinned::DropDown();
}

bool TkCustomComboBox::Focused() const {
  if (!HandleAllocated()) return false;
  const HWND focus = GetFocus();
  if (focus && (focus == GetHandleNoCreate() || IsChild(GetHandleNoCreate(), focus))) return true;
  return GetSkinData()->FocusSet;
}

void TkCustomComboBox::Invalidate() {
  if (Focused()) GetSkinData()->FocusSet = true;
  TkSkinned::Invalidate();
}

void TkCustomComboBox::DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
  fw::TCanvas* canvas = GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  if (state.Contains(fw::odSelected)) {
    canvas->GetFont()->SetColor(fw::clHighlightText);
    canvas->GetBrush()->SetColor(fw::clHighlight);
  } else {
    canvas->GetFont()->SetColor(GetEnabled() ? GetFont()->GetColor() : fw::clBtnShadow);
    canvas->GetBrush()->SetColor(GetColor());
  }
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  canvas->GetBrush()->SetStyle(fw::bsSolid);
  canvas->FillRect(rect);
  const std::string text = GetText();
  if (text.empty()) return;
  const int d = GetStyle() == fw::csDropDown ? 0 : 1;
  canvas->GetBrush()->SetStyle(fw::bsClear);
  canvas->TextRect(rect, rect.Left + d, rect.Top + d, text);
}

void TkCustomComboBox::PaintContent() {
  if (GetStyle() != fw::csSimple) PaintButton();
}

void PaintComboButton(TkCommonData* d, const fw::TRect& r, int state, int height) {
  TkSkinManager* manager = d->GetSkinManager();
  fw::TBitmap* cache = d->CacheBmp.get();
  if (!manager || !cache) return;
  const int button = manager->GetSkinIndex("COMBOBTN");
  if (manager->IsValidSkinIndex(button)) {
    TkBgRef bg;
    MakeBgRef(bg, cache, 0, 0);
    PaintBordersMask(button, "COMBOBTN", bg, manager->GetTextureIndex(button, "COMBOBTN", "HOTPATTERN"),
                     manager->GetTextureIndex(button, "COMBOBTN", "PATTERN"), manager, cache, fw::Point(0, 0), r,
                     state, true);
  }
  const int glyph = manager->GetMaskIndexBySection("COMBOBOX", "GLYPHMASK");
  if (!manager->IsValidImgIndex(glyph)) return;
  const TkMaskData& mask = manager->GetMasks()[glyph];
  // A mask of no frames is no arrow.
  if (mask.ImageCount < 1) return;
  const int w = mask.R.Width() / mask.ImageCount, h = mask.R.Height() / (mask.MaskType + 1);
  DrawMaskGlyphFrame(cache, fw::Point(r.Left + (r.Width() - w) / 2, (height - h) / 2), state, mask, 1);
}

void TkCustomComboBox::PaintButton() {
  TkCommonData* d = GetSkinData();
  PaintComboButton(d, ButtonRect(), FDropped ? 2 : (d->CanPaint() ? 1 : 0), GetHeight());
}

void TkCustomComboBox::PaintComboBox(HDC dc) {
  if (!HandleAllocated()) return;
  TkCommonData* d = GetSkinData();
  const HWND wnd = GetHandle();
  HDC target = dc ? dc : GetDC(wnd);
  const int saved = SaveDC(target);
  d->SetUpdating(d->GetUpdating());
  if (!d->Updating) {
    fw::TWinControl* parent = GetParent();
    if (d->HalfVisible || (parent && ControlAnswersCmd(parent, cmdIsPartlyHidden))) d->BGChanged = true;
    if (d->BGChanged || !d->CacheBmp || d->CacheBmp->GetWidth() != GetWidth()) PaintCache();
    PaintSkinBordersAll(d, StateIndex());
    HDC cache = d->CacheBmp->GetCanvas()->GetHandle();
    const int w = GetWidth(), h = GetHeight();
    const fw::TRect button = ButtonRect();
    if (GetEnabled()) {
      CopyFromCache(target, cache, fw::TRect(0, 0, w, kComboFrame));
      CopyFromCache(target, cache, fw::TRect(0, kComboFrame, kComboFrame, h));
      CopyFromCache(target, cache, fw::TRect(kComboFrame, h - kComboFrame, w, h));
      CopyFromCache(target, cache, fw::TRect(button.Left, 0, button.Right + kComboFrame, h));
    } else {
      CopyFromCache(target, cache, fw::TRect(0, 0, w, h));
    }
    const bool focused = Focused() || d->FocusSet;
    const fw::TComboBoxStyle style = GetStyle();
    const bool ownerDraw = style == fw::csOwnerDrawFixed || style == fw::csOwnerDrawVariable;
    const bool listHides = FDropped && !(ownerDraw && GetItemIndex() >= 0);
    if (!(focused && style != fw::csDropDownList) && !listHides) {
      fw::TCanvasLoan loan(static_cast<fw::TControlCanvas*>(GetCanvas()), target);
      ExcludeClipRect(target, button.Left, kComboFrame, w - kComboFrame, h - kComboFrame);
      const fw::TRect edit(kComboFrame, kComboFrame, button.Left, h - kComboFrame);
      fw::TOwnerDrawState state{fw::odComboBoxEdit};
      if (focused && style >= fw::csDropDownList) state = state + fw::odSelected + fw::odFocused;
      DrawItem(GetItemIndex(), edit, state);
      if (focused) GetCanvas()->DrawFocusRect(edit);
    }
  }
  RestoreDC(target, saved);
  if (!dc) ReleaseDC(wnd, target);
}

void TkCustomComboBox::OwnSkinCommand(int command) {
  TkCommonData* d = GetSkinData();
  if (command == cmdRemoveSkin) {
    if (!d->GetCustomColor()) SetColor(fw::clWindow);
    if (!d->GetCustomFont()) GetFont()->SetColor(fw::clWindowText);
    RecreateWnd();
  } else if (command == cmdRefresh && d->SkinIsActive()) {
    d->ApplyEditColours();
  }
}

bool TkCustomComboBox::ReadOnlyDropsOwn(const fw::TMessage& m) const {
  if (IsKeyMessage(m.Msg)) {
    // Every key that moves the selection or opens the list.
    switch (m.WParam) {
      case VK_UP:
      case VK_DOWN:
      case VK_PRIOR:
      case VK_NEXT:
      case VK_HOME:
      case VK_END:
      case VK_F4:
        return true;
      default:
        return false;
    }
  }
  switch (m.Msg) {
    // Over a closed list the wheel moves the selection on Windows.
    case WM_MOUSEWHEEL:
    case WM_COMMAND:
    case fw::CN_COMMAND:
      return true;
    default:
      return false;
  }
}

bool TkCustomComboBox::ReadOnlyDropsSub(const fw::TMessage& m) {
  switch (m.Msg) {
    case fw::CN_KEYDOWN:
    case fw::CN_CHAR:
    case fw::CN_SYSKEYDOWN:
    case fw::CN_SYSCHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYUP:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
      return true;
    default:
      return false;
  }
}

void TkCustomComboBox::SubWindowMessage(fw::TMessage& m, const fw::TCallPrevious& previous) {
  if (FReadOnly && ReadOnlyDropsSub(m)) return;
  previous(m);
}

void TkCustomComboBox::WndProc(fw::TMessage& m) {
  if (FReadOnly) {
    if (ReadOnlyDropsOwn(m)) return;
    // A press only takes the focus; the list stays closed.
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
      if (CanFocus()) SetFocus();
      if (m.Msg == WM_LBUTTONDBLCLK) DblClick();
      return;
    }
  }
  if (m.Msg == SM_SKINCMD) {
    TkCommonData* d = GetSkinData();
    if (SkinCmdOf(m.WParam) == cmdParentPainted) {
      if (d->Updating) {
        d->Updating = false;
        Repaint();
      }
      return;
    }
    TkSkinned::WndProc(m);
    return;
  }
  TkSkinned::WndProc(m);
  FBoundLabel->Follow(m);
}

bool TkCustomComboBox::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  switch (m.Msg) {
    case WM_COMMAND:
      FDropped = false;
      PaintComboBox(nullptr);
      return false;
    case WM_SETFOCUS:
    case fw::CM_ENTER:
      if (!CanFocus()) return false;
      d->FocusSet = true;
      d->MouseAbove = false;
      d->BGChanged = true;
      fw::TCustomComboBox::WndProc(m);
      return true;
    case WM_KILLFOCUS:
    case fw::CM_EXIT:
      if (FDropped || GetDroppedDown()) SetDroppedDown(false);
      d->FocusSet = d->MouseAbove = false;
      d->BGChanged = true;
      fw::TCustomComboBox::WndProc(m);
      // An editable combo's focus is its edit's: nothing repaints the frame and the button
      // around it when the focus leaves.
      if (GetVisible()) PaintComboBox(nullptr);
      return true;
    case WM_PAINT: {
      if (Focused() && GetDroppedDown()) fw::TCustomComboBox::WndProc(m);
      if (m.WParam) {
        PaintComboBox(reinterpret_cast<HDC>(m.WParam));
        return true;
      }
      PAINTSTRUCT ps{};
      BeginPaint(GetHandle(), &ps);
      PaintComboBox(nullptr);
      EndPaint(GetHandle(), &ps);
      return true;
    }
    case WM_NCPAINT:
      PaintComboBox(nullptr);
      return true;
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
      if (!FDropped) {
        d->MouseAbove = m.Msg == fw::CM_MOUSEENTER;
        d->BGChanged = true;
        PaintComboBox(nullptr);
      }
      return false;
    case fw::CN_COMMAND:
      if (HIWORD(m.WParam) == CBN_CLOSEUP) {
        d->BGChanged = true;
        FDropped = false;
        PaintComboBox(nullptr);
      }
      return false;
    case fw::CN_DRAWITEM: {
      // The edit area of an owner-drawn combo comes from the cache while it is idle.
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
      if ((GetEnabled() && Focused()) || !(item->itemState & ODS_COMBOBOXEDIT) || !d->CacheBmp) return false;
      CopyFromCache(item->hDC, d->CacheBmp->GetCanvas()->GetHandle(), item->rcItem);
      m.Result = 1;
      return true;
    }
    case WM_SETFONT:
    case fw::CM_VISIBLECHANGED:
    case fw::CM_ENABLEDCHANGED:
      CommonMessage(m, d);
      fw::TCustomComboBox::WndProc(m);
      d->BGChanged = true;
      // A new font (a new skin's colour comes as one) paints only where it can be seen.
      if (m.Msg == WM_SETFONT ? ControlShown(this) : GetVisible()) PaintComboBox(nullptr);
      return true;
    case CB_SETCURSEL:
      CommonMessage(m, d);
      fw::TCustomComboBox::WndProc(m);
      d->BGChanged = true;
      Repaint();
      return true;
    default:
      return TkSkinned::SkinnedMessage(m);
  }
}

}  // namespace skin
