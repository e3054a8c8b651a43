// What ships: the stored skin "Neutral (internal)" from the program's resource, and the skin
// folders "Neutral" and "Slate" that the build drew beside the program.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "framework/rtl/file_utils.h"
#include "framework/forms/dialog_service.h"
#include "framework/classes/mem_ini_file.h"
#include "framework/rtl/seams.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"
#include "skin/engine/image_loader.h"
#include "skin/engine/section_loader.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skin_reader.h"
#include "skin/engine/stored_skins.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/stdctrls/custom_edit.h"
#include "framework/stdctrls/text_painter.h"
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/panel.h"
#include "skin/controls/radio_button.h"
#include "support/control_skin.h"
#include "support/skin_paint_fixture.h"
#include "support/sandbox.h"
#include "support/test_skins.h"

namespace {

// One skin loaded into its tables, from the stored resource or from a folder.
struct LoadedSkin {
  skin::TkGeneralDataArray Sections;
  skin::TkSkinData Data;
  skin::TkMaskArray Masks;
  skin::TkPatternArray Patterns;
  std::shared_ptr<fw::TBitmap> Master;

  void FromFolder(const std::string& folder) {
    fw::TMemIniFile file(folder + "Options.dat");
    skin::TkImageTables tables{Masks, Patterns, Master, nullptr, folder};
    skin::LoadMasksFromFile(file, tables);
    skin::LoadPatternsFromFile(file, tables);
    skin::LoadSectionsFromFile(file, Sections, Data);
  }
  void FromStored(const skin::TkStoredSkin& stored) {
    skin::TkImageTables tables{Masks, Patterns, Master, nullptr, ""};
    skin::LoadMasksFromStored(&stored, tables);
    skin::LoadPatternsFromStored(&stored, tables);
    skin::LoadSectionsFromStored(stored, Sections, Data);
  }
  bool HasSection(const std::string& name) const { return Section(name) != nullptr; }
  const skin::TkGeneralData* Section(const std::string& name) const {
    for (const auto& s : Sections)
      if (s.SectionName == name) return &s;
    return nullptr;
  }
  const skin::TkMaskData* Mask(const std::string& section, const std::string& property) const {
    for (const auto& m : Masks)
      if (m.SectionName == section && m.PropertyName == property) return &m;
    return nullptr;
  }
};

double Luminance(int colour) {
  auto channel = [](int v) {
    double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour & 0xFF) + 0.7152 * channel((colour >> 8) & 0xFF) + 0.0722 * channel((colour >> 16) & 0xFF);
}

double Contrast(int a, int b) {
  double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every section that the engine and the controls look up by name.
const char* const kLookedUp[] = {
    "EDIT", "COMBOBOX", "BAR", "BARTITLE", "CHECKBOX", "RADIOBUTTON", "PANEL", "PANEL_LOW", "TOOLBAR", "DRAGBAR",
    "GROUPBOX", "SPLITTER", "SPEEDBUTTON", "BUTTON", "TOOLBUTTON", "PAGECONTROL", "TABCONTROL", "STATUSBAR", "GAUGE",
    "TRACKBAR", "GLOBALINFO", "TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT", "SCROLLBTNTOP", "SCROLLBTNBOTTOM",
    "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLSLIDERV", "SCROLLSLIDERH", "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H",
    "SCROLLBAR2V", "FORM", "FORMTITLE", "DIALOG", "MENULINE", "MAINMENU", "MENUITEM"};
// Looked up too, but not among the stored skin's fixed sections.
const char* const kBeyondStored[] = {"TABSHEET", "COMBOBTN", "COLHEADER"};
const char* const kGlobalImages[] = {"BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED",
                                     "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED", "BICONCLOSE", "BICONHELP",
                                     "BICONMAX", "BICONMIN", "BICONNORM", "TITLEBUTTON", "GRIPIMAGE"};

void ExpectCoversAndLegible(const LoadedSkin& skin, const std::string& name) {
  for (const char* section : kLookedUp) EXPECT_TRUE(skin.HasSection(section)) << name << " lacks " << section;
  for (const char* image : kGlobalImages) EXPECT_NE(skin.Mask("GLOBALINFO", image), nullptr) << name << " " << image;
  // What the speed button draws: its face and the drop-down arrow; the folder skins also draw
  // the divider's line (the stored skin's pictures are a fixed set without it).
  for (auto [section, image] : {std::pair{"SPEEDBUTTON", "BORDERSMASK"}, {"SCROLLBTNBOTTOM", "GLYPHMASK"}})
    EXPECT_NE(skin.Mask(section, image), nullptr) << name << " " << section << "." << image;
  EXPECT_EQ(skin.Mask("DIVIDER", "BORDERSMASK") != nullptr, name != "Neutral (internal)") << name;
  // The link label's section, the shadowed titles' values and their text colour (GLOBALINFO's
  // second font colour), legible on a panel.
  EXPECT_TRUE(skin.HasSection("WEBBUTTON")) << name;
  EXPECT_NE(skin.Data.Shadow1Blur, -1) << name;
  const skin::TkGeneralData* global = skin.Section("GLOBALINFO");
  const skin::TkGeneralData* panel = skin.Section("PANEL");
  ASSERT_TRUE(global && panel) << name;
  EXPECT_NE(global->FontColor[1], -1) << name;
  EXPECT_GE(Contrast(panel->Color, global->FontColor[1]), 4.5) << name;
  for (const auto& s : skin.Sections) {
    EXPECT_GE(Contrast(s.Color, s.FontColor[0]), 4.5) << name << " " << s.SectionName;
    EXPECT_GE(Contrast(s.HotColor, s.HotFontColor[0]), 4.5) << name << " " << s.SectionName << " hot";
  }
  // Every picture lies inside its bitmap and has frames.
  for (const auto& m : skin.Masks) {
    const fw::TBitmap* source = m.Bmp ? m.Bmp.get() : skin.Master.get();
    ASSERT_NE(source, nullptr) << m.SectionName << "." << m.PropertyName;
    if (!m.Bmp) {
      EXPECT_LE(m.R.Right, source->GetWidth()) << m.SectionName << "." << m.PropertyName;
      EXPECT_LE(m.R.Bottom, source->GetHeight()) << m.SectionName << "." << m.PropertyName;
      EXPECT_GE(m.ImageCount, 1) << m.SectionName << "." << m.PropertyName;
    }
  }
}

class ShippedSkins : public ::testing::Test {
 protected:
  void SetUp() override {
    skin::LoadStoredSkinResource(Stored);
    Root = testing_sandbox::TestFolder();
  }
  skin::TkStoredSkins Stored{nullptr};
  std::string Root;
};

TEST_F(ShippedSkins, StoredNeutralAsFixed) {
  ASSERT_EQ(Stored.GetCount(), 1);
  const skin::TkStoredSkin& neutral = *Stored.GetItem(0);
  EXPECT_EQ(neutral.GetName(), "Neutral (internal)");
  EXPECT_EQ(neutral.GetVersion(), 4.8);
  EXPECT_EQ(neutral.GetShadow1Color(), 0);
  EXPECT_EQ(neutral.GetShadow1Offset(), 1);
  EXPECT_EQ(neutral.GetShadow1Blur(), 1);
  EXPECT_EQ(neutral.GetShadow1Transparency(), 50);
  EXPECT_FALSE(neutral.GetMasterBitmap()->GetEmpty());
  EXPECT_EQ(neutral.GetPatterns()->GetCount(), 0);

  const std::vector<std::string> order = {
      "GLOBALINFO", "MENULINE", "SPLITTER", "TOOLBAR", "PANEL", "PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT",
      "PAGECONTROLRIGHT", "SCROLLBAR1H", "SCROLLBAR2H", "SCROLLBAR1V", "SCROLLBAR2V", "SKINCOMBOBOX", "COMBOBOX",
      "SKINEDIT", "MENUITEM", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "SCROLLSLIDERH",
      "SCROLLSLIDERV", "SPEEDBUTTON_SMALL", "TABCONTROL", "TABCONTROLBOTTOM", "TABCONTROLLEFT", "TABCONTROLRIGHT",
      "DIVIDER", "GROUPBOX", "MAINMENU", "FORM", "FORMTITLE", "DIALOG", "PROGRESSH", "GAUGE", "PROGRESSV", "EDIT",
      "TABTOP", "TABBOTTOM", "TABRIGHT", "TABLEFT", "DRAGBAR", "STATUSBAR", "BAR", "BARPANEL", "PANEL_LOW",
      "WEBBUTTON", "BARTITLE", "BUTTON", "BUTTON_BIG", "CHECKBOX", "RADIOBUTTON", "TRACKBAR", "TOOLBUTTON",
      "SPEEDBUTTON", "EXTRALINE", "GRIPH", "HINT", "ROUNDTBN", "BUTTON_HUGE", ""};
  ASSERT_EQ(neutral.GetGeneralData()->GetCount(), 62);
  for (int i = 0; i < 62; ++i) EXPECT_EQ(neutral.GetGeneralData()->GetItem(i)->GetSectionName(), order[i]) << i;

  const std::set<std::string> properties = {
      "BICONCLOSE", "BICONHELP", "BICONMAX", "BICONMIN", "BICONNORM", "BORDERSMASK", "BOXCHECKED", "BOXGRAYED",
      "BOXUNCHECKED", "GLYPHMASK", "GRIPIMAGE", "PATTERN", "RADIOCHECKED", "RADIOUNCHECKED", "SLIDERCHANNEL",
      "SLIDERMASK", "SLIDERVMASK", "SMALLCHECKED", "SMALLGRAYED", "SMALLUNCHECKED", "TICKHORZ", "TICKVERT",
      "TITLEBUTTON"};
  const skin::TkSkinImages& images = *neutral.GetImages();
  ASSERT_EQ(images.GetCount(), 75);
  std::set<std::string> used;
  int own = 0;
  for (int i = 0; i < images.GetCount(); ++i) {
    const skin::TkSkinImage& image = *images.GetItem(i);
    used.insert(image.GetPropertyName());
    if (image.GetName().empty()) continue;
    ++own;
    EXPECT_EQ(image.GetSectionName(), "BUTTON_HUGE");
    EXPECT_EQ(image.GetPropertyName(), "BORDERSMASK");
    EXPECT_EQ(image.GetName(), "BUTTONHUGE.BMP");
    EXPECT_FALSE(image.GetImage()->GetEmpty());
  }
  EXPECT_EQ(own, 1);
  EXPECT_EQ(used, properties);

  LoadedSkin loaded;
  loaded.FromStored(neutral);
  ExpectCoversAndLegible(loaded, "Neutral (internal)");
  for (const char* section : kBeyondStored) EXPECT_FALSE(loaded.HasSection(section));
}

TEST_F(ShippedSkins, NeutralFolderLoadsLikeTheStoredSkin) {
  LoadedSkin stored, folder;
  stored.FromStored(*Stored.GetItem(0));
  folder.FromFolder(test_skins::CopyShippedSkin(Root, "Neutral"));
  ExpectCoversAndLegible(folder, "Neutral");

  // The same section table, named sections in the same order with the same values.
  std::vector<const skin::TkGeneralData*> named;
  for (const auto& s : stored.Sections)
    if (!s.SectionName.empty()) named.push_back(&s);
  ASSERT_EQ(folder.Sections.size(), named.size());
  for (size_t i = 0; i < named.size(); ++i) {
    const skin::TkGeneralData &a = *named[i], &b = folder.Sections[i];
    SCOPED_TRACE(a.SectionName);
    EXPECT_EQ(a.SectionName, b.SectionName);
    EXPECT_EQ(a.ParentClass, b.ParentClass);
    EXPECT_EQ(a.Color, b.Color);
    EXPECT_EQ(a.HotColor, b.HotColor);
    EXPECT_EQ(a.Bevel, b.Bevel);
    EXPECT_EQ(a.HotBevel, b.HotBevel);
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(a.FontColor[k], b.FontColor[k]);
      EXPECT_EQ(a.HotFontColor[k], b.HotFontColor[k]);
    }
    EXPECT_EQ(a.ShadowBlur, b.ShadowBlur);
    EXPECT_EQ(a.ShadowColor, b.ShadowColor);
    EXPECT_EQ(a.ShadowOffset, b.ShadowOffset);
    EXPECT_EQ(a.ShadowTransparency, b.ShadowTransparency);
    EXPECT_EQ(a.ShadowEnabled, b.ShadowEnabled);
    EXPECT_EQ(a.Transparency, b.Transparency);
    EXPECT_EQ(a.GradientPercent, b.GradientPercent);
    EXPECT_EQ(a.GradientData, b.GradientData);
    EXPECT_EQ(a.ImagePercent, b.ImagePercent);
    EXPECT_EQ(a.ShowFocus, b.ShowFocus);
    EXPECT_EQ(a.FadingEnabled, b.FadingEnabled);
    EXPECT_EQ(a.FadingIterations, b.FadingIterations);
    EXPECT_EQ(a.HotGradientData, b.HotGradientData);
    EXPECT_EQ(a.BorderColor1, b.BorderColor1);
    EXPECT_EQ(a.BorderColor2, b.BorderColor2);
  }
  EXPECT_EQ(folder.Data.Version, stored.Data.Version);
  EXPECT_EQ(folder.Data.Shadow1Blur, stored.Data.Shadow1Blur);

  // The same mask records and pictures; the folder adds the divider's line in a file of its own.
  ASSERT_EQ(folder.Masks.size(), stored.Masks.size() + 1);
  ASSERT_NE(folder.Mask("DIVIDER", "BORDERSMASK"), nullptr);
  EXPECT_NE(folder.Mask("DIVIDER", "BORDERSMASK")->Bmp, nullptr);
  for (const auto& a : stored.Masks) {
    SCOPED_TRACE(a.SectionName + "." + a.PropertyName);
    const skin::TkMaskData* b = folder.Mask(a.SectionName, a.PropertyName);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a.R, b->R);
    EXPECT_EQ(a.ImageCount, b->ImageCount);
    EXPECT_EQ(a.MaskType, b->MaskType);
    EXPECT_EQ(a.BorderWidth, b->BorderWidth);
    EXPECT_EQ(a.StretchMode, b->StretchMode);
    EXPECT_EQ(a.ImgType, b->ImgType);
    EXPECT_EQ(a.WL, b->WL);
    EXPECT_EQ(a.WT, b->WT);
    EXPECT_EQ(a.WR, b->WR);
    EXPECT_EQ(a.WB, b->WB);
    ASSERT_EQ(a.Bmp == nullptr, b->Bmp == nullptr);
    if (a.Bmp) {
      for (int y = 0; y < a.Bmp->GetHeight(); y += 3)
        for (int x = 0; x < a.Bmp->GetWidth(); x += 3)
          ASSERT_EQ(test_skins::PixelOf(*a.Bmp, x, y), test_skins::PixelOf(*b->Bmp, x, y));
    }
  }
  ASSERT_EQ(folder.Master->GetWidth(), stored.Master->GetWidth());
  ASSERT_EQ(folder.Master->GetHeight(), stored.Master->GetHeight());
  for (int y = 0; y < stored.Master->GetHeight(); ++y)
    for (int x = 0; x < stored.Master->GetWidth(); ++x)
      ASSERT_EQ(test_skins::PixelOf(*stored.Master, x, y), test_skins::PixelOf(*folder.Master, x, y)) << x << "," << y;
}

