// The registry of classes by name: the stream readers look a stored class name up here, and
// ask whether one class descends from another (the parent chain FW_CLASS records).
#pragma once
#include <initializer_list>
#include <string>

#include "framework/core/object.h"

namespace fw {

// Registers each class under its name; registering a name again keeps the first record.
void RegisterClass(const TClassInfo* cls);
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
// The class registered under the name (compared without case), or null.
const TClassInfo* FindClass(const std::string& name);
bool IsClassRegistered(const std::string& name);
// True when cls is ancestor or descends from it; false when either is null.
bool ClassInheritsFrom(const TClassInfo* cls, const TClassInfo* ancestor);

}  // namespace fw
