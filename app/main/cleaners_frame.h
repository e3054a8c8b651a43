// TfrmCleaners: the "cleaners_frame1" navigation frame of the main window's bar.
#pragma once
#include "app/main/navigation_frame.h"

namespace app {

class TfrmCleaners : public TfrmNavigation {
  FW_CLASS(TfrmCleaners, TfrmNavigation)
 public:
  explicit TfrmCleaners(fw::TComponent* owner);

  void kSpeedButton1Click(fw::TObject* Sender);
  void kSpeedButton2Click(fw::TObject* Sender);
  void kSpeedButton3Click(fw::TObject* Sender);

 protected:
  ~TfrmCleaners() override = default;
  void CreateComponents() override;
};

}  // namespace app
