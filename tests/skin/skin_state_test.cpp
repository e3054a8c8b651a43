// The per-control skin state: sections by name and by control type, the manager's commands
// taken only from its own manager, the edit colours, the colour answer, the background-changed
// command on resizing, the theme reset, and the bound label beside a control.
#include <gtest/gtest.h>

#include "framework/controls/custom_control.h"
#include "framework/extctrls/bevel.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/seams.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/bound_label.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/engine/common_data.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;

constexpr fw::TColor kPanel = 0x102030, kHalf = 0x0000FF, kEdit = 0x00C000, kEditFont = 0x400000;

// A windowed control with a skin state of the given type, its window procedure starting with
// CommonMessage; it notes the skin commands and theme changes it receives.
class TStateProbe : public fw::TCustomControl {
  FW_CLASS(TStateProbe, fw::TCustomControl)
 public:
  TStateProbe(fw::TComponent* owner, int type, std::vector<std::string>* log)
      : fw::TCustomControl(owner), Data(this, false), FLog(log) {
    Data.CtrlTypeIndex = type;
  }
  void WndProc(fw::TMessage& m) override {
    if (FLog && m.Msg == skin::SM_SKINCMD)
      FLog->push_back(GetName() + " " + std::to_string(skin::SkinCmdOf(m.WParam)) + "." +
                      std::to_string(LOWORD(m.WParam)));
    if (FLog && m.Msg == WM_THEMECHANGED) FLog->push_back(GetName() + " theme");
    if (skin::CommonMessage(m, &Data)) return;
    fw::TCustomControl::WndProc(m);
  }
  skin::TkCommonData Data;

 private:
  std::vector<std::string>* FLog;
};

class SkinStateTest : public SkinPaintTest {
 protected:
  void SetUp() override {
    SkinPaintTest::SetUp();
    LoadSkin(test_skins::Picture(8, 8), {{"GLOBALINFO", ""}, {"PANEL", ""}, {"SEE", ""}, {"HALF", ""}, {"EDIT", ""}},
             [](skin::TkStoredSkin& stored) {
               SectionOf(stored, "PANEL")->SetColor(kPanel);
               SectionOf(stored, "PANEL")->SetGradientPercent(30);
               SectionOf(stored, "PANEL")->SetGradientData("0;255;100;0;0");
               SectionOf(stored, "SEE")->SetTransparency(100);
               SectionOf(stored, "HALF")->SetColor(kHalf);
               SectionOf(stored, "HALF")->SetTransparency(50);
               SectionOf(stored, "EDIT")->SetColor(kEdit);
               SectionOf(stored, "EDIT")->SetFontColor(std::to_string(kEditFont) + " -1 -1 -1 -1");
             });
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(0, 0, 300, 200);
  }
  void TearDown() override {
    fw::Free(form);
    SkinPaintTest::TearDown();
  }
  TStateProbe* Probe(fw::TWinControl* parent, const std::string& name, int type, const std::string& section = "") {
    auto* p = fw::New<TStateProbe>(form, type, &log);
    p->SetName(name);
    p->SetBounds(10, 10, 100, 60);
    p->SetParent(parent);
    if (!section.empty()) p->Data.SetSkinSection(section);
    p->Data.Loaded();
    return p;
  }
  static fw::TMessage Command(int command, const void* lParam = nullptr, int argument = 0) {
    return fw::TMessage{skin::SM_SKINCMD, skin::SkinCmdWParam(command, argument), reinterpret_cast<LPARAM>(lParam), 0};
  }
  fw::TForm* form = nullptr;
};

