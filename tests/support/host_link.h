// Real symbolic links inside the sandbox for tests. Wine's CreateSymbolicLinkA does nothing, so
// under Wine the host's ln makes them (started through \\?\unix\) and the host's rm removes
// them again. Under Wine a link shows as a directory with the reparse-point bit, or as the very
// file it leads to.
#pragma once
#include <string>

namespace testing_sandbox {

// Makes link (inside the sandbox) lead to target; false when this system cannot.
bool MakeLink(const std::string& link, const std::string& target, bool directory);
// Removes the link itself, never its target; true when it is gone.
bool RemoveLink(const std::string& link);

}  // namespace testing_sandbox
