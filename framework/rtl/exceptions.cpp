#include "framework/rtl/exceptions.h"

#include "framework/rtl/sys_utils.h"

namespace fw {

std::string SysErrorMessage(DWORD errorCode) {
  char buffer[1024];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                    FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                nullptr, errorCode, 0, buffer, sizeof buffer, nullptr);
  while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                        buffer[length - 1] == ' ' || buffer[length - 1] == '.'))
    --length;
  return std::string(buffer, length);
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(DWORD errorCode) {
  if (errorCode == 0) throw EOSError("A call to an OS function failed", 0);
  throw EOSError(Format("System Error.  Code: %d.\r\n%s", static_cast<int>(errorCode),
                        SysErrorMessage(errorCode)),
                 errorCode);
}

void Abort() { throw EAbort(); }

}  // namespace fw
