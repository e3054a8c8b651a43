#include "app/dialogs/file_group_form.h"

#include "app/shared/config_files.h"
#include "framework/classes/ini_file.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

std::string ValueOf(const std::string& line) {
  size_t eq = line.find('=');
  return eq == std::string::npos ? line : line.substr(eq + 1);
}

bool Confirmed(const std::string& text) {
  return skin::kMessageDlg(text, fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbOK, fw::mbCancel}, 0) == fw::mrOk;
}

}  // namespace

TfrmAddDFGroup::TfrmAddDFGroup(fw::TComponent* owner) : fw::TForm(owner) {}

std::string TfrmAddDFGroup::FileName() const {
  EnsureDupFinderExtIni(fw::ProgramFolder());
  return AppPath(fw::ProgramFolder(), kDupFinderExtIni);
}

std::string TfrmAddDFGroup::Group() const { return kComboBox1->GetText(); }

void TfrmAddDFGroup::FormCreate(fw::TObject*) { FillCB(0); }

void TfrmAddDFGroup::FormKeyDown(fw::TObject*, WORD& Key, fw::TShiftState) {
  if (Key == VK_ESCAPE) Close();
}

void TfrmAddDFGroup::FillCB(int index) {
  fw::TIniFile ini(FileName());
  fw::TStringList sections;
  ini.ReadSections(sections);
  kComboBox1->GetItems()->Assign(&sections);
  if (sections.GetCount() == 0) return;
  if (index < 0 || index >= sections.GetCount()) index = 0;
  kComboBox1->SetItemIndex(index);
  ShowWildcards();
}

void TfrmAddDFGroup::ShowWildcards() {
  kListBox1->Clear();
  fw::TIniFile ini(FileName());
  fw::TStringList values;
  ini.ReadSectionValues(Group(), values);
  fw::TStringList wildcards;
  for (int i = 0; i < values.GetCount(); ++i) wildcards.Add(ValueOf(values.GetStrings(i)));
  kListBox1->GetItems()->Assign(&wildcards);
}

void TfrmAddDFGroup::kComboBox1Change(fw::TObject*) { ShowWildcards(); }

bool TfrmAddDFGroup::AcceptableName(const std::string& name) const {
  if (name.find_first_of("[]") != std::string::npos) {
    skin::kMessageDlg("Group name can not contain \"[\" or \"]\"", fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
    return false;
  }
  fw::TIniFile ini(FileName());
  bool taken = ini.SectionExists(name);
  for (int i = 0; i < kComboBox1->GetItems()->GetCount() && !taken; ++i)
    taken = fw::SameText(kComboBox1->GetItems()->GetStrings(i), name);
  if (taken) {
    skin::kMessageDlg("Group already exist", fw::mtInformation, fw::TMsgDlgButtons{fw::mbYes}, 0);
    return false;
  }
  return true;
}

void TfrmAddDFGroup::kSpeedButton1Click(fw::TObject*) {
  std::string name = fw::Trim(skin::kInputBox("Add new file group", "Enter new", ""));
  if (name.empty() || !AcceptableName(name)) return;
  // The group reaches the file with its first wildcard.
  int index = kComboBox1->GetItems()->Add(name);
  kComboBox1->SetItemIndex(index);
  kListBox1->Clear();
}

void TfrmAddDFGroup::kSpeedButton2Click(fw::TObject*) {
  std::string old = Group();
  if (old.empty()) return;
  std::string name = fw::Trim(skin::kInputBox("Enter new name of group", "Enter new", old));
  if (name.empty() || name == old) return;
  if (!fw::SameText(name, old) && !AcceptableName(name)) return;
  if (name.find_first_of("[]") != std::string::npos) return;
  int index = kComboBox1->GetItemIndex();
  fw::TStringList lines;
  lines.LoadFromFile(FileName());
  int header = -1;
  for (int i = 0; i < lines.GetCount() && header < 0; ++i)
    if (fw::SameText(fw::Trim(lines.GetStrings(i)), "[" + old + "]")) header = i;
  if (header < 0) {
    // A group without wildcards is not in the file yet: only its name in the list changes.
    if (index >= 0) kComboBox1->GetItems()->SetStrings(index, name);
    kComboBox1->SetItemIndex(index);
    return;
  }
  lines.SetStrings(header, "[" + name + "]");
  lines.SaveToFile(FileName());
  FillCB(index);
}

void TfrmAddDFGroup::kSpeedButton3Click(fw::TObject*) {
  if (Group().empty() || !Confirmed("Delete group?")) return;
  {
    fw::TIniFile ini(FileName());
    ini.EraseSection(Group());
    ini.UpdateFile();
  }
  kListBox1->Clear();
  FillCB(0);
}

void TfrmAddDFGroup::RewriteGroup() {
  fw::TIniFile ini(FileName());
  ini.EraseSection(Group());
  for (int i = 0; i < kListBox1->GetItems()->GetCount(); ++i)
    ini.WriteString(Group(), fw::IntToStr(i + 1), kListBox1->GetItems()->GetStrings(i));
  ini.UpdateFile();
}

void TfrmAddDFGroup::kSpeedButton4Click(fw::TObject*) {
  if (Group().empty()) return;
  std::string wildcard = skin::kInputBox("Add new wildcard", "Add new", "*.*");
  if (wildcard.empty() || wildcard == "*.*") return;
  int index = kComboBox1->GetItemIndex();
  kListBox1->GetItems()->Add(wildcard);
  RewriteGroup();
  FillCB(index);
}

void TfrmAddDFGroup::kSpeedButton5Click(fw::TObject*) {
  int line = kListBox1->GetItemIndex();
  if (line < 0 || Group().empty()) return;
  std::string wildcard = skin::kInputBox("Enter new wildcard", "Enter new", kListBox1->GetItems()->GetStrings(line));
  if (wildcard.empty()) return;
  fw::TIniFile ini(FileName());
  ini.WriteString(Group(), fw::IntToStr(line + 1), wildcard);
  ini.UpdateFile();
  kListBox1->GetItems()->SetStrings(line, wildcard);
}

void TfrmAddDFGroup::kSpeedButton6Click(fw::TObject*) {
  if (kListBox1->GetItemIndex() < 0 || Group().empty() || !Confirmed("Delete wildcard?")) return;
  int index = kComboBox1->GetItemIndex();
  kListBox1->DeleteSelected();
  RewriteGroup();
  FillCB(index);
}

}  // namespace app
