// The skin command message: one private window message whose WParam carries a command number
// (high word) and an argument (low word), and the walks that send it to every form and control.
#pragma once
#include "framework/graphics/colors.h"
#include "framework/graphics/geometry.h"
#include "framework/msg/messages.h"
#include "framework/stdctrls/text_painter.h"
#include "framework/win.h"
#include "skin/engine/skin_utils.h"

namespace fw {
class TComponent;
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

// The answers of commands 5 and 21: the receiver of 5 fills ParentBgAnswer with its cache; the
// sender of 21 presets QueriedColor to $FF00FF (no answer) and the receiver overwrites it. Each
// is read by the sender right after its send.
extern TkBgRef ParentBgAnswer;
extern fw::TColor QueriedColor;

// SendMessage(handle, SM_SKINCMD, command in the high word, 0).
LRESULT SendCmdToHandle(HWND handle, int command);
// A windowed control by SendMessage (nothing, 0, while it is being destroyed or has no window),
// a graphic one by Perform.
LRESULT SendCmdToControl(fw::TControl* control, int command);
// Command 6 by Perform to each windowed child not being destroyed; an exception ends the walk.
void SendCmdToChildWindows(fw::TWinControl* container);
// Command 9 (low word 0) to the control and, depth first, to every control under it.
void SendCmd9ToTree(fw::TControl* control);
// The control's colour as it answers command 21 (its Color when it does not answer), through
// ColorToRGB, left in QueriedColor.
void GetControlColor(fw::TWinControl* control);
// Lays the container's graphic children, each over its piece of the container's cache, on DC.
void PaintGraphicChildren(HDC dc, fw::TWinControl* container);
// False for null, a control loading, being destroyed, created or read, or without a parent.
bool ControlIsReady(const fw::TControl* control);
// The control can be seen now: its window (a graphic control: its parent's) exists and is
// visible with every parent. A form whose painting is held counts as hidden; it is painted in
// full when let go, as a hidden window is when it shows.
bool ControlShown(const fw::TControl* control);
// The first form up the Owner chain, or null.
fw::TCustomForm* GetOwnerForm(fw::TComponent* component);
// DT_LEFT, DT_RIGHT or DT_CENTER for the alignment, with DT_EXPANDTABS and DT_VCENTER.
unsigned TextFlagsForAlignment(const fw::TControl* control, fw::TAlignment alignment);
// Kind 0: WS_HSCROLL, 1: WS_VSCROLL, 3: both; any other kind false.
bool WindowHasScrollBar(HWND handle, int kind);
bool GetWorkArea(fw::TRect& r);
void ShowWindowNoActivate(fw::TWinControl* control);

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
