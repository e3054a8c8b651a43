// The skinned message dialog and input box: the layout as functions (dialog units, text size,
// buttons), the button-width cache, the default and cancel buttons, and the real dialogs driven
// through the modal hook: each button's modal result, Enter, Escape and the close box, caption
// and icon per type, position, the form freed every time, the input box's text, and the dialog
// service the program installs.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/buttons/bit_btn.h"
#include "framework/extctrls/image.h"
#include "framework/forms/application.h"
#include "framework/graphics/icon.h"
#include "framework/stdctrls/button.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/message_dialogs.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"
#include "support/control_skin.h"
#include "support/gui_test_support.h"

using namespace skin;
using fw::TMsgDlgButtons;

namespace {

// --- layout as functions ---

TEST(MessageDialogLayout, MarginsSpacingAndButtonsFollowTheDialogUnits) {
  // Units (6, 13): margins 24 and 20, spacing 15 and 16, buttons 23 high with 6 between them.
  TkMessageDialogLayout l = LayoutMessageDialog(fw::TPoint{6, 13}, fw::TSize{200, 26}, true, 2, 75);
  EXPECT_EQ(l.Icon, fw::Bounds(24, 20, 32, 32));
  EXPECT_EQ(l.Message, fw::Bounds(24 + 32 + 15, 20, 200, 26)) << "the message starts right of the icon";
  EXPECT_EQ(l.ClientWidth, 24 + 32 + 15 + 200 + 24);
  EXPECT_EQ(l.ClientHeight, 20 + 32 + 16 + 23 + 20) << "with an icon the text block is at least 32 high";
  ASSERT_EQ(l.Buttons.size(), 2u);
  const int groupLeft = (295 - (75 + 6 + 75)) / 2;
  EXPECT_EQ(l.Buttons[0], fw::Bounds(groupLeft, 20 + 32 + 16, 75, 23));
  EXPECT_EQ(l.Buttons[1], fw::Bounds(groupLeft + 81, 20 + 32 + 16, 75, 23));

  // No icon: the text alone, one line high; no buttons: no group.
  l = LayoutMessageDialog(fw::TPoint{6, 13}, fw::TSize{100, 13}, false, 0, 75);
  EXPECT_EQ(l.Icon, fw::TRect{});
  EXPECT_EQ(l.Message, fw::Bounds(24, 20, 100, 13));
  EXPECT_EQ(l.ClientWidth, 148);
  EXPECT_EQ(l.ClientHeight, 20 + 13 + 16 + 23 + 20);
  EXPECT_TRUE(l.Buttons.empty());

  // A button row wider than the text sets the width; other units scale everything.
  l = LayoutMessageDialog(fw::TPoint{8, 16}, fw::TSize{50, 16}, false, 3, 90);
  EXPECT_EQ(l.ClientWidth, 3 * 90 + 2 * 8 + 2 * 32);
  EXPECT_EQ(l.ClientHeight, 24 + 16 + 20 + 28 + 24);
  EXPECT_EQ(l.Buttons[0].Left, 32);
  EXPECT_EQ(l.Buttons[2].Right, l.ClientWidth - 32);
}

TEST(MessageDialogLayout, EachButtonKindIsMeasuredOnce) {
  TkButtonWidthCache cache;
  std::vector<fw::TMsgDlgBtn> measured;
  int width = 40;
  auto measure = [&](fw::TMsgDlgBtn kind) {
    measured.push_back(kind);
    return width;
  };
  EXPECT_EQ(cache.Widest(TMsgDlgButtons{fw::mbYes, fw::mbNo}, 75, measure), 75) << "the minimum wins";
  EXPECT_EQ(measured, (std::vector<fw::TMsgDlgBtn>{fw::mbYes, fw::mbNo}));
  // A later, wider measure reaches only the kind not seen before.
  width = 100;
  EXPECT_EQ(cache.Widest(TMsgDlgButtons{fw::mbYes, fw::mbNo, fw::mbNoToAll}, 75, measure), 108);
  EXPECT_EQ(measured, (std::vector<fw::TMsgDlgBtn>{fw::mbYes, fw::mbNo, fw::mbNoToAll}));
  width = 10;
  EXPECT_EQ(cache.Widest(TMsgDlgButtons{fw::mbNoToAll}, 75, measure), 108) << "the kept width, not a new one";
  EXPECT_EQ(measured.size(), 3u);
}

TEST(MessageDialogLayout, DefaultAndCancelButtons) {
  EXPECT_EQ(DefaultMessageButton(TMsgDlgButtons{fw::mbYes, fw::mbNo}), fw::mbYes);
  EXPECT_EQ(CancelMessageButton(TMsgDlgButtons{fw::mbYes, fw::mbNo}), fw::mbNo);
  EXPECT_EQ(DefaultMessageButton(TMsgDlgButtons{fw::mbYes, fw::mbNo, fw::mbCancel}), fw::mbYes);
  EXPECT_EQ(CancelMessageButton(TMsgDlgButtons{fw::mbYes, fw::mbNo, fw::mbCancel}), fw::mbCancel);
  EXPECT_EQ(DefaultMessageButton(TMsgDlgButtons{fw::mbAbort, fw::mbRetry, fw::mbIgnore}), fw::mbRetry);
  // The rule names OK, which is absent: no button answers Escape.
  EXPECT_EQ(CancelMessageButton(TMsgDlgButtons{fw::mbAbort, fw::mbRetry, fw::mbIgnore}), fw::mbOK);
  EXPECT_EQ(DefaultMessageButton(TMsgDlgButtons{fw::mbOK, fw::mbCancel, fw::mbYes}), fw::mbOK);
  EXPECT_EQ(CancelMessageButton(TMsgDlgButtons{fw::mbOK}), fw::mbOK);
}

// --- the dialogs on screen ---

// Shows dialogs through the modal hook on the fixture Base.
template <class Base>
class DialogTest : public Base {
 protected:
  void SetUp() override {
    Base::SetUp();
    fw::Application->SetTitle("Dialog test program");
    components = fw::Application->GetComponentCount();
  }
  void TearDown() override {
    fw::Application->ModalHook = nullptr;
    Base::TearDown();
  }

