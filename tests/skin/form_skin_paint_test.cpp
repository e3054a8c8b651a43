// What a skinned form shows: its frame, title band, caption buttons in every state, the
// inactive look, the grip and the menu line; its region without the transparent corners; the
// faces of borderless and dialog forms; a button restored without a seam; a narrow window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "framework/controls/graphic_control.h"
#include "framework/forms/application.h"
#include "framework/menus/main_menu.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/gradient_data.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "support/form_skin_fixture.h"

namespace {

using namespace testing_form_skin;

class FormSkinPaint : public FormSkinTest {};

// A windowless child that fills its left half with its colour, counts its paints and notes
// whether it painted as a copy and what lay under its right half before it painted.
class TPaintProbe : public fw::TGraphicControl {
 public:
  TPaintProbe(fw::TComponent* owner, fw::TColor colour, bool opaque) : fw::TGraphicControl(owner), Colour(colour) {
    if (opaque) SetControlStyle(GetControlStyle() + fw::csOpaque);
  }
  fw::TColor Colour;
  int Paints = 0;
  bool PaintCopy = false;
  fw::TColor Under = 0;

 protected:
  void Paint() override {
    ++Paints;
    PaintCopy = GetControlState().Contains(fw::csPaintCopy);
    HDC dc = GetCanvas()->GetHandle();
    Under = static_cast<fw::TColor>(GetPixel(dc, GetWidth() - 2, GetHeight() / 2));
    const RECT half{0, 0, GetWidth() / 2, GetHeight()};
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(Colour));
    FillRect(dc, &half, brush);
    DeleteObject(brush);
  }
};

TEST_F(FormSkinPaint, FrameTitleAndButtonsInEveryState) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biMaximize});
  HWND wnd = form->GetHandle();
  EXPECT_TRUE(form->GetBorderIcons().Empty());  // the system draws no buttons of its own
  // The frame at the left and bottom edges, the title band at the top.
  EXPECT_EQ(WindowPixel(1, 150), kFrame);
  EXPECT_EQ(WindowPixel(160, 198), kFrame);
  EXPECT_EQ(WindowPixel(100, provider->SysBorderHeight() + 2), kTitle);
  // Close, maximize and minimize from the right, 16 x 14 each, in the normal frame.
  const fw::TRect close = provider->Button(HTCLOSE).Rect, max = provider->Button(HTMAXBUTTON).Rect,
                  min = provider->Button(HTMINBUTTON).Rect;
  EXPECT_EQ(close.Right, 320 - provider->SysBorderWidth());
  EXPECT_EQ(close.Width(), 16);
  EXPECT_EQ(max.Right, close.Left);
  EXPECT_EQ(min.Right, max.Left);
  EXPECT_EQ(WindowPixel(close.Left + 8, close.Top + 7), kBtn);
  // Hot while the mouse is over it, pressed by the left button, normal again once left.
  EXPECT_EQ(SendMessageA(wnd, WM_NCHITTEST, 0, ScreenAt(close)), HTCLOSE);
  EXPECT_EQ(WindowPixel(close.Left + 8, close.Top + 7), kBtnHot);
  SendMessageA(wnd, WM_NCLBUTTONDOWN, HTMAXBUTTON, ScreenAt(max));
  EXPECT_EQ(WindowPixel(max.Left + 8, max.Top + 7), kBtnPressed);
  EXPECT_EQ(WindowPixel(close.Left + 8, close.Top + 7), kBtn);
  EXPECT_EQ(SendMessageA(wnd, WM_NCHITTEST, 0, ScreenAt(100, 100)), HTCLIENT);
  EXPECT_EQ(WindowPixel(max.Left + 8, max.Top + 7), kBtn);
  // The transparent corner lies outside the window region; the frame inside it.
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(wnd, rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_FALSE(PtInRegion(rgn, 319, 199));
  EXPECT_TRUE(PtInRegion(rgn, 1, 1));
  DeleteObject(rgn);
}

