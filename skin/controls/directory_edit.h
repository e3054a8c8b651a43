// TkDirectoryEdit: the folder edit with the open-folder glyph ("BTN_OPENFOLDER"). Its button
// opens the folder dialog at the edit's folder (Text, else InitialDir; a folder that does not
// exist is dropped): with an active skin the skinned folder picker (TkPathDialog), whose chosen
// folder replaces Text; without one the platform's folder browser, whose folder is appended
// after ";" under MultipleDirs. Dropped files give their folder.
#pragma once
#include <string>

#include "framework/core/sets.h"
#include "skin/controls/file_dir_edit.h"
#include "skin/controls/path_dialog.h"

namespace skin {

class TkDirectoryEdit : public TkFileDirEdit {
  FW_CLASS(TkDirectoryEdit, TkFileDirEdit)
 public:
  explicit TkDirectoryEdit(fw::TComponent* owner);

  // The shell root the dialog shows.
  const TkRoot& GetRoot() const { return FRoot; }
  void SetRoot(const TkRoot& value) { FRoot = value; }
  // The folder the dialog starts in when Text is empty; the last folder chosen.
  const std::string& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& value) { FInitialDir = value; }
  TSelectDirOpts GetDialogOptions() const { return FDialogOptions; }
  void SetDialogOptions(TSelectDirOpts value) { FDialogOptions = value; }
  // Text holds several folders separated by ";".
  bool GetMultipleDirs() const { return GetMultipleNames(); }
  void SetMultipleDirs(bool value) { SetMultipleNames(value); }
  // When false (the default) the start folder becomes the process's current folder.
  bool GetNoChangeDir() const { return FNoChangeDir; }
  void SetNoChangeDir(bool value) { FNoChangeDir = value; }

  std::string LongPathText() const override;
  std::string ShortPathText() const override;
  // A file gives its folder; under MultipleDirs a non-empty Text gets it after ";".
  void StoreFolderName(const std::string& name) override;
  void RunButtonAction() override;

 protected:
  ~TkDirectoryEdit() override = default;

 private:
  // Each folder of Text converted (under MultipleDirs the non-empty results joined by ";").
  std::string ConvertedText(std::string (*convert)(const std::string&)) const;
  // Text, or after ";" under MultipleDirs when Text is not empty.
  void AddFolder(const std::string& folder);

  TkRoot FRoot = "rfDesktop";
  std::string FInitialDir;
  TSelectDirOpts FDialogOptions{sdAllowCreate, sdPerformCreate, sdPrompt};
  bool FNoChangeDir = false;
};

}  // namespace skin
