#include "services/containers/sv_pattern_compiler.h"

#include "framework/win.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kSeparators[] = "\t !\"&()*+,-./:;<=>?@[\\]^`{|}~";

[[noreturn]] void Fail(uint32_t id) { RaiseSsError<ESvRegExError>(id); }

bool IsAlphaNumeric(unsigned char c) { return IsCharAlphaNumericA(static_cast<CHAR>(c)) != FALSE; }

class TCompiler {
 public:
  TCompiler(const std::string& pattern, bool ignoreCase, bool replacement, TSvNodeHeap& heap)
      : P(pattern), IgnoreCase(ignoreCase), Replacement(replacement), Heap(heap) {}

  TSvPatternNode* Run() {
    TSvPatternNode* head = CompileList(0);
    if (TagOpen) {
      Heap.ReleaseList(head);
      Fail(296);
    }
    return head;
  }

 private:
  // The state of the list being built.
  struct TList {
    TSvPatternNode* Head = nullptr;
    TSvPatternNode* Tail = nullptr;
    TSvPatternNode* Before = nullptr;  // the node just before the last token
    TSvPatternNode* Last = nullptr;    // the last token (a closure's operand after a closure)
    bool LastWasClosure = false;
  };

  // Compiles up to endChar (consumed), or to the end of the pattern when endChar is 0.
  TSvPatternNode* CompileList(char endChar) {
    TList list;
    list.Head = list.Tail = Heap.Alloc();
    try {
      for (;;) {
        if (I >= P.size()) {
          if (endChar) Fail(295);
          break;
        }
        char c = P[I];
        if (endChar && c == endChar) {
          ++I;
          break;
        }
        CompileToken(list, c);
      }
    } catch (...) {
      Heap.ReleaseList(list.Head);
      throw;
    }
    return list.Head;
  }

  TSvPatternNode* Add(TList& list, uint8_t kind, uint8_t ch = 0) {
    TSvPatternNode* node = Heap.Alloc();
    node->Kind = kind;
    node->Ch = ch;
    list.Before = list.Tail;
    list.Tail->Next = node;
    list.Tail = node;
    list.Last = node;
    list.LastWasClosure = false;
    return node;
  }

  void AddLiteral(TList& list, unsigned char c) { Add(list, tkLiteral, IgnoreCase ? UpperByte(c) : c); }

  void AddSet(TList& list, uint8_t kind, const char* chars) {
    TSvPatternNode* node = Add(list, kind);
    node->Set = new TSvCharSet;
    for (const char* p = chars; *p; ++p) node->Set->set(static_cast<unsigned char>(*p));
  }

  void CompileToken(TList& list, char c) {
    switch (c) {
      case '.': Add(list, tkAnyChar); ++I; return;
      case '^': Add(list, tkBegOfLine); ++I; return;
      case '$': Add(list, tkEndOfLine); ++I; return;
      case '[': CompileClass(list); return;
      case '(': CompileGroup(list); return;
      case '\\': CompileEscape(list); return;
      case '|':
        if (!list.Last) break;
        if (list.LastWasClosure) Fail(292);
        list.Last->Alt = 1;
        ++I;
        return;
      case '{':
        if (TagOpen) break;
        TagOpen = true;
        OpenTag = ++TagCount;
        Add(list, tkTagStart, static_cast<uint8_t>(OpenTag));
        ++I;
        return;
      case '}':
        if (!TagOpen) break;
        TagOpen = false;
        Add(list, tkTagEnd, static_cast<uint8_t>(OpenTag));
        ++I;
        return;
      case '*': case '+': case '?':
        if (!list.Last) break;
        CompileClosure(list, c);
        ++I;
        return;
      default: break;
    }
    AddLiteral(list, static_cast<unsigned char>(c));
    ++I;
  }

  // Inserts a closure before the last token; "+" first inserts a copy of the token.
  void CompileClosure(TList& list, char c) {
    if (list.LastWasClosure || list.Last->Kind == tkBegOfLine || list.Last->Kind == tkEndOfLine) Fail(294);
    TSvPatternNode* operand = list.Last;
    TSvPatternNode* before = list.Before;
    if (c == '+') {
      TSvPatternNode* copy = CopyToken(operand);
      before->Next = copy;
      copy->Next = operand;
      before = copy;
    }
    TSvPatternNode* closure = Heap.Alloc();
    closure->Kind = c == '?' ? tkOptional : tkClosure;
    before->Next = closure;
    closure->Next = operand;
    list.Before = closure;
    list.LastWasClosure = true;
  }