// A tool window's caption is low: its title text still shows whole, as the text written alone.
TEST_F(FormSkinPaint, AToolWindowsTitleTextIsWhole) {
  MakeForm(fw::bsSizeToolWin, skin::TkBorderIcons{fw::biSystemMenu});
  const std::string caption = "Open Jpg";
  form->SetCaption(caption);
  Settle(8);
  // The text alone, in the title's font and colours, with room around it.
  fw::TBitmap alone;
  alone.SetPixelFormat(fw::pf24bit);
  alone.SetSize(200, 60);
  fw::TCanvas* canvas = alone.GetCanvas();
  canvas->GetBrush()->SetColor(kTitle);
  canvas->FillRect(fw::TRect(0, 0, 200, 60));
  canvas->GetFont()->Assign(form->GetFont());
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  canvas->GetFont()->SetSize(std::abs(metrics.lfStatusFont.lfHeight));
  canvas->GetFont()->SetStyle(canvas->GetFont()->GetStyle() + fw::fsBold);
  ASSERT_GT(canvas->TextHeight(caption), provider->CaptionHeight()) << "the text is taller than the caption";
  fw::TRect r(10, 10, 190, 50);
  skin::WriteTextColored(canvas, caption, true, manager, provider->GetFormActive(), manager->GetSkinIndex("FORMTITLE"),
                         DT_LEFT | DT_EXPANDTABS | DT_VCENTER, r);
  int expected = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) expected += GetPixel(canvas->GetHandle(), x, y) != static_cast<COLORREF>(kTitle);
  ASSERT_GT(expected, 0);
  // The title strip as the screen shows it, left of the caption buttons.
  GdiFlush();
  RECT w{};
  GetWindowRect(form->GetHandle(), &w);
  HDC screen = GetDC(nullptr);
  int shown = 0;
  const int right = provider->Button(HTCLOSE).Rect.Left;
  for (int y = 0; y < provider->CaptionHeight() + provider->SysBorderHeight(); ++y)
    for (int x = provider->SysBorderWidth(); x < right; ++x) {
      const auto c = static_cast<fw::TColor>(GetPixel(screen, w.left + x, w.top + y));
      shown += c != kTitle && c != kFrame;
    }
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(shown, expected);
}

TEST_F(FormSkinPaint, InactiveLookOnceAnotherFormIsActive) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  const fw::TRect close = provider->Button(HTCLOSE).Rect;
  EXPECT_EQ(WindowPixel(close.Left + 8, close.Top + 7), kBtn);
  SendMessageA(form->GetHandle(), WM_NCACTIVATE, FALSE, 0);
  Settle(8);
  EXPECT_FALSE(provider->GetFormActive());
  EXPECT_NE(WindowPixel(close.Left + 8, close.Top + 7), kBtn);  // drawn faint
  SendMessageA(form->GetHandle(), WM_NCACTIVATE, TRUE, 0);
  Settle(8);
  EXPECT_EQ(WindowPixel(close.Left + 8, close.Top + 7), kBtn);
}

TEST_F(FormSkinPaint, GripAndMenuLine) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  provider->SetGripMode(skin::gmRightBottom);
  auto* menu = fw::New<fw::TMainMenu>(form);
  std::vector<std::string> drawn;
  for (const char* caption : {"File", "Edit", "View", "Window", "Help"}) {
    auto* item = fw::New<fw::TMenuItem>(form);
    item->SetCaption(caption);
    item->OnMeasureItem = [](fw::TObject*, fw::TCanvas*, int& w, int& h) {
      w = 90;
      h = 18;
    };
    item->OnAdvancedDrawItem = [&drawn](fw::TObject* sender, fw::TCanvas*, fw::TRect, fw::TOwnerDrawState) {
      drawn.push_back(static_cast<fw::TMenuItem*>(sender)->GetCaption());
    };
    menu->GetItems()->Add(item);
  }
  menu->SetOwnerDraw(true);
  form->SetMenu(menu);
  provider->RepaintNonClient();
  Settle(8);
  // Five 90-pixel items in a 320-pixel window: the line wraps onto more rows.
  EXPECT_GT(provider->MenuLineRows(), 1);
  EXPECT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.front(), "File");
  const int top = provider->CaptionHeight() + provider->SysBorderHeight();
  EXPECT_EQ(WindowPixel(318 - provider->SysBorderWidth(), top + 2), kMenuLine);
  InvalidateRect(form->GetHandle(), nullptr, FALSE);  // the grip lies in the client area
  const fw::TPoint grip = provider->GripImagePos();
  EXPECT_EQ(WindowPixel(grip.X + 5, grip.Y + 5), kGrip);
}

