// TkListBox: a list of text lines over the native LISTBOX class, with one selected line.
// The lines live in Items, which keeps its own copy and mirrors every change into the window,
// so the list works before the window exists and survives its re-creation.
#pragma once
#include <memory>

#include "framework/controls/win_control.h"
#include "framework/classes/string_list.h"

namespace skin {

// Selecting another line with the mouse or keys raises Click (OnClick).
class TkListBox : public fw::TWinControl {
  FW_CLASS(TkListBox, fw::TWinControl)
 public:
  explicit TkListBox(fw::TComponent* owner);

  fw::TStringList* GetItems() const { return FItems.get(); }
  // The selected line, -1 when none.
  int GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);
  bool GetSorted() const { return FItems->GetSorted(); }
  void SetSorted(bool value) { FItems->SetSorted(value); }
  // Removes every line.
  void Clear() { FItems->Clear(); }
  // Deletes the selected line; nothing when none is selected.
  void DeleteSelected();

  void Dispatch(fw::TMessage& msg) override;

 protected:
  ~TkListBox() override;
  void CreateParams(fw::TCreateParams& params) override;
  void CreateWnd() override;
  // Copies the lines into the window and selects the selected one.
  void FillWindow();

 private:
  std::unique_ptr<fw::TStringList> FItems;
  int FItemIndex = -1;
};

}  // namespace skin
