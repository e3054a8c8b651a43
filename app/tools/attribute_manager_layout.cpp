// The layout of the Attribute manager: the tool bar with its view menu, the shell tree and the
// shell list linked to it, with a splitter between them.
#include "app/main/layout_helpers.h"
#include "app/main/main_form.h"
#include "app/tools/attribute_manager.h"

namespace app {
namespace {

// il16 pictures of the buttons that have one.
constexpr int kFolderImage = 16, kFilesImage = 6, kAttributesImage = 25, kRefreshImage = 1, kInfoImage = 28;

fw::TMenuItem* MakeViewItem(TfrmMain& form, fw::TPopupMenu* menu, const char* name, const char* caption) {
  auto* item = fw::New<fw::TMenuItem>(&form);
  item->SetName(name);
  item->SetCaption(caption);
  item->SetRadioItem(true);
  item->SetAutoCheck(true);
  menu->GetItems()->Add(item);
  return item;
}

}  // namespace

void TAttributeManager::CreateComponents() {
  kToolBar2 = MakeToolBar(&FForm, &FPanel, "kToolBar2", FForm.il16);
  ToolButton1 = MakeToolButton(&FForm, kToolBar2, "ToolButton1", "", "Change only folder attribute");
  ToolButton1->SetImageIndex(kFolderImage);
  ToolButton3 = MakeToolButton(&FForm, kToolBar2, "ToolButton3", "", "Change only files attribute");
  ToolButton3->SetImageIndex(kFilesImage);
  ToolButton4 = MakeToolButton(&FForm, kToolBar2, "ToolButton4", "", "Change all attribute");
  ToolButton4->SetImageIndex(kAttributesImage);
  ToolButton5 = MakeToolSeparator(&FForm, kToolBar2, "ToolButton5");
  ToolButton7 = MakeToolButton(&FForm, kToolBar2, "ToolButton7", "Up", "Up");
  ToolButton9 = MakeToolButton(&FForm, kToolBar2, "ToolButton9", "View", "View");
  ToolButton9->SetStyle(fw::tbsDropDown);
  ToolButton8 = MakeToolButton(&FForm, kToolBar2, "ToolButton8", "", "Refresh");
  ToolButton8->SetImageIndex(kRefreshImage);
  ToolButton10 = MakeToolSeparator(&FForm, kToolBar2, "ToolButton10");
  ToolButton13 = MakeToolButton(&FForm, kToolBar2, "ToolButton13", "", "Selected item info");
  ToolButton13->SetImageIndex(kInfoImage);

  amPUpMnu = fw::New<fw::TPopupMenu>(&FForm);
  amPUpMnu->SetName("amPUpMnu");
  Lagreicons1 = MakeViewItem(FForm, amPUpMnu, "Lagreicons1", "Large icons");
  Smallicons1 = MakeViewItem(FForm, amPUpMnu, "Smallicons1", "Small icons");
  List1 = MakeViewItem(FForm, amPUpMnu, "List1", "List");
  Details1 = MakeViewItem(FForm, amPUpMnu, "Details1", "Details");
  Details1->SetChecked(true);
  ToolButton9->SetDropdownMenu(amPUpMnu);

  amShellTV = fw::New<svc::TSvShellTreeView>(&FForm);
  amShellTV->SetName("amShellTV");
  amShellTV->SetSpecialRootFolder(svc::sfDesktop);
  amShellTV->SetWidth(200);
  amShellTV->SetAlign(fw::alLeft);
  amShellTV->SetParent(&FPanel);
  amSplitter = fw::New<skin::TkSplitter>(&FForm);
  amSplitter->SetName("amSplitter");
  amSplitter->SetAlign(fw::alLeft);
  amSplitter->SetParent(&FPanel);
  amShellLV = fw::New<svc::TSvShellListView>(&FForm);
  amShellLV->SetName("amShellLV");
  amShellLV->SetViewStyle(fw::vsReport);
  amShellLV->SetMultiSelect(true);
  amShellLV->SetRowSelect(true);
  amShellLV->SetAlign(fw::alClient);
  amShellLV->SetParent(&FPanel);
  amShellTV->SetListView(amShellLV);
  amShellLV->SetTreeView(amShellTV);

  Lagreicons1->OnClick = fw::Bind(this, &TAttributeManager::lagreicons1Click);
  Smallicons1->OnClick = fw::Bind(this, &TAttributeManager::Smallicons1Click);
  List1->OnClick = fw::Bind(this, &TAttributeManager::List1Click);
  Details1->OnClick = fw::Bind(this, &TAttributeManager::Details1Click);
  ToolButton7->OnClick = fw::Bind(this, &TAttributeManager::ToolButton7Click);
  ToolButton8->OnClick = fw::Bind(this, &TAttributeManager::ToolButton8Click);
  ToolButton1->OnClick = fw::Bind(this, &TAttributeManager::ToolButton1Click);
  ToolButton3->OnClick = fw::Bind(this, &TAttributeManager::ToolButton3Click);
  ToolButton4->OnClick = fw::Bind(this, &TAttributeManager::ToolButton4Click);
  ToolButton13->OnClick = fw::Bind(this, &TAttributeManager::ToolButton13Click);
}

}  // namespace app
