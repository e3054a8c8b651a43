// TScriptedForms: the forms started (Application, Screen) with the message, input and file
// dialogs answered from scripts; a dialog with no answer left is cancelled, so none ever waits
// for a click. Ending it shuts the forms down. Needs no GoogleTest; used inside a TSeamGuard,
// which takes the scripts out again.
#pragma once
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/dialog_service.h"

namespace testing_gui {

class TScriptedForms {
 public:
  TScriptedForms();
  ~TScriptedForms();
  TScriptedForms(const TScriptedForms&) = delete;
  TScriptedForms& operator=(const TScriptedForms&) = delete;

  fw::testing::TScriptedDialogs& Dialogs() const { return *FDialogs; }
  fw::testing::TScriptedFileDialogs& FileDialogs() const { return *FFileDialogs; }

 private:
  fw::testing::TScriptedDialogs* FDialogs = nullptr;
  fw::testing::TScriptedFileDialogs* FFileDialogs = nullptr;
};

}  // namespace testing_gui
