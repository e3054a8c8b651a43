#include "skin/controls/button.h"

namespace skin {

TkButton::TkButton(fw::TComponent* owner) : TkPushButton(owner, 93) {}

void TkButton::PaintContent() { DrawCaption(); }

fw::TRect TkButton::CaptionRect() {
  const std::string caption = GetCaption();
  fw::TCanvas* canvas = GetSkinData()->CacheBmp->GetCanvas();
  return PushButtonCaptionRect(GetWidth(), GetHeight(),
                               MeasureCaption(canvas, caption, caption.empty() ? 0 : GetWidth() - 2), GetDown());
}

void TkButton::DrawCaptionText(fw::TRect& r, unsigned flags) {
  WriteSkinText(GetSkinData()->CacheBmp->GetCanvas(), GetCaption(), GetEnabled(), HotText() ? 1 : 0, GetSkinData(),
                static_cast<unsigned>(DrawTextBiDiModeFlags(static_cast<int>(flags))), r);
}

void TkButton::DrawCaption() {
  fw::TCanvas* canvas = GetSkinData()->CacheBmp->GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  canvas->GetBrush()->SetStyle(fw::bsClear);
  fw::TRect r = CaptionRect();
  DrawCaptionText(r, DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER);
  DrawButtonFocus(this, GetSkinData(), r, GetFocusMargin());
}

}  // namespace skin
