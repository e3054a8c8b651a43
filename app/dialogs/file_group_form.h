// TfrmAddDFGroup: the Duplicate finder's group dialog. Edits the groups of dfext.ini (one
// section per group, keys "1", "2", ... holding the wildcards): add, rename and delete groups,
// add, edit and delete the wildcards of the group named in the combo box.
#pragma once
#include <string>

#include "framework/forms/custom_form.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/list_box.h"
#include "skin/controls/speed_button.h"

namespace app {

class TfrmAddDFGroup : public fw::TForm {
  FW_CLASS(TfrmAddDFGroup, fw::TForm)
 public:
  explicit TfrmAddDFGroup(fw::TComponent* owner);

  skin::TkComboBox* kComboBox1 = nullptr;
  skin::TkListBox* kListBox1 = nullptr;
  skin::TkSpeedButton* kSpeedButton1 = nullptr;  // Add group
  skin::TkSpeedButton* kSpeedButton2 = nullptr;  // Edit group
  skin::TkSpeedButton* kSpeedButton3 = nullptr;  // Delete group
  skin::TkSpeedButton* kSpeedButton4 = nullptr;  // Add wildcard
  skin::TkSpeedButton* kSpeedButton5 = nullptr;  // Edit wildcard
  skin::TkSpeedButton* kSpeedButton6 = nullptr;  // Delete wildcard
  skin::TkBitBtn* kBitBtn1 = nullptr;            // OK

  // Lists the groups of the file, selects group index and shows its wildcards.
  void FillCB(int index);

  void FormCreate(fw::TObject* Sender);
  void FormKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState Shift);
  void kComboBox1Change(fw::TObject* Sender);
  void kSpeedButton1Click(fw::TObject* Sender);
  void kSpeedButton2Click(fw::TObject* Sender);
  void kSpeedButton3Click(fw::TObject* Sender);
  void kSpeedButton4Click(fw::TObject* Sender);
  void kSpeedButton5Click(fw::TObject* Sender);
  void kSpeedButton6Click(fw::TObject* Sender);

 protected:
  ~TfrmAddDFGroup() override = default;
  void CreateComponents() override;

 private:
  std::string FileName() const;
  std::string Group() const;
  void ShowWildcards();
  // Erases the group's section and writes the list box's lines as keys "1".."n".
  void RewriteGroup();
  // False, after telling the user why, when name may not become a group name.
  bool AcceptableName(const std::string& name) const;
};

}  // namespace app
