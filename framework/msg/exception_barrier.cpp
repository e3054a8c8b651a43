#include "framework/msg/exception_barrier.h"

#include <cstdio>
#include <exception>

#include "framework/win.h"

namespace fw {

namespace {
TExceptionSink& Sink() {
  static TExceptionSink sink;
  return sink;
}
}  // namespace

void ReportPlainly() noexcept {
  const char* text = "unknown exception";
  try {
    throw;
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
  }
  OutputDebugStringA(text);
  std::fprintf(stderr, "unhandled exception in a callback: %s\n", text);
}

void SetExceptionSink(TExceptionSink sink) { Sink() = std::move(sink); }

void HandleCurrentException(TObject* sender) {
  try {
    if (Sink()) {
      Sink()(sender);
      return;
    }
    ReportPlainly();
  } catch (...) {
    ReportPlainly();
  }
}

}  // namespace fw