TEST_F(SkinStateTest, SectionsByNameAndType) {
  auto* panel = Probe(form, "panel", 51);
  EXPECT_EQ(panel->Data.GetSkinSection(), "PANEL");
  EXPECT_EQ(panel->Data.SkinIndex, manager->GetSkinIndex("PANEL"));
  EXPECT_TRUE(panel->Data.SkinIsActive());
  log.clear();
  panel->Data.SetSkinSection("");
  EXPECT_EQ(panel->Data.GetSkinSection(), "UNKNOWN");
  EXPECT_EQ(panel->Data.SkinIndex, -1);
  EXPECT_FALSE(panel->Data.SkinIsActive());
  EXPECT_EQ(log, (std::vector<std::string>{"panel 2.0"}));  // not served: the skin is removed
  log.clear();
  panel->Data.SetSkinSection("SEE");
  EXPECT_EQ(log, (std::vector<std::string>{"panel 3.0"}));

  // An unknown type without a section takes the class name; this skin has no such section.
  auto* odd = Probe(form, "odd", 999);
  EXPECT_EQ(odd->Data.GetSkinSection(), "TStateProbe");
  EXPECT_EQ(odd->Data.SkinIndex, -1);
  EXPECT_FALSE(odd->Data.SkinIsActive());
  EXPECT_FALSE(odd->Data.CanPaint());

  // Commands 1, 2 and 3 of another manager change nothing.
  auto* other = fw::New<skin::TkSkinManager>(nullptr);
  panel->Data.BGChanged = false;
  for (int command : {skin::cmdNewSkin, skin::cmdRemoveSkin, skin::cmdRefresh}) {
    fw::TMessage m = Command(command, other);
    EXPECT_FALSE(skin::CommonWndProc(m, &panel->Data));
  }
  EXPECT_FALSE(panel->Data.BGChanged);
  EXPECT_FALSE(panel->Data.Updating);
  EXPECT_EQ(panel->Data.SkinIndex, manager->GetSkinIndex("SEE"));
  // A manager of its own that goes away is dropped on its command 2.
  panel->Data.SetSkinManager(other);
  EXPECT_EQ(panel->Data.GetSkinManager(), other);
  EXPECT_EQ(panel->Data.SkinIndex, -1);
  other->Free();
  EXPECT_EQ(panel->Data.GetSkinManager(), manager);
  panel->Data.UpdateIndexes();
  EXPECT_TRUE(panel->Data.SkinIsActive());

  // Resetting the manager to none leaves the control unskinned while the default manager serves
  // a skin: command 2 carries no manager and the state keeps its cleared index.
  auto* third = fw::New<skin::TkSkinManager>(nullptr);
  panel->Data.SetSkinManager(third);
  panel->Data.SetSkinManager(nullptr);
  third->Free();
  EXPECT_EQ(panel->Data.GetSkinManager(), manager);
  EXPECT_EQ(panel->Data.SkinIndex, -1);
  EXPECT_FALSE(panel->Data.SkinIsActive());
  panel->Data.UpdateIndexes();

  // Updating: asked of the parent (command 10), which answers while its cache must be rebuilt.
  auto* child = Probe(panel, "child", 0, "SEE");
  panel->HandleNeeded();
  panel->Data.EndUpdate();  // the managers that came and went left it updating
  panel->Data.BGChanged = true;
  EXPECT_TRUE(child->Data.GetUpdating());
  panel->Data.BGChanged = false;
  EXPECT_FALSE(child->Data.GetUpdating());
  child->Data.BeginUpdate();
  EXPECT_TRUE(child->Data.GetUpdating());
  child->Data.EndUpdate();

  // Mouse-over makes a button-like control hot, never a panel.
  fw::TMessage enter{fw::CM_MOUSEENTER, 0, 0, 0};
  skin::CommonMessage(enter, &panel->Data);
  EXPECT_FALSE(panel->Data.MouseAbove);
  auto* button = Probe(form, "button", 93);
  skin::CommonMessage(enter, &button->Data);
  EXPECT_TRUE(button->Data.MouseAbove);
  EXPECT_TRUE(button->Data.CanPaint() || button->Data.SkinIndex < 0);
  button->SetEnabled(false);
  EXPECT_FALSE(button->Data.CanPaint());
}

TEST_F(SkinStateTest, EditColoursFollowTheSkin) {
  auto* edit = fw::New<fw::TEdit>(form);
  edit->SetParent(form);
  skin::TkCommonData data(edit, false);
  data.CtrlTypeIndex = 2;
  data.Loaded();
  EXPECT_EQ(data.GetSkinSection(), "EDIT");
  EXPECT_EQ(edit->GetColor(), kEdit);
  EXPECT_EQ(edit->GetFont()->GetColor(), kEditFont);

  // Command 2 with CustomColor keeps the colour and still resets the font colour.
  data.SetCustomColor(true);
  edit->SetColor(0x123456);
  fw::TMessage removed = Command(skin::cmdRemoveSkin, manager);
  skin::CommonWndProc(removed, &data);
  EXPECT_EQ(edit->GetColor(), 0x123456);
  EXPECT_EQ(edit->GetFont()->GetColor(), fw::clWindowText);
  EXPECT_EQ(data.SkinIndex, -1);
  EXPECT_TRUE(data.Updating);
  // Command 3 gives the font colour back; the custom colour stays.
  data.UpdateIndexes();
  fw::TMessage refresh = Command(skin::cmdRefresh, manager);
  skin::CommonWndProc(refresh, &data);
  EXPECT_EQ(edit->GetColor(), 0x123456);
  EXPECT_EQ(edit->GetFont()->GetColor(), kEditFont);
  EXPECT_FALSE(data.Updating);
  data.SetCustomColor(false);
  EXPECT_EQ(edit->GetColor(), kEdit);
}

