#include "support/control_skin.h"

#include <iterator>

#include "framework/controls/win_control.h"
#include "framework/graphics/canvas.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"

namespace control_skin {

namespace {

using testing_paint::AddImage;

constexpr int kSectionCount = static_cast<int>(std::size(kSections));

// Five font colours as a stored section writes them: the first used, the others none.
std::string FontColours(fw::TColor c) { return std::to_string(c) + " -1 -1 -1 -1"; }

// The master picture: row i holds the border mask of section i (three frames, edge band around
// the face colour, $FF00FF corner pixels); under them the three arrow frames.
test_skins::Picture Master(const TControlSkin& skin) {
  test_skins::Picture master(3 * kFrame, kSectionCount * kFrame + kArrowHeight, test_skins::kFuchsia);
  for (int i = 0; i < kSectionCount; ++i) {
    const TSectionColours s = SectionColours(skin.Index, kSections[i].Number);
    for (int k = 0; k < 3; ++k) {
      const int x0 = k * kFrame, y0 = i * kFrame;
      master.Fill(x0, y0, kFrame, kFrame, s.Edge[k]);
      master.Fill(x0 + kBorder, y0 + kBorder, kFrame - 2 * kBorder, kFrame - 2 * kBorder, s.Face[k]);
      for (int cy : {y0, y0 + kFrame - 1})
        for (int cx : {x0, x0 + kFrame - 1}) master.Set(cx, cy, test_skins::kFuchsia);
    }
  }
  const int arrowTop = kSectionCount * kFrame;
  for (int k = 0; k < 3; ++k)
    for (int y = 0; y < kArrowHeight; ++y)
      master.Fill(k * kArrowWidth + y, arrowTop + y, kArrowWidth - 2 * y, 1, skin.Arrow[k]);
  return master;
}

// Adds the image of a section with a picture of its own (stored under the image name).
void AddOwnPicture(skin::TkStoredSkin& stored, const char* section, const char* property, const char* imageName,
                   const test_skins::Picture& picture, int maskType, int borders = 0) {
  AddImage(stored, section, property, fw::TRect(0, 0, picture.Width, picture.Height), maskType, 0, borders, 3);
  skin::TkSkinImage* image = stored.GetImages()->GetItem(stored.GetImages()->GetCount() - 1);
  image->SetName(imageName);
  image->SetImage(testing_paint::FromPicture(picture).get());
}

// A GLOBALINFO glyph with its own picture: three frames of width x height filled with the
// number's colour per frame, $FF00FF corner pixels, over a black mask row.
void AddFramedGlyph(skin::TkStoredSkin& stored, const char* name, int number, int width, int height,
                    const TControlSkin& colours) {
  test_skins::Picture picture(3 * width, 2 * height, 0);
  for (int k = 0; k < 3; ++k) {
    picture.Fill(k * width, 0, width, height, Colour(colours.Index, number, k));
    for (int cy : {0, height - 1})
      for (int cx : {k * width, (k + 1) * width - 1}) picture.Set(cx, cy, test_skins::kFuchsia);
  }
  AddOwnPicture(stored, "GLOBALINFO", name, name, picture, 1);
}

// The check glyphs of kCheckGlyphs into GLOBALINFO, each with its own picture.
void AddCheckGlyphs(skin::TkStoredSkin& stored, const TControlSkin& colours) {
  for (const TGlyphDef& def : kCheckGlyphs) AddFramedGlyph(stored, def.Name, def.Number, def.Side, def.Side, colours);
}

// The "COMBOBOX" arrow as a picture of its own.
void AddComboArrow(skin::TkStoredSkin& stored, const TControlSkin& colours) {
  test_skins::Picture picture(3 * kComboArrowWidth, kComboArrowHeight, test_skins::kFuchsia);
  for (int k = 0; k < 3; ++k)
    for (int y = 0; y < kComboArrowHeight; ++y)
      picture.Fill(k * kComboArrowWidth + y, y, kComboArrowWidth - 2 * y, 1,
                   Colour(colours.Index, kComboArrowNumber, k));
  AddOwnPicture(stored, "COMBOBOX", "GLYPHMASK", "COMBOARROW", picture, 0);
}

// "STATUSPANELMASK" of "STATUSBAR" and GLOBALINFO's "GRIPIMAGE" (see the header).
void AddStatusMasks(skin::TkStoredSkin& stored, const TControlSkin& colours) {
  test_skins::Picture panel(3 * kFrame, kFrame, test_skins::kFuchsia);
  test_skins::Picture grip(3 * kGripSide, 2 * kGripSide, 0);
  for (int k = 0; k < 3; ++k) {
    panel.Fill(k * kFrame, 0, kFrame, kFrame, Colour(colours.Index, kPanelMaskNumber, 3 + k));
    panel.Fill(k * kFrame + kBorder, kBorder, kFrame - 2 * kBorder, kFrame - 2 * kBorder,
               Colour(colours.Index, kPanelMaskNumber, k));
    for (int y = 0; y < kGripSide; ++y)
      for (int x = 0; x < kGripSide; ++x)
        grip.Set(k * kGripSide + x, y,
                 x + y < kGripSide - 1 ? test_skins::kFuchsia : Colour(colours.Index, kGripNumber, k));
  }
  AddOwnPicture(stored, "STATUSBAR", "STATUSPANELMASK", "STATUSPANELMASK", panel, 0, kBorder);
  AddOwnPicture(stored, "GLOBALINFO", "GRIPIMAGE", "GRIPIMAGE", grip, 1);
}

}  // namespace

fw::TColor GlyphColour(const TControlSkin& skin, const std::string& glyph, int frame) {
  for (const TGlyphDef& def : kCheckGlyphs)
    if (glyph == def.Name) return Colour(skin.Index, def.Number, frame);
  return test_skins::kFuchsia;
}

TSectionColours SectionOf(const TControlSkin& skin, const std::string& section) {
  for (const TSectionDef& def : kSections)
    if (section == def.Name) return SectionColours(skin.Index, def.Number);
  return skin.Button;
}

skin::TkStoredSkin* AddControlSkin(skin::TkStoredSkins& skins, const std::string& name, const TControlSkin& colours) {
  std::vector<std::pair<std::string, std::string>> sections = {{"GLOBALINFO", ""}};
  for (const TSectionDef& def : kSections) sections.emplace_back(def.Name, "");
  skin::TkStoredSkin* stored = test_skins::AddStoredSkin(skins, name, sections, Master(colours));
  for (int i = 0; i < kSectionCount; ++i) {
    const TSectionColours c = SectionColours(colours.Index, kSections[i].Number);
    skin::TkSkinGeneral* g = testing_paint::SectionOf(*stored, kSections[i].Name);
    g->SetColor(c.Face[kNormal]);
    g->SetHotColor(c.Face[kHot]);
    g->SetFontColor(FontColours(c.Font));
    g->SetHotFontColor(FontColours(c.HotFont));
    g->SetShowFocus(true);
    AddImage(*stored, kSections[i].Name, "BORDERSMASK", fw::TRect(0, i * kFrame, 3 * kFrame, (i + 1) * kFrame), 0, 0,
             kBorder, 3);
  }
  skin::TkSkinGeneral* global = testing_paint::SectionOf(*stored, "GLOBALINFO");
  global->SetFontColor(FontColours(colours.GlobalFont));
  global->SetHotFontColor(FontColours(colours.GlobalHotFont));
  const int arrowTop = kSectionCount * kFrame;
  for (const char* button : {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"})
    AddImage(*stored, button, "GLYPHMASK", fw::TRect(0, arrowTop, 3 * kArrowWidth, arrowTop + kArrowHeight), 0, 0, 0,
             3);
  AddCheckGlyphs(*stored, colours);
  AddComboArrow(*stored, colours);
  AddStatusMasks(*stored, colours);
  stored->SetShadow1Color(colours.Shadow);
  stored->SetShadow1Blur(colours.ShadowBlur);
  stored->SetShadow1Offset(colours.ShadowOffset);
  return stored;
}

void AddCaptionButtons(skin::TkStoredSkin& stored, const TControlSkin& colours) {
  for (const TSectionDef& def : kCaptionButtons)
    AddFramedGlyph(stored, def.Name, def.Number, kCaptionButtonWidth, kCaptionButtonHeight, colours);
}

std::unique_ptr<fw::TBitmap> ScreenOf(fw::TControl* c) {
  auto shot = testing_paint::Filled(c->GetWidth(), c->GetHeight());
  const fw::TPoint origin = c->GetParent()->ClientToScreen(fw::TPoint(c->GetLeft(), c->GetTop()));
  GdiFlush();
  HDC screen = GetDC(nullptr);
  BitBlt(shot->GetCanvas()->GetHandle(), 0, 0, c->GetWidth(), c->GetHeight(), screen, origin.X, origin.Y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  return shot;
}

bool SamePixels(const fw::TBitmap& a, const fw::TBitmap& b) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
  for (int y = 0; y < a.GetHeight(); ++y)
    for (int x = 0; x < a.GetWidth(); ++x)
      if (test_skins::PixelOf(a, x, y) != test_skins::PixelOf(b, x, y)) return false;
  return true;
}

void ControlSkinTest::SetUp() {
  SkinPaintTest::SetUp();
  manager = fw::New<skin::TkSkinManager>(nullptr);
  AddControlSkin(*manager->GetInternalSkins(), kFirstName, kFirst);
  AddControlSkin(*manager->GetInternalSkins(), kSecondName, kSecond);
  manager->SetIsDefault(true);
  UseFirstSkin();
}

void ControlSkinTest::UseSecondSkin() { manager->SetSkinName(kSecondName); }
void ControlSkinTest::UseFirstSkin() { manager->SetSkinName(kFirstName); }

}  // namespace control_skin