  // Runs show() with hook driving the dialog; checks that the dialog's form is gone afterwards.
  int Run(const std::function<int()>& show, const std::function<void(TkMessageForm&)>& hook) {
    HWND wnd = nullptr;
    fw::Application->ModalHook = [&](fw::TCustomForm& form) {
      wnd = form.GetHandle();
      auto* dialog = dynamic_cast<TkMessageForm*>(&form);
      EXPECT_NE(dialog, nullptr);
      if (dialog) hook(*dialog);
    };
    int result = show();
    fw::Application->ModalHook = nullptr;
    EXPECT_NE(wnd, nullptr) << "the dialog was shown";
    EXPECT_FALSE(IsWindow(wnd)) << "the dialog's window is gone";
    EXPECT_EQ(fw::Application->GetComponentCount(), components) << "the dialog's form is freed";
    return result;
  }
  int Dlg(TMsgDlgButtons buttons, const std::function<void(TkMessageForm&)>& hook,
          fw::TMsgDlgType type = fw::mtConfirmation) {
    return Run([&] { return kMessageDlgPos("Go on?", type, buttons, 0, -1, -1); }, hook);
  }

  static fw::TBitBtn* Button(TkMessageForm& form, const char* name) {
    return dynamic_cast<fw::TBitBtn*>(form.FindComponent(name));
  }
  // A mouse click in the middle of the button.
  static void ClickOn(fw::TWinControl* button) {
    LPARAM at = MAKELPARAM(button->GetWidth() / 2, button->GetHeight() / 2);
    SendMessageA(button->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(button->GetHandle(), WM_LBUTTONUP, 0, at);
  }
  static void Key(WORD key) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 1); }

  int components = 0;
};

class MessageDialogs : public DialogTest<testing_gui::GuiTest> {};

