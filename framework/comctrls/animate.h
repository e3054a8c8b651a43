// TAnimate: the SysAnimate32 control playing one of the shell's common AVI clips (the find
// file animation ...). A clip the system cannot open (Wine has none) leaves the control empty.
#pragma once
#include "framework/controls/win_control.h"

namespace fw {

enum TCommonAVI { aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile,
                  aviRecycleFile, aviEmptyRecycle, aviDeleteFile };

class TAnimate : public TWinControl {
  FW_CLASS(TAnimate, TWinControl)
 public:
  explicit TAnimate(TComponent* owner);

  TCommonAVI GetCommonAVI() const { return FCommonAVI; }
  void SetCommonAVI(TCommonAVI v);
  bool GetActive() const { return FActive; }
  void SetActive(bool v);
  int GetStopFrame() const { return FStopFrame; }
  void SetStopFrame(int v) { FStopFrame = v; }
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool v);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool v);
  // True when the clip was opened by the native control.
  bool GetOpen() const { return FOpen; }

  void Play(int fromFrame, int toFrame, int count);
  void Stop();

 protected:
  ~TAnimate() override = default;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // A transparent clip keeps the brush its parent gave it for its background: with a new colour
  // the control is made anew, so that it asks for the new brush.
  void ColorChanged() override;

 private:
  void OpenClip();

  TCommonAVI FCommonAVI = aviNone;
  bool FActive = false;
  bool FOpen = false;
  int FStopFrame = 0;
  bool FCenter = true;
  bool FTransparent = true;
};

}  // namespace fw
