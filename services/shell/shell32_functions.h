// The item-ID list and change-notification functions of shell32.dll, bound by ordinal.
#pragma once
#include "framework/win.h"

namespace svc {

struct TShell32Functions {
  LPITEMIDLIST(WINAPI* ILClone)(LPCITEMIDLIST) = nullptr;
  LPITEMIDLIST(WINAPI* ILCloneFirst)(LPCITEMIDLIST) = nullptr;
  LPITEMIDLIST(WINAPI* ILCombine)(LPCITEMIDLIST, LPCITEMIDLIST) = nullptr;
  LPITEMIDLIST(WINAPI* ILGetNext)(LPCITEMIDLIST) = nullptr;
  LPITEMIDLIST(WINAPI* ILFindLastID)(LPCITEMIDLIST) = nullptr;
  BOOL(WINAPI* ILIsEqual)(LPCITEMIDLIST, LPCITEMIDLIST) = nullptr;
  BOOL(WINAPI* ILRemoveLastID)(LPITEMIDLIST) = nullptr;
  UINT(WINAPI* ILGetSize)(LPCITEMIDLIST) = nullptr;
  void(WINAPI* ILFree)(LPITEMIDLIST) = nullptr;
  ULONG(WINAPI* SHChangeNotifyRegister)(HWND, int, LONG, UINT, int, const SHChangeNotifyEntry*) = nullptr;
  BOOL(WINAPI* SHChangeNotifyDeregister)(ULONG) = nullptr;
};

// The bound functions; every pointer is null until LoadShell32Functions ran, and stays null
// when the library or that ordinal is missing.
const TShell32Functions& Shell32();
// Loads shell32.dll (once) and binds the eleven functions by ordinal.
void LoadShell32Functions();
// True once ILClone is bound.
bool Shell32FunctionsLoaded();
// Clears the pointers and frees the library when LoadShell32Functions loaded it.
void FreeShell32Functions();

// Frees an item-ID list with the bound ILFree (CoTaskMemFree before binding); null is fine.
void FreePidl(LPITEMIDLIST pidl);

}  // namespace svc
