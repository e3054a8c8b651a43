#include "services/shell/shell_services.h"

#include <ole2.h>

#include "services/shell/shell32_functions.h"

namespace svc {

namespace {

int starts = 0;
UINT idListFormat = 0;

}  // namespace

bool StartShellServices() {
  if (starts++ > 0) return false;
  idListFormat = RegisterClipboardFormatA("Shell IDList Array");
  LoadShell32Functions();
  OleInitialize(nullptr);  // its answer changes nothing here
  return true;
}

bool StopShellServices() {
  if (starts == 0 || --starts > 0) return false;
  FreeShell32Functions();
  OleUninitialize();
  return true;
}

UINT ShellIdListFormat() { return idListFormat; }

}  // namespace svc
