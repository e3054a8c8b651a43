// The fixtures tests share. SeamTest: every seam is put back to the real platform for the
// test and restored afterwards, so a test may script any seam without resetting it. GuiTest
// adds the forms started for each test, dialogs answered by scripts, and a journal the test's
// controls note their calls in.
#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/win.h"
#include "support/scripted_forms.h"
#include "support/seam_guard.h"

namespace testing_gui {

// Adds s to the running test's journal (nothing outside a GuiTest).
void Note(const std::string& s);

// The text a list view window holds in a cell (column 0: the row's caption), read in UTF-16.
std::wstring ListViewCellText(HWND list, int row, int column);

class SeamTest : public ::testing::Test {
 private:
  testing_seams::TSeamGuard seams;
};

class GuiTest : public SeamTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::vector<std::string> log;  // the journal
  fw::testing::TScriptedDialogs* scripted = nullptr;
  fw::testing::TScriptedFileDialogs* scriptedFiles = nullptr;

 private:
  std::optional<TScriptedForms> forms;
};

}  // namespace testing_gui
