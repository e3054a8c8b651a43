// TObject and TPersistent: the root of the framework's class tree, with class names that
// match the Pascal-style spelling the program relies on (window classes, skin sections).
#pragma once
#include "framework/win.h"

#include <memory>
#include <string>
#include <utility>

namespace fw {

// Static description of a class: its name and its parent's record (null for TObject).
struct TClassInfo {
  const char* Name;
  const TClassInfo* Parent;
};

// Put first in a class body: gives the class its name and class-info record.
// Leaves the access at "private:", as a class body starts.
#define FW_CLASS(T, ParentClass)                                                 \
 public:                                                                         \
  static const ::fw::TClassInfo* StaticClassInfo() {                             \
    static const ::fw::TClassInfo info{#T, ParentClass::StaticClassInfo()};      \
    return &info;                                                                \
  }                                                                              \
  const ::fw::TClassInfo* ClassInfo() const override { return StaticClassInfo(); } \
                                                                                 \
 private:

class TObject {
 public:
  TObject() = default;

  static const TClassInfo* StaticClassInfo();
  virtual const TClassInfo* ClassInfo() const { return StaticClassInfo(); }
  virtual std::string ClassName() const { return ClassInfo()->Name; }
  // True when this class or one of its ancestors has the name (compared without case).
  bool IsOrInheritsFrom(const std::string& className) const;
  template <class T>
  bool InheritsFrom() const {
    return dynamic_cast<const T*>(this) != nullptr;
  }

  // Runs after the most-derived constructor (see New<T>) and before the destructor chain.
  virtual void AfterConstruction() {}
  virtual void BeforeDestruction() {}

  // Destroys the object through its destruction sequence; see fw::Free for the null-safe form.
  void Free() { DoFree(); }

 protected:
  virtual ~TObject() = default;
  // The destruction sequence; the default calls BeforeDestruction and deletes the object.
  virtual void DoFree();
};

// Null-safe Free.
inline void Free(TObject* obj) {
  if (obj) obj->Free();
}

template <class T>
void FreeAndNil(T*& obj) {
  T* old = obj;
  obj = nullptr;
  Free(old);
}

template <class T>
bool Is(const TObject* obj) {
  return dynamic_cast<const T*>(obj) != nullptr;
}

// Constructs, then runs AfterConstruction (two-phase construction). If AfterConstruction
// throws, the object is freed and the exception passes on.
template <class T, class... Args>
T* New(Args&&... args) {
  T* obj = new T(std::forward<Args>(args)...);
  try {
    obj->AfterConstruction();
  } catch (...) {
    obj->Free();
    throw;
  }
  return obj;
}

struct FreeDeleter {
  void operator()(TObject* obj) const { Free(obj); }
};

// An owner-less object held by one local or member: Free runs when it goes out of scope.
template <class T>
using Owned = std::unique_ptr<T, FreeDeleter>;

template <class T, class... Args>
Owned<T> MakeOwned(Args&&... args) {
  return Owned<T>(New<T>(std::forward<Args>(args)...));
}

// Objects with an owner link and Assign; unlike components they may be plain values.
class TPersistent : public TObject {
  FW_CLASS(TPersistent, TObject)
 public:
  ~TPersistent() override = default;
  // Copies the source's state; the default asks the source (AssignTo) and otherwise raises
  // EConvertError "Cannot assign a <source> to a <this>".
  virtual void Assign(const TPersistent* source);
  virtual TPersistent* GetOwner() const { return nullptr; }

 protected:
  virtual void AssignTo(TPersistent* dest) const;
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

}  // namespace fw
