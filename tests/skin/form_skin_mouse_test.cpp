// The skinned form's hit test, its caption-button clicks and its own system menu: the items per
// form kind, the skin submenu's columns, skin names with '&', and one separator per popup.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/stdctrls/button.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/alt_space_hand.h"
#include "support/form_skin_fixture.h"

namespace {

using namespace testing_form_skin;

class FormSkinMouse : public FormSkinTest {
 protected:
  // A skinned single-border form with the system menu, in the foreground, whose one plain
  // button has the focus and counts its clicks.
  fw::TButton* FormWithFocusedButton() {
    MakeForm(fw::bsSingle, skin::TkBorderIcons{fw::biSystemMenu});
    auto* button = fw::New<fw::TButton>(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 75, 25);
    button->OnClick = [this](fw::TObject*) { ++clicks; };
    SetForegroundWindow(form->GetHandle());
    button->SetFocus();
    Settle(4);
    return button;
  }

  int clicks = 0;
};

void CALLBACK EndMenuTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

TEST_F(FormSkinMouse, HitTestScenarios) {
  // A dialog answers HTCLOSE only over close; where maximize would be, HTCAPTION.
  MakeForm(fw::bsDialog, skin::TkBorderIcons{fw::biSystemMenu});
  fw::TRect close = provider->Button(HTCLOSE).Rect;
  EXPECT_EQ(HitAt(close), HTCLOSE);
  EXPECT_EQ(HitAt(fw::TRect(close.Left - 10, close.Top, close.Left - 10, close.Bottom)), HTCAPTION);
  EXPECT_EQ(HitAt(fw::TRect(100, 100, 100, 100)), HTCLIENT);
  // bsSingle with minimize and help but no maximize: minimize second, help third.
  MakeForm(fw::bsSingle, skin::TkBorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biHelp});
  close = provider->Button(HTCLOSE).Rect;
  EXPECT_EQ(HitAt(provider->Button(HTMINBUTTON).Rect), HTMINBUTTON);
  EXPECT_EQ(provider->Button(HTMINBUTTON).Rect.Right, close.Left);
  EXPECT_EQ(HitAt(provider->Button(HTHELP).Rect), HTHELP);
  EXPECT_EQ(provider->Button(HTHELP).Rect.Right, provider->Button(HTMINBUTTON).Rect.Left);
  // No icon, no system-menu column: the left end of the band is caption.
  EXPECT_EQ(HitAt(fw::TRect(provider->SysBorderWidth(), close.Top, provider->SysBorderWidth(), close.Bottom)),
            HTCAPTION);
  // A disabled title button is caption; an enabled one answers its code.
  auto* title = static_cast<skin::TkTitleButton*>(provider->GetTitleButtons()->Add());
  provider->RepaintNonClient();
  Settle(8);
  EXPECT_EQ(title->GetName(), "TkTitleButton");
  EXPECT_EQ(title->Data.Rect.Width(), 21);  // no glyph, no TITLEBUTTON image
  EXPECT_EQ(HitAt(title->Data.Rect), skin::HTTITLEBUTTON);
  title->SetEnabled(false);
  EXPECT_EQ(HitAt(title->Data.Rect), HTCAPTION);
  // Help without the system menu is no button: a title button is then the first one.
  title->SetEnabled(true);
  provider->SetBorderIcons(skin::TkBorderIcons{fw::biHelp});
  provider->RepaintNonClient();
  Settle(8);
  EXPECT_EQ(HitAt(title->Data.Rect), skin::HTTITLEBUTTON);
  // A maximized form is transparent in its outer margin.
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu, fw::biMaximize});
  ShowWindow(form->GetHandle(), SW_MAXIMIZE);
  Settle(8);
  RECT r{};
  GetWindowRect(form->GetHandle(), &r);
  EXPECT_EQ(SendMessageA(form->GetHandle(), WM_NCHITTEST, 0, ScreenAt(1, (r.bottom - r.top) / 2)), HTTRANSPARENT);
}