TEST_F(MessageDialogs, EveryButtonGivesItsModalResult) {
  struct TCase {
    fw::TMsgDlgBtn Kind;
    const char* Name;
    const char* Caption;
    int Result;
  };
  const TCase cases[] = {
      {fw::mbYes, "Yes", "&Yes", fw::mrYes},          {fw::mbNo, "No", "&No", fw::mrNo},
      {fw::mbOK, "OK", "OK", fw::mrOk},               {fw::mbCancel, "Cancel", "Cancel", fw::mrCancel},
      {fw::mbAbort, "Abort", "&Abort", fw::mrAbort},  {fw::mbRetry, "Retry", "&Retry", fw::mrRetry},
      {fw::mbIgnore, "Ignore", "&Ignore", fw::mrIgnore}, {fw::mbAll, "All", "&All", fw::mrAll},
      {fw::mbNoToAll, "NoToAll", "N&o to All", fw::mrNoToAll},
      {fw::mbYesToAll, "YesToAll", "Yes to &All", fw::mrYesToAll},
  };
  const TMsgDlgButtons all{fw::mbYes,   fw::mbNo,  fw::mbOK,      fw::mbCancel,   fw::mbAbort, fw::mbRetry,
                           fw::mbIgnore, fw::mbAll, fw::mbNoToAll, fw::mbYesToAll, fw::mbHelp};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Dlg(all,
                  [&](TkMessageForm& form) {
                    fw::TBitBtn* button = Button(form, c.Name);
                    ASSERT_NE(button, nullptr);
                    EXPECT_EQ(button->GetCaption(), c.Caption);
                    ClickOn(button);
                  }),
              c.Result);
  }
  // Help closes nothing: the dialog stays until a button with a result is pressed.
  EXPECT_EQ(Dlg(all,
                [&](TkMessageForm& form) {
                  ASSERT_NE(Button(form, "Help"), nullptr);
                  EXPECT_EQ(Button(form, "Help")->GetCaption(), "&Help");
                  ClickOn(Button(form, "Help"));
                  fw::Application->ProcessMessages();
                  EXPECT_EQ(form.GetModalResult(), fw::mrNone);
                  ClickOn(Button(form, "Ignore"));
                }),
            fw::mrIgnore);
}

TEST_F(MessageDialogs, EnterEscapeAndTheCloseBox) {
  struct TCase {
    TMsgDlgButtons Buttons;
    int Enter, Escape;
  };
  const TCase cases[] = {
      {TMsgDlgButtons{fw::mbYes, fw::mbNo}, fw::mrYes, fw::mrNo},
      {TMsgDlgButtons{fw::mbYes, fw::mbNo, fw::mbCancel}, fw::mrYes, fw::mrCancel},
      {TMsgDlgButtons{fw::mbOK, fw::mbCancel}, fw::mrOk, fw::mrCancel},
      {TMsgDlgButtons{fw::mbOK}, fw::mrOk, fw::mrOk},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(Dlg(c.Buttons, [](TkMessageForm&) { Key(VK_RETURN); }), c.Enter);
    EXPECT_EQ(Dlg(c.Buttons, [](TkMessageForm&) { Key(VK_ESCAPE); }), c.Escape);
    EXPECT_EQ(Dlg(c.Buttons, [](TkMessageForm& f) { PostMessageA(f.GetHandle(), WM_CLOSE, 0, 0); }), fw::mrCancel);
  }
  // Abort, Retry, Ignore: Enter is Retry, Escape presses nothing, the close box is Cancel.
  const TMsgDlgButtons ari{fw::mbAbort, fw::mbRetry, fw::mbIgnore};
  EXPECT_EQ(Dlg(ari, [](TkMessageForm&) { Key(VK_RETURN); }), fw::mrRetry);
  EXPECT_EQ(Dlg(ari,
                [](TkMessageForm& f) {
                  Key(VK_ESCAPE);
                  fw::Application->ProcessMessages();
                  EXPECT_EQ(f.GetModalResult(), fw::mrNone);
                  PostMessageA(f.GetHandle(), WM_CLOSE, 0, 0);
                }),
            fw::mrCancel);
  // No buttons at all: only the close box ends the dialog.
  EXPECT_EQ(Dlg(TMsgDlgButtons{},
                [](TkMessageForm& f) {
                  EXPECT_EQ(f.FindComponent("OK"), nullptr);
                  Key(VK_RETURN);
                  Key(VK_ESCAPE);
                  fw::Application->ProcessMessages();
                  EXPECT_EQ(f.GetModalResult(), fw::mrNone);
                  PostMessageA(f.GetHandle(), WM_CLOSE, 0, 0);
                }),
            fw::mrCancel);
}

