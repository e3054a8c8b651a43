// The layout of the Change attribute dialog.
#include "app/dialogs/change_attribute_form.h"
#include "app/main/layout_helpers.h"

namespace app {
namespace {

// One row of the DateTime group: its caption, a date picker, a time picker and "Current".
void MakeTimeRow(TfrmChangeAttribute* form, int row, skin::TkLabel*& label, fw::TDateTimePicker*& date,
                 fw::TDateTimePicker*& time, skin::TkButton*& current) {
  static const char* const kCaptions[] = {"Created", "Modified", "Accessed"};
  const int top = 20 + row * 28;
  const std::string number = std::to_string(row + 1);
  label = MakeLabel(form, form->kGroupBox2, ("kLabel" + number).c_str(), kCaptions[row], 10, top + 3);
  date = fw::New<fw::TDateTimePicker>(form);
  date->SetName("DateTimePicker" + std::to_string(row * 2 + 1));
  date->SetBounds(74, top, 100, 21);
  time = fw::New<fw::TDateTimePicker>(form);
  time->SetName("DateTimePicker" + std::to_string(row * 2 + 2));
  time->SetKind(fw::dtkTime);
  time->SetBounds(178, top, 80, 21);
  for (fw::TDateTimePicker* picker : {date, time}) {
    // What a DOS date and time can hold.
    picker->SetMinDate(fw::EncodeDate(1980, 1, 1));
    picker->SetMaxDate(fw::EncodeDateTime(2107, 12, 31, 23, 59, 59, 0));
    picker->SetParent(form->kGroupBox2);
  }
  current = fw::New<skin::TkButton>(form);
  current->SetName("kButton" + number);
  current->SetCaption("Current");
  current->SetHint("Set current DateTime");
  current->SetShowHint(true);
  current->SetBounds(262, top, 60, 21);
  current->SetParent(form->kGroupBox2);
}

}  // namespace

void TfrmChangeAttribute::CreateComponents() {
  SetName("frmChangeAttribute");
  SetCaption("Change attribute");
  SetBorderStyle(fw::bsSingle);
  SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu});
  SetPosition(fw::poMainFormCenter);
  SetKeyPreview(true);
  SetClientWidth(346);
  SetClientHeight(282);
  MakeSkinProvider(this, "kSkinProvider1", skin::TkBorderIcons{fw::biSystemMenu});

  kCheckBox1 = MakeCheckBox(this, this, "kCheckBox1", "Include subfolders", 12, 8, 160, true);
  kGroupBox1 = MakeGroupBox(this, this, "kGroupBox1", "Attribute", 8, 30, 330, 48);
  kCheckBox2 = MakeCheckBox(this, kGroupBox1, "kCheckBox2", "Read Only", 10, 20, 80, false);
  kCheckBox3 = MakeCheckBox(this, kGroupBox1, "kCheckBox3", "Archive", 92, 20, 75, false);
  kCheckBox4 = MakeCheckBox(this, kGroupBox1, "kCheckBox4", "System", 170, 20, 75, false);
  kCheckBox5 = MakeCheckBox(this, kGroupBox1, "kCheckBox5", "Hidden", 248, 20, 75, false);
  kCheckBox6 = MakeCheckBox(this, this, "kCheckBox6", "Use DateTime", 12, 86, 160, false);
  kGroupBox2 = MakeGroupBox(this, this, "kGroupBox2", "DateTime", 8, 108, 330, 106);
  MakeTimeRow(this, 0, kLabel1, DateTimePicker1, DateTimePicker2, kButton1);
  MakeTimeRow(this, 1, kLabel2, DateTimePicker3, DateTimePicker4, kButton2);
  MakeTimeRow(this, 2, kLabel3, DateTimePicker5, DateTimePicker6, kButton3);
  kBitBtn1 = MakeButton(this, this, "kBitBtn1", "OK", "", 182, 248, 75);
  kBitBtn1->SetDefault(true);
  kBitBtn2 = MakeButton(this, this, "kBitBtn2", "Cancel", "", 263, 248, 75);

  OnKeyDown = fw::Bind(this, &TfrmChangeAttribute::FormKeyDown);
  OnClose = fw::Bind(this, &TfrmChangeAttribute::FormClose);
  kButton1->OnClick = fw::Bind(this, &TfrmChangeAttribute::kButton1Click);
  kButton2->OnClick = fw::Bind(this, &TfrmChangeAttribute::kButton2Click);
  kButton3->OnClick = fw::Bind(this, &TfrmChangeAttribute::kButton3Click);
  kBitBtn1->OnClick = fw::Bind(this, &TfrmChangeAttribute::kBitBtn1Click);
  kBitBtn2->OnClick = fw::Bind(this, &TfrmChangeAttribute::kBitBtn2Click);
}

}  // namespace app
