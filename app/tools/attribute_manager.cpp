#include "app/tools/attribute_manager.h"

#include "app/dialogs/attribute_info_form.h"
#include "app/dialogs/change_attribute_form.h"
#include "app/main/main_form.h"
#include "framework/core/component.h"
#include "framework/forms/application.h"
#include "skin/controls/message_dialogs.h"

namespace app {

TAttributeManager::TAttributeManager(TfrmMain& form, skin::TkPanel& panel) : FForm(form), FPanel(panel) {
  fw::TLoadScope loading;
  CreateComponents();
}

void TAttributeManager::lagreicons1Click(fw::TObject*) { amShellLV->SetViewStyle(fw::vsIcon); }
void TAttributeManager::Smallicons1Click(fw::TObject*) { amShellLV->SetViewStyle(fw::vsSmallIcon); }
void TAttributeManager::List1Click(fw::TObject*) { amShellLV->SetViewStyle(fw::vsList); }
void TAttributeManager::Details1Click(fw::TObject*) { amShellLV->SetViewStyle(fw::vsReport); }
void TAttributeManager::ToolButton7Click(fw::TObject*) { amShellLV->MoveUpOneLevel(); }
void TAttributeManager::ToolButton8Click(fw::TObject*) { amShellLV->Refresh(); }

void TAttributeManager::ChangeAttributes(int mode, const char* refusal) {
  if (amShellLV->GetSelCount() == 0) {
    skin::kShowMessage(refusal);
    return;
  }
  auto* dialog = fw::New<TfrmChangeAttribute>(fw::Application);
  dialog->selItems = amShellLV->GetSelectedItems();
  dialog->changeMode = mode;
  dialog->ShowModal();
}

void TAttributeManager::ToolButton1Click(fw::TObject*) { ChangeAttributes(0, "Please select a folder."); }
void TAttributeManager::ToolButton3Click(fw::TObject*) { ChangeAttributes(1, "Please select a file or folder."); }
void TAttributeManager::ToolButton4Click(fw::TObject*) { ChangeAttributes(2, "Please select a file or folder."); }

void TAttributeManager::ToolButton13Click(fw::TObject*) {
  const int row = amShellLV->HandleAllocated()
                      ? static_cast<int>(SendMessageA(amShellLV->GetHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                      LVNI_SELECTED))
                      : -1;
  if (row < 0) {
    skin::kShowMessage("Please select a file or folder.");
    return;
  }
  svc::TSvShellItem* item = amShellLV->ItemOfRow(row);
  if (!item) return;
  auto* dialog = fw::New<TfrmAttributeInfo>(fw::Application);
  dialog->itemPath = item->GetPath();
  dialog->itemIcon = item->GetSmallIcon();
  dialog->itemSize = item->GetSize();
  dialog->ShowModal();
}

}  // namespace app
