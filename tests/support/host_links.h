// The host under Wine, for tests and benchmarks (no GoogleTest): running a host program, the
// host's name of a Windows path and the other way round, and real symbolic links. Wine 8's
// CreateSymbolicLinkA reports success and makes nothing, so under Wine a link is made by the
// host's "ln -s" (reached through \\?\unix\) and removed by the host's "rm", which never
// touches what the link leads to. Both ends lie in the sandbox.
#pragma once
#include <string>
#include <utility>

namespace testing_sandbox {

// Runs a host program (an absolute Unix path) through \\?\unix and waits for it a few seconds;
// false when it could not be started.
bool RunHost(const std::string& program, const std::string& args);

// The host's name of a path (ASCII paths only), "" outside Wine.
std::string UnixName(const std::string& path);

// A host name ("/...") as Wine shows it to Windows programs (UTF-8); anything else, or a name
// Wine cannot show, as it stands.
std::string WindowsName(const std::string& name);

// Makes link (a new name) lead to target, a file or a folder. False when no link can be made
// here (the test should then be skipped).
bool MakeLink(const std::string& link, const std::string& target, bool directory);

// Removes a link made by MakeLink, never what it leads to; true when it is gone (or was not
// there).
bool RemoveHostLink(const std::string& link);

// Removes a link on the way out of a test.
class TLinkGuard {
 public:
  explicit TLinkGuard(std::string link) : FLink(std::move(link)) {}
  ~TLinkGuard() { RemoveHostLink(FLink); }
  TLinkGuard(const TLinkGuard&) = delete;
  TLinkGuard& operator=(const TLinkGuard&) = delete;

 private:
  std::string FLink;
};

}  // namespace testing_sandbox
