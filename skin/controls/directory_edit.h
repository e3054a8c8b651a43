// TkDirectoryEdit: an edit for a folder path with a folder button inside its right edge. The
// button opens the folder dialog (TkPathDialog) at the edit's folder; a folder the user
// confirms becomes the edit's Text (so OnChange runs) and its InitialDir. For now it draws and
// behaves as the framework's edit with a small push button.
#pragma once
#include <string>

#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/path_dialog.h"
#include "skin/controls/speed_button.h"

namespace skin {

class TkDirectoryEdit : public fw::TMaskEdit {
  FW_CLASS(TkDirectoryEdit, fw::TMaskEdit)
 public:
  explicit TkDirectoryEdit(fw::TComponent* owner);

  // The shell folder the dialog is rooted at.
  TkRootFolder GetRoot() const { return FRoot; }
  void SetRoot(TkRootFolder value) { FRoot = value; }
  // The folder the dialog starts in when Text is empty; the last folder chosen.
  const std::string& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& value) { FInitialDir = value; }
  // When false (the default) the start folder becomes the process's current folder.
  bool GetNoChangeDir() const { return FNoChangeDir; }
  void SetNoChangeDir(bool value) { FNoChangeDir = value; }
  TkSpeedButton* GetButton() const { return FButton; }

  // What the folder button does: shows the dialog and takes the folder chosen.
  virtual void RunButtonAction();

  void Dispatch(fw::TMessage& msg) override;

 protected:
  ~TkDirectoryEdit() override = default;
  void CreateWnd() override;

 private:
  void ButtonClick(fw::TObject* Sender);
  // Keeps the text clear of the button.
  void FitEditRect();

  TkSpeedButton* FButton = nullptr;
  TkRootFolder FRoot = rfDesktop;
  std::string FInitialDir;
  bool FNoChangeDir = false;
};

}  // namespace skin
