// Skinned menus: how popup items are measured (dividers, caption items, the height rule, column
// breaks and the extra line), the popup background and the protocol that skins the popup
// window (built once per popup, one request queued at a time, a freed item behind a request,
// a check mask without frames, the window forgotten when destroyed), which events hooking
// touches, and real popups and a real menu bar on the screen, also across a skin change.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/forms/application.h"
#include "framework/forms/screen.h"
#include "framework/menus/main_menu.h"
#include "framework/menus/popup_menu.h"
#include "framework/sys/owned_handle.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skinable_menus.h"
#include "skin/engine/stored_skins.h"
#include "support/control_skin.h"
#include "support/form_skin_fixture.h"

namespace {

using namespace testing_form_skin;
using testing_paint::AddImage;
using testing_paint::CountColour;
using testing_paint::SectionOf;

constexpr fw::TColor kCheck = 0x10E010, kIcoLine = 0xC08040;

class SkinMenus : public FormSkinTest {
 protected:
  void SetUp() override {
    FormSkinTest::SetUp();
    savedFont.Assign(fw::Screen->GetMenuFont());
  }
  void TearDown() override {
    DrainRequests();
    skin::ClearMenuCache();
    fw::Screen->GetMenuFont()->Assign(&savedFont);
    for (fw::TMenu* m : menus) fw::Free(m);
    FormSkinTest::TearDown();
  }

  skin::TkSkinableMenus* Menus() const { return manager->GetSkinableMenus(); }

  // A popup menu of items by caption ("|" before a caption: the item starts a new column).
  fw::TPopupMenu* MakePopup(const std::vector<std::string>& captions) {
    auto* menu = fw::New<fw::TPopupMenu>(nullptr);
    menus.push_back(menu);
    for (const std::string& c : captions) {
      auto* item = fw::New<fw::TMenuItem>(menu);
      const bool breaks = !c.empty() && c[0] == '|';
      item->SetCaption(breaks ? c.substr(1) : c);
      if (breaks) item->SetBreak(fw::mbBreak);
      menu->GetItems()->Add(item);
    }
    return menu;
  }
  static fw::TMenuItem* Item(fw::TPopupMenu* menu, int i) { return menu->GetItems()->GetItems(i); }

  fw::TSize Measure(fw::TMenuItem* item) {
    fw::TWindowDC dc;
    fw::TCanvas canvas;
    canvas.SetHandle(dc.Get());
    int w = 0, h = 0;
    Menus()->MeasureMenuItem(item, &canvas, w, h);
    canvas.SetHandle(nullptr);
    return fw::TSize{w, h};
  }
  // Draws the item onto a canary bitmap of the item's measured size (or width), as the popup would.
  std::unique_ptr<fw::TBitmap> Draw(fw::TMenuItem* item, fw::TOwnerDrawState state = {}, int width = 0) {
    fw::TSize size = Measure(item);
    if (width) size.cx = width;
    auto bmp = testing_paint::Filled(size.cx, size.cy);
    Menus()->DrawMenuItem(item, bmp->GetCanvas(), fw::TRect(0, 0, size.cx, size.cy), state);
    return bmp;
  }
  // Takes the queued popup requests off the application window's queue; their number.
  static int DrainRequests() {
    int n = 0;
    MSG msg;
    while (PeekMessageA(&msg, fw::Application->GetHandle(), skin::SM_SKINMENU, skin::SM_SKINMENUWND, PM_REMOVE)) ++n;
    return n;
  }
  // What a menu skin of LoadMenuSkin holds.
  struct TMenuSkin {
    bool MainMenu = true;
    bool MainMenuMask = true;
    bool CutCorners = false;  // $FF00FF corner pixels in the MAINMENU frame
    bool MenuItem = true;
    bool IcoLine = false;
    int CheckFrames = 2;
  };
  void LoadMenuSkin(const TMenuSkin& menuSkin) {
    test_skins::Picture master(36, 24, test_skins::kFuchsia);
    master.Fill(0, 0, 36, 12, kMainMenu);
    if (menuSkin.CutCorners) {
      const test_skins::Picture frame = test_skins::MaskPicture({kMainMenu, kMainMenu, kMainMenu}, 12, 12, false);
      for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 36; ++x) master.Set(x, y, frame.At(x, y));
    }
    master.Fill(0, 12, 24, 12, kCheck);
    std::vector<std::pair<std::string, std::string>> sections{{"GLOBALINFO", ""}};
    if (menuSkin.MainMenu) sections.emplace_back("MAINMENU", "");
    if (menuSkin.MenuItem) sections.emplace_back("MENUITEM", "");
    if (menuSkin.IcoLine) sections.emplace_back("ICOLINE", "");
    LoadSkin(master, sections, [&](skin::TkStoredSkin& s) {
      if (menuSkin.MainMenu && menuSkin.MainMenuMask)
        AddImage(s, "MAINMENU", "BORDERSMASK", fw::TRect(0, 0, 36, 12), 0, 0, 4, 3);
      AddImage(s, "GLOBALINFO", "CHECK", fw::TRect(0, 12, 24, 24), 0, 0, 0, std::max(menuSkin.CheckFrames, 1));
      if (menuSkin.MainMenu) SectionOf(s, "MAINMENU")->SetColor(kMainMenu);
      if (menuSkin.MenuItem) {
        SectionOf(s, "MENUITEM")->SetColor(kMenuItem);
        SectionOf(s, "MENUITEM")->SetHotColor(kMenuItemHot);
      }
      if (menuSkin.IcoLine) SectionOf(s, "ICOLINE")->SetColor(kIcoLine);
    });
    manager->SetIsDefault(true);
    manager->GetMenuSupport()->SetIcoLineSkin("ICOLINE");
    // The loader reads a count of 0 as the default; a damaged table can still hold one.
    auto& masks = const_cast<skin::TkMaskArray&>(manager->GetMasks());
    masks[manager->GetMaskIndexBySection("GLOBALINFO", "CHECK")].ImageCount = static_cast<short>(menuSkin.CheckFrames);
  }
  // A plain 80 x 40 popup window: a stand-in for a menu window whose procedure and region can be read.
  static HWND MakeWindow() {
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 80, 40, nullptr, nullptr, nullptr, nullptr);
  }

  std::vector<fw::TMenu*> menus;
  fw::TFont savedFont;
};

