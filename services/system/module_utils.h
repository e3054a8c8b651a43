// Late binding of library functions and module-loading helpers.
#pragma once
#include <string>

#include "framework/rtl/wide_path.h"
#include "framework/win.h"
#include "services/search/wildcard_match.h"

namespace svc {

// Fills an empty slot with the address of function in module (found loaded or loaded now);
// raises EUtError "Library not found: %s" or "Function not found: %s.%s". A filled slot is
// left as it is.
void BindLibraryFunction(FARPROC& slot, const std::string& moduleName, const std::string& functionName);

template <class F>
void BindLibraryFunction(F*& slot, const std::string& moduleName, const std::string& functionName) {
  FARPROC address = reinterpret_cast<FARPROC>(slot);
  BindLibraryFunction(address, moduleName, functionName);
  slot = reinterpret_cast<F*>(address);
}

// Loads the library when module is still 0; answers whether a handle is held.
bool LoadModuleOnce(HMODULE& module, const std::string& fileName);
// GetProcAddress, or nullptr for a 0 module.
FARPROC ModuleFunction(HMODULE module, const std::string& name);
// The full file name of a loaded module (nullptr: the program).
using fw::ModuleFileName;

}  // namespace svc
