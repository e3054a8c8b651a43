#include "skin/controls/hint_suspension.h"

#include "framework/forms/application.h"

namespace skin {

void TkHintSuspension::Suspend() {
  if (FPending || !fw::Application) return;
  FSaved = fw::Application->GetShowHint();
  fw::Application->SetShowHint(false);
  FPending = true;
}

void TkHintSuspension::Restore() {
  if (!FPending) return;
  FPending = false;
  if (fw::Application) fw::Application->SetShowHint(FSaved);
}

}  // namespace skin
