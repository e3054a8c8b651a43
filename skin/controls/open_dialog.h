// TkOpenDialog: the skinned open-file dialog. Until the skinned dialog exists it shows the
// framework's, which tests answer through the file dialog service.
#pragma once
#include "framework/dialogs/open_dialog.h"

namespace skin {

class TkOpenDialog : public fw::TOpenDialog {
  FW_CLASS(TkOpenDialog, fw::TOpenDialog)
 public:
  explicit TkOpenDialog(fw::TComponent* owner);

 protected:
  ~TkOpenDialog() override = default;
};

}  // namespace skin
