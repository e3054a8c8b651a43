#include "skin/controls/common_combo.h"

#include <algorithm>

#include "framework/graphics/canvas.h"
#include "framework/rtl/seams.h"
#include "skin/controls/combo_box.h"

namespace skin {

namespace {

// A pause longer than this between two keys starts a new search.
constexpr DWORD kSearchPause = 500;

bool Loading(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csLoading); }

bool OwnerDrawn(fw::TComboBoxStyle style) { return style == fw::csOwnerDrawFixed || style == fw::csOwnerDrawVariable; }

}  // namespace

// --- TkCommonCombo ---

TkCommonCombo::TkCommonCombo(fw::TComponent* owner)
    : TkCustomListControl(owner), FCanvas(std::make_unique<fw::TControlCanvas>(this)) {
  SetBounds(GetLeft(), GetTop(), 145, 22);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(fw::clWindow);
}

TkCommonCombo::~TkCommonCombo() = default;

void TkCommonCombo::Loaded() {
  TkCustomListControl::Loaded();
  if (HandleAllocated() && FStoredIndex >= 0) SendMessageA(GetHandle(), CB_SETCURSEL, FStoredIndex, 0);
}

void TkCommonCombo::SetItemHeight(int value) {
  if (value <= 0) return;
  FItemHeight = value;
  if (!HandleAllocated()) return;
  Perform(CB_SETITEMHEIGHT, 0, value);
  RecreateWnd();
}

void TkCommonCombo::SetMaxLength(int value) {
  FMaxLength = std::max(value, 0);
  if (HandleAllocated()) Perform(CB_LIMITTEXT, FMaxLength, 0);
}

