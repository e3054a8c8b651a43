// The exception family of the shell and container services: each carries the id of its
// message in the message table (sv_strings.h), and helpers that raise them by id.
#pragma once
#include <cstdint>
#include <string>

#include "framework/core/object.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"
#include "services/shell/sv_strings.h"

namespace svc {

class ESvException : public fw::Exception {
 public:
  using fw::Exception::Exception;
  // The message is the text of id; ErrorCode stays 0 until a raising helper sets it.
  static ESvException CreateById(uint32_t id) { return ESvException(SvStrById(id)); }
  // The text of id formatted with the arguments.
  template <class... A>
  static ESvException CreateByIdFmt(uint32_t id, const A&... args) {
    return ESvException(fw::Format(SvStrById(id), args...));
  }

  uint32_t GetErrorCode() const { return FErrorCode; }
  void SetErrorCode(uint32_t code) { FErrorCode = code; }

 private:
  uint32_t FErrorCode = 0;
};

FW_EXCEPTION(ESvContainerError, ESvException)
FW_EXCEPTION(ESvVersionInfoError, ESvException)
FW_EXCEPTION(ESvShellError, ESvException)
FW_EXCEPTION(ESvShortcutError, ESvException)
FW_EXCEPTION(ESvInvalidFolder, ESvException)
FW_EXCEPTION(ESvBufStreamError, ESvException)
FW_EXCEPTION(ESvRegExError, ESvException)

// Raises an E (one of the classes above) with the text of id and ErrorCode id.
template <class E>
[[noreturn]] void RaiseSsError(uint32_t id) {
  E error(SvStrById(id));
  error.SetErrorCode(id);
  throw error;
}

[[noreturn]] void RaiseContainerError(uint32_t id);

template <class... A>
[[noreturn]] void RaiseContainerErrorFmt(uint32_t id, const A&... args) {
  ESvContainerError error(fw::Format(SvStrById(id), args...));
  error.SetErrorCode(id);
  throw error;
}

// The compare routine every container starts with: ESvContainerError 51, ErrorCode left 0.
[[noreturn]] void RaiseNoCompare();

// True when cls is ancestor or descends from it.
bool IsOrInheritsFrom(const fw::TClassInfo* cls, const fw::TClassInfo* ancestor);

}  // namespace svc
