#include "app/tools/uninstaller.h"

#include "app/main/main_form.h"
#include "app/shared/command_line.h"
#include "framework/classes/registry.h"
#include "framework/classes/string_list.h"
#include "framework/core/component.h"
#include "framework/rtl/sys_utils.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

// The values of a program's subkey that a row shows, in sub-item order after the DisplayName.
const char* const kRowValues[] = {"UninstallString", "DisplayIcon", "DisplayVersion", "InstallDate", "Publisher",
                                  "Size"};

std::string SubItem(fw::TListItem* item, int index) {
  fw::TStrings* sub = item->GetSubItems();
  return index < sub->GetCount() ? sub->GetStrings(index) : std::string();
}

// A value of the open key as text: a string as it is stored, a number in decimal, anything
// else (or a value that cannot be read) empty.
std::string ValueText(const fw::TRegistry& key, const char* name) {
  try {
    switch (key.GetDataType(name)) {
      case fw::rdString:
      case fw::rdExpandString: return key.ReadString(name);
      case fw::rdInteger: return fw::IntToStr(static_cast<int64_t>(static_cast<uint32_t>(key.ReadInteger(name))));
      default: return std::string();
    }
  } catch (const fw::Exception&) {
    return std::string();
  }
}

}  // namespace

TUninstaller::TUninstaller(TfrmMain& form, skin::TkPanel& panel) : FForm(form), FPanel(panel) {
  fw::TLoadScope loading;
  CreateComponents();
}

void TUninstaller::ListUninstallEntries() {
  fw::TListItems* rows = lvUI->GetItems();
  rows->BeginUpdate();
  rows->Clear();
  fw::TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  fw::TStringList names;
  if (registry.OpenKeyReadOnly(kUninstallKey)) registry.GetKeyNames(names);
  for (int i = 0; i < names.GetCount(); ++i) {
    const std::string& name = names.GetStrings(i);
    fw::TRegistry entry(KEY_READ);
    entry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!entry.OpenKeyReadOnly(std::string(kUninstallKey) + "\\" + name)) continue;
    std::string displayName = ValueText(entry, "DisplayName");
    if (displayName.empty()) continue;
    fw::TListItem* item = rows->Add();
    item->SetCaption(displayName);
    fw::TStrings* sub = item->GetSubItems();
    for (const char* value : kRowValues) sub->Add(ValueText(entry, value));
    sub->Add(name);
    item->SetImageIndex(43);
  }
  rows->EndUpdate();
}

void TUninstaller::ShowDetails(fw::TListItem* item) {
  kEdit1->SetText(item ? item->GetCaption() : std::string());
  kEdit2->SetText(item ? SubItem(item, uiDisplayVersion) : std::string());
  kEdit3->SetText(item ? SubItem(item, uiInstallDate) : std::string());
  kEdit4->SetText(item ? SubItem(item, uiPublisher) : std::string());
  kEdit5->SetText(item ? SubItem(item, uiSize) : std::string());
}

void TUninstaller::lvUIChange(fw::TObject*, fw::TListItem*, fw::TItemChange) {
  if (fw::TListItem* item = lvUI->GetSelected()) ShowDetails(item);
}

void TUninstaller::kBitBtn1Click(fw::TObject*) {
  fw::TListItem* item = lvUI->GetSelected();
  if (item && RunProgramCommand(SubItem(item, uiUninstallString))) ListUninstallEntries();
}

void TUninstaller::kBitBtn2Click(fw::TObject*) {
  fw::TListItem* item = lvUI->GetSelected();
  if (!item) return;
  // Without a name the path would be the uninstall key itself, with every program's entry.
  std::string name = SubItem(item, uiKeyName);
  if (name.empty()) return;
  if (skin::kMessageDlg("Do you want to delete entry from registry?", fw::mtConfirmation,
                        fw::TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0) != fw::mrYes)
    return;
  fw::TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!registry.DeleteKey(std::string(kUninstallKey) + "\\" + name)) return;
  ListUninstallEntries();
  // The details must not go on showing the entry that is gone.
  ShowDetails(lvUI->GetSelected());
}

}  // namespace app
