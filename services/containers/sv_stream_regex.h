// TSvStreamRegEx: holds the compiled match, replacement and select patterns and runs the line
// filter: selecting (or avoiding) lines, matching, counting, numbering and replacing, over one
// line (CheckString) or between text streams (Execute).
#pragma once
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/classes/streams.h"
#include "framework/classes/string_list.h"
#include "services/containers/sv_node_heap.h"
#include "services/containers/sv_text_stream.h"

namespace svc {

class TSvPatternMatcher;

// Where a match was found: start (1-based), end, length, and the line number.
struct TSvMatchPosition {
  int StartPos = 0;
  int EndPos = 0;
  int Length = 0;
  int LineNum = 0;
};

enum TSvOutputOption : unsigned {
  ooUnselected = 1,  // also write the lines that are not selected
  ooModified = 2,    // replace only in lines that hold a match
  ooCountOnly = 4,   // write nothing
};

// The line settings of one side of the filter.
struct TSvTextSettings {
  int LineTerminator = ltCRLF;
  char LineTermChar = '\n';
  int FixedLineLength = 80;
};

// The filter's settings. The front object TSvRegEx keeps its own and copies them into its
// stream object before each use.
class TSvRegExSettings {
 public:
  bool GetIgnoreCase() const { return FIgnoreCase; }
  void SetIgnoreCase(bool v) { FIgnoreCase = v; }
  bool GetAvoid() const { return FAvoid; }
  void SetAvoid(bool v) { FAvoid = v; }
  bool GetLineNumbers() const { return FLineNumbers; }
  void SetLineNumbers(bool v) { FLineNumbers = v; }
  unsigned GetOutputOptions() const { return FOutputOptions; }
  // Count-only clears the other options.
  void SetOutputOptions(unsigned v) { FOutputOptions = v & ooCountOnly ? ooCountOnly : v & (ooUnselected | ooModified); }
  int GetMaxLineLength() const { return FMaxLineLength; }
  void SetMaxLineLength(int v) { FMaxLineLength = v; }
  TSvTextSettings InputSettings;
  TSvTextSettings OutputSettings;

 protected:
  bool FIgnoreCase = false;
  bool FAvoid = false;
  bool FLineNumbers = false;
  unsigned FOutputOptions = 0;
  int FMaxLineLength = 1024;
};

class TSvStreamRegEx : public fw::TObject, public TSvRegExSettings {
  FW_CLASS(TSvStreamRegEx, fw::TObject)
 public:
  TSvStreamRegEx() = default;
  ~TSvStreamRegEx() override;
  TSvStreamRegEx(const TSvStreamRegEx&) = delete;
  TSvStreamRegEx& operator=(const TSvStreamRegEx&) = delete;

  // Tests one text as the line text + CR LF; raises 297 without a match or select pattern.
  bool CheckString(const std::string& text, TSvMatchPosition& position);
  // Filters the input's lines into the output, numbered from 1.
  void Execute(fw::TStream& input, fw::TStream& output);
  // Makes the match pattern of a ";"-separated mask list and compiles it; false on a pattern
  // error (the pattern is then not compiled).
  bool SetFileMasks(const std::string& masks);

  // A new pattern text discards its compiled list; the same text keeps it.
  void SetMatchPattern(const fw::TStrings& lines) { FMatch.SetLines(lines, FHeap); }
  void SetReplacePattern(const fw::TStrings& lines) { FReplace.SetLines(lines, FHeap); }
  void SetSelAvoidPattern(const fw::TStrings& lines) { FSelAvoid.SetLines(lines, FHeap); }
  void GetMatchPattern(fw::TStrings& lines) const;

  void ResetCounters();
  int GetLinesMatched() const { return FLinesMatched; }
  int GetLinesSelected() const { return FLinesSelected; }
  int GetLinesReplaced() const { return FLinesReplaced; }
  int GetLinesRead() const { return FLinesRead; }
  int GetLinesWritten() const { return FLinesWritten; }

  // The match pattern's compiled list, null while there is none.
  const TSvPatternNode* GetMatchList() const { return FMatch.Compiled; }

 private:
  struct TPattern {
    std::vector<std::string> Lines;
    TSvPatternNode* Compiled = nullptr;
    bool CompiledIgnoreCase = false;
    bool Covers = false;  // FailureCoversLine of the compiled list
    void SetLines(const fw::TStrings& lines, TSvNodeHeap& heap);
    void Discard(TSvNodeHeap& heap);
    // The lines trimmed of control characters and blanks, joined.
    std::string Text() const;
  };

  // Compiles the patterns that have text and no (current) compiled list.
  void Prepare();
  void Compile(TPattern& pattern, bool replacement);
  bool FilterLine(const std::string& text, bool testMode, int lineNumber, TSvMatchPosition& position);
  bool ReplaceLine(TSvPatternMatcher& matcher, const std::string& line, int lineNumber);
  std::string Expand(TSvPatternMatcher& matcher, const std::string& line, int start, int end) const;
  void WriteOut(const std::string& text, int lineNumber);

  TSvNodeHeap FHeap;
  TPattern FMatch;
  TPattern FReplace;
  TPattern FSelAvoid;
  TSvTextStream* FOutText = nullptr;  // during Execute
  std::string FLine;                  // the line being filtered: the text and CR LF
  std::string FFolded;                // the line upper-cased, with IgnoreCase
  int FLinesMatched = 0;
  int FLinesSelected = 0;
  int FLinesReplaced = 0;
  int FLinesRead = 0;
  int FLinesWritten = 0;
};

}  // namespace svc
