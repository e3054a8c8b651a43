// Fading between two looks: the alpha of every step, the stop command after the last one, half
// fades, the triggers a control allows, the plain repaint while a skin loads or fading is
// forbidden, the timer freed inside its own tick, and the frame shown on the window.
#include <gtest/gtest.h>

#include "framework/controls/custom_control.h"
#include "framework/controls/graphic_control.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/skinned_control.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using test_skins::PixelOf;

constexpr fw::TColor kNormal = 0x102030, kHot = 0xF0E0D0;

// A fading control that notes the frames offered to it (command 24, answered by DrawsFrames)
// and the stop commands.
class TFader : public skin::TkSkinnedWinControl<fw::TCustomControl> {
  FW_CLASS(TFader, fw::TCustomControl)
 public:
  explicit TFader(fw::TComponent* owner) : TkSkinnedWinControl(owner, 93, true) {}
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == skin::SM_SKINCMD && skin::SkinCmdOf(m.WParam) == skin::cmdDrawFadeFrame) {
      Frames.push_back(PixelOf(*reinterpret_cast<fw::TBitmap*>(m.LParam), 5, 5));
      m.Result = DrawsFrames;
      if (FreeOnFrame) Free();
      return;
    }
    if (m.Msg == skin::SM_SKINCMD && skin::SkinCmdOf(m.WParam) == skin::cmdStopAnimation) ++Stops;
    TkSkinnedWinControl::WndProc(m);
  }
  std::vector<fw::TColor> Frames;
  int Stops = 0;
  bool DrawsFrames = true;
  bool FreeOnFrame = false;
  int Rebuilds = 0;

 protected:
  void PaintContent() override { ++Rebuilds; }
};

// One channel-wise blend: the old colour weighted by alpha, the new one by 255 - alpha.
fw::TColor Mix(fw::TColor oldColour, fw::TColor newColour, int alpha) {
  fw::TColor result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int o = (oldColour >> shift) & 0xFF, n = (newColour >> shift) & 0xFF;
    result |= ((n * (255 - alpha) + o * alpha + 127) >> 8) << shift;
  }
  return result;
}

std::unique_ptr<fw::TBitmap> Copy(fw::TBitmap& source) {
  auto copy = skin::CreateBitmap24(source.GetWidth(), source.GetHeight());
  BitBlt(copy->GetCanvas()->GetHandle(), 0, 0, source.GetWidth(), source.GetHeight(), source.GetCanvas()->GetHandle(),
         0, 0, SRCCOPY);
  GdiFlush();
  return copy;
}

class SkinFadeTest : public SkinPaintTest {
 protected:
  void SetUp() override {
    SkinPaintTest::SetUp();
    LoadSkin(test_skins::Picture(8, 8), {{"GLOBALINFO", ""}, {"FADER", ""}, {"FADE0", ""}, {"STILL", ""}},
             [](skin::TkStoredSkin& stored) {
               for (const char* name : {"FADER", "FADE0", "STILL"}) {
                 SectionOf(stored, name)->SetColor(kNormal);
                 SectionOf(stored, name)->SetHotColor(kHot);
                 SectionOf(stored, name)->SetFadingEnabled(std::string(name) != "STILL");
               }
               SectionOf(stored, "FADER")->SetFadingIterations(10);
             });
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(40, 40, 300, 200);
    form->Show();
  }
  void TearDown() override {
    skin::SkinLoading = false;
    skin::FadingForbidden = false;
    skin::GlobalAnimatEvents = {skin::aeMouseEnter, skin::aeMouseLeave, skin::aeMouseDown, skin::aeMouseUp};
    fw::Free(form);
    SkinPaintTest::TearDown();
  }
  TFader* Fader(const std::string& section) {
    auto* f = fw::New<TFader>(form);
    f->SetBounds(20, 20, 50, 30);
    f->SetParent(form);
    f->GetSkinData()->SetSkinSection(section);
    Settle(4, 5);
    return f;
  }
  // Ticks the fade until it ends (at most ticks times).
  void TickToEnd(TFader* f, int ticks) {
    for (int i = 0; i < ticks && f->FadeTimer(); ++i) f->FadeTimer()->Tick();
  }
  fw::TForm* form = nullptr;
};

