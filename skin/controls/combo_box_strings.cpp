#include "skin/controls/combo_box_strings.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/wide_text.h"

namespace skin {

namespace {
constexpr int kTextBuffer = 4096;

int Checked(LRESULT answer) {
  if (answer < 0) throw fw::EOutOfResources("Unable to insert a line");
  return static_cast<int>(answer);
}
}  // namespace

LRESULT TkCustomComboBoxStrings::Send(UINT msg, WPARAM w, LPARAM l) const {
  return SendMessageA(FCombo->GetHandle(), msg, w, l);
}

int TkCustomComboBoxStrings::GetCount() const { return static_cast<int>(Send(CB_GETCOUNT, 0, 0)); }

void TkCustomComboBoxStrings::Delete(int index) { Send(CB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void TkCustomComboBoxStrings::Clear() {
  const std::string text = FCombo->GetText();
  Send(CB_RESETCONTENT, 0, 0);
  FCombo->SetText(text);
  FCombo->Update();
}

int TkCustomComboBoxStrings::IndexOf(const std::string& s) const {
  const std::string shown = fw::ValidUtf8(s);
  return static_cast<int>(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(shown.c_str())));
}

std::string TkCustomComboBoxStrings::Get(int index) const {
  char buffer[kTextBuffer] = {};
  if (Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= kTextBuffer) return "";
  if (Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)) == CB_ERR) return "";
  return buffer;
}

void* TkCustomComboBoxStrings::GetObject(int index) const {
  const LRESULT data = Send(CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (data == CB_ERR) throw fw::EStringListError("List index out of bounds");
  return reinterpret_cast<void*>(data);
}

void TkCustomComboBoxStrings::PutObject(int index, void* object) {
  Send(CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

void TkCustomComboBoxStrings::SetUpdateState(bool updating) {
  Send(WM_SETREDRAW, updating ? 0 : 1, 0);
  if (!updating) FCombo->Refresh();
}

int TkComboBoxStrings::Add(const std::string& s) {
  const std::string shown = fw::ValidUtf8(s);
  return Checked(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str())));
}

void TkComboBoxStrings::Insert(int index, const std::string& s) {
  const std::string shown = fw::ValidUtf8(s);
  Checked(Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(shown.c_str())));
}

}  // namespace skin
