// String helpers of the utilities: the wildcard matcher the file search uses, and the
// trimming of strings that a platform call filled as fixed-size buffers.
#pragma once
#include <string>

#include "framework/rtl/exceptions.h"

namespace svc {

// Failures of the string and system utilities.
class EUtError : public fw::Exception {
 public:
  using fw::Exception::Exception;
};

// True when text, from the 1-based start position on, matches pattern: "*" matches any run of
// characters (also none), "?" exactly one; all other bytes compare as they are, so callers
// upper-case both sides for a case-blind test. An empty pattern raises EUtError.
bool WildcardMatch(const std::string& pattern, const std::string& text, int start = 1);

// The number of characters before the first NUL (the whole length when there is none).
int NulTerminatedLength(const std::string& text);

// Cuts text at its first NUL.
void TrimAtFirstNul(std::string& text);

}  // namespace svc
