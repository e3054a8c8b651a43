#include "framework/comctrls/page_control.h"

#include <algorithm>

#include "framework/comctrls/common_controls.h"
#include "framework/rtl/wide_text.h"

namespace fw {

// --- TTabSheet ---

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
  FVisible = false;
  SetAlign(alClient);
  SetParentColor(true);
}

TTabSheet::~TTabSheet() = default;

void TTabSheet::FreeParentLinks() {
  SetPageControl(nullptr);
  TWinControl::FreeParentLinks();
}

void TTabSheet::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  // A sheet repaints only what was uncovered.
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TTabSheet::SetPageControl(TPageControl* control) {
  if (control == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(control);
  if (control) control->InsertPage(this);
}

int TTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (!FPageControl) return;
  auto& pages = FPageControl->FPages;
  pages.erase(std::find(pages.begin(), pages.end(), this));
  index = std::clamp(index, 0, static_cast<int>(pages.size()));
  pages.insert(pages.begin() + index, this);
  FPageControl->UpdateTabs();
}

int TTabSheet::GetTabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int tab = 0;
  for (TTabSheet* p : FPageControl->FPages) {
    if (p == this) return tab;
    if (p->FTabVisible) ++tab;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool v) {
  FTabVisible = v;
  if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(int v) {
  FImageIndex = v;
  if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::Dispatch(TMessage& msg) {
  if (msg.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->UpdateTabs();
  TWinControl::Dispatch(msg);
}

// --- TPageControl ---

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  FControlStyle = TControlStyle{csAcceptsControls, csDoubleClicks};
  FWidth = 289;
  FHeight = 193;
  SetTabStop(true);
}

TPageControl::~TPageControl() = default;

void TPageControl::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_TAB_CLASSES);
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_TABCONTROLA);
  params.Style |= WS_CLIPCHILDREN;
  static constexpr DWORD kPositionStyle[] = {0, TCS_BOTTOM, TCS_VERTICAL, TCS_VERTICAL | TCS_RIGHT};
  static constexpr DWORD kTabStyle[] = {0, TCS_BUTTONS, TCS_BUTTONS | TCS_FLATBUTTONS};
  params.Style |= kPositionStyle[FTabPosition] | kTabStyle[FStyle];
  if (FMultiLine || FTabPosition == tpLeft || FTabPosition == tpRight) params.Style |= TCS_MULTILINE;
  if (FHotTrack) params.Style |= TCS_HOTTRACK;
  if (FOwnerDraw) params.Style |= TCS_OWNERDRAWFIXED;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  if (FImages) Perform(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->GetHandle()));
  UpdateTabs();
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FPageControl = this;
  UpdateTabs();
  if (!FActivePage) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
  TTabSheet* next = page == FActivePage ? FindNextPage(page, true, true) : FActivePage;
  if (next == page) next = nullptr;
  FPages.erase(std::find(FPages.begin(), FPages.end(), page));
  page->FPageControl = nullptr;
  if (page == FActivePage) FActivePage = nullptr;
  UpdateTabs();
  if (next != FActivePage) SetActivePage(next);
}

