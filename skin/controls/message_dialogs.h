// The skinned message dialog, notice box and input box. Each call builds a TkMessageForm (its
// own form skinner with the section "DIALOG"), lays out an icon, the word-wrapped message and a
// row of skinned buttons measured from the system's message font, shows it modally, frees it and
// returns the modal result of the button that closed it.
//
// kMessageDlg, kShowMessage and kInputBox go through the program's dialog service
// (fw::DialogService()), so tests answer them from a script; the service the program installs
// at start (TkDialogService) shows the forms below. The other functions show their form
// directly.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "framework/forms/custom_form.h"
#include "framework/forms/dialog_service.h"
#include "framework/graphics/geometry.h"
#include "skin/engine/skin_utils.h"

namespace fw {
class TCanvas;
}

namespace skin {

class TkSkinProvider;

using TkMsgDlgType = fw::TMsgDlgType;
using TkMsgDlgButtons = fw::TMsgDlgButtons;

// A code-built dialog form with its own form skinner (section "DIALOG", no skinned menu) and
// the system's message font.
class TkMessageForm : public fw::TForm {
  FW_CLASS(TkMessageForm, fw::TForm)
 public:
  explicit TkMessageForm(fw::TComponent* owner);
  void AfterConstruction() override;
  TkSkinProvider* GetSkinProvider() const { return FSkinProvider; }
  const std::string& GetHelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& v) { FHelpFile = v; }
  // The Help button's click. The program has no context help, so it shows nothing.
  void HelpButtonClick(fw::TObject* sender);

 protected:
  ~TkMessageForm() override = default;

 private:
  TkSkinProvider* FSkinProvider = nullptr;
  std::string FHelpFile;
};

// --- the dialogs ---

// Builds and lays out the message dialog without showing it; the caller frees it. An empty
// caption takes the dialog type's own ("Warning" ...; the program's title for mtCustom).
TkMessageForm* kCreateMessageDialog(const std::string& caption, const std::string& msg, TkMsgDlgType type,
                                    TkMsgDlgButtons buttons);
// Shows the message dialog at (x, y); a negative x or y keeps that coordinate centred, both
// negative centre it on the screen. Returns the modal result; the form is freed in every case.
int kMessageDlgPosHelp(const std::string& caption, const std::string& msg, TkMsgDlgType type,
                       TkMsgDlgButtons buttons, int helpContext, int x, int y, const std::string& helpFileName);
int kMessageDlgPos(const std::string& msg, TkMsgDlgType type, TkMsgDlgButtons buttons, int helpContext, int x,
                   int y);
// Through the dialog service: the message dialog centred on the screen, with an empty caption.
int kMessageDlg(const std::string& msg, TkMsgDlgType type, TkMsgDlgButtons buttons, int helpContext);
// A custom dialog (the program's title, no icon) with one OK button.
void kShowMessagePos(const std::string& msg, int x, int y);
// Through the dialog service: kShowMessagePos centred.
void kShowMessage(const std::string& msg);
// Asks for one line of text (at most 255 characters), value preset and selected; true and value
// replaced by the edited text after OK, false and value untouched otherwise.
bool kInputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// Through the dialog service: the edited text after OK, defaultValue when cancelled.
std::string kInputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue);

// Shortcuts over kMessageDlg (ShowWarningMessage, the third, lives with the engine's utilities).
bool ConfirmRequest(const std::string& text);  // Yes and No; true for Yes
void ShowErrorMessage(const std::string& text);

// The service the program installs at start: MessageDlg, ShowMessage and InputQuery show the
// skinned forms; message boxes and exceptions stay the system's.
class TkDialogService : public fw::TDialogService {
 public:
  int MessageDlg(const std::string& text, TkMsgDlgType type, TkMsgDlgButtons buttons, int helpContext) override;
  void ShowMessage(const std::string& text) override;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
};
void InstallSkinnedDialogs();

// --- the layout ---

// The dialog units of the canvas's font: the average width of the letters "A".."Z", "a".."z"
// (one extent divided by 52) and their height.
fw::TPoint GetAveCharSize(fw::TCanvas& canvas);

// The caption of a button kind, from the program's string table.
std::string MessageButtonCaption(fw::TMsgDlgBtn kind);
// The button Enter presses (OK, else Yes, else Retry) and the one Escape presses (Cancel, else
// No, else OK); the kind named need not be in the set, and then no button has the role.
fw::TMsgDlgBtn DefaultMessageButton(TkMsgDlgButtons buttons);
fw::TMsgDlgBtn CancelMessageButton(TkMsgDlgButtons buttons);

// The width of each button kind's caption plus 8 pixels, measured once per kind and kept for the
// rest of the run even when the font changes.
class TkButtonWidthCache {
 public:
  // The largest of minimum and the widths of the kinds in buttons; textWidth measures a kind's
  // caption and is asked only for kinds not measured before.
  int Widest(TkMsgDlgButtons buttons, int minimum, const std::function<int(fw::TMsgDlgBtn)>& textWidth);

 private:
  std::array<int, fw::mbHelp + 1> FWidths{};
};
// The process-wide cache the message dialogs use.
TkButtonWidthCache& MessageButtonWidths();

// The message's rectangle at (0, 0): the text drawn in the canvas's font, tabs expanded, wrapped
// at half the screen's width.
fw::TRect MessageTextRect(fw::TCanvas& canvas, const std::string& msg, int screenWidth);

// Where the parts of a message dialog stand, in client coordinates.
struct TkMessageDialogLayout {
  fw::TRect Icon;                     // empty without an icon
  fw::TRect Message;
  std::vector<fw::TRect> Buttons;     // one per button, left to right
  int ClientWidth = 0;
  int ClientHeight = 0;
};
// The layout for the dialog units, the message's size (MessageTextRect), whether there is an
// icon, the number of buttons and their width (buttonWidth: the widest of the captions and 50
// dialog units).
TkMessageDialogLayout LayoutMessageDialog(fw::TPoint units, fw::TSize text, bool icon, int buttonCount,
                                          int buttonWidth);

}  // namespace skin
