// Fading between two looks of a control: TkFadeTimer cross-fades a windowed control by drawing
// blended frames of its old image and its new cache straight onto its window; TkAnimTimer
// prepares the blended frames a graphic control paints itself through its parent. A section
// fades when it has FadingEnabled; the control chooses its triggers (AnimatEvents). Nothing
// fades while a skin loads (SkinLoading) or while FadingForbidden is set.
#pragma once
#include <memory>

#include "framework/core/sets.h"
#include "framework/graphics/bitmap.h"
#include "framework/sys/timer.h"

namespace fw {
class TControl;
}

namespace skin {

class TkCommonData;

enum TkAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TkAnimatEvents = fw::TSet<TkAnimatEvent>;

// The events of controls whose AnimatEvents hold aeGlobalDef.
extern TkAnimatEvents GlobalAnimatEvents;
// Set while something redraws many controls at once: no fade starts.
extern bool FadingForbidden;

bool AnimEventAllowed(TkAnimatEvent event, TkAnimatEvents events);
// The weight of the old image at a step: 255 - step * 256 div iterations, clamped to 0..255.
unsigned char FadeAlpha(int step, int iterations);

class TkFadeTimer : public fw::TTimer {
  FW_CLASS(TkFadeTimer, fw::TTimer)
 public:
  // Made disabled; owned by the control it fades.
  explicit TkFadeTimer(fw::TComponent* owner);
  void Timer() override;
  // One frame: the old image blended with the cache at this step's alpha, shown by the control
  // (command 24) or copied onto its window.
  void Step();
  unsigned char GetDirection() const { return Direction; }
  // 0 stops (and disables) the timer; 1 and 2 run it.
  void SetDirection(unsigned char value);

  unsigned char Direction = 0;
  TkCommonData* SkinData = nullptr;
  int Iterations = 0;
  int CurrentStep = 1;
  std::unique_ptr<fw::TBitmap> OldImage;

 protected:
  ~TkFadeTimer() override = default;
};

class TkAnimTimer : public fw::TTimer {
  FW_CLASS(TkAnimTimer, fw::TTimer)
 public:
  // Owned by no component: its holder frees it.
  explicit TkAnimTimer(fw::TComponent* owner = nullptr);
  void Timer() override;
  // One frame into FrameImage, painted by the control through its parent.
  void Step();
  // Binds the skin state, 10 ms, the section's FadingIterations. The caller sets CurrentStep,
  // fills OldImage, enables the timer and runs the first Step.
  void StartFor(TkCommonData* skinData);

  bool Busy = false;
  std::unique_ptr<fw::TBitmap> OldImage;
  std::unique_ptr<fw::TBitmap> FrameImage;
  TkCommonData* SkinData = nullptr;
  int Iterations = 0;
  int CurrentStep = 0;

 protected:
  ~TkAnimTimer() override = default;
};

// A change of the control's look: fades (Allowed, the section fades, no skin loading, not
// forbidden, a cache, BGChanged not yet set) or repaints at once.
void DoChangePaint(TkFadeTimer*& timer, TkCommonData* skinData, bool half, unsigned char direction, bool allowed);
// Starts (or reverses) a fade from the control's current cache to the look command 23 builds.
void StartFade(TkFadeTimer*& timer, TkCommonData* skinData, bool half, unsigned char direction);
// Stops and frees the timer; the variable becomes null.
void StopFading(TkFadeTimer*& timer);

}  // namespace skin
