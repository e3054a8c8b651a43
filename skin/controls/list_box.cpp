#include "skin/controls/list_box.h"

#include "framework/rtl/wide_text.h"

namespace skin {

TkListBox::TkListBox(fw::TComponent* owner) : fw::TWinControl(owner), FItems(std::make_unique<fw::TStringList>()) {
  FControlStyle = fw::TControlStyle{fw::csSetCaption, fw::csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  SetParentColor(false);
  FColor = fw::clWindow;
  FItems->SetDuplicates(fw::dupAccept);
  FItems->OnChange = [this](fw::TObject*) {
    if (FItemIndex >= FItems->GetCount()) FItemIndex = -1;
    FillWindow();
  };
}

TkListBox::~TkListBox() { FItems->OnChange = nullptr; }

void TkListBox::CreateParams(fw::TCreateParams& params) {
  fw::TWinControl::CreateParams(params);
  CreateSubClass(params, "LISTBOX");
  params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TkListBox::CreateWnd() {
  fw::TWinControl::CreateWnd();
  FillWindow();
}

void TkListBox::FillWindow() {
  if (!HandleAllocated()) return;
  Perform(WM_SETREDRAW, 0, 0);
  Perform(LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < FItems->GetCount(); ++i) {
    std::string shown = fw::ValidUtf8(FItems->GetStrings(i));
    Perform(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  Perform(LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  Perform(WM_SETREDRAW, 1, 0);
  Invalidate();
}

void TkListBox::SetItemIndex(int value) {
  if (value < -1 || value >= FItems->GetCount()) value = -1;
  FItemIndex = value;
  if (HandleAllocated()) Perform(LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TkListBox::DeleteSelected() {
  if (FItemIndex < 0) return;
  int index = FItemIndex;
  FItemIndex = -1;
  FItems->Delete(index);
}

void TkListBox::Dispatch(fw::TMessage& msg) {
  if (msg.Msg == fw::CN_COMMAND && fw::HiWord(msg.WParam) == LBN_SELCHANGE) {
    FItemIndex = static_cast<int>(Perform(LB_GETCURSEL, 0, 0));
    Click();
    return;
  }
  fw::TWinControl::Dispatch(msg);
}

}  // namespace skin
