// The skinned page control against the control test skin: the tab, strip and page rectangles
// from the native control's own rectangles for the four positions, tab faces per state, the page
// area per position, a sheet showing the control's cache at its own offset, side captions reading
// the right way, hot tracking (never the active tab), the skinned tab scroller in place of the
// native arrows, tab hints, a control freed while hot tracking pumps messages, and the skin
// commands.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/forms/application_hint.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/page_control.h"
#include "skin/engine/skin_manager.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::BoxOf;
using control_shots::SamePixels;
using control_shots::ScreenShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

const char* const kTabSection[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
const char* const kPageSection[] = {"PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT"};

fw::TPoint Centre(const fw::TRect& r) { return fw::TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

HWND NativeScroller(fw::TWinControl* control, skin::TkUpDown* own) {
  HWND found = nullptr;
  while ((found = FindWindowExA(control->GetHandle(), found, "msctls_updown32", nullptr)))
    if (!own || found != own->GetHandleNoCreate()) return found;
  return nullptr;
}

TEST(PageControlRects, SkinTabRectFromTheNativeOne) {
  const fw::TRect native(10, 2, 60, 20);
  // Along the strip the active tab grows 2 pixels on each side, 1 across; the others reach 3
  // pixels further towards the page and are 1 pixel narrower.
  const fw::TRect topActive = skin::SkinTabRectOf(native, fw::tpTop, true);
  const fw::TRect topOther = skin::SkinTabRectOf(native, fw::tpTop, false);
  EXPECT_EQ(topActive.Left, 8);
  EXPECT_EQ(topActive.Right, 62);
  EXPECT_EQ(topActive.Top, 1);
  EXPECT_EQ(topOther.Right, 59);
  EXPECT_EQ(topOther.Top, 2);
  EXPECT_EQ(topOther.Bottom, 25);
  const fw::TRect bottomOther = skin::SkinTabRectOf(native, fw::tpBottom, false);
  EXPECT_EQ(bottomOther.Top, 0);
  const fw::TRect leftActive = skin::SkinTabRectOf(native, fw::tpLeft, true);
  EXPECT_EQ(leftActive.Left, 9);
  EXPECT_EQ(leftActive.Right, 63);
  // An empty rectangle stays as it is, and its row is 1.
  EXPECT_TRUE(skin::SkinTabRectOf(fw::TRect(), fw::tpLeft, true) == fw::TRect());
  EXPECT_EQ(skin::TabRowOf(fw::TRect(), fw::TRect(0, 0, 100, 40), 3, fw::tpTop), 1);
  EXPECT_EQ(skin::TabRowOf(fw::TRect(0, 20, 40, 40), fw::TRect(0, 0, 100, 40), 1, fw::tpTop), 1);
}

class SkinnedPageControlTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    {
      fw::TLoadScope scope;
      MakeForm(560, 420, fw::TRect(0, 0, 540, 380));
      pages = MakePages(fw::tpTop, fw::TRect(10, 10, 310, 190), 3);
    }
    ShowForm();
    Settle();
  }
  skin::TkPageControl* MakePages(fw::TTabPosition position, const fw::TRect& bounds, int count) {
    auto* control = Place<skin::TkPageControl>(panel, bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    control->SetTabPosition(position);
    for (int i = 0; i < count; ++i) {
      auto* sheet = fw::New<skin::TkTabSheet>(form);
      sheet->SetCaption("Page " + std::to_string(i + 1));
      sheet->SetPageControl(control);
    }
    return control;
  }
  static fw::TBitmap& Cache(skin::TkPageControl* c) { return *c->GetSkinData()->CacheBmp; }

  skin::TkPageControl* pages = nullptr;
};

TEST_F(SkinnedPageControlTest, RectanglesFromTheNativeControl) {
  skin::TkPageControl* controls[4] = {pages, nullptr, nullptr, nullptr};
  controls[1] = MakePages(fw::tpBottom, fw::TRect(320, 10, 530, 190), 2);
  controls[2] = MakePages(fw::tpLeft, fw::TRect(10, 200, 260, 370), 2);
  controls[3] = MakePages(fw::tpRight, fw::TRect(280, 200, 530, 370), 2);
  Settle();
  for (int p = 0; p < 4; ++p) {
    skin::TkPageControl* c = controls[p];
    const fw::TRect display = c->GetDisplayRect();
    const fw::TRect tabs = c->TabsRect(), page = c->PageRect();
    const fw::TRect whole(0, 0, c->GetWidth(), c->GetHeight());
    // Strip and page area split the control at the display rectangle.
    switch (p) {
      case fw::tpTop:
        EXPECT_EQ(tabs.Bottom, display.Top - 4);
        EXPECT_EQ(page.Top, tabs.Bottom);
        break;
      case fw::tpBottom:
        EXPECT_EQ(tabs.Top, display.Bottom + 1);
        EXPECT_EQ(page.Bottom, tabs.Top);
        break;
      case fw::tpLeft:
        EXPECT_EQ(tabs.Right, display.Left - 1);
        EXPECT_EQ(page.Left, tabs.Right);
        break;
      case fw::tpRight:
        EXPECT_EQ(tabs.Left, display.Right + 1);
        EXPECT_EQ(page.Right, tabs.Left);
        break;
    }
    fw::TRect both;
    UnionRect(fw::AsRECT(both), fw::AsRECT(tabs), fw::AsRECT(page));
    EXPECT_TRUE(both == whole) << p;
    // Each tab: the painted rectangle from the native one; one row; found by its centre.
    for (int i = 0; i < c->GetPageCount(); ++i) {
      const fw::TRect native = c->TabRect(i);
      ASSERT_FALSE(IsRectEmpty(fw::AsRECT(native))) << p << " " << i;
      const bool active = c->GetPages(i) == c->fw::TPageControl::GetActivePage();
      EXPECT_TRUE(c->SkinTabRect(i, active) == skin::SkinTabRectOf(native, static_cast<fw::TTabPosition>(p), active));
      EXPECT_EQ(c->TabRow(i), 1);
      EXPECT_EQ(c->TabAtPos(Centre(native)), i) << p;
    }
    if (p == fw::tpTop || p == fw::tpBottom) EXPECT_EQ(c->HiddenTabCount(), 0) << p;
    EXPECT_EQ(c->TabScroller(), nullptr);
  }
  // Many tabs in several rows: each row by the native rectangles, tabs of one line alike, row 1
  // along the strip's outer edge.
  for (fw::TTabPosition position : {fw::tpTop, fw::tpBottom}) {
    skin::TkPageControl* multi = MakePages(position, fw::TRect(320, 10, 450, 190), 6);
    multi->SetMultiLine(true);
    Settle();
    const int rows = multi->RowCount();
    ASSERT_GE(rows, 2);
    for (int i = 0; i < 6; ++i) {
      const int row = multi->TabRow(i);
      EXPECT_GE(row, 1);
      EXPECT_LE(row, rows);
      for (int j = 0; j < 6; ++j) {
        const fw::TRect a = multi->TabRect(i), b = multi->TabRect(j);
        EXPECT_EQ(a.Top == b.Top, row == multi->TabRow(j)) << i << " " << j;
        const bool outer = position == fw::tpTop ? a.Top < b.Top : a.Top > b.Top;
        if (outer) EXPECT_LT(row, multi->TabRow(j)) << position << " " << i << " " << j;
      }
    }
    multi->Free();
  }
  // Single-line and too narrow: hidden tabs, the skinned scroller, no native arrows.
  skin::TkPageControl* narrow = MakePages(fw::tpTop, fw::TRect(320, 200, 440, 300), 6);
  Settle();
  EXPECT_GT(narrow->HiddenTabCount(), 0);
  ASSERT_NE(narrow->TabScroller(), nullptr);
  EXPECT_EQ(NativeScroller(narrow, narrow->TabScroller()), nullptr);
  EXPECT_EQ(narrow->TabScroller()->GetLeft(), narrow->GetWidth() - narrow->TabScroller()->GetWidth());
  EXPECT_EQ(narrow->TabScroller()->GetTop(), 0);
  EXPECT_EQ(narrow->TabScroller()->GetOrientation(), fw::udHorizontal);
  // Tabs on the side never get it.
  skin::TkPageControl* side = MakePages(fw::tpLeft, fw::TRect(450, 10, 530, 100), 6);
  Settle();
  EXPECT_EQ(side->TabScroller(), nullptr);
}

TEST_F(SkinnedPageControlTest, TabFacesAndPageArea) {
  const TSectionColours tab = SectionOf(kFirst, "TABTOP"), area = SectionOf(kFirst, "PAGECONTROL");
  EXPECT_EQ(pages->PageSection(), "PAGECONTROL");
  fw::TBitmap& cache = Cache(pages);
  // An inactive tab in the cache, normal; the page area's face.
  const fw::TRect other = pages->SkinTabRect(1, false);
  EXPECT_EQ(PixelOf(cache, Centre(other).X, other.Top + 1), tab.Edge[kNormal]);
  const fw::TRect page = pages->PageRect();
  EXPECT_EQ(PixelOf(cache, page.Left + 1, Centre(page).Y), area.Edge[kNormal]);
  // On the screen: the active tab larger, in the pressed frame, over the copied cache.
  auto shot = ScreenShot(pages);
  const fw::TRect active = pages->SkinTabRect(0, true);
  EXPECT_EQ(PixelOf(*shot, Centre(active).X, active.Top + 1), tab.Edge[kPressed]);
  EXPECT_LT(active.Top, other.Top);
  EXPECT_EQ(PixelOf(*shot, Centre(other).X, other.Top + 1), tab.Edge[kNormal]);
  EXPECT_GT(CountColour(*shot, active, tab.HotFont), 3);
  EXPECT_GT(CountColour(*shot, other, tab.Font), 3);
  // The sheet shows the control's cache at its own offset.
  fw::TWinControl* sheet = pages->GetActivePage();
  auto sheetShot = ScreenShot(sheet);
  auto part = testing_paint::Filled(sheet->GetWidth(), sheet->GetHeight());
  BitBlt(part->GetCanvas()->GetHandle(), 0, 0, sheet->GetWidth(), sheet->GetHeight(), cache.GetCanvas()->GetHandle(),
         sheet->GetLeft(), sheet->GetTop(), SRCCOPY);
  EXPECT_TRUE(SamePixels(*sheetShot, *part));

  // Focused: the active tab's caption is dotted.
  pages->SetFocus();
  Settle();
  shot = ScreenShot(pages);
  EXPECT_GT(CountColour(*shot, active, fw::ColorToRGB(fw::clBlack)) + CountColour(*shot, active, 0xFFFFFF), 4);

  // A change of page: the new active tab larger, the old one back in the row.
  pages->SetActivePageIndex(2);
  Settle();
  shot = ScreenShot(pages);
  const fw::TRect third = pages->SkinTabRect(2, true);
  EXPECT_EQ(PixelOf(*shot, Centre(third).X, third.Top + 1), tab.Edge[kPressed]);
  const fw::TRect first = pages->SkinTabRect(0, false);
  EXPECT_EQ(PixelOf(*shot, Centre(first).X, first.Top + 1), tab.Edge[kNormal]);
}

// The captions along the strip sit on one line: an inactive tab's caption as high as the active
// tab's, its descenders above the page area, and a gap between two inactive tabs.
TEST_F(SkinnedPageControlTest, InactiveCaptionsSitOnTheActiveCaptionsLine) {
  for (int i = 0; i < 3; ++i) pages->GetPages(i)->SetCaption("Files groups");
  pages->SetActivePageIndex(0);
  Settle();
  const TSectionColours tab = SectionOf(kFirst, "TABTOP");
  auto shot = ScreenShot(pages);
  auto ink = [&](int index, fw::TColor colour) {
    const fw::TRect r = pages->SkinTabRect(index, index == 0);
    // Only the ink inside this tab.
    auto part = testing_paint::Filled(r.Width(), r.Height());
    BitBlt(part->GetCanvas()->GetHandle(), 0, 0, r.Width(), r.Height(), shot->GetCanvas()->GetHandle(), r.Left, r.Top,
           SRCCOPY);
    fw::TRect box = BoxOf(*part, [&](fw::TColor c) { return c == colour; });
    OffsetRect(fw::AsRECT(box), r.Left, r.Top);
    return box;
  };
  const fw::TRect active = ink(0, tab.HotFont);
  ASSERT_FALSE(IsRectEmpty(fw::AsRECT(active)));
  for (int i = 1; i < 3; ++i) {
    const fw::TRect other = ink(i, tab.Font);
    ASSERT_FALSE(IsRectEmpty(fw::AsRECT(other))) << i;
    // The same caption on the same rows: descenders ("g", "p") included.
    EXPECT_EQ(other.Top, active.Top) << i;
    EXPECT_EQ(other.Bottom, active.Bottom) << i;
    EXPECT_LE(other.Bottom, pages->PageRect().Top) << i;
  }
  // Between the two inactive tabs, a column of neither face.
  const int gap = pages->SkinTabRect(1, false).Right;
  EXPECT_EQ(gap + 1, pages->SkinTabRect(2, false).Left);
  const int middle = (pages->SkinTabRect(1, false).Top + pages->PageRect().Top) / 2;
  EXPECT_NE(PixelOf(*shot, gap, middle), tab.Edge[kNormal]);
  EXPECT_NE(PixelOf(*shot, gap, middle), tab.Face[kNormal]);
}

TEST_F(SkinnedPageControlTest, OtherPositions) {
  for (int p = fw::tpBottom; p <= fw::tpRight; ++p) {
    skin::TkPageControl* c = MakePages(static_cast<fw::TTabPosition>(p), fw::TRect(320, 10, 530, 190), 2);
    Settle();
    EXPECT_EQ(c->PageSection(), kPageSection[p]);
    const TSectionColours tab = SectionOf(kFirst, kTabSection[p]), area = SectionOf(kFirst, kPageSection[p]);
    const fw::TRect page = c->PageRect();
    EXPECT_EQ(PixelOf(Cache(c), Centre(page).X, page.Top + 1), area.Edge[kNormal]) << p;
    auto shot = ScreenShot(c);
    for (int i = 0; i < 2; ++i) {
      const fw::TRect r = c->SkinTabRect(i, i == 0);
      // The edge of the tab's outer side: left for left tabs, right for right ones, else its middle row.
      const fw::TPoint edge = p == fw::tpLeft    ? fw::TPoint(r.Left + 1, Centre(r).Y)
                              : p == fw::tpRight ? fw::TPoint(r.Right - 2, Centre(r).Y)
                                                 : fw::TPoint(Centre(r).X, r.Bottom - 2);
      EXPECT_EQ(PixelOf(*shot, edge.X, edge.Y), tab.Edge[i == 0 ? kPressed : kNormal]) << p << " " << i;
    }
    c->Free();
  }
}

TEST_F(SkinnedPageControlTest, SideCaptionsReadTheRightWay) {
  for (int p : {fw::tpLeft, fw::tpRight}) {
    skin::TkPageControl* c = MakePages(static_cast<fw::TTabPosition>(p), fw::TRect(320, 10, 530, 300), 2);
    c->GetPages(1)->SetCaption("W.......");
    c->GetFont()->SetStyle(fw::TFontStyles{fw::fsBold});
    Settle();
    const fw::TColor font = SectionOf(kFirst, kTabSection[p]).Font;
    // The second tab alone, as the cache holds it.
    const fw::TRect r = c->SkinTabRect(1, false);
    auto cacheTab = testing_paint::Filled(r.Width(), r.Height());
    BitBlt(cacheTab->GetCanvas()->GetHandle(), 0, 0, r.Width(), r.Height(), Cache(c).GetCanvas()->GetHandle(), r.Left,
           r.Top, SRCCOPY);
    fw::TBitmap& cache = *cacheTab;
    const fw::TRect ink = BoxOf(cache, [&](fw::TColor colour) { return colour == font; });
    ASSERT_FALSE(IsRectEmpty(fw::AsRECT(ink))) << p;
    // Written along the tab: taller than wide.
    EXPECT_GT(ink.Height(), 2 * ink.Width()) << p;
    // The "W" comes first: at the bottom reading upward (left), at the top reading downward (right).
    const int mid = (ink.Top + ink.Bottom) / 2;
    const int upper = CountColour(cache, fw::TRect(ink.Left, ink.Top, ink.Right, mid), font);
    const int lower = CountColour(cache, fw::TRect(ink.Left, mid, ink.Right, ink.Bottom), font);
    if (p == fw::tpLeft)
      EXPECT_GT(lower, upper);
    else
      EXPECT_GT(upper, lower);
    c->Free();
  }
}

TEST_F(SkinnedPageControlTest, HotTrackingAndHints) {
  pages->SetHotTrack(true);
  Settle();
  const TSectionColours tab = SectionOf(kFirst, "TABTOP");
  auto moveTo = [&](fw::TPoint p) { pages->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y)); };
  const fw::TRect other = pages->SkinTabRect(1, false);
  moveTo(Centre(other));
  EXPECT_EQ(pages->HotTab(), 1);
  Settle();
  auto shot = ScreenShot(pages);
  EXPECT_EQ(PixelOf(*shot, Centre(other).X, other.Top + 1), tab.Edge[kHot]);
  // The active tab never becomes hot; the old hot tab is normal again.
  const fw::TRect active = pages->SkinTabRect(0, true);
  moveTo(Centre(active));
  EXPECT_EQ(pages->HotTab(), -1);
  Settle();
  shot = ScreenShot(pages);
  EXPECT_EQ(PixelOf(*shot, Centre(other).X, other.Top + 1), tab.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, Centre(active).X, active.Top + 1), tab.Edge[kPressed]);
  moveTo(Centre(other));
  pages->Perform(fw::CM_MOUSELEAVE);
  EXPECT_EQ(pages->HotTab(), -1);

  // A tab's hint is its page's whole hint, shown beside the cursor.
  pages->GetPages(1)->SetHint("Second page|long text");
  fw::THintInfo info;
  info.HintControl = pages;
  info.CursorPos = Centre(other);
  EXPECT_EQ(pages->Perform(fw::CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.HintStr, "Second page|long text");
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(info.HintPos.X, cursor.x + GetSystemMetrics(SM_CXCURSOR) / 2);
}

