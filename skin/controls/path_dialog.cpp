#include "skin/controls/path_dialog.h"

#include "framework/dialogs/file_dialog_service.h"
#include "framework/dialogs/select_directory.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/bound_label.h"
#include "skin/controls/path_dialog_form.h"
#include "skin/controls/shell_tree_view.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

// No trailing backslash, except after a drive letter.
std::string NormalPath(const std::string& path) {
  std::string result = fw::ExcludeTrailingBackslash(path);
  if (result.size() == 2 && result[1] == ':') result += '\\';
  return result;
}

bool SkinActive() {
  TkSkinManager* manager = DefaultManager();
  return manager && manager->GetActive();
}

}  // namespace

TkPathDialog::TkPathDialog(fw::TComponent* owner) : fw::TComponent(owner) {}

bool TkPathDialog::Execute() {
  std::string start = FPath;
  if (start == "." || !fw::DirectoryExists(start)) start.clear();
  if (!start.empty()) start = NormalPath(start);
  if (!FNoChangeDir && !start.empty()) fw::SetCurrentDir(start);
  std::string chosen = start;
  bool result;
  if (SkinActive() && !fw::FileDialogServiceReplaced()) {
    fw::Owned<TPathDialogForm> form = fw::MakeOwned<TPathDialogForm>(fw::Application);
    form->kBitBtn3->SetVisible(FDialogOptions.Contains(sdAllowCreate));
    if (form->kShellTreeView1->GetBoundLabel()) form->kShellTreeView1->GetBoundLabel()->SetCaption(FCaption);
    form->kShellTreeView1->HandleNeeded();
    form->kShellTreeView1->SetRoot(FRoot);
    if (!start.empty())
      form->kShellTreeView1->SetPath(start);
    else if (form->kShellTreeView1->GetItems()->GetCount() > 0)
      form->kShellTreeView1->SetSelected(form->kShellTreeView1->GetItems()->GetItem(0));
    result = form->ShowModal() == fw::mrOk;
    if (result) chosen = form->kShellTreeView1->GetPath();
  } else {
    result = Browse(chosen);
  }
  if (result && !chosen.empty() && fw::DirectoryExists(chosen)) FPath = NormalPath(chosen);
  return result;
}

// The platform's folder browser, the root string given as the root path.
bool TkPathDialog::Browse(std::string& path) {
  return fw::SelectDirectory(FCaption, FRoot, path, BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE);
}

}  // namespace skin
