#include "framework/classes/class_registry.h"

#include <map>
#include <mutex>

#include "framework/rtl/sys_utils.h"

namespace fw {

namespace {

struct TRegistry {
  std::mutex Guard;
  std::map<std::string, const TClassInfo*> ByName;
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

}  // namespace

void RegisterClass(const TClassInfo* cls) {
  if (!cls) return;
  TRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.Guard);
  registry.ByName.emplace(UpperCase(cls->Name), cls);
}

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
  for (const TClassInfo* cls : classes) RegisterClass(cls);
}

const TClassInfo* FindClass(const std::string& name) {
  TRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.Guard);
  auto found = registry.ByName.find(UpperCase(name));
  return found == registry.ByName.end() ? nullptr : found->second;
}

bool IsClassRegistered(const std::string& name) { return FindClass(name) != nullptr; }

bool ClassInheritsFrom(const TClassInfo* cls, const TClassInfo* ancestor) {
  if (!ancestor) return false;
  for (; cls; cls = cls->Parent)
    if (cls == ancestor) return true;
  return false;
}

}  // namespace fw
