#include "skin/engine/text_scan.h"

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "skin/engine/fast_pixels.h"

namespace skin {

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Whether one of the four bytes of word is zero.
bool HasZeroByte(uint32_t word) { return ((word - 0x01010101u) & ~word & 0x80808080u) != 0; }

// Sixteen bytes at a time while none of them is a or b: where the search goes on byte by byte.
__attribute__((target("sse2"), force_align_arg_pointer)) size_t SkipSse2(std::string_view text, size_t at, char a,
                                                                       char b) {
  const __m128i wideA = _mm_set1_epi8(a), wideB = _mm_set1_epi8(b);
  for (; at + 16 <= text.size(); at += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
    if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, wideA), _mm_cmpeq_epi8(bytes, wideB))) != 0) break;
  }
  return at;
}

}  // namespace

size_t FindEither(std::string_view text, size_t from, char a, char b) {
  if (from + 64 <= text.size() && HasSse2()) from = SkipSse2(text, from, a, b);
  const uint32_t spreadA = 0x01010101u * static_cast<unsigned char>(a);
  const uint32_t spreadB = 0x01010101u * static_cast<unsigned char>(b);
  size_t at = from;
  // Four bytes at a time while no byte of the word is a or b; then byte by byte.
  for (uint32_t word; at + 4 <= text.size(); at += 4) {
    std::memcpy(&word, text.data() + at, 4);
    if (HasZeroByte(word ^ spreadA) || HasZeroByte(word ^ spreadB)) break;
  }
  for (; at < text.size(); ++at)
    if (text[at] == a || text[at] == b) return at;
  return text.size();
}

bool ContainsUpper(std::string_view text, std::string_view word) {
  if (word.empty()) return true;
  for (size_t at = 0; (at = FindEither(text, at, word[0], AsciiLower(word[0]))) + word.size() <= text.size(); ++at) {
    size_t i = 1;
    while (i < word.size() && AsciiUpper(text[at + i]) == word[i]) ++i;
    if (i == word.size()) return true;
  }
  return false;
}

}  // namespace skin
