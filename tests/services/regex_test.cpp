// The pattern matcher: a conformance table of patterns and file masks, the patterns the mask
// converter makes, pattern errors, the closure over an operand that can match empty text, the
// kept compiled list, and the line filter over text streams.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "framework/classes/streams.h"
#include "services/containers/sv_file_masks.h"
#include "services/containers/sv_regex.h"
#include "services/shell/sv_exception.h"

using namespace svc;

namespace {

enum TKind { Pattern, Masks };
constexpr int kAccepted = -1;
constexpr int kRejected = -2;

struct TRow {
  TKind kind;
  const char* pattern;
  const char* text;
  bool ignoreCase;
  int expected;  // kAccepted, kRejected or an error id
};

// Runs one row on a fresh front object: accepted, rejected or the raised error id.
int Outcome(const TRow& row) {
  auto regex = fw::MakeOwned<TSvRegEx>();
  regex->SetIgnoreCase(row.ignoreCase);
  if (row.kind == Masks) {
    if (!regex->SetFileMasks(row.pattern)) return 0;
  } else if (*row.pattern) {
    regex->GetMatchPattern()->Add(row.pattern);
  }
  TSvMatchPosition position;
  try {
    return regex->CheckString(row.text, position) ? kAccepted : kRejected;
  } catch (const ESvRegExError& e) {
    return static_cast<int>(e.GetErrorCode());
  }
}

std::string Show(int outcome) {
  return outcome == kAccepted ? "accepted" : outcome == kRejected ? "rejected" : "error " + std::to_string(outcome);
}

std::string Filter(TSvRegEx& regex, const std::string& input) {
  fw::TMemoryStream in, out;
  in.WriteBuffer(input.data(), static_cast<int>(input.size()));
  in.SetPosition(0);
  regex.Execute(in, out);
  return std::string(static_cast<const char*>(out.GetMemory()), out.GetSize());
}

}  // namespace

TEST(RegEx, ConformanceTable) {
  const TRow rows[] = {
      {Masks, "*.txt", "a.txt", false, kAccepted},
      {Masks, "*.txt", "a.txt.bak", false, kRejected},
      {Masks, "*.txt", "B.TXT", false, kRejected},
      {Masks, "*.txt", "B.TXT", true, kAccepted},
      {Masks, "a?c", "abc", false, kAccepted},
      {Masks, "a?c", "ac", false, kAccepted},
      {Masks, "a?c", "abbc", false, kRejected},
      {Masks, "?b", "ab", false, kAccepted},
      {Masks, "?b", "b", false, kRejected},
      {Masks, "?b", "abc", false, kRejected},
      {Masks, "a*", "ba", false, kRejected},
      {Masks, "a*", "abc", false, kAccepted},
      {Masks, "*.txt;*.doc", "x.doc", false, kAccepted},
      {Pattern, "ab|cd", "abd", false, kAccepted},
      {Pattern, "ab|cd", "acd", false, kAccepted},
      {Pattern, "ab|cd", "abcd", false, kRejected},
      {Pattern, "x+y", "xy", false, kAccepted},
      {Pattern, "x+y", "xxy", false, kAccepted},
      {Pattern, "x+y", "y", false, kRejected},
      {Pattern, "^ab", "abc", false, kAccepted},
      {Pattern, "^ab", "cab", false, kRejected},
      {Pattern, "ab$", "xab", false, kAccepted},
      {Pattern, "ab$", "abx", false, kRejected},
      {Pattern, "a[^b]", "ac", false, kAccepted},
      {Pattern, "a[^b]", "a", false, kRejected},
      {Pattern, "[a-c]x", "bx", false, kAccepted},
      {Pattern, "[a-c]x", "dx", false, kRejected},
      {Pattern, "[a-c]x", "BX", false, kRejected},
      {Pattern, "[a-c]x", "BX", true, kAccepted},
      {Pattern, "[-a]", "-", false, kAccepted},
      {Pattern, "[\\]]", "]", false, kAccepted},
      {Pattern, "\\h\\h", "1F", false, kAccepted},
      {Pattern, "\\h\\h", "1f", false, kRejected},
      {Pattern, "\\h\\h", "1f", true, kAccepted},
      {Pattern, "a\\wb", "a-b", false, kAccepted},
      {Pattern, "a\\wb", "a b", false, kAccepted},
      {Pattern, "a\\wb", "axb", false, kRejected},
      {Pattern, "*a", "x*a", false, kAccepted},
      {Pattern, "*a", "xa", false, kRejected},
      {Pattern, "{ab}c", "abc", false, kAccepted},
      {Pattern, "(^a)|(.*b)", "xxb", false, kAccepted},
      {Pattern, "(.*b)c", "abbc", false, kAccepted},
      {Pattern, "(.*b)c", "abcb", false, kRejected},  // a group keeps the first end it found
      {Pattern, "a.c", "a\xc3\xa9" "c", false, kRejected},  // one character is two bytes here
      {Pattern, "x**", "x", false, 294},
      {Pattern, "^*", "x", false, 294},
      {Pattern, "(a*)*", "a", false, 302},
      {Pattern, "a*|b", "a", false, 292},
      {Pattern, "[ab", "a", false, 291},
      {Pattern, "(ab", "ab", false, 295},
      {Pattern, "{ab", "ab", false, 296},
      {Pattern, "", "ab", false, 297},
  };
  for (const TRow& row : rows)
    EXPECT_EQ(Show(row.expected), Show(Outcome(row)))
        << (row.kind == Masks ? "masks " : "pattern ") << row.pattern << " on " << row.text
        << (row.ignoreCase ? " ignoring case" : "");
}