TEST_F(FormSkinMouse, CaptionButtonClicks) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biMaximize});
  HWND wnd = form->GetHandle();
  const fw::TRect max = provider->Button(HTMAXBUTTON).Rect;
  SendMessageA(wnd, WM_NCLBUTTONDOWN, HTMAXBUTTON, ScreenAt(max));
  SendMessageA(wnd, WM_NCLBUTTONUP, HTMAXBUTTON, ScreenAt(max));
  Settle(8);
  EXPECT_TRUE(IsZoomed(wnd));
  EXPECT_EQ(form->GetWindowState(), fw::wsMaximized);
  SendMessageA(wnd, WM_NCLBUTTONDOWN, HTMAXBUTTON, ScreenAt(provider->Button(HTMAXBUTTON).Rect));
  SendMessageA(wnd, WM_NCLBUTTONUP, HTMAXBUTTON, ScreenAt(provider->Button(HTMAXBUTTON).Rect));
  Settle(8);
  EXPECT_FALSE(IsZoomed(wnd));
  // Released away from the pressed button: nothing but the hot state cleared.
  const fw::TRect min = provider->Button(HTMINBUTTON).Rect;
  SendMessageA(wnd, WM_NCLBUTTONDOWN, HTMINBUTTON, ScreenAt(min));
  SendMessageA(wnd, WM_NCLBUTTONUP, HTCAPTION, ScreenAt(100, 5));
  EXPECT_FALSE(IsIconic(wnd));
  // A left button up with Ctrl held carries MK_CONTROL (8) in WParam: no hit code.
  SendMessageA(wnd, WM_NCLBUTTONDOWN, HTMINBUTTON, ScreenAt(min));
  SendMessageA(wnd, WM_LBUTTONUP, MK_CONTROL, ScreenAt(min));
  Settle(8);
  EXPECT_FALSE(IsIconic(wnd));
  // Close.
  const fw::TRect close = provider->Button(HTCLOSE).Rect;
  SendMessageA(wnd, WM_NCLBUTTONDOWN, HTCLOSE, ScreenAt(close));
  SendMessageA(wnd, WM_NCLBUTTONUP, HTCLOSE, ScreenAt(close));
  Settle(8);
  EXPECT_FALSE(form->GetVisible());
}

TEST_F(FormSkinMouse, SystemMenuItemsPerFormKind) {
  auto visible = [&] {
    skin::TkSystemMenu* m = provider->GetSystemMenu();
    m->UpdateItems();
    std::string s;
    for (fw::TMenuItem* i : {m->ItemRestore, m->ItemMove, m->ItemSize, m->ItemMinimize, m->ItemMaximize, m->ItemClose})
      s += i->GetVisible() ? (i->GetEnabled() ? "E" : "d") : "-";
    return s;
  };
  MakeForm(fw::bsDialog, skin::TkBorderIcons{fw::biSystemMenu});
  EXPECT_EQ(visible(), "-E---E");  // Move and Close
  MakeForm(fw::bsSingle, skin::TkBorderIcons{fw::biSystemMenu, fw::biMinimize});
  EXPECT_EQ(visible(), "dEdE-E");
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biMaximize});
  ShowWindow(form->GetHandle(), SW_MAXIMIZE);
  Settle(8);
  EXPECT_EQ(visible(), "EdEEdE");
  EXPECT_EQ(provider->GetSystemMenu()->ItemClose->GetShortCut(), fw::scAlt | VK_F4);
}

