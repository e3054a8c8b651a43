// The keys a hand gives every kind of button through the system's input queue: Space presses
// the focused one, Alt+Space (the window menu's key, whichever key is let go of first) presses,
// ticks and chooses nothing, skinned or plain.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/stdctrls/button.h"
#include "framework/stdctrls/check_box.h"
#include "framework/stdctrls/radio_button.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/radio_button.h"
#include "support/alt_space_hand.h"
#include "support/control_skin.h"

namespace {

using testing_keys::TAltRelease;
using testing_keys::TAltSpaceHand;

// One control on the form: what it is, and what a press of it changes besides its clicks.
struct TTarget {
  std::string Name;
  fw::TWinControl* Control;
  std::function<bool()> Checked;  // null for push buttons
  std::function<bool()> Down;     // null but for skinned push buttons
};

class ButtonKeysTest : public control_skin::ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(40, 40, 420, 300);
    // No window menu, as a skinned form has none of the system's: the keys' releases reach
    // the focused control.
    form->SetBorderIcons(fw::TBorderIcons{});
    auto* button = Place<skin::TkButton>(20, 20, "Button");
    auto* bitBtn = Place<skin::TkBitBtn>(20, 60, "BitBtn");
    auto* box = Place<skin::TkCheckBox>(20, 100, "Check");
    auto* radio = Place<skin::TkRadioButton>(20, 140, "Radio");
    auto* plainButton = Place<fw::TButton>(220, 20, "Plain button");
    auto* plainBox = Place<fw::TCheckBox>(220, 100, "Plain check");
    auto* plainRadio = Place<fw::TRadioButton>(220, 140, "Plain radio");
    for (fw::TWinControl* c : {static_cast<fw::TWinControl*>(button), static_cast<fw::TWinControl*>(bitBtn),
                               static_cast<fw::TWinControl*>(box), static_cast<fw::TWinControl*>(radio),
                               static_cast<fw::TWinControl*>(plainButton), static_cast<fw::TWinControl*>(plainBox),
                               static_cast<fw::TWinControl*>(plainRadio)})
      c->OnClick = [this](fw::TObject*) { ++clicks; };
    targets = {{"skinned push button", button, nullptr, [button] { return button->GetDown(); }},
               {"skinned bitmap button", bitBtn, nullptr, [bitBtn] { return bitBtn->GetDown(); }},
               {"skinned check box", box, [box] { return box->GetChecked(); }},
               {"skinned radio button", radio, [radio] { return radio->GetChecked(); }},
               {"plain push button", plainButton, nullptr},
               {"plain check box", plainBox, [plainBox] { return plainBox->GetChecked(); }},
               {"plain radio button", plainRadio, [plainRadio] { return plainRadio->GetChecked(); }}};
    form->Show();
    SetForegroundWindow(form->GetHandle());
    Settle();
  }
  void TearDown() override {
    fw::Free(form);
    ControlSkinTest::TearDown();
  }
  template <class T>
  T* Place(int left, int top, const char* caption) {
    auto* c = fw::New<T>(form);
    c->SetBounds(left, top, 150, 25);
    c->SetCaption(caption);
    c->SetParent(form);
    return c;
  }
  void Focus(fw::TWinControl* control) {
    control->SetFocus();
    Settle();
    ASSERT_EQ(GetFocus(), control->GetHandle());
    clicks = 0;
  }
  // Space pressed and released through the input queue.
  static void Space() {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_SPACE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    EXPECT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
    Settle(10, 20);
  }

  fw::TForm* form = nullptr;
  std::vector<TTarget> targets;
  int clicks = 0;
};

TEST_F(ButtonKeysTest, AltSpacePressesTicksAndChoosesNothing) {
  for (const TTarget& target : targets)
    for (TAltRelease order : {TAltRelease::AfterSpace, TAltRelease::BeforeSpace}) {
      SCOPED_TRACE(target.Name + (order == TAltRelease::AfterSpace ? ", Alt let go last" : ", Alt let go first"));
      Focus(target.Control);
      const bool checked = target.Checked && target.Checked();
      TAltSpaceHand hand(order);
      ASSERT_TRUE(hand.PumpUntilDone());
      EXPECT_EQ(clicks, 0);
      if (target.Checked) EXPECT_EQ(target.Checked(), checked);
      if (target.Down) EXPECT_FALSE(target.Down()) << "left pressed";
      EXPECT_EQ(hand.Menu(), nullptr);
      EXPECT_TRUE(IsWindowVisible(form->GetHandle()));
    }
}

TEST_F(ButtonKeysTest, SpaceStillPressesTheFocusedButton) {
  for (const TTarget& target : targets) {
    SCOPED_TRACE(target.Name);
    Focus(target.Control);
    const bool checked = target.Checked && target.Checked();
    Space();
    EXPECT_EQ(clicks, 1);
    if (target.Checked) EXPECT_NE(target.Checked(), checked);
  }
}

}  // namespace
