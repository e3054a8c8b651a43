#include "app/settings/settings_form.h"

#include "app/settings/add_mask_form.h"
#include "app/shared/config_files.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/flag_scope.h"
#include "framework/rtl/seams.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"
#include "skin/controls/message_dialogs.h"
#include "skin/engine/skin_manager.h"

namespace app {

TfrmSettings* frmSettings = nullptr;

namespace {

bool Confirmed(const std::string& text) {
  return skin::kMessageDlg(text, fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbOK, fw::mbCancel}, 0) == fw::mrOk;
}

TExtensionRow MaskOfRow(fw::TListItem* row) {
  fw::TStrings* sub = row->GetSubItems();
  return {row->GetCaption(), sub->GetCount() > 0 ? sub->GetStrings(0) : std::string(), row->GetChecked()};
}

}  // namespace

TfrmSettings::TfrmSettings(fw::TComponent* owner) : fw::TForm(owner) { frmSettings = this; }

TfrmSettings::~TfrmSettings() {
  if (frmSettings == this) frmSettings = nullptr;
}

std::string TfrmSettings::AppDir() const { return fw::ProgramFolder(); }

skin::TkSkinManager* TfrmSettings::SkinManager() const { return skin::DefaultManager(); }

void TfrmSettings::FormCreate(fw::TObject*) {
  fillWC();
  fillExceptionFiles();
  fillExceptionFolder();
  fillProgram();
  GenerateSkinsList();
  kLabel4->SetCaption(GetCurrentSkin());
}

void TfrmSettings::FormKeyPress(fw::TObject*, char& Key) {
  if (Key == 27) Close();
}

void TfrmSettings::FormClose(fw::TObject*, fw::TCloseAction& Action) { Action = fw::caFree; }

// --- masks ---

void TfrmSettings::fillWC() {
  fw::TFlagScope filling(FFilling);
  EnsureExtIni(AppDir());
  fw::TStringList lines;
  lines.LoadFromFile(AppPath(AppDir(), kExtIni));
  fw::TListItems* rows = kListView1->GetItems();
  rows->BeginUpdate();
  rows->Clear();
  for (int i = 0; i < lines.GetCount(); ++i) {
    TExtensionRow mask = ParseExtensionLine(lines.GetStrings(i));
    fw::TListItem* row = rows->Add();
    row->SetCaption(mask.Mask);
    row->GetSubItems()->Add(mask.Description);
    row->SetChecked(mask.Checked);
  }
  rows->EndUpdate();
  FSavedTicks = Ticks();
}

std::vector<bool> TfrmSettings::Ticks() const {
  std::vector<bool> ticks;
  fw::TListItems* rows = kListView1->GetItems();
  for (int i = 0; i < rows->GetCount(); ++i) ticks.push_back(rows->GetItem(i)->GetChecked());
  return ticks;
}

void TfrmSettings::SaveMasks() {
  std::vector<TExtensionRow> masks;
  fw::TListItems* rows = kListView1->GetItems();
  for (int i = 0; i < rows->GetCount(); ++i) masks.push_back(MaskOfRow(rows->GetItem(i)));
  SaveExtensionList(masks, AppDir());
  FSavedTicks = Ticks();
}

bool TfrmSettings::EditMask() {
  TfrmAddMask* dialog = nullptr;
  fw::Application->CreateForm(dialog);
  return dialog->ShowModal() == fw::mrOk;
}

void TfrmSettings::addWCClick(fw::TObject*) {
  maskText.clear();
  maskDescription.clear();
  maskActive = false;
  EditMask();
  if (maskText.empty()) return;
  EnsureExtIni(AppDir());
  fw::TStringList lines;
  lines.LoadFromFile(AppPath(AppDir(), kExtIni));
  lines.Add(maskText + "=" + maskDescription + (maskActive ? "=true" : "=false"));
  lines.SaveToFile(AppPath(AppDir(), kExtIni));
  fillWC();
}

void TfrmSettings::editWCClick(fw::TObject*) {
  fw::TListItem* row = kListView1->GetSelected();
  if (!row) return;
  TExtensionRow shown = MaskOfRow(row);
  maskText = shown.Mask;
  maskDescription = shown.Description;
  maskActive = shown.Checked;
  // Cancel, or OK on the row as it was, leaves ext.ini as it is.
  if (!EditMask() || (maskText == shown.Mask && maskDescription == shown.Description && maskActive == shown.Checked))
    return;
  {
    fw::TFlagScope filling(FFilling);
    row->SetCaption(maskText);
    fw::TStrings* sub = row->GetSubItems();
    if (sub->GetCount() > 0)
      sub->SetStrings(0, maskDescription);
    else
      sub->Add(maskDescription);
    row->SetChecked(maskActive);
  }
  SaveMasks();
}