TEST_F(MessageDialogs, CaptionAndIconPerType) {
  struct TCase {
    fw::TMsgDlgType Type;
    const char* Caption;
    bool Icon;
  };
  const TCase cases[] = {{fw::mtWarning, "Warning", true},
                         {fw::mtError, "Error", true},
                         {fw::mtInformation, "Information", true},
                         {fw::mtConfirmation, "Confirm", true},
                         {fw::mtCustom, "Dialog test program", false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Caption);
    Dlg(TMsgDlgButtons{fw::mbOK},
        [&](TkMessageForm& form) {
          EXPECT_EQ(form.GetCaption(), c.Caption);
          auto* image = dynamic_cast<fw::TImage*>(form.FindComponent("Image"));
          EXPECT_EQ(image != nullptr, c.Icon);
          if (image) {
            EXPECT_FALSE(image->GetPicture()->GetIcon()->GetEmpty());
            EXPECT_EQ(image->GetBoundsRect().Width(), 32);
          }
          // The message starts right of the icon, or at the margin without one.
          auto* message = dynamic_cast<fw::TControl*>(form.FindComponent("Message"));
          ASSERT_NE(message, nullptr);
          if (image) {
            EXPECT_GT(message->GetLeft(), image->GetBoundsRect().Right);
          }
          PostMessageA(form.GetHandle(), WM_CLOSE, 0, 0);
        },
        c.Type);
  }
  // A caption given overrides every default one.
  Run([] { return kMessageDlgPosHelp("Own caption", "Text", fw::mtCustom, TMsgDlgButtons{fw::mbOK}, 0, -1, -1, ""); },
      [](TkMessageForm& form) {
        EXPECT_EQ(form.GetCaption(), "Own caption");
        PostMessageA(form.GetHandle(), WM_CLOSE, 0, 0);
      });
}