TTabSheet* TPageControl::PageOfTab(int tab) const {
  for (TTabSheet* p : FPages)
    if (p->FTabVisible && tab-- == 0) return p;
  return nullptr;
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  Perform(TCM_DELETEALLITEMS, 0, 0);
  int tab = 0;
  for (TTabSheet* p : FPages) {
    if (!p->FTabVisible) continue;
    std::string caption = ValidUtf8(p->GetCaption());
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = caption.data();
    item.iImage = p->FImageIndex;
    Perform(TCM_INSERTITEMA, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
  }
  int active = FActivePage ? FActivePage->GetTabIndex() : -1;
  Perform(TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
  Realign();
}

void TPageControl::SetTabPosition(TTabPosition v) {
  if (v == FTabPosition) return;
  FTabPosition = v;
  RecreateWnd();
}

void TPageControl::SetStyle(TTabStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  RecreateWnd();
}

void TPageControl::SetMultiLine(bool v) {
  if (v == FMultiLine) return;
  FMultiLine = v;
  RecreateWnd();
}

void TPageControl::SetHotTrack(bool v) {
  if (v == FHotTrack) return;
  FHotTrack = v;
  RecreateWnd();
}

void TPageControl::SetOwnerDraw(bool v) {
  if (v == FOwnerDraw) return;
  FOwnerDraw = v;
  RecreateWnd();
}

TRect TPageControl::TabRect(int tabIndex) {
  TRect r;
  if (HandleAllocated()) Perform(TCM_GETITEMRECT, static_cast<WPARAM>(tabIndex), reinterpret_cast<LPARAM>(AsRECT(r)));
  return r;
}

int TPageControl::RowCount() { return HandleAllocated() ? static_cast<int>(Perform(TCM_GETROWCOUNT, 0, 0)) : 0; }

int TPageControl::IndexOfTabAt(int x, int y) {
  if (!HandleAllocated()) return -1;
  TCHITTESTINFO info{};
  info.pt = POINT{x, y};
  return static_cast<int>(Perform(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

void TPageControl::DrawTab(int tabIndex, const TRect& rect, bool active) {
  if (OnDrawTab) OnDrawTab(this, tabIndex, rect, active);
}

void TPageControl::UpdateActivePage() { ShowActivePage(); }

void TPageControl::ShowActivePage() {
  for (TTabSheet* p : FPages)
    if (p != FActivePage) p->SetVisible(false);
  if (FActivePage) {
    Realign();
    FActivePage->SetVisible(true);
    FActivePage->BringToFront();
  }
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) return;
  FActivePage = page;
  if (HandleAllocated()) Perform(TCM_SETCURSEL, static_cast<WPARAM>(page ? page->GetTabIndex() : -1), 0);
  UpdateActivePage();
}

int TPageControl::GetActivePageIndex() const { return FActivePage ? FActivePage->GetPageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < GetPageCount() ? FPages[index] : nullptr);
}

int TPageControl::GetTabIndex() const {
  if (!HandleAllocated()) return FActivePage ? FActivePage->GetTabIndex() : -1;
  return static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
}

void TPageControl::SetImages(TCustomImageList* images) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (images) images->FreeNotification(this);
  if (HandleAllocated()) Perform(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->GetHandle() : nullptr));
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == FImages) SetImages(nullptr);
}

TRect TPageControl::GetDisplayRect() {
  TRect r = GetClientRect();
  if (HandleAllocated()) Perform(TCM_ADJUSTRECT, 0, reinterpret_cast<LPARAM>(AsRECT(r)));
  return r;
}

void TPageControl::AdjustClientRect(TRect& rect) {
  TWinControl::AdjustClientRect(rect);
  rect = GetDisplayRect();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
  int count = GetPageCount();
  if (count == 0) return nullptr;
  auto it = std::find(FPages.begin(), FPages.end(), current);
  int start = it == FPages.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
  int i = start;
  do {
    i = goForward ? (i + 1) % count : (i + count - 1) % count;
    if (!checkTabVisible || FPages[i]->FTabVisible) return FPages[i];
  } while (i != start);
  return nullptr;
}

void TPageControl::SelectNextPage(bool goForward) {
  TTabSheet* page = FindNextPage(FActivePage, goForward, true);
  if (page && page != FActivePage && CanChange()) {
    SetActivePage(page);
    Change();
  }
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::Dispatch(TMessage& msg) {
  if (msg.Msg == CN_DRAWITEM) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
    TRect r(item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom);
    DrawTab(static_cast<int>(item->itemID), r, (item->itemState & ODS_SELECTED) != 0);
    msg.Result = 1;
    return;
  }
  if (msg.Msg == CN_NOTIFY) {
    switch (NMHdr(msg)->code) {
      case TCN_SELCHANGING:
        msg.Result = CanChange() ? 0 : 1;
        return;
      case TCN_SELCHANGE: {
        TTabSheet* page = PageOfTab(static_cast<int>(Perform(TCM_GETCURSEL, 0, 0)));
        FActivePage = page;
        UpdateActivePage();
        Change();
        return;
      }
      default:
        break;
    }
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