void TfrmSettings::delWCClick(fw::TObject*) {
  if (!kListView1->GetSelected() || !Confirmed("Do you want to delete entry?")) return;
  {
    fw::TFlagScope filling(FFilling);
    // The selection may have moved while the question was open.
    if (fw::TListItem* row = kListView1->GetSelected()) row->Delete();
  }
  SaveMasks();
}

void TfrmSettings::kListView1MouseUp(fw::TObject*, fw::TMouseButton, fw::TShiftState, int X, int Y) {
  if (kListView1->GetHitTestInfoAt(X, Y).Contains(fw::htOnStateIcon)) SaveMasks();
}

void TfrmSettings::kListView1Change(fw::TObject*, fw::TListItem* Item, fw::TItemChange Change) {
  if (FFilling || Change != fw::ctState || !Item) return;
  if (Ticks() != FSavedTicks) SaveMasks();
}

// --- exceptions ---

void TfrmSettings::FillExceptions(skin::TkListBox* list, const char* file) {
  std::string path = AppPath(AppDir(), file);
  if (fw::FileExists(path)) list->GetItems()->LoadFromFile(path);
}

void TfrmSettings::AddException(skin::TkListBox* list, const char* file, const char* prompt) {
  std::string entry = skin::kInputBox("New entry", prompt, "");
  if (fw::Trim(entry).empty()) return;
  list->GetItems()->Add(entry);
  list->GetItems()->SaveToFile(AppPath(AppDir(), file));
}

void TfrmSettings::EditException(skin::TkListBox* list, const char* file, const char* caption, const char* prompt) {
  int index = list->GetItemIndex();
  if (index < 0) return;
  std::string old = list->GetItems()->GetStrings(index);
  std::string entry = skin::kInputBox(caption, prompt, old);
  if (fw::Trim(entry).empty() || entry == old) return;
  list->GetItems()->SetStrings(index, entry);
  list->SetItemIndex(index);
  list->GetItems()->SaveToFile(AppPath(AppDir(), file));
}

void TfrmSettings::DeleteException(skin::TkListBox* list, const char* file, const char* question) {
  if (list->GetItemIndex() < 0 || !Confirmed(question)) return;
  list->DeleteSelected();
  list->GetItems()->SaveToFile(AppPath(AppDir(), file));
}

void TfrmSettings::fillExceptionFiles() { FillExceptions(kListBox1, kFileExclusionsFile); }

void TfrmSettings::fillExceptionFolder() { FillExceptions(kListBox2, kFolderExclusionsFile); }

void TfrmSettings::kSpeedButton4Click(fw::TObject*) {
  AddException(kListBox1, kFileExclusionsFile, "Enter new exception file");
}

void TfrmSettings::kSpeedButton5Click(fw::TObject*) {
  EditException(kListBox1, kFileExclusionsFile, "Exception files", "Enter new exception file");
}

void TfrmSettings::kSpeedButton6Click(fw::TObject*) {
  DeleteException(kListBox1, kFileExclusionsFile, "Do you want to delete entry?");
}

void TfrmSettings::kSpeedButton7Click(fw::TObject*) {
  AddException(kListBox2, kFolderExclusionsFile, "Enter new exception folder");
}

void TfrmSettings::kSpeedButton8Click(fw::TObject*) {
  EditException(kListBox2, kFolderExclusionsFile, "Exception folder", "Enter new exception folder");
}

void TfrmSettings::kSpeedButton9Click(fw::TObject*) {
  DeleteException(kListBox2, kFolderExclusionsFile, "Do you want to delete entry?");
}

// --- removal settings ---

void TfrmSettings::EnableFolder(bool enabled) {
  fEdit->SetEnabled(enabled);
  scanCB->SetEnabled(enabled);
}

void TfrmSettings::fillProgram() {
  fw::TFlagScope filling(FFilling);
  EnsureProgramIni(AppDir());
  std::string folder = ReadRemoveFolder(AppDir());
  if (!fw::DirectoryExists(folder)) folder = AppPath(AppDir(), kDeletedFolder);
  // Out-of-range methods read as 1, which shows the window as designed.
  int method = ReadRemoveMethod(AppDir());
  recRB->SetChecked(method == 1);
  delRB->SetChecked(method == 2);
  fRB->SetChecked(method == 3);
  EnableFolder(method == 3);
  scanCB->SetChecked(ReadRemoveScan(AppDir()) == 0);
  fEdit->SetText(folder);
}