// --- measuring ---

TEST_F(SkinMenus, DividersAndCaptionItems) {
  fw::TPopupMenu* menu = MakePopup({"Open", "-", "-Word-"});
  // The glyph column (16 twice), three margins and the spacing; 2 pixels high.
  EXPECT_EQ(Measure(Item(menu, 1)).cx, 2 * 16 + 3 * 3 + 6);
  EXPECT_EQ(Measure(Item(menu, 1)).cy, 2);
  // A caption item is measured with one more hyphen each side.
  fw::TWindowDC dc;
  fw::TCanvas canvas;
  canvas.SetHandle(dc.Get());
  canvas.SetFont(fw::Screen->GetMenuFont());
  const int text = canvas.TextWidth("--Word--");
  canvas.SetHandle(nullptr);
  EXPECT_EQ(Measure(Item(menu, 2)).cx, 2 * 16 + text + 3 * 3 + 6);
  // Nothing is painted for it and OnDrawItem hears nothing of it; a normal item is told.
  std::vector<skin::TkMenuItemType> told;
  Menus()->OnDrawItem = [&](fw::TObject*, fw::TCanvas*, fw::TRect, fw::TOwnerDrawState, skin::TkMenuItemType t) {
    told.push_back(t);
  };
  auto caption = Draw(Item(menu, 2));
  EXPECT_TRUE(testing_paint::CanaryOutside(*caption, fw::TRect()));
  EXPECT_TRUE(told.empty());
  Draw(Item(menu, 0));
  EXPECT_EQ(told, (std::vector<skin::TkMenuItemType>{skin::smNormal}));
  Menus()->OnDrawItem = nullptr;
}

TEST_F(SkinMenus, HeightIsAQuarterMoreThanTheTextHalvesToEven) {
  fw::TPopupMenu* menu = MakePopup({"-Title-", "Open"});
  // A menu font whose "W" is 2 mod 8 pixels high: 1.25 times it ends in a half.
  fw::TWindowDC dc;
  fw::TCanvas canvas;
  canvas.SetHandle(dc.Get());
  int textHeight = 0;
  for (int h = 8; h < 60 && textHeight % 8 != 2; ++h) {
    fw::Screen->GetMenuFont()->SetHeight(-h);
    canvas.SetFont(fw::Screen->GetMenuFont());
    textHeight = canvas.TextHeight("W");
  }
  canvas.SetHandle(nullptr);
  ASSERT_EQ(textHeight % 8, 2);
  const int quarterMore = static_cast<int>(std::nearbyint(textHeight * 1.25));
  EXPECT_EQ(quarterMore % 2, 0);
  EXPECT_EQ(Measure(Item(menu, 0)).cy, quarterMore + 2 * 3);
  // A normal item is at least as high as its 16-pixel glyph column.
  EXPECT_EQ(Measure(Item(menu, 1)).cy, std::max(quarterMore, 16) + 2 * 3);
}