TEST_F(SkinStateTest, ColourAnswer) {
  auto ask = [](TStateProbe* p) {
    skin::QueriedColor = fw::clFuchsia;
    fw::TMessage m = Command(skin::cmdGetColor);
    EXPECT_TRUE(skin::CommonWndProc(m, &p->Data));
    return skin::QueriedColor;
  };
  // Transparency 100 without a parent: the control's own colour.
  auto* alone = fw::New<TStateProbe>(form, 0, &log);
  alone->Data.SetSkinSection("SEE");
  alone->SetColor(0x010203);
  EXPECT_EQ(ask(alone), 0x010203);
  // Transparency 0: the section's colour.
  auto* panel = Probe(form, "panel", 51);
  EXPECT_EQ(ask(panel), kPanel);
  // 100 over the panel: the panel's answer; 50: the mix with T a weight out of 256.
  auto* see = Probe(panel, "see", 0, "SEE");
  EXPECT_EQ(ask(see), kPanel);
  auto* half = Probe(panel, "half", 0, "HALF");
  // Red (50 * (48 - 255) + 255 * 256) shr 8 = 214, green 32 * 50 shr 8 = 6, blue 16 * 50 shr 8 = 3.
  EXPECT_EQ(ask(half), 0x0306D6);
  // Without an active skin: the control's colour as RGB.
  half->Data.SetSkinSection("NOWHERE");
  half->SetColor(fw::clBtnFace);
  EXPECT_EQ(ask(half), fw::ColorToRGB(fw::clBtnFace));
  skin::QueriedColor = fw::clFuchsia;
}

TEST_F(SkinStateTest, ATabSheetShowsItsParentsBackground) {
  // An opaque, enabled, visible control does not need its parent's background ...
  auto* panel = Probe(form, "panel", 51);
  form->HandleNeeded();
  EXPECT_FALSE(panel->Data.NeedsParentBackground());
  // ... a tab sheet of the same section does.
  auto* sheet = fw::New<skin::TkTabSheet>(form);
  sheet->SetBounds(10, 10, 100, 60);
  sheet->SetParent(form);
  sheet->SetVisible(true);
  skin::TkCommonData data(sheet, false);
  data.SetSkinSection("PANEL");
  ASSERT_TRUE(data.SkinIsActive());
  ASSERT_TRUE(sheet->GetVisible() && sheet->GetEnabled());
  EXPECT_TRUE(data.NeedsParentBackground());
}

TEST_F(SkinStateTest, SizeTellsUnanchoredChildren) {
  auto* panel = Probe(form, "panel", 51);
  auto* plain = Probe(panel, "plain", 0, "SEE");
  auto* right = Probe(panel, "right", 0, "SEE");
  right->SetAnchors(fw::TAnchors{fw::akLeft, fw::akTop, fw::akRight});
  auto* bottom = Probe(panel, "bottom", 0, "SEE");
  bottom->SetAnchors(fw::TAnchors{fw::akLeft, fw::akBottom});
  (void)plain;
  log.clear();
  panel->Data.BGChanged = false;
  fw::TMessage size{WM_SIZE, 0, 0, 0};
  EXPECT_FALSE(skin::CommonMessage(size, &panel->Data));
  EXPECT_TRUE(panel->Data.BGChanged);
  EXPECT_EQ(log, (std::vector<std::string>{"plain 20.1"}));

  // Without a gradient nothing goes to the children.
  log.clear();
  fw::TMessage sizeSee{WM_SIZE, 0, 0, 0};
  skin::CommonMessage(sizeSee, &plain->Data);
  EXPECT_TRUE(log.empty());
}