TEST_F(ShippedSkins, SlateTakesEveryRoad) {
  const std::string folder = test_skins::CopyShippedSkin(Root, "Slate");
  LoadedSkin slate;
  slate.FromFolder(folder);
  ExpectCoversAndLegible(slate, "Slate");
  for (const char* section : kBeyondStored) EXPECT_TRUE(slate.HasSection(section)) << section;

  // A JPEG pattern of at least 300 x 300 for FORM and a JPEG tile that became a texture mask.
  ASSERT_EQ(slate.Patterns.size(), 1u);
  EXPECT_EQ(slate.Patterns[0].SectionName, "FORM");
  EXPECT_GE(slate.Patterns[0].Image->GetWidth(), 300);
  const skin::TkMaskData* tile = slate.Mask("TOOLBAR", "PATTERN");
  ASSERT_NE(tile, nullptr);
  EXPECT_EQ(tile->ImgType, skin::itisaTexture);
  ASSERT_NE(tile->Bmp, nullptr);
  EXPECT_LT(tile->Bmp->GetWidth() * tile->Bmp->GetHeight(), 90000);

  // An 8-bit bitmap that arrives as 24 bits.
  const std::string gauge = testing_sandbox::ReadFile(folder + "GAUGE.BMP");
  ASSERT_GT(gauge.size(), 30u);
  EXPECT_EQ(gauge[28], 8);
  ASSERT_NE(slate.Mask("GAUGE", "BORDERSMASK"), nullptr);
  EXPECT_EQ(slate.Mask("GAUGE", "BORDERSMASK")->Bmp->GetPixelFormat(), fw::pf24bit);

  // Every image form, each value naming a file that exists.
  fw::TMemIniFile file(folder + "Options.dat");
  fw::TStringList sections, keys;
  file.ReadSections(sections);
  std::set<char> forms;
  for (int s = 0; s < sections.GetCount(); ++s) {
    file.ReadSection(sections.GetStrings(s), keys);
    for (int k = 0; k < keys.GetCount(); ++k) {
      std::string value = file.ReadString(sections.GetStrings(s), keys.GetStrings(k), "");
      if (value.empty()) continue;
      if (std::string("^~@!").find(value[0]) != std::string::npos) {
        forms.insert(value[0]);
      } else if (value.find('#') != std::string::npos) {
        forms.insert('#');
      } else if (fw::UpperCase(value).find(".BMP") != std::string::npos) {
        forms.insert('b');
      }
      std::string name = value[0] == '!' ? value.substr(1, value.find('!', 1) - 1) : value;
      const std::string upper = fw::UpperCase(name);
      if (upper.find(".BMP") != std::string::npos || upper.find(".JPG") != std::string::npos) {
        EXPECT_TRUE(fw::FileExists(folder + name)) << name;
      }
    }
  }
  EXPECT_EQ(forms, (std::set<char>{'^', '~', '@', '!', '#', 'b'}));
  // The look: gradients, fading, a transparent section.
  for (const auto& s : slate.Sections) {
    if (s.SectionName != "BUTTON") continue;
    EXPECT_FALSE(s.Gradient.empty());
    EXPECT_FALSE(s.HotGradient.empty());
    EXPECT_TRUE(s.FadingEnabled);
  }
  bool transparent = false;
  for (const auto& s : slate.Sections) transparent |= s.Transparency == 100;
  EXPECT_TRUE(transparent);
}