TEST_F(SkinMenus, ColumnBreaksAndTheExtraLine) {
  manager->GetMenuSupport()->SetUseExtraLine(true);
  fw::TPopupMenu* menu = MakePopup({"One", "Two", "|Three", "Four", "|Five"});
  const fw::TSize one = Measure(Item(menu, 0));
  const fw::TSize two = Measure(Item(menu, 1)), three = Measure(Item(menu, 2)), four = Measure(Item(menu, 3)),
                  five = Measure(Item(menu, 4));
  manager->GetMenuSupport()->SetUseExtraLine(false);
  skin::ClearMenuCache();
  const fw::TSize plainOne = Measure(Item(menu, 0)), plainThree = Measure(Item(menu, 2));
  // Only the items before the first break stand beside the extra line.
  EXPECT_EQ(one.cx, plainOne.cx + 32);
  EXPECT_EQ(three.cx, plainThree.cx);
  // Three columns: the widest item of each plus 12, 4 per break, the tallest column, and the
  // border round it all.
  manager->GetMenuSupport()->SetUseExtraLine(true);
  skin::ClearMenuCache();
  const fw::TSize estimate = Menus()->PopupSizeEstimate(Item(menu, 3));
  EXPECT_EQ(estimate.cx, std::max(one.cx, two.cx) + 12 + std::max(three.cx, four.cx) + 12 + five.cx + 12 + 2 * 4 + 6);
  EXPECT_EQ(estimate.cy, std::max({one.cy + two.cy, three.cy + four.cy, five.cy}) + 6);
}

TEST_F(SkinMenus, ExtraLineDataAndTheSkinSelectionMenu) {
  manager->GetMenuSupport()->SetUseExtraLine(true);
  int asked = 0;
  std::string caption = "";
  manager->OnGetMenuExtraLineData = [&](fw::TObject*, std::string&, std::string& c, fw::TBitmap*&, bool&) {
    ++asked;
    c = caption;
  };
  // The skin selection sub-menu of the system menu never shows the line and never asks.
  fw::TPopupMenu* skins = MakePopup({"Neutral", "Slate"});
  Item(skins, 0)->SetName("SkinSelectItem");
  const int width = Measure(Item(skins, 1)).cx;
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(Menus()->ExtraLineWidth(false), 0);
  manager->GetMenuSupport()->SetUseExtraLine(false);
  EXPECT_EQ(Measure(Item(skins, 1)).cx, width);  // no extra width
  manager->GetMenuSupport()->SetUseExtraLine(true);
  // Another popup asks once, by its first item.
  fw::TPopupMenu* menu = MakePopup({"Open", "Save"});
  Measure(Item(menu, 0));
  Measure(Item(menu, 1));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Menus()->ExtraLineWidth(false), 32);
  // Its background carries the extra line: plain without a caption, with text over it when
  // nobody answers (the default caption).
  Menus()->PrepareMenuBackground(Item(menu, 0), 120, 200, nullptr);
  const int frame = Menus()->GetSkinBorderWidth();  // 0: this MAINMENU has no border mask
  const fw::TRect line(frame, frame, frame + 32, 200 - frame);
  ASSERT_NE(skin::MenuBackground(), nullptr);
  EXPECT_EQ(CountColour(*skin::MenuBackground(), line, kExtraLine), line.Width() * line.Height());
  skin::ClearMenuCache();
  manager->OnGetMenuExtraLineData = nullptr;
  Menus()->PrepareMenuBackground(Item(menu, 0), 120, 200, nullptr);
  const int plain = CountColour(*skin::MenuBackground(), line, kExtraLine);
  EXPECT_LT(plain, line.Width() * line.Height() - 50);  // the default caption's letters
  EXPECT_GT(plain, 0);
}

TEST_F(SkinMenus, SkinBorderWidthFollowsTheMainMenuMask) {
  // Before any skin.
  auto* bare = fw::New<skin::TkSkinManager>(nullptr);
  EXPECT_EQ(bare->GetSkinableMenus()->GetSkinBorderWidth(), 0);
  bare->Free();
  // A MAINMENU border of width 0 counts as 3; a skin without one gives 0.
  LoadMenuSkin({});
  EXPECT_EQ(Menus()->GetSkinBorderWidth(), 3);
  LoadMenuSkin({.MainMenuMask = false});
  EXPECT_EQ(Menus()->GetSkinBorderWidth(), 0);
}

// --- the popup background and its window ---

TEST_F(SkinMenus, BackgroundOncePerPopupAndOneRequestQueued) {
  DrainRequests();
  fw::TPopupMenu* first = MakePopup({"Open", "-", "Save", "Close"});
  fw::TPopupMenu* second = MakePopup({"Cut", "Copy"});
  const int before = skin::MenuBackgroundBuilds();
  for (int i = 0; i < 4; ++i) Draw(Item(first, i));
  EXPECT_EQ(skin::MenuBackgroundBuilds(), before + 1);
  // Drawn without a window: one request to find it, however many items were drawn.
  EXPECT_EQ(DrainRequests(), 1);
  // The background holds the MAINMENU frame.
  ASSERT_NE(skin::MenuBackground(), nullptr);
  EXPECT_EQ(test_skins::PixelOf(*skin::MenuBackground(), 1, 10), kMainMenu);
  Draw(Item(second, 0));
  Draw(Item(second, 1));
  EXPECT_EQ(skin::MenuBackgroundBuilds(), before + 2);
  // A normal item shows MENUITEM, hot while selected.
  auto normal = Draw(Item(second, 0));
  auto hot = Draw(Item(second, 0), fw::TOwnerDrawState{fw::odSelected});
  EXPECT_EQ(test_skins::PixelOf(*normal, normal->GetWidth() - 4, 3), kMenuItem);
  EXPECT_EQ(test_skins::PixelOf(*hot, hot->GetWidth() - 4, 3), kMenuItemHot);
  EXPECT_EQ(DrainRequests(), 1);
}