// The grip image shows and sizes only a form that can be resized: a fixed dialog shows its
// frame's face in that corner and answers there as the frame does.
TEST_F(FormSkinPaint, GripOnlyOnASizeableForm) {
  for (fw::TFormBorderStyle style : {fw::bsSizeable, fw::bsSizeToolWin, fw::bsSingle, fw::bsDialog, fw::bsToolWindow}) {
    SCOPED_TRACE(static_cast<int>(style));
    MakeForm(style, skin::TkBorderIcons{fw::biSystemMenu});
    provider->SetGripMode(skin::gmRightBottom);
    provider->RepaintNonClient();
    InvalidateRect(form->GetHandle(), nullptr, FALSE);
    Settle(8);
    const bool sizeable = style == fw::bsSizeable || style == fw::bsSizeToolWin;
    EXPECT_EQ(provider->ShowsGrip(), sizeable);
    const fw::TPoint grip = provider->GripImagePos();
    EXPECT_EQ(WindowPixel(grip.X + 5, grip.Y + 5) == kGrip, sizeable);
    EXPECT_EQ(HitAt(fw::TRect(grip.X + 4, grip.Y + 4, grip.X + 6, grip.Y + 6)) == HTBOTTOMRIGHT, sizeable);
  }
}

TEST_F(FormSkinPaint, BorderlessDialogAndMaskless) {
  MakeForm(fw::bsNone, skin::TkBorderIcons{fw::biSystemMenu});
  EXPECT_EQ(WindowPixel(100, 3), kFrame);  // the FORM face only: no title band
  EXPECT_EQ(provider->Button(HTCLOSE).Rect.Width(), 0);
  MakeForm(fw::bsDialog, skin::TkBorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biMaximize});
  const fw::TRect close = provider->Button(HTCLOSE).Rect;
  EXPECT_EQ(WindowPixel(close.Left + 8, close.Top + 7), kBtn);
  EXPECT_EQ(provider->Button(HTMAXBUTTON).Rect.Width(), 0);  // close only
  EXPECT_EQ(provider->Button(HTMINBUTTON).Rect.Width(), 0);
  // A skin without a FORM border mask: a plain rectangle.
  LoadSkin(test_skins::MaskPicture({kFrame}, 4, 4, false), {{"GLOBALINFO", ""}, {"FORM", ""}});
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  EXPECT_TRUE(provider->GetRegionRects().empty());
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(form->GetHandle(), rgn) != ERROR) {
    EXPECT_TRUE(PtInRegion(rgn, 0, 0));
  }
  DeleteObject(rgn);
  // Without button images the buttons take 21 pixels.
  EXPECT_EQ(provider->CaptionButtonWidth(provider->Button(HTCLOSE)), 21);
  EXPECT_EQ(provider->CaptionButtonHeight(), 21);
}

TEST_F(FormSkinPaint, MasksWithoutFrames) {
  // Button images and a border mask whose image count is 0 are no valid images: fallbacks.
  LoadSkin(test_skins::MaskPicture({kFrame, kBtn}, 16, 14, false), {{"GLOBALINFO", ""}, {"FORM", ""}},
           [](skin::TkStoredSkin& s) {
             testing_paint::AddImage(s, "FORM", "BORDERSMASK", fw::TRect(0, 0, 32, 14), 0, 0, 4, 0);
             testing_paint::AddImage(s, "FORM", "TITLEBAR", fw::TRect(0, 0, 32, 14), 0, 0, 4, 0);
             testing_paint::AddImage(s, "GLOBALINFO", "BICONCLOSE", fw::TRect(0, 0, 32, 14), 0, 0, 0, 0);
             testing_paint::AddImage(s, "GLOBALINFO", "GRIPIMAGE", fw::TRect(0, 0, 32, 14), 0, 0, 0, 0);
           });
  // The loader reads a count of 0 as the default; a damaged table can still hold one.
  for (auto& mask : const_cast<skin::TkMaskArray&>(manager->GetMasks())) mask.ImageCount = 0;
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  provider->SetGripMode(skin::gmRightBottom);
  provider->RepaintNonClient();
  Settle(8);
  EXPECT_EQ(provider->CaptionButtonWidth(provider->Button(HTCLOSE)), 21);
  EXPECT_EQ(provider->CaptionButtonHeight(), 21);
  EXPECT_EQ(provider->TitleReservedWidth(provider->Button(HTCLOSE).ImageIndex), provider->CaptionButtonsWidth());
  EXPECT_TRUE(IsWindowVisible(form->GetHandle()));
}

