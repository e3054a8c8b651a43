// The boundary between Win32 callbacks and C++: no exception may unwind through user32 or
// comctl32 frames, so every entry point from Windows runs its C++ code through Barrier().
#pragma once
#include <functional>

namespace fw {

class TObject;

// Receives the exception being handled; it is called inside a catch block, so it may rethrow
// with "throw;" to inspect the exception. The application installs its HandleException here.
using TExceptionSink = std::function<void(TObject* sender)>;
void SetExceptionSink(TExceptionSink sink);

// Hands the exception currently being handled to the sink; call it only inside a catch block.
// Never throws.
void HandleCurrentException(TObject* sender = nullptr);

// Writes the exception currently being handled to the debugger output and stderr, showing no
// window (used before an application exists, or when the sink itself fails); call it only
// inside a catch block.
void ReportPlainly() noexcept;

// Runs fn, catching everything it throws.
template <class F>
void Barrier(F&& fn, TObject* sender = nullptr) noexcept {
  try {
    fn();
  } catch (...) {
    HandleCurrentException(sender);
  }
}

}  // namespace fw
