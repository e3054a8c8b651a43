#include "services/search/wildcard_match.h"

#include <algorithm>
#include <cstring>

namespace svc {

bool WildcardMatch(const std::string& pattern, const std::string& text, int start) {
  if (pattern.empty()) throw EUtError("Search string cannot be blank");
  if (pattern.size() == 1 && pattern[0] == '*') return true;
  if (text.empty()) return false;

  const char* p = pattern.c_str();
  const char* s = text.c_str() + (start <= 1 ? 0 : std::min<size_t>(start - 1, text.size()));
  // Resume points: just after the last star in the pattern, and just after the text character
  // that the literal run following that star last started at.
  const char* resumeP = nullptr;
  const char* resumeS = nullptr;

  for (;;) {
    // Literal phase: pattern and text advance together.
    for (;;) {
      if (*p == '\0') {
        if (*s == '\0') return true;
        if (resumeP && resumeS) {
          p = resumeP;
          s = resumeS;
          break;
        }
        return false;
      }
      if (*p == '*') {
        resumeP = ++p;
        break;
      }
      if (*s == '\0') return false;
      if (*p != '?' && *p != *s) {
        if (resumeP && resumeS) {
          p = resumeP;
          s = resumeS;
          break;
        }
        return false;
      }
      ++p;
      ++s;
    }
    // Star phase: look for the next literal character of the pattern in the text.
    for (;;) {
      if (*p == '\0') return true;
      if (*p == '*') {
        resumeP = ++p;
        continue;
      }
      if (*s == '\0') return false;
      if (*p == '?') {
        ++p;
        ++s;
        continue;
      }
      const char c = *p;
      while (*s != c) {
        if (*s == '\0') return false;
        ++s;
      }
      resumeS = ++s;
      ++p;
      break;
    }
  }
}

int NulTerminatedLength(const std::string& text) {
  return static_cast<int>(std::strlen(text.c_str()));
}

void TrimAtFirstNul(std::string& text) { text.resize(NulTerminatedLength(text)); }

}  // namespace svc
