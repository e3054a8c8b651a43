// The skin command message: the application-wide broadcast and the walk over a form's controls,
// queries answered through LParam, the colour query, and graphic children laid over their
// container's cache.
#include <gtest/gtest.h>

#include "framework/controls/custom_control.h"
#include "framework/controls/graphic_control.h"
#include "framework/extctrls/custom_panel.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_engine.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using test_skins::PixelOf;

// Notes every skin command it receives under its name; skinned ones answer command 7 and pass
// a broadcast on to their own children, as skinned containers do.
template <class Base>
class TRecorder : public Base {
 public:
  TRecorder(fw::TComponent* owner, std::vector<std::string>* log, std::string name, bool skinned)
      : Base(owner), FLog(log), FName(std::move(name)), FSkinned(skinned) {}
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == skin::SM_SKINCMD) {
      const int command = skin::SkinCmdOf(m.WParam);
      if (command == skin::cmdIsSkinned) {
        if (FSkinned) m.LParam = 1;
        return;
      }
      FLog->push_back(FName + " " + std::to_string(command));
      if (command == skin::cmdGetColor && Answer != fw::clFuchsia) skin::QueriedColor = Answer;
      if (command == skin::cmdIsTextured) m.LParam = 1;
      if constexpr (std::is_base_of_v<fw::TWinControl, Base>) {
        if (FSkinned && command == skin::cmdNewSkin) skin::BroadcastToChildControls(this, m);
        if (command == skin::cmdGetParentBg && Cache) skin::MakeBgRef(skin::ParentBgAnswer, Cache, 0, 0);
      }
      if (ThrowOn == command) throw std::runtime_error("receiver failed");
      return;
    }
    Base::WndProc(m);
  }
  fw::TColor Answer = fw::clFuchsia;
  fw::TBitmap* Cache = nullptr;
  int ThrowOn = 0;

 private:
  std::vector<std::string>* FLog;
  std::string FName;
  bool FSkinned;
};

using TWinRecorder = TRecorder<fw::TCustomControl>;

// A graphic child that paints its first pixel one colour (or nothing at all).
class TDot : public TRecorder<fw::TGraphicControl> {
 public:
  using TRecorder::TRecorder;
  fw::TColor Dot = fw::clNone;

 protected:
  void Paint() override {
    if (Dot != fw::clNone) SetPixel(GetCanvas()->GetHandle(), 0, 0, Dot);
  }
};

bool Inside(const fw::TControl* c, int x, int y) {
  const RECT r = c->GetBoundsRect();
  return PtInRect(&r, POINT{x, y});
}

class SkinCommandTest : public SkinPaintTest {
 protected:
  template <class T>
  T* Add(fw::TWinControl* parent, const std::string& name, bool skinned, fw::TRect bounds = fw::TRect(0, 0, 20, 20)) {
    auto* c = fw::New<T>(form, &log, name, skinned);
    c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    c->SetParent(parent);
    return c;
  }
  void SetUp() override {
    SkinPaintTest::SetUp();
    form = fw::New<TRecorder<fw::TForm>>(fw::Application, &log, "form", false);
    form->SetBounds(0, 0, 300, 200);
  }
  void TearDown() override {
    fw::Free(form);
    SkinPaintTest::TearDown();
  }
  fw::TForm* form = nullptr;
};

