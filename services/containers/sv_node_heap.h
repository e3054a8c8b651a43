// The token nodes of a compiled pattern and TSvNodeHeap, the free list they come from and
// return to.
#pragma once
#include <bitset>
#include <cstdint>

namespace svc {

enum TSvTokenKind : uint8_t {
  tkEmpty = 0,      // the head of every list: matches, consuming nothing
  tkLiteral = 1,    // one character
  tkClass = 2,      // one character of the set
  tkNegClass = 3,   // one character outside the set, never LF or CR
  tkClosure = 4,    // the operand after it, zero or more times
  tkOptional = 5,   // the operand after it, zero or one time
  tkAnyChar = 6,    // one character other than LF and CR
  tkBegOfLine = 7,  // position 0 only
  tkEndOfLine = 8,  // where CR is followed by LF
  tkGroup = 9,      // its sub-list
  tkTagStart = 10,
  tkTagEnd = 11,
  tkTagRef = 12,  // replacement only: the whole match (0) or the text of a tag
};

using TSvCharSet = std::bitset<256>;

struct TSvPatternNode {
  TSvCharSet* Set;
  TSvPatternNode* Sub;
  TSvPatternNode* Next;
  uint8_t Kind;
  uint8_t Ch;   // the literal, or the tag number
  uint8_t Alt;  // the next token is this one's alternative
};

class TSvNodeHeap {
 public:
  TSvNodeHeap() = default;
  ~TSvNodeHeap();
  TSvNodeHeap(const TSvNodeHeap&) = delete;
  TSvNodeHeap& operator=(const TSvNodeHeap&) = delete;

  // A zero-filled node, from the free list when it has one.
  TSvPatternNode* Alloc();
  // Puts one node back (its set and sub-list are the caller's).
  void Release(TSvPatternNode* node);
  // Puts back a whole list with its sub-lists, freeing their sets; null is fine.
  void ReleaseList(TSvPatternNode* head);

 private:
  TSvPatternNode* FFree = nullptr;
};

}  // namespace svc
