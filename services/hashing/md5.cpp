// MD5 (RFC 1321) over buffers, strings, streams and files.
#include "services/hashing/md5.h"

#include <cstring>

#include "framework/classes/streams.h"
#include "services/hashing/read_ahead_stream.h"

namespace svc {

namespace {

const uint8_t kPadding[64] = {0x80};

inline uint32_t Rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// One step of a round: a := b + ((a + f(b,c,d) + x + t) <<< s).
#define MD5_STEP(f, a, b, c, d, x, t, s) \
  a += f(b, c, d) + (x) + (t);           \
  a = Rotl(a, s) + b;

#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_G(x, y, z) ((y) ^ ((z) & ((x) ^ (y))))
#define MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))

// Transforms the state with one 64-byte block (sixteen little-endian words).
void MD5Transform(uint32_t state[4], const uint8_t* block) {
  uint32_t x[16];
  std::memcpy(x, block, 64);  // the target is little-endian, as the words are
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3];

  MD5_STEP(MD5_F, a, b, c, d, x[0], 0xd76aa478, 7)
  MD5_STEP(MD5_F, d, a, b, c, x[1], 0xe8c7b756, 12)
  MD5_STEP(MD5_F, c, d, a, b, x[2], 0x242070db, 17)
  MD5_STEP(MD5_F, b, c, d, a, x[3], 0xc1bdceee, 22)
  MD5_STEP(MD5_F, a, b, c, d, x[4], 0xf57c0faf, 7)
  MD5_STEP(MD5_F, d, a, b, c, x[5], 0x4787c62a, 12)
  MD5_STEP(MD5_F, c, d, a, b, x[6], 0xa8304613, 17)
  MD5_STEP(MD5_F, b, c, d, a, x[7], 0xfd469501, 22)
  MD5_STEP(MD5_F, a, b, c, d, x[8], 0x698098d8, 7)
  MD5_STEP(MD5_F, d, a, b, c, x[9], 0x8b44f7af, 12)
  MD5_STEP(MD5_F, c, d, a, b, x[10], 0xffff5bb1, 17)
  MD5_STEP(MD5_F, b, c, d, a, x[11], 0x895cd7be, 22)
  MD5_STEP(MD5_F, a, b, c, d, x[12], 0x6b901122, 7)
  MD5_STEP(MD5_F, d, a, b, c, x[13], 0xfd987193, 12)
  MD5_STEP(MD5_F, c, d, a, b, x[14], 0xa679438e, 17)
  MD5_STEP(MD5_F, b, c, d, a, x[15], 0x49b40821, 22)

  MD5_STEP(MD5_G, a, b, c, d, x[1], 0xf61e2562, 5)
  MD5_STEP(MD5_G, d, a, b, c, x[6], 0xc040b340, 9)
  MD5_STEP(MD5_G, c, d, a, b, x[11], 0x265e5a51, 14)
  MD5_STEP(MD5_G, b, c, d, a, x[0], 0xe9b6c7aa, 20)
  MD5_STEP(MD5_G, a, b, c, d, x[5], 0xd62f105d, 5)
  MD5_STEP(MD5_G, d, a, b, c, x[10], 0x02441453, 9)
  MD5_STEP(MD5_G, c, d, a, b, x[15], 0xd8a1e681, 14)
  MD5_STEP(MD5_G, b, c, d, a, x[4], 0xe7d3fbc8, 20)
  MD5_STEP(MD5_G, a, b, c, d, x[9], 0x21e1cde6, 5)
  MD5_STEP(MD5_G, d, a, b, c, x[14], 0xc33707d6, 9)
  MD5_STEP(MD5_G, c, d, a, b, x[3], 0xf4d50d87, 14)
  MD5_STEP(MD5_G, b, c, d, a, x[8], 0x455a14ed, 20)
  MD5_STEP(MD5_G, a, b, c, d, x[13], 0xa9e3e905, 5)
  MD5_STEP(MD5_G, d, a, b, c, x[2], 0xfcefa3f8, 9)
  MD5_STEP(MD5_G, c, d, a, b, x[7], 0x676f02d9, 14)
  MD5_STEP(MD5_G, b, c, d, a, x[12], 0x8d2a4c8a, 20)

  MD5_STEP(MD5_H, a, b, c, d, x[5], 0xfffa3942, 4)
  MD5_STEP(MD5_H, d, a, b, c, x[8], 0x8771f681, 11)
  MD5_STEP(MD5_H, c, d, a, b, x[11], 0x6d9d6122, 16)
  MD5_STEP(MD5_H, b, c, d, a, x[14], 0xfde5380c, 23)
  MD5_STEP(MD5_H, a, b, c, d, x[1], 0xa4beea44, 4)
  MD5_STEP(MD5_H, d, a, b, c, x[4], 0x4bdecfa9, 11)
  MD5_STEP(MD5_H, c, d, a, b, x[7], 0xf6bb4b60, 16)
  MD5_STEP(MD5_H, b, c, d, a, x[10], 0xbebfbc70, 23)
  MD5_STEP(MD5_H, a, b, c, d, x[13], 0x289b7ec6, 4)
  MD5_STEP(MD5_H, d, a, b, c, x[0], 0xeaa127fa, 11)
  MD5_STEP(MD5_H, c, d, a, b, x[3], 0xd4ef3085, 16)
  MD5_STEP(MD5_H, b, c, d, a, x[6], 0x04881d05, 23)
  MD5_STEP(MD5_H, a, b, c, d, x[9], 0xd9d4d039, 4)
  MD5_STEP(MD5_H, d, a, b, c, x[12], 0xe6db99e5, 11)
  MD5_STEP(MD5_H, c, d, a, b, x[15], 0x1fa27cf8, 16)
  MD5_STEP(MD5_H, b, c, d, a, x[2], 0xc4ac5665, 23)

