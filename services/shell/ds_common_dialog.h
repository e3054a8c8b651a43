// TDsCommonDialog: the base of the library's dialog-style components; EDsException: their
// error.
#pragma once
#include "framework/dialogs/open_dialog.h"
#include "framework/rtl/exceptions.h"

namespace svc {

class EDsException : public fw::Exception {
 public:
  using Exception::Exception;
};

class TDsCommonDialog : public fw::TCommonDialog {
  FW_CLASS(TDsCommonDialog, fw::TCommonDialog)
 public:
  explicit TDsCommonDialog(fw::TComponent* owner) : fw::TCommonDialog(owner) {}

 protected:
  ~TDsCommonDialog() override = default;
};

}  // namespace svc