TEST_F(SkinStateTest, UpdateUiStateAndThemes) {
  auto* panel = Probe(form, "panel", 51);
  panel->HandleNeeded();
  fw::TMessage m{WM_UPDATEUISTATE, 0, 0, 0};
  EXPECT_TRUE(skin::CommonMessage(m, &panel->Data));  // skinned: answered, goes no further
  panel->Data.SetSkinSection("NOWHERE");
  for (bool themes : {false, true}) {
    fw::testing::SetVisualThemesInUse(themes);
    log.clear();
    EXPECT_FALSE(skin::CommonMessage(m, &panel->Data));
    const bool reset = std::find(log.begin(), log.end(), "panel theme") != log.end();
    EXPECT_EQ(reset, themes) << themes;
  }
  // Not skinned with themes in use: the control no longer takes its parent's background.
  panel->SetControlStyle(panel->GetControlStyle() + fw::csParentBackground);
  panel->Data.Loaded();
  EXPECT_FALSE(panel->GetControlStyle().Contains(fw::csParentBackground));
}

TEST_F(SkinStateTest, ContainerCacheCopiedAroundItsChildren) {
  auto* panel = Probe(form, "panel", 51);
  panel->SetBounds(0, 0, 200, 100);
  panel->Data.InitCacheBmp();
  skin::FillDCRect(panel->Data.CacheBmp->GetCanvas()->GetHandle(), fw::TRect(0, 0, 200, 100), 0x112233);
  auto* opaque = Probe(panel, "opaque", 0, "SEE");
  opaque->SetBounds(10, 10, 20, 20);
  opaque->SetControlStyle(opaque->GetControlStyle() + fw::csOpaque);
  auto* see = Probe(panel, "see", 0, "SEE");
  see->SetBounds(50, 10, 20, 20);
  auto* bevel = fw::New<fw::TBevel>(form);
  bevel->SetBounds(90, 10, 20, 20);
  bevel->SetParent(panel);
  auto target = Filled(200, 100);
  skin::CopyWinControlCache(panel, &panel->Data, fw::TRect(), fw::TRect(0, 0, 200, 100),
                            target->GetCanvas()->GetHandle(), false);
  GdiFlush();
  EXPECT_EQ(CountColour(*target, fw::TRect(10, 10, 30, 30), kCanary), 400);  // opaque: left out
  EXPECT_EQ(CountColour(*target, fw::TRect(90, 10, 110, 30), kCanary), 400);  // graphic: left out
  EXPECT_EQ(CountColour(*target, fw::TRect(50, 10, 70, 30), 0x112233), 400);  // see-through: under it
  EXPECT_EQ(CountColour(*target, fw::TRect(0, 0, 200, 100), 0x112233), 200 * 100 - 800);
}

TEST_F(SkinStateTest, BoundLabel) {
  auto* edit = Probe(form, "Path", 2);
  edit->SetBounds(120, 50, 100, 40);
  skin::TkBoundLabel bound(&edit->Data);
  bound.SetCaption("A caption long enough to wrap twice");
  bound.SetMaxWidth(80);
  bound.SetLayout(skin::sclTopLeft);
  bound.SetActive(true);
  skin::TkEditLabel* label = bound.GetLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetName(), "PathLabel");
  EXPECT_EQ(label->GetParent(), form);
  EXPECT_EQ(label->GetFocusControl(), edit);
  EXPECT_EQ(label->GetCaption(), "A caption long enough to wrap twice");
  EXPECT_EQ(label->GetWidth(), 80);
  EXPECT_TRUE(label->GetWordWrap());
  EXPECT_FALSE(label->GetAutoSize());
  EXPECT_GE(label->GetHeight(), edit->GetHeight());
  EXPECT_EQ(label->GetLeft(), 120);
  EXPECT_EQ(label->GetAlignment(), fw::taLeftJustify);

  // Left of the control, vertically centred, Indent apart.
  bound.SetMaxWidth(0);
  bound.SetCaption("Path:");
  bound.SetLayout(skin::sclLeft);
  bound.SetIndent(3);
  EXPECT_EQ(label->GetAlignment(), fw::taRightJustify);
  EXPECT_EQ(label->GetLeft() + label->GetWidth(), 120 - 4 - 3);
  EXPECT_EQ(label->GetTop(), (40 - label->GetHeight()) / 2 + 50 - 1);

  // Deactivating frees the label; reactivating makes a new one with the same name.
  bound.SetActive(false);
  EXPECT_EQ(bound.GetLabel(), nullptr);
  EXPECT_EQ(edit->FindComponent("PathLabel"), nullptr);
  EXPECT_EQ(form->FindComponent("PathLabel"), nullptr);
  bound.SetActive(true);
  ASSERT_NE(bound.GetLabel(), nullptr);
  EXPECT_EQ(bound.GetLabel()->GetName(), "PathLabel");
  EXPECT_EQ(bound.GetLabel()->GetCaption(), "Path:");
}

}  // namespace
