// TkCheckListBox: a list box whose lines each carry a check box. A click on the box, or the
// space bar on the selected line, toggles it. The state rides in the line's object slot, so it
// follows the line through sorting, inserts and deletes.
#pragma once
#include "skin/controls/list_box.h"

namespace skin {

enum TkCheckState { cbsUnchecked = 0, cbsChecked = 1, cbsGrayed = 2 };

class TkCheckListBox : public TkListBox {
  FW_CLASS(TkCheckListBox, TkListBox)
 public:
  explicit TkCheckListBox(fw::TComponent* owner);

  bool GetChecked(int index) const { return GetState(index) == cbsChecked; }
  void SetChecked(int index, bool value) { SetState(index, value ? cbsChecked : cbsUnchecked); }
  TkCheckState GetState(int index) const;
  // Sets the state of line index and repaints its check area.
  void SetState(int index, TkCheckState state);

  // Raised after the user toggled a line's box.
  fw::TNotifyEvent OnClickCheck;

  void Dispatch(fw::TMessage& msg) override;

 protected:
  ~TkCheckListBox() override = default;
  void CreateParams(fw::TCreateParams& params) override;

 private:
  void ToggleByUser(int index);
  void DrawItem(const DRAWITEMSTRUCT& draw);
};

}  // namespace skin
