// The skinned form's window procedure: taking over and giving back the form, the skin
// commands, the title strip, snapping, the min/max information, paint messages while updating,
// the form's skinned scroll bars and the rmBorder frame.
#include <gtest/gtest.h>

#include "framework/controls/custom_control.h"
#include "framework/forms/application.h"
#include "skin/controls/grip.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_utils.h"
#include "support/control_skin.h"
#include "support/form_skin_fixture.h"
#include "support/test_skins.h"

namespace {

using namespace testing_form_skin;

class FormSkinWndProc : public FormSkinTest {
 protected:
  LRESULT Cmd(int command, LPARAM l = 0, int arg = 0) {
    return SendMessageA(form->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(command, arg), l);
  }
  LPARAM Own() const { return reinterpret_cast<LPARAM>(manager); }
};

TEST_F(FormSkinWndProc, TakesOverAndGivesBackTheForm) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu, fw::biMinimize});
  HWND wnd = form->GetHandle();
  EXPECT_TRUE(form->GetBorderIcons().Empty());
  EXPECT_EQ(form->GetHandle(), wnd);  // the same window
  EXPECT_TRUE(skin::ControlAnswersCmd(form, skin::cmdIsSkinned));
  EXPECT_EQ(Cmd(skin::cmdGetProvider), reinterpret_cast<LRESULT>(provider));
  // Another manager's removal changes nothing.
  Cmd(skin::cmdRemoveSkin, 12345);
  EXPECT_TRUE(form->GetBorderIcons().Empty());
  // The own manager's removal: the system frame, icons and plain shape back, the form shown.
  Cmd(skin::cmdRemoveSkin, Own());
  EXPECT_EQ(form->GetBorderIcons(), (fw::TBorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biMaximize}));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(wnd, rgn), ERROR);
  DeleteObject(rgn);
  EXPECT_TRUE(IsWindowVisible(wnd));
  // New skin and refresh from the own manager take it back.
  Cmd(skin::cmdNewSkin, Own());
  Cmd(skin::cmdRefresh, Own());
  Settle(8);
  EXPECT_TRUE(form->GetBorderIcons().Empty());
  // Freed before the form: the form's own procedure is back.
  provider->Free();
  provider = nullptr;
  EXPECT_FALSE(skin::ControlAnswersCmd(form, skin::cmdIsSkinned));
  SendMessageA(wnd, WM_NCPAINT, 1, 0);
  EXPECT_EQ(SendMessageA(wnd, WM_NCHITTEST, 0, ScreenAt(100, 100)), HTCLIENT);
}

