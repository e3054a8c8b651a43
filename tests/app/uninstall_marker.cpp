// A stand-in program for the Uninstaller's tests, copied wherever an entry must point: it writes
// its own full path and its command line, UTF-8, one a line, into "<its own path>.txt".
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

}  // namespace

int main() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  std::string content = Utf8(path) + "\r\n" + Utf8(GetCommandLineW()) + "\r\n";
  // Written under another name first, so a reader never sees half of it.
  std::wstring part = path + L".part";
  HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  return MoveFileExW(part.c_str(), (path + L".txt").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