TEST_F(MessageDialogs, TheFormIsLaidOutFromItsOwnFont) {
  const std::string msg = "A message long enough to be wrapped somewhere when the screen is narrow, "
                          "and longer still, so that half of any screen width holds it only on several lines. "
                          "It goes on and on, because only then does the wrap show.";
  Run([&] { return kMessageDlgPos(msg, fw::mtWarning, TMsgDlgButtons{fw::mbYes, fw::mbNo, fw::mbCancel}, 0, -1, -1); },
      [&](TkMessageForm& form) {
        fw::TCanvas& canvas = *form.GetCanvas();
        fw::TPoint units = GetAveCharSize(canvas);
        fw::TRect text = MessageTextRect(canvas, msg, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_LE(text.Right, GetSystemMetrics(SM_CXSCREEN) / 2);
        int width = Button(form, "Yes")->GetWidth();
        TkMessageDialogLayout l = LayoutMessageDialog(units, fw::TSize{text.Right, text.Bottom}, true, 3, width);
        EXPECT_EQ(form.GetClientWidth(), l.ClientWidth);
        EXPECT_EQ(form.GetClientHeight(), l.ClientHeight);
        EXPECT_GE(width, fw::MulDiv(50, units.X, 4));
        EXPECT_EQ(Button(form, "Yes")->GetBoundsRect(), l.Buttons[0]);
        EXPECT_EQ(Button(form, "No")->GetBoundsRect(), l.Buttons[1]);
        EXPECT_EQ(Button(form, "Cancel")->GetBoundsRect(), l.Buttons[2]);
        EXPECT_TRUE(Button(form, "Yes")->GetDefault());
        EXPECT_TRUE(Button(form, "Cancel")->GetCancel());
        EXPECT_FALSE(Button(form, "No")->GetCancel());
        EXPECT_EQ(dynamic_cast<fw::TControl*>(form.FindComponent("Message"))->GetBoundsRect(), l.Message);
        // The form's own skinner, with the dialog section and no skinned menu.
        ASSERT_NE(form.GetSkinProvider(), nullptr);
        EXPECT_EQ(form.GetSkinProvider()->GetSkinSection(), "DIALOG");
        EXPECT_FALSE(form.GetSkinProvider()->GetMakeSkinMenu());
        EXPECT_FALSE(form.GetAutoScroll());
        PostMessageA(form.GetHandle(), WM_CLOSE, 0, 0);
      });
}

TEST_F(MessageDialogs, TheMessageWrapsAtHalfTheScreenWithTabsExpanded) {
  auto form = fw::MakeOwned<TkMessageForm>(nullptr);
  fw::TCanvas& canvas = *form->GetCanvas();
  canvas.SetFont(form->GetFont());
  const std::string msg = "Words that run on across a line and then some more words after them";
  fw::TRect wide = MessageTextRect(canvas, msg, 4000);
  fw::TRect narrow = MessageTextRect(canvas, msg, 200);
  EXPECT_GT(wide.Right, 100);
  EXPECT_LE(narrow.Right, 100);
  EXPECT_GE(narrow.Bottom, 3 * wide.Bottom) << "one line on a wide screen, several on a narrow one";
  EXPECT_GT(MessageTextRect(canvas, "a\tb", 4000).Right, MessageTextRect(canvas, "ab", 4000).Right + 10);
}

TEST_F(MessageDialogs, PositionGivenOrCentred) {
  Run([] { return kMessageDlgPos("At the corner", fw::mtInformation, TMsgDlgButtons{fw::mbOK}, 0, 0, 0); },
      [](TkMessageForm& form) {
        RECT r;
        GetWindowRect(form.GetHandle(), &r);
        EXPECT_EQ(r.left, 0) << "0 is a real position";
        EXPECT_EQ(r.top, 0);
        PostMessageA(form.GetHandle(), WM_CLOSE, 0, 0);
      });
  Run([] { return kMessageDlgPos("Centred", fw::mtInformation, TMsgDlgButtons{fw::mbOK}, 0, -1, -1); },
      [](TkMessageForm& form) {
        RECT r;
        GetWindowRect(form.GetHandle(), &r);
        EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
        EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
        PostMessageA(form.GetHandle(), WM_CLOSE, 0, 0);
      });
}

// The program's dialog service, with the exceptions a test may raise noted instead of shown.
class TTestedService : public TkDialogService {
 public:
  void ShowException(const std::string& text, const std::string&) override { ADD_FAILURE() << text; }
};

TEST_F(MessageDialogs, TheInstalledServiceShowsTheSkinnedForms) {
  fw::testing::SetDialogService(std::make_unique<TTestedService>());
  auto editOf = [](TkMessageForm& form) -> fw::TEdit* {
    for (int i = 0; i < form.GetComponentCount(); ++i)
      if (auto* edit = dynamic_cast<fw::TEdit*>(form.GetComponents(i))) return edit;
    return nullptr;
  };
  // Cancel (Escape) gives the default back; OK (Enter) the edited text.
  EXPECT_EQ(Run([] { return static_cast<int>(kInputBox("Rename", "New name:", "old").size()); },
                [&](TkMessageForm& form) {
                  EXPECT_EQ(form.GetCaption(), "Rename");
                  ASSERT_NE(editOf(form), nullptr);
                  EXPECT_EQ(editOf(form)->GetText(), "old");
                  EXPECT_EQ(editOf(form)->GetMaxLength(), 255);
                  editOf(form)->SetText("changed");
                  Key(VK_ESCAPE);
                }),
            3);
  std::string value;
  Run(
      [&] {
        value = kInputBox("Rename", "New name:", "old");
        return 0;
      },
      [&](TkMessageForm& form) {
        // Typed over the selected default: at most 255 characters stay.
        HWND edit = editOf(form)->GetHandle();
        EXPECT_EQ(GetFocus(), edit);
        for (int i = 0; i < 300; ++i) SendMessageA(edit, WM_CHAR, 'a' + i % 26, 1);
        Key(VK_RETURN);
      });
  EXPECT_EQ(value.size(), 255u);
  EXPECT_EQ(value.substr(0, 3), "abc");

  // Message dialogs through the service: centred, the type's caption; the shortcuts over them.
  EXPECT_EQ(Run([] { return kMessageDlg("Delete files?", fw::mtConfirmation, TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0); },
                [](TkMessageForm& form) {
                  EXPECT_EQ(form.GetCaption(), "Confirm");
                  EXPECT_EQ(form.GetPosition(), fw::poScreenCenter);
                  ClickOn(Button(form, "Yes"));
                }),
            fw::mrYes);
  EXPECT_EQ(Run([] { return ConfirmRequest("Sure?") ? 1 : 0; }, [](TkMessageForm&) { Key(VK_ESCAPE); }), 0);
  EXPECT_EQ(Run([] { return ConfirmRequest("Sure?") ? 1 : 0; }, [](TkMessageForm&) { Key(VK_RETURN); }), 1);
  Run(
      [] {
        ShowErrorMessage("Broken");
        return 0;
      },
      [](TkMessageForm& form) {
        EXPECT_EQ(form.GetCaption(), "Error");
        EXPECT_NE(Button(form, "OK"), nullptr);
        Key(VK_RETURN);
      });
  Run(
      [] {
        ShowWarningMessage("Careful");
        return 0;
      },
      [](TkMessageForm& form) {
        EXPECT_EQ(form.GetCaption(), "Warning");
        Key(VK_RETURN);
      });
  Run(
      [] {
        kShowMessage("Complete.");
        return 0;
      },
      [](TkMessageForm& form) {
        EXPECT_EQ(form.GetCaption(), "Dialog test program");
        EXPECT_EQ(form.FindComponent("Image"), nullptr);
        EXPECT_EQ(form.GetComponentCount(), 3) << "skinner, message and OK";
        Key(VK_RETURN);
      });
}

TEST_F(MessageDialogs, InputQueryLeavesTheValueAloneWhenCancelled) {
  std::string value = "kept";
  auto typeAndPress = [](WORD key) {
    return [key](TkMessageForm&) {
      SendMessageA(GetFocus(), WM_CHAR, 'x', 1);
      Key(key);
    };
  };
  EXPECT_EQ(Run([&] { return kInputQuery("Rename", "New name:", value) ? 1 : 0; }, typeAndPress(VK_ESCAPE)), 0);
  EXPECT_EQ(value, "kept");
  Run([&] { return kInputQuery("Rename", "New name:", value) ? 1 : 0; },
      [](TkMessageForm& f) { PostMessageA(f.GetHandle(), WM_CLOSE, 0, 0); });
  EXPECT_EQ(value, "kept");
  EXPECT_EQ(Run([&] { return kInputQuery("Rename", "New name:", value) ? 1 : 0; }, typeAndPress(VK_RETURN)), 1);
  EXPECT_EQ(value, "x") << "typed over the selected text";
}

TEST_F(MessageDialogs, ScriptedAnswersStillReachTheCallers) {
  scripted->Answers = {fw::mrYes};
  scripted->Inputs = {"typed"};
  EXPECT_EQ(kMessageDlg("Delete files?", fw::mtConfirmation, TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0), fw::mrYes);
  EXPECT_EQ(kInputBox("Rename", "New name:", "old"), "typed");
  EXPECT_EQ(kInputBox("Rename", "New name:", "old"), "old") << "no answer left: cancelled";
  EXPECT_FALSE(ConfirmRequest("Sure?"));
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "New name:", "New name:", "Sure?"}));
}

}  // namespace

