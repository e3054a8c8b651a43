#include "services/shell/sh_file_operation.h"

#include "framework/controls/win_control.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"

namespace svc {

namespace {

constexpr FILEOP_FLAGS kOptionFlags[] = {
    FOF_ALLOWUNDO,      FOF_CONFIRMMOUSE,   FOF_FILESONLY,  FOF_MULTIDESTFILES, FOF_NOCONFIRMATION,
    FOF_NOCONFIRMMKDIR, FOF_RENAMEONCOLLISION, FOF_SILENT,  FOF_SIMPLEPROGRESS, FOF_WANTMAPPINGHANDLE,
    FOF_NOERRORUI,      0x0800,             0x1000,         0x2000,             0x8000,
    0x4000};  // no copy security attributes, no recursion, no connected elements, no recurse
              // parse, want nuke warning
static_assert(sizeof kOptionFlags / sizeof kOptionFlags[0] == fofWantNukeWarning + 1);

testing::TShFileOperationCall operationCall;
testing::TShFreeNameMappingsCall freeMappingsCall;
std::optional<bool> wideMappings;

// The block SHFileOperationA returns in hNameMappings.
struct TNameMappingBlock {
  UINT Count;
  SHNAMEMAPPINGA* Entries;
};

// The names of files, each expanded to a full name and ended by a NUL, and one more NUL.
std::string DoubleNulList(const fw::TStrings& files) {
  std::string list;
  for (int i = 0; i < files.GetCount(); ++i) {
    list += fw::ExpandUNCFileName(files.GetStrings(i));
    list += '\0';
  }
  list += '\0';
  return list;
}

bool SourceExists(const std::string& name) {
  if (name.find_first_of("*?") != std::string::npos) return true;
  return GetFileAttributesA(fw::ExpandUNCFileName(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string MappedName(const char* text, int length, bool wide) {
  if (!wide) return std::string(text, length);
  return fw::WideToUtf8(reinterpret_cast<const wchar_t*>(text), length);
}

}  // namespace

TDsSHFileOperation::TDsSHFileOperation(fw::TComponent* owner)
    : TDsCommonDialog(owner), FSourceFiles(std::make_unique<fw::TStringList>()),
      FDestFiles(std::make_unique<fw::TStringList>()) {}

TDsSHFileOperation::~TDsSHFileOperation() = default;

FILEOP_FLAGS TDsSHFileOperation::NativeFlags() const {
  FILEOP_FLAGS flags = 0;
  for (int option = fofAllowUndo; option <= fofWantNukeWarning; ++option)
    if (FOptions.Contains(static_cast<TDsSHFileOption>(option))) flags |= kOptionFlags[option];
  return flags;
}

UINT TDsSHFileOperation::NativeOperation() const {
  switch (FOperation) {
    case foDelete: return FO_DELETE;
    case foMove: return FO_MOVE;
    case foRename: return FO_RENAME;
    default: return FO_COPY;
  }
}

bool TDsSHFileOperation::Execute() {
  if (FSourceFiles->GetText().empty())
    throw EDsException("No files specified to TDsSHFileOperation Execute function");
  // The shell answers success for a source it cannot find (Wine does), so a missing one
  // fails here before anything is touched; masks are left to the shell.
  for (int i = 0; i < FSourceFiles->GetCount(); ++i)
    if (!SourceExists(FSourceFiles->GetStrings(i))) return false;
  std::string from = DoubleNulList(*FSourceFiles);
  std::string to = DoubleNulList(*FDestFiles);
  SHFILEOPSTRUCTA op{};
  op.hwnd = GetWindowHandle();
  op.wFunc = NativeOperation();
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = NativeFlags();
  op.lpszProgressTitle = FTitle.c_str();
  int answer = operationCall ? operationCall(op) : SHFileOperationA(&op);
  bool result = answer == 0 && !op.fAnyOperationsAborted;
  if (op.hNameMappings) ReportMappings(op.hNameMappings);
  return result;
}

void TDsSHFileOperation::ReportMappings(HANDLE mappings) {
  bool wide = wideMappings.value_or(fw::Win32Platform() == VER_PLATFORM_WIN32_NT);
  struct TFreeMappings {
    HANDLE Handle;
    ~TFreeMappings() {
      if (freeMappingsCall)
        freeMappingsCall(Handle);
      else
        SHFreeNameMappings(Handle);
    }
  } freeMappings{mappings};
  const auto* block = static_cast<const TNameMappingBlock*>(mappings);
  for (UINT i = 0; i < block->Count; ++i) {
    const SHNAMEMAPPINGA& entry = block->Entries[i];
    if (entry.cchOldPath < 1 || entry.cchNewPath < 1) continue;
    DoFileMapping(MappedName(entry.pszOldPath, entry.cchOldPath, wide),
                  MappedName(entry.pszNewPath, entry.cchNewPath, wide));
  }
}

HWND TDsSHFileOperation::GetWindowHandle() {
  if (auto* control = dynamic_cast<fw::TWinControl*>(GetOwner())) return control->GetHandle();
  return GetForegroundWindow();
}

void TDsSHFileOperation::DoFileMapping(const std::string& oldName, const std::string& newName) {
  if (OnFileMapping) OnFileMapping(this, oldName, newName);
}

namespace testing {

TShFileOperationCall SetShFileOperationCall(TShFileOperationCall call) {
  std::swap(operationCall, call);
  return call;
}

TShFreeNameMappingsCall SetShFreeNameMappingsCall(TShFreeNameMappingsCall call) {
  std::swap(freeMappingsCall, call);
  return call;
}

std::optional<bool> SetWideNameMappings(std::optional<bool> wide) {
  std::swap(wideMappings, wide);
  return wide;
}

}  // namespace testing

}  // namespace svc
