#include "framework/stdctrls/custom_edit.h"

#include "framework/stdctrls/text_painter.h"

namespace fw {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 121;
  FHeight = 21;
  SetTabStop(true);
  SetParentColor(false);
  FColor = clWindow;
  FAutoSize = true;
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (FReadOnly) params.Style |= ES_READONLY;
  if (FPasswordChar) params.Style |= ES_PASSWORD;
  if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  Perform(EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar) Perform(EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
}

void TCustomEdit::SetMaxLength(int v) {
  FMaxLength = v;
  if (HandleAllocated()) Perform(EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  FReadOnly = v;
  if (HandleAllocated()) Perform(EM_SETREADONLY, v ? 1 : 0, 0);
}

void TCustomEdit::SetPasswordChar(char v) {
  if (v == FPasswordChar) return;
  FPasswordChar = v;
  if (HandleAllocated()) {
    Perform(EM_SETPASSWORDCHAR, static_cast<unsigned char>(v), 0);
    Invalidate();
  }
}

void TCustomEdit::SetBorderStyle(TFormBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  RecreateWnd();
}

int TCustomEdit::GetSelStart() {
  DWORD start = 0;
  Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int v) { Perform(EM_SETSEL, static_cast<WPARAM>(v), v); }

int TCustomEdit::GetSelLength() {
  DWORD start = 0, end = 0;
  Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int v) {
  int start = GetSelStart();
  Perform(EM_SETSEL, static_cast<WPARAM>(start), start + v);
}

std::string TCustomEdit::GetSelText() {
  std::string text = GetText();
  int start = GetSelStart(), len = GetSelLength();
  if (start < 0 || start > static_cast<int>(text.size())) return "";
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(len));
}

void TCustomEdit::SelectAll() { Perform(EM_SETSEL, 0, -1); }

bool TCustomEdit::CanAutoSize(int&, int& newHeight) {
  int h = FontTextHeight(GetFont()) + (FBorderStyle == bsSingle ? 8 : 2);
  if (h == newHeight) return false;
  newHeight = h;
  return true;
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HiWord(msg.WParam) == EN_CHANGE && !GetControlState().Contains(csCreating)) Change();
      return;
    case CM_ENTER:
      if (FAutoSelect && !GetControlState().Contains(csLButtonDown)) SelectAll();
      break;
    default:
      break;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