TEST_F(FormSkinWndProc, CommandAnswersAndTitleStrip) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  HWND wnd = form->GetHandle();
  skin::ParentBgAnswer = skin::TkBgRef{};
  Cmd(skin::cmdGetParentBg);
  EXPECT_TRUE(skin::ParentBgAnswer.Ready);
  EXPECT_EQ(skin::ParentBgAnswer.Bmp, provider->GetSkinData()->CacheBmp.get());
  EXPECT_EQ(skin::ParentBgAnswer.Y, provider->ClientOffsetY());
  EXPECT_FALSE(skin::ControlAnswersCmd(form, skin::cmdIsTextured));  // no gradient, no image
  skin::QueriedColor = fw::clFuchsia;
  Cmd(skin::cmdGetColor);
  EXPECT_EQ(skin::QueriedColor, kFrame);
  Cmd(skin::cmdSetUpdating, 0, 1);
  EXPECT_TRUE(skin::ControlAnswersCmd(form, skin::cmdIsUpdating));
  Cmd(skin::cmdSetUpdating, 0, 0);
  // WM_ERASEBKGND erases nothing without themes.
  EXPECT_EQ(SendMessageA(wnd, WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(FormSkinWndProc, TheSystemNeverPaintsTheTitleStrip) {
  // The form's own procedure, next in line after the provider's, sees the region the system
  // handles a caption change under, and what it is asked to paint on activation.
  struct TSeen {
    UINT Msg;
    bool HasRegion, ClientShown, StripHidden;
    LPARAM LParam;
  };
  std::vector<TSeen> seen;
  HWND watched = nullptr;
  fw::Free(form);
  form = fw::New<fw::TForm>(fw::Application);
  form->SetBounds(60, 60, 320, 200);
  fw::TWndMethodProc original = form->GetWindowProc();
  form->SetWindowProc([&seen, &watched, original](fw::TMessage& m) {
    if (watched && (m.Msg == WM_SETTEXT || m.Msg == WM_NCACTIVATE)) {
      HRGN rgn = CreateRectRgn(0, 0, 0, 0);
      const bool has = GetWindowRgn(watched, rgn) != ERROR;
      seen.push_back({m.Msg, has, has && PtInRegion(rgn, 100, 150) != 0, has && !PtInRegion(rgn, 100, 5), m.LParam});
      DeleteObject(rgn);
    }
    original(m);
  });
  provider = fw::New<skin::TkSkinProvider>(form);
  provider->SetBorderIcons(skin::TkBorderIcons{fw::biSystemMenu});
  form->Show();
  Settle(8);
  HWND wnd = watched = form->GetHandle();
  auto noRegion = [&] {
    SetWindowRgn(wnd, nullptr, FALSE);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool none = GetWindowRgn(wnd, rgn) == ERROR;
    DeleteObject(rgn);
    seen.clear();
    return none;
  };
  ASSERT_TRUE(noRegion());
  form->SetCaption("Renamed");
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0].Msg, static_cast<UINT>(WM_SETTEXT));
  EXPECT_TRUE(seen[0].HasRegion);
  EXPECT_TRUE(seen[0].ClientShown);  // the window stays on the screen
  EXPECT_TRUE(seen[0].StripHidden);  // without the system's caption
  // The next non-client paint builds the frame's region again, title strip included.
  SendMessageA(wnd, WM_NCPAINT, 1, 0);
  // Activation leaves that shape alone (changing it is slow) and tells the system to paint no
  // frame of its own.
  seen.clear();
  SendMessageA(wnd, WM_NCACTIVATE, TRUE, 0);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0].Msg, static_cast<UINT>(WM_NCACTIVATE));
  EXPECT_EQ(seen[0].LParam, -1);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(wnd, rgn), ERROR);
  EXPECT_TRUE(PtInRegion(rgn, 100, 5));
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  DeleteObject(rgn);
  EXPECT_TRUE(IsWindowVisible(wnd));
  watched = nullptr;
  fw::Free(form);  // before the hook's record goes
  form = nullptr;
}

// A skin that lacks the form's section leaves the form on the screen in its system frame, with
// its own caption buttons; the next skin with the section shapes it again.
TEST_F(FormSkinWndProc, SkinWithoutTheFormsSectionKeepsTheFormShown) {
  test_skins::AddStoredSkin(*manager->GetInternalSkins(), "Bare", {{"GLOBALINFO", ""}, {"BUTTON", ""}});
  for (const char* section : {"FORM", "DIALOG"}) {
    SCOPED_TRACE(section);
    fw::Free(form);
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(60, 60, 320, 200);
    provider = fw::New<skin::TkSkinProvider>(form);
    provider->GetSkinData()->SetSkinSection(section);
    form->Show();
    manager->SetSkinName("Paint");
    Settle(8);
    HWND wnd = form->GetHandle();
    const bool own = manager->IsValidSkinIndex(provider->GetSkinData()->SkinIndex);
    EXPECT_EQ(own, std::string(section) == "FORM");
    manager->SetSkinName("Bare");
    Settle(8);
    ASSERT_FALSE(manager->IsValidSkinIndex(provider->GetSkinData()->SkinIndex));
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(wnd, rgn), ERROR);  // the whole window rectangle
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_FALSE(form->GetBorderIcons().Empty());
    EXPECT_EQ(SendMessageA(wnd, WM_NCHITTEST, 0, ScreenAt(160, 120)), HTCLIENT);
    // Back to a skin with the section: the skinned frame's shape, corners cut.
    manager->SetSkinName("Paint");
    Settle(8);
    if (own) {
      ASSERT_NE(GetWindowRgn(wnd, rgn), ERROR);
      EXPECT_TRUE(PtInRegion(rgn, 160, 120));
      EXPECT_FALSE(PtInRegion(rgn, 0, 0));
      EXPECT_TRUE(form->GetBorderIcons().Empty());
    } else {
      EXPECT_EQ(GetWindowRgn(wnd, rgn), ERROR);
    }
    DeleteObject(rgn);
    EXPECT_TRUE(IsWindowVisible(wnd));
  }
}

