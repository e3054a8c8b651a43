#include "services/containers/sv_stream_regex.h"

#include <algorithm>

#include "framework/rtl/sys_utils.h"
#include "services/containers/sv_file_masks.h"
#include "services/containers/sv_pattern_compiler.h"
#include "services/containers/sv_pattern_matcher.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trimmed(const std::string& s) {
  size_t first = 0, last = s.size();
  while (first < last && IsBlankOrControl(s[first])) ++first;
  while (last > first && IsBlankOrControl(s[last - 1])) --last;
  return s.substr(first, last - first);
}

}  // namespace

void TSvStreamRegEx::TPattern::SetLines(const fw::TStrings& lines, TSvNodeHeap& heap) {
  int count = lines.GetCount();
  bool same = static_cast<int>(Lines.size()) == count;
  for (int i = 0; same && i < count; ++i) same = Lines[i] == lines.GetStrings(i);
  if (same) return;
  Discard(heap);
  Lines.clear();
  for (int i = 0; i < count; ++i) Lines.push_back(lines.GetStrings(i));
}

void TSvStreamRegEx::TPattern::Discard(TSvNodeHeap& heap) {
  heap.ReleaseList(Compiled);
  Compiled = nullptr;
}

std::string TSvStreamRegEx::TPattern::Text() const {
  std::string text;
  for (const std::string& line : Lines) text += Trimmed(line);
  return text;
}

TSvStreamRegEx::~TSvStreamRegEx() {
  FMatch.Discard(FHeap);
  FReplace.Discard(FHeap);
  FSelAvoid.Discard(FHeap);
}

void TSvStreamRegEx::GetMatchPattern(fw::TStrings& lines) const {
  lines.Clear();
  for (const std::string& line : FMatch.Lines) lines.Add(line);
}

void TSvStreamRegEx::ResetCounters() {
  FLinesMatched = FLinesSelected = FLinesReplaced = FLinesRead = FLinesWritten = 0;
}

void TSvStreamRegEx::Compile(TPattern& pattern, bool replacement) {
  // Replacement text is written as given, so only the patterns that match follow IgnoreCase.
  bool ignoreCase = FIgnoreCase && !replacement;
  if (pattern.Compiled && pattern.CompiledIgnoreCase != ignoreCase) pattern.Discard(FHeap);
  if (pattern.Compiled) return;
  std::string text = pattern.Text();
  if (text.empty()) return;
  TSvPatternNode* list = CompilePattern(text, ignoreCase, replacement, FHeap);
  if (!list->Next) {  // nothing but the head: an empty list is not kept
    FHeap.ReleaseList(list);
    return;
  }
  pattern.Compiled = list;
  pattern.CompiledIgnoreCase = ignoreCase;
  pattern.Covers = FailureCoversLine(list);
}

void TSvStreamRegEx::Prepare() {
  Compile(FMatch, false);
  Compile(FSelAvoid, false);
  Compile(FReplace, true);
}

bool TSvStreamRegEx::SetFileMasks(const std::string& masks) {
  FMatch.Discard(FHeap);
  FMatch.Lines.assign(1, FileMasksToPattern(masks));
  try {
    Compile(FMatch, false);
  } catch (const ESvRegExError&) {
    return false;
  }
  return FMatch.Compiled != nullptr;
}

bool TSvStreamRegEx::CheckString(const std::string& text, TSvMatchPosition& position) {
  Prepare();
  if (!FMatch.Compiled && !FSelAvoid.Compiled) RaiseSsError<ESvRegExError>(297);
  position.LineNum = 1;
  return FilterLine(text, true, 1, position);
}

