// TPathDialogForm: the skinned folder picker ("Select directory"): a shell tree of folders, OK
// (enabled on an existing file-system folder), Cancel and Create, which makes "New folderN"
// below the selected folder and starts renaming it. While a label is being edited, OK and
// Cancel only end the edit.
#pragma once
#include <functional>
#include <string>

#include "framework/forms/custom_form.h"

namespace fw {
class TTreeNode;
}

namespace skin {

class TkBitBtn;
class TkEdit;
class TkShellTreeView;
class TkSkinProvider;

// The first "<parent>\New folderN" (N from 1) for which exists answers false; "" when every
// number is taken.
std::string NewFolderName(const std::string& parent, const std::function<bool(const std::string&)>& exists);

class TPathDialogForm : public fw::TForm {
  FW_CLASS(TPathDialogForm, fw::TForm)
 public:
  explicit TPathDialogForm(fw::TComponent* owner);
  void AfterConstruction() override;

  TkShellTreeView* kShellTreeView1 = nullptr;
  TkEdit* kEdit1 = nullptr;
  TkBitBtn* kBitBtn1 = nullptr;  // OK
  TkBitBtn* kBitBtn2 = nullptr;  // Cancel
  TkBitBtn* kBitBtn3 = nullptr;  // Create

 protected:
  ~TPathDialogForm() override = default;

 private:
  void TreeChange(fw::TObject* sender, fw::TTreeNode* node);
  void OkClick(fw::TObject* sender);
  void CancelClick(fw::TObject* sender);
  void CreateClick(fw::TObject* sender);

  TkSkinProvider* FSkinProvider = nullptr;
};

}  // namespace skin