TEST(RegEx, MatchPositionAndMaskPatterns) {
  auto regex = fw::MakeOwned<TSvRegEx>();
  regex->GetMatchPattern()->Add("ab");
  TSvMatchPosition position;
  ASSERT_TRUE(regex->CheckString("xxabc", position));
  EXPECT_EQ(3, position.StartPos);
  EXPECT_EQ(2, position.Length);
  EXPECT_EQ(1, position.LineNum);

  struct {
    const char* masks;
    const char* pattern;
  } const conversions[] = {
      {"*.txt", "(.*\\.txt\\n)"},
      {"a?c", "((^[a]).?c\\n)"},
      {"?b", "((^.)b\\n)"},
      {"*.txt;;*.doc", "(.*\\.txt\\n)|(.*\\.doc\\n)"},
  };
  for (const auto& c : conversions) {
    EXPECT_EQ(c.pattern, FileMasksToPattern(c.masks)) << c.masks;
    auto masked = fw::MakeOwned<TSvRegEx>();
    ASSERT_TRUE(masked->SetFileMasks(c.masks));
    EXPECT_EQ(std::string(c.pattern) + "\r\n", masked->GetMatchPattern()->GetText()) << c.masks;
  }
}

TEST(RegEx, AClosureOverAnEmptyOperandEnds) {
  auto regex = fw::MakeOwned<TSvRegEx>();
  regex->GetMatchPattern()->Add("(a?b?)*c");
  std::string text;
  for (int i = 0; i < 100; ++i) text += "ab";
  TSvMatchPosition position;
  auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(regex->CheckString(text, position));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
  EXPECT_TRUE(regex->CheckString(text + "c", position));
  EXPECT_EQ(1, position.StartPos);
  EXPECT_EQ(201, position.Length);
  // A mask whose piece is a group that can match nothing: the same.
  auto masked = fw::MakeOwned<TSvRegEx>();
  ASSERT_TRUE(masked->SetFileMasks("*(?" "?)+.log"));
  EXPECT_TRUE(masked->CheckString("abc.log", position));
  EXPECT_FALSE(masked->CheckString(text, position));
}

