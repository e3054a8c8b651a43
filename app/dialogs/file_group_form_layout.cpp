// The layout of the Duplicate finder's group dialog.
#include "app/dialogs/file_group_form.h"
#include "app/main/layout_helpers.h"

namespace app {

namespace {

skin::TkSpeedButton* MakeToolButton(TfrmAddDFGroup* form, const char* name, const char* caption, const char* hint,
                                    int left, int top) {
  auto* button = fw::New<skin::TkSpeedButton>(form);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetHint(hint);
  button->SetShowHint(true);
  button->SetBounds(left, top, 60, 23);
  button->SetParent(form);
  return button;
}

}  // namespace

void TfrmAddDFGroup::CreateComponents() {
  SetName("frmAddDFGroup");
  SetCaption("Duplicate finder group");
  SetBorderStyle(fw::bsSingle);
  SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu});
  SetPosition(fw::poMainFormCenter);
  SetKeyPreview(true);
  SetClientWidth(292);
  SetClientHeight(300);
  MakeSkinProvider(this, "kSkinProvider1", skin::TkBorderIcons{fw::biSystemMenu});

  kComboBox1 = fw::New<skin::TkComboBox>(this);
  kComboBox1->SetName("kComboBox1");
  kComboBox1->SetBounds(8, 8, 276, 21);
  kComboBox1->SetParent(this);
  kSpeedButton1 = MakeToolButton(this, "kSpeedButton1", "Add", "Add group", 8, 36);
  kSpeedButton2 = MakeToolButton(this, "kSpeedButton2", "Edit", "Edit group", 72, 36);
  kSpeedButton3 = MakeToolButton(this, "kSpeedButton3", "Delete", "Delete group", 136, 36);

  kListBox1 = fw::New<skin::TkListBox>(this);
  kListBox1->SetName("kListBox1");
  kListBox1->SetBounds(8, 68, 276, 160);
  kListBox1->GetSkinData()->SetSkinSection("EDIT");
  kListBox1->SetItemHeight(16);
  kListBox1->SetColor(fw::clWhite);
  kListBox1->SetParent(this);
  kSpeedButton4 = MakeToolButton(this, "kSpeedButton4", "Add", "Add wildcard", 8, 234);
  kSpeedButton5 = MakeToolButton(this, "kSpeedButton5", "Edit", "Edit wildcard", 72, 234);
  kSpeedButton6 = MakeToolButton(this, "kSpeedButton6", "Delete", "Delete wildcard", 136, 234);

  kBitBtn1 = fw::New<skin::TkBitBtn>(this);
  kBitBtn1->SetName("kBitBtn1");
  kBitBtn1->SetCaption("OK");
  kBitBtn1->SetBounds(209, 266, 75, 25);
  kBitBtn1->SetDefault(true);
  kBitBtn1->SetModalResult(fw::mrOk);
  kBitBtn1->SetParent(this);

  kComboBox1->OnChange = fw::Bind(this, &TfrmAddDFGroup::kComboBox1Change);
  kComboBox1->OnSelect = fw::Bind(this, &TfrmAddDFGroup::kComboBox1Change);
  kSpeedButton1->OnClick = fw::Bind(this, &TfrmAddDFGroup::kSpeedButton1Click);
  kSpeedButton2->OnClick = fw::Bind(this, &TfrmAddDFGroup::kSpeedButton2Click);
  kSpeedButton3->OnClick = fw::Bind(this, &TfrmAddDFGroup::kSpeedButton3Click);
  kSpeedButton4->OnClick = fw::Bind(this, &TfrmAddDFGroup::kSpeedButton4Click);
  kSpeedButton5->OnClick = fw::Bind(this, &TfrmAddDFGroup::kSpeedButton5Click);
  kSpeedButton6->OnClick = fw::Bind(this, &TfrmAddDFGroup::kSpeedButton6Click);
  OnKeyDown = fw::Bind(this, &TfrmAddDFGroup::FormKeyDown);
  OnCreate = fw::Bind(this, &TfrmAddDFGroup::FormCreate);
}

}  // namespace app
