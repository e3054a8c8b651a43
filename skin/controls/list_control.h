// TkCustomListControl: the skin state, the bound label and the list-control protocol of the
// extended combo boxes (section "COMBOBOX"). While skinned, changes of visibility, state, place
// and size, the mouse and the focus mark the cache and repaint the control.
#pragma once
#include <memory>
#include <string>

#include "framework/controls/win_control.h"
#include "skin/controls/bound_label.h"
#include "skin/controls/skinned_control.h"

namespace skin {

class TkCustomListControl : public TkSkinned<fw::TWinControl> {
  FW_CLASS(TkCustomListControl, fw::TWinControl)
 public:
  explicit TkCustomListControl(fw::TComponent* owner);

  TkBoundLabel* GetBoundLabel() const { return FBoundLabel.get(); }

  virtual int GetCount() const = 0;
  virtual int GetItemIndex() const = 0;
  virtual void SetItemIndex(int value) = 0;
  virtual void AddItem(const std::string& item, void* object) = 0;
  virtual void Clear() = 0;
  virtual void ClearSelection() = 0;
  virtual void CopySelection(TkCustomListControl* destination) = 0;
  virtual void DeleteSelected() = 0;
  // Copies the selection to the destination, then deletes it here.
  virtual void MoveSelection(TkCustomListControl* destination);
  virtual void SelectAll() = 0;

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkCustomListControl() override;
  void Loaded() override;
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;
  // Marks the cache and repaints the whole window, frame included.
  void RepaintAll();

 private:
  std::unique_ptr<TkBoundLabel> FBoundLabel;
};

}  // namespace skin