TEST_F(FormSkinPaint, ButtonRestoredWithoutSeamAndNarrowWindow) {
  // A title band whose every column differs from its neighbours.
  std::string stripes;
  for (int i = 0; i < 100; ++i) stripes += i % 2 ? "16777215;0;1;1;0;" : "0;16777215;1;1;0;";
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  auto& section = const_cast<skin::TkGeneralData&>(manager->GetSections()[manager->GetSkinIndex("FORMTITLE")]);
  section.GradientPercent = section.HotGradientPercent = 100;
  skin::ParseGradientData(stripes, section.Gradient);
  skin::ParseGradientData(stripes, section.HotGradient);
  provider->RepaintNonClient();
  Settle(8);
  const fw::TRect close = provider->Button(HTCLOSE).Rect;
  fw::TBitmap* cache = provider->GetSkinData()->CacheBmp.get();
  // The corners of the button frame show the title band under it: the same before and after
  // the button was redrawn from the saved background.
  const fw::TColor corner = test_skins::PixelOf(*cache, close.Left, close.Top);
  const fw::TColor right = test_skins::PixelOf(*cache, close.Right - 1, close.Top);
  ASSERT_NE(corner, test_skins::PixelOf(*cache, close.Left - 1, close.Top));
  // The band's stripes run top to bottom: the row above the button shows what lies under it.
  EXPECT_EQ(corner, test_skins::PixelOf(*cache, close.Left, close.Top - 1));
  EXPECT_EQ(right, test_skins::PixelOf(*cache, close.Right - 1, close.Top - 1));
  provider->SetHotButton(HTCLOSE);
  provider->SetHotButton(0);
  EXPECT_EQ(test_skins::PixelOf(*cache, close.Left, close.Top), corner);
  EXPECT_EQ(test_skins::PixelOf(*cache, close.Right - 1, close.Top), right);
  // A window too narrow for its buttons: a button reaching the icon is not drawn.
  provider->SetShowAppIcon(true);
  provider->GetTitleIcon()->SetWidth(form->GetWidth());
  provider->RepaintNonClient();
  Settle(8);
  EXPECT_TRUE(IsWindowVisible(form->GetHandle()));
  EXPECT_NE(test_skins::PixelOf(*provider->GetSkinData()->CacheBmp, close.Left + 8, close.Top + 7), kBtn);
}

TEST_F(FormSkinPaint, ChildNamedByCommand15PaintsAlone) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  auto* named = fw::New<TPaintProbe>(form, 0x1030F0, false);
  named->SetBounds(10, 2, 40, 20);
  named->SetParent(form);
  auto* opaque = fw::New<TPaintProbe>(form, 0xF03010, true);
  opaque->SetBounds(10, 40, 40, 20);
  opaque->SetParent(form);
  auto* other = fw::New<TPaintProbe>(form, 0x10F030, false);
  other->SetBounds(80, 2, 40, 20);
  other->SetParent(form);
  Settle(8);
  HWND wnd = form->GetHandle();
  const int ox = provider->ClientOffsetX(), oy = provider->ClientOffsetY();
  auto cmd15 = [&](fw::TControl* child) {
    SendMessageA(wnd, skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdGraphicRepaints), reinterpret_cast<LPARAM>(child));
  };
  // The whole form invalid, one child named: only that child paints, as a copy, over its own
  // piece of the form's face, and the piece goes on the screen.
  named->Paints = opaque->Paints = other->Paints = 0;
  cmd15(named);
  InvalidateRect(wnd, nullptr, FALSE);
  UpdateWindow(wnd);
  EXPECT_EQ(named->Paints, 1);
  EXPECT_EQ(other->Paints, 0);
  EXPECT_EQ(opaque->Paints, 0);
  EXPECT_TRUE(named->PaintCopy);
  EXPECT_FALSE(named->GetControlState().Contains(fw::csPaintCopy));  // only for the duration
  EXPECT_EQ(named->Under, kFrame);  // the client face, not the title band above it
  EXPECT_EQ(WindowPixel(ox + 10 + 5, oy + 2 + 10), 0x1030F0);
  EXPECT_EQ(WindowPixel(ox + 10 + 35, oy + 2 + 10), kFrame);
  // An opaque child paints straight onto the window at its place.
  cmd15(opaque);
  opaque->Repaint();
  EXPECT_EQ(opaque->Paints, 1);
  EXPECT_TRUE(opaque->PaintCopy);
  EXPECT_EQ(WindowPixel(ox + 10 + 5, oy + 40 + 10), 0xF03010);
  // Nobody named: the whole client area with every child, none of them as a copy.
  cmd15(nullptr);
  named->Paints = opaque->Paints = other->Paints = 0;
  InvalidateRect(wnd, nullptr, FALSE);
  UpdateWindow(wnd);
  EXPECT_EQ(named->Paints, 1);
  EXPECT_EQ(other->Paints, 1);
  EXPECT_FALSE(named->PaintCopy);
  EXPECT_EQ(WindowPixel(ox + 80 + 5, oy + 2 + 10), 0x10F030);
  // A value naming no child of the form paints the whole form.
  cmd15(form);
  other->Paints = 0;
  InvalidateRect(wnd, nullptr, FALSE);
  UpdateWindow(wnd);
  EXPECT_EQ(other->Paints, 1);
  cmd15(nullptr);
}

