// The read-ahead stream under the file hash: contents, positions and failures of its source.
#include <gtest/gtest.h>

#include <string>

#include "framework/rtl/exceptions.h"
#include "framework/classes/streams.h"
#include "framework/win.h"
#include "services/hashing/read_ahead_stream.h"
#include "support/sandbox.h"

using svc::TReadAheadStream;
namespace sb = testing_sandbox;

namespace {

std::string Pattern(size_t size) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + i / 251) % 256);
  return s;
}

}  // namespace

TEST(ReadAheadStream, ReadsAcrossBlocksInAnyChunkSize) {
  const std::string name = sb::TestFolder() + "data.bin";
  const std::string data = Pattern(3 * TReadAheadStream::kBlockSize + 12345);
  sb::WriteFile(name, data);
  fw::TFileStream file(name, fw::fmOpenRead | fw::fmShareDenyNone);
  TReadAheadStream stream(file);
  EXPECT_EQ(stream.GetSize(), int64_t(data.size()));

  std::string got;
  const int chunks[] = {1, 1024, 1000, TReadAheadStream::kBlockSize + 7, 3, 65535, 1024};
  for (int i = 0; got.size() < data.size(); ++i) {
    std::string chunk(chunks[i % 7], '\0');
    int n = stream.Read(chunk.data(), static_cast<int>(chunk.size()));
    ASSERT_GT(n, 0) << "early end at " << got.size();
    got.append(chunk, 0, n);
    EXPECT_EQ(stream.GetPosition(), int64_t(got.size()));
  }
  EXPECT_TRUE(got == data);
  char byte;
  EXPECT_EQ(stream.Read(&byte, 1), 0);

  // Seeking drops what was read ahead.
  stream.SetPosition(5);
  std::string part(10, '\0');
  ASSERT_EQ(stream.Read(part.data(), 10), 10);
  EXPECT_EQ(part, data.substr(5, 10));
  EXPECT_EQ(stream.Seek(100, fw::soCurrent), 115);
  ASSERT_EQ(stream.Read(part.data(), 10), 10);
  EXPECT_EQ(part, data.substr(115, 10));
  EXPECT_THROW(stream.Write("x", 1), fw::EWriteError);
}

TEST(ReadAheadStream, FailedSourceReadRaises) {
  const std::string name = sb::TestFolder() + "data.bin";
  sb::WriteFile(name, Pattern(5000));
  HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  {
    fw::THandleStream source(h);
    TReadAheadStream stream(source);
    char buffer[1024];
    EXPECT_THROW(stream.Read(buffer, 1024), fw::EReadError);
  }
  CloseHandle(h);
}

// A short read leaves most of a block buffered; a read of two whole blocks after it must take the
// buffered rest and then the source, and count, bytes and position must all come out right.
TEST(ReadAheadStream, ShortReadThenMoreThanAWholeBlock) {
  const std::string name = sb::TestFolder() + "data.bin";
  const int block = TReadAheadStream::kBlockSize;
  const std::string data = Pattern(4 * block);
  sb::WriteFile(name, data);
  fw::TFileStream file(name, fw::fmOpenRead | fw::fmShareDenyNone);
  TReadAheadStream stream(file);
  std::string small(10, '\0');
  ASSERT_EQ(stream.Read(small.data(), 10), 10);
  EXPECT_EQ(small, data.substr(0, 10));
  std::string big(2 * block, '\0');
  ASSERT_EQ(stream.Read(big.data(), 2 * block), 2 * block);
  EXPECT_TRUE(big == data.substr(10, 2 * block));
  EXPECT_EQ(stream.GetPosition(), int64_t(10 + 2 * block));
  std::string rest(2 * block, '\0');
  ASSERT_EQ(stream.Read(rest.data(), 2 * block), 2 * block - 10);
  EXPECT_TRUE(rest.substr(0, 2 * block - 10) == data.substr(10 + 2 * block));
  EXPECT_EQ(stream.GetPosition(), int64_t(data.size()));
}

namespace {

// A source that reports a failure by a negative count on its second read.
class TFailingSource : public fw::TStream {
 public:
  explicit TFailingSource(fw::TStream& source) : FSource(source) {}
  int Read(void* buffer, int count) override { return ++FReads == 2 ? -1 : FSource.Read(buffer, count); }
  int Write(const void*, int) override { return 0; }
  int64_t Seek(int64_t offset, fw::TSeekOrigin origin) override { return FSource.Seek(offset, origin); }

 private:
  fw::TStream& FSource;
  int FReads = 0;
};

}  // namespace

TEST(ReadAheadStream, NegativeCountFromTheSourceRaises) {
  const std::string name = sb::TestFolder() + "data.bin";
  sb::WriteFile(name, Pattern(3 * TReadAheadStream::kBlockSize));
  for (int first : {10, TReadAheadStream::kBlockSize}) {  // buffered, then straight to the source
    fw::TFileStream file(name, fw::fmOpenRead | fw::fmShareDenyNone);
    TFailingSource source(file);
    TReadAheadStream stream(source);
    std::string buffer(2 * TReadAheadStream::kBlockSize, '\0');
    ASSERT_EQ(stream.Read(buffer.data(), first), first);
    EXPECT_THROW(stream.Read(buffer.data(), static_cast<int>(buffer.size())), fw::EReadError) << first;
  }
}