TEST_F(SkinMenus, FreedItemBehindAQueuedRequest) {
  DrainRequests();
  fw::TPopupMenu* menu = MakePopup({"Open", "Save"});
  Draw(Item(menu, 1));
  ASSERT_NE(skin::MenuBackground(), nullptr);
  // The popup goes away (a closed form, dynamic items) before the request is handled.
  menus.clear();
  menu->Free();
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, fw::Application->GetHandle(), skin::SM_SKINMENU, skin::SM_SKINMENU, PM_REMOVE));
  fw::TMessage m{msg.message, msg.wParam, msg.lParam, 0};
  EXPECT_TRUE(manager->MainWindowHook(m));  // handled, nothing done
  // Without a background the request is left to others.
  skin::ClearMenuCache();
  EXPECT_FALSE(manager->MainWindowHook(m));
}

TEST_F(SkinMenus, CheckMarks) {
  LoadMenuSkin({});
  fw::TPopupMenu* menu = MakePopup({"Wrap"});
  auto checked = Draw(Item(menu, 0), fw::TOwnerDrawState{fw::odChecked});
  EXPECT_GT(CountColour(*checked, fw::TRect(0, 0, 20, checked->GetHeight()), kCheck), 0);
  // A check mask without frames is no mark (and divides nothing by zero).
  LoadMenuSkin({.CheckFrames = 0});
  menu = MakePopup({"Wrap"});
  auto unmarked = Draw(Item(menu, 0), fw::TOwnerDrawState{fw::odChecked});
  EXPECT_EQ(CountColour(*unmarked, fw::TRect(0, 0, 20, unmarked->GetHeight()), kCheck), 0);
  EXPECT_EQ(test_skins::PixelOf(*unmarked, 4, unmarked->GetHeight() / 2), kMenuItem);
}

TEST_F(SkinMenus, DestroyedPopupWindowIsForgotten) {
  fw::TPopupMenu* menu = MakePopup({"Open"});
  Draw(Item(menu, 0));
  ASSERT_NE(skin::MenuBackground(), nullptr);
  HWND wnd = MakeWindow();
  const LONG_PTR own = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
  fw::TMessage skinIt{skin::SM_SKINMENUWND, 0, reinterpret_cast<LPARAM>(wnd), 0};
  EXPECT_TRUE(manager->MainWindowHook(skinIt));
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&skin::MenuWindowProc));
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_USERDATA), own);
  // The system paints neither frame nor background; the rest reaches the old procedure.
  EXPECT_EQ(SendMessageA(wnd, WM_ERASEBKGND, 0, 0), 1);
  SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kept"));
  char text[8] = {};
  GetWindowTextA(wnd, text, sizeof text);
  EXPECT_STREQ(text, "kept");
  // Twice is once.
  EXPECT_TRUE(manager->MainWindowHook(skinIt));
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_USERDATA), own);
  DestroyWindow(wnd);
  EXPECT_EQ(skin::MenuBackground(), nullptr);
  // The next popup gets fresh extra-line data: it is asked again.
  int asked = 0;
  manager->OnGetMenuExtraLineData = [&](fw::TObject*, std::string&, std::string&, fw::TBitmap*&, bool&) { ++asked; };
  Measure(Item(menu, 0));
  EXPECT_EQ(asked, 1);
}

// Each channel as the painter mixes a disabled item into what lies behind it.
fw::TColor Mixed(fw::TColor item, fw::TColor behind, double itemShare) {
  fw::TColor c = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = (item >> shift) & 0xFF, b = (behind >> shift) & 0xFF;
    c |= static_cast<int>(std::lround(b - (b - d) * itemShare)) << shift;
  }
  return c;
}

TEST_F(SkinMenus, BackgroundFrameIconLineAndCutCorners) {
  LoadMenuSkin({.CutCorners = true, .IcoLine = true});
  fw::TPopupMenu* menu = MakePopup({"Open", "Save"});
  HWND wnd = MakeWindow();
  Menus()->PrepareMenuBackground(Item(menu, 0), 80, 40, wnd);
  ASSERT_NE(skin::MenuBackground(), nullptr);
  const fw::TBitmap& bg = *skin::MenuBackground();
  // The MAINMENU frame, and beside it the glyph column: margin, 16-pixel glyph, spacing.
  EXPECT_EQ(test_skins::PixelOf(bg, 1, 20), kMainMenu);
  EXPECT_EQ(test_skins::PixelOf(bg, 3, 20), kIcoLine);
  EXPECT_EQ(test_skins::PixelOf(bg, 3 + 24, 20), kIcoLine);
  EXPECT_EQ(test_skins::PixelOf(bg, 3 + 25, 20), kMainMenu);
  // The frame's transparent corner pixels are cut out of the skinned window.
  EXPECT_FALSE(Menus()->GetCornerRects().empty());
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&skin::MenuWindowProc));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(wnd, rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_FALSE(PtInRegion(rgn, 79, 39));
  EXPECT_TRUE(PtInRegion(rgn, 40, 20));
  DeleteObject(rgn);
  DestroyWindow(wnd);
}

