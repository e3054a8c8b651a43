#include "skin/engine/gradient_data.h"

#include <algorithm>

#include "framework/rtl/sys_utils.h"
#include "skin/engine/skin_limits.h"

namespace skin {

void ParseGradientData(const std::string& text, TkGradArray& stops) {
  stops.clear();
  // One pass over the words (runs between ";"), five to a stop; the fifth is not read.
  std::string words[5];
  int count = 0;
  size_t at = 0;
  while (static_cast<int>(stops.size()) < kMaxGradientStops) {
    at = text.find_first_not_of(';', at);
    if (at == std::string::npos) break;
    const size_t end = std::min(text.find(';', at), text.size());
    words[count++] = text.substr(at, end - at);
    at = end;
    if (count < 5) continue;
    count = 0;
    TkGradStop stop;
    stop.Color1 = fw::StrToInt(words[0]);
    stop.Color2 = fw::StrToInt(words[1]);
    stop.Percent = static_cast<uint8_t>(std::clamp(fw::StrToInt(words[2]), 0, 100));
    stop.Mode = fw::StrToInt(words[3]);
    stops.push_back(stop);
  }
}

}  // namespace skin
