// The backtracking matcher of compiled patterns (sv_pattern_compiler.h) over one line of text.
#pragma once
#include <string>

#include "services/containers/sv_node_heap.h"

namespace svc {

class TSvPatternMatcher {
 public:
  // The line is the text as the filter tests it (ending with CR LF); with IgnoreCase, folded is
  // the same line upper-cased, which the tokens are compared with. Both must outlive the matcher.
  TSvPatternMatcher(const std::string& line, const std::string* folded);

  // The position after a match of the list starting at pos, or -1.
  int MatchList(const TSvPatternNode* node, int pos);
  // As MatchList from the list's head, with the tags of an earlier attempt forgotten.
  int MatchAt(const TSvPatternNode* list, int pos);
  // The first start position from `from` where the list matches; its end in matchEnd; -1 when
  // none. covers is FailureCoversLine(list), which the caller keeps with the list.
  int Search(const TSvPatternNode* list, int from, int& matchEnd, bool covers);

  // The text of tag n (1 to 9) of the last match; empty when the tag was not passed.
  std::string TagText(int n) const;

 private:
  int MatchToken(const TSvPatternNode* node, int pos);
  int MatchClosure(const TSvPatternNode* operand, const TSvPatternNode* rest, int pos);
  unsigned char CharAt(int pos) const;

  const std::string& FLine;
  const char* FChars;  // what the tokens compare with
  int FLength;
  int FTagStart[10];
  int FTagEnd[10];
};

// The first token after a whole token (a closure and its operand count as one).
const TSvPatternNode* AfterToken(const TSvPatternNode* token);
// True when a failed attempt at a start position means every later start up to the next CR or
// LF fails too: the list begins with "^" or ".*", or with alternatives (or groups) that all do.
bool FailureCoversLine(const TSvPatternNode* list);

}  // namespace svc