bool TkCommonCombo::GetDroppedDown() const {
  return HandleAllocated() && SendMessageA(GetHandleNoCreate(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TkCommonCombo::SetDroppedDown(bool value) {
  Perform(CB_SHOWDROPDOWN, value ? 1 : 0, 0);
  InvalidateRect(GetHandle(), nullptr, TRUE);
}

int TkCommonCombo::GetItemIndex() const {
  if (Loading(this) || !HandleAllocated()) return FStoredIndex;
  return static_cast<int>(SendMessageA(GetHandleNoCreate(), CB_GETCURSEL, 0, 0));
}

void TkCommonCombo::SetItemIndex(int value) {
  if (Loading(this) || !HandleAllocated()) {
    FStoredIndex = value;
    return;
  }
  if (GetItemIndex() == value) return;
  Perform(CB_SETCURSEL, static_cast<WPARAM>(value), 0);
  if (GetSkinData()->SkinIsActive()) Repaint();
}

void TkCommonCombo::Clear() {
  SetText("");
  GetItems()->Clear();
  FStoredIndex = -1;
}

void TkCommonCombo::CopySelection(TkCustomListControl* destination) {
  const int index = GetItemIndex();
  if (index >= 0) destination->AddItem(GetItems()->GetStrings(index), GetItems()->GetObjects(index));
}

void TkCommonCombo::DeleteSelected() {
  const int index = GetItemIndex();
  if (index >= 0) GetItems()->Delete(index);
}

void TkCommonCombo::SelectAll() { Perform(CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

void TkCommonCombo::AdjustDropDown() {
  const int rows = std::max(1, std::min(FDropDownCount, GetItems()->GetCount()));
  SetWindowPos(GetHandle(), nullptr, 0, 0, GetWidth(), GetItemHeight() * rows + GetHeight() + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_FRAMECHANGED);
}

void TkCommonCombo::CreateWnd() {
  TkCustomListControl::CreateWnd();
  Perform(CB_LIMITTEXT, FMaxLength, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(GetHandle(), &info)) return;
  if (info.hwndItem && info.hwndItem != GetHandle()) {
    FEditHandle = info.hwndItem;
    FEditHook = fw::SubclassWindow(FEditHandle, [this](fw::TMessage& m, const fw::TCallPrevious& previous) {
      SubWindowMessage(m, FEditHandle, previous);
    });
  }
  if (info.hwndList) {
    FListHandle = info.hwndList;
    FListHook = fw::SubclassWindow(FListHandle, [this](fw::TMessage& m, const fw::TCallPrevious& previous) {
      SubWindowMessage(m, FListHandle, previous);
    });
  }
}

void TkCommonCombo::DestroyWnd() {
  fw::RemoveSubclass(FEditHook);
  fw::RemoveSubclass(FListHook);
  FEditHook = FListHook = 0;
  FEditHandle = FListHandle = nullptr;
  FCanvas->FreeHandle();
  TkCustomListControl::DestroyWnd();
}

void TkCommonCombo::SubWindowMessage(fw::TMessage& m, HWND wnd, const fw::TCallPrevious& previous) {
  switch (m.Msg) {
    case WM_SYSCOMMAND:
      if (wnd == FEditHandle) {
        WndProc(m);
        return;
      }
      break;
    case WM_CHAR:
      // Enter and Escape close a dropped list.
      if ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && GetDroppedDown()) {
        SetDroppedDown(false);
        return;
      }
      break;
    case WM_GETDLGCODE:
      previous(m);
      if (GetDroppedDown()) m.Result |= DLGC_WANTALLKEYS;
      return;
    default:
      break;
  }
  previous(m);
}

void TkCommonCombo::Change() {
  if (Loading(this)) return;
  Changed();
  if (GetSkinData()->SkinIsActive() && HandleAllocated()) {
    RECT r = GetClientRect();
    InflateRect(&r, -3, -3);
    InvalidateRect(GetHandle(), &r, FALSE);
  }
  if (OnChange) OnChange(this);
}

void TkCommonCombo::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TkCommonCombo::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TkCommonCombo::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TkCommonCombo::Dispatch(fw::TMessage& m) {
  if (m.Msg != fw::CN_COMMAND) {
    TkCustomListControl::Dispatch(m);
    return;
  }
  TkCommonData* d = GetSkinData();
  switch (HIWORD(m.WParam)) {
    case CBN_SELCHANGE: {
      const int index = GetItemIndex();
      if (index >= 0) fw::TWinControl::SetText(GetItems()->GetStrings(index));
      try {
        Click();
      } catch (...) {
      }
      Select();
      break;
    }
    case CBN_DBLCLK:
      DblClick();
      break;
    case CBN_SETFOCUS:
    case CBN_KILLFOCUS:
      d->FocusSet = HIWORD(m.WParam) == CBN_SETFOCUS;
      FFocusChanged = true;
      break;
    case CBN_EDITCHANGE:
      Change();
      break;
    case CBN_DROPDOWN:
      FFocusChanged = false;
      DropDown();
      AdjustDropDown();
      if (FFocusChanged) PostMessageA(GetHandle(), WM_CANCELMODE, 0, 0);
      if (!Focused()) PostMessageA(GetHandle(), CB_SHOWDROPDOWN, 0, 0);
      break;
    case CBN_CLOSEUP:
      d->BGChanged = true;
      Repaint();
      CloseUp();
      break;
    default:
      break;
  }
}

// --- TkCommonComboBox ---

TkCommonComboBox::TkCommonComboBox(fw::TComponent* owner)
    : TkCommonCombo(owner), FItems(std::make_unique<TkComboBoxStrings>(this)) {}

TkCommonComboBox::~TkCommonComboBox() = default;

void TkCommonComboBox::SetStyle(fw::TComboBoxStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  if (HandleAllocated()) RecreateWnd();
}

std::string TkCommonComboBox::GetText() const { return TkCommonCombo::GetText(); }

int TkCommonComboBox::GetItemHeight() const {
  if (OwnerDrawn(FStyle) || !HandleAllocated()) return FItemHeight;
  return static_cast<int>(SendMessageA(GetHandleNoCreate(), CB_GETITEMHEIGHT, 0, 0));
}

void TkCommonComboBox::CreateParams(fw::TCreateParams& params) {
  TkCommonCombo::CreateParams(params);
  CreateSubClass(params, "COMBOBOX");
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  switch (FStyle) {
    case fw::csSimple: params.Style |= CBS_SIMPLE; break;
    case fw::csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
    case fw::csOwnerDrawFixed: params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case fw::csOwnerDrawVariable: params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
    default: params.Style |= CBS_DROPDOWN; break;
  }
  if (FStyle != fw::csSimple) params.Height = GetHeight() + FItemHeight * GetDropDownCount() + 2;
}

void TkCommonComboBox::CreateWnd() {
  TkCommonCombo::CreateWnd();
  if (OwnerDrawn(FStyle)) Perform(CB_SETITEMHEIGHT, 0, FItemHeight);
  if (FSavedItems) {
    for (int i = 0; i < FSavedItems->GetCount(); ++i)
      FItems->AddObject(FSavedItems->GetStrings(i), FSavedItems->GetObjects(i));
    FSavedItems.reset();
  }
  if (FStoredIndex >= 0 && !GetComponentState().Contains(fw::csLoading))
    Perform(CB_SETCURSEL, static_cast<WPARAM>(FStoredIndex), 0);
  if (EditHandle()) SendMessageA(EditHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void TkCommonComboBox::DestroyWnd() {
  FSavedItems = std::make_unique<fw::TStringList>();
  for (int i = 0; i < FItems->GetCount(); ++i) FSavedItems->AddObject(FItems->GetStrings(i), FItems->GetObjects(i));
  FStoredIndex = GetItemIndex();
  TkCommonCombo::DestroyWnd();
}

void TkCommonComboBox::KeyPress(char& key) {
  TkCommonCombo::KeyPress(key);
  if (!FAutoComplete || key == 0 || key == '\r' || key == '\x1b' || key == '\t') return;
  if (FAutoDropDown && !GetDroppedDown()) SetDroppedDown(true);
  const DWORD now = fw::GetTickCount();
  if (now - FLastKey > kSearchPause) FSearch.clear();
  FLastKey = now;
  if (key == '\b') {
    if (!FSearch.empty()) FSearch.pop_back();
  } else {
    FSearch += key;
  }
  const bool listStyle = FStyle == fw::csDropDownList || OwnerDrawn(FStyle);
  if (FSearch.empty()) {
    SetItemIndex(-1);
    Change();
    if (listStyle) key = 0;
    return;
  }
  const int old = GetItemIndex();
  const int found = static_cast<int>(Perform(CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(FSearch.c_str())));
  if (listStyle) key = 0;
  if (found < 0) return;
  key = 0;
  if (listStyle) {
    SetItemIndex(found);
  } else {
    Perform(CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    const std::string item = FItems->GetStrings(found);
    SetText(FSearch + item.substr(std::min(FSearch.size(), item.size())));
    Perform(CB_SETEDITSEL, 0, MAKELPARAM(FSearch.size(), -1));
  }
  if (found != old) {
    Click();
    Select();
  }
}

fw::TRect TkCommonComboBox::ButtonRect() const {
  const int w = FStyle == fw::csSimple ? 0 : GetSystemMetrics(SM_CXVSCROLL) + 1;
  const int left = UseRightToLeftAlignment() ? 2 : GetWidth() - w - 2;
  return fw::TRect(left, 2, left + w, GetHeight() - 2);
}

void TkCommonComboBox::PaintFromCache(HDC dc) {
  TkCommonData* d = GetSkinData();
  if (d->BGChanged || !d->CacheBmp || d->CacheBmp->GetWidth() != GetWidth()) {
    PaintSkinnedCache(
        this, d, GetDisabledKind(),
        [this, d](const TkBgRef& bg) {
          fw::TBitmap* cache = d->CacheBmp.get();
          PaintControlFace(d, bg, true, true, cache, fw::Point(GetLeft(), GetTop()),
                           fw::TRect(0, 0, cache->GetWidth(), cache->GetHeight()), StateIndex());
        },
        [this, d] {
          if (FStyle != fw::csSimple)
            PaintComboButton(d, ButtonRect(), GetDroppedDown() ? 2 : (d->CanPaint() ? 1 : 0), GetHeight());
        });
  }
  PaintSkinBordersAll(d, StateIndex());
  BitBlt(dc, 0, 0, GetWidth(), GetHeight(), d->CacheBmp->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  fw::TCanvasLoan loan(Canvas(), dc);
  Canvas()->GetFont()->Assign(GetFont());
  fw::TRect edit = GetClientRect();
  InflateRect(fw::AsRECT(edit), -3, -3);
  fw::TOwnerDrawState state{fw::odComboBoxEdit};
  if (d->FocusSet) state = state + fw::odFocused;
  DrawSkinItem(GetItemIndex(), edit, state);
}

void TkCommonComboBox::DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  fw::TCanvas* canvas = Canvas();
  canvas->FillRect(rect);
  if (index >= 0 && index < FItems->GetCount()) canvas->TextOut(rect.Left + 2, rect.Top, FItems->GetStrings(index));
}

void TkCommonComboBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TkCommonComboBox::DrawItemMessage(fw::TMessage& m) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  fw::TCanvasLoan loan(Canvas(), item->hDC);
  fw::TCanvas* canvas = Canvas();
  canvas->GetFont()->Assign(GetFont());
  canvas->GetBrush()->SetColor(GetColor());
  canvas->GetBrush()->SetStyle(fw::bsSolid);
  const int index = static_cast<int>(static_cast<INT>(item->itemID));
  const fw::TOwnerDrawState state = fw::OwnerDrawStateFromItemState(item->itemState);
  const fw::TRect rect = item->rcItem;
  m.Result = 1;
  if (GetSkinData()->SkinIsActive() && (item->itemState & ODS_COMBOBOXEDIT)) {
    DrawSkinItem(index, rect, state);
    return;
  }
  if (state.Contains(fw::odSelected)) {
    canvas->GetBrush()->SetColor(fw::clHighlight);
    canvas->GetFont()->SetColor(fw::clHighlightText);
  }
  if (index >= 0)
    DrawItem(index, rect, state);
  else
    canvas->FillRect(rect);
  if (state.Contains(fw::odFocused)) canvas->DrawFocusRect(rect);
}

bool TkCommonComboBox::SkinnedMessage(fw::TMessage& m) {
  if (m.Msg != WM_PAINT) return TkCommonCombo::SkinnedMessage(m);
  if (m.WParam) {
    PaintFromCache(reinterpret_cast<HDC>(m.WParam));
    return true;
  }
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(GetHandle(), &ps);
  PaintFromCache(dc);
  EndPaint(GetHandle(), &ps);
  return true;
}

void TkCommonComboBox::WndProc(fw::TMessage& m) {
  switch (m.Msg) {
    case fw::CN_DRAWITEM:
      DrawItemMessage(m);
      return;
    case fw::CN_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      int height = FItemHeight;
      MeasureItem(static_cast<int>(static_cast<INT>(item->itemID)), height);
      item->itemHeight = static_cast<UINT>(height);
      m.Result = 1;
      return;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      // The edit and list windows in the control's font colour on its colour.
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, static_cast<COLORREF>(fw::ColorToRGB(GetFont()->GetColor())));
      SetBkColor(dc, static_cast<COLORREF>(fw::ColorToRGB(GetColor())));
      m.Result = reinterpret_cast<LRESULT>(GetBrushHandle());
      return;
    }
    case WM_ERASEBKGND:
      if (!GetSkinData()->SkinIsActive() && m.WParam) {
        RECT r = GetClientRect();
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, GetBrushHandle());
      }
      m.Result = 1;
      return;
    default:
      TkCommonCombo::WndProc(m);
  }
}

}  // namespace skin
