#include "framework/rtl/wide_path.h"

namespace fw {
namespace {

// CreateDirectoryW refuses a plain path that leaves no room for an 8.3 name below it.
constexpr size_t kLongestPlainPath = MAX_PATH - 12;

bool HasPrefix(const std::string& path) {
  return path.size() >= 4 && path[0] == '\\' && path[1] == '\\' && (path[2] == '?' || path[2] == '.') &&
         path[3] == '\\';
}

}  // namespace

std::wstring FullWidePath(const std::string& path) {
  std::wstring wide = Utf8ToWide(path);
  if (wide.empty() || HasPrefix(path)) return wide;
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return wide;
  std::wstring full(size, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return wide;
  full.resize(length);
  return full;
}

std::wstring FileApiPath(const std::string& path) {
  std::wstring full = FullWidePath(path);
  if (full.size() < kLongestPlainPath || HasPrefix(path)) return full;
  if (full.size() > 2 && full[0] == L'\\' && full[1] == L'\\') return L"\\\\?\\UNC\\" + full.substr(2);
  if (full.size() > 2 && full[1] == L':') return L"\\\\?\\" + full;
  return full;
}

std::wstring WithoutLongPathPrefix(const std::wstring& path) {
  if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + path.substr(8);
  if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
  return path;
}

std::string DisplayPath(const std::string& path) {
  if (!HasPrefix(path) || path[2] != '?') return path;
  if (path.compare(4, 4, "UNC\\") == 0) return "\\\\" + path.substr(8);
  if (path.size() >= 6 && path[5] == ':') return path.substr(4);
  return path;
}

std::string ModuleFileName(HMODULE module) {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return std::string();
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(name.size() * 2);
  }
  // Wine leaves out the "\\?\" of a name that needs it: "unix\..." for a file no drive reaches,
  // and a path too long for the plain form, which the system names with the prefix it was loaded by.
  std::string path = WideToUtf8(name);
  if (HasPrefix(path)) return path;
  const bool share = path.compare(0, 2, "\\\\") == 0;
  const bool drive = path.size() >= 2 && path[1] == ':';
  if (!share && !drive) return "\\\\?\\" + path;
  if (name.size() < MAX_PATH) return path;
  return share ? "\\\\?\\UNC\\" + path.substr(2) : "\\\\?\\" + path;
}

}  // namespace fw