TEST_F(SkinFadeTest, StepsAlphasAndTheStopCommand) {
  const std::vector<int> alphas = {230, 204, 179, 153, 127, 102, 76, 51, 25, 0};
  for (int step = 1; step <= 10; ++step) EXPECT_EQ(skin::FadeAlpha(step, 10), alphas[step - 1]) << step;

  auto* f = Fader("FADER");
  ASSERT_EQ(PixelOf(*f->GetSkinData()->CacheBmp, 5, 5), kNormal);
  f->Perform(fw::CM_MOUSEENTER);
  ASSERT_NE(f->FadeTimer(), nullptr);
  EXPECT_EQ(f->FadeTimer()->GetOwner(), f);
  EXPECT_EQ(f->FadeTimer()->GetInterval(), 10u);
  EXPECT_TRUE(f->FadeTimer()->GetEnabled());
  EXPECT_EQ(PixelOf(*f->GetSkinData()->CacheBmp, 5, 5), kHot);  // command 23 built the new look
  for (int i = 0; i < 10; ++i) f->FadeTimer()->Tick();
  ASSERT_EQ(f->Frames.size(), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(f->Frames[i], Mix(kNormal, kHot, alphas[i])) << i;
  EXPECT_EQ(f->Stops, 0);
  // The 11th tick sends command 16, which frees the timer inside its tick.
  f->FadeTimer()->Tick();
  EXPECT_EQ(f->Stops, 1);
  EXPECT_EQ(f->FadeTimer(), nullptr);
  EXPECT_EQ(f->Frames.size(), 10u);
  EXPECT_EQ(f->GetComponentCount(), 0);
}

TEST_F(SkinFadeTest, ReversalKeepsTheStepsMade) {
  auto* f = Fader("FADER");
  f->Perform(fw::CM_MOUSEENTER);
  skin::TkFadeTimer* timer = f->FadeTimer();
  timer->SetEnabled(false);
  for (int i = 0; i < 3; ++i) timer->Tick();
  ASSERT_EQ(timer->CurrentStep, 4);
  // Leaving in mid-course replaces a fade of direction 1: as many steps as it had made.
  f->Perform(fw::CM_MOUSELEAVE);
  ASSERT_EQ(f->FadeTimer(), timer);
  EXPECT_EQ(timer->Direction, 2);
  EXPECT_EQ(timer->Iterations, 4);
  EXPECT_EQ(timer->CurrentStep, 1);
  EXPECT_EQ(PixelOf(*timer->OldImage, 5, 5), kHot);
  EXPECT_EQ(PixelOf(*f->GetSkinData()->CacheBmp, 5, 5), kNormal);
  timer->SetEnabled(false);
  timer->Tick();
  timer->Tick();
  // Entering again replaces direction 2: the section's steps less those made.
  f->Perform(fw::CM_MOUSEENTER);
  EXPECT_EQ(timer->Direction, 1);
  EXPECT_EQ(timer->Iterations, 7);
  EXPECT_EQ(timer->CurrentStep, 3);
}

TEST_F(SkinFadeTest, AnimationTimerFramesThroughTheParent) {
  class TGraphicFader : public skin::TkSkinnedGraphicControl<fw::TGraphicControl> {
   public:
    explicit TGraphicFader(fw::TComponent* owner) : TkSkinnedGraphicControl(owner, 92, true) {}
  };
  std::vector<LPARAM> announced;
  fw::TWndMethodProc original = form->GetWindowProc();
  form->SetWindowProc([&announced, original](fw::TMessage& m) {
    if (m.Msg == skin::SM_SKINCMD && skin::SkinCmdOf(m.WParam) == skin::cmdGraphicRepaints) announced.push_back(m.LParam);
    original(m);
  });
  auto* g = fw::New<TGraphicFader>(form);
  g->SetBounds(10, 10, 30, 20);
  g->SetParent(form);
  g->GetSkinData()->SetSkinSection("FADER");
  Settle(4, 5);
  g->PaintCache();
  ASSERT_EQ(PixelOf(*g->GetSkinData()->CacheBmp, 5, 5), kNormal);
  fw::Owned<skin::TkAnimTimer> anim(fw::New<skin::TkAnimTimer>());
  EXPECT_EQ(anim->GetOwner(), nullptr);
  anim->StartFor(g->GetSkinData());
  EXPECT_EQ(anim->Iterations, 10);
  EXPECT_EQ(anim->GetInterval(), 10u);
  anim->OldImage = testing_paint::Filled(30, 20, kHot);
  anim->CurrentStep = 1;
  anim->Step();
  EXPECT_EQ(PixelOf(*anim->FrameImage, 5, 5), Mix(kHot, kNormal, 230));
  EXPECT_EQ(anim->CurrentStep, 2);
  EXPECT_EQ(announced, (std::vector<LPARAM>{reinterpret_cast<LPARAM>(g), 0}));
  // Past the last step a tick asks the control to stop.
  std::vector<int> seen;
  fw::TWndMethodProc gOriginal = g->GetWindowProc();
  g->SetWindowProc([&seen, gOriginal](fw::TMessage& m) {
    if (m.Msg == skin::SM_SKINCMD) seen.push_back(skin::SkinCmdOf(m.WParam));
    gOriginal(m);
  });
  anim->CurrentStep = 11;
  anim->Tick();
  EXPECT_EQ(seen, (std::vector<int>{skin::cmdStopAnimation}));
  form->SetWindowProc(original);
}

TEST_F(SkinFadeTest, HalfFadeAlphasAndNoIterations) {
  auto* f = Fader("FADER");
  f->GetSkinData()->MouseAbove = true;  // the look command 23 builds is the hot one
  skin::StartFade(f->FadeTimer(), f->GetSkinData(), true, 1);
  TickToEnd(f, 20);
  const std::vector<int> alphas = {204, 153, 102, 51, 0};
  ASSERT_EQ(f->Frames.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(f->Frames[i], Mix(kNormal, kHot, alphas[i])) << i;

  // No iterations: nothing drawn, the first tick stops.
  auto* none = Fader("FADE0");
  none->Perform(fw::CM_MOUSEENTER);
  ASSERT_NE(none->FadeTimer(), nullptr);
  none->FadeTimer()->Tick();
  EXPECT_TRUE(none->Frames.empty());
  EXPECT_EQ(none->Stops, 1);
  EXPECT_EQ(none->FadeTimer(), nullptr);
}

TEST_F(SkinFadeTest, TriggersAndPlainRepaints) {
  using skin::AnimEventAllowed;
  for (auto event : {skin::aeMouseEnter, skin::aeMouseLeave, skin::aeMouseDown, skin::aeMouseUp}) {
    EXPECT_TRUE(AnimEventAllowed(event, skin::TkAnimatEvents{skin::aeGlobalDef})) << event;
    EXPECT_FALSE(AnimEventAllowed(event, skin::TkAnimatEvents{})) << event;
  }
  EXPECT_TRUE(AnimEventAllowed(skin::aeMouseDown, skin::TkAnimatEvents{skin::aeMouseDown}));
  EXPECT_FALSE(AnimEventAllowed(skin::aeMouseUp, skin::TkAnimatEvents{skin::aeMouseDown}));
  skin::GlobalAnimatEvents = {skin::aeMouseEnter};
  EXPECT_FALSE(AnimEventAllowed(skin::aeMouseLeave, skin::TkAnimatEvents{skin::aeGlobalDef}));

  // A control allowing no trigger, a section without fading, a skin loading, fading forbidden:
  // the new look at once, no timer.
  auto* f = Fader("FADER");
  auto expectPlain = [&](const char* why) {
    const int rebuilds = f->Rebuilds;
    f->Perform(fw::CM_MOUSEENTER);
    EXPECT_EQ(f->FadeTimer(), nullptr) << why;
    EXPECT_EQ(f->Rebuilds, rebuilds + 1) << why;
    EXPECT_EQ(PixelOf(*f->GetSkinData()->CacheBmp, 5, 5), kHot) << why;
    f->Perform(fw::CM_MOUSELEAVE);
    EXPECT_EQ(PixelOf(*f->GetSkinData()->CacheBmp, 5, 5), kNormal) << why;
  };
  f->SetAnimatEvents(skin::TkAnimatEvents{});
  expectPlain("no trigger");
  f->SetAnimatEvents(skin::TkAnimatEvents{skin::aeGlobalDef});
  skin::SkinLoading = true;
  expectPlain("skin loading");
  skin::SkinLoading = false;
  skin::FadingForbidden = true;
  expectPlain("forbidden");
  skin::FadingForbidden = false;
  f->GetSkinData()->SetSkinSection("STILL");
  Settle(4, 5);
  expectPlain("no fading");
}

TEST_F(SkinFadeTest, FrameOnTheWindowAndTheControlGone) {
  auto* f = Fader("FADER");
  f->DrawsFrames = false;
  auto oldLook = Copy(*f->GetSkinData()->CacheBmp);
  f->Perform(fw::CM_MOUSEENTER);
  f->FadeTimer()->SetEnabled(false);  // stepped here only; the messages below flush the window
  f->FadeTimer()->Tick();
  f->FadeTimer()->Tick();
  Settle(4, 5);
  auto expected = Copy(*oldLook);
  skin::BlendBitmapsPercent(expected.get(), f->GetSkinData()->CacheBmp.get(), skin::FadeAlpha(2, 10));
  auto shot = Filled(f->GetWidth(), f->GetHeight());
  const fw::TPoint origin = f->ClientToScreen(fw::TPoint(0, 0));
  HDC screen = GetDC(nullptr);
  BitBlt(shot->GetCanvas()->GetHandle(), 0, 0, f->GetWidth(), f->GetHeight(), screen, origin.X, origin.Y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, 50, 30), PixelOf(*expected, 5, 5)), 50 * 30) << std::hex << PixelOf(*shot, 5, 5) << " " << PixelOf(*expected, 5, 5);
  EXPECT_EQ(PixelOf(*expected, 5, 5), Mix(kNormal, kHot, 204));

  // The control freed during its fade stops the timer; later messages find nothing of it.
  f->Free();
  Settle(4, 5);
  // A control freed while it is handed a frame: the tick ends without touching it or its state.
  auto* g = Fader("FADER");
  g->FreeOnFrame = true;
  g->Perform(fw::CM_MOUSEENTER);
  skin::TkFadeTimer* timer = g->FadeTimer();
  ASSERT_NE(timer, nullptr);
  timer->SetEnabled(false);
  const int before = form->GetComponentCount();
  timer->Tick();
  EXPECT_EQ(form->GetComponentCount(), before - 1);
  Settle(4, 5);
}

}  // namespace
