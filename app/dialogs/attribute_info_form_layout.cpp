// The layout of the Detail info dialog.
#include "app/dialogs/attribute_info_form.h"
#include "app/main/layout_helpers.h"

namespace app {

void TfrmAttributeInfo::CreateComponents() {
  SetName("frmAttributeInfo");
  SetCaption("Detail info");
  SetBorderStyle(fw::bsSingle);
  SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu});
  SetPosition(fw::poMainFormCenter);
  SetKeyPreview(true);
  SetClientWidth(346);
  SetClientHeight(250);
  MakeSkinProvider(this, "kSkinProvider1", skin::TkBorderIcons{fw::biSystemMenu});

  kLabel1 = MakeLabel(this, this, "kLabel1", "Location:", 12, 15);
  kEdit1 = fw::New<skin::TkEdit>(this);
  kEdit1->SetName("kEdit1");
  kEdit1->SetText("");
  kEdit1->SetReadOnly(true);
  kEdit1->SetBounds(70, 12, 268, 21);
  kEdit1->SetParent(this);
  kLabel2 = MakeLabel(this, this, "kLabel2", "Size:", 12, 42);
  kLabel3 = MakeLabel(this, this, "kLabel3", "", 70, 42, 200);

  kGroupBox1 = MakeGroupBox(this, this, "kGroupBox1", "Attribute", 8, 62, 330, 48);
  kCheckBox1 = MakeCheckBox(this, kGroupBox1, "kCheckBox1", "Read Only", 10, 20, 80, false);
  kCheckBox2 = MakeCheckBox(this, kGroupBox1, "kCheckBox2", "Archive", 92, 20, 75, false);
  kCheckBox3 = MakeCheckBox(this, kGroupBox1, "kCheckBox3", "System", 170, 20, 75, false);
  kCheckBox4 = MakeCheckBox(this, kGroupBox1, "kCheckBox4", "Hidden", 248, 20, 75, false);

  kGroupBox2 = MakeGroupBox(this, this, "kGroupBox2", "DateTime", 8, 116, 330, 90);
  kLabel4 = MakeLabel(this, kGroupBox2, "kLabel4", "Created:", 10, 20);
  kLabel5 = MakeLabel(this, kGroupBox2, "kLabel5", "Modified:", 10, 42);
  kLabel6 = MakeLabel(this, kGroupBox2, "kLabel6", "Accessed:", 10, 64);
  kLabel7 = MakeLabel(this, kGroupBox2, "kLabel7", "0", 80, 20, 240);
  kLabel8 = MakeLabel(this, kGroupBox2, "kLabel8", "0", 80, 42, 240);
  kLabel9 = MakeLabel(this, kGroupBox2, "kLabel9", "0", 80, 64, 240);
  kBitBtn1 = MakeButton(this, this, "kBitBtn1", "OK", "", 263, 216, 75);
  kBitBtn1->SetDefault(true);

  OnShow = fw::Bind(this, &TfrmAttributeInfo::FormShow);
  OnKeyDown = fw::Bind(this, &TfrmAttributeInfo::FormKeyDown);
  OnClose = fw::Bind(this, &TfrmAttributeInfo::FormClose);
  kBitBtn1->OnClick = fw::Bind(this, &TfrmAttributeInfo::kBitBtn1Click);
}

}  // namespace app
