// The frame adapter: an adapter on a form warns and stays inert; on a frame it answers the skin
// command message for it, swallows what a skinned frame does not take, lays skinned scroll bars
// over the frame's edges and scrolls the frame's children by them, gives the frame its own bars
// back when the skin goes, paints the frame from the skin on the screen and follows skin changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/controls/graphic_control.h"
#include "framework/extctrls/bevel.h"
#include "framework/extctrls/custom_panel.h"
#include "framework/forms/application.h"
#include "framework/forms/dialog_service.h"
#include "framework/forms/frame.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"
#include "skin/engine/frame_adapter.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/form_skin_fixture.h"

namespace {

using namespace testing_form_skin;
using skin::SM_SKINCMD;
using skin::SkinCmdWParam;

// A graphic child that notes the skin commands reaching it.
class TCommandProbe : public fw::TGraphicControl {
  FW_CLASS(TCommandProbe, fw::TGraphicControl)
 public:
  using fw::TGraphicControl::TGraphicControl;
  std::vector<int> Commands;
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == SM_SKINCMD) Commands.push_back(skin::SkinCmdOf(m.WParam));
    fw::TGraphicControl::WndProc(m);
  }

 protected:
  ~TCommandProbe() override = default;
};

class FrameAdapterTest : public FormSkinTest {
 protected:
  void SetUp() override {
    FormSkinTest::SetUp();
    MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu}, 400, 320);
    cx = GetSystemMetrics(SM_CXVSCROLL);
    cy = GetSystemMetrics(SM_CYHSCROLL);
  }

  // A frame at (10, 10), 100 x 80 on the form, whose procedure notes the skin commands that reach
  // it before the adapter takes it over.
  void MakeFrame(bool ownHorzVisible = true) {
    frame = fw::New<fw::TFrame>(form);
    frame->SetBounds(10, 10, 100, 80);
    frame->GetHorzScrollBar()->SetVisible(ownHorzVisible);
    fw::TWndMethodProc inner = frame->GetWindowProc();
    frame->SetWindowProc([this, inner](fw::TMessage& m) {
      if (m.Msg == SM_SKINCMD) passedOn.push_back(skin::SkinCmdOf(m.WParam));
      inner(m);
    });
    adapter = fw::New<skin::TkFrameAdapter>(frame);
    frame->SetParent(form);
  }
  fw::TPanel* AddPanel(int left, int top, int width, int height, fw::TColor colour = fw::clRed) {
    auto* panel = fw::New<fw::TPanel>(frame);
    panel->SetBevelOuter(fw::bvNone);
    panel->SetColor(colour);
    panel->SetBounds(left, top, width, height);
    panel->SetParent(frame);
    return panel;
  }
  // Sizes the frame (passing through another size when it has that one), which makes it lay its
  // bars out anew.
  void Resize(int width, int height) {
    if (frame->GetWidth() == width && frame->GetHeight() == height)
      frame->SetBounds(frame->GetLeft(), frame->GetTop(), width + 1, height);
    frame->SetBounds(frame->GetLeft(), frame->GetTop(), width, height);
    Settle();
  }
  fw::TColor FramePixel(int x, int y) {
    GdiFlush();
    Settle(8);
    const fw::TPoint p = frame->ClientToScreen(fw::TPoint(x, y));
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.X, p.Y);
    ReleaseDC(nullptr, screen);
    return static_cast<fw::TColor>(c);
  }
  // Reloads the test skin after edit changed its GROUPBOX section.
  void ReloadSkin(const std::function<void(skin::TkSkinGeneral&)>& edit) {
    skin::TkStoredSkins& skins = *manager->GetInternalSkins();
    edit(*testing_paint::SectionOf(*skins.GetItem(skins.IndexOf("Paint")), "GROUPBOX"));
    manager->SetSkinName("Paint");
    Settle();
  }
  int WindowTop(fw::TWinControl* control) {
    RECT r{};
    GetWindowRect(control->GetHandle(), &r);
    POINT p{r.left, r.top};
    ScreenToClient(frame->GetHandle(), &p);
    return p.y;
  }

  fw::TFrame* frame = nullptr;
  skin::TkFrameAdapter* adapter = nullptr;
  std::vector<int> passedOn;
  int cx = 0, cy = 0;
};

