#include "skin/controls/label.h"

#include <optional>

#include "framework/controls/win_control.h"
#include "framework/sys/owned_handle.h"
#include "framework/stdctrls/text_painter.h"
#include "skin/controls/bound_label.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

// Set while a label chooses its font, so that the font's change notice is not taken as a new
// font.
bool ChoosingFont = false;

}  // namespace

bool DefaultSkinActive() {
  const TkSkinManager* m = DefaultManager();
  return m && m->GetSkinData() && m->GetSkinData()->SkinReady;
}

TkCustomLabel::TkCustomLabel(fw::TComponent* owner) : fw::TCustomLabel(owner) { FControlStyle.Exclude(fw::csOpaque); }

fw::TFont* TkCustomLabel::GetCurrentFont() {
  if (DefaultSkinActive()) {
    const fw::TColor colour = DefaultManager()->GetGlobalFontColor();
    if (colour != fw::clFuchsia) GetFont()->SetColor(colour);
  }
  return GetFont();
}

void TkCustomLabel::Paint() {
  if (!ChoosingFont) {
    ChoosingFont = true;
    struct TReset {
      ~TReset() { ChoosingFont = false; }
    } reset;
    fw::TFont* font = GetCurrentFont();
    if (font != GetFont()) GetFont()->Assign(font);
  }
  fw::TCustomLabel::Paint();
}

void TkCustomLabel::FontChanged() {
  if (!ChoosingFont) fw::TCustomLabel::FontChanged();
}

bool TkCustomLabel::DefaultSkinRemoved(const fw::TMessage& m) {
  return m.Msg == SM_SKINCMD && SkinCmdOf(m.WParam) == cmdRemoveSkin && DefaultManager() &&
         m.LParam == reinterpret_cast<LPARAM>(DefaultManager());
}

void TkCustomLabel::WndProc(fw::TMessage& m) {
  if (m.Msg == fw::CM_FONTCHANGED) {
    if (ChoosingFont) return;
    AdjustBounds();
    Invalidate();
    return;
  }
  if (m.Msg == fw::CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
  fw::TCustomLabel::WndProc(m);
  if (m.Msg == fw::CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
  if (DefaultSkinRemoved(m)) GetFont()->SetColor(fw::clWindowText);
}

std::string TkCustomLabel::TextToDraw(UINT& flags) const {
  std::string text = GetLabelText();
  if ((flags & DT_CALCRECT) && (text.empty() || (GetShowAccelChar() && text == "&"))) text = " ";
  if (!GetShowAccelChar()) flags |= DT_NOPREFIX;
  flags = static_cast<UINT>(DrawTextBiDiModeFlags(static_cast<int>(flags)));
  return text;
}

void TkCustomLabel::DoDrawText(fw::TRect& rect, UINT flags) {
  if (GetEnabled() || !DefaultSkinActive()) {
    fw::TCustomLabel::DoDrawText(rect, flags);
    return;
  }
  const std::string text = TextToDraw(flags);
  std::optional<fw::TWindowDC> screen;
  HDC dc = FDrawDC ? FDrawDC : screen.emplace().Get();
  fw::TTextPainter painter(dc, GetFont());
  if (GetParent()) {
    GetControlColor(GetParent());
    SetTextColor(dc, static_cast<COLORREF>(MixColorsByFactor(fw::ColorToRGB(GetFont()->GetColor()), QueriedColor, 0.4)));
    QueriedColor = fw::clFuchsia;
  }
  painter.Draw(text, rect, flags);
}

fw::TFont* TkLabel::GetCurrentFont() { return FUseSkinColor ? TkCustomLabel::GetCurrentFont() : GetFont(); }

void TkLabel::WndProc(fw::TMessage& m) {
  if (m.Msg == SM_SKINCMD && SkinCmdOf(m.WParam) == cmdRemoveSkin) {
    if (DefaultSkinRemoved(m) && FUseSkinColor) GetFont()->SetColor(fw::clWindowText);
    return;
  }
  TkCustomLabel::WndProc(m);
}

TkEditLabel::~TkEditLabel() {
  if (FBoundLabel) FBoundLabel->ForgetLabel(this);
}

}  // namespace skin