TEST_F(ShippedSkins, SkinListAndLaterStartsUseTheNeutralFolder) {
  test_skins::CopyShippedSkin(Root + "Skins\\", "Neutral");
  test_skins::CopyShippedSkin(Root + "Skins\\", "Slate");
  fw::testing::SetProgramFolder(Root);
  auto dialogs = std::make_unique<fw::testing::TScriptedDialogs>();
  fw::testing::TScriptedDialogs* scripted = dialogs.get();
  fw::testing::SetDialogService(std::move(dialogs));
  auto* manager = fw::New<skin::TkSkinManager>(nullptr);
  skin::LoadStoredSkinResource(*manager->GetInternalSkins());
  manager->SetSkinDirectory(".\\Skins");
  fw::TStringList names;
  std::string first;
  manager->GetSkinNames(names, first);
  EXPECT_EQ(names.GetText(), "Neutral\r\nNeutral (internal)\r\nSlate\r\n");
  EXPECT_EQ(first, "Neutral (internal)");
  // The first start names the stored skin, later ones the folder program.ini names.
  manager->SetSkinName("Neutral (internal)");
  EXPECT_EQ(manager->GetSkinData()->SkinPath, "");
  EXPECT_EQ(manager->GetSections().size(), 62u);
  manager->SetSkinName("Neutral");
  EXPECT_EQ(manager->GetSkinName(), "Neutral");
  EXPECT_EQ(manager->GetSkinData()->SkinPath, Root + "Skins\\Neutral\\");
  EXPECT_EQ(manager->GetSections().size(), 61u);
  EXPECT_EQ(manager->GetSkinInfo(), "4.8");
  EXPECT_TRUE(scripted->Texts.empty());
  manager->Free();
  fw::testing::SetDialogService(nullptr);
  fw::testing::SetProgramFolder("");
}

