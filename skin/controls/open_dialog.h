// TkOpenDialog: the open-file dialog. With an active skin it shows the skinned TkOpenDialogForm
// (folder combo, file list, history, view styles, file-name edit and file-type filter);
// otherwise, and while a replacement file dialog service is installed (tests of the
// application), the framework's dialog, which that service answers.
#pragma once
#include <string>

#include "framework/dialogs/open_dialog.h"

namespace fw {
class TStrings;
}

namespace skin {

enum TkZipShowing { zsAsFolder, zsAsFile };

// Whether a typed name is a full path of its own: a drive ("X:...") or a share ("\\server...").
bool IsAbsoluteName(const std::string& name);

// The name the Open button works on: the last of files when two or more are selected, else the
// typed text, joined to folder unless it is a full path, with "." + defaultExt added when it has
// no extension. Empty when nothing is typed and no files are selected.
std::string OpenButtonName(const std::string& folder, const std::string& typed, const fw::TStrings* files,
                           const std::string& defaultExt);

// The Open button's checks of a name under options, asking and reporting through the message
// dialogs: a save-type dialog's existing file asks "File exists. Overwrite?"; ofPathMustExist
// wants the folder, ofCreatePrompt offers to create a missing file (made empty on Yes) and
// ofFileMustExist wants the file. True when the dialog may close with the name.
bool AcceptOpenName(const std::string& name, fw::TOpenOptions options, bool saveType);

class TkOpenDialog : public fw::TOpenDialog {
  FW_CLASS(TkOpenDialog, fw::TOpenDialog)
 public:
  explicit TkOpenDialog(fw::TComponent* owner);

  TkZipShowing GetZipShowing() const { return FZipShowing; }
  void SetZipShowing(TkZipShowing value) { FZipShowing = value; }

  bool Execute() override;

 protected:
  ~TkOpenDialog() override = default;

 private:
  TkZipShowing FZipShowing = zsAsFolder;
};

}  // namespace skin