TEST_F(FrameAdapterTest, AnAdapterOnAFormWarnsAndLeavesTheFormAlone) {
  auto* plain = fw::New<fw::TForm>(fw::Application);
  int seen = 0;
  plain->SetWindowProc([plain, &seen](fw::TMessage& m) {
    ++seen;
    plain->WndProc(m);
  });
  auto* inert = fw::New<skin::TkFrameAdapter>(plain);
  ASSERT_EQ(scripted->Texts.size(), 1u);
  EXPECT_EQ(scripted->Texts[0], "TkFrameAdapter adapter must be placed on the handled frame");
  EXPECT_EQ(inert->GetFrame(), nullptr);
  // The form's procedure is its own: it does not answer for a skinned frame.
  EXPECT_FALSE(skin::ControlAnswersCmd(plain, skin::cmdIsSkinned));
  EXPECT_EQ(seen, 1);
  inert->UpdateScrollBars();
  EXPECT_EQ(inert->GetVertBar(), nullptr);
  fw::Free(inert);
  plain->Perform(WM_NULL, 0, 0);
  EXPECT_EQ(seen, 2);
  fw::Free(plain);
}

TEST_F(FrameAdapterTest, AFrameHidesItsOwnBarsAndAnswersCommandSevenAlways) {
  MakeFrame(false);
  EXPECT_FALSE(frame->GetVertScrollBar()->GetVisible());
  EXPECT_FALSE(frame->GetHorzScrollBar()->GetVisible());
  EXPECT_TRUE(scripted->Texts.empty());
  EXPECT_EQ(adapter->GetSkinData()->GetSkinSection(), "GROUPBOX");
  EXPECT_EQ(adapter->GetSkinData()->CtrlTypeIndex, 226);
  EXPECT_TRUE(skin::ControlAnswersCmd(frame, skin::cmdIsSkinned));
  // Without a skin the frame still says it is skinned, and the rest goes to its own procedure.
  manager->SetActive(false);
  Settle();
  EXPECT_TRUE(skin::ControlAnswersCmd(frame, skin::cmdIsSkinned));
  passedOn.clear();
  skin::ControlAnswersCmd(frame, skin::cmdIsPartlyHidden);
  EXPECT_EQ(passedOn, std::vector<int>{skin::cmdIsPartlyHidden});
}

TEST_F(FrameAdapterTest, ASkinnedFrameSwallowsTheCommandsItDoesNotTake) {
  MakeFrame();
  auto* probe = fw::New<TCommandProbe>(frame);
  probe->SetBounds(5, 5, 10, 10);
  probe->SetParent(frame);
  Settle();
  passedOn.clear();
  for (int command : {11, 13, 14, 15, 16, 17, 18, 20}) {
    fw::TMessage m{SM_SKINCMD, SkinCmdWParam(command, 1), 0, 0};
    frame->GetWindowProc()(m);
    EXPECT_EQ(m.LParam, 0) << command;
  }
  EXPECT_TRUE(passedOn.empty());
  // Only the stop-animation command goes on to the children.
  EXPECT_EQ(std::count(probe->Commands.begin(), probe->Commands.end(), 16), 1);
  EXPECT_EQ(std::count(probe->Commands.begin(), probe->Commands.end(), 20), 0);
  // A plain face needs nothing behind it; the painted frame is not updating.
  EXPECT_FALSE(skin::ControlAnswersCmd(frame, skin::cmdIsTextured));
  EXPECT_FALSE(skin::ControlAnswersCmd(frame, skin::cmdIsUpdating));
  // Updating on and off reaches every child.
  probe->Commands.clear();
  frame->Perform(SM_SKINCMD, SkinCmdWParam(skin::cmdSetUpdating, 1), 0);
  EXPECT_TRUE(adapter->GetSkinData()->Updating);
  EXPECT_TRUE(skin::ControlAnswersCmd(frame, skin::cmdIsUpdating));
  frame->Perform(SM_SKINCMD, SkinCmdWParam(skin::cmdSetUpdating, 0), 0);
  EXPECT_FALSE(adapter->GetSkinData()->Updating);
  EXPECT_EQ(probe->Commands, (std::vector<int>{skin::cmdSetUpdating, skin::cmdSetUpdating}));
  EXPECT_TRUE(passedOn.empty());
}

