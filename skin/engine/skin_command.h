// The skin command message: one private window message whose WParam carries a command number
// (high word) and an argument (low word), and the walks that send it to every form and control.
#pragma once
#include "framework/msg/messages.h"
#include "framework/win.h"

namespace fw {
class TControl;
class TCustomForm;
class TWinControl;
}  // namespace fw

namespace skin {

// The message number, fixed at $A100 by the engine's start-up.
extern UINT SM_SKINCMD;

enum TkSkinCommand : int {
  cmdNewSkin = 1,
  cmdRemoveSkin = 2,
  cmdRefresh = 3,
  cmdGetProvider = 4,
  cmdGetParentBg = 5,
  cmdParentPainted = 6,
  cmdIsSkinned = 7,
  cmdSetUpdating = 8,
  cmdSetCmd9Flag = 9,
  cmdIsUpdating = 10,
  cmdIsPartlyHidden = 11,
  cmdGraphicRepaints = 15,
  cmdStopAnimation = 16,
  cmdIsTextured = 19,
  cmdBackgroundChanged = 20,
  cmdGetColor = 21,
  cmdPartlyHidden = 22,
  cmdRebuildCache = 23,
  cmdDrawFadeFrame = 24,
};

inline WPARAM SkinCmdWParam(int command, int argument = 0) {
  return static_cast<WPARAM>(MAKELONG(argument, command));
}
inline int SkinCmdOf(WPARAM wParam) { return HIWORD(wParam); }

// Hands the command straight to the control's WindowProc; true when it answered LParam 1.
bool ControlAnswersCmd(fw::TControl* control, int command);
// Graphic children get the message by Perform, skinned windowed children through their
// WindowProc (they pass it on themselves), unskinned ones are walked into. An exception or a
// child being destroyed ends the walk.
void BroadcastToChildControls(fw::TWinControl* container, fw::TMessage& message);
// To the first form skinner of the form (which acts on it only while a form is designed).
void SendToFormProvider(fw::TCustomForm* form, fw::TMessage& message);
// To every form of the application and its controls, last form first, MDI children last.
void BroadcastToAppForms(fw::TMessage& message);

}  // namespace skin
