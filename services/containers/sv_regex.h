// TSvRegEx: the front object of the matcher. It keeps the settings and the three pattern lists,
// and before each use copies them into its TSvStreamRegEx, which keeps a compiled pattern for
// as long as its text is unchanged.
#pragma once
#include <memory>
#include <string>

#include "framework/core/object.h"
#include "framework/classes/string_list.h"
#include "services/containers/sv_stream_regex.h"

namespace svc {

// A pattern list that counts its changes, so the settings copy hands over only changed texts.
class TSvPatternLines : public fw::TStringList {
  FW_CLASS(TSvPatternLines, fw::TStringList)
 public:
  unsigned GetRevision() const { return FRevision; }

 protected:
  void Changed() override {
    ++FRevision;
    fw::TStringList::Changed();
  }

 private:
  unsigned FRevision = 0;
};

class TSvRegEx : public fw::TObject, public TSvRegExSettings {
  FW_CLASS(TSvRegEx, fw::TObject)
 public:
  TSvRegEx();
  ~TSvRegEx() override;

  // The ";"-separated masks as the match pattern, compiled; false on a pattern error.
  bool SetFileMasks(const std::string& masks);
  // True when the text matches; raises ESvRegExError 297 without a match or select pattern,
  // and the pattern's error id when it does not compile.
  bool CheckString(const std::string& text, TSvMatchPosition& position);
  // Filters the input's lines into the output.
  void Execute(fw::TStream& input, fw::TStream& output);

  fw::TStringList* GetMatchPattern() const { return FMatchPattern.get(); }
  fw::TStringList* GetReplacePattern() const { return FReplacePattern.get(); }
  fw::TStringList* GetSelAvoidPattern() const { return FSelAvoidPattern.get(); }
  TSvStreamRegEx* GetStream() const { return FStream.get(); }

  int GetLinesMatched() const { return FStream->GetLinesMatched(); }
  int GetLinesSelected() const { return FStream->GetLinesSelected(); }
  int GetLinesReplaced() const { return FStream->GetLinesReplaced(); }

 private:
  void CopySettings();

  // Hands a list to the stream object when it changed since it was last handed over.
  template <class Setter>
  void CopyPattern(const TSvPatternLines& lines, unsigned& copied, Setter set);

  fw::Owned<TSvPatternLines> FMatchPattern;
  fw::Owned<TSvPatternLines> FReplacePattern;
  fw::Owned<TSvPatternLines> FSelAvoidPattern;
  unsigned FMatchCopied = ~0u;
  unsigned FReplaceCopied = ~0u;
  unsigned FSelAvoidCopied = ~0u;
  fw::Owned<TSvStreamRegEx> FStream;
};

}  // namespace svc
