#include "skin/controls/skinned_edit.h"

namespace skin {

int EditTextInset(bool bordered, bool ctl3D, int bevels) { return (bordered ? (ctl3D ? 2 : 1) : 0) + bevels; }

fw::TRect EditTextRect(int width, int height, int inset) {
  return fw::TRect(inset + 1, inset + 1, width - inset, height - inset);
}

std::string EditShownText(const std::string& text, char passwordChar) {
  if (!passwordChar) return text;
  size_t characters = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++characters;
  return std::string(characters, passwordChar);
}

void CopyEditFrame(HDC dc, HDC cache, int w, int h) {
  BitBlt(dc, 0, 0, w, 2, cache, 0, 0, SRCCOPY);
  BitBlt(dc, 0, 2, 2, h, cache, 0, 2, SRCCOPY);
  BitBlt(dc, 2, h - 2, w - 4, 2, cache, 2, h - 2, SRCCOPY);
  BitBlt(dc, w - 2, 2, 2, h - 2, cache, w - 2, 2, SRCCOPY);
}

}  // namespace skin
