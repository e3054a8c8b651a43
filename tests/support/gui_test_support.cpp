#include "support/gui_test_support.h"

namespace testing_gui {

namespace {
std::vector<std::string>* journal = nullptr;
}  // namespace

void Note(const std::string& s) {
  if (journal) journal->push_back(s);
}

void GuiTest::SetUp() {
  forms.emplace();
  scripted = &forms->Dialogs();
  scriptedFiles = &forms->FileDialogs();
  journal = &log;
}

void GuiTest::TearDown() {
  forms.reset();
  journal = nullptr;
}

}  // namespace testing_gui
