#include "framework/classes/writer.h"

#include <algorithm>
#include <cstring>

namespace fw {

TWriter::TWriter(TStream& stream, int bufSize) : FStream(stream), FBuffer(std::max(bufSize, 16)) {}

TWriter::~TWriter() {
  try {
    FlushBuffer();
  } catch (...) {
    // A failing stream was reported by the last explicit write; nothing can be done here.
  }
}

void TWriter::FlushBuffer() {
  if (FUsed == 0) return;
  int used = FUsed;
  FUsed = 0;
  FStream.WriteBuffer(FBuffer.data(), used);
}

void TWriter::Write(const void* data, int count) {
  const char* bytes = static_cast<const char*>(data);
  while (count > 0) {
    if (FUsed == static_cast<int>(FBuffer.size())) FlushBuffer();
    int chunk = std::min(count, static_cast<int>(FBuffer.size()) - FUsed);
    std::memcpy(FBuffer.data() + FUsed, bytes, chunk);
    FUsed += chunk;
    bytes += chunk;
    count -= chunk;
  }
}

void TWriter::WriteInteger(int32_t value) {
  uint8_t tag = vaInt32;
  Write(&tag, 1);
  Write(&value, 4);
}

void TWriter::WriteString(const std::string& value) {
  uint8_t tag = vaString;
  int32_t length = static_cast<int32_t>(value.size());
  Write(&tag, 1);
  Write(&length, 4);
  Write(value.data(), length);
}

void TWriter::WriteListBegin() {
  uint8_t tag = vaList;
  Write(&tag, 1);
}

void TWriter::WriteListEnd() {
  uint8_t tag = vaNull;
  Write(&tag, 1);
}

}  // namespace fw
