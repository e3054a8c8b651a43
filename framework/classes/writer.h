// TWriter: writes typed values (integers, strings, list starts and ends) to a stream through a
// buffer; TReader (reader.h) reads them back. Each value is a one-byte tag and its bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/classes/streams.h"

namespace fw {

enum TValueType : uint8_t { vaNull = 0, vaList = 1, vaInt32 = 2, vaString = 3 };

class TWriter : public TObject {
  FW_CLASS(TWriter, TObject)
 public:
  TWriter(TStream& stream, int bufSize);
  // Writes what the buffer still holds.
  ~TWriter() override;
  TWriter(const TWriter&) = delete;
  TWriter& operator=(const TWriter&) = delete;

  void WriteInteger(int32_t value);
  void WriteString(const std::string& value);
  void WriteListBegin();
  void WriteListEnd();
  // Hands the buffered bytes to the stream.
  void FlushBuffer();

 private:
  void Write(const void* data, int count);

  TStream& FStream;
  std::vector<char> FBuffer;
  int FUsed = 0;
};

}  // namespace fw
