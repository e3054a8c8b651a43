#include "app/main/navigation_frame.h"

#include "app/main/main_form.h"

namespace app {

TfrmNavigation::TfrmNavigation(fw::TComponent* owner) : fw::TFrame(owner) {}

void TfrmNavigation::CreateButtons(const std::string& caption1, const std::string& caption2,
                                   const std::string& caption3, int firstImage, int groupIndex) {
  SetBounds(0, 0, 131, 210);
  // The bar gives the frame its items' width, a little less than the buttons' reach: the
  // buttons never scroll sideways.
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
  button->SetBounds(10, 4 + index * 66, 111, 62);
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
