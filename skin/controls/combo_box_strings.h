// TkCustomComboBoxStrings/TkComboBoxStrings: the items of an extended combo box, kept by its
// window alone and read and written with CB_ messages (no copy of their own).
#pragma once
#include <string>

#include "framework/classes/string_list.h"
#include "framework/controls/win_control.h"

namespace skin {

class TkCustomComboBoxStrings : public fw::TStrings {
  FW_CLASS(TkCustomComboBoxStrings, fw::TStrings)
 public:
  explicit TkCustomComboBoxStrings(fw::TWinControl* combo) : FCombo(combo) {}

  int GetCount() const override;
  void Delete(int index) override;
  // Empties the list; the text stays.
  void Clear() override;
  int IndexOf(const std::string& s) const override;
  std::string Get(int index) const override;
  // Raises "List index out of bounds" for an index the window does not hold.
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;

 protected:
  void SetUpdateState(bool updating) override;
  LRESULT Send(UINT msg, WPARAM w, LPARAM l) const;
  fw::TWinControl* FCombo;
};

class TkComboBoxStrings : public TkCustomComboBoxStrings {
  FW_CLASS(TkComboBoxStrings, TkCustomComboBoxStrings)
 public:
  using TkCustomComboBoxStrings::TkCustomComboBoxStrings;

  // Both raise EOutOfResources "Unable to insert a line" when the window refuses.
  int Add(const std::string& s) override;
  void Insert(int index, const std::string& s) override;
};

}  // namespace skin
