#include "services/containers/sv_pattern_matcher.h"

#include "services/containers/sv_pattern_compiler.h"

namespace svc {

namespace {

constexpr unsigned char kCR = 13;
constexpr unsigned char kLF = 10;

const TSvPatternNode* LastOfToken(const TSvPatternNode* token) {
  return token->Kind == tkClosure || token->Kind == tkOptional ? token->Next : token;
}

bool ListCovers(const TSvPatternNode* list, bool topLevel);

// A token whose result from a later start, up to the next CR or LF, is its result from an
// earlier start or a failure.
bool TokenCoversLine(const TSvPatternNode* token) {
  switch (token->Kind) {
    case tkBegOfLine: return true;
    case tkClosure: return token->Next && token->Next->Kind == tkAnyChar;
    case tkGroup: return ListCovers(token->Sub, false);
    default: return false;
  }
}

// Alternatives are safe only at the top and when nothing follows them: there the first one
// that matches ends the search.
bool ListCovers(const TSvPatternNode* list, bool topLevel) {
  const TSvPatternNode* token = list ? list->Next : nullptr;
  if (!token) return false;
  if (!LastOfToken(token)->Alt) return TokenCoversLine(token);
  if (!topLevel) return false;
  for (;;) {
    if (!TokenCoversLine(token)) return false;
    if (!LastOfToken(token)->Alt) return AfterToken(token) == nullptr;
    token = AfterToken(token);
    if (!token) return false;
  }
}

}  // namespace

const TSvPatternNode* AfterToken(const TSvPatternNode* token) { return LastOfToken(token)->Next; }

bool FailureCoversLine(const TSvPatternNode* list) { return ListCovers(list, true); }

TSvPatternMatcher::TSvPatternMatcher(const std::string& line, const std::string* folded)
    : FLine(line), FChars(folded ? folded->data() : line.data()), FLength(static_cast<int>(line.size())) {
  for (int i = 0; i < 10; ++i) FTagStart[i] = FTagEnd[i] = -1;
}

unsigned char TSvPatternMatcher::CharAt(int pos) const { return static_cast<unsigned char>(FChars[pos]); }

int TSvPatternMatcher::MatchToken(const TSvPatternNode* node, int pos) {
  switch (node->Kind) {
    case tkEmpty: return pos;
    case tkLiteral: return pos < FLength && CharAt(pos) == node->Ch ? pos + 1 : -1;
    case tkClass: return pos < FLength && node->Set->test(CharAt(pos)) ? pos + 1 : -1;
    case tkNegClass: {
      if (pos >= FLength) return -1;
      unsigned char c = CharAt(pos);
      return c != kLF && c != kCR && !node->Set->test(c) ? pos + 1 : -1;
    }
    case tkAnyChar: {
      if (pos >= FLength) return -1;
      unsigned char c = CharAt(pos);
      return c != kLF && c != kCR ? pos + 1 : -1;
    }
    case tkBegOfLine: return pos == 0 ? pos : -1;
    case tkEndOfLine:
      return pos + 1 < FLength && static_cast<unsigned char>(FLine[pos]) == kCR &&
                     static_cast<unsigned char>(FLine[pos + 1]) == kLF
                 ? pos
                 : -1;
    case tkGroup: {
      int end = MatchList(node->Sub, pos);
      return end >= pos ? end : -1;
    }
    case tkTagStart:
      if (node->Ch < 10) FTagStart[node->Ch] = pos;
      return pos;
    case tkTagEnd:
      if (node->Ch < 10) FTagEnd[node->Ch] = pos;
      return pos;
    default: return -1;
  }
}

// Takes as many repetitions as the operand allows, then gives back one character at a time
// until the rest of the list matches. A repetition that consumed nothing ends the taking: an
// operand that can match empty text would otherwise repeat for ever.
int TSvPatternMatcher::MatchClosure(const TSvPatternNode* operand, const TSvPatternNode* rest, int pos) {
  int end = pos;
  if (operand->Kind == tkAnyChar) {
    const char* line = FLine.data();
    while (end < FLength && line[end] != '\r' && line[end] != '\n') ++end;
  } else {
    while (end < FLength) {
      int next = MatchToken(operand, end);
      if (next <= end) break;
      end = next;
    }
  }
  if (rest && rest->Kind == tkLiteral && !rest->Alt) {
    // Only the positions holding the literal can let the rest match.
    for (int back = end; back >= pos; --back)
      if (back < FLength && CharAt(back) == rest->Ch) {
        int result = MatchList(rest->Next, back + 1);
        if (result >= 0) return result;
      }
    return -1;
  }
  for (int back = end; back >= pos; --back) {
    int result = MatchList(rest, back);
    if (result >= 0) return result;
  }
  return -1;
}

int TSvPatternMatcher::MatchList(const TSvPatternNode* node, int pos) {
  while (node) {
    if (node->Kind == tkClosure) return MatchClosure(node->Next, node->Next->Next, pos);
    if (node->Kind == tkOptional) {
      const TSvPatternNode* operand = node->Next;
      int taken = MatchToken(operand, pos);
      if (taken >= 0) {
        int result = MatchList(operand->Next, taken);
        if (result >= 0) return result;
      }
      node = operand->Next;  // the character is given back
      continue;
    }
    int next = MatchToken(node, pos);
    if (node->Alt) {
      if (next < 0) {
        node = node->Next;  // the alternative takes this token's place
        continue;
      }
      // Matched: the alternatives after it are skipped.
      const TSvPatternNode* skip = node->Next;
      while (skip && LastOfToken(skip)->Alt) skip = AfterToken(skip);
      node = skip ? AfterToken(skip) : nullptr;
      pos = next;
      continue;
    }
    if (next < 0) return -1;
    pos = next;
    node = node->Next;
  }
  return pos;
}

int TSvPatternMatcher::MatchAt(const TSvPatternNode* list, int pos) {
  for (int i = 0; i < 10; ++i) FTagStart[i] = FTagEnd[i] = -1;
  return MatchList(list, pos);
}

int TSvPatternMatcher::Search(const TSvPatternNode* list, int from, int& matchEnd, bool covers) {
  for (int start = from; start <= FLength; ++start) {
    int end = MatchAt(list, start);
    if (end >= 0) {
      matchEnd = end;
      return start;
    }
    if (covers)
      while (start < FLength && FLine[start] != '\r' && FLine[start] != '\n') ++start;
  }
  return -1;
}

std::string TSvPatternMatcher::TagText(int n) const {
  if (n < 1 || n > 9 || FTagStart[n] < 0 || FTagEnd[n] < FTagStart[n]) return {};
  return FLine.substr(FTagStart[n], FTagEnd[n] - FTagStart[n]);
}

}  // namespace svc

