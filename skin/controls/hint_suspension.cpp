#include "skin/controls/hint_suspension.h"

#include "framework/forms/application.h"

namespace skin {

namespace {
int pendingCount = 0;
bool savedShowHint = true;
}  // namespace

void TkHintSuspension::Suspend() {
  if (FPending || !fw::Application) return;
  FPending = true;
  if (pendingCount++ == 0) {
    savedShowHint = fw::Application->GetShowHint();
    fw::Application->SetShowHint(false);
  }
}

void TkHintSuspension::Restore() {
  if (!FPending) return;
  FPending = false;
  if (--pendingCount == 0 && fw::Application) fw::Application->SetShowHint(savedShowHint);
}

}  // namespace skin
