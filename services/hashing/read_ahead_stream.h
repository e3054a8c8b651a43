// A read-only stream that reads its source ahead in large blocks, so that many small reads
// (the hash reads 1024 bytes at a time) cost one system call per block instead of one each.
#pragma once
#include <cstdint>
#include <memory>

#include "framework/classes/streams.h"

namespace svc {

class TReadAheadStream : public fw::TStream {
  FW_CLASS(TReadAheadStream, fw::TStream)

 public:
  static constexpr int kBlockSize = 64 * 1024;

  // The source stays owned by the caller and must outlive this stream.
  explicit TReadAheadStream(fw::TStream& source);

  // Fewer than count bytes only at the end of the source; a failed read of the source raises
  // (EReadError also for a source that reports a failure by a negative count).
  int Read(void* buffer, int count) override;
  // Raises EWriteError: the stream is read-only.
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, fw::TSeekOrigin origin) override;
  int64_t GetSize() override { return FSource.GetSize(); }

 private:
  int ReadSource(char* buffer, int count);

  fw::TStream& FSource;
  // Made at the first read smaller than a block (a reader of whole blocks never needs it), and
  // not cleared: only bytes read into it are ever used.
  std::unique_ptr<char[]> FBlock;
  int FStart = 0;  // the next unread byte of the block
  int FEnd = 0;    // the end of the valid bytes of the block
};

}  // namespace svc
