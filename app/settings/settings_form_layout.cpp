// The layout of the Settings window: the header above the page control with its four pages.
#include "app/settings/settings_form.h"
#include "app/main/layout_helpers.h"

namespace app {

namespace {

using fw::TComponent;
using fw::TWinControl;

skin::TkTabSheet* MakeSheet(TComponent* owner, skin::TkPageControl* pages, const char* name, const char* caption) {
  auto* sheet = fw::New<skin::TkTabSheet>(owner);
  sheet->SetName(name);
  sheet->SetCaption(caption);
  sheet->SetPageControl(pages);
  return sheet;
}

skin::TkSpeedButton* MakeToolButton(TComponent* owner, TWinControl* parent, const char* name, const char* caption,
                                    const char* hint, int left, int top) {
  auto* button = fw::New<skin::TkSpeedButton>(owner);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetHint(hint);
  button->SetShowHint(true);
  button->SetBounds(left, top, 60, 23);
  button->SetParent(parent);
  return button;
}

skin::TkGroupBox* MakeGroup(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int top,
                            int height) {
  auto* group = fw::New<skin::TkGroupBox>(owner);
  group->SetName(name);
  group->SetCaption(caption);
  group->SetBounds(4, top, 380, height);
  group->SetParent(parent);
  return group;
}

skin::TkListBox* MakeListBox(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                             int height) {
  auto* list = fw::New<skin::TkListBox>(owner);
  list->SetName(name);
  list->SetBounds(left, top, width, height);
  list->SetParent(parent);
  return list;
}

skin::TkRadioButton* MakeRadio(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int top) {
  auto* radio = fw::New<skin::TkRadioButton>(owner);
  radio->SetName(name);
  radio->SetCaption(caption);
  radio->SetBounds(12, top, 300, 17);
  radio->SetParent(parent);
  return radio;
}

skin::TkDirectoryEdit* MakeDirectoryEdit(TComponent* owner, TWinControl* parent, const char* name, int top) {
  auto* edit = fw::New<skin::TkDirectoryEdit>(owner);
  edit->SetName(name);
  edit->SetRoot("rfDesktop");
  edit->GetGlyphMode()->SetGrayed(false);
  edit->SetMaxLength(255);
  edit->SetBounds(8, top, 372, 21);
  edit->SetParent(parent);
  return edit;
}

}  // namespace

void TfrmSettings::CreateComponents() {
  SetName("frmSettings");
  SetCaption("Settings");
  SetBorderStyle(fw::bsSingle);
  SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu});
  SetPosition(fw::poMainFormCenter);
  SetKeyPreview(true);
  SetClientWidth(400);
  SetClientHeight(400);
  MakeSkinProvider(this, "kSkinProvider1", skin::TkBorderIcons{fw::biSystemMenu});

  kPanel1 = fw::New<skin::TkPanel>(this);
  kPanel1->SetName("kPanel1");
  kPanel1->SetCaption("");
  kPanel1->SetHeight(45);
  kPanel1->SetAlign(fw::alTop);
  kPanel1->SetParent(this);
  kLabelFX1 = MakeTitle(this, kPanel1, "kLabelFX1", "Settings", 12, 10, 4, 200, 20);
  kLabel1 = MakeLabel(this, kPanel1, "kLabel1", "Program settings", 10, 25);

  kPageControl1 = fw::New<skin::TkPageControl>(this);
  kPageControl1->SetName("kPageControl1");
  kPageControl1->SetAlign(fw::alClient);
  kPageControl1->SetParent(this);
  kTabSheet1 = MakeSheet(this, kPageControl1, "kTabSheet1", "Wildcards");
  kTabSheet2 = MakeSheet(this, kPageControl1, "kTabSheet2", "Exceptions");
  kTabSheet3 = MakeSheet(this, kPageControl1, "kTabSheet3", "Removal settings");
  kTabSheet4 = MakeSheet(this, kPageControl1, "kTabSheet4", "Program");

  // "Wildcards".
  addWC = MakeToolButton(this, kTabSheet1, "addWC", "Add", "Add wildcard", 4, 4);
  editWC = MakeToolButton(this, kTabSheet1, "editWC", "Edit", "Edit wildcard", 68, 4);
  delWC = MakeToolButton(this, kTabSheet1, "delWC", "Delete", "Delete wildcard", 132, 4);
  kListView1 = fw::New<skin::TkListView>(this);
  kListView1->SetName("kListView1");
  kListView1->SetCheckboxes(true);
  kListView1->SetViewStyle(fw::vsReport);
  kListView1->SetRowSelect(true);
  kListView1->SetReadOnly(true);
  // A mask file may hold hundreds of thousands of lines: the window asks only for the rows it
  // shows, so the list fills in one update and opens at once.
  kListView1->SetRowsOnDemand(true);
  for (auto [caption, width] : {std::pair{"Wildcards", 100}, std::pair{"Description", 253}}) {
    fw::TListColumn* column = kListView1->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
  }
  kListView1->SetBounds(4, 32, 380, 284);
  kListView1->SetParent(kTabSheet1);

  // "Exceptions".
  kGroupBox1 = MakeGroup(this, kTabSheet2, "kGroupBox1", "Files", 4, 156);
  kSpeedButton4 = MakeToolButton(this, kGroupBox1, "kSpeedButton4", "Add", "Add file exception", 8, 18);
  kSpeedButton5 = MakeToolButton(this, kGroupBox1, "kSpeedButton5", "Edit", "Edit file exception", 72, 18);
  kSpeedButton6 = MakeToolButton(this, kGroupBox1, "kSpeedButton6", "Delete", "Delete file exception", 136, 18);
  kListBox1 = MakeListBox(this, kGroupBox1, "kListBox1", 8, 46, 364, 100);
  kGroupBox2 = MakeGroup(this, kTabSheet2, "kGroupBox2", "Folders", 164, 156);
  kSpeedButton7 = MakeToolButton(this, kGroupBox2, "kSpeedButton7", "Add", "Addfolder exception", 8, 18);
  kSpeedButton8 = MakeToolButton(this, kGroupBox2, "kSpeedButton8", "Edit", "Edit folder exception", 72, 18);
  kSpeedButton9 = MakeToolButton(this, kGroupBox2, "kSpeedButton9", "Delete", "Delete folderexception", 136, 18);
  kListBox2 = MakeListBox(this, kGroupBox2, "kListBox2", 8, 46, 364, 100);

  // "Removal settings".
  kGroupBox3 = MakeGroup(this, kTabSheet3, "kGroupBox3", "Removal method", 4, 96);
  recRB = MakeRadio(this, kGroupBox3, "recRB", "Remove to the Recycle Bin", 20);
  delRB = MakeRadio(this, kGroupBox3, "delRB", "Permanently delete", 44);
  fRB = MakeRadio(this, kGroupBox3, "fRB", "Remove to the specific folder", 68);
  recRB->SetChecked(true);
  kLabel2 = MakeLabel(this, kTabSheet3, "kLabel2", "Select folder:", 8, 112);
  fEdit = MakeDirectoryEdit(this, kTabSheet3, "fEdit", 130);
  fEdit->SetDialogOptions(skin::TSelectDirOpts());
  fEdit->SetEnabled(false);
  scanCB = fw::New<skin::TkCheckBox>(this);
  scanCB->SetName("scanCB");
  scanCB->SetCaption("Do not scan this folder");
  scanCB->SetBounds(8, 160, 300, 17);
  scanCB->SetChecked(true);
  scanCB->SetEnabled(false);
  scanCB->SetParent(kTabSheet3);

  // "Program".
  kLabel5 = MakeLabel(this, kTabSheet4, "kLabel5", "Skin directory :", 8, 8);
  SkinsDirectoryEdit = MakeDirectoryEdit(this, kTabSheet4, "SkinsDirectoryEdit", 26);
  SkinsListBox = MakeListBox(this, kTabSheet4, "SkinsListBox", 8, 56, 372, 220);
  kButton1 = fw::New<skin::TkButton>(this);
  kButton1->SetName("kButton1");
  kButton1->SetCaption("Apply");
  kButton1->SetHint("Apply skin");
  kButton1->SetShowHint(true);
  kButton1->SetBounds(305, 284, 75, 25);
  kButton1->SetParent(kTabSheet4);
  kLabel3 = MakeLabel(this, kTabSheet4, "kLabel3", "Current skin:", 8, 290);
  kLabel4 = MakeLabel(this, kTabSheet4, "kLabel4", "", 80, 290);

  kPageControl1->SetActivePage(kTabSheet1);

  OnCreate = fw::Bind(this, &TfrmSettings::FormCreate);
  OnKeyPress = fw::Bind(this, &TfrmSettings::FormKeyPress);
  OnClose = fw::Bind(this, &TfrmSettings::FormClose);
  addWC->OnClick = fw::Bind(this, &TfrmSettings::addWCClick);
  editWC->OnClick = fw::Bind(this, &TfrmSettings::editWCClick);
  delWC->OnClick = fw::Bind(this, &TfrmSettings::delWCClick);
  kListView1->OnMouseUp = fw::Bind(this, &TfrmSettings::kListView1MouseUp);
  kListView1->OnChange = fw::Bind(this, &TfrmSettings::kListView1Change);
  kSpeedButton4->OnClick = fw::Bind(this, &TfrmSettings::kSpeedButton4Click);
  kSpeedButton5->OnClick = fw::Bind(this, &TfrmSettings::kSpeedButton5Click);
  kSpeedButton6->OnClick = fw::Bind(this, &TfrmSettings::kSpeedButton6Click);
  kSpeedButton7->OnClick = fw::Bind(this, &TfrmSettings::kSpeedButton7Click);
  kSpeedButton8->OnClick = fw::Bind(this, &TfrmSettings::kSpeedButton8Click);
  kSpeedButton9->OnClick = fw::Bind(this, &TfrmSettings::kSpeedButton9Click);
  recRB->OnClick = fw::Bind(this, &TfrmSettings::recRBClick);
  delRB->OnClick = fw::Bind(this, &TfrmSettings::delRBClick);
  fRB->OnClick = fw::Bind(this, &TfrmSettings::fRBClick);
  fEdit->OnChange = fw::Bind(this, &TfrmSettings::fEditChange);
  fEdit->OnExit = fw::Bind(this, &TfrmSettings::fEditExit);
  scanCB->OnClick = fw::Bind(this, &TfrmSettings::scanCBClick);
  SkinsDirectoryEdit->OnChange = fw::Bind(this, &TfrmSettings::SkinsDirectoryEditChange);
  kButton1->OnClick = fw::Bind(this, &TfrmSettings::kButton1Click);
}

}  // namespace app
