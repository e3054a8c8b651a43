// The changes the hostile-skin tests and the skin_hostile benchmark make to the Options.dat
// text of a copy of a shipped skin: lines put first in a section (the first line of a key is
// the one read), a gradient of many stops and a long ring of PARENTCLASS sections.
#pragma once
#include <string>

namespace hostile_skins {

// The text with lines (each ending in CRLF) put right after the header of section; a section
// the text lacks is added at the end.
inline std::string WithFirstLines(const std::string& options, const std::string& section, const std::string& lines) {
  const std::string header = "[" + section + "]\r\n";
  const size_t at = options.find(header);
  if (at == std::string::npos) return options + header + lines;
  std::string text = options;
  text.insert(at + header.size(), lines);
  return text;
}

// A GRADIENTDATA value of count stops, each two colours over one percent.
inline std::string ManyStops(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? ";" : "") + std::to_string(i * 7919 % 0xFFFFFF) + ";4210752;1;0;0";
  return text;
}

// The text with section naming CHAIN0 its parent, CHAIN<i> naming CHAIN<i + 1>, and the last,
// CHAIN<length>, naming section again.
inline std::string WithParentRing(const std::string& options, const std::string& section, int length) {
  std::string text = WithFirstLines(options, section, "PARENTCLASS=CHAIN0\r\n");
  for (int i = 0; i <= length; ++i)
    text += "[CHAIN" + std::to_string(i) + "]\r\nPARENTCLASS=" + (i < length ? "CHAIN" + std::to_string(i + 1) : section) +
            "\r\n";
  return text;
}

}  // namespace hostile_skins
