#include "framework/comctrls/animate.h"

#include "framework/comctrls/common_controls.h"

namespace fw {

namespace {
// The AVI resource ids of the shell's common clips.
WORD ClipId(TCommonAVI avi) {
  switch (avi) {
    case aviFindFolder: return 150;
    case aviFindFile: return 151;
    case aviFindComputer: return 152;
    case aviCopyFiles: return 160;
    case aviCopyFile: return 161;
    case aviRecycleFile: return 162;
    case aviEmptyRecycle: return 163;
    case aviDeleteFile: return 164;
    default: return 0;
  }
}
}  // namespace

TAnimate::TAnimate(TComponent* owner) : TWinControl(owner) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks};
  FWidth = 100;
  FHeight = 80;
}

void TAnimate::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_ANIMATE_CLASS);
  TWinControl::CreateParams(params);
  CreateSubClass(params, ANIMATE_CLASSA);
  if (FCenter) params.Style |= ACS_CENTER;
  if (FTransparent) params.Style |= ACS_TRANSPARENT;
}

void TAnimate::CreateWnd() {
  TWinControl::CreateWnd();
  OpenClip();
  if (FActive) Play(0, FStopFrame > 0 ? FStopFrame : -1, -1);
}

void TAnimate::ColorChanged() {
  TWinControl::ColorChanged();
  if (FTransparent && FOpen && HandleAllocated()) RecreateWnd();
}

void TAnimate::OpenClip() {
  FOpen = false;
  if (!HandleAllocated()) return;
  WORD id = ClipId(FCommonAVI);
  if (id == 0) {
    Perform(ACM_OPENA, 0, 0);
    return;
  }
  HMODULE shell = GetModuleHandleA("shell32.dll");
  if (!shell) shell = LoadLibraryA("shell32.dll");
  FOpen = Perform(ACM_OPENA, reinterpret_cast<WPARAM>(shell), reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(id))) != 0;
}

void TAnimate::SetCommonAVI(TCommonAVI v) {
  if (v == FCommonAVI) return;
  FCommonAVI = v;
  OpenClip();
  if (FActive) Play(0, FStopFrame > 0 ? FStopFrame : -1, -1);
}

void TAnimate::SetActive(bool v) {
  FActive = v;
  if (v) {
    Play(0, FStopFrame > 0 ? FStopFrame : -1, -1);
  } else {
    Stop();
  }
}

void TAnimate::SetCenter(bool v) {
  if (v == FCenter) return;
  FCenter = v;
  RecreateWnd();
}

void TAnimate::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  RecreateWnd();
}

void TAnimate::Play(int fromFrame, int toFrame, int count) {
  if (!HandleAllocated() || !FOpen) return;
  Perform(ACM_PLAY, static_cast<WPARAM>(count), MAKELONG(static_cast<WORD>(fromFrame), static_cast<WORD>(toFrame)));
}

void TAnimate::Stop() {
  if (HandleAllocated() && FOpen) Perform(ACM_STOP, 0, 0);
}

}  // namespace fw
