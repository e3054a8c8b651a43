// A scope that starts a counted service when it begins and stops it when it ends, for the
// program's entry and the test and benchmark mains.
#pragma once

namespace svc {

template <auto Start, auto Stop>
class TStartedScope {
 public:
  TStartedScope() { Start(); }
  ~TStartedScope() { Stop(); }
  TStartedScope(const TStartedScope&) = delete;
  TStartedScope& operator=(const TStartedScope&) = delete;
};

}  // namespace svc