void TSvStreamRegEx::Execute(fw::TStream& input, fw::TStream& output) {
  Prepare();
  if (!FMatch.Compiled && !FSelAvoid.Compiled && !FReplace.Compiled) RaiseSsError<ESvRegExError>(297);
  ResetCounters();
  std::string data(static_cast<size_t>(input.GetSize() - input.GetPosition()), '\0');
  if (!data.empty()) input.ReadBuffer(data.data(), static_cast<int>(data.size()));

  std::vector<std::string> lines;
  const TSvTextSettings& in = InputSettings;
  if (in.LineTerminator == ltNone) {
    size_t length = static_cast<size_t>(std::max(in.FixedLineLength, 1));
    for (size_t at = 0; at < data.size(); at += length) lines.push_back(data.substr(at, length));
  } else {
    char terminator = in.LineTerminator == ltCR ? '\r' : in.LineTerminator == ltOther ? in.LineTermChar : '\n';
    size_t start = 0;
    while (start < data.size()) {
      size_t stop = data.find(terminator, start);
      if (stop == std::string::npos) stop = data.size();
      std::string line = data.substr(start, stop - start);
      if (in.LineTerminator == ltCRLF && !line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      start = stop + 1;
    }
  }

  TSvTextStream text(output);
  text.SetLineTerminator(OutputSettings.LineTerminator);
  text.SetLineTermChar(OutputSettings.LineTermChar);
  text.SetFixedLineLength(OutputSettings.FixedLineLength);
  FOutText = &text;
  try {
    int number = 0;
    for (const std::string& line : lines) {
      ++FLinesRead;
      TSvMatchPosition position;
      position.LineNum = ++number;
      FilterLine(line, false, number, position);
    }
  } catch (...) {
    FOutText = nullptr;
    throw;
  }
  FOutText = nullptr;
}

void TSvStreamRegEx::WriteOut(const std::string& text, int lineNumber) {
  if (!FOutText) return;
  std::string out = FLineNumbers ? fw::Format("%6d  ", lineNumber) + text : text;
  if (FMaxLineLength >= 0 && static_cast<int>(out.size()) > FMaxLineLength) out.resize(FMaxLineLength);
  FOutText->WriteLine(out);
  ++FLinesWritten;
}

bool TSvStreamRegEx::FilterLine(const std::string& text, bool testMode, int lineNumber, TSvMatchPosition& position) {
  FLine.assign(text).append("\r\n");
  const std::string& line = FLine;
  if (FIgnoreCase) {
    FFolded.resize(line.size());
    for (size_t i = 0; i < line.size(); ++i) FFolded[i] = static_cast<char>(UpperByte(static_cast<unsigned char>(line[i])));
  }
  TSvPatternMatcher matcher(line, FIgnoreCase ? &FFolded : nullptr);
  bool countOnly = FOutputOptions & ooCountOnly;
  bool selected = true;
  if (FSelAvoid.Compiled) {
    int end = 0;
    bool found = matcher.Search(FSelAvoid.Compiled, 0, end, FSelAvoid.Covers) >= 0;
    selected = FAvoid ? !found : found;
  }
  if (!selected) {
    if (!testMode && (FOutputOptions & ooUnselected) && !countOnly) WriteOut(text, lineNumber);
    return false;
  }
  ++FLinesSelected;
  if (FReplace.Compiled && !testMode) return ReplaceLine(matcher, line, lineNumber);

  bool result = true;
  if (FMatch.Compiled) {
    int end = 0;
    int start = matcher.Search(FMatch.Compiled, 0, end, FMatch.Covers);
    result = start >= 0;
    if (result) {
      ++FLinesMatched;
      position.StartPos = start + 1;
      position.EndPos = end;
      position.Length = end - start;
    }
  }
  if (!testMode && !countOnly && result) WriteOut(text, lineNumber);
  return result;
}

bool TSvStreamRegEx::ReplaceLine(TSvPatternMatcher& matcher, const std::string& line, int lineNumber) {
  bool countOnly = FOutputOptions & ooCountOnly;
  int length = static_cast<int>(line.size());
  std::string out;
  bool replaced = false;
  if (FMatch.Compiled) {
    int end = 0;
    if ((FOutputOptions & ooModified) && matcher.Search(FMatch.Compiled, 0, end, FMatch.Covers) < 0) return false;
  }
  int lastEnd = -1;
  for (int pos = 0; pos < length;) {
    int end = -1;
    if (FMatch.Compiled) end = matcher.MatchAt(FMatch.Compiled, pos);
    if (end > pos && end != lastEnd) {
      ++FLinesReplaced;
      out += Expand(matcher, line, pos, end);
      lastEnd = end;
      pos = end;
      replaced = true;
      continue;
    }
    if (line[pos] == '\r' && pos + 1 < length && line[pos + 1] == '\n') {
      out += "\r\n";
      pos += 2;
    } else {
      out += line[pos++];
    }
  }
  if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0) out.resize(out.size() - 2);
  if (!countOnly) WriteOut(out, lineNumber);
  return replaced;
}

std::string TSvStreamRegEx::Expand(TSvPatternMatcher& matcher, const std::string& line, int start, int end) const {
  std::string result;
  for (const TSvPatternNode* node = FReplace.Compiled; node; node = node->Next) {
    if (node->Kind == tkLiteral) {
      result += static_cast<char>(node->Ch);
    } else if (node->Kind == tkTagRef) {
      result += node->Ch == 0 ? line.substr(start, end - start) : matcher.TagText(node->Ch);
    }
  }
  return result;
}

}  // namespace svc
