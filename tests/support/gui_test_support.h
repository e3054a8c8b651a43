// The fixture the forms and controls tests share: the forms started for each test, dialogs
// answered by a script, and a journal the test's controls note their calls in.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/forms/dialog_service.h"

namespace testing_gui {

// Adds s to the running test's journal (nothing outside a GuiTest).
void Note(const std::string& s);

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::vector<std::string> log;  // the journal
  fw::testing::TScriptedDialogs* scripted = nullptr;
};

}  // namespace testing_gui
