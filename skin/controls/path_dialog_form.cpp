#include "skin/controls/path_dialog_form.h"

#include <climits>

#include "framework/comctrls/tree_node.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/edit.h"
#include "skin/controls/shell_tree_view.h"
#include "skin/engine/skin_provider.h"
#include "skin/engine/skin_utils.h"

namespace skin {

std::string NewFolderName(const std::string& parent, const std::function<bool(const std::string&)>& exists) {
  const std::string base = fw::IncludeTrailingBackslash(parent) + "New folder";
  for (int n = 1; n < INT_MAX; ++n) {
    std::string name = base + std::to_string(n);
    if (!exists(name)) return name;
  }
  return "";
}

TPathDialogForm::TPathDialogForm(fw::TComponent* owner) : fw::TForm(owner) {
  SetCaption("Select directory");
  SetBorderStyle(fw::bsSizeToolWin);
  SetWidth(319);
  SetHeight(397);
  SetConstraints(fw::TSizeConstraints{275, 250, 0, 0});
  SetPosition(fw::poScreenCenter);
  const int cw = GetClientWidth(), ch = GetClientHeight();

  kShellTreeView1 = fw::New<TkShellTreeView>(this);
  kShellTreeView1->SetName("kShellTreeView1");
  kShellTreeView1->SetParent(this);
  kShellTreeView1->SetShowRoot(false);
  kShellTreeView1->SetRightClickSelect(true);
  kShellTreeView1->SetIndent(19);
  kShellTreeView1->SetBounds(8, 8, cw - 16, ch - 49);
  kShellTreeView1->SetAnchors(fw::TAnchors{fw::akLeft, fw::akTop, fw::akRight, fw::akBottom});
  kShellTreeView1->OnChange = fw::Bind(this, &TPathDialogForm::TreeChange);

  kEdit1 = fw::New<TkEdit>(this);
  kEdit1->SetName("kEdit1");
  kEdit1->SetParent(this);
  kEdit1->SetVisible(false);

  auto button = [&](TkBitBtn*& slot, const char* name, const char* caption, int left, fw::TAnchors anchors) {
    slot = fw::New<TkBitBtn>(this);
    slot->SetName(name);
    slot->SetParent(this);
    slot->SetCaption(caption);
    slot->SetBounds(left, ch - 33, 75, 25);
    slot->SetAnchors(anchors);
  };
  button(kBitBtn1, "kBitBtn1", "OK", cw - 164, fw::TAnchors{fw::akRight, fw::akBottom});
  button(kBitBtn2, "kBitBtn2", "Cancel", cw - 83, fw::TAnchors{fw::akRight, fw::akBottom});
  button(kBitBtn3, "kBitBtn3", "Create", 8, fw::TAnchors{fw::akLeft, fw::akBottom});
  kBitBtn1->SetDefault(true);
  kBitBtn1->OnClick = fw::Bind(this, &TPathDialogForm::OkClick);
  kBitBtn2->SetCancel(true);
  kBitBtn2->OnClick = fw::Bind(this, &TPathDialogForm::CancelClick);
  kBitBtn3->SetEnabled(false);
  kBitBtn3->OnClick = fw::Bind(this, &TPathDialogForm::CreateClick);
}

// The skinner comes after the controls exist, so that preparing the form skins them too.
void TPathDialogForm::AfterConstruction() {
  fw::TForm::AfterConstruction();
  FSkinProvider = fw::New<TkSkinProvider>(this);
  FSkinProvider->SetSkinSection("DIALOG");
  FSkinProvider->SetGripMode(gmRightBottom);
  FSkinProvider->SetMakeSkinMenu(false);
  FSkinProvider->SetShowAppIcon(false);
  FSkinProvider->PrepareForm();
}

void TPathDialogForm::TreeChange(fw::TObject*, fw::TTreeNode*) {
  TkShellFolder* folder = kShellTreeView1->SelectedFolder();
  const bool usable = folder && fw::DirectoryExists(folder->PathName());
  kBitBtn1->SetEnabled(usable);
  kBitBtn3->SetEnabled(usable);
}

void TPathDialogForm::OkClick(fw::TObject*) {
  if (kShellTreeView1->IsEditing()) {
    TreeView_EndEditLabelNow(kShellTreeView1->GetHandle(), FALSE);
    kShellTreeView1->SetFocus();
    SetModalResult(fw::mrNone);
    return;
  }
  SetModalResult(fw::mrOk);
}

void TPathDialogForm::CancelClick(fw::TObject*) {
  SetModalResult(kShellTreeView1->IsEditing() ? fw::mrNone : fw::mrCancel);
}

void TPathDialogForm::CreateClick(fw::TObject*) {
  fw::TTreeNode* node = kShellTreeView1->GetSelected();
  TkShellFolder* folder = kShellTreeView1->SelectedFolder();
  if (!node || !folder) return;
  const std::string name = NewFolderName(folder->PathName(), [](const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  if (!name.empty() && CreateDirectoryA(name.c_str(), nullptr)) {
    kShellTreeView1->RefreshNode(node);  // the node stays, its children listed anew
    node->Expand(false);
    for (int i = 0; i < node->GetCount(); ++i) {
      fw::TTreeNode* child = node->GetItem(i);
      auto* childFolder = static_cast<TkShellFolder*>(child->GetData());
      if (!childFolder || !fw::SameText(childFolder->PathName(), name)) continue;
      kShellTreeView1->SetSelected(child);
      kShellTreeView1->SetFocus();
      child->EditText();
      break;
    }
  }
  if (name.empty() || !fw::DirectoryExists(name)) ShowWarningMessage("Directory " + name + " can`t be created!");
}

}  // namespace skin
