#include "app/tools/startup_manager.h"

#include "app/dialogs/add_entry_form.h"
#include "app/main/main_form.h"
#include "app/shared/command_line.h"
#include "app/shared/config_files.h"
#include "app/shared/run_key.h"
#include "app/shared/startup_list.h"
#include "app/shared/startup_store.h"
#include "app/shared/startup_toggle.h"
#include "app/shared/wide_text.h"
#include "framework/core/component.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

constexpr char kMachine[] = "HKLM";
constexpr char kUser[] = "HKCU";
constexpr int kUserStoreCount = rkRunServicesOnce;  // the user's RunServicesOnce has no store

std::string SubItem(fw::TListItem* item, int index) {
  fw::TStrings* sub = item->GetSubItems();
  return index < sub->GetCount() ? sub->GetStrings(index) : std::string();
}

}  // namespace

TStartupManager::TStartupManager(TfrmMain& form, skin::TkPanel& panel) : FForm(form), FPanel(panel) {
  fw::TLoadScope loading;
  CreateComponents();
}

void TStartupManager::BeginListing() {
  TrimStartupImages(FForm.suIL);
  lvSU->GetItems()->BeginUpdate();
  lvSU->GetItems()->Clear();
}

void TStartupManager::EndListing() { lvSU->GetItems()->EndUpdate(); }

void TStartupManager::ListKeys(const char* hive, int count) {
  for (int index = 0; index < count; ++index) ListRegistryStartup(FForm.suIL, lvSU, hive, RunKeyPath(index));
}

void TStartupManager::ListStores(const char* hive, int count) {
  for (int index = 0; index < count; ++index)
    ListDisabledRegistryStartup(FForm.appDir, FForm.suIL, lvSU, hive, RunKeyPath(index), StoreName(hive, index));
}

void TStartupManager::ListKeyAndStore(const char* hive, int runKey) {
  ListRegistryStartup(FForm.suIL, lvSU, hive, RunKeyPath(runKey));
  ListDisabledRegistryStartup(FForm.appDir, FForm.suIL, lvSU, hive, RunKeyPath(runKey), StoreName(hive, runKey));
}

void TStartupManager::ListStartupFolderOf(int kind) {
  std::string folder = FForm.compInfo->GetFolders()->GetSpecialFolder(StartupFolderNumber(kind));
  if (!folder.empty()) ListStartupFolder(FForm.sc, FForm.suIL, lvSU, kind, folder);
}

void TStartupManager::ListHeldShortcuts(int kind) {
  ListDisabledStartupFolder(FForm.compInfo, FForm.appDir, FForm.sc, kind,
                            HoldingFolder(kind == kAllUsersStartup ? kAllUsersSection : kCurrentUserSection), lvSU,
                            FForm.suIL);
}

void TStartupManager::Show() {
  tvSU->FullExpand();
  BeginListing();
  ListKeys(kMachine, rkRunKeyCount);
  ListKeys(kUser, kUserStoreCount);
  ListStartupFolderOf(kCurrentUserStartup);
  ListStartupFolderOf(kAllUsersStartup);
  ListStores(kMachine, rkRunKeyCount);
  ListStores(kUser, kUserStoreCount);
  ListHeldShortcuts(kCurrentUserStartup);
  ListHeldShortcuts(kAllUsersStartup);
  EndListing();
}

