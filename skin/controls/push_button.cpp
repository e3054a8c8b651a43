#include "skin/controls/push_button.h"

#include "framework/forms/application.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_frames.h"
#include "skin/engine/skin_manager.h"
#include "framework/stdctrls/text_painter.h"

namespace skin {

fw::TRect PushButtonCaptionRect(int width, int height, fw::TSize text, bool down) {
  fw::TRect r((width - text.cx) / 2 - 1, (height - text.cy) / 2, width - (width - text.cx) / 2 + 2,
              height - (height - text.cy) / 2);
  if (down) r = fw::TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  return r;
}

fw::TSize MeasureCaption(fw::TCanvas* canvas, const std::string& caption, int width) {
  if (caption.empty()) return fw::TSize{0, 0};
  canvas->TextExtent(caption);  // the canvas selects its font only for its own text calls
  RECT r{0, 0, width, 0};
  fw::DrawTextUtf8(canvas->GetHandle(), caption, r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  return fw::TSize{r.right - r.left, r.bottom - r.top};
}

void PaintButtonBorder(TkCommonData* d, int state, HRGN region, bool fillCentre) {
  TkSkinManager* manager = d->GetSkinManager();
  if (!manager || !manager->IsValidImgIndex(d->BorderIndex)) return;
  PaintMaskFrameRgn(d->CacheBmp.get(), region, fillCentre, manager->GetMasks()[d->BorderIndex], state);
}

void DrawButtonFocus(fw::TWinControl* control, TkCommonData* d, fw::TRect r, int margin) {
  const TkGeneralData* section = d->Section();
  if (!control->GetEnabled() || !control->Focused() || control->GetCaption().empty() || !section ||
      !section->ShowFocus)
    return;
  r = fw::TRect(r.Left - margin, r.Top - margin, r.Right + margin, r.Bottom + margin);
  DrawFocusDots(d->CacheBmp->GetCanvas(), r);
}

bool IsSkinnedPushButton(const fw::TControl* control) {
  return dynamic_cast<const TkPushButton<fw::TButton>*>(control) ||
         dynamic_cast<const TkPushButton<fw::TBitBtn>*>(control);
}

void TkHintSaver::Save() {
  if (FSaved || !fw::Application) return;
  FValue = fw::Application->GetShowHint();
  fw::Application->SetShowHint(false);
  FSaved = true;
}

void TkHintSaver::Restore() {
  if (!FSaved) return;
  FSaved = false;
  if (fw::Application) fw::Application->SetShowHint(FValue);
}

}  // namespace skin
