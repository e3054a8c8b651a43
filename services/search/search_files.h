// A recursive file search: walks a directory tree depth-first from a root directory, tests
// every entry against a directory filter and a file filter, and reports the matches through
// events. Everything runs on the caller's thread; Search returns when the walk is done. Names
// are UTF-8 and paths may be of any length.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/events.h"
#include "framework/core/sets.h"
#include "framework/classes/string_list.h"
#include "framework/win.h"
#include "services/search/search_params.h"

namespace svc {

enum TDsDirOption {
  doExcludeSubDirs,
  doIncludeSubDirs,
  doExcludeInvalidDirs,          // invalid directories are entered but report nothing
  doExcludeCompleteInvalidDirs   // invalid directories and all below them are skipped
};

enum TDsSearchOption {
  soAllowDuplicates,
  soCheckRootDirValid,
  soExcludeFilesInRootDir,
  soOwnerData,
  soSearchDirs,
  soSearchFiles,
  soSorted,
  soStripDirs,
  soIncludeSystemHiddenDirs,
  soIncludeSystemHiddenFiles
};
using TDsSearchOptions = fw::TSet<TDsSearchOption>;

enum TDsErrorResponse { erAbort, erIgnore, erRaise };

using TDsFileSearchEvent = std::function<void(fw::TObject* Sender, const std::string& AName)>;
using TDsSearchFilesError = std::function<void(fw::TObject* Sender, bool& Handled)>;
using TDsCheckEvent = std::function<void(fw::TObject* Sender, bool& Result)>;

// True in a console program (by the subsystem in the executable's header): it has no window
// messages to let through, so searches there skip the progress event.
bool IsConsole();

namespace testing {
// A console program that drives the progress event (a test) sets false; no value restores
// the answer of the executable's header.
std::optional<bool> SetIsConsole(std::optional<bool> value);
}  // namespace testing

class TDsSearchFiles : public fw::TComponent {
  FW_CLASS(TDsSearchFiles, fw::TComponent)

 public:
  explicit TDsSearchFiles(fw::TComponent* AOwner);

  TDsDirOption GetDirOption() const { return FDirOption; }
  void SetDirOption(TDsDirOption value) { FDirOption = value; }
  // 0: no limit; N: at most N levels below the root are entered.
  int GetRecurseDepth() const { return FRecurseDepth; }
  void SetRecurseDepth(int value) { FRecurseDepth = value; }
  const std::string& GetRootDirectory() const { return FRootDirectory; }
  void SetRootDirectory(const std::string& value) { FRootDirectory = value; }
  TDsSearchOptions GetOptions() const { return FOptions; }
  void SetOptions(TDsSearchOptions value);
  TDsErrorResponse GetErrorResponse() const { return FErrorResponse; }
  void SetErrorResponse(TDsErrorResponse value) { FErrorResponse = value; }
  TDsSearchParams* GetDirParams() const { return FDirParams.get(); }
  void SetDirParams(const TDsSearchParams* value) { FDirParams->Assign(value); }
  TDsSearchParams* GetFileParams() const { return FFileParams.get(); }
  void SetFileParams(const TDsSearchParams* value) { FFileParams->Assign(value); }

  TDsFileSearchEvent OnBeginScanDir;  // a directory is about to be listed
  TDsFileSearchEvent OnFindFile;      // a file matched
  TDsFileSearchEvent OnFindDirectory; // a directory matched
  fw::TNotifyEvent OnAbort;           // Abort was called during a search
  TDsSearchFilesError OnError;        // a directory listing failed
  TDsCheckEvent OnCheck;              // replaces the filter test when assigned
  fw::TNotifyEvent OnProgress;        // once per directory entry read

  // The names found by the last search (unless soOwnerData).
  fw::TStringList* GetFiles() const { return FFiles.get(); }
  fw::TStringList* GetDirectories() const { return FDirectories.get(); }
  bool GetSearching() const { return FSearching; }
  int GetTotalFiles() const { return FTotalFiles; }
  int GetTotalDirectories() const { return FTotalDirectories; }
  // The sum of the sizes of every reported entry, files and directories.
  int64_t GetTotalFileSize() const { return FTotalFileSize; }
  // The entry being examined. Its cFileName holds the UTF-8 name only when that fits; the
  // whole name is GetFindName.
  const WIN32_FIND_DATAA& GetFindData() const { return FFindData; }
  const std::string& GetFindName() const { return FFindName; }

  // True when the walk completed or there was nothing to walk; False when it was aborted or
  // stopped on an error, and at once when a search is already running.
  bool Search();
  // Stops a running search within one directory entry.
  void Abort();

 protected:
  ~TDsSearchFiles() override;

  virtual void DoBeginScanDir(const std::string& dir);
  virtual void DoFindFile(const std::string& dir);
  virtual void DoFindDir(const std::string& dir);
  virtual void DoAbort();
  virtual void DoProgress();
  virtual bool CheckDir();
  virtual bool CheckFile();
  virtual bool HandleError();
  virtual void Clear();
  virtual bool SearchDir(const std::string& dir, bool search, int& depth);

 private:
  // A subdirectory to enter, and whether its own entries are reported.
  using TSubDirs = std::vector<std::pair<std::string, bool>>;

  bool ScanDirectory(const std::string& dir, TSubDirs& subDirs, bool search);
  bool RootIsValid();
  std::string ReportedName(const std::string& dir) const;

  TDsDirOption FDirOption = doIncludeSubDirs;
  int FRecurseDepth = 0;
  std::string FRootDirectory;
  TDsSearchOptions FOptions;
  TDsErrorResponse FErrorResponse = erAbort;
  std::unique_ptr<TDsSearchParams> FDirParams;
  std::unique_ptr<TDsSearchParams> FFileParams;
  std::unique_ptr<fw::TStringList> FFiles;
  std::unique_ptr<fw::TStringList> FDirectories;
  bool FSearching = false;
  bool FAborting = false;
  int FTotalFiles = 0;
  int FTotalDirectories = 0;
  int64_t FTotalFileSize = 0;
  WIN32_FIND_DATAA FFindData{};
  std::string FFindName;
};

}  // namespace svc
