#include "skin/controls/message_dialogs.h"

#include <algorithm>
#include <memory>

#include "framework/extctrls/image.h"
#include "framework/forms/application.h"
#include "framework/graphics/icon.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"
#include "framework/stdctrls/text_painter.h"
#include "resources/string_ids.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/engine/skin_provider.h"

namespace skin {

namespace {

struct TButtonKind {
  const char* Name;
  int Caption;  // string id
  int Result;
};

// Per button kind, in the order of fw::TMsgDlgBtn.
constexpr TButtonKind kButtonKinds[] = {
    {"Yes", IDS_MSGDLG_YES, fw::mrYes},          {"No", IDS_MSGDLG_NO, fw::mrNo},
    {"OK", IDS_MSGDLG_OK, fw::mrOk},             {"Cancel", IDS_MSGDLG_CANCEL, fw::mrCancel},
    {"Abort", IDS_MSGDLG_ABORT, fw::mrAbort},    {"Retry", IDS_MSGDLG_RETRY, fw::mrRetry},
    {"Ignore", IDS_MSGDLG_IGNORE, fw::mrIgnore}, {"All", IDS_MSGDLG_ALL, fw::mrAll},
    {"NoToAll", IDS_MSGDLG_NOTOALL, fw::mrNoToAll}, {"YesToAll", IDS_MSGDLG_YESTOALL, fw::mrYesToAll},
    {"Help", IDS_MSGDLG_HELP, fw::mrNone},
};
static_assert(std::size(kButtonKinds) == fw::mbHelp + 1);

constexpr fw::TMsgDlgBtn kAllKinds[] = {fw::mbYes,   fw::mbNo,  fw::mbOK,      fw::mbCancel,   fw::mbAbort, fw::mbRetry,
                                        fw::mbIgnore, fw::mbAll, fw::mbNoToAll, fw::mbYesToAll, fw::mbHelp};

constexpr int kIconSize = 32;

// A string of the program's own string table; empty when it has none of that number.
std::string LoadResString(int id) {
  const wchar_t* text = nullptr;
  int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? fw::WideToUtf8(text, length) : std::string();
}

std::string TypeCaption(TkMsgDlgType type) {
  switch (type) {
    case fw::mtWarning: return LoadResString(IDS_MSGDLG_WARNING);
    case fw::mtError: return LoadResString(IDS_MSGDLG_ERROR);
    case fw::mtInformation: return LoadResString(IDS_MSGDLG_INFORMATION);
    case fw::mtConfirmation: return LoadResString(IDS_MSGDLG_CONFIRM);
    default: return fw::Application ? fw::Application->GetTitle() : std::string();
  }
}

LPCSTR TypeIcon(TkMsgDlgType type) {
  switch (type) {
    case fw::mtWarning: return IDI_EXCLAMATION;
    case fw::mtError: return IDI_HAND;
    case fw::mtInformation: return IDI_ASTERISK;
    case fw::mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
  }
}

int ButtonCount(TkMsgDlgButtons buttons) {
  return static_cast<int>(std::count_if(std::begin(kAllKinds), std::end(kAllKinds),
                                        [&](fw::TMsgDlgBtn kind) { return buttons.Contains(kind); }));
}

// The width of a text drawn on one line in the canvas's font.
int CaptionWidth(fw::TCanvas& canvas, const std::string& text, UINT flags) {
  fw::TRect r{0, 0, 0, 0};
  fw::TTextPainter painter(canvas.GetHandle(), canvas.GetFont());
  painter.Draw(text, r, flags | DT_CALCRECT);
  return r.Right - r.Left;
}

// Frees the form however the dialog ends.
using TDialogHolder = std::unique_ptr<TkMessageForm, fw::FreeDeleter>;

int HV(int n, fw::TPoint units) { return fw::MulDiv(n, units.X, 4); }
int VV(int n, fw::TPoint units) { return fw::MulDiv(n, units.Y, 8); }

}  // namespace

// --- the form ---

TkMessageForm::TkMessageForm(fw::TComponent* owner) : fw::TForm(owner) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;  // the structure as every system since Windows XP accepts it
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0))
    GetFont()->SetHandle(CreateFontIndirectA(&metrics.lfMessageFont));
}

