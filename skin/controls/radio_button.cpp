#include "skin/controls/radio_button.h"

namespace skin {

TkRadioButton::TkRadioButton(fw::TComponent* owner) : TkCheckButton<fw::TRadioButton>(owner, 33) {}

void TkRadioButton::OwnSkinCommand(int command) {
  if (command != cmdRemoveSkin || !HandleAllocated()) return;
  fw::TMessage check{BM_SETCHECK, static_cast<WPARAM>(GetChecked() ? BST_CHECKED : BST_UNCHECKED), 0, 0};
  fw::TRadioButton::WndProc(check);
}

bool TkRadioButton::SkinnedMessage(fw::TMessage& m) {
  if (m.Msg != BM_SETCHECK) return TkCheckButton<fw::TRadioButton>::SkinnedMessage(m);
  if (Fading()) {
    StopFading(FadeTimer());
    GetSkinData()->BGChanged = true;
    Repaint();
  }
  if (m.WParam <= 1) SetChecked(m.WParam == 1);
  StateChangedLook();
  return true;
}

bool TkRadioButton::UnskinnedMessage(fw::TMessage& m) {
  return (m.Msg == BM_SETCHECK || m.Msg == BM_SETSTATE) && GetReadOnly();
}

}  // namespace skin
