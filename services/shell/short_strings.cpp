#include "services/shell/short_strings.h"

#include <algorithm>

namespace svc {

std::string PadLeftShort(const std::string& text, char ch, int length) {
  length = std::min(length, 255);
  if (static_cast<int>(text.size()) >= length) return text;
  return std::string(length - text.size(), ch) + text;
}

std::string PadLeftSpaces(const std::string& text, int length) { return PadLeftShort(text, ' ', length); }

bool CharPosShort(const std::string& text, char ch, int& position) {
  size_t found = text.find(ch);
  position = found == std::string::npos ? 0 : static_cast<int>(found) + 1;
  return position != 0;
}

std::string TrimControlChars(const std::string& text) {
  auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  size_t first = 0, last = text.size();
  while (first < last && isControl(text[first])) ++first;
  while (last > first && isControl(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::string FormatGrouped(int64_t number, const std::string& separator) {
  uint64_t magnitude = number < 0 ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
  std::string digits = std::to_string(magnitude);
  std::string result;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) result += separator;
    result += digits[i];
  }
  return number < 0 ? "-" + result : result;
}

std::string FormatThousands(int64_t number) { return FormatGrouped(number, ","); }

}  // namespace svc
