#include "skin/controls/open_dialog.h"

#include "framework/classes/string_list.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/filter_combo_box.h"
#include "skin/controls/message_dialogs.h"
#include "skin/controls/open_dialog_form.h"
#include "skin/controls/shell_combo_box.h"
#include "skin/controls/shell_list_view.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"

namespace skin {

bool IsAbsoluteName(const std::string& name) {
  return (name.size() >= 2 && name[1] == ':') || name.rfind("\\\\", 0) == 0;
}

std::string OpenButtonName(const std::string& folder, const std::string& typed, const fw::TStrings* files,
                           const std::string& defaultExt) {
  const bool several = files && files->GetCount() >= 2;
  if (typed.empty() && !several) return "";
  std::string name = several ? files->GetStrings(files->GetCount() - 1)
                     : IsAbsoluteName(typed) ? typed
                                             : folder + typed;
  if (!defaultExt.empty() && fw::ExtractFileExt(name).empty()) name += "." + defaultExt;
  return name;
}

bool AcceptOpenName(const std::string& name, fw::TOpenOptions options, bool saveType) {
  if (options.Contains(fw::ofOverwritePrompt) && saveType && fw::FileExists(name))
    return ConfirmRequest(fw::ExtractFileName(name) + "\r\nFile exists. Overwrite?");
  const std::string folder = fw::ExtractFilePath(name);
  if (options.Contains(fw::ofPathMustExist) && !fw::DirectoryExists(folder)) {
    ShowErrorMessage(folder + "\r\nPath not found");
    return false;
  }
  if (!fw::FileExists(name)) {
    if (options.Contains(fw::ofCreatePrompt)) {
      if (!ConfirmRequest(name + "\r\nFile not found. Create?")) return false;
      HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    if (options.Contains(fw::ofFileMustExist) && !fw::FileExists(name)) {
      ShowErrorMessage(name + "\r\nFile not found");
      return false;
    }
  }
  return true;
}

TkOpenDialog::TkOpenDialog(fw::TComponent* owner) : fw::TOpenDialog(owner) {}

bool TkOpenDialog::Execute() {
  TkSkinManager* manager = DefaultManager();
  if (!manager || !manager->GetActive() || fw::FileDialogServiceReplaced()) return fw::TOpenDialog::Execute();
  const fw::TOpenOptions options = GetOptions();
  fw::Owned<TkOpenDialogForm> form = fw::MakeOwned<TkOpenDialogForm>(fw::Application);
  form->SetCaption(GetTitle().empty() ? "Open" : GetTitle());
  form->kButton1->SetCaption("Open");
  form->SetDialog(this);
  form->BtnHelp->SetVisible(options.Contains(fw::ofShowHelp));
  form->CheckBoxReadOnly->SetVisible(!options.Contains(fw::ofHideReadOnly));
  if (form->CheckBoxReadOnly->GetVisible()) form->CheckBoxReadOnly->SetChecked(options.Contains(fw::ofReadOnly));
  form->FileListView->SetMultiSelect(options.Contains(fw::ofAllowMultiSelect));
  form->FileTypeBox->HandleNeeded();  // the types are listed with the window
  form->FileTypeBox->SetFilter(GetFilter());
  form->FileTypeBox->SetItemIndex(GetFilterIndex() >= 1 ? GetFilterIndex() - 1 : 0);
  form->FileListView->SetMask(form->FileTypeBox->GetMask());
  const std::string savedDir = fw::GetCurrentDir();
  if (!options.Contains(fw::ofEnableSizing)) {
    form->SetBorderStyle(fw::bsSingle);
    form->GetSkinProvider()->SetGripMode(gmNone);
  }
  // The start folder: that of FileName, else InitialDir, else the program's; the drive root
  // when none of them can be shown.
  std::string start = fw::ExtractFilePath(GetFileName());
  if (!start.empty()) {
    form->FileNameEdit->SetText(fw::ExtractFileName(GetFileName()));
  } else {
    start = fw::DirectoryExists(GetInitialDir()) ? GetInitialDir() : fw::ProgramFolder();
    form->FileNameEdit->SetText(GetFileName());
  }
  form->GoToFolder(start);
  if (form->DriveComboBox->GetPath().empty()) form->GoToFolder("C:\\");
  form->SetOpenZipAsFolder(FZipShowing == zsAsFolder);
  form->SetActiveControl(form->FileNameEdit);
  const bool ok = form->ShowModal() == fw::mrOk;
  SetFilterIndex(form->FileTypeBox->GetItemIndex() + 1);
  if (ok) {
    if (!options.Contains(fw::ofNoChangeDir))
      fw::SetCurrentDir(form->DriveComboBox->GetPath());
    else
      fw::SetCurrentDir(savedDir);
    SetFileName(form->GetResultName());
  }
  return ok;
}

}  // namespace skin
