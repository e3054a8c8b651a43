#include "skin/controls/list_box.h"

#include <algorithm>

#include "framework/forms/application.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "framework/stdctrls/text_painter.h"
#include "skin/controls/label.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr char kIndexError[] = "List index out of bounds (%d)";

LPARAM TextParam(const std::string& s) { return reinterpret_cast<LPARAM>(s.c_str()); }

}  // namespace

void ListIndexError(int index) { throw fw::EStringListError(fw::Format(kIndexError, index)); }

bool SearchRestarts(DWORD lastKeyTick, DWORD now) { return now - lastKeyTick >= 500; }

// --- TListBoxStrings ---

void TListBoxStrings::Check(int index, int count) const {
  if (index < 0 || index >= count) Error(kIndexError, index);
}

int TListBoxStrings::GetCount() const {
  if (FListBox->IsVirtual()) return FListBox->FCount;
  if (!FListBox->ListWindow()) return FListBox->Saved()->GetCount();
  return static_cast<int>(FListBox->Send(LB_GETCOUNT));
}

std::string TListBoxStrings::Get(int index) const {
  if (FListBox->IsVirtual()) {
    std::string data;
    if (FListBox->OnData) FListBox->OnData(FListBox, index, data);
    return data;
  }
  if (!FListBox->ListWindow()) return FListBox->Saved()->GetStrings(index);
  const LRESULT length = FListBox->Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length == LB_ERR) Error(kIndexError, index);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  FListBox->Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void* TListBoxStrings::GetObject(int index) const {
  if (FListBox->IsVirtual()) {
    void* object = nullptr;
    if (FListBox->OnDataObject) FListBox->OnDataObject(FListBox, index, object);
    return object;
  }
  if (!FListBox->ListWindow()) return FListBox->Saved()->GetObjects(index);
  return FListBox->GetItemData(index);
}

void TListBoxStrings::PutObject(int index, void* object) {
  if (FListBox->IsVirtual()) return;
  if (!FListBox->ListWindow()) return FListBox->Saved()->SetObjects(index, object);
  if (index != -1) FListBox->SetItemData(index, object);
}

void TListBoxStrings::Put(int index, const std::string& s) {
  if (FListBox->IsVirtual()) return;
  if (!FListBox->ListWindow()) return FListBox->Saved()->SetStrings(index, s);
  Check(index, GetCount());
  const int current = FListBox->GetItemIndex();
  void* data = FListBox->InternalGetItemData(index);
  FListBox->InternalSetItemData(index, nullptr);
  Delete(index);
  Insert(index, s);
  FListBox->InternalSetItemData(index, data);
  FListBox->SetItemIndex(current);
}

int TListBoxStrings::Add(const std::string& s) {
  if (FListBox->IsVirtual()) return -1;
  if (!FListBox->ListWindow()) return FListBox->Saved()->Add(s);
  const LRESULT result = FListBox->Send(LB_ADDSTRING, 0, TextParam(s));
  if (result < 0) throw fw::EOutOfResources("Unable to insert a line");
  return static_cast<int>(result);
}

int TListBoxStrings::AddObject(const std::string& s, void* object) {
  const int index = Add(s);
  if (index >= 0) PutObject(index, object);
  return index;
}

void TListBoxStrings::Insert(int index, const std::string& s) {
  if (FListBox->IsVirtual()) return;
  if (!FListBox->ListWindow()) return FListBox->Saved()->Insert(index, s);
  if (index < 0 || index > GetCount()) Error(kIndexError, index);
  if (FListBox->Send(LB_INSERTSTRING, static_cast<WPARAM>(index), TextParam(s)) < 0)
    throw fw::EOutOfResources("Unable to insert a line");
}

void TListBoxStrings::Delete(int index) {
  if (!FListBox->ListWindow()) return FListBox->Saved()->Delete(index);
  Check(index, GetCount());
  FListBox->DeleteString(index);
}

