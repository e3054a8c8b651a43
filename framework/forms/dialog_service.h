// The message and input dialogs of the program go through one replaceable service, so tests
// can answer them from a script and read back what would have been shown. The default shows
// real dialogs, owned by DialogOwner().
#pragma once
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/sets.h"
#include "framework/win.h"

namespace fw {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  // Returns the modal result of the button chosen (mrYes, mrCancel ...).
  virtual int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
  virtual void ShowMessage(const std::string& text);
  // True when the user accepted; value holds the text entered.
  virtual bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
  // Application.MessageBox: returns the IDOK/IDYES ... of the button chosen.
  virtual int MessageBox(const std::string& text, const std::string& caption, UINT flags);
  // The message of an exception that reached the application.
  virtual void ShowException(const std::string& text, const std::string& title);
};

// The service in use.
TDialogService& DialogService();

namespace testing {

// Replaces the service (null restores the default) and returns the one it replaces.
std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> service);

// Answers from a script and records every text it was asked to show. With no scripted answer
// left, MessageDlg answers mrCancel, MessageBox IDCANCEL and InputQuery false.
class TScriptedDialogs : public TDialogService {
 public:
  int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) override;
  void ShowMessage(const std::string& text) override;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
  int MessageBox(const std::string& text, const std::string& caption, UINT flags) override;
  void ShowException(const std::string& text, const std::string& title) override;

  std::deque<int> Answers;             // for MessageDlg and MessageBox, in order
  std::deque<std::string> Inputs;      // for InputQuery; each one accepts
  std::vector<std::string> Texts;      // every text shown, in order
  std::vector<std::string> Exceptions; // the exception messages among them
};

}  // namespace testing
}  // namespace fw
