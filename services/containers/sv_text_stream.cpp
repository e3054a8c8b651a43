#include "services/containers/sv_text_stream.h"

#include <algorithm>
#include <cstring>

#include "services/shell/sv_exception.h"

namespace svc {

void TSvTextStream::SetFixedLineLength(int value) {
  if (value < 1 || value > 4096) RaiseSsError<ESvBufStreamError>(275);
  FFixedLineLength = value;
}

void TSvTextStream::WriteLine(const char* text, int length) {
  if (!text || length < 0) length = 0;
  if (FLineTerminator == ltNone) {
    std::string line(static_cast<size_t>(FFixedLineLength), ' ');
    if (length > 0) std::memcpy(line.data(), text, std::min(length, FFixedLineLength));
    FStream.WriteBuffer(line.data(), FFixedLineLength);
    return;
  }
  if (length > 0) FStream.WriteBuffer(text, length);
  switch (FLineTerminator) {
    case ltCR: FStream.WriteBuffer("\r", 1); break;
    case ltLF: FStream.WriteBuffer("\n", 1); break;
    case ltCRLF: FStream.WriteBuffer("\r\n", 2); break;
    case ltOther: FStream.WriteBuffer(&FLineTermChar, 1); break;
    default: RaiseSsError<ESvBufStreamError>(274);
  }
}

void TSvTextStream::WriteLineZ(const char* text) { WriteLine(text, text ? static_cast<int>(std::strlen(text)) : 0); }

}  // namespace svc
