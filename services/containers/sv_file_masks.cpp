#include "services/containers/sv_file_masks.h"

namespace svc {

std::string FileMaskToPattern(const std::string& mask) {
  std::string pattern;
  size_t i = 0;
  if (!mask.empty() && mask[0] != '*' && mask[0] != '?') {
    pattern = "((^[";
    pattern += mask[0];
    pattern += "])";
    i = 1;
  } else {
    pattern = "(";
  }
  for (; i < mask.size(); ++i) {
    char c = mask[i];
    if (c == '*') {
      pattern += ".*";
    } else if (c == '?') {
      pattern += i == 0 ? "(^.)" : ".?";
    } else {
      if (c == '.' || c == '\\') pattern += '\\';
      pattern += c;
    }
  }
  return pattern + "\\n)";
}

std::string FileMasksToPattern(const std::string& masks) {
  std::string result;
  size_t start = 0;
  while (start <= masks.size()) {
    size_t stop = masks.find(';', start);
    if (stop == std::string::npos) stop = masks.size();
    if (stop > start) {
      if (!result.empty()) result += '|';
      result += FileMaskToPattern(masks.substr(start, stop - start));
    }
    start = stop + 1;
  }
  return result;
}

}  // namespace svc
