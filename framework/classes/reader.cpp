#include "framework/classes/reader.h"

#include <algorithm>
#include <cstring>

#include "framework/rtl/exceptions.h"

namespace fw {

namespace {

constexpr char kReadError[] = "Stream read error";
constexpr char kInvalidValue[] = "Invalid property value";

}  // namespace

TReader::TReader(TStream& stream, int bufSize) : FStream(stream), FBuffer(std::max(bufSize, 16)) {}

TReader::~TReader() {
  try {
    if (FEnd > FPos) FStream.Seek(FPos - FEnd, soCurrent);
  } catch (...) {
    // The stream stays where the buffer left it.
  }
}

bool TReader::Fill() {
  FPos = 0;
  FEnd = FStream.Read(FBuffer.data(), static_cast<int>(FBuffer.size()));
  return FEnd > 0;
}

void TReader::Read(void* data, int count) {
  char* bytes = static_cast<char*>(data);
  while (count > 0) {
    if (FPos == FEnd && !Fill()) throw EReadError(kReadError);
    int chunk = std::min(count, FEnd - FPos);
    std::memcpy(bytes, FBuffer.data() + FPos, chunk);
    FPos += chunk;
    bytes += chunk;
    count -= chunk;
  }
}

TValueType TReader::NextValue() {
  if (FPos == FEnd && !Fill()) throw EReadError(kReadError);
  return static_cast<TValueType>(static_cast<uint8_t>(FBuffer[FPos]));
}

void TReader::ReadTag(TValueType expected) {
  uint8_t tag = 0;
  Read(&tag, 1);
  if (tag != expected) throw EReadError(kInvalidValue);
}

int32_t TReader::ReadInteger() {
  ReadTag(vaInt32);
  int32_t value = 0;
  Read(&value, 4);
  return value;
}

std::string TReader::ReadString() {
  ReadTag(vaString);
  int32_t length = 0;
  Read(&length, 4);
  if (length < 0) throw EReadError(kInvalidValue);
  std::string value;
  // Read in pieces so that a damaged length fails at the end of the stream, not in allocation.
  char piece[256];
  while (length > 0) {
    int chunk = std::min<int32_t>(length, sizeof piece);
    Read(piece, chunk);
    value.append(piece, chunk);
    length -= chunk;
  }
  return value;
}

void TReader::ReadListBegin() { ReadTag(vaList); }

void TReader::ReadListEnd() { ReadTag(vaNull); }

bool TReader::EndOfList() { return NextValue() == vaNull; }

}  // namespace fw
