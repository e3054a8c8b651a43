// TfrmAttributeInfo ("Detail info"): one item's location, size (files only), read-only, archive,
// system and hidden attributes and its three times in local time on the DOS grid. Escape and
// OK close it; closing frees it.
#pragma once
#include <cstdint>
#include <string>

#include "framework/forms/custom_form.h"
#include "framework/graphics/icon.h"
#include "framework/win.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/check_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/group_box.h"
#include "skin/controls/label.h"

namespace app {

class TfrmAttributeInfo : public fw::TForm {
  FW_CLASS(TfrmAttributeInfo, fw::TForm)
 public:
  explicit TfrmAttributeInfo(fw::TComponent* owner);

  skin::TkLabel* kLabel1 = nullptr;  // "Location:"
  skin::TkEdit* kEdit1 = nullptr;
  skin::TkLabel* kLabel2 = nullptr;  // "Size:"
  skin::TkLabel* kLabel3 = nullptr;  // the size
  skin::TkGroupBox* kGroupBox1 = nullptr;  // "Attribute"
  skin::TkCheckBox* kCheckBox1 = nullptr;  // "Read Only"
  skin::TkCheckBox* kCheckBox2 = nullptr;  // "Archive"
  skin::TkCheckBox* kCheckBox3 = nullptr;  // "System"
  skin::TkCheckBox* kCheckBox4 = nullptr;  // "Hidden"
  skin::TkGroupBox* kGroupBox2 = nullptr;  // "DateTime"
  skin::TkLabel* kLabel4 = nullptr;  // "Created:"
  skin::TkLabel* kLabel5 = nullptr;  // "Modified:"
  skin::TkLabel* kLabel6 = nullptr;  // "Accessed:"
  skin::TkLabel* kLabel7 = nullptr;  // creation time
  skin::TkLabel* kLabel8 = nullptr;  // last write time
  skin::TkLabel* kLabel9 = nullptr;  // last access time
  skin::TkBitBtn* kBitBtn1 = nullptr;  // OK

  // Set by the opener: the item's path, its small icon (not owned, not shown) and its size.
  std::string itemPath;
  fw::TIcon* itemIcon = nullptr;
  int64_t itemSize = 0;

  void FormShow(fw::TObject* Sender);
  void FormKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState Shift);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void kBitBtn1Click(fw::TObject* Sender);

 protected:
  ~TfrmAttributeInfo() override = default;
  void CreateComponents() override;
};

}  // namespace app
