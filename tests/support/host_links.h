// Real symbolic links for tests. Wine 8's CreateSymbolicLinkA reports success and makes nothing,
// so under Wine a link is made by the host's "ln -s" (reached through \\?\unix\) and removed by
// the host's "rm", which never touches what the link leads to. Both ends lie in the sandbox.
#pragma once
#include <string>
#include <utility>

namespace testing_sandbox {

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
