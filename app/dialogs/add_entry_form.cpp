#include "app/dialogs/add_entry_form.h"

#include <shlobj.h>

#include "app/main/main_form.h"
#include "app/shared/run_key.h"
#include "app/shared/wide_text.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

// The target of each location of locationCB after the two Startup folders.
struct TRegistryLocation {
  HKEY Root;
  int RunKey;
};

const TRegistryLocation kRegistryLocations[kAddEntryLocationCount - 2] = {
    {HKEY_CURRENT_USER, rkRun},          {HKEY_CURRENT_USER, rkRunOnce},    {HKEY_CURRENT_USER, rkRunOnceEx},
    {HKEY_CURRENT_USER, rkRunServices},  {HKEY_LOCAL_MACHINE, rkRun},       {HKEY_LOCAL_MACHINE, rkRunOnce},
    {HKEY_LOCAL_MACHINE, rkRunOnceEx},   {HKEY_LOCAL_MACHINE, rkRunServices},
    {HKEY_LOCAL_MACHINE, rkRunServicesOnce}};

constexpr char kInvalidName[] = "Invalid entry name";
constexpr char kEntryExists[] = "Entry already exists";

void Tell(const std::string& text) { skin::kMessageDlg(text, fw::mtWarning, fw::TMsgDlgButtons{fw::mbOK}, 0); }

bool NameFitsStore(const std::string& name) {
  return name.find("<>") == std::string::npos && name.find_first_of("\r\n") == std::string::npos;
}

bool NameFitsFile(const std::string& name) { return name.find_first_of("\\/:*?\"<>|") == std::string::npos; }

bool ValueTaken(HKEY root, const std::string& key, const std::string& name) {
  TRunKey runKey(root, key);
  return runKey.OpenForRead() == ERROR_SUCCESS && runKey.ValueExists(Widen(name));
}

std::string StartupFolderOf(int location) {
  int csidl = location == 1 ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP;
  return frmMain ? frmMain->compInfo->GetFolders()->GetSpecialFolder(csidl) : fw::GetSpecialFolderPath(csidl);
}

}  // namespace

TfrmAddEntry::TfrmAddEntry(fw::TComponent* owner) : fw::TForm(owner) {}

void TfrmAddEntry::FormCreate(fw::TObject*) {
  commandEdit->SetText("");
  nameEdit->SetText("");
  paramEdit->SetText("");
  wdEdit->SetText("");
  locationCB->SetItemIndex(0);
  activeCB->SetChecked(false);
}

void TfrmAddEntry::FormKeyPress(fw::TObject*, char& Key) {
  if (Key == 27) Close();
}

void TfrmAddEntry::FormClose(fw::TObject*, fw::TCloseAction& Action) { Action = fw::caFree; }

void TfrmAddEntry::locationCBChange(fw::TObject*) {
  bool folder = locationCB->GetItemIndex() < 2;
  wdEdit->SetEnabled(folder);
  kSpeedButton2->SetEnabled(folder);
  wdEdit->SetColor(folder ? fw::clWhite : fw::clBtnFace);
}

void TfrmAddEntry::kSpeedButton1Click(fw::TObject*) {
  if (!od->Execute()) return;
  std::string file = od->GetFileName();
  if (file.empty() || !fw::FileExists(file)) return;
  commandEdit->SetText(file);
  nameEdit->SetText(fw::ChangeFileExt(fw::ExtractFileName(file), ""));
}

void TfrmAddEntry::kSpeedButton2Click(fw::TObject*) {
  if (kBrowser->Execute()) wdEdit->SetText(kBrowser->GetPath());
}

void TfrmAddEntry::okBtnClick(fw::TObject*) {
  std::string name = nameEdit->GetText();
  std::string command = commandEdit->GetText();
  if (fw::Trim(name).empty() || fw::Trim(command).empty()) {
    Close();
    return;
  }
  int location = locationCB->GetItemIndex();
  if (location < 0 || location >= kAddEntryLocationCount) return;
  bool shortcut = location < 2;
  if (!NameFitsStore(name) || (shortcut && !NameFitsFile(name))) {
    Tell(kInvalidName);
    return;
  }
  if (shortcut) {
    std::string folder = StartupFolderOf(location);
    if (fw::FileExists(folder + "\\" + name + ".lnk")) {
      Tell(kEntryExists);
      return;
    }
    // Closes whatever happens next, also when the shortcut component raises.
    SetModalResult(fw::mrOk);
    CreateStartupShortcut(frmMain ? frmMain->sc : ss, command, folder, wdEdit->GetText(), paramEdit->GetText(),
                          name);
    return;
  }
  const TRegistryLocation& target = kRegistryLocations[location - 2];
  std::string key = RunKeyPath(target.RunKey);
  if (ValueTaken(target.Root, key, name)) {
    Tell(kEntryExists);
    return;
  }
  SetModalResult(fw::mrOk);
  if (!SaveRegistry(target.Root, key, paramEdit->GetText(), command, name))
    skin::kMessageDlg("Can not create entry", fw::mtError, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

void TfrmAddEntry::cancelBtnClick(fw::TObject*) { Close(); }

bool TfrmAddEntry::SaveRegistry(HKEY root, const std::string& key, const std::string& parameters,
                                const std::string& command, const std::string& name) {
  TRunKey runKey(root, key);
  if (runKey.OpenForWrite(true) != ERROR_SUCCESS) return false;
  std::wstring data = Widen("\"" + command + "\" " + parameters);
  TRunValue value{Widen(name), REG_SZ,
                  std::string(reinterpret_cast<const char*>(data.c_str()), (data.size() + 1) * sizeof(wchar_t))};
  if (runKey.WriteValue(value) == ERROR_SUCCESS) return true;
  runKey.DeleteIfCreated();
  return false;
}

void CreateStartupShortcut(svc::TSvShortcut* shortcut, const std::string& target, const std::string& folder,
                           const std::string& workingFolder, const std::string& parameters,
                           const std::string& description) {
  shortcut->SetFileName(target);
  shortcut->SetDestinationDir(folder);
  shortcut->SetDescription(description);
  shortcut->SetParameters(parameters);
  shortcut->SetStartInDir(workingFolder);
  // What an earlier read of another link left in the component is not carried over.
  shortcut->SetHotKey(0);
  shortcut->SetShowCommand(svc::ssNormal);
  shortcut->SetIconPath("");
  shortcut->SetIconIndex(0);
  skin::kShowMessage(shortcut->CreateShortcut() ? "Shortcut created" : "Can not create shortcut");
}

}  // namespace app
