// The layout of the Add new entry dialog.
#include "app/dialogs/add_entry_form.h"
#include "app/main/layout_helpers.h"

namespace app {

namespace {

const char* const kLocations[kAddEntryLocationCount] = {
    "StartUp Menu/Current User",          "StartUp Menu/All Users",
    "Registry\\Current User\\Run",        "Registry\\Current User\\RunOnce",
    "Registry\\Current User\\RunOnceEx",  "Registry\\Current User\\RunServices",
    "Registry\\Local machine\\Run",       "Registry\\Local machine\\RunOnce",
    "Registry\\Local machine\\RunOnceEx", "Registry\\Local machine\\RunServices",
    "Registry\\Local machine\\RunServicesOnce"};

skin::TkLabel* MakeLabel(TfrmAddEntry* form, fw::TWinControl* parent, const char* name, const char* caption,
                         int top) {
  auto* label = fw::New<skin::TkLabel>(form);
  label->SetName(name);
  label->SetCaption(caption);
  label->SetLeft(10);
  label->SetTop(top + 3);
  label->SetParent(parent);
  return label;
}

skin::TkEdit* MakeEdit(TfrmAddEntry* form, fw::TWinControl* parent, const char* name, int top, int width) {
  auto* edit = fw::New<skin::TkEdit>(form);
  edit->SetName(name);
  edit->SetText("");
  edit->SetBounds(110, top, width, 21);
  edit->SetParent(parent);
  return edit;
}

skin::TkSpeedButton* MakeBrowseButton(TfrmAddEntry* form, fw::TWinControl* parent, const char* name, const char* hint,
                                      int top) {
  auto* button = fw::New<skin::TkSpeedButton>(form);
  button->SetName(name);
  button->SetCaption("...");
  button->SetHint(hint);
  button->SetShowHint(true);
  button->SetBounds(344, top, 23, 21);
  button->SetParent(parent);
  return button;
}

skin::TkBitBtn* MakeButton(TfrmAddEntry* form, const char* name, const char* caption, int left) {
  auto* button = fw::New<skin::TkBitBtn>(form);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetBounds(left, 222, 75, 25);
  button->SetParent(form);
  return button;
}

}  // namespace

void TfrmAddEntry::CreateComponents() {
  SetName("frmAddEntry");
  SetCaption("Add new entry");
  SetBorderStyle(fw::bsSingle);
  SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu});
  SetPosition(fw::poMainFormCenter);
  SetKeyPreview(true);
  SetClientWidth(392);
  SetClientHeight(256);
  MakeSkinProvider(this, "kSkinProvider1", skin::TkBorderIcons{fw::biSystemMenu});

  kGroupBox1 = fw::New<skin::TkGroupBox>(this);
  kGroupBox1->SetName("kGroupBox1");
  kGroupBox1->SetCaption("");
  kGroupBox1->SetBounds(8, 4, 376, 128);
  kGroupBox1->SetParent(this);
  kLabel1 = MakeLabel(this, kGroupBox1, "kLabel1", "Command:", 14);
  commandEdit = MakeEdit(this, kGroupBox1, "commandEdit", 14, 230);
  kSpeedButton1 = MakeBrowseButton(this, kGroupBox1, "kSpeedButton1", "Select program to startup", 14);
  kLabel2 = MakeLabel(this, kGroupBox1, "kLabel2", "Name:", 41);
  nameEdit = MakeEdit(this, kGroupBox1, "nameEdit", 41, 257);
  kLabel3 = MakeLabel(this, kGroupBox1, "kLabel3", "Location:", 68);
  locationCB = fw::New<skin::TkComboBox>(this);
  locationCB->SetName("locationCB");
  locationCB->SetStyle(fw::csDropDownList);
  locationCB->SetBounds(110, 68, 257, 21);
  locationCB->SetParent(kGroupBox1);
  for (const char* location : kLocations) locationCB->GetItems()->Add(location);
  kLabel4 = MakeLabel(this, kGroupBox1, "kLabel4", "Parameters:", 95);
  paramEdit = MakeEdit(this, kGroupBox1, "paramEdit", 95, 257);

  kGroupBox2 = fw::New<skin::TkGroupBox>(this);
  kGroupBox2->SetName("kGroupBox2");
  kGroupBox2->SetCaption("");
  kGroupBox2->SetBounds(8, 138, 376, 46);
  kGroupBox2->SetParent(this);
  kLabel5 = MakeLabel(this, kGroupBox2, "kLabel5", "Working directory:", 14);
  wdEdit = MakeEdit(this, kGroupBox2, "wdEdit", 14, 230);
  kSpeedButton2 = MakeBrowseButton(this, kGroupBox2, "kSpeedButton2", "Select working directory", 14);

  activeCB = fw::New<skin::TkCheckBox>(this);
  activeCB->SetName("activeCB");
  activeCB->SetCaption("Active");
  activeCB->SetBounds(10, 194, 120, 17);
  activeCB->SetParent(this);
  okBtn = MakeButton(this, "okBtn", "OK", 228);
  okBtn->SetDefault(true);
  cancelBtn = MakeButton(this, "cancelBtn", "Cancel", 309);

  od = fw::New<skin::TkOpenDialog>(this);
  od->SetName("od");
  od->SetOptions(fw::TOpenOptions{fw::ofHideReadOnly, fw::ofFileMustExist, fw::ofEnableSizing});
  kBrowser = fw::New<skin::TkPathDialog>(this);
  kBrowser->SetName("kBrowser");
  kBrowser->SetRoot("rfMyComputer");
  kBrowser->SetDialogOptions(skin::TSelectDirOpts{skin::sdPrompt});
  ss = fw::New<svc::TSvShortcut>(this);
  ss->SetName("ss");

  OnCreate = fw::Bind(this, &TfrmAddEntry::FormCreate);
  OnKeyPress = fw::Bind(this, &TfrmAddEntry::FormKeyPress);
  OnClose = fw::Bind(this, &TfrmAddEntry::FormClose);
  locationCB->OnChange = fw::Bind(this, &TfrmAddEntry::locationCBChange);
  kSpeedButton1->OnClick = fw::Bind(this, &TfrmAddEntry::kSpeedButton1Click);
  kSpeedButton2->OnClick = fw::Bind(this, &TfrmAddEntry::kSpeedButton2Click);
  okBtn->OnClick = fw::Bind(this, &TfrmAddEntry::okBtnClick);
  cancelBtn->OnClick = fw::Bind(this, &TfrmAddEntry::cancelBtnClick);
}

}  // namespace app