TEST_F(SkinMenus, SkinsWithoutMainMenuOrMenuItem) {
  // No MAINMENU: the background is made but left unpainted, no window is skinned by it, and
  // the items still show MENUITEM.
  LoadMenuSkin({.MainMenu = false});
  fw::TPopupMenu* menu = MakePopup({"Open", "Save"});
  HWND wnd = MakeWindow();
  const LONG_PTR own = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
  Menus()->PrepareMenuBackground(Item(menu, 0), 80, 40, wnd);
  ASSERT_NE(skin::MenuBackground(), nullptr);
  EXPECT_EQ(skin::MenuBackground()->GetWidth(), 80);
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC), own);
  DestroyWindow(wnd);
  auto item = Draw(Item(menu, 1));
  EXPECT_EQ(test_skins::PixelOf(*item, item->GetWidth() - 3, 2), kMenuItem);
  // No MENUITEM: the text is written over an unpainted item.
  LoadMenuSkin({.MenuItem = false});
  menu = MakePopup({"Open"});
  auto bare = Draw(Item(menu, 0));
  EXPECT_NE(test_skins::PixelOf(*bare, bare->GetWidth() - 3, 2), testing_paint::kCanary);
  EXPECT_NE(test_skins::PixelOf(*bare, bare->GetWidth() - 3, 2), kMenuItem);
}

TEST_F(SkinMenus, PopupItemLooks) {
  fw::TPopupMenu* menu = MakePopup({"Go", "\x08Go", "Gone"});
  // A caption starting with character 8 is written at the right end of the item.
  auto left = Draw(Item(menu, 0), {}, 200), right = Draw(Item(menu, 1), {}, 200);
  const int half = left->GetWidth() / 2;
  const auto ink = [](const fw::TBitmap& b, int from, int to) {
    return (to - from) * b.GetHeight() - CountColour(b, fw::TRect(from, 0, to, b.GetHeight()), kMenuItem);
  };
  EXPECT_GT(ink(*left, 0, half), 0);
  EXPECT_EQ(ink(*left, half, left->GetWidth()), 0);
  EXPECT_EQ(ink(*right, 0, half), 0);
  EXPECT_GT(ink(*right, half, right->GetWidth()), 0);
  // The shortcut ends 8 pixels before the item's right edge, whole.
  Item(menu, 2)->SetShortCut(fw::scCtrl | 'Q');
  fw::TWindowDC dc;
  fw::TCanvas canvas;
  canvas.SetHandle(dc.Get());
  canvas.SetFont(fw::Screen->GetMenuFont());
  const int keys = canvas.TextWidth("Ctrl+Q");
  canvas.SetHandle(nullptr);
  ASSERT_GT(keys, 24);
  auto withKeys = Draw(Item(menu, 2), {}, 200);
  EXPECT_GT(ink(*withKeys, 200 - 8 - keys, 200 - 8 - keys + 6), 0);
  EXPECT_EQ(ink(*withKeys, 200 - 7, 200), 0);
  // A disabled item shows 40 percent of itself over the popup's background (the popup shown
  // anew: its items changed).
  skin::ClearMenuCache();
  Item(menu, 2)->SetEnabled(false);
  auto disabled = Draw(Item(menu, 2));
  EXPECT_EQ(test_skins::PixelOf(*disabled, disabled->GetWidth() - 3, 2), Mixed(kMenuItem, kMainMenu, 0.4));
  // An item's own bitmap stands in the glyph column, centred by the item's height.
  fw::TBitmap glyph;
  glyph.SetSize(10, 10);
  glyph.GetCanvas()->GetBrush()->SetColor(0x0000C0);
  glyph.GetCanvas()->FillRect(fw::TRect(0, 0, 10, 10));
  Item(menu, 0)->SetBitmap(&glyph);
  auto withGlyph = Draw(Item(menu, 0));
  const int at = (withGlyph->GetHeight() - 10) / 2;
  EXPECT_EQ(test_skins::PixelOf(*withGlyph, at + 5, at + 5), 0x0000C0);
}

// --- hooking ---

