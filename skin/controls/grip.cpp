#include "skin/controls/grip.h"

namespace skin {

TkGrip::TkGrip(fw::TComponent* owner) : TkPanel(owner) {
  FText = " ";
  GetSkinData()->SetSkinSection("CHECKBOX");
  FWidth = FHeight = 20;
}

void TkGrip::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  Invalidate();
}

void TkGrip::SetLinkedControl(fw::TControl* control) {
  if (FLinkedControl == control) return;
  FLinkedControl = control;
  Invalidate();
}

fw::TPoint TkGrip::CornerSource(const TkBgRef& answer, fw::TSize linkedClient, fw::TSize grip) {
  return fw::TPoint(answer.X + linkedClient.cx - grip.cx, answer.Y + linkedClient.cy - grip.cy);
}

void TkGrip::PaintAll(HDC dc) {
  if (!ControlIsReady(this)) return;
  GetSkinData()->BGChanged = false;
  if (!dc) dc = GetCanvas()->GetHandle();
  if (FTransparent && FLinkedControl) {
    ParentBgAnswer.Ready = false;
    SendCmdToControl(FLinkedControl, cmdGetParentBg);
    const TkBgRef answer = ParentBgAnswer;
    ParentBgAnswer.Ready = false;
    if (answer.Ready && answer.Bmp) {
      const fw::TRect client = FLinkedControl->GetClientRect();
      const fw::TPoint from = CornerSource(answer, fw::TSize{client.Width(), client.Height()},
                                           fw::TSize{GetWidth(), GetHeight()});
      BitBlt(dc, 0, 0, GetWidth(), GetHeight(), answer.Bmp->GetCanvas()->GetHandle(), from.X, from.Y, SRCCOPY);
      return;
    }
  }
  // Unskinned, the framework's panel has painted already.
  if (GetSkinData()->SkinIsActive()) fw::TPanel::PaintWindow(dc);
}

}  // namespace skin
