#include "framework/forms/dialog_service.h"

#include <utility>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/wide_text.h"

namespace fw {

namespace {
std::unique_ptr<TDialogService>& Current() {
  static std::unique_ptr<TDialogService> service;
  return service;
}

std::string AppTitle() { return Application ? Application->GetTitle() : std::string(); }

int ResultOfId(int id) {
  switch (id) {
    case IDOK: return mrOk;
    case IDCANCEL: return mrCancel;
    case IDABORT: return mrAbort;
    case IDRETRY: return mrRetry;
    case IDIGNORE: return mrIgnore;
    case IDYES: return mrYes;
    case IDNO: return mrNo;
    default: return mrCancel;
  }
}
}  // namespace

TDialogService& DialogService() {
  static TDialogService fallback;
  return Current() ? *Current() : fallback;
}

int TDialogService::MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int) {
  UINT flags = 0;
  switch (type) {
    case mtWarning: flags |= MB_ICONWARNING; break;
    case mtError: flags |= MB_ICONERROR; break;
    case mtInformation: flags |= MB_ICONINFORMATION; break;
    case mtConfirmation: flags |= MB_ICONQUESTION; break;
    default: break;
  }
  bool yes = buttons.Contains(mbYes), no = buttons.Contains(mbNo), cancel = buttons.Contains(mbCancel);
  if (yes && no) {
    flags |= cancel ? MB_YESNOCANCEL : MB_YESNO;
  } else if (buttons.Contains(mbAbort) || buttons.Contains(mbRetry)) {
    flags |= buttons.Contains(mbIgnore) ? MB_ABORTRETRYIGNORE : MB_RETRYCANCEL;
  } else if (cancel) {
    flags |= MB_OKCANCEL;
  } else {
    flags |= MB_OK;
  }
  return ResultOfId(MessageBox(text, AppTitle(), flags));
}

void TDialogService::ShowMessage(const std::string& text) { MessageBox(text, AppTitle(), MB_OK); }

bool TDialogService::InputQuery(const std::string&, const std::string&, std::string&) {
  // The program's input dialog form registers itself as the service's replacement.
  return false;
}

int TDialogService::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  return ::MessageBoxA(DialogOwner(), ValidUtf8(text).c_str(), ValidUtf8(caption).c_str(), flags);
}

void TDialogService::ShowException(const std::string& text, const std::string& title) {
  MessageBox(text, title, MB_OK | MB_ICONSTOP);
}

namespace testing {

std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> service) {
  return std::exchange(Current(), std::move(service));
}

namespace {
int Next(std::deque<int>& answers, int fallback) {
  if (answers.empty()) return fallback;
  int a = answers.front();
  answers.pop_front();
  return a;
}
}  // namespace

int TScriptedDialogs::MessageDlg(const std::string& text, TMsgDlgType, TMsgDlgButtons, int) {
  Texts.push_back(text);
  return Next(Answers, mrCancel);
}

void TScriptedDialogs::ShowMessage(const std::string& text) { Texts.push_back(text); }

bool TScriptedDialogs::InputQuery(const std::string&, const std::string& prompt, std::string& value) {
  Texts.push_back(prompt);
  if (Inputs.empty()) return false;
  value = Inputs.front();
  Inputs.pop_front();
  return true;
}

int TScriptedDialogs::MessageBox(const std::string& text, const std::string&, UINT) {
  Texts.push_back(text);
  return Next(Answers, IDCANCEL);
}

void TScriptedDialogs::ShowException(const std::string& text, const std::string&) {
  Texts.push_back(text);
  Exceptions.push_back(text);
}

}  // namespace testing
}  // namespace fw