TEST_F(SkinMenus, HookingLeavesTheApplicationsOwnHandlers) {
  fw::TPopupMenu* menu = MakePopup({"Own", "Plain"});
  auto* sub = fw::New<fw::TMenuItem>(menu);
  sub->SetCaption("Deep");
  Item(menu, 1)->Add(sub);
  std::vector<std::string> drawn;
  Item(menu, 0)->OnAdvancedDrawItem = [&](fw::TObject*, fw::TCanvas*, fw::TRect, fw::TOwnerDrawState) {
    drawn.push_back("own");
  };
  Menus()->HookPopupMenu(menu, true);
  EXPECT_TRUE(menu->GetOwnerDraw());
  EXPECT_TRUE(menu->GetMenuAnimation().Contains(fw::maNone));
  EXPECT_TRUE(Item(menu, 1)->OnAdvancedDrawItem && Item(menu, 1)->OnMeasureItem && sub->OnAdvancedDrawItem);
  EXPECT_TRUE(Item(menu, 0)->OnMeasureItem);
  fw::TCanvas canvas;
  Item(menu, 0)->OnAdvancedDrawItem(Item(menu, 0), &canvas, fw::TRect(), {});
  EXPECT_EQ(drawn, (std::vector<std::string>{"own"}));
  Menus()->HookPopupMenu(menu, false);
  EXPECT_FALSE(menu->GetOwnerDraw());
  EXPECT_FALSE(menu->GetMenuAnimation().Contains(fw::maNone));
  EXPECT_FALSE(Item(menu, 1)->OnAdvancedDrawItem || Item(menu, 1)->OnMeasureItem || sub->OnAdvancedDrawItem);
  EXPECT_FALSE(Item(menu, 0)->OnMeasureItem);
  ASSERT_TRUE(Item(menu, 0)->OnAdvancedDrawItem);
  Item(menu, 0)->OnAdvancedDrawItem(Item(menu, 0), &canvas, fw::TRect(), {});
  EXPECT_EQ(drawn.size(), 2u);
}

TEST_F(SkinMenus, HookMenuLineTakesOneItem) {
  auto* bar = fw::New<fw::TMainMenu>(nullptr);
  menus.push_back(bar);
  auto* top = fw::New<fw::TMenuItem>(bar);
  top->SetCaption("Window");
  auto* own = fw::New<fw::TMenuItem>(bar);
  own->SetCaption("Tile");
  int measured = 0;
  own->OnMeasureItem = [&](fw::TObject*, fw::TCanvas*, int&, int&) { ++measured; };
  top->Add(own);
  bar->GetItems()->Add(top);
  // A bar item takes the bar painters whatever it had; an item below keeps its own handler.
  top->OnMeasureItem = [&](fw::TObject*, fw::TCanvas*, int&, int&) { ++measured; };
  Menus()->HookMenuLine(top, true);
  Menus()->HookMenuLine(own, true);
  EXPECT_TRUE(bar->GetOwnerDraw());
  int w = 0, h = 0;
  fw::TWindowDC dc;
  fw::TCanvas canvas;
  canvas.SetHandle(dc.Get());
  top->OnMeasureItem(top, &canvas, w, h);
  EXPECT_EQ(h, GetSystemMetrics(SM_CYMENU) - 1);  // the bar painter's height
  own->OnMeasureItem(own, &canvas, w, h);
  canvas.SetHandle(nullptr);
  EXPECT_EQ(measured, 1);
  EXPECT_TRUE(own->OnAdvancedDrawItem);
  Menus()->HookMenuLine(own, false);
  EXPECT_FALSE(own->OnAdvancedDrawItem);
  EXPECT_TRUE(own->OnMeasureItem);
  EXPECT_FALSE(bar->GetOwnerDraw());
}

TEST_F(SkinMenus, FormMenusFollowTheSkinAndSkinnedPopups) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  auto* bar = fw::New<fw::TMainMenu>(form);
  auto* file = fw::New<fw::TMenuItem>(form);
  file->SetCaption("File");
  auto* open = fw::New<fw::TMenuItem>(form);
  open->SetCaption("Open");
  file->Add(open);
  bar->GetItems()->Add(file);
  form->SetMenu(bar);
  auto* context = fw::New<fw::TPopupMenu>(form);
  auto* copy = fw::New<fw::TMenuItem>(form);
  copy->SetCaption("Copy");
  context->GetItems()->Add(copy);
  provider->SkinFormMenus(true);
  EXPECT_TRUE(bar->GetOwnerDraw() && file->OnAdvancedDrawItem && file->OnMeasureItem && open->OnAdvancedDrawItem);
  EXPECT_TRUE(context->GetOwnerDraw() && copy->OnAdvancedDrawItem);
  // Without skinned popups the form's popup menus are the system's; the bar stays skinned.
  manager->SetSkinnedPopups(false);
  provider->SkinFormMenus(true);
  EXPECT_FALSE(context->GetOwnerDraw() || copy->OnAdvancedDrawItem);
  EXPECT_TRUE(file->OnAdvancedDrawItem && open->OnAdvancedDrawItem);
  manager->SetSkinnedPopups(true);
  // The skin removed: everything the painter hooked is let go.
  manager->SetActive(false);
  EXPECT_FALSE(bar->GetOwnerDraw() || file->OnAdvancedDrawItem || open->OnAdvancedDrawItem || copy->OnAdvancedDrawItem);
  form->SetMenu(nullptr);
}