// A check box or radio button of a shipped skin is its glyph beside plain text: wider than its
// caption, it shows the form's colour everywhere right of the text, with no face or frame that
// would make it read as a button.
// A manager serving the stored skin and the Slate folder, as the program has them.
class ShippedSkinLook : public testing_paint::SkinPaintTest {
 protected:
  void SetUp() override {
    testing_paint::SkinPaintTest::SetUp();
    const std::string root = testing_sandbox::TestFolder();
    test_skins::CopyShippedSkin(root + "Skins\\", "Slate");
    manager = fw::New<skin::TkSkinManager>(nullptr);
    skin::LoadStoredSkinResource(*manager->GetInternalSkins());
    manager->SetSkinDirectory(root + "Skins\\");
    manager->SetIsDefault(true);
  }
  // A form at (40, 40) of the size, under that skin.
  fw::TForm* FormIn(const std::string& skinName, int width, int height) {
    manager->SetSkinName(skinName);
    EXPECT_EQ(manager->GetSkinName(), skinName);
    auto* form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(40, 40, width, height);
    return form;
  }
  // A skinned panel of 400x160 on form, as the tools hold their buttons and options.
  static skin::TkPanel* PanelOn(fw::TForm* form) {
    auto* panel = fw::New<skin::TkPanel>(form);
    panel->SetBounds(0, 0, 400, 160);
    panel->SetParent(form);
    return panel;
  }
};