// The skinner comes after the form's loading has ended, so that preparing the form gives it the
// skin's colour.
void TkMessageForm::AfterConstruction() {
  fw::TForm::AfterConstruction();
  FSkinProvider = fw::New<TkSkinProvider>(this);
  FSkinProvider->SetSkinSection("DIALOG");
  FSkinProvider->SetMakeSkinMenu(false);
  FSkinProvider->PrepareForm();
  SetAutoScroll(false);
}

void TkMessageForm::HelpButtonClick(fw::TObject*) {}

// --- layout ---

fw::TPoint GetAveCharSize(fw::TCanvas& canvas) {
  std::string letters;
  for (char c = 'A'; c <= 'Z'; ++c) letters += c;
  for (char c = 'a'; c <= 'z'; ++c) letters += c;
  fw::TSize extent = canvas.TextExtent(letters);
  return fw::TPoint{extent.cx / 52, extent.cy};
}

std::string MessageButtonCaption(fw::TMsgDlgBtn kind) { return LoadResString(kButtonKinds[kind].Caption); }

fw::TMsgDlgBtn DefaultMessageButton(TkMsgDlgButtons buttons) {
  if (buttons.Contains(fw::mbOK)) return fw::mbOK;
  if (buttons.Contains(fw::mbYes)) return fw::mbYes;
  return fw::mbRetry;
}

fw::TMsgDlgBtn CancelMessageButton(TkMsgDlgButtons buttons) {
  if (buttons.Contains(fw::mbCancel)) return fw::mbCancel;
  if (buttons.Contains(fw::mbNo)) return fw::mbNo;
  return fw::mbOK;
}

int TkButtonWidthCache::Widest(TkMsgDlgButtons buttons, int minimum,
                               const std::function<int(fw::TMsgDlgBtn)>& textWidth) {
  int widest = minimum;
  for (fw::TMsgDlgBtn kind : kAllKinds) {
    if (!buttons.Contains(kind)) continue;
    if (FWidths[kind] == 0) FWidths[kind] = textWidth(kind) + 8;
    widest = std::max(widest, FWidths[kind]);
  }
  return widest;
}

TkButtonWidthCache& MessageButtonWidths() {
  static TkButtonWidthCache cache;
  return cache;
}

fw::TRect MessageTextRect(fw::TCanvas& canvas, const std::string& msg, int screenWidth) {
  fw::TRect r{0, 0, screenWidth / 2, 0};
  fw::TTextPainter painter(canvas.GetHandle(), canvas.GetFont());
  painter.Draw(msg, r, DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK);
  return r;
}

TkMessageDialogLayout LayoutMessageDialog(fw::TPoint units, fw::TSize text, bool icon, int buttonCount,
                                          int buttonWidth) {
  const int horzMargin = HV(16, units), vertMargin = VV(12, units), horzSpacing = HV(10, units),
            vertSpacing = VV(10, units), buttonHeight = VV(14, units), buttonSpacing = HV(4, units);
  TkMessageDialogLayout layout;
  int iconTextWidth = text.cx, iconTextHeight = text.cy;
  if (icon) {
    iconTextWidth += kIconSize + horzSpacing;
    iconTextHeight = std::max(iconTextHeight, kIconSize);
    layout.Icon = fw::Bounds(horzMargin, vertMargin, kIconSize, kIconSize);
  }
  int groupWidth = buttonCount == 0 ? 0 : buttonWidth * buttonCount + buttonSpacing * (buttonCount - 1);
  layout.ClientWidth = std::max(iconTextWidth, groupWidth) + 2 * horzMargin;
  layout.ClientHeight = iconTextHeight + buttonHeight + vertSpacing + 2 * vertMargin;
  layout.Message = fw::Bounds(horzMargin + (icon ? kIconSize + horzSpacing : 0), vertMargin, text.cx, text.cy);
  int x = (layout.ClientWidth - groupWidth) / 2;
  for (int i = 0; i < buttonCount; ++i, x += buttonWidth + buttonSpacing)
    layout.Buttons.push_back(fw::Bounds(x, iconTextHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight));
  return layout;
}