// Under the control skins: "Bare" lacks the DIALOG section, "Captions" has it and caption
// buttons of their own.
class FormCaptionButtons : public control_skin::ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    test_skins::AddStoredSkin(*manager->GetInternalSkins(), "Bare", {{"GLOBALINFO", ""}, {"BUTTON", ""}});
    control_skin::AddCaptionButtons(
        *control_skin::AddControlSkin(*manager->GetInternalSkins(), "Captions", control_skin::kFirst),
        control_skin::kFirst);
  }
  void TearDown() override {
    fw::Free(form);
    ControlSkinTest::TearDown();
  }
  // A shown sizeable DIALOG form made under the active skin.
  void MakeForm() {
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(60, 60, 320, 200);
    provider = fw::New<skin::TkSkinProvider>(form);
    provider->SetSkinSection("DIALOG");
    provider->SetShowAppIcon(false);
    form->Show();
    Settle(8);
  }
  LONG SystemButtonStyles() const {
    return GetWindowLongA(form->GetHandle(), GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  }
  // The window's hit code and screen pixel at a point of the window.
  LRESULT HitAt(int x, int y) const {
    RECT r{};
    GetWindowRect(form->GetHandle(), &r);
    return SendMessageA(form->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
  }
  fw::TColor PixelAt(int x, int y) const { return WindowPixelOf(form->GetHandle(), x, y); }
  // The system's caption with its close, maximize and minimize buttons.
  void ExpectSystemButtons() {
    EXPECT_EQ((fw::TBorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biMaximize}), form->GetBorderIcons());
    EXPECT_EQ(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, SystemButtonStyles());
    RECT r{};
    GetWindowRect(form->GetHandle(), &r);
    EXPECT_EQ(HTCLOSE, HitAt(r.right - r.left - GetSystemMetrics(SM_CXFRAME) - 4,
                             GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2));
  }
  // The skin's close, maximize and minimize buttons, drawn and hit, none of the system's.
  void ExpectSkinnedButtons() {
    EXPECT_TRUE(form->GetBorderIcons().Empty());
    EXPECT_EQ(0, SystemButtonStyles());
    const std::pair<int, int> buttons[] = {{HTCLOSE, 57}, {HTMAXBUTTON, 58}, {HTMINBUTTON, 59}};
    for (auto [code, number] : buttons) {
      SCOPED_TRACE(code);
      const fw::TRect r = provider->Button(code).Rect;
      ASSERT_EQ(control_skin::kCaptionButtonWidth, r.Width());
      const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
      EXPECT_EQ(control_skin::Colour(0, number, control_skin::kNormal), PixelAt(x, y));
      EXPECT_EQ(code, HitAt(x, y));
    }
  }

  fw::TForm* form = nullptr;
  skin::TkSkinProvider* provider = nullptr;
};

// A form first shown under a skin without its section keeps the system's caption buttons; a
// skin with the section brings the skinned ones, and the system's come back with a skin that
// lacks the section again and when the skin goes.
TEST_F(FormCaptionButtons, FollowTheSkinThatHasTheFormsSection) {
  manager->SetSkinName("Bare");
  MakeForm();
  ASSERT_FALSE(manager->IsValidSkinIndex(provider->GetSkinData()->SkinIndex));
  ExpectSystemButtons();
  manager->SetSkinName("Captions");
  Settle(8);
  ExpectSkinnedButtons();
  manager->SetSkinName("Bare");
  Settle(8);
  ExpectSystemButtons();
  manager->SetSkinName("Captions");
  Settle(8);
  ExpectSkinnedButtons();
  manager->SetActive(false);
  Settle(8);
  ExpectSystemButtons();
  manager->SetActive(true);
  Settle(8);
  ExpectSkinnedButtons();
}

