// TfrmAddMask: the dialog that enters or edits one junk-file mask of the Settings window. It
// shows and, on OK, gives back the window's three mask fields. A mask may not be empty, and
// neither it nor its description may hold "=", which separates the fields of an ext.ini line:
// OK then tells the user and the dialog stays open. Cancel and Escape leave the fields as they
// were. Closing frees it.
#pragma once
#include "framework/forms/custom_form.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/check_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"

namespace app {

class TfrmAddMask : public fw::TForm {
  FW_CLASS(TfrmAddMask, fw::TForm)
 public:
  explicit TfrmAddMask(fw::TComponent* owner);

  skin::TkLabel* kLabel1 = nullptr;
  skin::TkEdit* kEdit1 = nullptr;
  skin::TkLabel* kLabel2 = nullptr;
  skin::TkEdit* kEdit2 = nullptr;
  skin::TkCheckBox* kCheckBox1 = nullptr;
  skin::TkBitBtn* kBitBtn1 = nullptr;  // OK
  skin::TkBitBtn* kBitBtn2 = nullptr;  // Cancel

  void FormCreate(fw::TObject* Sender);
  void FormKeyPress(fw::TObject* Sender, char& Key);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void kBitBtn1Click(fw::TObject* Sender);
  void kBitBtn2Click(fw::TObject* Sender);

 protected:
  ~TfrmAddMask() override = default;
  void CreateComponents() override;
};

}  // namespace app
