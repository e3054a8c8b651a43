// The top-level windows of another process, for the tests and benchmarks that start the built
// program (or another program) and wait for its windows.
#pragma once
#include <functional>
#include <string>

#include "framework/win.h"

namespace testing_process {

struct TWindowWalk {
  DWORD ProcessId;
  const std::function<bool(HWND)>* Visit;
};

inline BOOL CALLBACK VisitWindowOf(HWND window, LPARAM data) {
  auto* walk = reinterpret_cast<TWindowWalk*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner != walk->ProcessId || (*walk->Visit)(window);
}

// Calls visit with each top-level window of the process until it answers false.
inline void EachWindowOf(DWORD processId, const std::function<bool(HWND)>& visit) {
  TWindowWalk walk{processId, &visit};
  EnumWindows(VisitWindowOf, reinterpret_cast<LPARAM>(&walk));
}

// The first top-level window of the process that accept takes; null when there is none.
inline HWND WindowOf(DWORD processId, const std::function<bool(HWND)>& accept) {
  HWND found = nullptr;
  EachWindowOf(processId, [&](HWND window) {
    if (!accept(window)) return true;
    found = window;
    return false;
  });
  return found;
}

// The window's class name.
inline std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

}  // namespace testing_process
