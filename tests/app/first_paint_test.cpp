// What the screen shows of a window the moment it changes: the main window and the About box
// show their first picture whole (never the black of a window not yet painted), and a tool's
// first opening changes the page in one step, never showing a mix of the old page and the new.
// Each picture is read from the window itself (what it hands the screen next) and from the screen
// (what it shows) right after the show, before any further message is let through; while a tool
// opens, the screen is also read at the end of every paint, when the system may bring it up to
// date.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main/about_form.h"
#include "app/main/cleaners_frame.h"
#include "app/main/file_frame.h"
#include "app/main/system_frame.h"
#include "framework/graphics/bitmap.h"
#include "main_window_fixture.h"
#include "skin/engine/skin_engine.h"
#include "support/panel_form_fixture.h"
#include "support/skin_paint_fixture.h"

using app::frmMain;

namespace {

// The window's area r (window coordinates), read from the window's own picture or the screen.
std::unique_ptr<fw::TBitmap> Shot(HWND window, const RECT& r, bool fromScreen) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  auto shot = testing_paint::Filled(r.right - r.left, r.bottom - r.top);
  HDC dc = fromScreen ? GetDC(nullptr) : GetWindowDC(window);
  const int x = r.left + (fromScreen ? bounds.left : 0), y = r.top + (fromScreen ? bounds.top : 0);
  BitBlt(shot->GetCanvas()->GetHandle(), 0, 0, r.right - r.left, r.bottom - r.top, dc, x, y, SRCCOPY);
  ReleaseDC(fromScreen ? nullptr : window, dc);
  GdiFlush();
  return shot;
}

RECT WholeWindow(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

// The client area of a window, in window coordinates.
RECT ClientOf(HWND window) {
  RECT bounds{}, client{};
  GetWindowRect(window, &bounds);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const int dx = origin.x - bounds.left, dy = origin.y - bounds.top;
  return RECT{dx, dy, dx + client.right, dy + client.bottom};
}

// The share of the bitmap's pixels that are black.
double BlackShare(const fw::TBitmap& b) {
  const int all = b.GetWidth() * b.GetHeight();
  return all ? double(testing_paint::CountColour(b, fw::TRect(0, 0, b.GetWidth(), b.GetHeight()), fw::clBlack)) / all
             : 0;
}

class FirstPaintTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    skin::StartSkinEngine();
    // The pointer rests off the window, so no part of it shows hot.
    SetCursorPos(0, 0);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    skin::StopSkinEngine();
  }
  void Settle() {
    for (int i = 0; i < 10; ++i) {
      fw::Application->ProcessMessages();
      Sleep(20);
    }
  }
  // The area the tool pages take, in the main window's coordinates.
  RECT PageArea() {
    skin::TkPanel* shown = nullptr;
    for (skin::TkPanel* panel : frmMain->ToolPanels())
      if (panel->GetVisible()) shown = panel;
    const fw::TPoint origin = shown->ClientToScreen(fw::TPoint(0, 0));
    RECT bounds{};
    GetWindowRect(frmMain->GetHandle(), &bounds);
    const int left = origin.X - bounds.left, top = origin.Y - bounds.top;
    return RECT{left, top, left + shown->GetWidth(), top + shown->GetHeight()};
  }
  // Opens a tool for the first time with its navigation button and checks what the screen
  // showed at the end of every paint meanwhile (the moments the system may bring it up to date)
  // and right after, and what the window holds then: the old page or the new one, whole.
  void ExpectOneStep(const char* tool, const std::function<void()>& press) {
    SCOPED_TRACE(tool);
    HWND window = frmMain->GetHandle();
    Settle();
    const RECT area = PageArea();
    auto old = Shot(window, area, false);
    seen.clear();
    watched = window;
    watchedArea = area;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterPaint, nullptr, GetCurrentThreadId());
    press();
    UnhookWindowsHookEx(hook);
    auto held = Shot(window, area, false);
    seen.push_back(Shot(window, area, true));
    Settle();
    auto fresh = Shot(window, area, false);
    ASSERT_FALSE(control_shots::SamePixels(*old, *fresh)) << "the two pages look the same";
    EXPECT_TRUE(control_shots::SamePixels(*held, *fresh)) << "the window holds a page not yet whole";
    int mixed = 0;
    for (const auto& look : seen)
      mixed += !control_shots::SamePixels(*look, *old) && !control_shots::SamePixels(*look, *fresh);
    EXPECT_EQ(mixed, 0) << "looks at the screen showing a mix of two pages, of " << seen.size();
  }

  // The screen under the watched area after each paint of any window.
  static LRESULT CALLBACK AfterPaint(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && reinterpret_cast<CWPRETSTRUCT*>(lParam)->message == WM_PAINT)
      seen.push_back(Shot(watched, watchedArea, true));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline std::vector<std::unique_ptr<fw::TBitmap>> seen;
  static inline HWND watched = nullptr;
  static inline RECT watchedArea{};
};

