#include "app/shared/command_line.h"

#include <vector>

#include "app/shared/wide_text.h"
#include "framework/rtl/sys_utils.h"
#include "framework/win.h"

namespace app {

namespace {

const char* const kProgramExtensions[] = {".exe", ".com", ".bat", ".cmd"};

bool IsFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// True when the system's program search (as CreateProcess runs it for an unquoted command)
// finds a file for name.
bool SearchFindsFile(const std::string& name) {
  std::wstring wide = Widen(fw::Trim(name));
  if (wide.empty()) return false;
  std::vector<wchar_t> found(32768);
  DWORD length = SearchPathW(nullptr, wide.c_str(), L".exe", static_cast<DWORD>(found.size()), found.data(), nullptr);
  return length > 0 && length < found.size() && IsFile(std::wstring(found.data(), length));
}

bool EndsWithProgramExtension(const std::string& text) {
  for (const char* extension : kProgramExtensions) {
    size_t n = std::char_traits<char>::length(extension);
    if (text.size() > n && fw::SameText(text.substr(text.size() - n), extension)) return true;
  }
  return false;
}

bool IsBatchFile(const std::string& path) {
  std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
  return fw::SameText(extension, ".bat") || fw::SameText(extension, ".cmd");
}

// The length of the first piece of text that ends in a program extension and is followed by a
// blank or the end; 0 when there is none.
size_t ProgramNameLength(const std::string& text) {
  for (size_t end = 1; end <= text.size(); ++end) {
    if (end < text.size() && text[end] != ' ') continue;
    if (EndsWithProgramExtension(text.substr(0, end))) return end;
  }
  return 0;
}

bool IsAbsolutePath(const std::string& path) {
  bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  bool unc = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
  return drive || unc;
}

bool IsBareName(const std::string& path) { return path.find_first_of("\\/:") == std::string::npos; }

using TFolderCall = UINT(WINAPI*)(LPWSTR, UINT);

std::string WideFolder(TFolderCall get) {
  wchar_t buffer[MAX_PATH] = {};
  UINT length = get(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Narrow(std::wstring(buffer, length)) : std::string();
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (!IsAbsolutePath(folder)) return std::string();
  std::string path = folder;
  if (path.back() != '\\') path += '\\';
  path += name;
  return IsFile(Widen(path)) ? path : std::string();
}

std::string FindBareName(const std::string& name) {
  for (TFolderCall get : {TFolderCall(&GetSystemDirectoryW), TFolderCall(&GetWindowsDirectoryW)}) {
    std::string found = InFolder(WideFolder(get), name);
    if (!found.empty()) return found;
  }
  std::string path = Narrow([] {
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetEnvironmentVariableW(L"PATH", buffer.data(), static_cast<DWORD>(buffer.size()));
    return length < buffer.size() ? std::wstring(buffer.data(), length) : std::wstring();
  }());
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(';', start);
    if (end == std::string::npos) end = path.size();
    std::string folder = fw::Trim(path.substr(start, end - start));
    if (folder.size() > 1 && folder.front() == '"' && folder.back() == '"') folder = folder.substr(1, folder.size() - 2);
    std::string found = folder.empty() ? std::string() : InFolder(folder, name);
    if (!found.empty()) return found;
    start = end + 1;
  }
  return std::string();
}

}  // namespace

TCommandParts SplitCommand(const std::string& command, bool expand) {
  if (command.empty()) return {};
  if (command[0] == '"') {
    std::string rest = command.substr(1);
    size_t quote = rest.find('"');
    if (quote == std::string::npos) return {"", fw::Trim(rest)};
    return {fw::Trim(rest.substr(0, quote)), fw::Trim(rest.substr(quote + 1))};
  }
  for (size_t end = 1; end <= command.size(); ++end) {
    if (end < command.size() && command[end] != ' ') continue;
    std::string prefix = command.substr(0, end);
    if (fw::Trim(prefix).empty()) continue;
    if (SearchFindsFile(expand ? ExpandEnvironment(prefix) : prefix))
      return {fw::Trim(prefix), fw::Trim(command.substr(end))};
  }
  size_t length = ProgramNameLength(command);
  if (length > 0) return {fw::Trim(command.substr(0, length)), fw::Trim(command.substr(length))};
  return {fw::Trim(command), ""};
}

bool HasEnvironmentReference(const std::string& text) {
  size_t open = text.find('%');
  if (open == std::string::npos) return false;
  size_t close = text.find('%', open + 1);
  return close != std::string::npos && close > open + 1;
}

std::string ExpandEnvironment(const std::string& text) {
  std::wstring wide = Widen(text);
  DWORD length = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
  if (length == 0) return text;
  std::vector<wchar_t> buffer(length + 1);
  DWORD written = ExpandEnvironmentStringsW(wide.c_str(), buffer.data(), length + 1);
  if (written == 0 || written > length + 1) return text;
  return Narrow(std::wstring(buffer.data()));
}

std::string FindCommandProgram(const std::string& command, std::string& arguments) {
  arguments.clear();
  std::string text = fw::TrimLeft(ExpandEnvironment(command));
  std::string program;
  if (!text.empty() && text[0] == '"') {
    size_t quote = text.find('"', 1);
    if (quote == std::string::npos) return std::string();
    program = text.substr(1, quote - 1);
    arguments = fw::TrimLeft(text.substr(quote + 1));
  } else {
    size_t length = ProgramNameLength(text);
    if (length == 0) length = text.size();
    program = text.substr(0, length);
    arguments = fw::TrimLeft(text.substr(length));
  }
  program = fw::Trim(program);
  if (program.empty()) return std::string();
  if (IsBareName(program)) return FindBareName(program);
  if (!IsAbsolutePath(program)) return std::string();
  return IsFile(Widen(program)) ? program : std::string();
}

bool RunProgramCommand(const std::string& command) {
  std::string arguments;
  std::string program = FindCommandProgram(command, arguments);
  if (program.empty()) return false;
  std::wstring application = Widen(program);
  std::wstring line = L"\"" + application + L"\"";
  if (!arguments.empty()) line += L" " + Widen(arguments);
  if (IsBatchFile(program)) {
    // A batch file runs in the system's command interpreter, itself named by its full path.
    std::string interpreter = InFolder(WideFolder(&GetSystemDirectoryW), "cmd.exe");
    if (interpreter.empty()) return false;
    application = Widen(interpreter);
    line = L"\"" + application + L"\" /s /c \"" + line + L"\"";
  }
  std::vector<wchar_t> buffer(line.begin(), line.end());  // CreateProcessW may write into it
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace app
