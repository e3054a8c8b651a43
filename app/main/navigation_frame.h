// TfrmNavigation: what the three navigation frames of the main window's bar share: three flat
// buttons with 22-pixel images, one under the other, each switching to a tool panel, and the
// frame's skin adapter. TfrmCleaners, TfrmSystem and TfrmFile give the captions and actions.
#pragma once
#include <string>

#include "framework/forms/frame.h"
#include "skin/controls/speed_button.h"
#include "skin/engine/frame_adapter.h"

namespace app {

class TfrmNavigation : public fw::TFrame {
  FW_CLASS(TfrmNavigation, fw::TFrame)
 public:
  explicit TfrmNavigation(fw::TComponent* owner);

  skin::TkSpeedButton* kSpeedButton1 = nullptr;
  skin::TkSpeedButton* kSpeedButton2 = nullptr;
  skin::TkSpeedButton* kSpeedButton3 = nullptr;
  skin::TkFrameAdapter* kFrameAdapter1 = nullptr;

  // Puts the button of index 1 to 3 down and the other two up.
  void SetDownButton(int index);

 protected:
  ~TfrmNavigation() override = default;
  // Creates the three buttons (captions, first image of il22, group) without handlers.
  void CreateButtons(const std::string& caption1, const std::string& caption2, const std::string& caption3,
                     int firstImage, int groupIndex);

 private:
  skin::TkSpeedButton* MakeButton(const std::string& name, const std::string& caption, int index, int image,
                                  int groupIndex);
};

}  // namespace app
