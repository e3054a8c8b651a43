// TkPathDialog: the folder-selection dialog. With an active skin it shows the skinned
// TPathDialogForm (a shell tree rooted at Root, OK, Cancel, Create); otherwise the platform's
// folder browser. While a replacement file dialog service is installed (tests of the
// application), that service answers in place of both.
#pragma once
#include <string>

#include "framework/core/component.h"
#include "framework/core/sets.h"
#include "skin/controls/shell_folder.h"

namespace skin {

enum TSelectDirOpt { sdAllowCreate, sdPrompt, sdPerformCreate };
using TSelectDirOpts = fw::TSet<TSelectDirOpt>;

class TkPathDialog : public fw::TComponent {
  FW_CLASS(TkPathDialog, fw::TComponent)
 public:
  explicit TkPathDialog(fw::TComponent* owner);

  const TkRoot& GetRoot() const { return FRoot; }
  void SetRoot(const TkRoot& value) { FRoot = value; }
  // The start folder and, after a confirmed Execute, the chosen one: no trailing backslash
  // except for a drive root.
  const std::string& GetPath() const { return FPath; }
  void SetPath(const std::string& value) { FPath = value; }
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& value) { FCaption = value; }
  // When false (the default) an existing start folder becomes the current directory.
  bool GetNoChangeDir() const { return FNoChangeDir; }
  void SetNoChangeDir(bool value) { FNoChangeDir = value; }
  TSelectDirOpts GetDialogOptions() const { return FDialogOptions; }
  void SetDialogOptions(TSelectDirOpts value) { FDialogOptions = value; }

  // True when the user confirmed; Path then holds the chosen folder when it exists.
  bool Execute();

 protected:
  ~TkPathDialog() override = default;

 private:
  bool Browse(std::string& path);

  TkRoot FRoot = "rfDesktop";
  std::string FPath;
  std::string FCaption;
  bool FNoChangeDir = false;
  TSelectDirOpts FDialogOptions{sdAllowCreate, sdPerformCreate, sdPrompt};
};

}  // namespace skin
