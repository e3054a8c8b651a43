#include "services/hashing/read_ahead_stream.h"

#include <cstring>

#include "framework/rtl/exceptions.h"

namespace svc {

TReadAheadStream::TReadAheadStream(fw::TStream& source) : FSource(source) {}

int TReadAheadStream::ReadSource(char* buffer, int count) {
  int n = FSource.Read(buffer, count);
  // A source that reports a failure by its count must not look like one at its end.
  if (n < 0 || n > count) throw fw::EReadError("Stream read error");
  return n;
}

int TReadAheadStream::Read(void* buffer, int count) {
  char* out = static_cast<char*>(buffer);
  int total = 0;
  while (total < count) {
    if (FStart == FEnd) {
      // A request of a whole block or more goes straight to the source.
      if (count - total >= kBlockSize) return total + ReadSource(out + total, count - total);
      FStart = FEnd = 0;
      if (!FBlock) FBlock.reset(new char[kBlockSize]);
      FEnd = ReadSource(FBlock.get(), kBlockSize);
      if (FEnd == 0) break;
    }
    int n = count - total < FEnd - FStart ? count - total : FEnd - FStart;
    std::memcpy(out + total, FBlock.get() + FStart, static_cast<size_t>(n));
    FStart += n;
    total += n;
  }
  return total;
}

int TReadAheadStream::Write(const void*, int) { throw fw::EWriteError("Stream write error"); }

int64_t TReadAheadStream::Seek(int64_t offset, fw::TSeekOrigin origin) {
  const int64_t buffered = FEnd - FStart;
  if (origin == fw::soCurrent) {
    if (offset == 0) return FSource.Seek(0, fw::soCurrent) - buffered;
    offset -= buffered;  // relative to the source's position
  }
  FStart = FEnd = 0;
  return FSource.Seek(offset, origin);
}

}  // namespace svc
