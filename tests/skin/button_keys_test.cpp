// The keys a hand gives every kind of button through the system's input queue: Space presses
// the focused one and leaves the others as they were, Alt+Space (the window menu's key, whichever
// key is let go of first) presses, ticks and chooses nothing, skinned or plain.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
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
#include "support/panel_form_fixture.h"
#include "support/real_input.h"

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

class ButtonKeysTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    MakeForm(420, 300, fw::TRect(0, 0, 400, 260));
    // No window menu, as a skinned form has none of the system's: the keys' releases reach
    // the focused control.
    form->SetBorderIcons(fw::TBorderIcons{});
    auto* button = Button<skin::TkButton>(20, 20, "Button");
    auto* bitBtn = Button<skin::TkBitBtn>(20, 60, "BitBtn");
    auto* box = Button<skin::TkCheckBox>(20, 100, "Check");
    auto* radio = Button<skin::TkRadioButton>(20, 140, "Radio");
    auto* plainButton = Button<fw::TButton>(220, 20, "Plain button");
    auto* plainBox = Button<fw::TCheckBox>(220, 100, "Plain check");
    auto* plainRadio = Button<fw::TRadioButton>(220, 140, "Plain radio");
    targets = {{"skinned push button", button, nullptr, [button] { return button->GetDown(); }},
               {"skinned bitmap button", bitBtn, nullptr, [bitBtn] { return bitBtn->GetDown(); }},
               {"skinned check box", box, [box] { return box->GetChecked(); }},
               {"skinned radio button", radio, [radio] { return radio->GetChecked(); }},
               {"plain push button", plainButton, nullptr},
               {"plain check box", plainBox, [plainBox] { return plainBox->GetChecked(); }},
               {"plain radio button", plainRadio, [plainRadio] { return plainRadio->GetChecked(); }}};
    ShowForm();
    SetForegroundWindow(form->GetHandle());
  }
  // A button of the kind on the panel, counting its clicks.
  template <class T>
  T* Button(int left, int top, const char* caption) {
    T* button = Place<T>(panel, left, top, 150, 25);
    button->SetCaption(caption);
    button->OnClick = [this](fw::TObject* sender) {
      ++clicks;
      clicked = sender;
    };
    return button;
  }
  void Focus(fw::TWinControl* control) {
    control->SetFocus();
    Settle();
    ASSERT_EQ(GetFocus(), control->GetHandle());
    clicks = 0;
  }
  // Space pressed and released through the input queue.
  static void Space() {
    testing_input::SendKeys({VK_SPACE});
    Settle(10, 20);
  }

  std::vector<TTarget> targets;
  int clicks = 0;
  fw::TObject* clicked = nullptr;
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

// Space is the focused skinned push button's alone: it clicks that one once, and every skinned
// push and bitmap button of the form shows afterwards what it showed before the key, none of
// them left drawn pressed.
TEST_F(ButtonKeysTest, SpacePressesNoOtherSkinnedButton) {
  // The pointer away from the form, so that no button shows hot.
  SetCursorPos(1200, 1000);
  std::vector<const TTarget*> pushButtons;
  for (const TTarget& target : targets)
    if (target.Down) pushButtons.push_back(&target);
  ASSERT_GE(pushButtons.size(), 2u);
  for (const TTarget* focused : pushButtons) {
    SCOPED_TRACE(focused->Name + " focused");
    Focus(focused->Control);
    std::vector<std::unique_ptr<fw::TBitmap>> idle;
    for (const TTarget* button : pushButtons) idle.push_back(control_shots::ScreenShot(button->Control));
    clicked = nullptr;
    Space();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clicked, focused->Control);
    for (size_t i = 0; i < pushButtons.size(); ++i)
      EXPECT_TRUE(control_shots::SamePixels(*control_shots::ScreenShot(pushButtons[i]->Control), *idle[i]))
          << pushButtons[i]->Name << " shows otherwise than before the key";
  }
}

}  // namespace
