// TSvTextStream: writes lines of text to a stream, ended by CR, LF, CR LF or a terminator
// character of its own, or as fixed-length lines padded with spaces.
#pragma once
#include <string>

#include "framework/core/object.h"
#include "framework/classes/streams.h"

namespace svc {

enum TSvLineTerminator { ltNone = 0, ltCR = 1, ltLF = 2, ltCRLF = 3, ltOther = 4 };

class TSvTextStream : public fw::TObject {
  FW_CLASS(TSvTextStream, fw::TObject)
 public:
  explicit TSvTextStream(fw::TStream& stream) : FStream(stream) {}

  // The text and its terminator; ltNone writes a line of FixedLineLength bytes. Any other
  // terminator value raises ESvBufStreamError 274 after the text was written.
  void WriteLine(const char* text, int length);
  void WriteLine(const std::string& text) { WriteLine(text.data(), static_cast<int>(text.size())); }
  // A zero-terminated text (null writes an empty line).
  void WriteLineZ(const char* text);

  int GetLineTerminator() const { return FLineTerminator; }
  void SetLineTerminator(int value) { FLineTerminator = value; }
  char GetLineTermChar() const { return FLineTermChar; }
  void SetLineTermChar(char value) { FLineTermChar = value; }
  int GetFixedLineLength() const { return FFixedLineLength; }
  // 1 to 4096, else ESvBufStreamError 275.
  void SetFixedLineLength(int value);

 private:
  fw::TStream& FStream;
  int FLineTerminator = ltCRLF;
  char FLineTermChar = '\n';
  int FFixedLineLength = 80;
};

}  // namespace svc