class ShippedCheckBoxes : public ShippedSkinLook {
 protected:
  void Check(const std::string& skinName) {
    SCOPED_TRACE(skinName);
    fw::TForm* form = FormIn(skinName, 360, 160);
    form->SetColor(kFormColour);
    auto* box = fw::New<skin::TkCheckBox>(form);
    auto* radio = fw::New<skin::TkRadioButton>(form);
    box->SetAutoSize(false);
    radio->SetAutoSize(false);
    for (fw::TControl* c : std::initializer_list<fw::TControl*>{box, radio}) {
      c->SetParent(form);
      c->SetBounds(20, c == box ? 20 : 60, 200, 21);
      c->SetCaption("On");
    }
    // The focus stays out of the boxes, whose focus frame would lie around the text.
    auto* edit = fw::New<fw::TEdit>(form);
    edit->SetBounds(250, 100, 80, 24);
    edit->SetParent(form);
    form->Show();
    edit->SetFocus();
    Settle();
    const fw::TColor face = WindowPixelOf(edit->GetHandle(), -5, 5);
    for (fw::TControl* c : std::initializer_list<fw::TControl*>{box, radio}) {
      EXPECT_EQ(c->GetWidth(), 200);
      auto shot = control_skin::ScreenOf(c);
      // The top and bottom rows lie above and below the glyph; right of the text lies nothing.
      int framed = 0;
      for (int y = 0; y < c->GetHeight(); ++y)
        for (int x = y == 0 || y == c->GetHeight() - 1 ? 0 : 80; x < c->GetWidth(); ++x)
          framed += !NearlyEqual(test_skins::PixelOf(*shot, x, y), face);
      EXPECT_EQ(framed, 0) << c->ClassName();
    }
    fw::Free(form);
  }
  // The see-through face may round a channel by one.
  static bool NearlyEqual(fw::TColor a, fw::TColor b) {
    for (int shift = 0; shift < 24; shift += 8)
      if (std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)) > 1) return false;
    return true;
  }
  static constexpr fw::TColor kFormColour = 0x5A6A7A;
};

