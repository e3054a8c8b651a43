#include "services/search/search_files.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/sys/owned_handle.h"

namespace svc {

namespace {

constexpr DWORD kSystemHidden = FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN;

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

std::optional<bool> isConsoleOverride;

}  // namespace

bool IsConsole() {
  if (isConsoleOverride) return *isConsoleOverride;
  static const bool console = [] {
    auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI;
  }();
  return console;
}

std::optional<bool> testing::SetIsConsole(std::optional<bool> value) {
  return std::exchange(isConsoleOverride, value);
}

TDsSearchFiles::TDsSearchFiles(fw::TComponent* AOwner)
    : fw::TComponent(AOwner),
      FOptions(soSearchFiles),
      FDirParams(std::make_unique<TDsSearchParams>()),
      FFileParams(std::make_unique<TDsSearchParams>()),
      FFiles(std::make_unique<fw::TStringList>()),
      FDirectories(std::make_unique<fw::TStringList>()) {
  FFiles->SetDuplicates(fw::dupIgnore);
  FDirectories->SetDuplicates(fw::dupIgnore);
}

TDsSearchFiles::~TDsSearchFiles() = default;

void TDsSearchFiles::SetOptions(TDsSearchOptions value) {
  TDsSearchOptions old = FOptions;
  FOptions = value;
  if (old.Contains(soSorted) != value.Contains(soSorted)) {
    FFiles->SetSorted(value.Contains(soSorted));
    FDirectories->SetSorted(value.Contains(soSorted));
  }
  if (old.Contains(soAllowDuplicates) != value.Contains(soAllowDuplicates)) {
    fw::TDuplicates rule = value.Contains(soAllowDuplicates) ? fw::dupAccept : fw::dupIgnore;
    FFiles->SetDuplicates(rule);
    FDirectories->SetDuplicates(rule);
  }
}

bool TDsSearchFiles::Search() {
  if (FSearching) return false;
  Clear();
  FSearching = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{FSearching};

  bool searchRoot;
  if (FOptions.Contains(soExcludeFilesInRootDir))
    searchRoot = false;
  else if (FOptions.Contains(soCheckRootDirValid))
    searchRoot = RootIsValid();
  else
    searchRoot = true;

  if (!searchRoot && (FDirOption == doExcludeSubDirs ||
                      (FDirOption == doExcludeCompleteInvalidDirs && FOptions.Contains(soCheckRootDirValid))))
    return true;

  int depth = 0;
  return SearchDir(FRootDirectory, searchRoot, depth);
}

void TDsSearchFiles::Abort() {
  if (!FSearching) return;
  FAborting = true;
  DoAbort();
}

bool TDsSearchFiles::RootIsValid() {
  std::string root = FRootDirectory;
  if (!root.empty() && root.back() == '\\') root.pop_back();
  fw::TFindHandle find(fw::FindFirstFileUtf8(root, FFindData, FFindName));
  if (find.Get() == INVALID_HANDLE_VALUE) return false;
  find.Close();
  return (FFindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && FFindName[0] != '.' && CheckDir();
}

bool TDsSearchFiles::SearchDir(const std::string& dir, bool search, int& depth) {
  TSubDirs subDirs;
  std::string name = dir;
  if (name.empty() || name.back() != '\\') name += '\\';

  if (!ScanDirectory(name, subDirs, search) && !HandleError()) return false;

  ++depth;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{depth};
  if (FRecurseDepth != 0 && depth > FRecurseDepth) return true;

  for (auto& [sub, searchSub] : subDirs)
    if (!SearchDir(name + sub, searchSub, depth)) return false;
  return true;
}

bool TDsSearchFiles::ScanDirectory(const std::string& dir, TSubDirs& subDirs, bool search) {
  DoBeginScanDir(dir);
  fw::TFindHandle find(fw::FindFirstFileUtf8(dir + "*", FFindData, FFindName));
  if (find.Get() == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_ACCESS_DENIED;
  }

  const bool console = IsConsole();
  const bool searchFiles = search && FOptions.Contains(soSearchFiles);
  const bool searchDirs = search && FOptions.Contains(soSearchDirs);
  bool result;
  DWORD error = 0;
  for (;;) {
    if (!console) DoProgress();
    if (FAborting) {
      result = false;
      break;
    }
    const DWORD attributes = FFindData.dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      if (searchFiles && CheckFile()) DoFindFile(dir);
    } else if (!IsDotEntry(FFindName) &&
               ((attributes & kSystemHidden) != kSystemHidden || FOptions.Contains(soIncludeSystemHiddenDirs))) {
      // A junction or symbolic link may lead back into the tree: it can be reported, never entered.
      const bool enter = !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
      if (FDirOption == doExcludeSubDirs || FDirOption == doIncludeSubDirs) {
        if (searchDirs && CheckDir()) DoFindDir(dir);
        if (FDirOption == doIncludeSubDirs && enter) subDirs.emplace_back(FFindName, true);
      } else {
        const bool valid = CheckDir();
        if (searchDirs && valid) DoFindDir(dir);
        if ((FDirOption == doExcludeInvalidDirs || valid) && enter)
          subDirs.emplace_back(FFindName, valid);
      }
    }
    if (!fw::FindNextFileUtf8(find.Get(), FFindData, FFindName)) {
      error = GetLastError();
      result = error == ERROR_NO_MORE_FILES;
      break;
    }
  }
  if (!find.Close()) {
    error = GetLastError();
    result = false;
  }
  // The error goes on to HandleError, which may raise it.
  if (!result) SetLastError(error);
  return result;
}

bool TDsSearchFiles::HandleError() {
  if (FAborting) return false;
  const DWORD error = GetLastError();
  bool handled = FErrorResponse == erIgnore;
  if (OnError) OnError(this, handled);
  if (FErrorResponse == erRaise && !handled) fw::RaiseLastOSError(error);
  return handled;
}

std::string TDsSearchFiles::ReportedName(const std::string& dir) const {
  if (FOptions.Contains(soStripDirs)) return FFindName;
  return dir + FFindName;
}

void TDsSearchFiles::DoBeginScanDir(const std::string& dir) {
  if (OnBeginScanDir) OnBeginScanDir(this, dir);
}

void TDsSearchFiles::DoFindFile(const std::string& dir) {
  std::string name = ReportedName(dir);
  if (!FOptions.Contains(soOwnerData)) FFiles->Add(name);
  ++FTotalFiles;
  FTotalFileSize += static_cast<int64_t>(FindDataSize(FFindData));
  if (OnFindFile) OnFindFile(this, name);
}

void TDsSearchFiles::DoFindDir(const std::string& dir) {
  std::string name = ReportedName(dir);
  if (!FOptions.Contains(soOwnerData)) FDirectories->Add(name);
  ++FTotalDirectories;
  FTotalFileSize += static_cast<int64_t>(FindDataSize(FFindData));
  if (OnFindDirectory) OnFindDirectory(this, name);
}

void TDsSearchFiles::DoAbort() {
  if (OnAbort) OnAbort(this);
}

void TDsSearchFiles::DoProgress() {
  if (OnProgress) OnProgress(this);
}

bool TDsSearchFiles::CheckDir() {
  if (OnCheck) {
    bool result = false;
    OnCheck(this, result);
    return result;
  }
  return FDirParams->Check(FFindData, FFindName);
}

bool TDsSearchFiles::CheckFile() {
  if ((FFindData.dwFileAttributes & kSystemHidden) == kSystemHidden &&
      !FOptions.Contains(soIncludeSystemHiddenFiles))
    return false;
  if (OnCheck) {
    bool result = false;
    OnCheck(this, result);
    return result;
  }
  return FFileParams->Check(FFindData, FFindName);
}

void TDsSearchFiles::Clear() {
  FTotalDirectories = 0;
  FTotalFiles = 0;
  FTotalFileSize = 0;
  FFiles->Clear();
  FDirectories->Clear();
  FAborting = false;
}

}  // namespace svc
