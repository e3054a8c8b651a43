// TfrmSystem: the "system_frame1" navigation frame of the main window's bar.
#pragma once
#include "app/main/navigation_frame.h"

namespace app {

class TfrmSystem : public TfrmNavigation {
  FW_CLASS(TfrmSystem, TfrmNavigation)
 public:
  explicit TfrmSystem(fw::TComponent* owner);

  void kSpeedButton1Click(fw::TObject* Sender);
  void kSpeedButton2Click(fw::TObject* Sender);
  void kSpeedButton3Click(fw::TObject* Sender);

 protected:
  ~TfrmSystem() override = default;
  void CreateComponents() override;
};

}  // namespace app
