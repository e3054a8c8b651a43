#include "skin/controls/frame_bar.h"

#include "framework/graphics/canvas.h"
#include "framework/stdctrls/text_painter.h"

namespace skin {

TkTitleItem::TkTitleItem(fw::TCollection* collection) : fw::TCollectionItem(collection) {}

TkFrameBar* TkTitleItem::Bar() const {
  auto* items = dynamic_cast<TkTitleItems*>(GetCollection());
  return items ? items->GetBar() : nullptr;
}

void TkTitleItem::SetCaption(const std::string& value) {
  FCaption = value;
  if (TkFrameBar* bar = Bar()) bar->Invalidate();
}

void TkTitleItem::SetImageIndex(int value) {
  FImageIndex = value;
  if (TkFrameBar* bar = Bar()) bar->Invalidate();
}

void TkTitleItem::SetVisible(bool value) {
  FVisible = value;
  if (TkFrameBar* bar = Bar()) bar->ArrangeItems();
}

TkTitleItems::TkTitleItems(TkFrameBar* bar)
    : fw::TCollection(bar, fw::TCollection::ItemFactory<TkTitleItem>()), FBar(bar) {}

TkFrameBar::TkFrameBar(fw::TComponent* owner) : fw::TCustomControl(owner), FItems(std::make_unique<TkTitleItems>(this)) {
  SetBounds(0, 0, 131, 200);
  SetColor(fw::clBtnFace);
}

TkFrameBar::~TkFrameBar() = default;

void TkFrameBar::SetImages(fw::TCustomImageList* images) {
  if (FImages == images) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TkFrameBar::SetTitleHeight(int value) {
  FTitleHeight = value;
  ArrangeItems();
}

void TkFrameBar::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TCustomControl::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FImages) FImages = nullptr;
  for (int i = 0; i < FItems->GetCount(); ++i)
    if (FItems->GetItems(i)->FFrame == component) FItems->GetItems(i)->FFrame = nullptr;
}

void TkFrameBar::OpenItem(int index, bool /*animate*/) {
  TkTitleItem* item = FItems->GetItems(index);
  if (!item->FFrame && item->OnCreateFrame) {
    fw::TFrame* frame = nullptr;
    item->OnCreateFrame(item, frame);
    if (frame) {
      item->FFrame = frame;
      frame->FreeNotification(this);
      frame->SetVisible(false);
      frame->SetParent(this);
    }
  }
  item->FOpened = true;
  if (!FAllowAllOpen)
    for (int i = 0; i < FItems->GetCount(); ++i)
      if (i != index) FItems->GetItems(i)->FOpened = false;
  ArrangeItems();
}

void TkFrameBar::CloseItem(int index) {
  FItems->GetItems(index)->FOpened = false;
  ArrangeItems();
}

fw::TRect TkFrameBar::TitleRect(int index) const {
  int y = 0;
  for (int i = 0; i < FItems->GetCount(); ++i) {
    TkTitleItem* item = FItems->GetItems(i);
    if (!item->FVisible) continue;
    if (i == index) return fw::TRect(0, y, GetClientWidth(), y + FTitleHeight);
    y += FTitleHeight;
    if (item->FOpened && item->FFrame) y += item->FFrame->GetHeight();
  }
  return fw::TRect();
}

void TkFrameBar::ArrangeItems() {
  int y = 0;
  for (int i = 0; i < FItems->GetCount(); ++i) {
    TkTitleItem* item = FItems->GetItems(i);
    bool shown = item->FVisible && item->FOpened;
    if (item->FVisible) y += FTitleHeight;
    if (!item->FFrame) continue;
    if (shown) {
      item->FFrame->SetBounds(0, y, GetClientWidth(), item->FFrame->GetHeight());
      y += item->FFrame->GetHeight();
    }
    item->FFrame->SetVisible(shown);
  }
  Invalidate();
}

void TkFrameBar::Resize() {
  fw::TCustomControl::Resize();
  ArrangeItems();
}

void TkFrameBar::Paint() {
  fw::TCanvas* canvas = GetCanvas();
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(GetClientRect());
  for (int i = 0; i < FItems->GetCount(); ++i) {
    TkTitleItem* item = FItems->GetItems(i);
    if (!item->FVisible) continue;
    fw::TRect r = TitleRect(i);
    HDC dc = canvas->GetHandle();
    RECT edge = r;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
    canvas->GetBrush()->SetColor(fw::clBtnShadow);
    canvas->FillRect(fw::TRect(edge));
    int textLeft = r.Left + 6;
    if (FImages && item->FImageIndex >= 0) {
      FImages->Draw(canvas, r.Left + 4, r.Top + (r.Height() - FImages->GetHeight()) / 2, item->FImageIndex, GetEnabled());
      textLeft += FImages->GetWidth() + 4;
    }
    canvas->GetBrush()->SetStyle(fw::bsClear);
    canvas->GetFont()->SetColor(GetEnabled() ? fw::clHighlightText : fw::clBtnFace);
    canvas->GetFont()->SetStyle(fw::TFontStyles{fw::fsBold});
    RECT text{textLeft, r.Top, r.Right - 4, r.Bottom};
    fw::DrawTextUtf8(canvas->GetHandle(), item->FCaption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    canvas->GetBrush()->SetStyle(fw::bsSolid);
  }
}

void TkFrameBar::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  fw::TCustomControl::MouseDown(button, shift, x, y);
  if (button != fw::mbLeft) return;
  for (int i = 0; i < FItems->GetCount(); ++i) {
    fw::TRect r = TitleRect(i);
    if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) continue;
    if (FItems->GetItems(i)->FOpened)
      CloseItem(i);
    else
      OpenItem(i, true);
    return;
  }
}

}  // namespace skin