// A windowed child that counts the form's word that it has painted (command 6).
class TPaintedProbe : public fw::TWinControl {
 public:
  using fw::TWinControl::TWinControl;
  int Told = 0;

 protected:
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == skin::SM_SKINCMD && skin::SkinCmdOf(m.WParam) == skin::cmdParentPainted) ++Told;
    fw::TWinControl::WndProc(m);
  }
};

// A child that asked while the form was updating skipped its paint: the form's next paint tells
// it to paint (a combo box placed on a dialog stayed black otherwise). A form painted with no
// child waiting tells nobody.
TEST_F(FormSkinPaint, ChildrenThatFoundTheFormUpdatingHearWhenItHasPainted) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  auto* child = fw::New<TPaintedProbe>(form);
  child->SetBounds(10, 10, 40, 20);
  child->SetParent(form);
  Settle(8);
  HWND wnd = form->GetHandle();
  auto repaintForm = [&] {
    InvalidateRect(wnd, nullptr, FALSE);
    UpdateWindow(wnd);
  };
  child->Told = 0;
  repaintForm();
  EXPECT_EQ(child->Told, 0) << "nobody waited";

  // The form starts updating; the child asks and is told so; the update ends.
  SendMessageA(wnd, skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdSetUpdating, 1), 0);
  EXPECT_TRUE(skin::ControlAnswersCmd(form, skin::cmdIsUpdating));
  SendMessageA(wnd, skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdSetUpdating, 0), 0);
  EXPECT_EQ(child->Told, 0);
  repaintForm();
  EXPECT_EQ(child->Told, 1);
  repaintForm();
  EXPECT_EQ(child->Told, 1) << "told once";
}

TEST_F(FormSkinPaint, TitleButtonGlyphShowsTheTitleBandThroughItsTransparentPixels) {
  MakeForm(fw::bsSizeable, skin::TkBorderIcons{fw::biSystemMenu});
  // A white glyph (its bottom-left pixel says white is transparent) with a solid block inside.
  constexpr fw::TColor kGlyph = 0x20F0F0;
  std::unique_ptr<fw::TBitmap> glyph = testing_paint::Filled(12, 10, 0xFFFFFF);
  const RECT block{3, 3, 9, 7};
  HBRUSH brush = CreateSolidBrush(kGlyph);
  FillRect(glyph->GetCanvas()->GetHandle(), &block, brush);
  DeleteObject(brush);
  auto* title = static_cast<skin::TkTitleButton*>(provider->GetTitleButtons()->Add());
  title->SetGlyph(glyph.get());
  provider->RepaintNonClient();
  Settle(8);
  const int code = skin::HTTITLEBUTTON;
  const fw::TRect r = provider->Button(code).Rect;
  ASSERT_GT(r.Width(), 12);
  int leftmost = provider->Button(HTCLOSE).Rect.Left;
  for (int system : {HTMAXBUTTON, HTMINBUTTON})
    if (provider->Button(system).Rect.Width() > 0) leftmost = std::min(leftmost, provider->Button(system).Rect.Left);
  EXPECT_EQ(r.Right, leftmost);  // beside the system buttons
  // The glyph's place in the button: centred.
  const int gx = r.Left + (r.Width() - 12) / 2, gy = r.Top + (r.Height() - 10) / 2;
  auto check = [&](int shift, const char* state) {
    SCOPED_TRACE(state);
    EXPECT_EQ(WindowPixel(gx + shift + 5, gy + shift + 5), kGlyph);
    EXPECT_EQ(WindowPixel(gx + shift + 1, gy + shift + 1), kTitle);  // white glyph pixels are not drawn
    EXPECT_EQ(WindowPixel(gx + shift + 10, gy + shift + 8), kTitle);
  };
  check(0, "normal");
  EXPECT_EQ(SendMessageA(form->GetHandle(), WM_NCHITTEST, 0, ScreenAt(r)), code);
  check(0, "hot");
  SendMessageA(form->GetHandle(), WM_NCLBUTTONDOWN, code, ScreenAt(r));
  check(1, "pressed");  // one pixel right and down
  EXPECT_EQ(WindowPixel(gx + 3, gy + 5), kTitle);
  provider->SetHotButton(0);
  check(0, "normal again");
}

}  // namespace
