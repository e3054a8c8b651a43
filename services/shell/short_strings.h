// Short-string helpers of the shell and pattern services.
#pragma once
#include <cstdint>
#include <string>

namespace svc {

// text right-aligned in length characters (at most 255), the front filled with ch; a text at
// least that long comes back unchanged.
std::string PadLeftShort(const std::string& text, char ch, int length);
std::string PadLeftSpaces(const std::string& text, int length);
// The 1-based position of the first ch; false and 0 when there is none.
bool CharPosShort(const std::string& text, char ch, int& position);
// Removes every character with a code of 32 or less from both ends.
std::string TrimControlChars(const std::string& text);
// The decimal text with separator between groups of three digits ("-" before a negative).
std::string FormatGrouped(int64_t number, const std::string& separator);
std::string FormatThousands(int64_t number);

}  // namespace svc