void TListBoxStrings::Exchange(int index1, int index2) {
  if (FListBox->IsVirtual()) return;
  if (!FListBox->ListWindow()) return FListBox->Saved()->Exchange(index1, index2);
  const int count = GetCount();
  Check(index1, count);
  Check(index2, count);
  BeginUpdate();
  const int current = FListBox->GetItemIndex();
  const std::string text1 = Get(index1), text2 = Get(index2);
  void* data1 = FListBox->InternalGetItemData(index1);
  void* data2 = FListBox->InternalGetItemData(index2);
  Put(index1, text2);
  FListBox->InternalSetItemData(index1, data2);
  Put(index2, text1);
  FListBox->InternalSetItemData(index2, data1);
  if (current == index1)
    FListBox->SetItemIndex(index2);
  else if (current == index2)
    FListBox->SetItemIndex(index1);
  EndUpdate();
}

void TListBoxStrings::Move(int curIndex, int newIndex) {
  if (FListBox->IsVirtual() || curIndex == newIndex) return;
  if (!FListBox->ListWindow()) return FListBox->Saved()->Move(curIndex, newIndex);
  Check(curIndex, GetCount());
  BeginUpdate();
  const bool wasCurrent = FListBox->GetItemIndex() == curIndex;
  const std::string text = Get(curIndex);
  void* data = FListBox->InternalGetItemData(curIndex);
  FListBox->InternalSetItemData(curIndex, nullptr);
  Delete(curIndex);
  Insert(newIndex, text);
  FListBox->InternalSetItemData(newIndex, data);
  if (wasCurrent) FListBox->SetItemIndex(newIndex);
  EndUpdate();
}

void TListBoxStrings::Clear() {
  if (!FListBox->ListWindow()) return FListBox->Saved()->Clear();
  FListBox->ResetContent();
}

int TListBoxStrings::IndexOf(const std::string& s) const {
  if (FListBox->IsVirtual()) return FListBox->OnDataFind ? FListBox->OnDataFind(FListBox, s) : -1;
  if (!FListBox->ListWindow()) return FListBox->Saved()->IndexOf(s);
  const LRESULT found = FListBox->Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), TextParam(s));
  return found == LB_ERR ? -1 : static_cast<int>(found);
}

void TListBoxStrings::SetUpdateState(bool updating) {
  if (!FListBox->HandleAllocated()) return;
  FListBox->Send(WM_SETREDRAW, updating ? 0 : 1);
  if (!updating) FListBox->Refresh();
}

// --- TkSkinListBox ---

TkSkinListBox::TkSkinListBox(fw::TComponent* owner)
    : TkSkinned<fw::TWinControl>(owner, 97, true),
      FItems(std::make_unique<TListBoxStrings>(this)),
      FCanvas(std::make_unique<fw::TControlCanvas>(this)),
      FBoundLabel(std::make_unique<TkBoundLabel>(GetSkinData())) {
  FControlStyle = fw::TControlStyle{fw::csSetCaption, fw::csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  SetParentColor(false);
  FColor = fw::clWindow;
}

TkSkinListBox::~TkSkinListBox() = default;

void TkSkinListBox::BeforeDestruction() {
  FBoundLabel.reset();
  TkSkinned<fw::TWinControl>::BeforeDestruction();
}

void TkSkinListBox::Loaded() {
  TkSkinned<fw::TWinControl>::Loaded();
  if (GetSkinData()->SkinIsActive()) GetSkinData()->ApplyEditColours();
  UpdateSkinScrollBars();
}

HWND TkSkinListBox::ListWindow() const {
  if (HandleAllocated()) return const_cast<TkSkinListBox*>(this)->GetHandle();
  if (!GetParent() || GetComponentState().Contains(fw::csDestroying)) return nullptr;
  return const_cast<TkSkinListBox*>(this)->GetHandle();
}

LRESULT TkSkinListBox::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
  HWND wnd = ListWindow();
  return wnd ? SendMessageA(wnd, msg, wParam, lParam) : 0;
}

fw::TStringList* TkSkinListBox::Saved() {
  if (!FSaved) FSaved = std::make_unique<fw::TStringList>();
  return FSaved.get();
}

void TkSkinListBox::SetItems(const fw::TStrings* value) {
  if (FStyle == lbVirtual) FStyle = lbStandard;
  if (FStyle == lbVirtualOwnerDraw) FStyle = lbOwnerDrawFixed;
  FItems->Assign(value);
}

