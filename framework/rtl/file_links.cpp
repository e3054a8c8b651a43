#include "framework/rtl/file_links.h"

#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_path.h"
#include "framework/sys/owned_handle.h"
#include "framework/win.h"

#include <winternl.h>

namespace fw {
namespace {

using TGetFinalPathName = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// Not in every system the program runs on, so looked up once.
TGetFinalPathName FinalPathFunction() {
  static const TGetFinalPathName function = reinterpret_cast<TGetFinalPathName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
  return function;
}

std::wstring UpperCased(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The path of the object an open handle stands for, without a trailing backslash; "" when it
// cannot be had.
std::wstring FinalPathAsIs(HANDLE handle) {
  TGetFinalPathName finalPath = FinalPathFunction();
  if (!finalPath) return std::wstring();
  DWORD size = finalPath(handle, nullptr, 0, 0);
  if (size == 0) return std::wstring();
  std::wstring path(size, L'\0');
  DWORD length = finalPath(handle, path.data(), size, 0);
  if (length == 0 || length >= size) return std::wstring();
  path.resize(length);
  while (path.size() > 1 && path.back() == L'\\') path.pop_back();
  return path;
}

using TQueryObject = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
constexpr int kObjectNameInformation = 1;

TQueryObject QueryObjectFunction() {
  static const TQueryObject function = reinterpret_cast<TQueryObject>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject")));
  return function;
}

// The system's own name of the object an open handle stands for (a device path, of any length),
// upper-cased and without a trailing backslash; "" when it cannot be had. It names the object
// reached, so it tells a followed link from the link itself.
std::wstring ObjectName(HANDLE handle) {
  TQueryObject query = QueryObjectFunction();
  if (!query) return std::wstring();
  ULONG size = 0;
  query(handle, kObjectNameInformation, nullptr, 0, &size);
  if (size < sizeof(UNICODE_STRING)) size = 1024;
  std::vector<ULONG_PTR> buffer(size / sizeof(ULONG_PTR) + 1);
  if (query(handle, kObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR)),
            &size) < 0)
    return std::wstring();
  const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
  if (!name->Buffer || name->Length == 0) return std::wstring();
  std::wstring result(name->Buffer, name->Length / sizeof(wchar_t));
  while (result.size() > 1 && result.back() == L'\\') result.pop_back();
  return UpperCased(result);
}

TFileHandle OpenForQuery(const std::wstring& path, bool asItself) {
  DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (asItself ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
  return TFileHandle(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, flags, nullptr));
}

// The name the entry at path (no drive root) has in its folder's listing; false when nothing
// is there.
bool ListedName(const std::string& path, std::string& name) {
  WIN32_FIND_DATAA data;
  TFindHandle find(FindFirstFileUtf8(path, data, name));
  return find.Valid();
}

std::string WithoutTrailingBackslash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// The link at path, ready to be removed or moved by itself; its attributes in attr.
bool LinkCanBeTakenByItself(const std::string& path, DWORD& attr) {
  attr = FileAttributes(path);
  if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  TFileHandle link = OpenForQuery(FileApiPath(path), true);
  return link.Valid() && OpensAsItself(link.Get(), path);
}

void CollectLinks(const std::string& folder, std::vector<std::string>& links) {
  TSearchRec rec;
  if (FindFirst(folder + "\\*", faAnyFile, rec) == 0) {
    do {
      if (rec.Name == "." || rec.Name == "..") continue;
      std::string path = folder + "\\" + rec.Name;
      if (IsLink(path))
        links.push_back(path);
      else if (rec.Attr & faDirectory)
        CollectLinks(path, links);
    } while (FindNext(rec) == 0);
  }
  FindClose(rec);
}

}  // namespace

TOpenedEntries::TOpenedEntries(const std::string& folder) {
  TFileHandle handle = OpenForQuery(FileApiPath(folder), false);
  if (handle.Valid()) FFolder = ObjectName(handle.Get());
}

bool TOpenedEntries::IsItself(HANDLE handle, const std::string& name) const {
  return !FFolder.empty() && !name.empty() && ObjectName(handle) == FFolder + L"\\" + UpperCased(Utf8ToWide(name));
}

bool OpensAsItself(HANDLE handle, const std::string& path) {
  std::string entry = WithoutTrailingBackslash(path), name;
  if (ExtractFileName(entry).empty()) return true;
  return ListedName(entry, name) && TOpenedEntries(ExtractFileDir(entry)).IsItself(handle, name);
}

bool IsLink(const std::string& path) {
  std::string entry = WithoutTrailingBackslash(path);
  DWORD attr = FileAttributes(entry);
  if (attr == INVALID_FILE_ATTRIBUTES) return false;
  if (attr & FILE_ATTRIBUTE_REPARSE_POINT) return true;
  if (ExtractFileName(entry).empty()) return false;
  TFileHandle handle = OpenForQuery(FileApiPath(entry), false);
  return !handle.Valid() || !OpensAsItself(handle.Get(), entry);
}

bool RemoveLink(const std::string& path) {
  std::string link = WithoutTrailingBackslash(path);
  DWORD attr;
  if (!LinkCanBeTakenByItself(link, attr)) return false;
  std::wstring wide = FileApiPath(link);
  if (attr & FILE_ATTRIBUTE_DIRECTORY)
    RemoveDirectoryW(wide.c_str());
  else
    DeleteFileW(wide.c_str());
  return FileAttributes(link) == INVALID_FILE_ATTRIBUTES;
}

bool CanTakeLinkByItself(const std::string& path) {
  DWORD attr;
  return LinkCanBeTakenByItself(WithoutTrailingBackslash(path), attr);
}

bool MoveLink(const std::string& path, const std::string& destination) {
  std::string link = WithoutTrailingBackslash(path);
  DWORD attr;
  if (!LinkCanBeTakenByItself(link, attr) || FileAttributes(destination) != INVALID_FILE_ATTRIBUTES) return false;
  // No MOVEFILE_COPY_ALLOWED: across volumes that would copy what the link leads to.
  return MoveFileExW(FileApiPath(link).c_str(), FileApiPath(destination).c_str(), 0) != FALSE;
}

std::string FinalPathName(const std::string& path) {
  std::wstring wide = FileApiPath(path);
  if (wide.empty()) return std::string();
  TFileHandle handle = OpenForQuery(wide, false);
  if (!handle.Valid()) return std::string();
  std::wstring final = FinalPathAsIs(handle.Get());
  return WideToUtf8(WithoutLongPathPrefix(final));
}

std::vector<std::string> LinksInTree(const std::string& folder) {
  std::vector<std::string> links;
  CollectLinks(WithoutTrailingBackslash(folder), links);
  return links;
}

}  // namespace fw