TEST_F(ShippedCheckBoxes, AreAGlyphBesidePlainText) {
  Check("Neutral (internal)");
  Check("Slate");
}

// A disabled caption on a panel, as the tools show their Stop and Delete buttons and their
// options: fainter than the enabled one, yet at least 3 : 1 against the face beside it.
class ShippedDisabledCaptions : public ShippedSkinLook {
 protected:
  void Check(const std::string& skinName) {
    SCOPED_TRACE(skinName);
    fw::TForm* form = FormIn(skinName, 420, 200);
    auto* panel = PanelOn(form);
    fw::TControl* controls[4] = {fw::New<skin::TkButton>(form), fw::New<skin::TkButton>(form),
                                 fw::New<skin::TkCheckBox>(form), fw::New<skin::TkCheckBox>(form)};
    for (int i = 0; i < 4; ++i) {
      fw::TControl* c = controls[i];
      c->SetParent(panel);
      c->SetBounds(20 + i % 2 * 180, i < 2 ? 20 : 80, 150, 25);
      c->SetCaption("Delete");
      c->SetEnabled(i % 2 == 0);
    }
    form->Show();
    Settle();
    for (int i = 0; i < 4; i += 2) {
      const double enabled = CaptionContrast(controls[i]), disabled = CaptionContrast(controls[i + 1]);
      EXPECT_GE(disabled, 3.0) << controls[i]->ClassName();
      EXPECT_LT(disabled, enabled) << controls[i]->ClassName();
    }
    fw::Free(form);
  }
  // The strongest contrast of a caption pixel against the face at the start of its row (the
  // faces may run a gradient from top to bottom); the check box's caption lies right of its box.
  static double CaptionContrast(fw::TControl* c) {
    auto shot = control_skin::ScreenOf(c);
    const bool box = dynamic_cast<skin::TkCheckBox*>(c) != nullptr;
    double most = 1;
    for (int y = 4; y < c->GetHeight() - 4; ++y) {
      const fw::TColor face = test_skins::PixelOf(*shot, box ? c->GetWidth() - 3 : 12, y);
      for (int x = 20; x < c->GetWidth() - 20; ++x)
        most = std::max(most, Contrast(test_skins::PixelOf(*shot, x, y), face));
    }
    return most;
  }
};

