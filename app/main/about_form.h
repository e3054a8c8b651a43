// TfrmAbout1: the About box: the program's image and name and an OK button. Escape closes it;
// closing frees it.
#pragma once
#include "framework/extctrls/image.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/bevel.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/label.h"
#include "skin/engine/skin_provider.h"

namespace app {

class TfrmAbout1 : public fw::TForm {
  FW_CLASS(TfrmAbout1, fw::TForm)
 public:
  explicit TfrmAbout1(fw::TComponent* owner);

  fw::TImage* Image1 = nullptr;
  skin::TkBevel* Bevel1 = nullptr;
  skin::TkLabel* kLabel1 = nullptr;
  skin::TkBitBtn* kBitBtn1 = nullptr;
  skin::TkSkinProvider* skinProvider = nullptr;

  void FormKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState Shift);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);

 protected:
  ~TfrmAbout1() override = default;
  void CreateComponents() override;
};

}  // namespace app
