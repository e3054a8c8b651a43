// Exception classes of the framework. Every exception the program raises derives from
// Exception; EAbort is the silent one.
#pragma once
#include "framework/win.h"

#include <exception>
#include <string>

namespace fw {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message, int helpContext = 0)
      : FMessage(std::move(message)), FHelpContext(helpContext) {}
  const std::string& GetMessage() const { return FMessage; }
  void SetMessage(const std::string& message) { FMessage = message; }
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int helpContext) { FHelpContext = helpContext; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
  int FHelpContext;
};

#define FW_EXCEPTION(Name, Base)   \
  class Name : public Base {       \
   public:                         \
    using Base::Base;              \
  };

// Silent: the application's exception handler shows nothing for it.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
  using Exception::Exception;
};

class EOSError : public Exception {
 public:
  EOSError(std::string message, DWORD errorCode) : Exception(std::move(message)), FErrorCode(errorCode) {}
  DWORD GetErrorCode() const { return FErrorCode; }

 private:
  DWORD FErrorCode;
};

FW_EXCEPTION(EConvertError, Exception)
FW_EXCEPTION(EStreamError, Exception)
FW_EXCEPTION(EReadError, EStreamError)
FW_EXCEPTION(EWriteError, EStreamError)
FW_EXCEPTION(EListError, Exception)
FW_EXCEPTION(EStringListError, Exception)
FW_EXCEPTION(ERegistryException, Exception)
FW_EXCEPTION(EInvalidOperation, Exception)
FW_EXCEPTION(EOutOfResources, Exception)
FW_EXCEPTION(EInvalidGraphic, Exception)
FW_EXCEPTION(EResNotFound, Exception)

// File open/create failures carry the file name.
class EFOpenError : public EStreamError {
 public:
  EFOpenError(std::string message, std::string fileName)
      : EStreamError(std::move(message)), FFileName(std::move(fileName)) {}
  const std::string& GetFileName() const { return FFileName; }

 private:
  std::string FFileName;
};

class EFCreateError : public EStreamError {
 public:
  EFCreateError(std::string message, std::string fileName)
      : EStreamError(std::move(message)), FFileName(std::move(fileName)) {}
  const std::string& GetFileName() const { return FFileName; }

 private:
  std::string FFileName;
};

// The system's text for an error code, without the trailing line break ("" if none).
std::string SysErrorMessage(DWORD errorCode);
// Raises EOSError "System Error.  Code: N.\r\n<text>" for the code (default: GetLastError()).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(DWORD errorCode);
// Raises the silent EAbort.
[[noreturn]] void Abort();

}  // namespace fw
