#include "services/shell/shell_comparers.h"

#include <algorithm>

#include "services/shell/shell_controller.h"
#include "services/shell/shell_item.h"

namespace svc {

namespace {

int sortColumn = 0;
bool sortAscending = true;

int LowWord(HRESULT hr) { return static_cast<int16_t>(static_cast<uint16_t>(hr & 0xFFFF)); }

// Negative when only a is a folder, positive when only b is, else 0.
int FoldersFirst(TSvShellItem* a, TSvShellItem* b) {
  if (a->GetIsFolder() == b->GetIsFolder()) return 0;
  return a->GetIsFolder() ? -1 : 1;
}

std::string SortColumnText(const TSvShellItem* item) {
  int entry = sortColumn - 1;
  fw::TStringList* texts = item->GetColumnTexts();
  return entry >= 0 && entry < texts->GetCount() ? texts->GetStrings(entry) : "";
}

// From the last "." after the last "\" or ":", empty when there is none.
std::string Extension(const std::string& path) {
  size_t dot = path.find_last_of(".\\:");
  return dot != std::string::npos && path[dot] == '.' ? path.substr(dot) : "";
}

int LocaleCompare(DWORD flags, const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, flags, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) -
         2;
}

}  // namespace

int GetSortColumn() { return sortColumn; }
void SetSortColumn(int column) { sortColumn = column; }
bool GetSortAscending() { return sortAscending; }
void SetSortAscending(bool ascending) { sortAscending = ascending; }

int CaseBlindCompare(const std::string& a, const std::string& b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    auto upper = [](char c) {
      unsigned char u = static_cast<unsigned char>(c);
      return u >= 'a' && u <= 'z' ? u - 32 : u;
    };
    int difference = upper(a[i]) - upper(b[i]);
    if (difference != 0) return difference;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int TreeCompareIds(TSvShellFolder* a, TSvShellFolder* b) {
  IShellFolder* desktop = a->GetController()->GetDesktopFolder();
  return desktop ? LowWord(desktop->CompareIDs(0, a->GetPidl(), b->GetPidl())) : 0;
}

int ComboCompareIds(TSvShellFolder* a, TSvShellFolder* b) {
  TComRef<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.Put())) || !desktop) return 0;
  return LowWord(desktop->CompareIDs(0, a->GetPidl(), b->GetPidl()));
}

int ListCompareIds(TSvShellItem* a, TSvShellItem* b) {
  IShellFolder* parent = a->GetParentFolder();
  return parent ? LowWord(parent->CompareIDs(0, a->GetRelativePidl(), b->GetRelativePidl())) : 0;
}

int ListCompareSize(TSvShellItem* a, TSvShellItem* b) {
  if (int folders = FoldersFirst(a, b)) return folders;
  int64_t sizeA = a->GetSize(), sizeB = b->GetSize();
  if (sizeA != sizeB) return sizeA < sizeB ? -1 : 1;
  return CaseBlindCompare(a->GetPath(), b->GetPath());
}

int ListCompareColumnNoCase(TSvShellItem* a, TSvShellItem* b) {
  if (int folders = FoldersFirst(a, b)) return folders;
  if (a->GetIsFolder()) return CaseBlindCompare(a->GetDisplayName(), b->GetDisplayName());
  return LocaleCompare(NORM_IGNORECASE, SortColumnText(a), SortColumnText(b));
}

int ListCompareExtension(TSvShellItem* a, TSvShellItem* b) {
  if (int folders = FoldersFirst(a, b)) return folders;
  if (a->GetIsFolder()) return CaseBlindCompare(a->GetDisplayName(), b->GetDisplayName());
  return LocaleCompare(0, Extension(a->GetPath()), Extension(b->GetPath()));
}

int ListCompareDate(TSvShellItem* a, TSvShellItem* b) {
  if (int folders = FoldersFirst(a, b)) return folders;
  fw::TDateTime dateA = a->GetDate(), dateB = b->GetDate();
  if (dateA == dateB) return 0;
  return dateA > dateB ? -1 : 1;
}

int ListCompareColumnFoldersFirst(TSvShellItem* a, TSvShellItem* b) {
  if (int folders = FoldersFirst(a, b)) return folders;
  return CaseBlindCompare(SortColumnText(a), SortColumnText(b));
}

int ListCompareColumn(TSvShellItem* a, TSvShellItem* b) {
  return CaseBlindCompare(SortColumnText(a), SortColumnText(b));
}

}  // namespace svc