TEST_F(FrameAdapterTest, ContentTallerThanTheFrameGetsASkinnedBarOverTheRightEdge) {
  MakeFrame();
  AddPanel(0, 0, 50, 90);
  Resize(100, 80);
  skin::TkScrollBar* bar = adapter->GetVertBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_EQ(bar->GetKind(), fw::sbVertical);
  EXPECT_EQ(bar->GetParent(), form);
  EXPECT_EQ(bar->GetMax(), 10);
  EXPECT_EQ(bar->GetPageSize(), 80);
  EXPECT_EQ(bar->GetBoundsRect(), fw::TRect(110 - cx, 10, 110, 90));
  EXPECT_TRUE(bar->GetSkinData()->SkinIsActive());
  EXPECT_EQ(adapter->GetHorzBar(), nullptr);

  // Wider content too: a horizontal bar, and the vertical bar's page shrinks by its height.
  AddPanel(0, 0, 130, 20);
  Resize(100, 80);
  skin::TkScrollBar* horz = adapter->GetHorzBar();
  ASSERT_NE(horz, nullptr);
  EXPECT_EQ(bar->GetMax(), 10 + cy);
  EXPECT_EQ(horz->GetMax(), 30 + cx);
  EXPECT_EQ(bar->GetBoundsRect(), fw::TRect(110 - cx, 10, 110, 90 - cy));
  EXPECT_EQ(horz->GetBoundsRect(), fw::TRect(10, 90 - cy, 110 - cx, 90));

  // Room enough: both bars go.
  Resize(160, 120);
  EXPECT_FALSE(bar->GetVisible());
  EXPECT_FALSE(horz->GetVisible());
}

TEST_F(FrameAdapterTest, ABarOwnHiddenAtCreationNeverShows) {
  MakeFrame(false);
  AddPanel(0, 0, 130, 90);
  Resize(100, 80);
  EXPECT_EQ(adapter->GetHorzBar(), nullptr);
  ASSERT_NE(adapter->GetVertBar(), nullptr);
  // No horizontal bar takes room from the page.
  EXPECT_EQ(adapter->GetVertBar()->GetMax(), 10);
}

TEST_F(FrameAdapterTest, ScrollingByTheBarMovesWindowedAndGraphicChildrenAlike) {
  MakeFrame();
  fw::TPanel* panel = AddPanel(0, 0, 50, 60);
  auto* bevel = fw::New<fw::TBevel>(frame);
  bevel->SetBounds(10, 70, 40, 40);
  bevel->SetParent(frame);
  Resize(100, 80);
  skin::TkScrollBar* bar = adapter->GetVertBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->GetMax(), 30);

  bar->SetPosition(12);
  Settle();
  EXPECT_EQ(panel->GetTop(), -12);
  EXPECT_EQ(WindowTop(panel), -12);
  EXPECT_EQ(bevel->GetTop(), 58);
  EXPECT_FALSE(adapter->GetScrolling());
  // The content is as large as before: laying the bars out again keeps the range.
  Resize(100, 80);
  EXPECT_EQ(bar->GetMax(), 30);
  EXPECT_EQ(bar->GetPosition(), 12);

  bar->SetPosition(5);
  Settle();
  EXPECT_EQ(panel->GetTop(), -5);
  EXPECT_EQ(bevel->GetTop(), 65);
  bar->SetPosition(0);
  Settle();
  EXPECT_EQ(panel->GetTop(), 0);
  EXPECT_EQ(WindowTop(panel), 0);
  EXPECT_EQ(bevel->GetTop(), 70);

  // A taller frame shows more: the content follows the position the shorter range leaves.
  bar->SetPosition(25);
  Settle();
  Resize(100, 100);
  EXPECT_EQ(bar->GetMax(), 10);
  EXPECT_EQ(bar->GetPosition(), 10);
  EXPECT_EQ(panel->GetTop(), -10);
  EXPECT_EQ(bevel->GetTop(), 60);
  // Tall enough for all of it: the bar goes and the content is back at the top.
  Resize(100, 120);
  EXPECT_FALSE(bar->GetVisible());
  EXPECT_EQ(panel->GetTop(), 0);
  EXPECT_EQ(WindowTop(panel), 0);
  EXPECT_EQ(bevel->GetTop(), 70);
}