TEST_F(FirstPaintTest, EachToolsFirstOpeningChangesThePageInOneStep) {
  Start();
  app::TfrmCleaners* cleaners = frmMain->frmCleaners1;
  // Other clean measures its folders with the page shown, the window answering meanwhile: its
  // page alone is looked at.
  ExpectOneStep("Other clean", [&] { frmMain->ShowToolPanel(frmMain->pnlOC); });
  ExpectOneStep("Duplicate finder", [&] { cleaners->kSpeedButton3->Click(); });
  frmMain->barMenu->OpenItem(1, false);
  app::TfrmSystem* system = frmMain->frmSystem1;
  ExpectOneStep("Startup manager", [&] { system->kSpeedButton1->Click(); });
  ExpectOneStep("Uninstaller", [&] { system->kSpeedButton2->Click(); });
  ExpectOneStep("Shortcut doctor", [&] { system->kSpeedButton3->Click(); });
  frmMain->barMenu->OpenItem(2, false);
  app::TfrmFile* files = frmMain->frmFile1;
  ExpectOneStep("File wiper", [&] { files->kSpeedButton2->Click(); });
  ExpectOneStep("File attribute", [&] { files->kSpeedButton1->Click(); });
  // Back to a page opened before.
  frmMain->barMenu->OpenItem(0, false);
  ExpectOneStep("Drive cleaner", [&] { frmMain->frmCleaners1->kSpeedButton1->Click(); });
}

// The main window's first picture, taken as the show returns, is the whole window.
TEST_F(FirstPaintTest, TheMainWindowShowsItsFirstPictureWhole) {
  fw::Application->CreateForm(frmMain);
  frmMain->Show();
  HWND window = frmMain->GetHandle();
  auto first = Shot(window, WholeWindow(window), false);
  auto client = Shot(window, ClientOf(window), true);
  Settle();
  EXPECT_TRUE(control_shots::SamePixels(*first, *Shot(window, WholeWindow(window), false)))
      << "the window's first picture is not the settled one";
  EXPECT_LT(BlackShare(*client), 0.05) << "the screen shows the window black";
}

// The first tool page opens inside the window's OnShow, before the show: the hold around it
// leaves the window hidden, so that the show itself brings the first picture, whole.
TEST_F(FirstPaintTest, TheFirstPageOpensWithTheWindowStillHidden) {
  fw::Application->CreateForm(frmMain);
  HWND window = frmMain->GetHandle();
  const fw::TNotifyEvent formShow = frmMain->OnShow;
  bool visibleAfterOnShow = true;
  frmMain->OnShow = [&](fw::TObject* sender) {
    formShow(sender);
    visibleAfterOnShow = IsWindowVisible(window) != 0;
  };
  frmMain->Show();
  EXPECT_TRUE(frmMain->ToolBuilt(frmMain->pnlDC));
  EXPECT_FALSE(visibleAfterOnShow) << "the first page's hold showed the window";
  EXPECT_TRUE(IsWindowVisible(window));
}

// The About box's first picture, taken at its first message, is the whole box.
TEST_F(FirstPaintTest, TheAboutBoxShowsItsFirstPictureWhole) {
  Start();
  Settle();
  std::unique_ptr<fw::TBitmap> first, client, settled;
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    HWND box = form.GetHandle();
    first = Shot(box, WholeWindow(box), false);
    client = Shot(box, ClientOf(box), true);
    Settle();
    settled = Shot(box, WholeWindow(box), false);
    form.Close();
  };
  frmMain->btnAboutClick(frmMain);
  fw::Application->ModalHook = nullptr;
  ASSERT_TRUE(first && settled);
  EXPECT_TRUE(control_shots::SamePixels(*first, *settled)) << "the box's first picture is not the settled one";
  EXPECT_LT(BlackShare(*client), 0.05) << "the screen shows the box black";
}

}  // namespace