TEST_F(SkinCommandTest, BroadcastWalksFormsAndTrees) {
  auto* second = fw::New<TRecorder<fw::TForm>>(fw::Application, &log, "second", false);
  auto* plain = Add<TWinRecorder>(form, "plain", false);       // unskinned: walked into
  auto* inPlain = Add<TWinRecorder>(plain, "inPlain", true);    // skinned, inside it
  auto* skinned = Add<TWinRecorder>(form, "skinned", true);     // passes the record on itself
  Add<TDot>(skinned, "dotInSkinned", false);
  Add<TDot>(form, "dot", false);
  (void)inPlain;
  fw::TMessage m{skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdNewSkin), 77, 0};
  skin::BroadcastToAppForms(m);
  // The later form first; the unskinned container itself gets nothing.
  const std::vector<std::string> expected = {"second 1",  "form 1",         "inPlain 1",
                                             "skinned 1", "dotInSkinned 1", "dot 1"};
  EXPECT_EQ(log, expected);
  second->Free();

  // A child being destroyed ends its level's walk; later siblings get nothing, the program goes on.
  log.clear();
  auto* dying = Add<TDot>(form, "dying", false);
  Add<TDot>(form, "after", false);
  dying->Destroying();
  skin::BroadcastToChildControls(form, m);
  EXPECT_EQ(log, (std::vector<std::string>{"inPlain 1", "skinned 1", "dotInSkinned 1", "dot 1"}));

  // A receiver's exception ends the walk, never the program.
  log.clear();
  skinned->ThrowOn = skin::cmdNewSkin;
  EXPECT_NO_THROW(skin::BroadcastToChildControls(form, m));
  EXPECT_EQ(log, (std::vector<std::string>{"inPlain 1", "skinned 1", "dotInSkinned 1"}));
  skinned->ThrowOn = 0;

  // Command 6 to the windowed children only; command 9 down the whole tree.
  log.clear();
  skin::SendCmdToChildWindows(form);
  EXPECT_EQ(log, (std::vector<std::string>{"plain 6", "skinned 6"}));
  log.clear();
  skin::SendCmd9ToTree(skinned);
  EXPECT_EQ(log, (std::vector<std::string>{"skinned 9", "dotInSkinned 9"}));
}

TEST_F(SkinCommandTest, QueriesAndColour) {
  auto* panel = Add<TWinRecorder>(form, "panel", true);
  panel->HandleNeeded();
  // An answer in LParam arrives through the direct call.
  EXPECT_TRUE(skin::ControlAnswersCmd(panel, skin::cmdIsTextured));
  EXPECT_TRUE(skin::ControlAnswersCmd(panel, skin::cmdIsSkinned));
  // A window that does not know the command reads "no".
  auto* stranger = fw::New<fw::TPanel>(form);
  stranger->SetParent(form);
  EXPECT_FALSE(skin::ControlAnswersCmd(stranger, skin::cmdIsTextured));
  EXPECT_FALSE(skin::ControlAnswersCmd(nullptr, skin::cmdIsSkinned));

  // Colour: the answer, else the control's own colour, both as RGB.
  panel->Answer = 0x123456;
  skin::GetControlColor(panel);
  EXPECT_EQ(skin::QueriedColor, 0x123456);
  panel->Answer = fw::clFuchsia;
  panel->SetColor(fw::clBtnFace);
  skin::GetControlColor(panel);
  EXPECT_EQ(skin::QueriedColor, fw::ColorToRGB(fw::clBtnFace));
  skin::QueriedColor = fw::clFuchsia;

  // Nothing reaches a windowed control without a window or being destroyed.
  auto* windowless = fw::New<TWinRecorder>(form, &log, "windowless", true);
  log.clear();
  EXPECT_EQ(skin::SendCmdToControl(windowless, skin::cmdRefresh), 0);
  EXPECT_TRUE(log.empty());
  windowless->Free();

  // Readiness and the small helpers.
  EXPECT_TRUE(skin::ControlIsReady(panel));
  EXPECT_FALSE(skin::ControlIsReady(nullptr));
  {
    fw::TLoadScope scope;
    auto* loading = fw::New<fw::TPanel>(form);
    loading->SetParent(form);
    EXPECT_FALSE(skin::ControlIsReady(loading));
  }
  auto* orphan = fw::New<fw::TPanel>(form);
  EXPECT_FALSE(skin::ControlIsReady(orphan));
  EXPECT_EQ(skin::GetOwnerForm(orphan), form);
  EXPECT_EQ(skin::GetOwnerForm(nullptr), nullptr);
  EXPECT_EQ(skin::TextFlagsForAlignment(panel, fw::taCenter), unsigned(DT_CENTER | DT_EXPANDTABS | DT_VCENTER));
  EXPECT_EQ(skin::TextFlagsForAlignment(panel, fw::taRightJustify), unsigned(DT_RIGHT | DT_EXPANDTABS | DT_VCENTER));
  SetWindowLongA(panel->GetHandle(), GWL_STYLE, GetWindowLongA(panel->GetHandle(), GWL_STYLE) | WS_VSCROLL);
  EXPECT_FALSE(skin::WindowHasScrollBar(panel->GetHandle(), 0));
  EXPECT_TRUE(skin::WindowHasScrollBar(panel->GetHandle(), 1));
  EXPECT_FALSE(skin::WindowHasScrollBar(panel->GetHandle(), 3));
  EXPECT_FALSE(skin::WindowHasScrollBar(panel->GetHandle(), 2));
  // Shown without taking the activation.
  form->Show();
  fw::Application->ProcessMessages();
  HWND active = GetActiveWindow();
  auto* hidden = fw::New<fw::TPanel>(form);
  hidden->SetBounds(150, 10, 40, 40);
  hidden->SetParent(form);
  hidden->HandleNeeded();
  ShowWindow(hidden->GetHandle(), SW_HIDE);
  skin::ShowWindowNoActivate(hidden);
  EXPECT_TRUE(IsWindowVisible(hidden->GetHandle()));
  EXPECT_EQ(GetActiveWindow(), active);
  fw::TRect area;
  EXPECT_TRUE(skin::GetWorkArea(area));
  EXPECT_GT(area.Width(), 0);
  // The program's icons, fetched when first asked for.
  EXPECT_TRUE(skin::ProgramSmallIcon() && !skin::ProgramSmallIcon()->GetEmpty());
  EXPECT_TRUE(skin::ProgramLargeIcon() && !skin::ProgramLargeIcon()->GetEmpty());
}

