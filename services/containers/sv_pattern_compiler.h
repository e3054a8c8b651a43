// The pattern compiler: pattern text to a list of tokens (sv_node_heap.h), headed by an empty
// token. Errors raise ESvRegExError with their id and leave nothing allocated.
#pragma once
#include <string>

#include "services/containers/sv_node_heap.h"

namespace svc {

// With ignoreCase, literals are stored upper-cased and classes take the upper-case form of
// each character. In a replacement pattern "\0" to "\9" are tag references.
TSvPatternNode* CompilePattern(const std::string& pattern, bool ignoreCase, bool replacement, TSvNodeHeap& heap);

// The upper-case form of a byte (ASCII letters; other bytes stay).
inline unsigned char UpperByte(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }

}  // namespace svc