namespace {

class SkinnedMessageDialogs : public DialogTest<control_skin::ControlSkinTest> {
 protected:
  // A pixel of the screen at a point of the control's window.
  static fw::TColor PixelOf(fw::TWinControl& control, int x, int y) {
    GdiFlush();
    RECT r{};
    GetWindowRect(control.GetHandle(), &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.left + x, r.top + y);
    ReleaseDC(nullptr, screen);
    return static_cast<fw::TColor>(c);
  }
};

TEST_F(SkinnedMessageDialogs, TheDialogIsDrawnFromTheSkin) {
  // The frame comes from the "DIALOG" section of the active skin, and follows a skin change.
  auto isEdge = [](fw::TColor c, const control_skin::TSectionColours& s) {
    return c == s.Edge[0] || c == s.Edge[1] || c == s.Edge[2];
  };
  Dlg(TMsgDlgButtons{fw::mbYes, fw::mbNo}, [&](TkMessageForm& form) {
    Settle(8);
    // The client area takes the skin's global colour, so the icon and the message stand on it.
    EXPECT_EQ(form.GetColor(), manager->GetGlobalColor());
    RECT r{};
    GetWindowRect(form.GetHandle(), &r);
    const int h = r.bottom - r.top;
    EXPECT_TRUE(isEdge(PixelOf(form, 1, h / 2), control_skin::kFirst.Dialog)) << std::hex << PixelOf(form, 1, h / 2);
    // The buttons are skinned: the focused default button shows the hot face, the other the normal one.
    fw::TBitBtn* yes = Button(form, "Yes");
    fw::TBitBtn* no = Button(form, "No");
    EXPECT_EQ(PixelOf(*yes, yes->GetWidth() / 2, control_skin::kBorder + 1),
              control_skin::kFirst.Button.Face[control_skin::kHot]);
    EXPECT_EQ(PixelOf(*no, no->GetWidth() / 2, control_skin::kBorder + 1),
              control_skin::kFirst.Button.Face[control_skin::kNormal]);
    UseSecondSkin();
    Settle(8);
    EXPECT_TRUE(isEdge(PixelOf(form, 1, h / 2), control_skin::kSecond.Dialog)) << std::hex << PixelOf(form, 1, h / 2);
    EXPECT_EQ(PixelOf(*no, no->GetWidth() / 2, control_skin::kBorder + 1),
              control_skin::kSecond.Button.Face[control_skin::kNormal]);
    PostMessageA(form.GetHandle(), WM_CLOSE, 0, 0);
  });
}

TEST_F(SkinnedMessageDialogs, TheInputBoxButtonsShowTheSkinsButtonFaces) {
  std::string value = "text";
  Run([&] { return kInputQuery("Rename", "New name:", value) ? 1 : 0; },
      [&](TkMessageForm& form) {
        Settle(8);
        std::vector<fw::TWinControl*> buttons;
        for (int i = 0; i < form.GetComponentCount(); ++i)
          if (auto* b = dynamic_cast<fw::TButton*>(form.GetComponents(i))) buttons.push_back(b);
        ASSERT_EQ(buttons.size(), 2u);
        // Focus rests in the edit: the default OK button shows the hot face, Cancel the normal one.
        const control_skin::TSectionColours& face = control_skin::kFirst.Button;
        EXPECT_EQ(PixelOf(*buttons[0], buttons[0]->GetWidth() / 2, control_skin::kBorder + 1), face.Face[control_skin::kHot]);
        EXPECT_EQ(PixelOf(*buttons[1], buttons[1]->GetWidth() / 2, control_skin::kBorder + 1), face.Face[control_skin::kNormal]);
        Key(VK_ESCAPE);
      });
  EXPECT_EQ(value, "text");
}

}  // namespace
