#include "services/containers/sv_regex.h"

namespace svc {

TSvRegEx::TSvRegEx()
    : FMatchPattern(fw::MakeOwned<TSvPatternLines>()),
      FReplacePattern(fw::MakeOwned<TSvPatternLines>()),
      FSelAvoidPattern(fw::MakeOwned<TSvPatternLines>()),
      FStream(fw::MakeOwned<TSvStreamRegEx>()) {}

TSvRegEx::~TSvRegEx() = default;

template <class Setter>
void TSvRegEx::CopyPattern(const TSvPatternLines& lines, unsigned& copied, Setter set) {
  if (copied == lines.GetRevision()) return;
  (FStream.get()->*set)(lines);
  copied = lines.GetRevision();
}

void TSvRegEx::CopySettings() {
  static_cast<TSvRegExSettings&>(*FStream) = *this;
  // The stream object keeps a compiled list while its text is unchanged.
  CopyPattern(*FMatchPattern, FMatchCopied, &TSvStreamRegEx::SetMatchPattern);
  CopyPattern(*FReplacePattern, FReplaceCopied, &TSvStreamRegEx::SetReplacePattern);
  CopyPattern(*FSelAvoidPattern, FSelAvoidCopied, &TSvStreamRegEx::SetSelAvoidPattern);
  FStream->ResetCounters();
}

bool TSvRegEx::SetFileMasks(const std::string& masks) {
  FStream->SetIgnoreCase(FIgnoreCase);
  bool compiled = FStream->SetFileMasks(masks);
  if (compiled) FStream->GetMatchPattern(*FMatchPattern);
  return compiled;
}

bool TSvRegEx::CheckString(const std::string& text, TSvMatchPosition& position) {
  if (!FStream) return false;
  CopySettings();
  return FStream->CheckString(text, position);
}

void TSvRegEx::Execute(fw::TStream& input, fw::TStream& output) {
  CopySettings();
  FStream->Execute(input, output);
}

}  // namespace svc
