// MD5 against the RFC 1321 test suite, its padding boundaries, real files and failing reads.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/component.h"
#include "framework/rtl/exceptions.h"
#include "framework/classes/streams.h"
#include "framework/win.h"
#include "services/hashing/md5.h"
#include "support/sandbox.h"

using namespace svc;
namespace sb = testing_sandbox;

namespace {

std::string Hex(const TMD5Digest& d) { return BytesToHex(d.data(), 16); }

std::string HexOf(const std::string& text) {
  TMD5Digest d;
  MD5OfString(d, text);
  return Hex(d);
}

std::string Digest(const TCrMD5& md5) {
  TMD5Digest d;
  md5.GetDigest(d);
  return Hex(d);
}

// Bytes that differ from one position to the next.
std::string Pattern(size_t size) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 7 + 3) % 256);
  return s;
}

const char kEmpty[] = "D41D8CD98F00B204E9800998ECF8427E";

}  // namespace

TEST(MD5, Rfc1321Suite) {
  const std::pair<std::string, const char*> suite[] = {
      {"", kEmpty},
      {"a", "0CC175B9C0F1B6A831C399E269772661"},
      {"abc", "900150983CD24FB0D6963F7D28E17F72"},
      {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
      {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57EDF4A22BE3C955AC49DA2E2107B67A"},
  };
  auto md5 = fw::MakeOwned<TCrMD5>(nullptr);
  for (const auto& [text, digest] : suite) {
    EXPECT_EQ(HexOf(text), digest) << '"' << text << '"';
    md5->HashString(text);
    EXPECT_EQ(Digest(*md5), digest);
    md5->HashBuffer(text.data(), static_cast<int32_t>(text.size()));
    EXPECT_EQ(Digest(*md5), digest);
  }
  md5->HashBuffer("ignored", 0);
  EXPECT_EQ(Digest(*md5), kEmpty);
  md5->HashBuffer("ignored", -5);
  EXPECT_EQ(Digest(*md5), kEmpty);
}

// Around the 56-byte padding limit and the 64-byte block, in one call and byte by byte.
TEST(MD5, PaddingBoundaries) {
  const std::pair<int, const char*> cases[] = {
      {55, "EF1772B6DFF9A122358552954AD0DF65"}, {56, "3B0C8AC703F828B04C6C197006D17218"},
      {63, "B06521F39153D618550606BE297466D5"}, {64, "014842D480B571495A4A0363793F7367"},
      {65, "C743A45E0D2E6A95CB859ADAE0248435"},
  };
  for (const auto& [size, digest] : cases) {
    const std::string text(size, 'a');
    EXPECT_EQ(HexOf(text), digest) << size;
    TMD5Context context;
    MD5Init(context);
    for (char c : text) MD5Update(context, &c, 1);
    EXPECT_EQ((context.Count[0] >> 3) & 63, uint32_t(size & 63));
    TMD5Digest d;
    MD5Final(context, d);
    EXPECT_EQ(Hex(d), digest) << size;
  }
}

// Files around the 1024-byte read chunk, hashed from disk and from memory.
TEST(MD5, FilesAroundTheReadChunk) {
  const std::string dir = sb::TestFolder();
  const std::pair<size_t, const char*> cases[] = {
      {0, kEmpty},
      {1024, "A66351D9C8F941B70A02EAF9C41E69C3"},
      {1025, "EE57403EB3428E1A0BE41FAD4A70B174"},
  };
  auto md5 = fw::MakeOwned<TCrMD5>(nullptr);
  for (const auto& [size, digest] : cases) {
    const std::string name = dir + std::to_string(size) + ".bin";
    const std::string data = Pattern(size);
    sb::WriteFile(name, data);
    md5->HashFile(name);
    EXPECT_EQ(Digest(*md5), digest) << size;
    md5->HashBuffer(data.data(), static_cast<int32_t>(data.size()));
    EXPECT_EQ(Digest(*md5), digest) << size;
  }

  // A stream is hashed from where it stands, not from its start.
  fw::TFileStream stream(dir + "1025.bin", fw::fmOpenRead | fw::fmShareDenyNone);
  stream.SetPosition(1);
  md5->HashStream(stream);
  EXPECT_EQ(Digest(*md5), HexOf(Pattern(1025).substr(1)));

  // Others may go on writing the file while it is hashed.
  HANDLE writer = CreateFileA((dir + "1024.bin").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  md5->HashFile(dir + "1024.bin");
  EXPECT_EQ(Digest(*md5), "A66351D9C8F941B70A02EAF9C41E69C3");
  CloseHandle(writer);
}

// A read that fails is an error, never an early end: the previous digest stays.
TEST(MD5, FailedReadRaisesAndKeepsTheDigest) {
  const std::string dir = sb::TestFolder();
  const std::string name = dir + "data.bin";
  sb::WriteFile(name, Pattern(3000));
  auto md5 = fw::MakeOwned<TCrMD5>(nullptr);
  md5->HashString("abc");

  // A handle without read access: ReadFile fails on the first chunk.
  HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  {
    fw::THandleStream stream(h);
    EXPECT_THROW(md5->HashStream(stream), fw::EReadError);
  }
  CloseHandle(h);
  EXPECT_EQ(Digest(*md5), "900150983CD24FB0D6963F7D28E17F72");

  // A file that cannot be opened.
  EXPECT_THROW(md5->HashFile(dir + "missing.bin"), fw::EFOpenError);
  HANDLE exclusive = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  EXPECT_THROW(md5->HashFile(name), fw::EFOpenError);
  CloseHandle(exclusive);
  EXPECT_EQ(Digest(*md5), "900150983CD24FB0D6963F7D28E17F72");

  md5->HashFile(name);
  EXPECT_EQ(Digest(*md5), HexOf(Pattern(3000)));
}

TEST(MD5, HexTextAndComponent) {
  const unsigned char bytes[] = {0x00, 0x0F, 0xA0};
  EXPECT_EQ(BytesToHex(bytes, 3), "000FA0");
  EXPECT_EQ(BytesToHex(bytes, 0), "");
  EXPECT_EQ(BytesToHex(bytes, -1), "");

  // Owned by another component and freed with it; zero digest before the first hash.
  auto owner = fw::MakeOwned<fw::TComponent>(nullptr);
  TCrMD5* md5 = fw::New<TCrMD5>(owner.get());
  EXPECT_EQ(owner->GetComponentCount(), 1);
  EXPECT_EQ(md5->ClassName(), "TCrMD5");
  EXPECT_TRUE(md5->IsOrInheritsFrom("TCrHash"));
  EXPECT_EQ(Digest(*md5), std::string(32, '0'));
  EXPECT_EQ(md5->GetVersion(), "2.07");
  md5->SetVersion("9.99");
  EXPECT_EQ(md5->GetVersion(), "2.07");
  TMD5Digest d;
  MD5OfString(d, "abc");
  EXPECT_EQ(sizeof(TMD5Context), 88u);
  EXPECT_EQ(Hex(d).size(), 32u);
}
