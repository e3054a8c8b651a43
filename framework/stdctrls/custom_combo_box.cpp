#include "framework/stdctrls/custom_combo_box.h"

#include "framework/rtl/wide_text.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

// The items: a string list whose every change is copied into the combo box's window.
class TComboBoxStrings : public TStringList {
  FW_CLASS(TComboBoxStrings, TStringList)
 public:
  explicit TComboBoxStrings(TCustomComboBox* combo) : FCombo(combo) {
    OnChange = [this](TObject*) { Refill(); };
  }

  // Puts every string into the window, keeping the selected index where it still exists.
  void Fill() {
    for (int i = 0; i < GetCount(); ++i) {
      std::string shown = ValidUtf8(GetStrings(i));
      FCombo->Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
  }

 private:
  void Refill() {
    if (!FCombo->HandleAllocated()) {
      if (FCombo->FItemIndex >= GetCount()) FCombo->FItemIndex = -1;
      return;
    }
    int index = FCombo->GetItemIndex();
    FCombo->Perform(WM_SETREDRAW, 0, 0);
    FCombo->Perform(CB_RESETCONTENT, 0, 0);
    Fill();
    if (index >= 0 && index < GetCount()) FCombo->Perform(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    FCombo->Perform(WM_SETREDRAW, 1, 0);
    FCombo->Invalidate();
  }

  TCustomComboBox* FCombo;
};

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      FItems(std::make_unique<TComboBoxStrings>(this)),
      FCanvas(std::make_unique<TControlCanvas>(this)) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 145;
  FHeight = 21;
  SetTabStop(true);
  SetParentColor(false);
  FColor = clWindow;
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "COMBOBOX");
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (FStyle) {
    case csSimple: params.Style |= CBS_SIMPLE; break;
    case csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
    case csOwnerDrawVariable: params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS; break;
    default: params.Style |= CBS_DROPDOWN; break;
  }
  // The window's height includes the dropped-down list.
  if (FStyle != csSimple) params.Height = FHeight + FItemHeight * FDropDownCount + 2;
}

void TCustomComboBox::CreateWnd() {
  std::string text = ValidUtf8(FText);
  TWinControl::CreateWnd();
  static_cast<TComboBoxStrings*>(FItems.get())->Fill();
  if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable)
    Perform(CB_SETITEMHEIGHT, 0, FItemHeight);
  if (FItemIndex >= 0) {
    Perform(CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  } else if (FStyle == csDropDown || FStyle == csSimple) {
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void TCustomComboBox::DestroyWnd() {
  FItemIndex = GetItemIndex();
  FCanvas->FreeHandle();
  TWinControl::DestroyWnd();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  RecreateWnd();
}

int TCustomComboBox::GetItemIndex() const {
  if (!HandleAllocated()) return FItemIndex;
  return static_cast<int>(SendMessageA(GetHandleNoCreate(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int v) {
  if (v < -1 || v >= FItems->GetCount()) v = -1;
  FItemIndex = v;
  if (HandleAllocated()) Perform(CB_SETCURSEL, static_cast<WPARAM>(v), 0);
}

void TCustomComboBox::SetItemHeight(int v) {
  if (v <= 0) return;
  FItemHeight = v;
  if (HandleAllocated() && (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable))
    Perform(CB_SETITEMHEIGHT, 0, v);
}

void TCustomComboBox::SetSorted(bool v) {
  if (v == FSorted) return;
  FSorted = v;
  static_cast<TStringList*>(FItems.get())->SetSorted(v);
}

bool TCustomComboBox::GetDroppedDown() { return HandleAllocated() && Perform(CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool v) { Perform(CB_SHOWDROPDOWN, v ? 1 : 0, 0); }

std::string TCustomComboBox::GetText() const {
  if (HandleAllocated()) return TWinControl::GetText();
  if (FItemIndex >= 0 && FItemIndex < FItems->GetCount()) return FItems->GetStrings(FItemIndex);
  return FText;
}

void TCustomComboBox::SetText(const std::string& s) {
  if (FStyle == csDropDown || FStyle == csSimple) {
    TWinControl::SetText(s);
    return;
  }
  SetItemIndex(FItems->IndexOf(s));
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) {
    OnSelect(this);
  } else {
    Change();
  }
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  HDC dc = FCanvas->GetHandle();
  bool selected = state.Contains(odSelected);
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(selected ? clHighlight : FColor)));
  FillRect(dc, AsRECT(rect), brush);
  DeleteObject(brush);
  if (index < 0 || index >= FItems->GetCount()) return;
  TTextPainter painter(dc, GetFont());
  if (selected) SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clHighlightText)));
  TRect r = rect;
  r.Left += 2;
  painter.Draw(FItems->GetStrings(index), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TCustomComboBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      switch (HiWord(msg.WParam)) {
        case CBN_SELCHANGE:
          FItemIndex = GetItemIndex();
          Click();
          Select();
          break;
        case CBN_EDITCHANGE: Change(); break;
        case CBN_DROPDOWN: DropDown(); break;
        case CBN_CLOSEUP: CloseUp(); break;
        default: break;
      }
      return;
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
      TCanvasLoan loan(FCanvas.get(), dis->hDC);
      DrawItem(static_cast<int>(static_cast<INT>(dis->itemID)), dis->rcItem, OwnerDrawStateFromItemState(dis->itemState));
      msg.Result = 1;
      return;
    }
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam);
      int height = FItemHeight;
      MeasureItem(static_cast<int>(static_cast<INT>(mis->itemID)), height);
      mis->itemHeight = static_cast<UINT>(height);
      msg.Result = 1;
      return;
    }
    default:
      break;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