void TStartupManager::ListSource(int n) {
  BeginListing();
  switch (n) {
    case 0:
      ListKeys(kMachine, rkRunKeyCount);
      ListKeys(kUser, rkRunKeyCount);
      ListStartupFolderOf(kCurrentUserStartup);
      ListStartupFolderOf(kAllUsersStartup);
      ListStores(kMachine, rkRunKeyCount);
      ListStores(kUser, kUserStoreCount);
      ListHeldShortcuts(kCurrentUserStartup);
      ListHeldShortcuts(kAllUsersStartup);
      break;
    case 1:
      ListStartupFolderOf(kCurrentUserStartup);
      ListStartupFolderOf(kAllUsersStartup);
      ListHeldShortcuts(kCurrentUserStartup);
      ListHeldShortcuts(kAllUsersStartup);
      break;
    case 2:
      ListStartupFolderOf(kAllUsersStartup);
      ListHeldShortcuts(kAllUsersStartup);
      break;
    case 3:
      ListStartupFolderOf(kCurrentUserStartup);
      ListHeldShortcuts(kCurrentUserStartup);
      break;
    case 4:
      ListKeys(kMachine, rkRunKeyCount);
      ListKeys(kUser, rkRunKeyCount);
      ListStores(kMachine, rkRunKeyCount);
      ListStores(kUser, kUserStoreCount);
      break;
    case 5:
      ListKeys(kMachine, rkRunKeyCount);
      ListStores(kMachine, rkRunKeyCount);
      break;
    case 11:
      ListKeys(kUser, rkRunKeyCount);
      ListStores(kUser, kUserStoreCount);
      break;
    default:
      if (n >= 6 && n <= 10) ListKeyAndStore(kMachine, n - 6);
      if (n >= 12 && n <= 15) ListKeyAndStore(kUser, n - 12);
      break;
  }
  EndListing();
}

void TStartupManager::tvSUClick(fw::TObject*) {
  fw::TTreeNode* selected = tvSU->GetSelected();
  for (int n = 0; n < kStartupSourceCount; ++n) {
    if (selected && tvSU->GetItems()->GetItem(n) == selected) {
      ListSource(n);
      startupSource = n;
      return;
    }
  }
  BeginListing();
  EndListing();
}

void TStartupManager::refreshBtnClick(fw::TObject*) { ListSource(startupSource); }

bool TStartupManager::BoxMessage(fw::TMessage& message) {
  if (message.Msg == fw::CN_KEYDOWN) {
    if (message.WParam != VK_SPACE || !fw::KeyDataToShiftState(message.LParam).Empty()) return false;
    message.Result = 1;
    bool repeated = (message.LParam & 0x40000000) != 0;  // the key was down already
    fw::TListItem* item = lvSU->GetItemFocused();
    if (!item) item = lvSU->GetSelected();
    if (item && !repeated) PressBox(item);
    return true;
  }
  fw::TListItem* item = BoxAt(fw::XPos(message), fw::YPos(message));
  if (!item) return false;
  if (lvSU->CanFocus()) lvSU->SetFocus();
  PressBox(item);
  return true;
}

fw::TListItem* TStartupManager::BoxAt(int x, int y) const {
  // The state icon alone: the system's "above" flag shares its bit with the state icon, and a
  // hit on the whole row carries the icon and label flags too.
  fw::THitTests hit = lvSU->GetHitTestInfoAt(x, y) - fw::THitTests{fw::htAbove};
  return hit == fw::THitTests{fw::htOnStateIcon} ? lvSU->GetItemAt(x, y) : nullptr;
}

void TStartupManager::PressBox(fw::TListItem* item) {
  if (FToggling) return;
  FToggling = true;
  struct TToggling {
    bool& Flag;
    ~TToggling() { Flag = false; }
  } toggling{FToggling};
  ToggleRow(item, !item->GetChecked());
}

