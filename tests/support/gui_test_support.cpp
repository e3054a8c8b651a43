#include "support/gui_test_support.h"

#include <memory>

#include "framework/forms/application.h"

namespace testing_gui {

namespace {
std::vector<std::string>* journal = nullptr;
}  // namespace

void Note(const std::string& s) {
  if (journal) journal->push_back(s);
}

void GuiTest::SetUp() {
  fw::StartupForms();
  journal = &log;
  auto dialogs = std::make_unique<fw::testing::TScriptedDialogs>();
  scripted = dialogs.get();
  fw::testing::SetDialogService(std::move(dialogs));
}

void GuiTest::TearDown() {
  fw::ShutdownForms();
  fw::testing::SetDialogService(nullptr);
  journal = nullptr;
}

}  // namespace testing_gui
