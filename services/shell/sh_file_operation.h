// TDsSHFileOperation: one shell copy, move, delete or rename over a list of source files and a
// list of destination files, with the shell's option flags; the names the shell gave files it
// renamed on a collision are reported through OnFileMapping.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "framework/core/sets.h"
#include "framework/classes/string_list.h"
#include "services/shell/ds_common_dialog.h"

namespace svc {

enum TDsSHFileOpType { foCopy, foDelete, foMove, foRename };

enum TDsSHFileOption {
  fofAllowUndo, fofConfirmMouse, fofFilesOnly, fofMultiDestFiles, fofNoConfirmation, fofNoConfirmMkDir,
  fofRenameOnCollision, fofSilent, fofSimpleProgress, fofWantMappingHandle, fofNoErrorUI,
  fofNoCopySecurityAttributes, fofNoRecursion, fofNoConnectedElements, fofNoRecurseParse, fofWantNukeWarning
};
using TDsSHFileOptions = fw::TSet<TDsSHFileOption>;

using TDsFileMappingEvent =
    std::function<void(fw::TObject* Sender, const std::string& OldFileName, const std::string& NewFileName)>;

class TDsSHFileOperation : public TDsCommonDialog {
  FW_CLASS(TDsSHFileOperation, TDsCommonDialog)
 public:
  explicit TDsSHFileOperation(fw::TComponent* owner);

  // Runs the operation: true when the shell reports success and nothing was aborted; false,
  // without calling the shell, when a source (other than a mask) does not exist. An empty
  // source list raises EDsException.
  bool Execute() override;

  fw::TStrings* GetSourceFiles() const { return FSourceFiles.get(); }
  void SetSourceFiles(const fw::TStrings* files) { FSourceFiles->Assign(files); }
  fw::TStrings* GetDestFiles() const { return FDestFiles.get(); }
  void SetDestFiles(const fw::TStrings* files) { FDestFiles->Assign(files); }
  TDsSHFileOpType GetOperation() const { return FOperation; }
  void SetOperation(TDsSHFileOpType operation) { FOperation = operation; }
  TDsSHFileOptions GetOptions() const { return FOptions; }
  void SetOptions(TDsSHFileOptions options) { FOptions = options; }
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }

  // The FOF_... flags of the options and the FO_... code of the operation.
  FILEOP_FLAGS NativeFlags() const;
  UINT NativeOperation() const;

  TDsFileMappingEvent OnFileMapping;

 protected:
  ~TDsSHFileOperation() override;
  // The owner's window when it is a windowed control, else the foreground window.
  virtual HWND GetWindowHandle();
  virtual void DoFileMapping(const std::string& oldName, const std::string& newName);

 private:
  void ReportMappings(HANDLE mappings);

  std::unique_ptr<fw::TStringList> FSourceFiles;
  std::unique_ptr<fw::TStringList> FDestFiles;
  TDsSHFileOpType FOperation = foCopy;
  TDsSHFileOptions FOptions{fofAllowUndo, fofFilesOnly};
  std::string FTitle;
};

namespace testing {
// The shell calls of TDsSHFileOperation (defaults: SHFileOperationA, SHFreeNameMappings), so
// tests can watch the structure and hand back what the test system cannot produce. An empty
// function restores the default; each setter returns the previous one.
using TShFileOperationCall = std::function<int(SHFILEOPSTRUCTA&)>;
TShFileOperationCall SetShFileOperationCall(TShFileOperationCall call);
using TShFreeNameMappingsCall = std::function<void(HANDLE)>;
TShFreeNameMappingsCall SetShFreeNameMappingsCall(TShFreeNameMappingsCall call);
// Whether name-mapping entries hold UTF-16 text (NT systems) or 8-bit text; nullopt follows
// the platform. Returns the previous setting.
std::optional<bool> SetWideNameMappings(std::optional<bool> wide);
}  // namespace testing

}  // namespace svc