TEST_F(SkinCommandTest, GraphicChildrenOverTheContainersCache) {
  auto* box = Add<TWinRecorder>(form, "box", true, fw::TRect(10, 10, 110, 70));
  test_skins::Picture picture(100, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) picture.Set(x, y, x * 2 | y * 4 << 8 | 0x300000);
  auto cache = FromPicture(picture);
  box->Cache = cache.get();
  box->HandleNeeded();
  auto* clear = Add<TDot>(box, "clear", false, fw::TRect(5, 6, 25, 20));     // paints nothing
  auto* marked = Add<TDot>(box, "marked", false, fw::TRect(40, 6, 60, 20));  // $FF00FF top-left
  marked->Dot = fw::clFuchsia;
  auto* opaque = Add<TDot>(box, "opaque", false, fw::TRect(70, 30, 90, 50));  // its own colour
  opaque->SetControlStyle(opaque->GetControlStyle() + fw::csOpaque);
  opaque->SetColor(0x0000C0);
  opaque->Dot = 0x00C000;

  auto target = Filled(100, 60);
  log.clear();
  skin::PaintGraphicChildren(target->GetCanvas()->GetHandle(), box);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) {
      const fw::TColor got = PixelOf(*target, x, y);
      if (Inside(clear, x, y))
        ASSERT_EQ(got, picture.At(x, y)) << x << "," << y;
      else if (Inside(opaque, x, y))
        ASSERT_EQ(got, x == 70 && y == 30 ? 0x00C000 : 0x0000C0) << x << "," << y;
      else
        ASSERT_EQ(got, kCanary) << x << "," << y;  // the marked child is not copied
    }
  EXPECT_EQ(log, (std::vector<std::string>{"box 5"}));
  EXPECT_FALSE(skin::ParentBgAnswer.Ready);

  // An empty clip box: command 22 to the container, nothing painted.
  target = Filled(100, 60);
  HDC dc = target->GetCanvas()->GetHandle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, 0, 0);
  log.clear();
  skin::PaintGraphicChildren(dc, box);
  RestoreDC(dc, saved);
  EXPECT_EQ(log, (std::vector<std::string>{"box 22"}));
  EXPECT_TRUE(CanaryOutside(*target, fw::TRect()));

  // A container without an answer paints nothing.
  box->Cache = nullptr;
  log.clear();
  skin::PaintGraphicChildren(target->GetCanvas()->GetHandle(), box);
  EXPECT_EQ(log, (std::vector<std::string>{"box 5"}));
  EXPECT_TRUE(CanaryOutside(*target, fw::TRect()));
}

}  // namespace
