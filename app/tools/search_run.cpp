#include "app/tools/search_run.h"

#include "framework/forms/application.h"
#include "framework/rtl/seams.h"

namespace app {

TSearchRun::TSearchRun(fw::TAnimate* animation, std::initializer_list<fw::TControl*> controls, fw::TControl* stop,
                       DWORD interval)
    : FAnimation(animation), FControls(controls), FStop(stop), FInterval(interval) {
  for (fw::TControl* control : FControls) control->SetEnabled(false);
  if (FStop) FStop->SetEnabled(true);
  if (FAnimation) FAnimation->SetActive(true);
  // The first turn comes at the first Pump.
  FLastPump = fw::GetTickCount() - FInterval;
}

TSearchRun::~TSearchRun() {
  for (fw::TControl* control : FControls) control->SetEnabled(true);
  if (FStop) FStop->SetEnabled(false);
  if (FAnimation) FAnimation->SetActive(false);
  if (OnEnd) OnEnd();
}

void TSearchRun::Pump(bool force) {
  if (!force && fw::GetTickCount() - FLastPump < FInterval) return;
  if (OnPump) OnPump();
  fw::Application->ProcessMessages();
  FLastPump = fw::GetTickCount();
}

}  // namespace app
