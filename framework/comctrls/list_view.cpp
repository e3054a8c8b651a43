#include "framework/comctrls/list_view.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "framework/comctrls/common_controls.h"
#include "framework/comctrls/item_views.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"

namespace fw {

namespace {

using TSortContext = TNativeSortContext<TListItem>;

// Whether a hit test's flags name a row's check box (its state icon) and no other part: a hit
// elsewhere in a full-row-select row reports all three parts.
bool OnStateIconOnly(UINT flags) { return (flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON; }

// Copies the text as Windows shows it into a native buffer of size characters (UTF-16 when
// wide), cut short at a character boundary when it does not fit.
void CopyText(const std::string& text, char* buffer, int size, bool wide) {
  if (!buffer || size <= 0) return;
  if (wide) {
    std::wstring w = ShownWide(text);
    size_t n = std::min(w.size(), static_cast<size_t>(size - 1));
    if (n > 0 && n < w.size() && IS_HIGH_SURROGATE(w[n - 1])) --n;
    auto* target = reinterpret_cast<wchar_t*>(buffer);
    std::wmemcpy(target, w.data(), n);
    target[n] = L'\0';
    return;
  }
  std::string valid = ValidUtf8(text, static_cast<size_t>(size - 1));
  std::memcpy(buffer, valid.data(), valid.size());
  buffer[valid.size()] = '\0';
}


}  // namespace

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner),
      FColumns(std::make_unique<TListColumns>(this)),
      FItems(std::make_unique<TListItems>(this)),
      FCanvas(std::make_unique<TControlCanvas>(this)) {
  // Clicks come from the native NM_CLICK/NM_DBLCLK; the framework adds none of its own.
  FControlStyle = TControlStyle{csDoubleClicks};
  FWidth = 250;
  FHeight = 150;
  SetTabStop(true);
  SetParentColor(false);
  FColor = clWindow;
}

TCustomListView::~TCustomListView() {
  // The window goes before the items, so no notification reaches a freed item.
  DestroyHandle();
}

// --- window ---

DWORD TCustomListView::StyleBits() const {
  static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  DWORD style = views[FViewStyle] | LVS_SHAREIMAGELISTS;
  if (!FReadOnly) style |= LVS_EDITLABELS;
  if (!FColumnClick) style |= LVS_NOSORTHEADER;
  if (!FHideSelection) style |= LVS_SHOWSELALWAYS;
  if (!FMultiSelect) style |= LVS_SINGLESEL;
  if (!FShowColumnHeaders) style |= LVS_NOCOLUMNHEADER;
  if (FOwnerData || FRowsOnDemand) style |= LVS_OWNERDATA;
  return style;
}

// The extended styles the properties own.
constexpr DWORD kExStyleMask = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_TRACKSELECT;

DWORD TCustomListView::ExStyleBits() const {
  DWORD ex = 0;
  if (FCheckboxes) ex |= LVS_EX_CHECKBOXES;
  if (FRowSelect) ex |= LVS_EX_FULLROWSELECT;
  if (FGridLines) ex |= LVS_EX_GRIDLINES;
  if (FHotTrack) ex |= LVS_EX_TRACKSELECT;
  return ex;
}

void TCustomListView::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_LISTVIEW_CLASSES);
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_LISTVIEWA);
  ApplyItemViewParams(params, StyleBits(), FBorderStyle);
}

void TCustomListView::CreateWnd() {
  TWinControl::CreateWnd();
  Perform(LVM_SETEXTENDEDLISTVIEWSTYLE, ExStyleBits() | kExStyleMask, ExStyleBits());
  COLORREF bk = static_cast<COLORREF>(ColorToRGB(FColor));
  Perform(LVM_SETBKCOLOR, 0, bk);
  Perform(LVM_SETTEXTBKCOLOR, 0, bk);
  Perform(LVM_SETTEXTCOLOR, 0, static_cast<COLORREF>(ColorToRGB(GetFont()->GetColor())));
  if (FSmallImages) Perform(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages->GetHandle()));
  if (FLargeImages) Perform(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeImages->GetHandle()));
  for (int i = 0; i < FColumns->GetCount(); ++i) InsertColumnNative(i);
  if (FOwnerData) {
    Perform(LVM_SETITEMCOUNT, static_cast<WPARAM>(FItems->FCount), 0);
  } else if (FRowsOnDemand) {
    // The ticks are asked for with the texts; selection and focus the window keeps itself.
    Perform(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    FItems->FNativeCount = 0;
    FItems->Flush();
  } else {
    FItems->FNativeCount = 0;
    FItems->BeginUpdate();
    FItems->Flush();
    FItems->EndUpdate();
  }
  UpdateAutoSizeColumns();
}