void TStartupManager::ToggleRow(fw::TListItem* item, bool enable) {
  EnsureDisabledRegistryFiles(FForm.appDir);
  std::string reason;
  bool done = SubItem(item, siKind) == kShortcutRow ? ToggleShortcutRow(item, enable, reason)
                                                     : ToggleRegistryRow(item, enable, reason);
  if (done) {
    item->SetChecked(enable);
    return;
  }
  skin::kMessageDlg(std::string(enable ? "Can not enable entry" : "Can not disable entry") + "\n" + reason,
                    fw::mtError, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

bool TStartupManager::ToggleRegistryRow(fw::TListItem* item, bool enable, std::string& reason) {
  std::string hive = SubItem(item, siSection);
  std::string keyPath = SubItem(item, siFrom);
  int runKey = RunKeyIndex(keyPath);
  std::string storeName = StoreName(hive, runKey);
  if (runKey < 0 || storeName.empty()) {
    reason = "This key has no store of disabled entries";
    return false;
  }
  const std::string& name = item->GetCaption();
  std::string path = SubItem(item, siPath), parameters = SubItem(item, siParameters);
  if (enable) return EnableRegistryStartup(FForm.appDir, HiveOf(hive), keyPath, name, path, parameters, reason);
  return DisableRegistryStartup(FForm.appDir, HiveOf(hive), keyPath, name, path, parameters, storeName, reason);
}

bool TStartupManager::ToggleShortcutRow(fw::TListItem* item, bool enable, std::string& reason) {
  std::string held = HoldingFolder(SubItem(item, siSection));
  std::string startup = SubItem(item, siFrom);
  std::string caption = item->GetCaption();
  bool moved = enable ? MoveStartupShortcut(FForm.fo, held + "\\" + caption + ".lnk", startup, caption, reason)
                      : MoveStartupShortcut(FForm.fo, startup + "\\" + caption + ".lnk", held, caption, reason);
  if (moved) item->SetCaption(caption);
  return moved;
}

std::string TStartupManager::HoldingFolder(const std::string& section) const {
  const char* folder = section == kAllUsersSection ? kDisabledStartupAllFolder : kDisabledStartupCurrentFolder;
  return fw::ExcludeTrailingBackslash(AppPath(FForm.appDir, folder));
}

std::string TStartupManager::StartupFolder(const std::string& section) const {
  int kind = section == kAllUsersSection ? kAllUsersStartup : kCurrentUserStartup;
  return FForm.compInfo->GetFolders()->GetSpecialFolder(StartupFolderNumber(kind));
}

void TStartupManager::newBtnClick(fw::TObject*) {
  TfrmAddEntry* form = nullptr;
  fw::Application->CreateForm(form);
  form->ShowModal();
  refreshBtnClick(nullptr);
}

void TStartupManager::deleteBtnClick(fw::TObject*) {
  fw::TListItem* item = lvSU->GetSelected();
  if (!item) return;
  if (skin::kMessageDlg("Delete entry?", fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbOK, fw::mbCancel}, 0) !=
      fw::mrOk)
    return;
  DeleteRow(item);
  refreshBtnClick(nullptr);
}

void TStartupManager::DeleteRow(fw::TListItem* item) {
  std::string section = SubItem(item, siSection);
  std::string file = item->GetCaption() + ".lnk";
  bool shortcut = SubItem(item, siKind) == kShortcutRow;
  if (shortcut) {
    std::string folder = item->GetChecked() ? StartupFolder(section) : HoldingFolder(section);
    if (section == kCurrentUserSection || section == kAllUsersSection)
      DeleteFileW(Widen(folder + "\\" + file).c_str());
    return;
  }
  std::string keyPath = SubItem(item, siFrom);
  if (item->GetChecked()) {
    TRunKey key(HiveOf(section), keyPath);
    if (key.OpenForWrite(false) == ERROR_SUCCESS) key.DeleteValue(Widen(item->GetCaption()));
    return;
  }
  std::string storeName = StoreName(section == kMachine ? kMachine : kUser, RunKeyIndex(keyPath));
  if (storeName.empty()) return;
  TDisabledStore store(FForm.appDir, storeName);
  std::string reason;
  if (!store.Load(reason)) return;
  int index = store.FindEntry(item->GetCaption(), SubItem(item, siPath), SubItem(item, siParameters));
  if (index < 0) return;
  std::string line = store.Line(index);
  store.DeleteLine(index);
  store.DeleteRecord(line);
  store.Save(reason);
}

void TStartupManager::runBtnClick(fw::TObject*) {
  fw::TListItem* item = lvSU->GetSelected();
  if (!item) return;
  std::string path = SubItem(item, siPath);
  std::string parameters = SubItem(item, siParameters);
  if (!path.empty()) RunProgramCommand("\"" + path + "\"" + (parameters.empty() ? "" : " " + parameters));
}

}  // namespace app
