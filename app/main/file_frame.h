// TfrmFile: the "file_frame1" navigation frame of the main window's bar.
#pragma once
#include "app/main/navigation_frame.h"

namespace app {

class TfrmFile : public TfrmNavigation {
  FW_CLASS(TfrmFile, TfrmNavigation)
 public:
  explicit TfrmFile(fw::TComponent* owner);

  void kSpeedButton1Click(fw::TObject* Sender);
  void kSpeedButton2Click(fw::TObject* Sender);
  void kSpeedButton3Click(fw::TObject* Sender);

 protected:
  ~TfrmFile() override = default;
  void CreateComponents() override;
};

}  // namespace app
