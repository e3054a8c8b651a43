#include "skin/engine/gradient_data.h"

#include <algorithm>

#include "framework/rtl/sys_utils.h"
#include "skin/engine/skin_utils.h"

namespace skin {

void ParseGradientData(const std::string& text, TkGradArray& stops) {
  stops.clear();
  if (text.empty()) return;
  int count = WordCountBySet(text, ";") / 5;
  for (int i = 0; i < count; ++i) {
    auto word = [&](int k) { return fw::StrToInt(ExtractWordBySet(i * 5 + k, text, ";")); };
    TkGradStop stop;
    stop.Color1 = word(1);
    stop.Color2 = word(2);
    stop.Percent = static_cast<uint8_t>(std::min(100, word(3)));
    stop.Mode = word(4);
    stops.push_back(stop);
  }
}

}  // namespace skin