void TkSkinListBox::SetAndRecreate(bool& field, bool value) {
  if (field == value) return;
  field = value;
  RecreateWnd();
}

void TkSkinListBox::SetBorderStyle(fw::TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TkSkinListBox::SetColumns(int value) {
  if (value == FColumns) return;
  const bool recreate = FColumns == 0 || value == 0;
  FColumns = value;
  if (recreate)
    RecreateWnd();
  else
    ResetColumnWidth();
}

int TkSkinListBox::GetItemHeight() const {
  if (FStyle == lbStandard && HandleAllocated()) {
    RECT r{};
    if (SendMessageA(const_cast<TkSkinListBox*>(this)->GetHandle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)) !=
        LB_ERR)
      return r.bottom - r.top;
  }
  return FItemHeight;
}

void TkSkinListBox::SetItemHeight(int value) {
  if (value < 1 || value == FItemHeight) return;
  FItemHeight = value;
  RecreateWnd();
}

void TkSkinListBox::SetSorted(bool value) {
  if (IsVirtual() || value == FSorted) return;
  FSorted = value;
  RecreateWnd();
}

void TkSkinListBox::SetStyle(TListBoxStyle value) {
  if (value == FStyle) return;
  if (value == lbVirtual || value == lbVirtualOwnerDraw) {
    FItems->Clear();
    FSorted = false;
  }
  FStyle = value;
  RecreateWnd();
}

void TkSkinListBox::SetTabWidth(int value) {
  value = std::max(0, value);
  if (value == FTabWidth) return;
  FTabWidth = value;
  RecreateWnd();
}

void TkSkinListBox::CreateParams(fw::TCreateParams& params) {
  TkSkinned<fw::TWinControl>::CreateParams(params);
  CreateSubClass(params, "LISTBOX");
  static constexpr DWORD kStyles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE, LBS_OWNERDRAWFIXED,
                                      LBS_OWNERDRAWFIXED};
  params.Style |= WS_VSCROLL | LBS_NOTIFY | kStyles[FStyle] | (IsVirtual() ? LBS_NODATA : LBS_HASSTRINGS);
  if (FSorted) params.Style |= LBS_SORT;
  if (FMultiSelect) params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!FIntegralHeight) params.Style |= LBS_NOINTEGRALHEIGHT;
  if (FColumns != 0) params.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
  if (FTabWidth != 0) params.Style |= LBS_USETABSTOPS;
  if (!FAutoHideScroll) params.Style |= LBS_DISABLENOSCROLL;
  if (FBorderStyle == fw::bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
  if (!(params.Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) params.Style |= LBS_OWNERDRAWFIXED;
}

void TkSkinListBox::CreateWnd() {
  TkSkinned<fw::TWinControl>::CreateWnd();
  if (GetSkinData()->SkinIsActive()) GetSkinData()->ApplyEditColours();
  SetWindowPos(GetHandle(), nullptr, GetLeft(), GetTop(), GetWidth(), GetHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (FTabWidth != 0) Send(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&FTabWidth));
  ResetColumnWidth();
  if (IsVirtual()) {
    if (FSavedCount >= 0) SetCount(FSavedCount);
  } else if (FSaved) {
    std::unique_ptr<fw::TStringList> saved = std::move(FSaved);
    for (int i = 0; i < saved->GetCount(); ++i) FItems->AddObject(saved->GetStrings(i), saved->GetObjects(i));
  }
  FSavedCount = -1;
  if (FSavedTop >= 0) SetTopIndex(FSavedTop);
  if (FSavedIndex >= 0) SetItemIndex(FSavedIndex);
  FSavedTop = FSavedIndex = -1;
}

void TkSkinListBox::DestroyWnd() {
  if (GetCount() > 0) {
    if (IsVirtual()) {
      FSavedCount = FCount;
    } else {
      auto saved = std::make_unique<fw::TStringList>();
      for (int i = 0; i < FItems->GetCount(); ++i) saved->AddObject(FItems->GetStrings(i), FItems->GetObjects(i));
      FSaved = std::move(saved);
    }
    FSavedTop = GetTopIndex();
    FSavedIndex = GetItemIndex();
  }
  TkSkinned<fw::TWinControl>::DestroyWnd();
}

void TkSkinListBox::ResetColumnWidth() {
  if (FColumns >= 1 && GetWidth() >= 1 && HandleAllocated())
    Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, (GetWidth() + FColumns - 3) / FColumns)));
}

