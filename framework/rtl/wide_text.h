// The program's strings are UTF-8; Windows takes them either through the ANSI calls (under the
// UTF-8 code page) or in UTF-16 through the wide calls. Text read from files can hold anything,
// and Windows mishandles what is not UTF-8 (a cut sequence at the end of a text loses its
// terminator in this Wine's conversion), so every text goes through ValidUtf8 before it enters
// Windows as a string, and through ShownWide before the wide calls paint or measure it: both
// end it at its first NUL, as a window would. All conversions here replace each invalid or cut
// sequence by U+FFFD ("\xEF\xBF\xBD"), one for every maximal sequence that could have begun a
// character, as Unicode recommends.
#pragma once
#include <string>
#include <string_view>

namespace fw {

// text as valid UTF-8, up to its first NUL: what Windows reads of it as a C string. At most
// limit bytes (for a fixed buffer), cut before a character that would not fit whole.
std::string ValidUtf8(std::string_view text, size_t limit = std::string::npos);

// The UTF-16 form of text, every byte of it (NULs included).
std::wstring Utf8ToWide(std::string_view text);
// The UTF-16 form of ValidUtf8(text): what a window shows of the text, and what is painted of it.
inline std::wstring ShownWide(std::string_view text) { return Utf8ToWide(ValidUtf8(text)); }
// The UTF-8 form of UTF-16 text; a lone surrogate becomes U+FFFD. length -1: up to the NUL.
std::string WideToUtf8(const wchar_t* text, int length = -1);
inline std::string WideToUtf8(const std::wstring& text) {
  return WideToUtf8(text.c_str(), static_cast<int>(text.size()));
}

}  // namespace fw