// --- on the screen ---

// Shows the popup at (x, y); every 60 ms until it returns true, step(popup window) runs inside
// the menu loop; the menu is ended afterwards (or after two seconds).
std::function<bool(HWND)>* popupStep = nullptr;
int popupTicks = 0;

void CALLBACK PopupTick(HWND, UINT, UINT_PTR, DWORD) {
  HWND wnd = FindWindowA("#32768", nullptr);
  if (++popupTicks > 33 || (wnd && IsWindowVisible(wnd) && (*popupStep)(wnd))) EndMenu();
}

void RunPopup(const std::function<void()>& show, std::function<bool(HWND)> step) {
  popupStep = &step;
  popupTicks = 0;
  const UINT_PTR timer = SetTimer(fw::PopupListWindow(), 0x5E1, 60, PopupTick);
  show();
  KillTimer(fw::PopupListWindow(), timer);
  popupStep = nullptr;
}

TEST_F(SkinMenus, RealPopupIsSkinnedAndShowsTheHotItem) {
  fw::TPopupMenu* menu = MakePopup({"Open", "Save", "-", "Close"});
  Menus()->HookPopupMenu(menu, true);
  LONG_PTR proc = 0;
  fw::TColor hot = 0;
  int step = 0;
  RunPopup([menu] { menu->Popup(200, 200); }, [&](HWND wnd) {
    if (step == 0) {
      proc = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
      PostMessageA(wnd, WM_KEYDOWN, VK_DOWN, 0);  // the first item becomes hot
    } else if (step == 3) {
      RECT r{};
      GetMenuItemRect(nullptr, menu->GetHandle(), 0, &r);
      HDC screen = GetDC(nullptr);
      hot = static_cast<fw::TColor>(GetPixel(screen, r.right - 6, (r.top + r.bottom) / 2));
      ReleaseDC(nullptr, screen);
      return true;
    }
    ++step;
    return false;
  });
  EXPECT_EQ(proc, reinterpret_cast<LONG_PTR>(&skin::MenuWindowProc));
  EXPECT_EQ(hot, kMenuItemHot);
  Settle(4);
  EXPECT_EQ(skin::MenuBackground(), nullptr);  // the popup window is gone, and the popup forgotten
}

TEST_F(SkinMenus, WithoutNTThePopupIsSkinnedThroughTheMainWindowHook) {
  skin::testing::SetIsNT(false);
  fw::TPopupMenu* menu = MakePopup({"Open", "Save"});
  Menus()->HookPopupMenu(menu, true);
  LONG_PTR proc = 0;
  RunPopup([menu] { menu->Popup(220, 220); }, [&](HWND wnd) {
    proc = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
    return proc == reinterpret_cast<LONG_PTR>(&skin::MenuWindowProc);
  });
  EXPECT_EQ(proc, reinterpret_cast<LONG_PTR>(&skin::MenuWindowProc));
}

TEST_F(SkinMenus, SystemMenuWhileSkinnedPopupsHold) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  std::vector<LONG_PTR> procs;
  const auto show = [this] { provider->PopupSystemMenu(150, 150); };
  const auto note = [&](HWND wnd) {
    procs.push_back(GetWindowLongPtrA(wnd, GWLP_WNDPROC));
    return true;
  };
  RunPopup(show, note);
  EXPECT_TRUE(provider->GetSystemMenu()->GetOwnerDraw());
  manager->SetSkinnedPopups(false);
  RunPopup(show, note);
  EXPECT_FALSE(provider->GetSystemMenu()->GetOwnerDraw());
  ASSERT_EQ(procs.size(), 2u);
  EXPECT_EQ(procs[0], reinterpret_cast<LONG_PTR>(&skin::MenuWindowProc));
  EXPECT_NE(procs[1], reinterpret_cast<LONG_PTR>(&skin::MenuWindowProc));
}