void* TkSkinListBox::GetItemData(int index) const {
  return reinterpret_cast<void*>(Send(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}

void TkSkinListBox::SetItemData(int index, void* data) {
  Send(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(data));
}

void TkSkinListBox::ResetContent() {
  if (!IsVirtual()) Send(LB_RESETCONTENT);
}

void TkSkinListBox::DeleteString(int index) { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }

void TkSkinListBox::DeleteSelected() {
  if (FMultiSelect) {
    for (int i = FItems->GetCount() - 1; i >= 0; --i)
      if (GetSelected(i)) FItems->Delete(i);
  } else if (const int index = GetItemIndex(); index != -1) {
    FItems->Delete(index);
  }
}

int TkSkinListBox::GetCount() const { return IsVirtual() ? FCount : FItems->GetCount(); }

int TkSkinListBox::GetItemIndex() const {
  if (!ListWindow()) return -1;
  const LRESULT index = Send(FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TkSkinListBox::SetItemIndex(int value) {
  const int previous = GetItemIndex();
  if (value == previous) return;
  if (FMultiSelect)
    Send(LB_SETCARETINDEX, static_cast<WPARAM>(value));
  else
    Send(LB_SETCURSEL, static_cast<WPARAM>(value));
  if (previous >= 0) RedrawItem(previous);
  if (!GetComponentState().Contains(fw::csLoading)) UpdateSkinScrollBars();
}

bool TkSkinListBox::GetSelected(int index) const {
  const LRESULT selected = Send(LB_GETSEL, static_cast<WPARAM>(index));
  if (selected == LB_ERR) ListIndexError(index);
  return selected != 0;
}

void TkSkinListBox::SetSelected(int index, bool value) {
  if (!FMultiSelect) {
    // Without multiple selection only selecting means something: the line becomes current.
    if (value) SetItemIndex(index);
    Repaint();
  } else if (Send(LB_SETSEL, value ? 1 : 0, index) == LB_ERR) {
    ListIndexError(index);
  }
  UpdateSkinScrollBars();
}

void TkSkinListBox::ClearSelection() {
  if (!FMultiSelect) return SetItemIndex(-1);
  for (int i = 0; i < GetCount(); ++i) Send(LB_SETSEL, 0, i);
}

int TkSkinListBox::GetTopIndex() const { return static_cast<int>(Send(LB_GETTOPINDEX)); }

void TkSkinListBox::SetTopIndex(int value) {
  if (GetTopIndex() != value) Send(LB_SETTOPINDEX, static_cast<WPARAM>(value));
}

int TkSkinListBox::ItemsPerPage() const { return (GetHeight() - 6) / std::max(1, GetItemHeight()); }

void TkSkinListBox::SetCount(int value) {
  if (!IsVirtual())
    throw fw::EListError(fw::Format("Listbox (%s) style must be virtual in order to set Count", GetName().c_str()));
  const LRESULT result = Send(LB_SETCOUNT, static_cast<WPARAM>(value));
  if (result == LB_ERR || result == LB_ERRSPACE) throw fw::EListError(fw::Format("Error setting %s.Count", GetName().c_str()));
  FCount = value;
}

fw::TRect TkSkinListBox::ItemRect(int index) const {
  RECT r{};
  Send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return fw::TRect(r.left, r.top, r.right, r.bottom);
}

int TkSkinListBox::ItemAtPos(fw::TPoint p) const {
  const fw::TRect client = GetClientRect();
  if (p.X < client.Left || p.X >= client.Right || p.Y < client.Top || p.Y >= client.Bottom) return -1;
  const int count = GetCount();
  for (int i = std::max(0, GetTopIndex()); i < count; ++i) {
    const fw::TRect r = ItemRect(i);
    if (r.Top > client.Bottom) break;
    if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) return i;
  }
  return -1;
}

void TkSkinListBox::RedrawItem(int index) {
  const fw::TRect r = ItemRect(index);
  RECT rect{r.Left, r.Top, r.Right, r.Bottom};
  if (HandleAllocated()) InvalidateRect(GetHandle(), &rect, FALSE);
}

void TkSkinListBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TkSkinListBox::DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
  const bool custom = FStyle != lbStandard && OnDrawItem;
  if (!custom) FCanvas->FillRect(rect);
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
  } else if (index >= 0 && index < GetCount()) {
    RECT r{rect.Left + 2, rect.Top, rect.Right, rect.Bottom};
    SetBkMode(FCanvas->GetHandle(), TRANSPARENT);
    fw::DrawTextUtf8(FCanvas->GetHandle(), FItems->GetStrings(index), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (state.Contains(fw::odFocused)) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawFocusRect(FCanvas->GetHandle(), &r);
  }
}

void TkSkinListBox::DrawItemMessage(DRAWITEMSTRUCT& draw) {
  TkCommonData* d = GetSkinData();
  d->Updating = d->GetUpdating();
  if (d->Updating && Skinned()) return;
  if (GetCount() == 0) return;
  fw::TCanvasLoan loan(FCanvas.get(), draw.hDC);
  FCanvas->GetFont()->Assign(GetFont());
  FCanvas->GetBrush()->SetColor(GetColor());
  const int index = static_cast<int>(static_cast<INT>(draw.itemID));
  const fw::TOwnerDrawState state = fw::OwnerDrawStateFromItemState(draw.itemState);
  const bool custom = FStyle != lbStandard && OnDrawItem;
  if (index >= 0 && index < GetCount() && (state.Contains(fw::odSelected) || (index == GetItemIndex() && !Focused())) &&
      !custom) {
    FCanvas->GetBrush()->SetColor(fw::clHighlight);
    FCanvas->GetFont()->SetColor(fw::clHighlightText);
  } else if (!GetEnabled() && !d->GetCustomFont()) {
    FCanvas->GetFont()->SetColor(AverageColors(fw::ColorToRGB(GetFont()->GetColor()), fw::ColorToRGB(GetColor())));
  }
  SetTextColor(draw.hDC, fw::ColorToRGB(FCanvas->GetFont()->GetColor()));
  DrawItem(index, fw::TRect(draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom), state);
}

void TkSkinListBox::KeyPress(char& key) {
  TkSkinned<fw::TWinControl>::KeyPress(key);
  if (!FAutoComplete || key == 0) return;
  const DWORD now = fw::GetTickCount();
  if (SearchRestarts(FLastKeyTick, now)) FSearch.clear();
  FLastKeyTick = now;
  if (key == VK_BACK) {
    if (!FSearch.empty()) FSearch.pop_back();
  } else if (key != VK_RETURN && key != VK_ESCAPE) {
    FSearch += key;
  }
  if (FSearch.empty()) {
    if (GetCount() > 0) SetItemIndex(0);
    Click();
  } else {
    int found = -1;
    if (IsVirtual()) {
      found = OnDataFind ? OnDataFind(this, FSearch) : -1;
    } else {
      const LRESULT r = Send(LB_FINDSTRING, static_cast<WPARAM>(-1), TextParam(FSearch));
      found = r == LB_ERR ? -1 : static_cast<int>(r);
    }
    if (found >= 0) {
      if (FMultiSelect) {
        ClearSelection();
        Send(LB_SELITEMRANGE, 1, MAKELPARAM(found, found));
      }
      SetItemIndex(found);
      Click();
    }
  }
  if (key != VK_BACK && key != VK_RETURN && key != VK_ESCAPE) key = 0;
}

void TkSkinListBox::OwnSkinCommand(int command) {
  TkCommonData* d = GetSkinData();
  if (command == cmdNewSkin) {
    if (FVBar) FVBar->SetPosition(GetTopIndex());
  } else if (command == cmdRemoveSkin) {
    if (!d->GetCustomColor()) SetColor(fw::clWindow);
    if (!d->GetCustomFont()) GetFont()->SetColor(fw::clWindowText);
    if (HandleAllocated()) RecreateWnd();
    UpdateSkinScrollBars();
  } else if (command == cmdRefresh) {
    if (d->SkinIsActive()) GetSkinData()->ApplyEditColours();
    d->BGChanged = true;
    if (HandleAllocated()) SendMessageA(GetHandle(), WM_NCPAINT, 1, 0);
    UpdateSkinScrollBars();
    if (FVBar) FVBar->SetPosition(GetTopIndex());
  }
}

void TkSkinListBox::PaintFrame() {
  TkCommonData* d = GetSkinData();
  if (GetComponentState().Contains(fw::csDestroying) || !GetVisible() || d->Updating || !HandleAllocated()) return;
  if (d->BGChanged || !d->CacheBmp || d->CacheBmp->GetWidth() != GetWidth() || d->CacheBmp->GetHeight() != GetHeight())
    PaintCache();
  PaintSkinBordersAll(d, StateIndex());
  fw::TBitmap* cache = d->CacheBmp.get();
  HDC dc = GetWindowDC(GetHandle());
  HDC src = cache->GetCanvas()->GetHandle();
  const int w = cache->GetWidth(), h = cache->GetHeight();
  BitBlt(dc, 0, 0, w, 2, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, 2, 2, h - 2, src, 0, 2, SRCCOPY);
  BitBlt(dc, 2, h - 2, w, 2, src, 2, h - 2, SRCCOPY);
  BitBlt(dc, w - 2, 2, 2, h - 4, src, w - 2, 2, SRCCOPY);
  ReleaseDC(GetHandle(), dc);
}

TkScrollBar* TkSkinListBox::MakeBar(fw::TScrollBarKind kind) {
  auto* bar = fw::New<TkScrollBar>(this);
  bar->SetName(GetName() + (kind == fw::sbVertical ? "VSBar" : "HSBar"));
  bar->SetKind(kind);
  bar->SetLinkedControl(this);
  bar->SetTabStop(false);
  bar->GetSkinData()->SetSkinManager(GetSkinData()->GetSkinManager());
  bar->SetVisible(false);
  bar->SetParent(GetParent());
  if (kind == fw::sbVertical)
    bar->OnPosChange = [this](fw::TObject*, int) {
      FScrolling = true;
      SetTopIndex(FVBar->GetPosition());
      FScrolling = false;
    };
  else
    bar->OnPosChange = [this](fw::TObject*, int) {
      Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FHBar->GetPosition()));
    };
  return bar;
}