TEST_F(SkinnedPageControlTest, FreedWhileHotTrackingPumps) {
  auto* window = fw::New<fw::TForm>(fw::Application);
  window->SetBounds(60, 60, 300, 200);
  auto* control = fw::New<skin::TkPageControl>(window);
  control->SetBounds(0, 0, 280, 160);
  control->SetParent(window);
  control->SetHotTrack(true);
  for (int i = 0; i < 2; ++i) {
    auto* sheet = fw::New<skin::TkTabSheet>(window);
    sheet->SetCaption("Sheet");
    sheet->SetPageControl(control);
  }
  window->OnClose = [](fw::TObject*, fw::TCloseAction& action) { action = fw::caFree; };
  window->Show();
  Settle();
  bool gone = false;
  window->OnDestroy = [&](fw::TObject*) { gone = true; };
  // A close waits in the queue when the mouse moves over the tabs: the pump frees the control.
  PostMessageA(window->GetHandle(), WM_CLOSE, 0, 0);
  const fw::TRect r = control->SkinTabRect(1, false);
  control->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(Centre(r).X, Centre(r).Y));
  Settle();
  EXPECT_TRUE(gone);
}

TEST_F(SkinnedPageControlTest, ScrollerScrollsAndSkinCommands) {
  skin::TkPageControl* narrow = MakePages(fw::tpTop, fw::TRect(320, 10, 440, 120), 6);
  Settle();
  skin::TkUpDown* scroller = narrow->TabScroller();
  ASSERT_NE(scroller, nullptr);
  // Shaped by its button section's mask: the corners are cut away.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(scroller->GetHandle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, scroller->GetWidth() - 1, scroller->GetHeight() - 1));
  EXPECT_TRUE(PtInRegion(region, scroller->GetWidth() / 4, scroller->GetHeight() / 2));
  DeleteObject(region);
  // A click on its right half scrolls the tabs by one.
  EXPECT_GT(narrow->TabRect(0).Left, 0);
  const int secondLeft = narrow->TabRect(1).Left;
  const LPARAM right = MAKELPARAM(scroller->GetWidth() * 3 / 4, scroller->GetHeight() / 2);
  scroller->Perform(WM_LBUTTONDOWN, MK_LBUTTON, right);
  scroller->Perform(WM_LBUTTONUP, 0, right);
  Settle();
  EXPECT_EQ(scroller->GetPosition(), 1);
  EXPECT_LT(narrow->TabRect(1).Left, secondLeft);
  EXPECT_EQ(scroller->GetPosition(), 1);

  // The second skin: tabs and page area in its colours.
  UseSecondSkin();
  Settle();
  const fw::TRect other = pages->SkinTabRect(1, false);
  auto shot = ScreenShot(pages);
  EXPECT_EQ(PixelOf(*shot, Centre(other).X, other.Top + 1), SectionOf(kSecond, "TABTOP").Edge[kNormal]);
  const fw::TRect page = pages->PageRect();
  EXPECT_EQ(PixelOf(*shot, page.Left + 1, Centre(page).Y), SectionOf(kSecond, "PAGECONTROL").Edge[kNormal]);
  // Removed: the native control's look and its own scroll arrows.
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(narrow->TabScroller(), nullptr);
  narrow->SetWidth(110);
  Settle();
  EXPECT_NE(NativeScroller(narrow, nullptr), nullptr);
  shot = ScreenShot(pages);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, pages->GetWidth(), pages->GetHeight()),
                        SectionOf(kSecond, "PAGECONTROL").Edge[kNormal]),
            0);
  // No manager: still a page control that changes pages.
  manager->Free();
  manager = nullptr;
  pages->SetActivePageIndex(1);
  Settle();
  EXPECT_EQ(pages->GetActivePageIndex(), 1);
  EXPECT_TRUE(pages->GetPages(1)->GetVisible());
}

}  // namespace