void TCustomListView::DestroyWnd() {
  FItems->SaveStates();
  FItems->FNativeCount = 0;
  FItems->FWakePosted = false;
  FCanvas->FreeHandle();
  TWinControl::DestroyWnd();
}

void TCustomListView::ApplyStyles() {
  if (!HandleAllocated()) return;
  const DWORD mask = LVS_TYPEMASK | LVS_SHAREIMAGELISTS | LVS_EDITLABELS | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS |
                     LVS_SINGLESEL | LVS_NOCOLUMNHEADER;
  DWORD style = static_cast<DWORD>(GetWindowLongA(FHandle, GWL_STYLE));
  DWORD wanted = (style & ~mask) | (StyleBits() & mask);
  if (wanted != style) {
    SetWindowLongA(FHandle, GWL_STYLE, static_cast<LONG>(wanted));
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  Perform(LVM_SETEXTENDEDLISTVIEWSTYLE, kExStyleMask, ExStyleBits());
  Invalidate();
}

void TCustomListView::SetViewStyle(TViewStyle v) {
  FViewStyle = v;
  ApplyStyles();
}

void TCustomListView::SetCheckboxes(bool v) {
  if (v == FCheckboxes) return;
  FItems->SaveStates();
  FCheckboxes = v;
  ApplyStyles();
  // Rows on demand draw their ticks from the items.
  if (v && HandleAllocated() && !FRowsOnDemand)
    for (TListItem* item : FItems->FItems) item->SetChecked(item->FChecked);
}

void TCustomListView::SetRowSelect(bool v) {
  FRowSelect = v;
  ApplyStyles();
}

void TCustomListView::SetGridLines(bool v) {
  FGridLines = v;
  ApplyStyles();
}

void TCustomListView::SetHotTrack(bool v) {
  FHotTrack = v;
  ApplyStyles();
}

void TCustomListView::SetReadOnly(bool v) {
  FReadOnly = v;
  ApplyStyles();
}

void TCustomListView::SetColumnClick(bool v) {
  FColumnClick = v;
  ApplyStyles();
}

void TCustomListView::SetHideSelection(bool v) {
  FHideSelection = v;
  ApplyStyles();
}

void TCustomListView::SetMultiSelect(bool v) {
  FMultiSelect = v;
  ApplyStyles();
}

void TCustomListView::SetShowColumnHeaders(bool v) {
  FShowColumnHeaders = v;
  ApplyStyles();
}

void TCustomListView::SetOwnerData(bool v) {
  if (v == FOwnerData) return;
  FItems->Clear();
  FOwnerData = v;
  RecreateWnd();
}

void TCustomListView::SetRowsOnDemand(bool v) {
  if (v == FRowsOnDemand) return;
  FItems->Flush();
  FRowsOnDemand = v;
  // The window style cannot change on a living window; a new one gets the rows and their state.
  if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetBorderStyle(TFormBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  RecreateWnd();
}

void TCustomListView::SetSmallImages(TCustomImageList* images) {
  AssignImageList(this, FSmallImages, images, LVM_SETIMAGELIST, LVSIL_SMALL);
}

void TCustomListView::SetLargeImages(TCustomImageList* images) {
  AssignImageList(this, FLargeImages, images, LVM_SETIMAGELIST, LVSIL_NORMAL);
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSmallImages) SetSmallImages(nullptr);
  if (component == FLargeImages) SetLargeImages(nullptr);
}

// --- columns ---

void TCustomListView::InsertColumnNative(int index) {
  if (!HandleAllocated()) return;
  LVCOLUMNA column;
  std::string caption;
  FColumns->GetItems(index)->FillColumn(column, caption);
  Perform(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
  UpdateAutoSizeColumns();
}

void TCustomListView::UpdateColumnNative(int index) {
  if (!HandleAllocated()) return;
  LVCOLUMNA column;
  TListColumn* col = FColumns->GetItems(index);
  std::string caption;
  col->FillColumn(column, caption);
  if (col->FAutoSize) column.mask &= ~static_cast<UINT>(LVCF_WIDTH);
  Perform(LVM_SETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void TCustomListView::DeleteColumnNative(int index) {
  if (HandleAllocated()) Perform(LVM_DELETECOLUMN, static_cast<WPARAM>(index), 0);
}

void TCustomListView::UpdateAutoSizeColumns() {
  if (!HandleAllocated() || FSizingColumns || FViewStyle != vsReport) return;
  int fixed = 0, autoCount = 0;
  for (int i = 0; i < FColumns->GetCount(); ++i) {
    TListColumn* col = FColumns->GetItems(i);
    if (col->FAutoSize) {
      ++autoCount;
    } else {
      fixed += col->FWidth;
    }
  }
  if (autoCount == 0) return;
  FSizingColumns = true;
  int remaining = GetClientWidth() - fixed;
  int share = remaining > 0 ? remaining / autoCount : 0;
  int left = remaining - share * autoCount;
  for (int i = 0; i < FColumns->GetCount(); ++i) {
    TListColumn* col = FColumns->GetItems(i);
    if (!col->FAutoSize) continue;
    const int w = std::max(share + (left-- > 0 ? 1 : 0), NarrowestAutoWidth(i));
    Perform(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), w);
  }
  FSizingColumns = false;
}

int TCustomListView::NarrowestAutoWidth(int index) {
  constexpr int kCaptionMargins = 12;
  const std::wstring caption = ShownWide(FColumns->GetItems(index)->GetCaption());
  int width = static_cast<int>(Perform(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(caption.c_str()))) +
              kCaptionMargins;
  // The first column also shows the rows' check boxes and small images.
  if (index == 0)
    for (const int kind : {LVSIL_STATE, LVSIL_SMALL})
      if (HIMAGELIST images = reinterpret_cast<HIMAGELIST>(Perform(LVM_GETIMAGELIST, kind, 0))) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        width += cx;
      }
  return width;
}

// --- items and selection ---

TListItem* TCustomListView::ItemOf(int index) const {
  if (index < 0 || index >= FItems->GetCount()) return nullptr;
  return FItems->GetItem(index);
}

TListItem* TCustomListView::GetSelected() const {
  FItems->Flush();
  if (!HandleAllocated()) {
    for (TListItem* item : FItems->FItems)
      if (item->FSelected) return item;
    return nullptr;
  }
  int index = static_cast<int>(SendMessageA(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return ItemOf(index);
}

void TCustomListView::ClearSelection() {
  if (HandleAllocated()) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  }
  for (TListItem* item : FItems->FItems) item->FSelected = false;
}

void TCustomListView::SelectAll() {
  if (!FMultiSelect) return;
  if (HandleAllocated()) {
    LVITEMA item{};
    item.state = LVIS_SELECTED;
    item.stateMask = LVIS_SELECTED;
    Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  }
  for (TListItem* item : FItems->FItems) item->FSelected = true;
}

void TCustomListView::SetSelected(TListItem* item) {
  ClearSelection();
  if (!item) return;
  item->SetSelected(true);
  item->SetFocused(true);
}

int TCustomListView::GetItemIndex() const {
  TListItem* item = GetSelected();
  return item ? item->GetIndex() : -1;
}

void TCustomListView::SetItemIndex(int index) { SetSelected(ItemOf(index)); }

int TCustomListView::GetSelCount() const {
  FItems->Flush();
  if (HandleAllocated()) return static_cast<int>(SendMessageA(FHandle, LVM_GETSELECTEDCOUNT, 0, 0));
  return static_cast<int>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(),
                                        [](TListItem* i) { return i->FSelected; }));
}

TListItem* TCustomListView::GetItemFocused() const {
  FItems->Flush();
  if (!HandleAllocated()) return nullptr;
  return ItemOf(static_cast<int>(SendMessageA(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
}

void TCustomListView::SetItemFocused(TListItem* item) {
  if (item) item->SetFocused(true);
}

TListItem* TCustomListView::GetTopItem() const {
  FItems->Flush();
  if (!HandleAllocated()) return nullptr;
  return ItemOf(static_cast<int>(SendMessageA(FHandle, LVM_GETTOPINDEX, 0, 0)));
}

TListItem* TCustomListView::GetItemAt(int x, int y) const {
  FItems->Flush();
  if (!HandleAllocated()) return nullptr;
  LVHITTESTINFO info{};
  info.pt = POINT{x, y};
  int index = static_cast<int>(SendMessageA(FHandle, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (index < 0 || !(info.flags & LVHT_ONITEM)) return nullptr;
  return ItemOf(index);
}

THitTests TCustomListView::GetHitTestInfoAt(int x, int y) const {
  THitTests result;
  if (!HandleAllocated()) return result;
  LVHITTESTINFO info{};
  info.pt = POINT{x, y};
  bool onRow = SendMessageA(FHandle, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)) >= 0;
  UINT f = info.flags;
  // LVHT_ABOVE is the state icon's bit: it means above the rows only when no row was hit.
  if (!onRow && (f & LVHT_ABOVE)) result.Include(htAbove);
  if (f & LVHT_BELOW) result.Include(htBelow);
  if (f & LVHT_NOWHERE) result.Include(htNowhere);
  // A hit anywhere else in a row (a full-row select's other columns) sets all three parts.
  if ((f & LVHT_ONITEM) == LVHT_ONITEM) {
    result.Include(htOnItem);
  } else if (onRow) {
    if (f & LVHT_ONITEMICON) result.Include(htOnIcon);
    if (f & LVHT_ONITEMLABEL) result.Include(htOnLabel);
    if (OnStateIconOnly(f)) result.Include(htOnStateIcon);
  }
  if (f & LVHT_TOLEFT) result.Include(htToLeft);
  if (f & LVHT_TORIGHT) result.Include(htToRight);
  return result;
}

TListItem* TCustomListView::FindCaption(int startIndex, const std::string& value, bool partial, bool inclusive,
                                        bool wrap) const {
  FItems->Flush();
  if (HandleAllocated() && !FRowsOnDemand) {
    LVFINDINFOA find{};
    find.flags = LVFI_STRING | (partial ? LVFI_PARTIAL : 0) | (wrap ? LVFI_WRAP : 0);
    std::string shown = ValidUtf8(value);
    find.psz = shown.c_str();
    int start = inclusive ? startIndex - 1 : startIndex;
    int index = static_cast<int>(
        SendMessageA(FHandle, LVM_FINDITEMA, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(&find)));
    return ItemOf(index);
  }
  int count = FItems->GetCount();
  for (int n = 0, i = inclusive ? startIndex : startIndex + 1; n < count; ++n, ++i) {
    if (i >= count) {
      if (!wrap) break;
      i = 0;
    }
    const std::string& caption = FItems->FItems[i]->FCaption;
    if (partial ? AnsiSameText(caption.substr(0, value.size()), value) : AnsiSameText(caption, value))
      return FItems->FItems[i];
  }
  return nullptr;
}

bool TCustomListView::CustomSort(const TLVCompareFunc& compare, LPARAM data) {
  if (FOwnerData) return false;
  if (!HandleAllocated() || FRowsOnDemand) {
    // The window knows the rows by index only: their selection moves with them.
    FItems->Flush();
    FItems->SaveStates();
    std::stable_sort(FItems->FItems.begin(), FItems->FItems.end(),
                     [&](TListItem* a, TListItem* b) { return compare(a, b, data) < 0; });
    FItems->Renumber(0);
    FItems->RestoreStates();
    return true;
  }
  FItems->Flush();
  TSortContext ctx{&compare, data, this};
  bool ok = Perform(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&ctx), reinterpret_cast<LPARAM>(&TSortContext::Callback)) != 0;
  FItems->ReadOrder();
  return ok;
}

bool TCustomListView::AlphaSort() {
  return CustomSort([](TListItem* a, TListItem* b, LPARAM) { return AnsiCompareText(a->GetCaption(), b->GetCaption()); },
                    0);
}

void TCustomListView::Scroll(int dx, int dy) {
  FItems->Flush();
  Perform(LVM_SCROLL, static_cast<WPARAM>(dx), dy);
}

bool TCustomListView::IsEditing() const {
  return HandleAllocated() && SendMessageA(FHandle, LVM_GETEDITCONTROL, 0, 0) != 0;
}

// --- events ---

void TCustomListView::Change(TListItem* item, TItemChange change) {
  if (OnChange) OnChange(this, item, change);
}

void TCustomListView::ColClick(TListColumn* column) {
  if (OnColumnClick) OnColumnClick(this, column);
}

void TCustomListView::Delete(TListItem* item) {
  if (OnDeletion) OnDeletion(this, item);
}

bool TCustomListView::CanEdit(TListItem* item) {
  bool allow = !FReadOnly;
  if (OnEditing) OnEditing(this, item, allow);
  return allow;
}

void TCustomListView::Edit(const LVITEMA& lvItem) {
  TListItem* item = ItemOf(lvItem.iItem);
  if (!item || !lvItem.pszText) return;
  std::string text = lvItem.pszText;
  if (OnEdited) OnEdited(this, item, text);
  item->SetCaption(text);
}

bool TCustomListView::OwnerDataFetch(TListItem* item, TItemRequests) {
  if (!OnData) return false;
  OnData(this, item);
  return true;
}

int TCustomListView::OwnerDataFind(TItemFind find, const std::string& findString, TPoint findPosition,
                                   void* findData, int startIndex, TSearchDirection direction, bool wrap) {
  int index = -1;
  if (OnDataFind) OnDataFind(this, find, findString, findPosition, findData, startIndex, direction, wrap, index);
  return index;
}

void TCustomListView::OwnerDataHint(int startIndex, int endIndex) {
  if (OnDataHint) OnDataHint(this, startIndex, endIndex);
}

void TCustomListView::NotifyOther(TMessage& msg) { DefaultHandler(msg); }

void TCustomListView::CustomDrawItem(TListItem* item, TCustomDrawState state, bool& defaultDraw) {
  if (OnCustomDrawItem) OnCustomDrawItem(this, item, state, defaultDraw);
}

// --- notifications ---

void TCustomListView::HandleItemChanged(const NMLISTVIEW& nm) {
  if (FInserting) return;
  TListItem* item = nm.iItem >= 0 && !FOwnerData ? ItemOf(nm.iItem) : nullptr;
  // An owner-data row is filled without its image, which may be slow to find.
  if (FOwnerData && nm.iItem >= 0) item = FItems->FetchRow(nm.iItem, TItemRequests{irText, irParam, irState});
  // Rows on demand: a tick the window changed (a click, the space bar) is kept by the item.
  if (FRowsOnDemand && item && (nm.uChanged & LVIF_STATE) && ((nm.uOldState ^ nm.uNewState) & LVIS_STATEIMAGEMASK)) {
    item->FChecked = ((nm.uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
    item->Redraw();
    FNativeTick = nm.iItem;
  }
  if (nm.uChanged & LVIF_TEXT) Change(item, ctText);
  if (nm.uChanged & LVIF_IMAGE) Change(item, ctImage);
  if (nm.uChanged & LVIF_STATE) {
    Change(item, ctState);
    if (((nm.uOldState ^ nm.uNewState) & LVIS_SELECTED) && OnSelectItem)
      OnSelectItem(this, item, (nm.uNewState & LVIS_SELECTED) != 0);
  }
}

void TCustomListView::HandleGetDispInfo(NMLVDISPINFOA& info, bool wide) {
  LVITEMA& lv = info.item;
  TItemRequests request;
  if (lv.mask & LVIF_TEXT) request.Include(irText);
  if (lv.mask & LVIF_IMAGE) request.Include(irImage);
  if (lv.mask & LVIF_PARAM) request.Include(irParam);
  if (lv.mask & LVIF_STATE) request.Include(irState);
  TListItem* item = FRowsOnDemand ? ItemOf(lv.iItem) : FItems->FetchRow(lv.iItem, request);
  if (!item) return;
  if (lv.mask & LVIF_PARAM) lv.lParam = reinterpret_cast<LPARAM>(item);
  if (lv.mask & LVIF_TEXT) {
    if (lv.iSubItem == 0) {
      CopyText(item->FCaption, lv.pszText, lv.cchTextMax, wide);
    } else {
      int sub = lv.iSubItem - 1;
      CopyText(sub < item->FSubItems->GetCount() ? item->FSubItems->GetStrings(sub) : std::string(), lv.pszText,
               lv.cchTextMax, wide);
    }
  }
  if (lv.mask & LVIF_IMAGE) lv.iImage = item->FImageIndex;
  if ((lv.mask & LVIF_STATE) && FCheckboxes) {
    lv.state = (lv.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(item->FChecked ? 2 : 1);
    lv.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

LRESULT TCustomListView::HandleCustomDraw(NMLVCUSTOMDRAW& cd) {
  NMCUSTOMDRAW& nmcd = cd.nmcd;
  TCanvasLoan loan(FCanvas.get());
  LRESULT result = CDRF_DODEFAULT;
  switch (nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_POSTPAINT:
    case CDDS_PREERASE:
    case CDDS_POSTERASE: {
      if (OnAdvancedCustomDraw) {
        FCanvas->Lend(nmcd.hdc);
        TCustomDrawStage stage = nmcd.dwDrawStage == CDDS_PREPAINT    ? cdPrePaint
                                 : nmcd.dwDrawStage == CDDS_POSTPAINT ? cdPostPaint
                                 : nmcd.dwDrawStage == CDDS_PREERASE  ? cdPreErase
                                                                      : cdPostErase;
        bool defaultDraw = true;
        OnAdvancedCustomDraw(this, nmcd.rc, stage, defaultDraw);
        if (!defaultDraw) return CDRF_SKIPDEFAULT;
      }
      if (nmcd.dwDrawStage == CDDS_PREPAINT) {
        if (WantsCustomDrawItem()) result |= CDRF_NOTIFYITEMDRAW;
        if (OnAdvancedCustomDraw) result |= CDRF_NOTIFYPOSTPAINT | CDRF_NOTIFYPOSTERASE;
      }
      return result;
    }
    case CDDS_ITEMPREPAINT: {
      if (!WantsCustomDrawItem()) return result;
      TListItem* item = ItemOf(static_cast<int>(nmcd.dwItemSpec));
      if (!item) return result;
      FCanvas->Lend(nmcd.hdc);
      TFont* font = FCanvas->GetFont();
      font->Assign(GetFont());
      bool defaultDraw = true;
      CustomDrawItem(item, CustomDrawStateOf(nmcd.uItemState), defaultDraw);
      if (!defaultDraw) return CDRF_SKIPDEFAULT;
      cd.clrText = static_cast<COLORREF>(ColorToRGB(font->GetColor()));
      SelectObject(nmcd.hdc, font->GetHandle());
      return CDRF_NEWFONT;
    }
    default:
      return result;
  }
}

LRESULT TCustomListView::HandleFindItem(const NMLVFINDITEMA& find, bool wide) {
  const LVFINDINFOA& info = find.lvfi;
  TItemFind kind = (info.flags & LVFI_PARAM)     ? ifData
                   : (info.flags & LVFI_PARTIAL) ? ifPartialString
                   : (info.flags & LVFI_STRING)  ? ifExactString
                                                 : ifNearest;
  std::string text;
  if ((info.flags & (LVFI_STRING | LVFI_PARTIAL)) && info.psz) {
    if (wide) {
      text = WideToUtf8(reinterpret_cast<const wchar_t*>(info.psz));
    } else {
      text = info.psz;
    }
  }
  TSearchDirection dir = sdAll;
  switch (info.vkDirection) {
    case VK_LEFT: dir = sdLeft; break;
    case VK_RIGHT: dir = sdRight; break;
    case VK_UP: dir = sdAbove; break;
    case VK_DOWN: dir = sdBelow; break;
    default: break;
  }
  if (FRowsOnDemand) return FindItemOnDemand(info, text, find.iStart);
  return OwnerDataFind(kind, text, info.pt, reinterpret_cast<void*>(info.lParam), find.iStart, dir,
                       (info.flags & LVFI_WRAP) != 0);
}

int TCustomListView::FindItemOnDemand(const LVFINDINFOA& info, const std::string& text, int start) const {
  int count = static_cast<int>(FItems->FItems.size());
  if (count == 0 || !(info.flags & (LVFI_PARAM | LVFI_STRING | LVFI_PARTIAL))) return -1;
  if (start < 0 || start >= count) start = 0;
  bool wrap = (info.flags & LVFI_WRAP) != 0;
  for (int n = 0, i = start; n < count; ++n, ++i) {
    if (i >= count) {
      if (!wrap) break;
      i = 0;
    }
    const TListItem* item = FItems->FItems[i];
    bool match = false;
    if (info.flags & LVFI_PARAM)
      match = reinterpret_cast<LPARAM>(item) == info.lParam;
    else if (info.flags & LVFI_PARTIAL)
      match = AnsiSameText(item->FCaption.substr(0, text.size()), text);
    else
      match = AnsiSameText(item->FCaption, text);
    if (match) return i;
  }
  return -1;
}

bool TCustomListView::NeedsAllRows(const TMessage& msg) {
  UINT m = msg.Msg;
  // The extended styles need no rows, and a new window takes them before its rows: switching
  // the check boxes on in a window that has rows visits every row.
  if (m == LVM_SETEXTENDEDLISTVIEWSTYLE) return false;
  if (m >= LVM_FIRST && m < LVM_FIRST + 0x100) return true;
  if (m >= WM_KEYFIRST && m <= WM_KEYLAST) return true;
  switch (m) {
    case CM_SHOWROWS:
    case WM_PAINT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
      return true;
    case WM_TIMER:
      return msg.WParam == kShowRowsTimer;
    default:
      return false;
  }
}

int TCustomListView::TickAt(int x, int y) const {
  if (!FCheckboxes || !HandleAllocated()) return -1;
  LVHITTESTINFO info{};
  info.pt = POINT{x, y};
  int index = static_cast<int>(SendMessageA(FHandle, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  return OnStateIconOnly(info.flags) ? index : -1;
}

void TCustomListView::ToggleTick(int index) {
  if (TListItem* item = ItemOf(index)) item->SetChecked(!item->FChecked);
}

void TCustomListView::HandleStateRangeChanged(const NMLVODSTATECHANGE& change) {
  // A range of rows changed its selection at once (shift-click in a multi-select list).
  for (int i = change.iFrom; i <= change.iTo; ++i) {
    TListItem* item = ItemOf(i);
    if (!item) continue;
    Change(item, ctState);
    if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) && OnSelectItem)
      OnSelectItem(this, item, (change.uNewState & LVIS_SELECTED) != 0);
  }
}

void TCustomListView::HandleNotify(TMessage& msg) {
  NMHDR* hdr = NMHdr(msg);
  switch (hdr->code) {
    case LVN_ITEMCHANGED:
      HandleItemChanged(*reinterpret_cast<NMLISTVIEW*>(hdr));
      return;
    case LVN_DELETEALLITEMS:
      // Clear reports its deletions itself: no LVN_DELETEITEM for every row.
      msg.Result = TRUE;
      return;
    case LVN_COLUMNCLICK: {
      int index = reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem;
      if (index >= 0 && index < FColumns->GetCount()) ColClick(FColumns->GetItems(index));
      return;
    }
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
      // Both record forms share their layout; only the text buffer differs.
      if (FOwnerData || FRowsOnDemand)
        HandleGetDispInfo(*reinterpret_cast<NMLVDISPINFOA*>(hdr), hdr->code == LVN_GETDISPINFOW);
      return;
    case LVN_ODSTATECHANGED:
      HandleStateRangeChanged(*reinterpret_cast<NMLVODSTATECHANGE*>(hdr));
      return;
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
      // Some systems ask in UTF-16 whatever the window's format.
      msg.Result = HandleFindItem(*reinterpret_cast<NMLVFINDITEMA*>(hdr), hdr->code == LVN_ODFINDITEMW);
      return;
    case LVN_ODCACHEHINT: {
      auto* hint = reinterpret_cast<NMLVCACHEHINT*>(hdr);
      OwnerDataHint(hint->iFrom, hint->iTo);
      return;
    }
    case LVN_BEGINLABELEDITA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(hdr);
      TListItem* item = ItemOf(info->item.iItem);
      msg.Result = item && CanEdit(item) ? 0 : 1;
      return;
    }
    case LVN_ENDLABELEDITA:
      Edit(reinterpret_cast<NMLVDISPINFOA*>(hdr)->item);
      msg.Result = 0;  // the caption was set by Edit
      return;
    case NM_CLICK:
      Click();
      return;
    case NM_DBLCLK:
      DblClick();
      return;
    case NM_CUSTOMDRAW:
      msg.Result = HandleCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(hdr));
      return;
    default:
      NotifyOther(msg);
      return;
  }
}

void TCustomListView::Dispatch(TMessage& msg) {
  // Rows on demand: the window learns of the rows added since it last looked when it is asked
  // about its rows, paints, or the user reaches for them.
  if (FRowsOnDemand && FItems->FUpdateCount == 0 && NeedsAllRows(msg)) FItems->Flush();
  switch (msg.Msg) {
    case CM_SHOWROWS:
      return;
    case WM_TIMER:
      if (msg.WParam != kShowRowsTimer) break;
      KillTimer(FHandle, kShowRowsTimer);
      return;
    case CN_NOTIFY:
      HandleNotify(msg);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // Rows on demand: a window that asks for the ticks may leave a click on one to its owner.
      int tick = FRowsOnDemand && msg.Msg == WM_LBUTTONDOWN ? TickAt(XPos(msg), YPos(msg)) : -1;
      FNativeTick = -1;
      TWinControl::Dispatch(msg);
      if (tick >= 0 && FNativeTick != tick) ToggleTick(tick);
      DeliverEatenButtonUp(this, msg);
      return;
    }
    case WM_KEYDOWN:
      // The space bar ticks the focused row.
      if (FRowsOnDemand && FCheckboxes && CharCode(msg) == VK_SPACE) {
        int focused = static_cast<int>(SendMessageA(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        FNativeTick = -1;
        TWinControl::Dispatch(msg);
        if (focused >= 0 && FNativeTick != focused) ToggleTick(focused);
        return;
      }
      break;
    case LVM_GETITEMA:
    case LVM_GETITEMW:
      // A window with rows on demand keeps no item data: the item's own address is the answer.
      if (FRowsOnDemand) {
        TWinControl::Dispatch(msg);
        auto* lv = reinterpret_cast<LVITEMA*>(msg.LParam);
        if (TListItem* item = lv && (lv->mask & LVIF_PARAM) ? ItemOf(lv->iItem) : nullptr)
          lv->lParam = reinterpret_cast<LPARAM>(item);
        return;
      }
      break;
    case WM_SIZE:
      TWinControl::Dispatch(msg);
      UpdateAutoSizeColumns();
      return;
    case CM_COLORCHANGED:
      if (HandleAllocated()) {
        COLORREF bk = static_cast<COLORREF>(ColorToRGB(FColor));
        Perform(LVM_SETBKCOLOR, 0, bk);
        Perform(LVM_SETTEXTBKCOLOR, 0, bk);
        Invalidate();
      }
      break;
    case CM_FONTCHANGED:
      if (HandleAllocated()) Perform(LVM_SETTEXTCOLOR, 0, static_cast<COLORREF>(ColorToRGB(GetFont()->GetColor())));
      break;
    default:
      break;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
