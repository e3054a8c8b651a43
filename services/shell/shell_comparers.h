// The sort comparers of the shell views; each answers negative, zero or positive.
#pragma once
#include <string>

namespace svc {

class TSvShellItem;
class TSvShellFolder;

// The list view's sort column, set by the list view before it sorts.
int GetSortColumn();
void SetSortColumn(int column);
// Whether the list views show their rows in ascending order; held once for the program.
bool GetSortAscending();
void SetSortAscending(bool ascending);

// Bytes compared with a to z taken as A to Z; a prefix sorts first.
int CaseBlindCompare(const std::string& a, const std::string& b);

// By the desktop's order of the absolute item-ID lists (the controller's desktop folder; the
// combo box's through a desktop folder of its own).
int TreeCompareIds(TSvShellFolder* a, TSvShellFolder* b);
int ComboCompareIds(TSvShellFolder* a, TSvShellFolder* b);
// By the parent folder's order of the relative item-ID lists.
int ListCompareIds(TSvShellItem* a, TSvShellItem* b);
// The rest put folders first; then by size ascending (equal sizes by path), by the sort
// column's text with the user's locale, by extension, by date with the latest first, or by the
// sort column's text without case.
int ListCompareSize(TSvShellItem* a, TSvShellItem* b);
int ListCompareColumnNoCase(TSvShellItem* a, TSvShellItem* b);
int ListCompareExtension(TSvShellItem* a, TSvShellItem* b);
int ListCompareDate(TSvShellItem* a, TSvShellItem* b);
int ListCompareColumnFoldersFirst(TSvShellItem* a, TSvShellItem* b);
// The sort column's texts without case; folders are not put first.
int ListCompareColumn(TSvShellItem* a, TSvShellItem* b);

}  // namespace svc
