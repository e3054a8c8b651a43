// TReader: reads back, through a buffer, the typed values a TWriter wrote. A value of another
// type than the one asked for, or a stream that ends inside a value, raises EReadError.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/classes/streams.h"
#include "framework/classes/writer.h"

namespace fw {

class TReader : public TObject {
  FW_CLASS(TReader, TObject)
 public:
  TReader(TStream& stream, int bufSize);
  // Puts the stream back just after the last value read.
  ~TReader() override;
  TReader(const TReader&) = delete;
  TReader& operator=(const TReader&) = delete;

  int32_t ReadInteger();
  std::string ReadString();
  void ReadListBegin();
  void ReadListEnd();
  // True when the next value is a list end (it is not consumed).
  bool EndOfList();
  TValueType NextValue();

 private:
  void Read(void* data, int count);
  void ReadTag(TValueType expected);
  // Refills the buffer; false at the end of the stream.
  bool Fill();

  TStream& FStream;
  std::vector<char> FBuffer;
  int FPos = 0;
  int FEnd = 0;
};

}  // namespace fw
