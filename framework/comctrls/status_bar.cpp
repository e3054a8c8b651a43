#include "framework/comctrls/status_bar.h"

#include <vector>

#include "framework/comctrls/common_controls.h"
#include "framework/rtl/wide_text.h"

namespace fw {

namespace {

// Sets the text of a part (SB_SIMPLEID: the simple panel) with its drawing flags.
void SetPartText(TStatusBar* bar, WPARAM partAndFlags, const std::string& text) {
  std::string shown = ValidUtf8(text);
  bar->Perform(SB_SETTEXTA, partAndFlags, reinterpret_cast<LPARAM>(shown.c_str()));
}

}  // namespace

// --- TStatusPanel ---

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::Changed(bool allPanels) {
  auto* panels = dynamic_cast<TStatusPanels*>(GetCollection());
  if (!panels) return;
  if (allPanels) {
    panels->GetStatusBar()->UpdatePanels(true, true);
  } else {
    panels->GetStatusBar()->UpdatePanel(GetIndex());
  }
}

void TStatusPanel::SetText(const std::string& v) {
  if (v == FText) return;
  FText = v;
  Changed(false);
}

void TStatusPanel::SetWidth(int v) {
  FWidth = v;
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment v) {
  FAlignment = v;
  Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle v) {
  FStyle = v;
  Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel v) {
  FBevel = v;
  Changed(false);
}

void TStatusPanel::SetIndex(int index) {
  TCollectionItem::SetIndex(index);
  Changed(true);
}

// --- TStatusPanels ---

TStatusPanels::TStatusPanels(TStatusBar* bar) : TCollection(nullptr, ItemFactory<TStatusPanel>()), FBar(bar) {}

TStatusPanel* TStatusPanels::Add() {
  auto* panel = static_cast<TStatusPanel*>(TCollection::Add());
  FBar->UpdatePanels(true, true);
  return panel;
}

TStatusPanel* TStatusPanels::Insert(int index) {
  auto* panel = static_cast<TStatusPanel*>(TCollection::Insert(index));
  FBar->UpdatePanels(true, true);
  return panel;
}

void TStatusPanels::Delete(int index) {
  TCollection::Delete(index);
  FBar->UpdatePanels(true, true);
}

void TStatusPanels::Clear() {
  TCollection::Clear();
  FBar->UpdatePanels(true, true);
}

// --- TStatusBar ---

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner),
      FPanels(std::make_unique<TStatusPanels>(this)),
      FCanvas(std::make_unique<TControlCanvas>(this)) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  FHeight = 19;
  FWidth = 150;
  SetParentColor(false);
  FColor = clBtnFace;
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(params);
  CreateSubClass(params, STATUSCLASSNAMEA);
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (FSizeGrip) params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdatePanels(true, true);
}

void TStatusBar::DestroyWnd() {
  FCanvas->FreeHandle();
  TWinControl::DestroyWnd();
}

void TStatusBar::DrawPanel(TStatusPanel* panel, const TRect& rect) {
  if (OnDrawPanel) OnDrawPanel(this, panel, rect);
}

void TStatusBar::DrawPanelOn(HDC dc, TStatusPanel* panel, const TRect& rect) {
  TCanvasLoan loan(FCanvas.get(), dc);
  FCanvas->GetFont()->Assign(GetFont());
  FCanvas->GetBrush()->SetColor(GetColor());
  FCanvas->GetBrush()->SetStyle(bsSolid);
  DrawPanel(panel, rect);
}

void TStatusBar::SetSimplePanel(bool v) {
  if (v == FSimplePanel) return;
  FSimplePanel = v;
  UpdatePanels(true, true);
}

void TStatusBar::SetSimpleText(const std::string& v) {
  FSimpleText = v;
  if (HandleAllocated() && FSimplePanel) SetPartText(this, SB_SIMPLEID, v);
}

void TStatusBar::SetSizeGrip(bool v) {
  if (v == FSizeGrip) return;
  FSizeGrip = v;
  RecreateWnd();
}

void TStatusBar::SetBorderWidth(int v) {
  if (v < 0 || v == FBorderWidth) return;
  FBorderWidth = v;
  if (HandleAllocated())
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TStatusBar::Dispatch(TMessage& msg) {
  if (msg.Msg == CN_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
    const int index = static_cast<int>(dis->itemID);
    if (index >= 0 && index < FPanels->GetCount()) DrawPanelOn(dis->hDC, FPanels->GetItems(index), dis->rcItem);
    msg.Result = 1;
    return;
  }
  TWinControl::Dispatch(msg);
  if (msg.Msg == WM_NCCALCSIZE && FBorderWidth > 0) {
    RECT* r = reinterpret_cast<RECT*>(msg.LParam);  // the first rectangle of either form
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
  }
}

void TStatusBar::UpdatePanel(int index) {
  if (!HandleAllocated() || FSimplePanel || index < 0 || index >= FPanels->GetCount()) return;
  TStatusPanel* panel = FPanels->GetItems(index);
  WPARAM flags = static_cast<WPARAM>(index);
  if (panel->GetStyle() == psOwnerDraw) flags |= SBT_OWNERDRAW;
  if (panel->GetBevel() == pbNone) flags |= SBT_NOBORDERS;
  if (panel->GetBevel() == pbRaised) flags |= SBT_POPOUT;
  // The native bar centres text after one tab and right-aligns it after two.
  std::string text = panel->GetText();
  if (panel->GetAlignment() == taCenter) text = "\t" + text;
  if (panel->GetAlignment() == taRightJustify) text = "\t\t" + text;
  SetPartText(this, flags, text);
}

void TStatusBar::UpdatePanels(bool updateRects, bool updateText) {
  if (!HandleAllocated()) return;
  if (FSimplePanel) {
    Perform(SB_SIMPLE, 1, 0);
    SetPartText(this, SB_SIMPLEID, FSimpleText);
    return;
  }
  Perform(SB_SIMPLE, 0, 0);
  int count = FPanels->GetCount();
  if (updateRects) {
    std::vector<int> edges(count > 0 ? count : 1, -1);
    int right = 0;
    for (int i = 0; i < count; ++i) {
      right += FPanels->GetItems(i)->GetWidth();
      edges[i] = i == count - 1 ? -1 : right;
    }
    Perform(SB_SETPARTS, static_cast<WPARAM>(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
  }
  if (updateText) {
    if (count == 0) Perform(SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
    for (int i = 0; i < count; ++i) UpdatePanel(i);
  }
}

}  // namespace fw