TEST_F(FormSkinMouse, TheSystemMenuLeavesTheFormActiveWithItsFocus) {
  // Once the menu is gone the keyboard still reaches the form (Escape, Enter on its button).
  MakeForm(fw::bsSingle, skin::TkBorderIcons{fw::biSystemMenu});
  auto* button = fw::New<fw::TButton>(form);
  button->SetParent(form);
  button->SetBounds(20, 20, 75, 25);
  SetForegroundWindow(form->GetHandle());
  button->SetFocus();
  Settle(4);
  ASSERT_EQ(GetFocus(), button->GetHandle());
  SetTimer(nullptr, 0, 100, EndMenuTick);
  provider->PopupSystemMenu(100, 100);
  Settle(4);
  EXPECT_EQ(GetForegroundWindow(), form->GetHandle());
  EXPECT_EQ(GetActiveWindow(), form->GetHandle());
  EXPECT_EQ(GetFocus(), button->GetHandle());
}

TEST_F(FormSkinMouse, AltSpaceOpensTheSkinnedSystemMenuAndPressesNothing) {
  // The form has no system menu of its own while skinned: the keys open the skinner's.
  fw::TButton* button = FormWithFocusedButton();
  for (auto order : {testing_keys::TAltRelease::AfterSpace, testing_keys::TAltRelease::BeforeSpace}) {
    testing_keys::TAltSpaceHand hand(order);
    ASSERT_TRUE(hand.PumpUntilDone());
    EXPECT_EQ(hand.Menu(), provider->GetSystemMenu()->GetHandle());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(GetFocus(), button->GetHandle());
  }
}

// Alt pressed and let go alone also reaches the form as the window menu's key, without Space:
// it opens no menu and presses nothing, and Alt+Space afterwards still opens the skinner's menu.
TEST_F(FormSkinMouse, AltAloneOpensNoMenuAndAltSpaceStillDoes) {
  fw::TButton* button = FormWithFocusedButton();
  {
    testing_keys::TAltSpaceHand hand(testing_keys::TAltRelease::AltAlone);
    ASSERT_TRUE(hand.PumpUntilDone());
    EXPECT_EQ(hand.Menu(), nullptr);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(GetFocus(), button->GetHandle());
  }
  testing_keys::TAltSpaceHand hand(testing_keys::TAltRelease::AfterSpace);
  ASSERT_TRUE(hand.PumpUntilDone());
  EXPECT_EQ(hand.Menu(), provider->GetSystemMenu()->GetHandle());
  EXPECT_EQ(clicks, 0);
}

TEST_F(FormSkinMouse, SkinSubmenuColumnsNamesAndOneSeparator) {
  for (int i = 1; i < 45; ++i)
    test_skins::AddStoredSkin(*manager->GetInternalSkins(), i == 7 ? "A&B" : "Skin " + std::to_string(100 + i),
                              {{"GLOBALINFO", ""}, {"FORM", ""}});
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  skin::TkSystemMenu* menu = provider->GetSystemMenu();
  // Each popup builds the submenu again; a timer closes the modal menu.
  for (int round = 0; round < 2; ++round) {
    SetTimer(nullptr, 0, 100, EndMenuTick);
    provider->PopupSystemMenu(100, 100);
  }
  fw::TMenuItem* root = menu->GetItems();
  ASSERT_EQ(root->GetItems(0)->GetName(), "SkinSelectItem");
  int separators = 0;
  for (int i = 0; i < root->GetCount(); ++i) separators += root->GetItems(i)->IsLine() ? 1 : 0;
  EXPECT_EQ(separators, 2);  // the submenu's and the one before Close
  fw::TMenuItem* sub = root->GetItems(0);
  ASSERT_EQ(sub->GetCount(), 45);
  for (int i = 0; i < 45; ++i) EXPECT_EQ(sub->GetItems(i)->GetBreak() == fw::mbBreak, i == 20 || i == 40) << i;
  // The item of "A&B" shows "A&&B" and selects "A&B".
  fw::TMenuItem* ab = nullptr;
  for (int i = 0; i < 45; ++i)
    if (sub->GetItems(i)->GetCaption() == "A&&B") ab = sub->GetItems(i);
  ASSERT_NE(ab, nullptr);
  ab->Click();
  EXPECT_EQ(manager->GetSkinName(), "A&B");
}

}  // namespace
