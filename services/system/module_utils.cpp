#include "services/system/module_utils.h"

#include "framework/rtl/sys_utils.h"

namespace svc {

void BindLibraryFunction(FARPROC& slot, const std::string& moduleName, const std::string& functionName) {
  if (slot) return;
  HMODULE module = GetModuleHandleA(moduleName.c_str());
  if (!module) module = LoadLibraryA(moduleName.c_str());
  if (!module) throw EUtError(fw::Format("Library not found: %s", moduleName));
  FARPROC address = GetProcAddress(module, functionName.c_str());
  if (!address) throw EUtError(fw::Format("Function not found: %s.%s", moduleName, functionName));
  slot = address;
}

bool LoadModuleOnce(HMODULE& module, const std::string& fileName) {
  if (!module) module = LoadLibraryA(fileName.c_str());
  return module != nullptr;
}

FARPROC ModuleFunction(HMODULE module, const std::string& name) {
  return module ? GetProcAddress(module, name.c_str()) : nullptr;
}

}  // namespace svc
