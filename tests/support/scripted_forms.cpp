#include "support/scripted_forms.h"

#include <memory>

#include "framework/forms/application.h"
#include "skin/controls/glyph_mode.h"

namespace testing_gui {

TScriptedForms::TScriptedForms() {
  fw::StartupForms();
  // What the program's start-up loads before any form: the edit-button glyphs.
  skin::LoadEditGlyphs();
  auto dialogs = std::make_unique<fw::testing::TScriptedDialogs>();
  FDialogs = dialogs.get();
  fw::testing::SetDialogService(std::move(dialogs));
  auto files = std::make_unique<fw::testing::TScriptedFileDialogs>();
  FFileDialogs = files.get();
  fw::testing::SetFileDialogService(std::move(files));
}

TScriptedForms::~TScriptedForms() {
  fw::ShutdownForms();
  skin::FreeEditGlyphs();
}

}  // namespace testing_gui
