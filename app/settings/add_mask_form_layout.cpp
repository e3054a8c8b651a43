// The layout of the mask dialog.
#include "app/settings/add_mask_form.h"
#include "app/main/layout_helpers.h"

namespace app {

namespace {

skin::TkLabel* MakeLabel(TfrmAddMask* form, const char* name, const char* caption, int top) {
  auto* label = fw::New<skin::TkLabel>(form);
  label->SetName(name);
  label->SetCaption(caption);
  label->SetLeft(8);
  label->SetTop(top);
  label->SetParent(form);
  return label;
}

skin::TkEdit* MakeEdit(TfrmAddMask* form, const char* name, int top) {
  auto* edit = fw::New<skin::TkEdit>(form);
  edit->SetName(name);
  edit->SetText("");
  edit->SetBounds(8, top, 260, 21);
  edit->SetParent(form);
  return edit;
}

skin::TkBitBtn* MakeButton(TfrmAddMask* form, const char* name, const char* caption, int left) {
  auto* button = fw::New<skin::TkBitBtn>(form);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetBounds(left, 136, 75, 25);
  button->SetParent(form);
  return button;
}

}  // namespace

void TfrmAddMask::CreateComponents() {
  SetName("frmAddMask");
  SetCaption("Junk file mask");
  SetBorderStyle(fw::bsSingle);
  SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu});
  SetPosition(fw::poMainFormCenter);
  SetKeyPreview(true);
  SetClientWidth(276);
  SetClientHeight(170);
  MakeSkinProvider(this, "kSkinProvider1", skin::TkBorderIcons{fw::biSystemMenu});

  kLabel1 = MakeLabel(this, "kLabel1", "Enter new wildcard:", 8);
  kEdit1 = MakeEdit(this, "kEdit1", 26);
  kLabel2 = MakeLabel(this, "kLabel2", "Enter description:", 56);
  kEdit2 = MakeEdit(this, "kEdit2", 74);
  kCheckBox1 = fw::New<skin::TkCheckBox>(this);
  kCheckBox1->SetName("kCheckBox1");
  kCheckBox1->SetCaption("Active");
  kCheckBox1->SetBounds(8, 104, 200, 17);
  kCheckBox1->SetParent(this);
  kBitBtn1 = MakeButton(this, "kBitBtn1", "OK", 112);
  kBitBtn1->SetDefault(true);
  kBitBtn2 = MakeButton(this, "kBitBtn2", "Cancel", 193);

  OnCreate = fw::Bind(this, &TfrmAddMask::FormCreate);
  OnKeyPress = fw::Bind(this, &TfrmAddMask::FormKeyPress);
  OnClose = fw::Bind(this, &TfrmAddMask::FormClose);
  kBitBtn1->OnClick = fw::Bind(this, &TfrmAddMask::kBitBtn1Click);
  kBitBtn2->OnClick = fw::Bind(this, &TfrmAddMask::kBitBtn2Click);
}

}  // namespace app