TEST_F(FormSkinWndProc, ColourAndProviderLookUp) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  EXPECT_EQ(form->GetColor(), manager->GetGlobalColor());
  // A custom colour stays the form's own when the global colour is switched off.
  provider->GetSkinData()->SetCustomColor(true);
  form->SetColor(0x123456);
  provider->SetUseGlobalColor(false);
  EXPECT_EQ(form->GetColor(), 0x123456);
  provider->GetSkinData()->SetCustomColor(false);
  provider->SetUseGlobalColor(true);
  provider->SetUseGlobalColor(false);
  EXPECT_EQ(form->GetColor(), fw::clBtnFace);
  // The provider behind a control (its parent chain) and behind a menu item (its owner chain).
  auto* child = fw::New<fw::TCustomControl>(form);
  child->SetParent(form);
  auto* item = fw::New<fw::TMenuItem>(form);
  EXPECT_EQ(skin::SendCmdToParentForm(child), reinterpret_cast<LRESULT>(provider));
  EXPECT_EQ(skin::SendCmdToParentForm(item), reinterpret_cast<LRESULT>(provider));
}

TEST_F(FormSkinWndProc, SnapsAndKeepsMinMaxValues) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  provider->SetScreenSnap(true);
  fw::TRect area;
  skin::GetWorkArea(area);
  HWND wnd = form->GetHandle();
  SetWindowPos(wnd, nullptr, area.Right - 320 - 9, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r{};
  GetWindowRect(wnd, &r);
  EXPECT_EQ(r.right, area.Right);
  SetWindowPos(wnd, nullptr, area.Right - 320 - 10, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(wnd, &r);
  EXPECT_EQ(r.right, area.Right - 10);
  form->SetConstraints(fw::TSizeConstraints{0, 0, 700, 0});
  MINMAXINFO info{};
  SendMessageA(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMaxTrackSize.x, 700);
  EXPECT_EQ(info.ptMaxTrackSize.y, area.Height() + 2 * provider->SysBorderWidth());
}

TEST_F(FormSkinWndProc, PaintWhileUpdatingIsValidated) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  int paints = 0;
  fw::TWndMethodProc skinned = form->GetWindowProc();
  form->SetWindowProc([&](fw::TMessage& m) {
    if (m.Msg == WM_PAINT) ++paints;
    skinned(m);
  });
  Cmd(skin::cmdSetUpdating, 0, 1);
  InvalidateRect(form->GetHandle(), nullptr, FALSE);
  const DWORD start = GetTickCount();
  // One message at a time: a paint message that is never validated would come back for ever.
  MSG msg;
  while (GetTickCount() - start < 200)
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_LE(paints, 3);
  form->SetWindowProc(skinned);
  Cmd(skin::cmdSetUpdating, 0, 0);
}

TEST_F(FormSkinWndProc, ScrollBarsForOverflowingContent) {
  fw::Free(form);
  form = fw::New<fw::TForm>(fw::Application);
  form->SetAutoScroll(true);
  form->SetBounds(60, 60, 300, 240);
  auto* content = fw::New<fw::TCustomControl>(form);
  content->SetBounds(10, 10, 200, 600);
  content->SetParent(form);
  provider = fw::New<skin::TkSkinProvider>(form);
  form->Show();
  Settle(8);
  SendMessageA(form->GetHandle(), WM_SIZE, 0, 0);
  ASSERT_NE(provider->GetVertBar(), nullptr);
  EXPECT_EQ(provider->GetHorzBar(), nullptr);
  EXPECT_TRUE(provider->GetVertBar()->GetVisible());
  provider->GetVertBar()->SetPosition(100);
  EXPECT_EQ(content->GetTop(), 10 - 100);
  // The content fits once the form is tall enough: no bar, the content back in its place.
  form->SetBounds(60, 0, 300, 700);
  Settle(8);
  SendMessageA(form->GetHandle(), WM_SIZE, 0, 0);
  EXPECT_EQ(provider->GetVertBar(), nullptr);
  EXPECT_EQ(content->GetTop(), 10);
  // Scrolled forward when the skin goes: the bar is plain by then, the children come back all
  // the same.
  form->SetBounds(60, 60, 300, 240);
  Settle(8);
  SendMessageA(form->GetHandle(), WM_SIZE, 0, 0);
  ASSERT_NE(provider->GetVertBar(), nullptr);
  provider->GetVertBar()->SetPosition(50);
  EXPECT_EQ(content->GetTop(), 10 - 50);
  manager->SetActive(false);
  SendMessageA(form->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), Own());
  EXPECT_EQ(provider->GetVertBar(), nullptr);
  EXPECT_EQ(content->GetTop(), 10);
}