bool TkSkinListBox::FeedBar(TkScrollBar* bar, int which, bool positionFromTop) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(GetHandle(), which, &info);
  const int max = info.nMax, min = info.nMin, page = static_cast<int>(info.nPage);
  if (max >= min && max != 0 && max - page + 1 != 0) {
    bar->SetEnabled(GetEnabled());
    bar->SetParams(positionFromTop && !FScrolling ? GetTopIndex() : bar->GetPosition(), min,
                   max - page < 1 ? 1 : max - page + 1);
    bar->SetPageSize(page);
    bar->SetLargeChange(std::max(1, page));
    return true;
  }
  bar->SetParams(0, 0, 1);
  bar->SetPageSize(1);
  bar->SetEnabled(false);
  bar->SetVisible(false);
  return false;
}

void TkSkinListBox::UpdateSkinScrollBars() {
  if (FUpdatingBars || !ControlIsReady(this) || GetComponentState().Contains(fw::csDestroying) ||
      GetComponentState().Contains(fw::csLoading) || GetComponentState().Contains(fw::csReading) ||
      !HandleAllocated() || !GetParent())
    return;
  if ((FVBar && FVBar->GetComponentState().Contains(fw::csDestroying)) ||
      (FHBar && FHBar->GetComponentState().Contains(fw::csDestroying)))
    return;
  FUpdatingBars = true;
  // A hidden list hides its bars: they are its parent's children, not its own.
  const bool shownSkinned = GetVisible() && GetSkinData()->SkinIsActive();
  const LONG style = GetWindowLongA(GetHandle(), GWL_STYLE);
  const bool needV = shownSkinned && (style & WS_VSCROLL) &&
                     (!FAutoHideScroll || (GetCount() > ItemsPerPage() && GetHeight() > 3));
  bool showV = false, showH = false;
  if (needV) {
    if (!FVBar) FVBar = MakeBar(fw::sbVertical);
    showV = FeedBar(FVBar, SB_VERT, true);
  } else if (FVBar) {
    FVBar->SetVisible(false);
  }
  const bool needH = shownSkinned && (style & WS_HSCROLL) && (!FAutoHideScroll || GetWidth() > 3);
  if (needH) {
    if (!FHBar) FHBar = MakeBar(fw::sbHorizontal);
    FHBar->SetWidth(GetWidth() - 4);
    showH = FeedBar(FHBar, SB_HORZ, !FVBar || !FVBar->GetVisible());
  } else if (FHBar) {
    FHBar->SetVisible(false);
  }
  if (showV) {
    const int w = FVBar->GetWidth();
    FVBar->SetBounds(GetLeft() + GetWidth() - w - 2, GetTop() + 2, w, GetHeight() - 4);
    FVBar->SetVisible(true);
    SetWindowPos(FVBar->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  if (showH) {
    const int h = FHBar->GetHeight();
    FHBar->SetBounds(GetLeft() + 2, GetTop() + GetHeight() - h - 2, FHBar->GetWidth(), h);
    FHBar->SetVisible(true);
    SetWindowPos(FHBar->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  FUpdatingBars = false;
}

void TkSkinListBox::FollowWithLabel(const fw::TMessage& m) {
  if (FBoundLabel) FBoundLabel->Follow(m);
}

bool TkSkinListBox::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  if (m.Msg == SM_SKINCMD) {
    if (SkinCmdOf(m.WParam) == cmdParentPainted && d->Updating) {
      d->Updating = false;
      Repaint();
      PaintFrame();
    }
    return false;
  }
  switch (m.Msg) {
    case WM_NCPAINT:
      PaintFrame();
      return true;
    case WM_PRINT:
      Perform(WM_PAINT, m.WParam, 0);
      PaintFrame();
      return true;
    default:
      break;
  }
  if (CommonMessage(m, d)) return true;
  fw::TWinControl::WndProc(m);
  switch (m.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
      if (!GetComponentState().Contains(fw::csLoading)) UpdateSkinScrollBars();
      break;
    case WM_MOUSEMOVE:
      if (m.WParam & MK_LBUTTON) UpdateSkinScrollBars();
      break;
    case WM_MOUSEWHEEL:
    case WM_WINDOWPOSCHANGED:
    case fw::CM_VISIBLECHANGED:
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
      UpdateSkinScrollBars();
      break;
    case WM_MOVE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      d->BGChanged = true;
      PaintFrame();
      break;
    case WM_SIZE:
    case fw::CM_ENABLEDCHANGED:
      if (!GetComponentState().Contains(fw::csLoading)) {
        d->BGChanged = true;
        PaintFrame();
        ResetColumnWidth();
      }
      break;
    default:
      break;
  }
  return true;
}

void TkSkinListBox::WndProc(fw::TMessage& m) {
  TkSkinned<fw::TWinControl>::WndProc(m);
  FollowWithLabel(m);
}

void TkSkinListBox::Dispatch(fw::TMessage& m) {
  switch (m.Msg) {
    case fw::CN_COMMAND:
      if (fw::HiWord(m.WParam) == LBN_SELCHANGE) Click();
      if (fw::HiWord(m.WParam) == LBN_DBLCLK) DblClick();
      return;
    case fw::CN_DRAWITEM:
      DrawItemMessage(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
      m.Result = 1;
      return;
    case fw::CN_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      int height = FItemHeight;
      if (FStyle == lbOwnerDrawVariable) MeasureItem(static_cast<int>(measure->itemID), height);
      measure->itemHeight = static_cast<UINT>(height);
      m.Result = 1;
      return;
    }
    case fw::CM_FONTCHANGED:
      TkSkinned<fw::TWinControl>::Dispatch(m);
      if (FStyle == lbStandard) FItemHeight = GetItemHeight();
      return;
    default:
      break;
  }
  TkSkinned<fw::TWinControl>::Dispatch(m);
}

}  // namespace skin
