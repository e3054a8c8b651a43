// The control test skin: stored skins whose control sections ("BUTTON", "SPEEDBUTTON", "PANEL",
// "EDIT", "DIALOG", "DIVIDER", "WEBBUTTON") paint flat faces, one colour per state, framed by a
// "BORDERSMASK" of three frames (normal, hot, pressed) whose 3-pixel edge has its own colour per
// state and whose corner pixels are $FF00FF; GLOBALINFO carries font colours and shadow values,
// and "SCROLLBTNBOTTOM" a "GLYPHMASK" drop-down arrow of three frames. Every colour of a skin is
// different, so one pixel tells section and state; the second skin differs in every colour.
// ControlSkinTest loads both into a manager and shows the first.
#pragma once
#include <memory>
#include <string>

#include "support/skin_paint_fixture.h"

namespace fw {
class TControl;
}

namespace control_skin {

enum TState { kNormal = 0, kHot = 1, kPressed = 2 };

// The colours of one section: the face per state (the centre of each mask frame; the section's
// own colour is Face[kNormal], its hot colour Face[kHot], which a pressed face shows under the
// mask's corners), the mask's edge band per state, and the normal and hot font colours.
struct TSectionColours {
  fw::TColor Face[3];
  fw::TColor Edge[3];
  fw::TColor Font;
  fw::TColor HotFont;
};

// The colours of one control skin.
struct TControlSkin {
  TSectionColours Button, SpeedButton, Panel, Edit, Dialog, Divider, WebButton;
  fw::TColor GlobalFont, GlobalHotFont;  // GLOBALINFO
  fw::TColor Arrow[3];                   // the drop-down arrow per state
  fw::TColor Shadow;                     // "SHADOW1COLOR"
  int ShadowBlur, ShadowOffset;          // "SHADOW1BLUR", "SHADOW1OFFSET"
};

// Mask geometry: frames of kFrame x kFrame pixels with kBorder-pixel edges; the arrow frames are
// kArrowWidth x kArrowHeight, a triangle pointing down on $FF00FF.
constexpr int kFrame = 12, kBorder = 3, kArrowWidth = 7, kArrowHeight = 4;

// Colour number role of section index (0..8) in skin 0 or 1: red by section, green by role,
// blue by skin; never $FF00FF, never a grey.
constexpr fw::TColor Colour(int skin, int section, int role) {
  return fw::TColor((0x10 + 0x18 * section) | (0x10 + 0x18 * role) << 8 | (skin ? 0xB0 : 0x30) << 16);
}
constexpr TSectionColours SectionColours(int skin, int section) {
  return {{Colour(skin, section, 0), Colour(skin, section, 1), Colour(skin, section, 2)},
          {Colour(skin, section, 3), Colour(skin, section, 4), Colour(skin, section, 5)},
          Colour(skin, section, 6),
          Colour(skin, section, 7)};
}
constexpr TControlSkin ControlSkin(int skin) {
  return {SectionColours(skin, 0), SectionColours(skin, 1), SectionColours(skin, 2), SectionColours(skin, 3),
          SectionColours(skin, 4), SectionColours(skin, 5), SectionColours(skin, 6), Colour(skin, 7, 0),
          Colour(skin, 7, 1),      {Colour(skin, 8, 0), Colour(skin, 8, 1), Colour(skin, 8, 2)},
          Colour(skin, 7, 2),      skin ? 4 : 2,            skin ? 1 : 3};
}

inline constexpr TControlSkin kFirst = ControlSkin(0), kSecond = ControlSkin(1);
inline const char* const kFirstName = "Controls";
inline const char* const kSecondName = "Controls2";

// The colours of a section of the skin by its name ("BUTTON" ...).
const TSectionColours& SectionOf(const TControlSkin& skin, const std::string& section);

// Adds the stored skin of those colours to the skins under the name.
skin::TkStoredSkin* AddControlSkin(skin::TkStoredSkins& skins, const std::string& name, const TControlSkin& colours);

// What the screen shows of a control (at its place in its parent).
std::unique_ptr<fw::TBitmap> ScreenOf(fw::TControl* control);
// True when both bitmaps have the same size and pixels.
bool SamePixels(const fw::TBitmap& a, const fw::TBitmap& b);

// The fixture: a manager holding both control skins, the first one active.
class ControlSkinTest : public testing_paint::SkinPaintTest {
 protected:
  void SetUp() override;
  // Makes the second skin (or again the first) the active one.
  void UseSecondSkin();
  void UseFirstSkin();
};

}  // namespace control_skin
