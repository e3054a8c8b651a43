#include "framework/dialogs/message_dialogs.h"

#include <algorithm>
#include <vector>

#include "framework/extctrls/image.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/graphics/icon.h"
#include "framework/stdctrls/button.h"
#include "framework/stdctrls/custom_edit.h"
#include "framework/stdctrls/custom_label.h"

namespace fw {

namespace {

struct TButtonKind {
  TMsgDlgBtn Button;
  const char* Caption;
  int Result;
};

const TButtonKind kButtons[] = {
    {mbYes, "&Yes", mrYes},         {mbNo, "&No", mrNo},           {mbOK, "OK", mrOk},
    {mbCancel, "Cancel", mrCancel}, {mbAbort, "&Abort", mrAbort}, {mbRetry, "&Retry", mrRetry},
    {mbIgnore, "&Ignore", mrIgnore}, {mbAll, "&All", mrAll},     {mbNoToAll, "N&o to All", mrNoToAll},
    {mbYesToAll, "Yes to &All", mrYesToAll}, {mbHelp, "&Help", mrNone},
};

const char* TypeCaption(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    default: return "";
  }
}

LPCSTR TypeIcon(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return IDI_EXCLAMATION;
    case mtError: return IDI_HAND;
    case mtInformation: return IDI_ASTERISK;
    case mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
  }
}

// A dialog form built in code; freed when the holder goes.
struct TDialogForm {
  TForm* Form;
  explicit TDialogForm(const std::string& caption) : Form(New<TForm>(Application)) {
    Form->SetBorderStyle(bsDialog);
    Form->SetPosition(poScreenCenter);
    Form->SetCaption(caption);
  }
  ~TDialogForm() { Form->Free(); }
  TDialogForm(const TDialogForm&) = delete;
  TDialogForm& operator=(const TDialogForm&) = delete;
};

}  // namespace

int ShowMessageForm(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  std::string caption = TypeCaption(type);
  if (caption.empty() && Application) caption = Application->GetTitle();
  TDialogForm dialog(caption);
  TForm* form = dialog.Form;
  int left = 10;
  if (LPCSTR id = TypeIcon(type)) {
    TImage* image = New<TImage>(form);
    image->SetBounds(10, 10, 32, 32);
    TIcon icon;
    icon.SetHandle(CopyIcon(LoadIconA(nullptr, id)));
    image->GetPicture()->SetIcon(&icon);
    image->SetParent(form);
    left = 52;
  }
  TLabel* label = New<TLabel>(form);
  label->SetParent(form);
  label->SetLeft(left);
  label->SetTop(10);
  label->SetCaption(text);
  int textWidth = std::max(label->GetWidth(), 120);
  int textBottom = std::max(label->GetTop() + label->GetHeight(), 42);

  std::vector<const TButtonKind*> kinds;
  for (const TButtonKind& kind : kButtons)
    if (buttons.Contains(kind.Button)) kinds.push_back(&kind);
  if (kinds.empty()) kinds.push_back(&kButtons[2]);
  const int bw = 75, bh = 25, gap = 8;
  int rowWidth = static_cast<int>(kinds.size()) * (bw + gap) - gap;
  int clientWidth = std::max(left + textWidth + 10, rowWidth + 20);
  int x = (clientWidth - rowWidth) / 2;
  // The first of OK/Yes is the default; Cancel (else No, else OK) answers Esc.
  const TButtonKind* defaultKind = kinds.front();
  for (const TButtonKind* k : kinds)
    if (k->Button == mbOK || k->Button == mbYes) {
      defaultKind = k;
      break;
    }
  const TButtonKind* cancelKind = nullptr;
  for (TMsgDlgBtn b : {mbCancel, mbNo, mbOK})
    for (const TButtonKind* k : kinds)
      if (!cancelKind && k->Button == b) cancelKind = k;
  for (const TButtonKind* k : kinds) {
    TButton* button = New<TButton>(form);
    button->SetParent(form);
    button->SetBounds(x, textBottom + 14, bw, bh);
    button->SetCaption(k->Caption);
    button->SetModalResult(k->Result);
    button->SetDefault(k == defaultKind);
    button->SetCancel(k == cancelKind);
    if (k == defaultKind) form->SetActiveControl(button);
    x += bw + gap;
  }
  form->SetClientWidth(clientWidth);
  form->SetClientHeight(textBottom + 14 + bh + 12);
  int result = form->ShowModal();
  if (result == mrCancel && cancelKind) return cancelKind->Result;
  return result;
}

bool ShowInputQueryForm(const std::string& caption, const std::string& prompt, std::string& value) {
  TDialogForm dialog(caption);
  TForm* form = dialog.Form;
  form->SetClientWidth(260);
  form->SetClientHeight(94);
  TLabel* label = New<TLabel>(form);
  label->SetParent(form);
  label->SetBounds(8, 8, 244, 13);
  label->SetCaption(prompt);
  TEdit* edit = New<TEdit>(form);
  edit->SetParent(form);
  edit->SetBounds(8, 26, 244, 21);
  edit->SetText(value);
  label->SetFocusControl(edit);
  TButton* ok = New<TButton>(form);
  ok->SetParent(form);
  ok->SetBounds(96, 60, 75, 25);
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  TButton* cancel = New<TButton>(form);
  cancel->SetParent(form);
  cancel->SetBounds(177, 60, 75, 25);
  cancel->SetCaption("Cancel");
  cancel->SetModalResult(mrCancel);
  cancel->SetCancel(true);
  form->SetActiveControl(edit);
  if (form->ShowModal() != mrOk) return false;
  value = edit->GetText();
  return true;
}

int TStandardDialogService::MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int) {
  return ShowMessageForm(text, type, buttons);
}

bool TStandardDialogService::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  return ShowInputQueryForm(caption, prompt, value);
}

void InstallStandardDialogs() { testing::SetDialogService(std::make_unique<TStandardDialogService>()); }

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  return DialogService().MessageDlg(text, type, buttons, helpContext);
}

void ShowMessage(const std::string& text) { DialogService().ShowMessage(text); }

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue) {
  std::string value = defaultValue;
  return DialogService().InputQuery(caption, prompt, value) ? value : defaultValue;
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  return DialogService().InputQuery(caption, prompt, value);
}

}  // namespace fw
