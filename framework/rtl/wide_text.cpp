#include "framework/rtl/wide_text.h"

#include <algorithm>
#include <cwchar>

namespace fw {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr char32_t kInvalid = 0xFFFFFFFF;

// The character at text[pos], advancing pos past it; kInvalid for an invalid or cut sequence,
// advancing past the bytes that could still have begun a character.
char32_t NextChar(std::string_view text, size_t& pos) {
  unsigned char lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  int trail;
  char32_t code;
  unsigned char low = 0x80, high = 0xBF;  // the range of the byte after the lead
  if (lead >= 0xC2 && lead <= 0xDF) {
    trail = 1;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trail = 2;
    code = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trail = 3;
    code = lead & 0x07;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return kInvalid;  // a trail byte, C0, C1 or F5..FF
  }
  for (; trail > 0; --trail) {
    if (pos >= text.size()) return kInvalid;
    unsigned char next = static_cast<unsigned char>(text[pos]);
    if (next < low || next > high) return kInvalid;
    low = 0x80;
    high = 0xBF;
    code = (code << 6) | (next & 0x3F);
    ++pos;
  }
  return code;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string ValidUtf8(std::string_view text, size_t limit) {
  std::string result;
  result.reserve(std::min(text.size(), limit));
  size_t pos = 0;
  while (pos < text.size() && text[pos] != '\0') {
    size_t start = pos;
    std::string_view character = NextChar(text, pos) == kInvalid ? kReplacementUtf8 : text.substr(start, pos - start);
    if (result.size() + character.size() > limit) break;
    result += character;
  }
  return result;
}

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring result;
  result.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    char32_t code = NextChar(text, pos);
    if (code == kInvalid) code = kReplacement;
    if (code < 0x10000) {
      result += static_cast<wchar_t>(code);
    } else {
      code -= 0x10000;
      result += static_cast<wchar_t>(0xD800 | (code >> 10));
      result += static_cast<wchar_t>(0xDC00 | (code & 0x3FF));
    }
  }
  return result;
}

std::string WideToUtf8(const wchar_t* text, int length) {
  if (length < 0) length = static_cast<int>(std::wcslen(text));
  std::string result;
  result.reserve(static_cast<size_t>(length));
  for (int i = 0; i < length; ++i) {
    char32_t code = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < length && IsLowSurrogate(text[i + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      code = kReplacement;
    }
    AppendUtf8(result, code);
  }
  return result;
}

}  // namespace fw