TEST_F(FrameAdapterTest, RemovingTheSkinBringsBackTheFramesOwnBarsAndItsContentsPlace) {
  MakeFrame(false);
  fw::TPanel* panel = AddPanel(0, 0, 50, 90);
  Resize(100, 80);
  skin::TkScrollBar* bar = adapter->GetVertBar();
  ASSERT_NE(bar, nullptr);
  bar->SetPosition(7);
  Settle();
  ASSERT_EQ(panel->GetTop(), -7);

  manager->SetActive(false);
  Settle();
  EXPECT_TRUE(frame->GetVertScrollBar()->GetVisible());
  EXPECT_FALSE(frame->GetHorzScrollBar()->GetVisible());
  EXPECT_FALSE(bar->GetVisible());
  EXPECT_EQ(panel->GetTop(), 0);
  EXPECT_EQ(frame->GetVertScrollBar()->GetPosition(), 0);
  // Unskinned, the frame sizes as any frame and lays out no skinned bar.
  Resize(100, 70);
  EXPECT_FALSE(bar->GetVisible());
}

TEST_F(FrameAdapterTest, TheFramePaintsTheSkinFaceAroundItsChildWindowsAndFollowsSkinChanges) {
  MakeFrame();
  AddPanel(20, 20, 30, 30, fw::clRed);
  Settle();
  EXPECT_EQ(FramePixel(5, 5), kGroupBox);
  EXPECT_EQ(FramePixel(90, 70), kGroupBox);
  EXPECT_EQ(FramePixel(60, 35), kGroupBox);
  EXPECT_EQ(FramePixel(35, 35), fw::clRed);

  ReloadSkin([](skin::TkSkinGeneral& g) {
    g.SetColor(0x2030C0);
    g.SetHotColor(0x2030C0);
  });
  EXPECT_EQ(FramePixel(5, 5), 0x2030C0);
  EXPECT_EQ(FramePixel(35, 35), fw::clRed);

  // Without the skin the frame paints itself again, in its own colour.
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(FramePixel(5, 5), fw::ColorToRGB(frame->GetColor()));
}

TEST_F(FrameAdapterTest, AfterScrollingTheScreenShowsTheChildrenMovedOverTheFace) {
  MakeFrame();
  AddPanel(20, 40, 30, 50, fw::clRed);
  AddPanel(55, 5, 20, 20, fw::clBlue);
  Resize(100, 80);
  ASSERT_NE(adapter->GetVertBar(), nullptr);
  EXPECT_EQ(FramePixel(35, 35), kGroupBox);
  EXPECT_EQ(FramePixel(65, 18), fw::clBlue);
  adapter->GetVertBar()->SetPosition(10);
  EXPECT_EQ(FramePixel(35, 35), fw::clRed);
  EXPECT_EQ(FramePixel(65, 12), fw::clBlue);
  EXPECT_EQ(FramePixel(65, 18), kGroupBox);
}

TEST_F(FrameAdapterTest, TheColourQueryMixesTheParentsColourByTheSectionsTransparency) {
  MakeFrame();
  Settle();
  auto query = [this] {
    skin::QueriedColor = fw::clFuchsia;
    SendMessageA(frame->GetHandle(), SM_SKINCMD, SkinCmdWParam(skin::cmdGetColor), 0);
    return skin::QueriedColor;
  };
  EXPECT_EQ(query(), kGroupBox);

  skin::GetControlColor(form);
  const fw::TColor parent = skin::QueriedColor;
  ReloadSkin([](skin::TkSkinGeneral& g) { g.SetTransparency(100); });
  EXPECT_EQ(query(), parent);

  ReloadSkin([](skin::TkSkinGeneral& g) { g.SetTransparency(40); });
  fw::TColor expected = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int p = (parent >> shift) & 0xFF, c = (kGroupBox >> shift) & 0xFF;
    // The transparency weighs the parent's channel out of 256.
    expected |= std::clamp((40 * (p - c) + c * 256) >> 8, 0, 255) << shift;
  }
  EXPECT_EQ(query(), expected);
}

