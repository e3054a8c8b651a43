#include "skin/engine/fade_animation.h"

#include "framework/controls/win_control.h"
#include "framework/forms/application.h"
#include "skin/engine/common_data.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"

namespace skin {

TkAnimatEvents GlobalAnimatEvents{aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp};
bool FadingForbidden = false;

namespace {

bool IsDestroying(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csDestroying); }

fw::TControl* LiveControl(const TkCommonData* d) {
  fw::TControl* control = d ? d->OwnerControl : nullptr;
  return control && !IsDestroying(control) ? control : nullptr;
}

bool Terminating() { return fw::Application && fw::Application->GetTerminated(); }

void Perform(fw::TControl* control, int command, int argument = 0) {
  control->Perform(SM_SKINCMD, SkinCmdWParam(command, argument), 0);
}

// A copy of the old image blended with the control's cache at the step's alpha.
std::unique_ptr<fw::TBitmap> BlendedFrame(fw::TBitmap* oldImage, const TkCommonData* d, int step, int iterations) {
  auto frame = CreateBitmap24(oldImage->GetWidth(), oldImage->GetHeight());
  BitBlt(frame->GetCanvas()->GetHandle(), 0, 0, oldImage->GetWidth(), oldImage->GetHeight(),
         oldImage->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  GdiFlush();
  if (d->CacheBmp) BlendBitmapsPercent(frame.get(), d->CacheBmp.get(), FadeAlpha(step, iterations));
  return frame;
}

bool SectionFades(const TkCommonData* d) { return d && d->Section() && d->Section()->FadingEnabled; }

}  // namespace

bool AnimEventAllowed(TkAnimatEvent event, TkAnimatEvents events) {
  if (events.Contains(event)) return true;
  return events.Contains(aeGlobalDef) && GlobalAnimatEvents.Contains(event);
}

unsigned char FadeAlpha(int step, int iterations) {
  return static_cast<unsigned char>(ClampToByte(255 - step * 256 / iterations));
}

TkFadeTimer::TkFadeTimer(fw::TComponent* owner) : fw::TTimer(owner) {
  SetEnabled(false);
  // The timer runs only with a handler; the work is done in Timer.
  SetOnTimer([](fw::TObject*) {});
}

void TkFadeTimer::SetDirection(unsigned char value) {
  Direction = value;
  SetEnabled(value != 0);
}

void TkFadeTimer::Timer() {
  if (IsDestroying(this)) return;
  fw::TControl* control = LiveControl(SkinData);
  if (control && !Terminating()) {
    if (CurrentStep < 0 || CurrentStep > Iterations) {
      // The control ends the fade and may free this timer: nothing of it is touched after.
      Perform(control, cmdStopAnimation);
      return;
    }
  } else {
    SetDirection(0);
  }
  if (Direction == 1 || Direction == 2) Step();
}

void TkFadeTimer::Step() {
  auto* control = dynamic_cast<fw::TWinControl*>(LiveControl(SkinData));
  if (!control || Iterations == 0 || !OldImage) return;
  auto frame = BlendedFrame(OldImage.get(), SkinData, CurrentStep, Iterations);
  HWND wnd = control->GetHandle();
  HDC dc = GetDC(wnd);
  const int saved = SaveDC(dc);
  fw::TMessage message{SM_SKINCMD, SkinCmdWParam(cmdDrawFadeFrame), reinterpret_cast<LPARAM>(frame.get()), 0};
  const LRESULT drawn = control->Perform(message);
  // A control freed while it drew the frame took this timer (and its skin state) with it: the
  // timer lives to the end of its tick, nothing of the control is touched.
  if (IsDestroying(this)) {
    ReleaseDC(wnd, dc);
    return;
  }
  if (drawn == 0)
    BitBlt(dc, 0, 0, frame->GetWidth(), frame->GetHeight(), frame->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
  ReleaseDC(wnd, dc);
  ++CurrentStep;
}

TkAnimTimer::TkAnimTimer(fw::TComponent* owner) : fw::TTimer(owner) {
  SetEnabled(false);
  SetOnTimer([](fw::TObject*) {});
}

void TkAnimTimer::StartFor(TkCommonData* skinData) {
  SkinData = skinData;
  SetInterval(10);
  Iterations = SkinData && SkinData->Section() ? SkinData->Section()->FadingIterations : 0;
}

void TkAnimTimer::Timer() {
  if (IsDestroying(this)) return;
  fw::TControl* control = LiveControl(SkinData);
  if (!control || Terminating()) return;
  if (CurrentStep < 0 || CurrentStep > Iterations) {
    Perform(control, cmdStopAnimation);
    return;
  }
  Step();
}

void TkAnimTimer::Step() {
  fw::TControl* control = LiveControl(SkinData);
  if (Busy || !control || Iterations == 0 || CurrentStep < 0 || !OldImage) {
    ++CurrentStep;
    return;
  }
  Busy = true;
  FrameImage = BlendedFrame(OldImage.get(), SkinData, CurrentStep, Iterations);
  HWND parent = control->GetParent() ? control->GetParent()->GetHandle() : nullptr;
  if (parent) SendMessageA(parent, SM_SKINCMD, SkinCmdWParam(cmdGraphicRepaints), reinterpret_cast<LPARAM>(control));
  Perform(control, cmdSetUpdating, 0);
  control->Repaint();
  if (parent) SendMessageA(parent, SM_SKINCMD, SkinCmdWParam(cmdGraphicRepaints), 0);
  ++CurrentStep;
  Busy = false;
}

void StartFade(TkFadeTimer*& timer, TkCommonData* d, bool half, unsigned char direction) {
  fw::TControl* control = LiveControl(d);
  if (!SectionFades(d) || !control) return;
  if (!timer) {
    timer = fw::New<TkFadeTimer>(control);
    timer->CurrentStep = 1;
  }
  timer->SkinData = d;
  if (d->CacheBmp) {
    timer->OldImage = CreateBitmap24(d->CacheBmp->GetWidth(), d->CacheBmp->GetHeight());
    BitBlt(timer->OldImage->GetCanvas()->GetHandle(), 0, 0, d->CacheBmp->GetWidth(), d->CacheBmp->GetHeight(),
           d->CacheBmp->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  timer->SetInterval(10);
  timer->Iterations = d->Section()->FadingIterations;
  // A fade reversed in mid-course runs back over the steps it had made.
  if (timer->Direction == 1)
    timer->Iterations = timer->CurrentStep;
  else if (timer->Direction == 2)
    timer->Iterations -= timer->CurrentStep;
  if (half) timer->Iterations /= 2;
  if (timer->CurrentStep >= timer->Iterations || timer->CurrentStep < 1) timer->CurrentStep = 1;
  Perform(control, cmdRebuildCache);
  timer->SetDirection(direction);
}

void StopFading(TkFadeTimer*& timer) {
  TkFadeTimer* going = timer;
  timer = nullptr;
  // A timer already being destroyed goes with its owner.
  if (!going || IsDestroying(going)) return;
  going->SetDirection(0);
  going->Free();
}

void DoChangePaint(TkFadeTimer*& timer, TkCommonData* d, bool half, unsigned char direction, bool allowed) {
  if (!SkinLoading && allowed && SectionFades(d) && !FadingForbidden && d->CacheBmp && !d->BGChanged) {
    d->BGChanged = true;
    StartFade(timer, d, half, direction);
    return;
  }
  if (d) d->BGChanged = true;
  StopFading(timer);
  if (fw::TControl* control = LiveControl(d)) control->Repaint();
}

}  // namespace skin
