// The control test skin: stored skins whose control sections ("BUTTON", "SPEEDBUTTON", "PANEL",
// "EDIT", "DIALOG", "DIVIDER", "WEBBUTTON", "COLHEADER", the scroll-bar sections) paint flat faces, one colour per state, framed by a
// "BORDERSMASK" of three frames (normal, hot, pressed) whose 3-pixel edge has its own colour per
// state and whose corner pixels are $FF00FF; GLOBALINFO carries font colours and shadow values,
// and the four scroll buttons a "GLYPHMASK" arrow of three frames (one picture, pointing down). Every colour of a skin is
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
  int Index;                             // 0 for the first skin, 1 for the second
};

// Mask geometry: frames of kFrame x kFrame pixels with kBorder-pixel edges; the arrow frames are
// kArrowWidth x kArrowHeight, a triangle pointing down on $FF00FF.
constexpr int kFrame = 12, kBorder = 3, kArrowWidth = 7, kArrowHeight = 4;

// Colour number role of section number (0..79) in skin 0 or 1: red by the section's last digit,
// blue by skin and by the section's tens, green by role (0..8); never $FF00FF, never a grey (no
// blue value is a red or green one).
constexpr fw::TColor Colour(int skin, int section, int role) {
  constexpr int kTensBlue[] = {0x00, 0x04, 0x0C, 0x14, 0x1C, 0x24, 0x2C, 0x34};
  return fw::TColor((0x10 + 0x18 * (section % 10)) | (0x10 + 0x18 * role) << 8 |
                    ((skin ? 0xB0 : 0x30) + kTensBlue[section / 10]) << 16);
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
          Colour(skin, 7, 2),      skin ? 4 : 2,            skin ? 1 : 3,
          skin};
}

// The sections of the skin that carry a "BORDERSMASK" of three frames, with their colour numbers
// (7 and 8 are GLOBALINFO's and the arrow's). Numbers are never reused.
struct TSectionDef {
  const char* Name;
  int Number;
};
inline constexpr TSectionDef kSections[] = {
    {"BUTTON", 0},         {"SPEEDBUTTON", 1},     {"PANEL", 2},          {"EDIT", 3},
    {"DIALOG", 4},         {"DIVIDER", 5},         {"WEBBUTTON", 6},      {"SCROLLBTNTOP", 10},
    {"SCROLLBTNBOTTOM", 11}, {"SCROLLBTNLEFT", 12}, {"SCROLLBTNRIGHT", 13}, {"SCROLLBAR1H", 14},
    {"SCROLLBAR1V", 15},   {"SCROLLBAR2H", 16},    {"SCROLLBAR2V", 17},   {"SCROLLSLIDERH", 18},
    {"SCROLLSLIDERV", 19},
    {"BAR", 20},           {"BARTITLE", 21},       {"BARPANEL", 22},      {"PANEL_LOW", 23},
    {"CHECKBOX", 35},      {"RADIOBUTTON", 36},
    {"COMBOBOX", 60},      {"COMBOBTN", 61},
    {"SPEEDBUTTON_SMALL", 45}, {"TABTOP", 46}, {"TABBOTTOM", 47}, {"TABLEFT", 48}, {"TABRIGHT", 49},
    {"PAGECONTROL", 70}, {"PAGECONTROLBOTTOM", 71}, {"PAGECONTROLLEFT", 72}, {"PAGECONTROLRIGHT", 73},
    {"COLHEADER", 30},
    {"TOOLBUTTON", 50},    {"STATUSBAR", 51},      {"GROUPBOX", 52},      {"SPLITTER", 53},
    {"TOOLBAR", 54},
};

// GLOBALINFO's check glyphs, each a picture of its own: three square frames of Side pixels
// (normal, hot, pressed) filled with Colour(skin, Number, frame), $FF00FF corner pixels, over a
// mask row that lets the whole frame through.
struct TGlyphDef {
  const char* Name;
  int Number;
  int Side;
};
inline constexpr TGlyphDef kCheckGlyphs[] = {
    {"BOXCHECKED", 37, 13},   {"BOXUNCHECKED", 38, 13},   {"BOXGRAYED", 39, 13},   {"RADIOCHECKED", 40, 13},
    {"RADIOUNCHECKED", 41, 13}, {"SMALLCHECKED", 42, 11}, {"SMALLUNCHECKED", 43, 11}, {"SMALLGRAYED", 44, 11},
};
// The colour of frame (0 normal, 1 hot, 2 pressed) of a check glyph of kCheckGlyphs in the skin.
fw::TColor GlyphColour(const TControlSkin& skin, const std::string& glyph, int frame);

// The "COMBOBOX" arrow ("GLYPHMASK"), a picture of its own: three frames of kComboArrowWidth x
// kComboArrowHeight (normal, hot, pressed), a triangle pointing down of Colour(skin,
// kComboArrowNumber, frame) on $FF00FF.
constexpr int kComboArrowNumber = 62, kComboArrowWidth = 9, kComboArrowHeight = 5;

// The status bar's masks, each a picture of its own: "STATUSPANELMASK" of "STATUSBAR", three
// frames of kFrame pixels (normal, hot, pressed) with a kBorder-pixel edge of Colour(skin, 55,
// 3 + frame) around Colour(skin, 55, frame); GLOBALINFO's "GRIPIMAGE", three square frames of
// kGripSide pixels of Colour(skin, 56, frame) whose top-left triangle is $FF00FF, over a mask
// row that lets the whole frame through.
constexpr int kPanelMaskNumber = 55, kGripNumber = 56, kGripSide = 10;

// GLOBALINFO's caption buttons, which the control skins leave out (a form under them gets no
// skinned caption buttons) and AddCaptionButtons adds to a stored skin: each a picture of its
// own, three frames of kCaptionButtonWidth x kCaptionButtonHeight (normal, hot, pressed) of
// Colour(skin, Number, frame) with $FF00FF corner pixels, over a mask row that lets the whole
// frame through.
inline constexpr TSectionDef kCaptionButtons[] = {{"BICONCLOSE", 57}, {"BICONMAX", 58}, {"BICONMIN", 59}};
constexpr int kCaptionButtonWidth = 16, kCaptionButtonHeight = 14;

inline constexpr TControlSkin kFirst = ControlSkin(0), kSecond = ControlSkin(1);
inline const char* const kFirstName = "Controls";
inline const char* const kSecondName = "Controls2";

// The colours of a section of kSections in the skin by its name ("BUTTON" ...).
TSectionColours SectionOf(const TControlSkin& skin, const std::string& section);

// Adds the stored skin of those colours to the skins under the name.
skin::TkStoredSkin* AddControlSkin(skin::TkStoredSkins& skins, const std::string& name, const TControlSkin& colours);

// Adds kCaptionButtons of those colours to a stored skin.
void AddCaptionButtons(skin::TkStoredSkin& stored, const TControlSkin& colours);

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
