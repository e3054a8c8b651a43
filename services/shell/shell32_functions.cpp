#include "services/shell/shell32_functions.h"

namespace svc {

namespace {

TShell32Functions functions;
HMODULE shell32 = nullptr;

template <class F>
void Bind(F& slot, int ordinal) {
  slot = reinterpret_cast<F>(GetProcAddress(shell32, MAKEINTRESOURCEA(ordinal)));
}

}  // namespace

const TShell32Functions& Shell32() { return functions; }

void LoadShell32Functions() {
  if (!shell32) shell32 = LoadLibraryA("shell32.dll");
  if (!shell32) return;
  Bind(functions.ILClone, 18);
  Bind(functions.ILCloneFirst, 19);
  Bind(functions.ILCombine, 25);
  Bind(functions.ILGetNext, 153);
  Bind(functions.ILFindLastID, 16);
  Bind(functions.ILIsEqual, 21);
  Bind(functions.ILRemoveLastID, 17);
  Bind(functions.ILGetSize, 152);
  Bind(functions.ILFree, 155);
  Bind(functions.SHChangeNotifyRegister, 2);
  Bind(functions.SHChangeNotifyDeregister, 4);
}

bool Shell32FunctionsLoaded() { return functions.ILClone != nullptr; }

void FreeShell32Functions() {
  functions = TShell32Functions();
  if (shell32) FreeLibrary(shell32);
  shell32 = nullptr;
}

void FreePidl(LPITEMIDLIST pidl) {
  if (!pidl) return;
  if (functions.ILFree)
    functions.ILFree(pidl);
  else
    CoTaskMemFree(pidl);
}

}  // namespace svc