TEST_F(ShippedDisabledCaptions, StayLegible) {
  Check("Neutral (internal)");
  Check("Slate");
}

// A disabled caption's letters are written once: the pixels the caption changes on the screen
// are the letters as the control's font draws them once, with no copy one pixel beside them.
class ShippedDisabledLetters : public ShippedSkinLook {
 protected:
  using TInk = std::set<std::pair<int, int>>;

  void Check(const std::string& skinName) {
    SCOPED_TRACE(skinName);
    fw::TForm* form = FormIn(skinName, 420, 200);
    auto* panel = PanelOn(form);
    auto* box = fw::New<skin::TkCheckBox>(form);
    box->SetAutoSize(false);  // the same size with and without its caption
    fw::TControl* controls[2] = {fw::New<skin::TkButton>(form), box};
    for (int i = 0; i < 2; ++i) {
      controls[i]->SetParent(panel);
      controls[i]->SetBounds(20, 20 + i * 60, 150, 25);
      controls[i]->SetCaption(kCaption);
      controls[i]->SetEnabled(false);
    }
    form->Show();
    Settle();
    for (fw::TControl* c : controls) {
      auto with = control_skin::ScreenOf(c);
      c->SetCaption("");
      Settle();
      auto without = control_skin::ScreenOf(c);
      TInk ink;
      for (int y = 0; y < c->GetHeight(); ++y)
        for (int x = 0; x < c->GetWidth(); ++x)
          if (test_skins::PixelOf(*with, x, y) != test_skins::PixelOf(*without, x, y)) ink.insert({x, y});
      const TInk once = Letters(c);
      ASSERT_FALSE(once.empty());
      EXPECT_EQ(Normalized(ink), once) << c->ClassName() << ": " << ink.size() << " pixels changed, the letters have "
                                       << once.size();
    }
    fw::Free(form);
  }
  // The caption drawn once in the control's font, black on white: its ink, moved to the origin.
  static TInk Letters(fw::TControl* c) {
    auto bmp = testing_paint::Filled(200, 60, 0xFFFFFF);
    fw::TCanvas* canvas = bmp->GetCanvas();
    canvas->GetFont()->Assign(c->GetFont());
    canvas->TextExtent(kCaption);  // selects the font into the DC
    HDC dc = canvas->GetHandle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0);
    RECT r{10, 10, 190, 50};
    fw::DrawTextUtf8(dc, kCaption, r, DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    TInk ink;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 200; ++x)
        if (test_skins::PixelOf(*bmp, x, y) != 0xFFFFFF) ink.insert({x, y});
    return Normalized(ink);
  }
  static TInk Normalized(const TInk& ink) {
    if (ink.empty()) return ink;
    int left = ink.begin()->first, top = ink.begin()->second;
    for (auto [x, y] : ink) left = std::min(left, x), top = std::min(top, y);
    TInk moved;
    for (auto [x, y] : ink) moved.insert({x - left, y - top});
    return moved;
  }
  static constexpr const char* kCaption = "Delete";
};

TEST_F(ShippedDisabledLetters, AreWrittenOnce) {
  Check("Neutral (internal)");
  Check("Slate");
}

}  // namespace
