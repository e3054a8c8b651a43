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

}  // namespace fw
