// MD5 message digest (RFC 1321): the context routines, the hashing component and the
// hexadecimal text form of a digest.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "services/hashing/hash_base.h"

namespace svc {

// 88 bytes, held by value: the bit count (low word first), the state and the block buffer.
// The number of bytes waiting in the buffer is (Count[0] >> 3) & 63.
struct TMD5Context {
  uint32_t Count[2];
  uint32_t State[4];
  uint8_t Buffer[64];
};
static_assert(sizeof(TMD5Context) == 88);

// The four state words in order, each little-endian.
using TMD5Digest = std::array<uint8_t, 16>;

void MD5Init(TMD5Context& context);
// Adds length bytes; a length of 0 or less adds nothing.
void MD5Update(TMD5Context& context, const void* buffer, int32_t length);
void MD5Final(TMD5Context& context, TMD5Digest& digest);
void MD5OfBuffer(TMD5Digest& digest, const void* buffer, int32_t length);
// The bytes of the string, without a terminator.
void MD5OfString(TMD5Digest& digest, const std::string& text);

// Each byte as two upper-case hexadecimal digits, in buffer order; empty for count <= 0.
std::string BytesToHex(const void* buffer, int count);

class TCrMD5 : public TCrHash {
  FW_CLASS(TCrMD5, TCrHash)

 public:
  explicit TCrMD5(fw::TComponent* AOwner);

  void HashBuffer(const void* buffer, int32_t length) override;
  // Reads the file in 1024-byte chunks; raises the stream's open error when the file cannot be
  // opened and its read error when a read fails, keeping the previous digest in both cases.
  void HashFile(const std::string& fileName) override;
  // Hashes from the stream's current position to its end.
  void HashStream(fw::TStream& stream) override;
  void HashString(const std::string& text) override;

  // The digest of the last hash; all zero before the first.
  void GetDigest(TMD5Digest& digest) const { digest = FDigest; }

 private:
  TMD5Digest FDigest{};
};

}  // namespace svc
