#include "skin/engine/mdi_form.h"

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/menus/main_menu.h"
#include "skin/controls/grip.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"

namespace skin {

bool MDIAreaFromCache = true;
bool MDIAreaScrolling = true;

namespace {

constexpr int kDefaultPage = 80;
constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME;

// The offsets between the client's own positions and the skinned bars' (SB_HORZ, SB_VERT).
int ScrollMinimum[2] = {0, 0};
// Set while a skinned bar's move is handed to the client.
bool ScrollHandling = false;

bool IsZoomedForm(fw::TCustomForm* form) { return form && form->HandleAllocated() && IsZoomed(form->GetHandle()); }

}  // namespace

TkMDIForm::TkMDIForm(TkSkinProvider* provider) : FProvider(provider), FForm(provider->GetForm()) {
  FForm->HandleNeeded();
  BuildIconItem();
  ConnectToClient();
}

TkMDIForm::~TkMDIForm() {
  for (TkScrollBar** bar : {&FVertBar, &FHorzBar})
    if (*bar) {
      TkScrollBar* b = *bar;
      *bar = nullptr;
      b->Free();
    }
  if (FGrip) {
    TkGrip* grip = FGrip;
    FGrip = nullptr;
    grip->Free();
  }
  if (FIconItem) {
    if (fw::TMenuItem* parent = FIconItem->GetParent()) parent->Remove(FIconItem);
    FIconItem->Free();
  }
  if (FSubclass) {
    fw::RemoveSubclass(FSubclass);
    // The system paints the client again.
    if (HWND client = Client()) RedrawWindow(client, nullptr, nullptr, kRedrawAll);
  }
}

void TkMDIForm::ComponentFreed(const fw::TComponent* component) {
  if (component == FIconItem) FIconItem = nullptr;
  if (component == FVertBar) FVertBar = nullptr;
  if (component == FHorzBar) FHorzBar = nullptr;
  if (component == FGrip) FGrip = nullptr;
}

HWND TkMDIForm::Client() const { return FForm->HandleAllocated() ? FForm->GetClientHandle() : nullptr; }

bool TkMDIForm::SkinActive() const { return FProvider && FProvider->GetSkinData()->SkinIsActive(true); }

bool TkMDIForm::PaintsFromCache() const {
  return SkinActive() && MDIAreaFromCache && MDIAreaScrolling && !FProvider->MDIChildMaximized();
}

void TkMDIForm::BuildIconItem() {
  FIconItem = fw::New<fw::TMenuItem>(nullptr);
  FIconItem->SetName("kMDICII");
  FIconItem->FreeNotification(FProvider);
  struct TSub {
    const char* Name;
    const char* Caption;
    WPARAM Command;
    fw::TShortCut ShortCut;
  };
  const TSub subs[] = {{"ItemMDIRestore", "Restore", SC_RESTORE, fw::scNone},
                       {"ItemMDIMinimize", "Minimize", SC_MINIMIZE, fw::scNone},
                       {"", "-", 0, fw::scNone},
                       {"ItemMDIClose", "Close", SC_CLOSE, static_cast<fw::TShortCut>(fw::scCtrl | VK_F4)}};
  for (const TSub& s : subs) {
    auto* item = fw::New<fw::TMenuItem>(FIconItem);
    item->SetName(s.Name);
    item->SetCaption(s.Caption);
    item->SetShortCut(s.ShortCut);
    if (s.Command) item->OnClick = [this, command = s.Command](fw::TObject*) { SendToActiveChild(command); };
    FIconItem->Add(item);
  }
}

void TkMDIForm::SendToActiveChild(WPARAM command) {
  if (fw::TCustomForm* child = FForm->GetActiveMDIChild()) SendMessageA(child->GetHandle(), WM_SYSCOMMAND, command, 0);
}

void TkMDIForm::ConnectToClient() {
  if (FProvider->GetComponentState().Contains(fw::csDesigning) || FConnected) return;
  HWND client = Client();
  if (!client) return;
  SendMessageA(client, SM_SKINCMD, SkinCmdWParam(cmdIsSkinned), 0);
  if (FConnected || FSubclass) return;
  FSubclass = fw::SubclassWindow(client, [this](fw::TMessage& m, const fw::TCallPrevious& previous) {
    ClientWndProc(m, previous);
  });
}

// --- geometry ---

int TkMDIForm::AlignedSize(fw::TAlign align) const {
  int size = 0;
  for (int i = 0; i < FForm->GetControlCount(); ++i) {
    fw::TControl* c = FForm->GetControls(i);
    if (!c->GetVisible() || c->GetAlign() != align) continue;
    size += align == fw::alTop || align == fw::alBottom ? c->GetHeight() : c->GetWidth();
  }
  return size;
}

int TkMDIForm::OffsetX() const { return AlignedSize(fw::alLeft) + FProvider->SysBorderWidth(); }

int TkMDIForm::OffsetY() const {
  const int menu = FProvider->MenuPresent() ? FProvider->MenuLineRows() * FProvider->DefaultMenuHeight() : 0;
  return AlignedSize(fw::alTop) + FProvider->SysBorderHeight() + FProvider->CaptionHeight() + menu + 1;
}

int TkMDIForm::MDIClientWidth() const {
  return FForm->GetClientRect().Width() - AlignedSize(fw::alLeft) - AlignedSize(fw::alRight);
}

int TkMDIForm::MDIClientHeight() const {
  return FForm->GetClientRect().Height() - AlignedSize(fw::alTop) - AlignedSize(fw::alBottom);
}

// --- the client's window procedure ---

void TkMDIForm::PaintEdge(HWND client) {
  fw::TBitmap* cache = FProvider->GetSkinData()->CacheBmp.get();
  HDC src = cache->GetCanvas()->GetHandle();
  HDC dc = GetWindowDC(client);
  const int x = OffsetX(), y = OffsetY(), w = MDIClientWidth(), h = MDIClientHeight();
  BitBlt(dc, 0, 0, w, 2, src, x, y, SRCCOPY);
  BitBlt(dc, 0, 2, 2, h, src, x, y, SRCCOPY);
  BitBlt(dc, 2, h - 2, w, 2, src, x + 2, y + h - 2, SRCCOPY);
  BitBlt(dc, w - 2, 2, 2, h, src, x + w - 2, y + 2, SRCCOPY);
  ReleaseDC(client, dc);
}

void TkMDIForm::PaintClient(fw::TMessage& m, HWND client) {
  PAINTSTRUCT ps{};
  HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(client, &ps);
  const int saved = SaveDC(dc);
  BitBlt(dc, 0, 0, MDIClientWidth(), MDIClientHeight(), FProvider->GetSkinData()->CacheBmp->GetCanvas()->GetHandle(),
         OffsetX(), OffsetY(), SRCCOPY);
  RestoreDC(dc, saved);
  if (!m.WParam) EndPaint(client, &ps);
  // The children lay their backgrounds over the area again.
  for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageA(child, SM_SKINCMD, SkinCmdWParam(cmdParentPainted), 0);
  SendMessageA(client, WM_NCPAINT, 0, 0);
  m.Result = 0;
}

void TkMDIForm::ClientWndProc(fw::TMessage& m, const fw::TCallPrevious& previous) {
  const HWND client = Client();
  if (!FProvider || !client) {
    previous(m);
    return;
  }
  if (m.Msg == SM_SKINCMD) {
    if (SkinCmdOf(m.WParam) == cmdIsSkinned) {
      FConnected = true;
      m.LParam = 1;
      m.Result = 1;
    } else if (SkinCmdOf(m.WParam) == cmdRemoveSkin &&
               m.LParam == reinterpret_cast<LPARAM>(FProvider->GetSkinData()->GetSkinManager())) {
      FConnected = false;
      RedrawWindow(client, nullptr, nullptr, kRedrawAll);
    }
    return;  // other skin commands end here
  }
  switch (m.Msg) {
    case WM_ERASEBKGND:
      // The system's background only where the skin does not paint.
      if (PaintsFromCache())
        m.Result = 1;
      else
        previous(m);
      return;
    case WM_NCPAINT:
      if (PaintsFromCache())
        PaintEdge(client);
      else
        previous(m);
      return;
    case WM_PAINT:
      if (PaintsFromCache())
        PaintClient(m, client);
      else
        previous(m);
      return;
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
      previous(m);
      if (SkinActive()) InvalidateRect(client, nullptr, TRUE);
      return;
    default:
      previous(m);
  }
}

// --- scroll bars ---

bool TkMDIForm::ClientKeepsRange() const {
  return (GetWindowLongA(Client(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

void TkMDIForm::ChildrenRange(int kind, SCROLLINFO& info) const {
  // What the system keeps for a scrolling client: the children and the client area together,
  // the client's origin at position 0.
  const HWND client = Client();
  RECT area{};
  GetClientRect(client, &area);
  RECT all = area;
  for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
    UnionRect(&all, &all, &r);
  }
  const bool vertical = kind == SB_VERT;
  info.nMin = vertical ? all.top : all.left;
  info.nMax = (vertical ? all.bottom : all.right) - 1;
  info.nPage = static_cast<UINT>(vertical ? area.bottom : area.right);
  info.nPos = 0;
}

bool TkMDIForm::GetMDIScrollInfo(int kind, SCROLLINFO& info) {
  if (!FForm->GetActiveMDIChild()) return false;
  info = SCROLLINFO{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  // Wine's client drops its bars for good once its children fit and keeps no range after.
  if (!ClientKeepsRange())
    ChildrenRange(kind, info);
  else if (!GetScrollInfo(Client(), kind, &info))
    return false;
  if (info.nMax - info.nMin < static_cast<int>(info.nPage)) return false;
  const int minimum = info.nMin;
  ScrollMinimum[kind == SB_VERT ? 1 : 0] = minimum;
  info.nMax = info.nMax - static_cast<int>(info.nPage) - info.nMin + 1;
  info.nPos -= info.nMin;
  info.nMin = 0;
  if (kind == SB_HORZ && info.nMax == minimum) return false;
  if (info.nPage == 0) info.nPage = kDefaultPage;
  return true;
}

void TkMDIForm::BarMoved(bool vertical) {
  TkScrollBar* bar = vertical ? FVertBar : FHorzBar;
  if (!bar || FBarsChanging || ScrollHandling) return;
  ScrollHandling = true;
  bar->GetSkinData()->Updating = true;
  const int position = ScrollMinimum[vertical ? 1 : 0] + bar->GetPosition();
  const UINT msg = vertical ? WM_VSCROLL : WM_HSCROLL;
  if (ClientKeepsRange()) {
    SendMessageA(Client(), msg, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
  } else {
    // A client without a range of its own cannot scroll: its children move as it would move them.
    ScrollWindowEx(Client(), vertical ? 0 : -position, vertical ? -position : 0, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  }
  bar->GetSkinData()->Updating = false;
  ScrollHandling = false;
}

void TkMDIForm::BarReleased() {
  RECT r{};
  GetClientRect(Client(), &r);
  SendMessageA(Client(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
  fw::Application->ProcessMessages();
  UpdateMDIScrollBars();
}

TkScrollBar* TkMDIForm::MakeBar(bool vertical) {
  FBarsChanging = true;
  auto* bar = fw::New<TkScrollBar>(FForm);
  bar->GetSkinData()->SetSkinManager(FProvider->GetSkinData()->GetSkinManager());
  bar->SetVisible(false);
  bar->SetLinkedControl(FForm);
  bar->SetTabStop(false);
  bar->SetKind(vertical ? fw::sbVertical : fw::sbHorizontal);
  bar->OnPosChange = [this, vertical](fw::TObject*, int) { BarMoved(vertical); };
  bar->OnMouseUp = [this](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { BarReleased(); };
  bar->SetParent(FForm);
  FBarsChanging = false;
  return bar;
}

void TkMDIForm::UpdateMDIScrollBars() {
  if (!FForm || !MDIAreaScrolling || !FForm->HandleAllocated()) return;
  int bottom = 0, right = 0;
  for (int i = 0; i < FForm->GetControlCount(); ++i) {
    fw::TControl* c = FForm->GetControls(i);
    if (c->GetAlign() == fw::alBottom) bottom += c->GetHeight();
    if (c->GetAlign() == fw::alRight) right += c->GetWidth();
  }
  SCROLLINFO info[2]{};  // horizontal, vertical
  bool needed[2] = {false, false};
  fw::TCustomForm* active = FForm->GetActiveMDIChild();
  if (SkinActive() && active && !IsZoomedForm(active)) {
    needed[1] = GetMDIScrollInfo(SB_VERT, info[1]);
    needed[0] = GetMDIScrollInfo(SB_HORZ, info[0]);
  }
  const fw::TRect client = FForm->GetClientRect();
  const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  auto place = [&](bool vertical) {
    TkScrollBar*& bar = vertical ? FVertBar : FHorzBar;
    const SCROLLINFO& si = info[vertical ? 1 : 0];
    if (!needed[vertical ? 1 : 0]) {
      if (bar) bar->SetVisible(false);
      return;
    }
    if (!bar) bar = MakeBar(vertical);
    FBarsChanging = true;
    bar->GetSkinData()->Updating = true;
    bar->SetParams(si.nPos, 0, si.nMax);
    bar->SetPageSize(static_cast<int>(si.nPage));
    bar->GetSkinData()->Updating = false;
    FBarsChanging = false;
    bar->GetSkinData()->BGChanged = true;
    if (vertical)
      bar->SetBounds(client.Width() - cx - 2 - right, AlignedSize(fw::alTop), cx + 1,
                     MDIClientHeight() - (needed[0] ? cy : 0) - 1);
    else
      bar->SetBounds(AlignedSize(fw::alLeft), client.Height() - cy - 2 - bottom,
                     MDIClientWidth() - (FVertBar && FVertBar->GetVisible() ? FVertBar->GetWidth() : 0), cy + 1);
    bar->SetVisible(true);
    bar->BringToFront();
  };
  place(true);
  place(false);
  if (FVertBar && FVertBar->GetVisible() && FHorzBar && FHorzBar->GetVisible()) {
    if (!FGrip) {
      FGrip = fw::New<TkGrip>(FForm);
      FGrip->GetSkinData()->SetSkinManager(FProvider->GetSkinData()->GetSkinManager());
      FGrip->SetLinkedControl(FForm);
      FGrip->SetParent(FForm);
    }
    FGrip->SetBounds(FVertBar->GetLeft() + 1, FHorzBar->GetTop() + 1, FVertBar->GetWidth() - 1,
                     FHorzBar->GetHeight() - 1);
    FGrip->SetVisible(true);
    FGrip->BringToFront();
  } else if (FGrip) {
    FGrip->SetVisible(false);
  }
}

// --- the maximized child's menu item ---

void TkMDIForm::UpdateMDIIconItem() {
  fw::TMainMenu* menu = FForm->GetMenu();
  fw::TMenuItem* items = menu ? menu->GetItems() : nullptr;
  const bool first = items && items->GetCount() > 0 && items->GetItems(0) == FIconItem;
  if (items && IsZoomedForm(FForm->GetActiveMDIChild())) {
    if (!first) {
      FProvider->GetSkinData()->BeginUpdate();
      fw::Application->ProcessMessages();
      if (FIconItem->GetParent()) FIconItem->GetParent()->Remove(FIconItem);
      items->Insert(0, FIconItem);
      FProvider->GetSkinData()->EndUpdate();
      FProvider->RepaintNonClient();
    }
  } else if (first) {
    items->Remove(FIconItem);
    FProvider->RefreshMainMenu();
  }
  if (!ScrollHandling) UpdateMDIScrollBars();
}

}  // namespace skin