TEST_F(FrameAdapterTest, AdaptersGiveTheFramesProcedureBackLastInFirstOut) {
  frame = fw::New<fw::TFrame>(form);
  frame->SetParent(form);
  int seen = 0;
  frame->SetWindowProc([this, &seen](fw::TMessage& m) {
    ++seen;
    frame->WndProc(m);
  });
  auto* first = fw::New<skin::TkFrameAdapter>(frame);
  auto* second = fw::New<skin::TkFrameAdapter>(frame);
  seen = 0;
  frame->Perform(WM_NULL, 0, 0);
  EXPECT_EQ(seen, 1);  // through both adapters to the frame's own procedure
  fw::Free(second);
  EXPECT_TRUE(skin::ControlAnswersCmd(frame, skin::cmdIsSkinned));
  fw::Free(first);
  EXPECT_FALSE(skin::ControlAnswersCmd(frame, skin::cmdIsSkinned));
  seen = 0;
  frame->Perform(WM_NULL, 0, 0);
  EXPECT_EQ(seen, 1);
}

TEST_F(FrameAdapterTest, ABarFreedWithTheFramesParentIsForgotten) {
  auto* host = fw::New<fw::TPanel>(form);
  host->SetBounds(0, 0, 200, 200);
  host->SetParent(form);
  MakeFrame();
  frame->SetParent(host);
  AddPanel(0, 0, 50, 120);
  Resize(100, 80);
  ASSERT_NE(adapter->GetVertBar(), nullptr);
  EXPECT_EQ(adapter->GetVertBar()->GetParent(), host);
  // The frame is owned by the form and outlives the host, which frees the bar on it.
  frame->SetParent(form);
  fw::Free(host);
  EXPECT_EQ(adapter->GetVertBar(), nullptr);
  Resize(100, 80);
  ASSERT_NE(adapter->GetVertBar(), nullptr);
  EXPECT_EQ(adapter->GetVertBar()->GetParent(), form);
}

// The frame's own popup menus are hooked for skinning when it is loaded and on every new skin,
// as long as the manager skins popups. The frame has no owner, so the manager's own walk over the
// application's components never reaches its menus.
TEST_F(FrameAdapterTest, TheFramesPopupMenusAreHookedOnLoadingAndOnANewSkin) {
  auto makeFrame = [this](fw::TPopupMenu*& menu) {
    fw::TLoadScope scope;
    auto* loose = fw::New<fw::TFrame>(nullptr);
    fw::New<skin::TkFrameAdapter>(loose);
    menu = fw::New<fw::TPopupMenu>(loose);
    menu->GetItems()->Add(fw::New<fw::TMenuItem>(menu));
    loose->SetBounds(10, 10, 100, 80);
    loose->SetParent(form);
    return loose;
  };
  fw::TPopupMenu* menu = nullptr;
  fw::TFrame* loose = makeFrame(menu);
  EXPECT_TRUE(menu->GetOwnerDraw());
  EXPECT_TRUE(menu->GetItems()->GetItems(0)->OnMeasureItem);

  menu->SetOwnerDraw(false);
  manager->SetSkinName("Paint");
  Settle();
  EXPECT_TRUE(menu->GetOwnerDraw());

  manager->SetSkinnedPopups(false);
  menu->SetOwnerDraw(false);
  manager->SetSkinName("Paint");
  Settle();
  EXPECT_FALSE(menu->GetOwnerDraw());
  fw::TPopupMenu* second = nullptr;
  fw::TFrame* other = makeFrame(second);
  EXPECT_FALSE(second->GetOwnerDraw());
  fw::Free(other);
  fw::Free(loose);
}

}  // namespace