TEST(RegEx, ErrorsLeaveNothingCompiledAndUnchangedPatternsStayCompiled) {
  auto regex = fw::MakeOwned<TSvRegEx>();
  regex->GetMatchPattern()->Add("(ab");
  TSvMatchPosition position;
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      regex->CheckString("ab", position);
      ADD_FAILURE() << "an unclosed group compiled";
    } catch (const ESvRegExError& e) {
      EXPECT_EQ(295u, e.GetErrorCode());
      EXPECT_EQ("Error detected near end of pattern", e.GetMessage());
    }
    EXPECT_EQ(nullptr, regex->GetStream()->GetMatchList());
  }
  EXPECT_FALSE(regex->SetFileMasks("a[x"));
  EXPECT_EQ(nullptr, regex->GetStream()->GetMatchList());

  regex->GetMatchPattern()->Clear();
  regex->GetMatchPattern()->Add("b+");
  ASSERT_TRUE(regex->CheckString("abb", position));
  EXPECT_EQ(2, position.StartPos);
  EXPECT_EQ(2, position.Length);
  // The settings copy hands the same text again: the list compiled first is kept (a new
  // compile takes the old nodes back from the heap in another order).
  const TSvPatternNode* compiled = regex->GetStream()->GetMatchList();
  ASSERT_NE(nullptr, compiled);
  EXPECT_FALSE(regex->CheckString("ABB", position));
  EXPECT_EQ(compiled, regex->GetStream()->GetMatchList());
  // A change of text or of IgnoreCase compiles again.
  regex->SetIgnoreCase(true);
  EXPECT_TRUE(regex->CheckString("ABB", position));
  EXPECT_NE(compiled, regex->GetStream()->GetMatchList());
  regex->SetIgnoreCase(false);
  regex->GetMatchPattern()->SetStrings(0, "c+");
  EXPECT_FALSE(regex->CheckString("abb", position));
  EXPECT_TRUE(regex->CheckString("acc", position));
}

TEST(RegExFilter, SelectAvoidCountAndNumbers) {
  const std::string input = "alpha one\r\nbeta two\r\nalpha three\r\ngamma\r\n";
  auto regex = fw::MakeOwned<TSvRegEx>();
  regex->GetSelAvoidPattern()->Add("alpha");
  EXPECT_EQ("alpha one\r\nalpha three\r\n", Filter(*regex, input));
  EXPECT_EQ(2, regex->GetLinesSelected());
  EXPECT_EQ(0, regex->GetLinesMatched());

  regex->SetAvoid(true);
  EXPECT_EQ("beta two\r\ngamma\r\n", Filter(*regex, input));
  EXPECT_EQ(2, regex->GetLinesSelected());

  // Selected lines that also hold a match, with line numbers; unselected ones written too.
  regex->SetAvoid(false);
  regex->GetMatchPattern()->Add("t[hw]");
  regex->SetLineNumbers(true);
  EXPECT_EQ("     3  alpha three\r\n", Filter(*regex, input));
  EXPECT_EQ(1, regex->GetLinesMatched());
  regex->SetOutputOptions(ooUnselected);
  EXPECT_EQ("     2  beta two\r\n     3  alpha three\r\n     4  gamma\r\n", Filter(*regex, input));

  // Count only writes nothing and still counts.
  regex->SetOutputOptions(ooCountOnly | ooUnselected);
  EXPECT_EQ("", Filter(*regex, input));
  EXPECT_EQ(2, regex->GetLinesSelected());
  EXPECT_EQ(1, regex->GetLinesMatched());

  // Lines are cut at MaxLineLength (the number counts).
  regex->SetOutputOptions(0);
  regex->SetMaxLineLength(12);
  EXPECT_EQ("     3  alph\r\n", Filter(*regex, input));
}

TEST(RegExFilter, ReplacementWithTags) {
  auto regex = fw::MakeOwned<TSvRegEx>();
  regex->GetMatchPattern()->Add("{[a-z]+}={[0-9]+}");
  regex->GetReplacePattern()->Add("\\2:\\1 <\\0>");
  const std::string input = "x=1 and yy=22\r\nnothing here\r\n";
  EXPECT_EQ("1:x <x=1> and 22:yy <yy=22>\r\nnothing here\r\n", Filter(*regex, input));
  EXPECT_EQ(2, regex->GetLinesReplaced());
  EXPECT_EQ(2, regex->GetLinesSelected());
  // Only lines that hold a match.
  regex->SetOutputOptions(ooModified);
  EXPECT_EQ("1:x <x=1> and 22:yy <yy=22>\r\n", Filter(*regex, input));
}