  TSvPatternNode* CopyToken(const TSvPatternNode* token) {
    TSvPatternNode* copy = Heap.Alloc();
    *copy = *token;
    copy->Next = nullptr;
    copy->Sub = nullptr;
    copy->Set = token->Set ? new TSvCharSet(*token->Set) : nullptr;
    try {
      TSvPatternNode* tail = nullptr;
      for (const TSvPatternNode* sub = token->Sub; sub; sub = sub->Next) {
        TSvPatternNode* subCopy = CopyToken(sub);
        if (tail)
          tail->Next = subCopy;
        else
          copy->Sub = subCopy;
        tail = subCopy;
      }
    } catch (...) {
      Heap.ReleaseList(copy);
      throw;
    }
    return copy;
  }

  void CompileGroup(TList& list) {
    ++I;
    size_t start = I;
    TSvPatternNode* group = Add(list, tkGroup);
    group->Sub = CompileList(')');
    std::string content = P.substr(start, I - 1 - start);
    if (I < P.size() && (P[I] == '*' || P[I] == '+')) {
      bool emptyEnd = !content.empty() && (content.back() == '*' || content.back() == '?');
      if (emptyEnd && (content.size() == 2 || (content.size() == 3 && content[0] == '\\'))) Fail(302);
    }
  }

  void CompileEscape(TList& list) {
    ++I;
    if (I >= P.size()) {
      AddLiteral(list, '\\');  // a final lone backslash is itself
      return;
    }
    unsigned char e = static_cast<unsigned char>(P[I++]);
    switch (e) {
      case 'b': Add(list, tkLiteral, 8); return;
      case 'h': AddSet(list, tkClass, kHexDigits); return;
      case 'l': Add(list, tkLiteral, 10); return;
      case 'n':
        Add(list, tkLiteral, 13);
        Add(list, tkLiteral, 10);
        return;
      case 'r': Add(list, tkLiteral, 13); return;
      case 's': Add(list, tkLiteral, ' '); return;
      case 't': Add(list, tkLiteral, 9); return;
      case 'w': AddSet(list, tkClass, kSeparators); return;
      default:
        if (Replacement && e >= '0' && e <= '9')
          Add(list, tkTagRef, e - '0');
        else
          AddLiteral(list, e);
    }
  }

  void CompileClass(TList& list) {
    ++I;
    bool negated = I < P.size() && P[I] == '^';
    if (negated) ++I;
    TSvPatternNode* node = Add(list, negated ? tkNegClass : tkClass);
    node->Set = new TSvCharSet;
    TSvCharSet& set = *node->Set;
    bool first = true;
    int previous = -1;  // the last plain character added, for a range
    for (;;) {
      if (I >= P.size()) Fail(291);
      unsigned char c = static_cast<unsigned char>(P[I]);
      if (c == ']') {
        ++I;
        break;
      }
      if (c == '\\') {
        if (I + 1 >= P.size()) {
          set.set('\\');
          ++I;
          previous = -1;
          first = false;
          continue;
        }
        unsigned char e = static_cast<unsigned char>(P[I + 1]);
        switch (e) {
          case 'b': e = 8; break;
          case 'l': e = 10; break;
          case 'r': e = 13; break;
          case 's': e = ' '; break;
          case 't': e = 9; break;
          default: break;
        }
        set.set(e);
        I += 2;
        previous = -1;
        first = false;
        continue;
      }
      if (c == '-' && !first && previous >= 0 && I + 1 < P.size() && P[I + 1] != ']') {
        unsigned char to = static_cast<unsigned char>(P[I + 1]);
        if (IsAlphaNumeric(static_cast<unsigned char>(previous)) && IsAlphaNumeric(to) && previous <= to) {
          for (int ch = previous; ch <= to; ++ch) set.set(ch);
          I += 2;
          previous = -1;
          first = false;
          continue;
        }
      }
      set.set(c);
      previous = c;
      first = false;
      ++I;
    }
    if (IgnoreCase)
      for (int ch = 'a'; ch <= 'z'; ++ch)
        if (set.test(ch)) set.set(UpperByte(static_cast<unsigned char>(ch)));
  }

  const std::string& P;
  size_t I = 0;
  bool IgnoreCase;
  bool Replacement;
  TSvNodeHeap& Heap;
  int TagCount = 0;
  int OpenTag = 0;
  bool TagOpen = false;
};

}  // namespace

TSvPatternNode* CompilePattern(const std::string& pattern, bool ignoreCase, bool replacement, TSvNodeHeap& heap) {
  return TCompiler(pattern, ignoreCase, replacement, heap).Run();
}

}  // namespace svc
