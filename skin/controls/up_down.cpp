#include "skin/controls/up_down.h"

#include "framework/graphics/canvas.h"
#include "skin/controls/page_control.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

// The common scroll-button slot (top, bottom, left, right) of each kind.
constexpr int kCommonSlot[] = {0, 2, 1, 3};
const char* const kKindSection[] = {"SCROLLBTNTOP", "SCROLLBTNLEFT", "SCROLLBTNBOTTOM", "SCROLLBTNRIGHT"};

bool Designing(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csDesigning); }

bool Horizontal(const TkUpDown* upDown) { return upDown->GetOrientation() == fw::udHorizontal; }

}  // namespace

void PaintUpDownArrowButton(TkUpDown* upDown, fw::TBitmap* bmp, TkArrowKind kind) {
  fw::TWinControl* parent = upDown->GetParent();
  auto* pageControl = dynamic_cast<TkPageControl*>(parent);
  TkSkinManager* manager = pageControl ? pageControl->GetSkinData()->GetSkinManager() : DefaultManager();
  if (!manager) return;
  TkBgRef bg;
  if (!pageControl && parent) {
    ParentBgAnswer.Ready = false;
    SendCmdToControl(parent, cmdGetParentBg);
    bg = ParentBgAnswer;
  }
  const TkCommonIndexes& common = manager->GetCommonIndexes();
  const int slot = kCommonSlot[kind];
  std::string section = kKindSection[kind];
  int skinIndex = common.ScrollBtns[slot], mask = common.ScrollBtnBorders[slot];
  int texture = common.ScrollBtnTextures[slot], hotTexture = common.ScrollBtnHotTextures[slot];
  if (const int own = manager->GetSkinIndex(upDown->GetButtonSkin()); !upDown->GetButtonSkin().empty() && own >= 0) {
    section = upDown->GetButtonSkin();
    skinIndex = own;
    mask = manager->GetMaskIndex(own, section, "BORDERSMASK");
    texture = manager->GetTextureIndex(own, section, "PATTERN");
    hotTexture = manager->GetTextureIndex(own, section, "HOTPATTERN");
  }
  fw::TPoint offset(0, 0);
  if (kind == akBottom) {
    offset.Y = bmp->GetHeight();
    bmp->SetHeight(upDown->GetHeight() - offset.Y);
  } else if (kind == akRight) {
    offset.X = bmp->GetWidth();
    bmp->SetWidth(upDown->GetWidth() - offset.X);
  }
  const int w = bmp->GetWidth(), h = bmp->GetHeight();
  const int udState = upDown->GetButtonState();
  const bool first = kind == akTop || kind == akLeft;
  int state = 0;
  if (udState == (first ? TkUpDown::usFirstHot : TkUpDown::usSecondHot)) state = 1;
  if (udState == (first ? TkUpDown::usFirstPressed : TkUpDown::usSecondPressed)) state = 2;
  const fw::TRect r(0, 0, w, h);
  const fw::TPoint at(upDown->GetLeft() + offset.X, upDown->GetTop() + offset.Y);
  PaintSectionBackground(skinIndex, section, r, fw::clFuchsia, hotTexture, texture, manager, bmp, at, bg, state);
  if (manager->IsValidImgIndex(mask)) DrawSkinRect(bmp, r, true, bg, manager->GetMasks()[mask], state, false);
  // The arrow: the glyph of the kind's common section, centred.
  const int glyph = common.ScrollBtnGlyphs[slot];
  if (manager->IsValidImgIndex(glyph)) {
    const TkMaskData& arrow = manager->GetMasks()[glyph];
    int gw = 0, gh = 0;
    if (arrow.Bmp) {
      gw = arrow.Bmp->GetWidth() / 3;
      gh = arrow.Bmp->GetHeight() / 2;
    } else if (arrow.ImageCount > 0) {
      gw = arrow.R.Width() / arrow.ImageCount;
      gh = arrow.R.Height() / (arrow.MaskType + 1);
    }
    const fw::TPoint p((w - gw) / 2, (h - gh) / 2);
    if (p.X < 0 || p.Y < 0) return;
    DrawMaskGlyphFrame(bmp, p, state, arrow, 1);
  }
  if (upDown->GetEnabled() && !(upDown->GetShowInaccessibility() && upDown->AtLimit(kind))) return;
  if (bg.Ready)
    ApplyDisabledKind(bmp, upDown->GetDisabledKind(), parent, at, bg);
  else if (parent)
    PaintShapeGlyph(bmp, fw::TRect(0, 0, w + 1, h + 1), 60, 0, 0, fw::ColorToRGB(parent->GetColor()));
}

TkUpDown::TkUpDown(fw::TComponent* owner) : fw::TCustomUpDown(owner) { FControlStyle.Exclude(fw::csDoubleClicks); }

void TkUpDown::SetButtonSkin(const std::string& value) {
  if (value == FButtonSkin) return;
  FButtonSkin = value;
  Invalidate();
}

void TkUpDown::SetDisabledKind(TkDisabledKind value) {
  FDisabledKind = value;
  Repaint();
}

