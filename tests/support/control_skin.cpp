#include "support/control_skin.h"

#include "framework/controls/win_control.h"
#include "framework/graphics/canvas.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"

namespace control_skin {

namespace {

using testing_paint::AddImage;

const char* const kSections[] = {"BUTTON", "SPEEDBUTTON", "PANEL", "EDIT", "DIALOG", "DIVIDER", "WEBBUTTON"};
constexpr int kSectionCount = 7;

const TSectionColours& Nth(const TControlSkin& skin, int i) {
  const TSectionColours* all[kSectionCount] = {&skin.Button,  &skin.SpeedButton, &skin.Panel,    &skin.Edit,
                                               &skin.Dialog,  &skin.Divider,     &skin.WebButton};
  return *all[i];
}

// Five font colours as a stored section writes them: the first used, the others none.
std::string FontColours(fw::TColor c) { return std::to_string(c) + " -1 -1 -1 -1"; }

// The master picture: row i holds the border mask of section i (three frames, edge band around
// the face colour, $FF00FF corner pixels); under them the three arrow frames.
test_skins::Picture Master(const TControlSkin& skin) {
  test_skins::Picture master(3 * kFrame, kSectionCount * kFrame + kArrowHeight, test_skins::kFuchsia);
  for (int i = 0; i < kSectionCount; ++i) {
    const TSectionColours& s = Nth(skin, i);
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

}  // namespace

const TSectionColours& SectionOf(const TControlSkin& skin, const std::string& section) {
  for (int i = 0; i < kSectionCount; ++i)
    if (section == kSections[i]) return Nth(skin, i);
  return skin.Button;
}

skin::TkStoredSkin* AddControlSkin(skin::TkStoredSkins& skins, const std::string& name, const TControlSkin& colours) {
  std::vector<std::pair<std::string, std::string>> sections = {{"GLOBALINFO", ""}, {"SCROLLBTNBOTTOM", ""}};
  for (const char* section : kSections) sections.emplace_back(section, "");
  skin::TkStoredSkin* stored = test_skins::AddStoredSkin(skins, name, sections, Master(colours));
  for (int i = 0; i < kSectionCount; ++i) {
    const TSectionColours& c = Nth(colours, i);
    skin::TkSkinGeneral* g = testing_paint::SectionOf(*stored, kSections[i]);
    g->SetColor(c.Face[kNormal]);
    g->SetHotColor(c.Face[kHot]);
    g->SetFontColor(FontColours(c.Font));
    g->SetHotFontColor(FontColours(c.HotFont));
    g->SetShowFocus(true);
    AddImage(*stored, kSections[i], "BORDERSMASK", fw::TRect(0, i * kFrame, 3 * kFrame, (i + 1) * kFrame), 0, 0,
             kBorder, 3);
  }
  skin::TkSkinGeneral* global = testing_paint::SectionOf(*stored, "GLOBALINFO");
  global->SetFontColor(FontColours(colours.GlobalFont));
  global->SetHotFontColor(FontColours(colours.GlobalHotFont));
  const int arrowTop = kSectionCount * kFrame;
  AddImage(*stored, "SCROLLBTNBOTTOM", "GLYPHMASK", fw::TRect(0, arrowTop, 3 * kArrowWidth, arrowTop + kArrowHeight),
           0, 0, 0, 3);
  stored->SetShadow1Color(colours.Shadow);
  stored->SetShadow1Blur(colours.ShadowBlur);
  stored->SetShadow1Offset(colours.ShadowOffset);
  return stored;
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