TEST_F(FormSkinWndProc, RightToLeftFormHasItsVerticalBarAtTheLeft) {
  fw::Free(form);
  form = fw::New<fw::TForm>(fw::Application);
  form->SetAutoScroll(true);
  form->SetBiDiMode(fw::bdRightToLeft);
  form->SetBounds(60, 60, 300, 240);
  auto* content = fw::New<fw::TCustomControl>(form);
  content->SetBounds(10, 10, 600, 600);
  content->SetParent(form);
  provider = fw::New<skin::TkSkinProvider>(form);
  form->Show();
  Settle(8);
  SendMessageA(form->GetHandle(), WM_SIZE, 0, 0);
  skin::TkScrollBar* vert = provider->GetVertBar();
  skin::TkScrollBar* horz = provider->GetHorzBar();
  ASSERT_NE(vert, nullptr);
  ASSERT_NE(horz, nullptr);
  const int across = GetSystemMetrics(SM_CXVSCROLL);
  const int clientHeight = form->GetClientHeight(), clientWidth = form->GetClientWidth();
  // One pixel in from the left and the top; the horizontal bar starts past it and runs to the
  // right edge; the grip sits at the bottom left.
  EXPECT_EQ(vert->GetBoundsRect(), fw::TRect(1, 1, across + 1, clientHeight - 1 - horz->GetHeight()));
  EXPECT_EQ(horz->GetLeft(), across);
  EXPECT_EQ(horz->GetLeft() + horz->GetWidth(), clientWidth);
  ASSERT_NE(provider->GetGrip(), nullptr);
  EXPECT_EQ(provider->GetGrip()->GetLeft(), 1);
  EXPECT_EQ(provider->GetGrip()->GetTop(), horz->GetTop());
  // The bars take the form's direction: the horizontal one runs right to left.
  EXPECT_EQ(horz->MirrorFactor(), -1);
}

TEST_F(FormSkinWndProc, BorderFrameArithmetic) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  provider->SetResizeMode(skin::rmBorder);
  form->SetConstraints(fw::TSizeConstraints{200, 150, 0, 0});
  skin::ResizeTracking = skin::TkResizeTracking{};
  skin::ResizeTracking.Moving = false;
  skin::ResizeTracking.Edge = HTLEFT;
  skin::ResizeTracking.FirstMove = true;
  provider->BeginFrameDrag(form->GetLeft(), form->GetTop());
  EXPECT_EQ(skin::ResizeTracking.MinWidth, 200);
  const int right = form->GetLeft() + form->GetWidth();
  provider->TrackFrameTo(fw::TPoint(form->GetLeft(), 100));  // the grab point
  provider->TrackFrameTo(fw::TPoint(form->GetLeft() + 300, 100));
  EXPECT_EQ(skin::ResizeTracking.Frame.Right, right);  // the right edge stays
  EXPECT_EQ(skin::ResizeTracking.Frame.Left, right - 200);
  skin::ResizeTracking.Edge = HTBOTTOM;
  provider->TrackFrameTo(fw::TPoint(form->GetLeft() + 300, 100 - 500));
  EXPECT_EQ(skin::ResizeTracking.Frame.Bottom, form->GetTop() + 150);
  provider->EndFrameDrag();
  EXPECT_FALSE(skin::ResizeTracking.Active);
  EXPECT_EQ(form->GetWidth(), 200);
  EXPECT_EQ(form->GetHeight(), 150);
}

}  // namespace
