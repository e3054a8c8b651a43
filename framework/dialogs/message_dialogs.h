// The program's message and input dialogs. Every call goes through DialogService() (tests
// answer from a script); the standard service shows code-built forms for MessageDlg and
// InputQuery, with Enter on the default button and Esc/close giving mrCancel.
#pragma once
#include <string>

#include "framework/forms/dialog_service.h"

namespace fw {

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
void ShowMessage(const std::string& text);
// The text entered, or defaultValue when the dialog was cancelled.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue);
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

// The dialogs as forms: a message form with one button per kind asked for, and an input form.
int ShowMessageForm(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
bool ShowInputQueryForm(const std::string& caption, const std::string& prompt, std::string& value);

// The standard service: the default one with these forms for MessageDlg and InputQuery.
class TStandardDialogService : public TDialogService {
 public:
  int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) override;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
};

// Makes the standard service the one in use (called once at start-up).
void InstallStandardDialogs();

}  // namespace fw
