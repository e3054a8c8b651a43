// The layout of the Startup manager: the tool bar, the tree of sources and the entry list.
#include "app/main/layout_helpers.h"
#include "app/main/main_form.h"
#include "app/tools/startup_manager.h"

namespace app {

namespace {

// The sources of the tree: caption, parent (-1 for a top node) and image in il16.
struct TSourceNode {
  const char* Caption;
  int Parent;
  int Image;
};

const TSourceNode kSourceNodes[kStartupSourceCount] = {
    {"All", -1, 16},          {"Startup menu", -1, 16}, {"All users", 1, 16},          {"Current user", 1, 16},
    {"Registry", -1, 42},     {"All users", 4, 42},     {"Run", 5, 42},                {"Run Once", 5, 42},
    {"Run OnceEx", 5, 42},    {"Run Services", 5, 42},  {"Run Services Once", 5, 42},  {"Current user", 4, 42},
    {"Run", 11, 42},          {"Run Once", 11, 42},     {"Run OnceEx", 11, 42},        {"Run Services", 11, 42}};

const TColumnLayout kColumns[] = {{"Name", 80},    {"Path", kAutoWidth}, {"Parameters", 80},
                                  {"Section", 80}, {"from", 0},          {"keyOrStartup", 0}};

}  // namespace

void TStartupManager::CreateComponents() {
  kToolBar1 = MakeToolBar(&FForm, &FPanel, "kToolBar1", FForm.il16);
  newBtn = MakeToolButton(&FForm, kToolBar1, "newBtn", "New", "Add new entry", true);
  editBtn = MakeToolButton(&FForm, kToolBar1, "editBtn", "Edit", "Edit entry", false);
  deleteBtn = MakeToolButton(&FForm, kToolBar1, "deleteBtn", "Delete", "Delete entry", true);
  ToolButton1 = MakeToolSeparator(&FForm, kToolBar1, "ToolButton1");
  copyBtn = MakeToolButton(&FForm, kToolBar1, "copyBtn", "Copy", "Copy entry", false);
  cutBtn = MakeToolButton(&FForm, kToolBar1, "cutBtn", "Cut", "Cut entry", false);
  pasteBtn = MakeToolButton(&FForm, kToolBar1, "pasteBtn", "Paste", "Paste entry", false);
  ToolButton2 = MakeToolSeparator(&FForm, kToolBar1, "ToolButton2");
  runBtn = MakeToolButton(&FForm, kToolBar1, "runBtn", "Run", "Run selected", true);
  refreshBtn = MakeToolButton(&FForm, kToolBar1, "refreshBtn", "Refresh", "Refresh", true);
  ToolButton3 = MakeToolSeparator(&FForm, kToolBar1, "ToolButton3");
  optionsBtn = MakeToolButton(&FForm, kToolBar1, "optionsBtn", "Options", "", false);

  tvSU = fw::New<skin::TkTreeView>(&FForm);
  tvSU->SetName("tvSU");
  tvSU->SetImages(FForm.il16);
  tvSU->SetReadOnly(true);
  tvSU->SetHideSelection(false);
  tvSU->SetWidth(170);
  tvSU->SetAlign(fw::alLeft);
  tvSU->SetParent(&FPanel);
  fw::TTreeNode* nodes[kStartupSourceCount] = {};
  for (int n = 0; n < kStartupSourceCount; ++n) {
    const TSourceNode& source = kSourceNodes[n];
    nodes[n] = tvSU->GetItems()->AddChild(source.Parent < 0 ? nullptr : nodes[source.Parent], source.Caption);
    nodes[n]->SetImageIndex(source.Image);
    nodes[n]->SetSelectedIndex(source.Image);
  }

  lvSU = fw::New<skin::TkListView>(&FForm);
  lvSU->SetName("lvSU");
  lvSU->SetViewStyle(fw::vsReport);
  lvSU->SetCheckboxes(true);
  lvSU->SetRowSelect(true);
  lvSU->SetReadOnly(true);
  lvSU->SetColumnClick(false);
  lvSU->SetHideSelection(false);
  lvSU->SetSmallImages(FForm.suIL);
  for (const TColumnLayout& layout : kColumns) {
    fw::TListColumn* column = lvSU->GetColumns()->Add();
    column->SetCaption(layout.Caption);
    if (layout.Width < 0)
      column->SetAutoSize(true);
    else
      column->SetWidth(layout.Width);
  }
  lvSU->SetAlign(fw::alClient);
  lvSU->SetParent(&FPanel);

  tvSU->OnClick = fw::Bind(this, &TStartupManager::tvSUClick);
  refreshBtn->OnClick = fw::Bind(this, &TStartupManager::refreshBtnClick);
  // Only the presses reach the tool, so the list's window may outlive it.
  lvSU->SetWindowProc([this, own = lvSU->GetWindowProc()](fw::TMessage& message) {
    bool press = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK || message.Msg == fw::CN_KEYDOWN;
    if (!press || !BoxMessage(message)) own(message);
  });
  newBtn->OnClick = fw::Bind(this, &TStartupManager::newBtnClick);
  deleteBtn->OnClick = fw::Bind(this, &TStartupManager::deleteBtnClick);
  runBtn->OnClick = fw::Bind(this, &TStartupManager::runBtnClick);
}

}  // namespace app