  MD5_STEP(MD5_I, a, b, c, d, x[0], 0xf4292244, 6)
  MD5_STEP(MD5_I, d, a, b, c, x[7], 0x432aff97, 10)
  MD5_STEP(MD5_I, c, d, a, b, x[14], 0xab9423a7, 15)
  MD5_STEP(MD5_I, b, c, d, a, x[5], 0xfc93a039, 21)
  MD5_STEP(MD5_I, a, b, c, d, x[12], 0x655b59c3, 6)
  MD5_STEP(MD5_I, d, a, b, c, x[3], 0x8f0ccc92, 10)
  MD5_STEP(MD5_I, c, d, a, b, x[10], 0xffeff47d, 15)
  MD5_STEP(MD5_I, b, c, d, a, x[1], 0x85845dd1, 21)
  MD5_STEP(MD5_I, a, b, c, d, x[8], 0x6fa87e4f, 6)
  MD5_STEP(MD5_I, d, a, b, c, x[15], 0xfe2ce6e0, 10)
  MD5_STEP(MD5_I, c, d, a, b, x[6], 0xa3014314, 15)
  MD5_STEP(MD5_I, b, c, d, a, x[13], 0x4e0811a1, 21)
  MD5_STEP(MD5_I, a, b, c, d, x[4], 0xf7537e82, 6)
  MD5_STEP(MD5_I, d, a, b, c, x[11], 0xbd3af235, 10)
  MD5_STEP(MD5_I, c, d, a, b, x[2], 0x2ad7d2bb, 15)
  MD5_STEP(MD5_I, b, c, d, a, x[9], 0xeb86d391, 21)

  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

#undef MD5_STEP
#undef MD5_F
#undef MD5_G
#undef MD5_H
#undef MD5_I

}  // namespace

void MD5Init(TMD5Context& context) {
  context.Count[0] = 0;
  context.Count[1] = 0;
  context.State[0] = 0x67452301;
  context.State[1] = 0xefcdab89;
  context.State[2] = 0x98badcfe;
  context.State[3] = 0x10325476;
}

void MD5Update(TMD5Context& context, const void* buffer, int32_t length) {
  if (length <= 0) return;
  const uint8_t* input = static_cast<const uint8_t*>(buffer);
  uint32_t len = static_cast<uint32_t>(length);
  uint32_t waiting = (context.Count[0] >> 3) & 63;

  uint32_t bits = len << 3;
  context.Count[0] += bits;
  if (context.Count[0] < bits) ++context.Count[1];
  context.Count[1] += len >> 29;

  uint32_t room = 64 - waiting;
  uint32_t i = 0;
  if (len >= room) {
    std::memcpy(context.Buffer + waiting, input, room);
    MD5Transform(context.State, context.Buffer);
    for (i = room; i + 63 < len; i += 64) MD5Transform(context.State, input + i);
    waiting = 0;
  }
  std::memcpy(context.Buffer + waiting, input + i, len - i);
}

void MD5Final(TMD5Context& context, TMD5Digest& digest) {
  uint8_t bits[8];
  std::memcpy(bits, context.Count, 8);
  uint32_t waiting = (context.Count[0] >> 3) & 63;
  uint32_t padLength = waiting < 56 ? 56 - waiting : 120 - waiting;
  MD5Update(context, kPadding, static_cast<int32_t>(padLength));
  MD5Update(context, bits, 8);
  std::memcpy(digest.data(), context.State, 16);
}

void MD5OfBuffer(TMD5Digest& digest, const void* buffer, int32_t length) {
  TMD5Context context;
  std::memset(&context, 0, sizeof(context));
  MD5Init(context);
  MD5Update(context, buffer, length);
  MD5Final(context, digest);
}

void MD5OfString(TMD5Digest& digest, const std::string& text) {
  MD5OfBuffer(digest, text.data(), static_cast<int32_t>(text.size()));
}

std::string BytesToHex(const void* buffer, int count) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  if (count <= 0) return text;
  const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
  text.resize(static_cast<size_t>(count) * 2);
  for (int i = 0; i < count; ++i) {
    text[2 * i] = kDigits[bytes[i] >> 4];
    text[2 * i + 1] = kDigits[bytes[i] & 15];
  }
  return text;
}

}  // namespace svc

namespace svc {

TCrMD5::TCrMD5(fw::TComponent* AOwner) : TCrHash(AOwner) {}

void TCrMD5::HashBuffer(const void* buffer, int32_t length) { MD5OfBuffer(FDigest, buffer, length); }

void TCrMD5::HashString(const std::string& text) { MD5OfString(FDigest, text); }

void TCrMD5::HashStream(fw::TStream& stream) {
  TMD5Context context;
  MD5Init(context);
  // A failed read raises; only a read of nothing is the end of the stream.
  for (;;) {
    int32_t count = stream.Read(FReadBuffer, kReadChunk);
    if (count <= 0) break;
    MD5Update(context, FReadBuffer, count);
  }
  MD5Final(context, FDigest);
}

void TCrMD5::HashFile(const std::string& fileName) {
  fw::TFileStream file(fileName, fw::fmOpenRead | fw::fmShareDenyNone);
  TReadAheadStream stream(file);
  HashStream(stream);
}

}  // namespace svc
