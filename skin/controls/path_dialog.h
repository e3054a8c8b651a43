// TkPathDialog: the skinned folder-selection dialog. Until the skinned dialog exists it shows
// the framework's folder browser (fw::SelectDirectoryIn), which tests answer through the file
// dialog service.
#pragma once
#include <string>

#include "framework/core/component.h"

namespace skin {

enum TkRootFolder { rfDesktop, rfMyComputer };

class TkPathDialog : public fw::TComponent {
  FW_CLASS(TkPathDialog, fw::TComponent)
 public:
  explicit TkPathDialog(fw::TComponent* owner);

  TkRootFolder GetRoot() const { return FRoot; }
  void SetRoot(TkRootFolder value) { FRoot = value; }
  // The initial folder and, after a confirmed Execute, the chosen one: no trailing backslash
  // except for a drive root.
  const std::string& GetPath() const { return FPath; }
  void SetPath(const std::string& value) { FPath = value; }
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& value) { FCaption = value; }
  // When false (the default) the dialog starts in the process's current folder.
  bool GetNoChangeDir() const { return FNoChangeDir; }
  void SetNoChangeDir(bool value) { FNoChangeDir = value; }

  // True when the user confirmed an existing folder, which is then in Path; false on cancel,
  // Path unchanged.
  bool Execute();

 protected:
  ~TkPathDialog() override = default;

 private:
  TkRootFolder FRoot = rfMyComputer;
  std::string FPath;
  std::string FCaption;
  bool FNoChangeDir = false;
};

}  // namespace skin