// --- the dialogs ---

TkMessageForm* kCreateMessageDialog(const std::string& caption, const std::string& msg, TkMsgDlgType type,
                                    TkMsgDlgButtons buttons) {
  TDialogHolder form(fw::New<TkMessageForm>(fw::Application));
  form->SetBorderStyle(fw::bsDialog);
  fw::TCanvas& canvas = *form->GetCanvas();
  canvas.SetFont(form->GetFont());
  const fw::TPoint units = GetAveCharSize(canvas);
  const UINT reading = form->DrawTextBiDiModeFlags(0);
  int buttonWidth = MessageButtonWidths().Widest(buttons, HV(50, units), [&](fw::TMsgDlgBtn kind) {
    return CaptionWidth(canvas, MessageButtonCaption(kind), DT_LEFT | DT_SINGLELINE | reading);
  });
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  fw::TRect text = MessageTextRect(canvas, msg, screenWidth);
  LPCSTR iconId = TypeIcon(type);
  TkMessageDialogLayout layout =
      LayoutMessageDialog(units, fw::TSize{text.Right, text.Bottom}, iconId != nullptr, ButtonCount(buttons), buttonWidth);

  form->SetClientWidth(layout.ClientWidth);
  form->SetClientHeight(layout.ClientHeight);
  form->SetLeft(screenWidth / 2 - form->GetWidth() / 2);
  form->SetTop(screenHeight / 2 - form->GetHeight() / 2);
  form->SetCaption(caption.empty() ? TypeCaption(type) : caption);
  if (iconId) {
    auto* image = fw::New<fw::TImage>(form.get());
    image->SetName("Image");
    image->SetParent(form.get());
    fw::TIcon icon;
    icon.SetHandle(CopyIcon(LoadIconA(nullptr, iconId)));
    image->GetPicture()->SetIcon(&icon);
    image->SetBoundsRect(layout.Icon);
  }
  auto* message = fw::New<TkLabel>(form.get());
  message->SetName("Message");
  message->SetParent(form.get());
  message->SetWordWrap(true);
  message->SetCaption(msg);
  fw::TRect m = layout.Message;
  if (message->UseRightToLeftAlignment()) m = fw::Bounds(layout.ClientWidth - m.Left - m.Width(), m.Top, m.Width(), m.Height());
  message->SetBoundsRect(m);

  const fw::TMsgDlgBtn defaultKind = DefaultMessageButton(buttons), cancelKind = CancelMessageButton(buttons);
  auto next = layout.Buttons.begin();
  for (fw::TMsgDlgBtn kind : kAllKinds) {
    if (!buttons.Contains(kind)) continue;
    auto* button = fw::New<TkBitBtn>(form.get());
    button->SetName(kButtonKinds[kind].Name);
    button->SetParent(form.get());
    button->SetCaption(MessageButtonCaption(kind));
    button->SetModalResult(kButtonKinds[kind].Result);
    button->SetDefault(kind == defaultKind);
    button->SetCancel(kind == cancelKind);
    button->SetBoundsRect(*next++);
    if (kind == fw::mbHelp) button->OnClick = fw::Bind(form.get(), &TkMessageForm::HelpButtonClick);
    // Enter presses the focused button: the dialog opens with the default button focused.
    if (kind == defaultKind) form->SetActiveControl(button);
  }
  return form.release();
}

int kMessageDlgPosHelp(const std::string& caption, const std::string& msg, TkMsgDlgType type,
                       TkMsgDlgButtons buttons, int helpContext, int x, int y, const std::string& helpFileName) {
  TDialogHolder form(kCreateMessageDialog(caption, msg, type, buttons));
  form->SetHelpContext(helpContext);
  form->SetHelpFile(helpFileName);
  if (x >= 0) form->SetLeft(x);
  if (y >= 0) form->SetTop(y);
  if (x < 0 && y < 0) form->SetPosition(fw::poScreenCenter);
  return form->ShowModal();
}