void TfrmSettings::recRBClick(fw::TObject*) {
  if (FFilling || !recRB->GetChecked()) return;
  SaveRemoveSettings(AppDir(), 1, "", false);
  EnableFolder(false);
}

void TfrmSettings::delRBClick(fw::TObject*) {
  if (FFilling || !delRB->GetChecked()) return;
  SaveRemoveSettings(AppDir(), 2, "", false);
  EnableFolder(false);
}

void TfrmSettings::fRBClick(fw::TObject*) {
  if (FFilling || !fRB->GetChecked()) return;
  std::string folder = ReadRemoveFolder(AppDir());
  if (!fw::DirectoryExists(folder)) folder = AppPath(AppDir(), kDeletedFolder);
  {
    fw::TFlagScope filling(FFilling);
    fEdit->SetText(folder);
  }
  SaveRemoveSettings(AppDir(), 3, fEdit->GetText(), scanCB->GetChecked());
  EnableFolder(true);
}

void TfrmSettings::fEditChange(fw::TObject*) {
  if (FFilling) return;
  FFolderTyped = true;
  SaveRemoveFolder(AppDir(), fEdit->GetText());
}

void TfrmSettings::fEditExit(fw::TObject*) {
  // Passing through the edit without changing it is no change to save.
  if (!FFilling && FFolderTyped) SaveRemoveFolder(AppDir(), fEdit->GetText());
}

void TfrmSettings::scanCBClick(fw::TObject*) {
  if (!FFilling) SaveRemoveSettings(AppDir(), 3, fEdit->GetText(), scanCB->GetChecked());
}

// --- skins ---

void TfrmSettings::GenerateSkinsList() {
  fw::TFlagScope filling(FFilling);
  SkinsDirectoryEdit->SetText(ReadSkinDirectory(AppDir()));
  fw::TStringList names;
  if (skin::TkSkinManager* manager = SkinManager()) {
    manager->SetSkinDirectory(SkinsDirectoryEdit->GetText());
    std::string first;
    manager->GetSkinNames(names, first);
  }
  if (names.GetCount() == 0) names.Add(kNoSkinsAvailable);
  SkinsListBox->GetItems()->Assign(&names);
  SelectSkinInUse();
}

void TfrmSettings::SelectSkinInUse() {
  SkinsListBox->SetItemIndex(SkinsListBox->GetItems()->IndexOf(GetCurrentSkin()));
}

void TfrmSettings::SkinsDirectoryEditChange(fw::TObject*) {
  skin::TkSkinManager* manager = SkinManager();
  std::string folder = SkinsDirectoryEdit->GetText();
  if (FFilling || !manager || !fw::DirectoryExists(folder) || folder == manager->GetSkinDirectory()) return;
  manager->SetSkinDirectory(folder);
  SaveSkinDirectory(AppDir(), manager->GetSkinDirectory());
  GenerateSkinsList();
}

void TfrmSettings::kButton1Click(fw::TObject*) {
  skin::TkSkinManager* manager = SkinManager();
  int index = SkinsListBox->GetItemIndex();
  if (!manager || index < 0) return;
  std::string name = SkinsListBox->GetItems()->GetStrings(index);
  if (name == kNoSkinsAvailable || name == manager->GetSkinName()) return;
  // A skin folder removed since the list was made is not applied.
  std::string skinsPath;
  manager->NormalizeSkinDirectory(skinsPath);
  if (name != skin::kNeutralSkinName && !fw::DirectoryExists(skinsPath + name)) return;
  manager->SetSkinName(name);
  // The window shows the skin now in use even when it cannot be kept.
  kLabel4->SetCaption(GetCurrentSkin());
  SelectSkinInUse();
  // A skin that could not be loaded was replaced: the name kept is the one in use.
  SaveSkinName(AppDir(), manager->GetSkinName());
}

std::string TfrmSettings::GetCurrentSkin() {
  skin::TkSkinManager* manager = SkinManager();
  if (manager && manager->GetActive()) return manager->GetSkinName();
  EnsureProgramIni(AppDir());
  return ReadSkinName(AppDir(), "");
}

}  // namespace app