TEST_F(SkinMenus, MenuBarItemsDrawnIntoTheProvidersCache) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  auto* bar = fw::New<fw::TMainMenu>(form);
  for (const char* caption : {"File", "Edit", "Help"}) {
    auto* item = fw::New<fw::TMenuItem>(form);
    item->SetCaption(caption);
    bar->GetItems()->Add(item);
  }
  bar->GetItems()->GetItems(2)->SetEnabled(false);
  form->SetMenu(bar);
  provider->SkinFormMenus(true);
  provider->RefreshMainMenu();
  provider->RepaintNonClient();
  Settle(8);
  ASSERT_TRUE(bar->GetOwnerDraw());
  RECT r{};
  ASSERT_TRUE(GetMenuItemRect(form->GetHandle(), bar->GetHandle(), 1, &r));
  RECT wr{};
  GetWindowRect(form->GetHandle(), &wr);
  const int x = r.right - wr.left - 2, y = (r.top + r.bottom) / 2 - wr.top;
  // The item over the menu line, in the cache and on the screen.
  EXPECT_EQ(test_skins::PixelOf(*provider->GetSkinData()->CacheBmp, x, y), kMenuItem);
  EXPECT_EQ(WindowPixel(x, y), kMenuItem);
  // A disabled item is 102/255 of itself over the menu line.
  ASSERT_TRUE(GetMenuItemRect(form->GetHandle(), bar->GetHandle(), 2, &r));
  fw::TColor mixed = 0;
  for (int shift = 0; shift < 24; shift += 8)
    mixed |= ((((kMenuLine >> shift) & 0xFF) * (255 - 102) + ((kMenuItem >> shift) & 0xFF) * 102 + 127) >> 8) << shift;
  EXPECT_EQ(WindowPixel(r.right - wr.left - 2, y), mixed);
  // Right of the last item the menu line shows.
  EXPECT_EQ(WindowPixel(318 - provider->SysBorderWidth(), y), kMenuLine);
  form->SetMenu(nullptr);
}

// Two skins whose popup frame (MAINMENU) and items (MENUITEM) have known colours, each its own:
// the popup drawn after a change of skin shows the new one, also when the popup was open.
class SkinMenusTwoSkins : public SkinMenus {
 protected:
  static fw::TColor FrameOf(int skin) { return control_skin::Colour(skin, 31, 0); }
  static fw::TColor ItemOf(int skin) { return control_skin::Colour(skin, 32, 0); }
  static std::string NameOf(int skin) { return skin ? "Menus2" : "Menus1"; }

  void SetUp() override {
    SkinMenus::SetUp();
    manager->Free();
    manager = fw::New<skin::TkSkinManager>(nullptr);
    for (int k : {0, 1}) {
      test_skins::Picture master(36, 12, FrameOf(k));
      skin::TkStoredSkin* stored = test_skins::AddStoredSkin(
          *manager->GetInternalSkins(), NameOf(k),
          {{"GLOBALINFO", ""}, {"FORM", ""}, {"MAINMENU", ""}, {"MENUITEM", ""}}, master);
      AddImage(*stored, "MAINMENU", "BORDERSMASK", fw::TRect(0, 0, 36, 12), 0, 0, 4, 3);
      SectionOf(*stored, "MAINMENU")->SetColor(FrameOf(k));
      SectionOf(*stored, "MENUITEM")->SetColor(ItemOf(k));
      SectionOf(*stored, "MENUITEM")->SetHotColor(control_skin::Colour(k, 32, 1));
    }
    manager->SetIsDefault(true);
    manager->SetSkinName(NameOf(0));
    // The form's skinner is the one that hears of a new skin.
    MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  }

  // The popup's frame left of its first item and that item's face, read from the screen.
  static std::pair<fw::TColor, fw::TColor> Shown(HWND wnd, fw::TPopupMenu* menu) {
    GdiFlush();
    RECT item{}, window{};
    GetMenuItemRect(nullptr, menu->GetHandle(), 0, &item);
    GetWindowRect(wnd, &window);
    const int y = (item.top + item.bottom) / 2;
    HDC screen = GetDC(nullptr);
    const auto frame = static_cast<fw::TColor>(GetPixel(screen, window.left + 1, y));
    const auto face = static_cast<fw::TColor>(GetPixel(screen, item.right - 6, y));
    ReleaseDC(nullptr, screen);
    return {frame, face};
  }
};

TEST_F(SkinMenusTwoSkins, APopupDrawnAfterASkinChangeShowsTheNewSkin) {
  fw::TPopupMenu* menu = MakePopup({"Open", "Save", "Close"});
  Menus()->HookPopupMenu(menu, true);
  std::vector<std::pair<fw::TColor, fw::TColor>> seen;
  int step = 0;
  RunPopup([menu] { menu->Popup(200, 200); }, [&](HWND wnd) {
    if (step == 1) {
      seen.push_back(Shown(wnd, menu));
      // The skin changes while the popup is open; the popup is drawn again.
      manager->SetSkinName(NameOf(1));
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    } else if (step == 4) {
      seen.push_back(Shown(wnd, menu));
      return true;
    }
    ++step;
    return false;
  });
  // The next popup, after a change back.
  manager->SetSkinName(NameOf(0));
  step = 0;
  RunPopup([menu] { menu->Popup(220, 220); }, [&](HWND wnd) {
    if (step++ < 1) return false;
    seen.push_back(Shown(wnd, menu));
    return true;
  });
  using Seen = std::vector<std::pair<fw::TColor, fw::TColor>>;
  EXPECT_EQ(seen, (Seen{{FrameOf(0), ItemOf(0)}, {FrameOf(1), ItemOf(1)}, {FrameOf(0), ItemOf(0)}}));
}

}  // namespace