int kMessageDlgPos(const std::string& msg, TkMsgDlgType type, TkMsgDlgButtons buttons, int helpContext, int x,
                   int y) {
  return kMessageDlgPosHelp("", msg, type, buttons, helpContext, x, y, "");
}

int kMessageDlg(const std::string& msg, TkMsgDlgType type, TkMsgDlgButtons buttons, int helpContext) {
  return fw::DialogService().MessageDlg(msg, type, buttons, helpContext);
}

void kShowMessagePos(const std::string& msg, int x, int y) {
  kMessageDlgPos(msg, fw::mtCustom, TkMsgDlgButtons{fw::mbOK}, 0, x, y);
}

void kShowMessage(const std::string& msg) { fw::DialogService().ShowMessage(msg); }

bool kInputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  TDialogHolder form(fw::New<TkMessageForm>(fw::Application));
  fw::TCanvas& canvas = *form->GetCanvas();
  canvas.SetFont(form->GetFont());
  const fw::TPoint units = GetAveCharSize(canvas);
  form->SetBorderStyle(fw::bsDialog);
  form->SetCaption(caption);
  form->SetClientWidth(HV(180, units));
  form->SetClientHeight(VV(63, units));
  form->SetPosition(fw::poScreenCenter);

  auto* label = fw::New<TkLabel>(form.get());
  label->SetParent(form.get());
  label->SetAutoSize(true);
  label->SetLeft(HV(8, units));
  label->SetTop(VV(8, units));
  label->SetCaption(prompt);
  auto* edit = fw::New<TkEdit>(form.get());
  edit->SetParent(form.get());
  edit->SetLeft(label->GetLeft());
  edit->SetTop(VV(19, units));
  edit->SetWidth(HV(164, units));
  edit->SetMaxLength(255);
  edit->SetText(value);
  edit->SelectAll();
  form->SetActiveControl(edit);
  struct TButtonLayout {
    int Caption, Result, Left;
  };
  for (TButtonLayout layout :
       {TButtonLayout{IDS_MSGDLG_OK, fw::mrOk, 38}, TButtonLayout{IDS_MSGDLG_CANCEL, fw::mrCancel, 92}}) {
    auto* button = fw::New<TkButton>(form.get());
    button->SetParent(form.get());
    button->SetCaption(LoadResString(layout.Caption));
    button->SetModalResult(layout.Result);
    button->SetDefault(layout.Result == fw::mrOk);
    button->SetCancel(layout.Result == fw::mrCancel);
    button->SetBounds(HV(layout.Left, units), VV(41, units), HV(50, units), VV(14, units));
  }
  TkSkinProvider* provider = form->GetSkinProvider();
  provider->SetSkinSection("DIALOG");
  if (TkSystemMenu* menu = provider->GetSystemMenu()) menu->UpdateItems();
  if (form->ShowModal() != fw::mrOk) return false;
  value = edit->GetText();
  return true;
}

std::string kInputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue) {
  std::string value = defaultValue;
  return fw::DialogService().InputQuery(caption, prompt, value) ? value : defaultValue;
}

bool ConfirmRequest(const std::string& text) {
  return kMessageDlg(text, fw::mtConfirmation, TkMsgDlgButtons{fw::mbYes, fw::mbNo}, 0) == fw::mrYes;
}

void ShowErrorMessage(const std::string& text) { kMessageDlg(text, fw::mtError, TkMsgDlgButtons{fw::mbOK}, 0); }

// --- the service ---

int TkDialogService::MessageDlg(const std::string& text, TkMsgDlgType type, TkMsgDlgButtons buttons,
                                int helpContext) {
  return kMessageDlgPosHelp("", text, type, buttons, helpContext, -1, -1, "");
}

void TkDialogService::ShowMessage(const std::string& text) { kShowMessagePos(text, -1, -1); }

bool TkDialogService::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  return kInputQuery(caption, prompt, value);
}

void InstallSkinnedDialogs() { fw::testing::SetDialogService(std::make_unique<TkDialogService>()); }

}  // namespace skin
