#include "app/main/navigation_frame.h"

#include "app/main/main_form.h"

namespace app {

namespace {
// The frame's width as laid out; the bar then gives it its items' width.
constexpr int kDesignWidth = 131;
// The gap around each tile: to the frame's sides, above the first and between two tiles.
constexpr int kTileGap = 4;
constexpr int kTileHeight = 62;
}  // namespace

TfrmNavigation::TfrmNavigation(fw::TComponent* owner) : fw::TFrame(owner) {}

void TfrmNavigation::CreateButtons(const std::string& caption1, const std::string& caption2,
                                   const std::string& caption3, int firstImage, int groupIndex) {
  SetBounds(0, 0, kDesignWidth, 210);
  // The tiles follow the width the bar gives the frame: they never scroll sideways.
  GetHorzScrollBar()->SetVisible(false);
  kFrameAdapter1 = fw::New<skin::TkFrameAdapter>(this);
  kFrameAdapter1->SetName("kFrameAdapter1");
  kSpeedButton1 = MakeButton("kSpeedButton1", caption1, 0, firstImage, groupIndex);
  kSpeedButton2 = MakeButton("kSpeedButton2", caption2, 1, firstImage + 1, groupIndex);
  kSpeedButton3 = MakeButton("kSpeedButton3", caption3, 2, firstImage + 2, groupIndex);
}

skin::TkSpeedButton* TfrmNavigation::MakeButton(const std::string& name, const std::string& caption, int index,
                                                int image, int groupIndex) {
  auto* button = fw::New<skin::TkSpeedButton>(this);
  button->SetName(name);
  // As far from the frame's right side as from its left one, whatever width the bar gives it.
  button->SetBounds(kTileGap, kTileGap + index * (kTileHeight + kTileGap), kDesignWidth - 2 * kTileGap, kTileHeight);
  button->SetAnchors(fw::TAnchors{fw::akLeft, fw::akTop, fw::akRight});
  button->SetCaption(caption);
  button->SetFlat(true);
  button->SetLayout(fw::blGlyphTop);
  button->SetGroupIndex(groupIndex);
  button->SetAllowAllUp(true);
  if (frmMain && frmMain->il22) {
    button->SetImages(frmMain->il22);
    button->SetImageIndex(image);
  }
  button->SetParent(this);
  return button;
}

void TfrmNavigation::SetDownButton(int index) {
  kSpeedButton1->SetDown(index == 1);
  kSpeedButton2->SetDown(index == 2);
  kSpeedButton3->SetDown(index == 3);
}

}  // namespace app
