#include "support/gui_test_support.h"

namespace testing_gui {

namespace {
std::vector<std::string>* journal = nullptr;
}  // namespace

void Note(const std::string& s) {
  if (journal) journal->push_back(s);
}

std::wstring ListViewCellText(HWND list, int row, int column) {
  std::wstring text(1024, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  text.resize(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
  return text;
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