void TkUpDown::SetShowInaccessibility(bool value) {
  if (value == FShowInaccessibility) return;
  FShowInaccessibility = value;
  Repaint();
}

void TkUpDown::SetButtonState(int value) {
  if (value == FButtonState) return;
  FButtonState = value;
  Repaint();
}

bool TkUpDown::InFirstHalf(int x, int y) const {
  return Horizontal(this) ? x < GetWidth() / 2 : y < GetHeight() / 2;
}

bool TkUpDown::AtLimit(bool firstHalf) const {
  // Top and right move towards Max, bottom and left towards Min.
  const bool towardsMax = Horizontal(this) ? !firstHalf : firstHalf;
  return GetPosition() == (towardsMax ? GetMax() : GetMin());
}

bool TkUpDown::AtLimit(TkArrowKind kind) const { return AtLimit(kind == akTop || kind == akLeft); }

bool TkUpDown::Skinned() const {
  TkSkinManager* manager = DefaultManager();
  if (!manager || !manager->GetActive() || !manager->GetSkinData() || !manager->GetSkinData()->SkinReady) return false;
  const TkCommonIndexes& common = manager->GetCommonIndexes();
  const int a = Horizontal(this) ? 2 : 0;
  return common.ScrollBtns[a] >= 0 && common.ScrollBtns[a + 1] >= 0;
}

void TkUpDown::Paint(HDC dc) {
  const bool horizontal = Horizontal(this);
  fw::TBitmap half;
  half.SetPixelFormat(fw::pf24bit);
  half.SetSize(horizontal ? GetWidth() / 2 : GetWidth(), horizontal ? GetHeight() : GetHeight() / 2);
  PaintUpDownArrowButton(this, &half, horizontal ? akLeft : akTop);
  BitBlt(dc, 0, 0, half.GetWidth(), half.GetHeight(), half.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  const int x = horizontal ? half.GetWidth() : 0, y = horizontal ? 0 : half.GetHeight();
  PaintUpDownArrowButton(this, &half, horizontal ? akRight : akBottom);
  BitBlt(dc, x, y, half.GetWidth(), half.GetHeight(), half.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TkUpDown::HitTest(int x, int y) {
  const bool first = InFirstHalf(x, y);
  const int hot = first ? usFirstHot : usSecondHot;
  if (FShowInaccessibility && AtLimit(first))
    FButtonState = usNone;
  else if (FButtonState != hot && !FMousePressed)
    FButtonState = hot;
  Repaint();
}

void TkUpDown::Press() {
  FMousePressed = true;
  if (FButtonState == usFirstHot && !AtLimit(true)) FButtonState = usFirstPressed;
  if (FButtonState == usSecondHot && !AtLimit(false)) FButtonState = usSecondPressed;
  Repaint();
}

void TkUpDown::Release() {
  if (!FMousePressed) return;
  FMousePressed = false;
  if (FButtonState == usFirstPressed)
    FButtonState = FShowInaccessibility && AtLimit(true) ? usNone : usFirstHot;
  else
    FButtonState = FShowInaccessibility && AtLimit(false) ? usNone : usSecondHot;
  Repaint();
}

void TkUpDown::WndProc(fw::TMessage& m) {
  if (m.Msg == SM_SKINCMD) {
    const int command = SkinCmdOf(m.WParam);
    if (command == cmdIsSkinned) {
      m.LParam = 1;
      return;
    }
    if ((command == cmdRemoveSkin || command == cmdRefresh) && DefaultManager() &&
        m.LParam == reinterpret_cast<LPARAM>(DefaultManager()))
      Repaint();
    fw::TCustomUpDown::WndProc(m);
    return;
  }
  const bool designing = Designing(this);
  switch (m.Msg) {
    case WM_PAINT: {
      if (!Skinned()) break;
      PAINTSTRUCT ps{};
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(GetHandle(), &ps);
      Paint(dc);
      if (!m.WParam) EndPaint(GetHandle(), &ps);
      return;
    }
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      if (Skinned()) return;
      break;
    case WM_NCHITTEST:
      fw::TCustomUpDown::WndProc(m);
      if (!designing) {
        POINT p{fw::XPos(m), fw::YPos(m)};
        ::ScreenToClient(GetHandle(), &p);
        HitTest(p.x, p.y);
      }
      return;
    case WM_LBUTTONDOWN:
      fw::TCustomUpDown::WndProc(m);
      if (!designing) {
        Press();
        m.Result = 1;
      }
      return;
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
      fw::TCustomUpDown::WndProc(m);
      Press();
      return;
    case WM_LBUTTONUP:
      fw::TCustomUpDown::WndProc(m);
      if (!designing) Release();
      return;
    case fw::CM_MOUSELEAVE:
      fw::TCustomUpDown::WndProc(m);
      if (!designing) {
        FMousePressed = false;
        SetButtonState(usNone);
      }
      return;
    default:
      break;
  }
  fw::TCustomUpDown::WndProc(m);
}

}  // namespace skin
