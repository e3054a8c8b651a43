#include "skin/controls/combo_box_ex.h"

#include "framework/graphics/canvas.h"
#include "framework/stdctrls/text_painter.h"
#include "skin/engine/glyphs_text.h"

namespace skin {

namespace {
// The window message that hands the image list to the window.
constexpr UINT kSetImageList = 1026;
constexpr int kIndentStep = 16;
}  // namespace

fw::TRect ComboExImageRect(const fw::TRect& item, bool editArea, int controlHeight, int imageWidth, int imageHeight,
                           int indent) {
  if (editArea) {
    const int top = (controlHeight - imageHeight) / 2;
    return fw::TRect(top, top, top + imageWidth, top + imageHeight);
  }
  const int top = item.Top + (item.Height() - imageHeight) / 2;
  int left = item.Left + (item.Height() - imageHeight) / 2;
  if (indent >= 1) left += indent * kIndentStep;
  return fw::TRect(left, top, left + imageWidth, top + imageHeight);
}

void TkComboItem::SetCaption(const std::string& value) {
  FCaption = value;
  if (auto* items = dynamic_cast<TkComboItems*>(GetCollection())) items->Combo()->ItemsExChanged();
}

TkComboItems::TkComboItems(TkCustomComboBoxEx* owner)
    : fw::TCollection(nullptr, ItemFactory<TkComboItem>()), FCombo(owner) {}

TkComboItem* TkComboItems::AddItem(const std::string& caption, int imageIndex, int selectedImageIndex,
                                   int overlayImageIndex, int indent, void* data) {
  auto* item = static_cast<TkComboItem*>(Add());
  item->SetImageIndex(imageIndex);
  item->SetSelectedImageIndex(selectedImageIndex);
  item->SetOverlayImageIndex(overlayImageIndex);
  item->SetIndend(indent);
  item->SetData(data);
  item->SetCaption(caption);
  return item;
}

TkCustomComboBoxEx::TkCustomComboBoxEx(fw::TComponent* owner)
    : TkCommonComboBox(owner), FItemsEx(std::make_unique<TkComboItems>(this)) {
  SetStyle(fw::csDropDown);
  SetStyle(fw::csOwnerDrawVariable);
}

TkCustomComboBoxEx::~TkCustomComboBoxEx() = default;

void TkCustomComboBoxEx::Clear() {
  TkCommonComboBox::Clear();
  FItemsEx->Clear();
}

void TkCustomComboBoxEx::FillItems() {
  fw::TStrings* items = GetItems();
  items->BeginUpdate();
  items->Clear();
  for (int i = 0; i < FItemsEx->GetCount(); ++i) items->AddObject(FItemsEx->GetItem(i)->GetCaption(), FItemsEx->GetItem(i));
  items->EndUpdate();
}

void TkCustomComboBoxEx::ItemsExChanged() {
  if (!HandleAllocated()) {
    FItemsPending = true;
    return;
  }
  const int index = GetItemIndex();
  FillItems();
  if (index >= 0 && index < FItemsEx->GetCount()) Perform(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TkCustomComboBoxEx::CreateWnd() {
  TkCommonComboBox::CreateWnd();
  if (FItemsPending) {
    FItemsPending = false;
    FillItems();
    if (FStoredIndex >= 0) Perform(CB_SETCURSEL, static_cast<WPARAM>(FStoredIndex), 0);
  }
  if (FImages) PostMessageA(GetHandle(), kSetImageList, 0, reinterpret_cast<LPARAM>(FImages->GetHandle()));
  UpdateMargins();
}

void TkCustomComboBoxEx::SetImages(fw::TCustomImageList* value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (value) {
    value->FreeNotification(this);
    if (HandleAllocated()) PostMessageA(GetHandle(), kSetImageList, 0, reinterpret_cast<LPARAM>(value->GetHandle()));
    if (GetItemHeight() < value->GetHeight()) SetItemHeight(value->GetHeight());
  } else if (HandleAllocated()) {
    SendMessageA(GetHandle(), kSetImageList, 0, 0);
    RecreateWnd();
  }
  UpdateMargins();
}

void TkCustomComboBoxEx::Notification(fw::TComponent* component, fw::TOperation operation) {
  TkCommonComboBox::Notification(component, operation);
  if (operation == fw::opRemove && component == FImages) FImages = nullptr;
}

void TkCustomComboBoxEx::UpdateMargins() {
  if (!HandleAllocated()) return;
  if (HWND edit = EditHandle()) {
    const int margin = FImages && GetItemIndex() >= 0 ? FImages->GetWidth() : 0;
    SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(margin, 0));
  }
  Invalidate();
}

TkComboItem* TkCustomComboBoxEx::ItemAt(int index) const {
  return index >= 0 && index < FItemsEx->GetCount() ? FItemsEx->GetItem(index) : nullptr;
}

std::string TkCustomComboBoxEx::CaptionOf(int index) const {
  if (const TkComboItem* item = ItemAt(index)) return item->GetCaption();
  return index >= 0 && index < GetItems()->GetCount() ? GetItems()->GetStrings(index) : std::string();
}

fw::TRect TkCustomComboBoxEx::ImageRect(int index, const fw::TRect& rect, bool editArea) const {
  if (!FImages) return fw::TRect(rect.Left, rect.Top, rect.Left, rect.Top);
  const TkComboItem* item = ItemAt(index);
  return ComboExImageRect(rect, editArea, GetHeight(), FImages->GetWidth(), FImages->GetHeight(),
                          item ? item->GetIndend() : -1);
}

void TkCustomComboBoxEx::DrawImage(int index, const fw::TRect& r, bool selectedRow) {
  const TkComboItem* item = ItemAt(index);
  if (!FImages || !item) return;
  const int image = selectedRow && item->GetSelectedImageIndex() >= 0 ? item->GetSelectedImageIndex()
                                                                       : item->GetImageIndex();
  if (image < 0) return;
  FImages->Draw(Canvas(), r.Left, r.Top, image, GetEnabled());
  if (item->GetOverlayImageIndex() >= 0) FImages->Draw(Canvas(), r.Left, r.Top, item->GetOverlayImageIndex(), GetEnabled());
}

void TkCustomComboBoxEx::DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  fw::TCanvas* canvas = Canvas();
  const bool editArea = state.Contains(fw::odComboBoxEdit);
  const bool selected = state.Contains(fw::odSelected);
  const fw::TRect image = ImageRect(index, rect, editArea);
  fw::TRect r = rect;
  if (editArea) {
    r.Right -= ButtonRect().Width();
    const bool focused = GetSkinData()->FocusSet || state.Contains(fw::odFocused);
    canvas->GetBrush()->SetColor(!focused || GetDroppedDown() ? GetColor() : fw::clHighlight);
    canvas->FillRect(r);
    InflateRect(fw::AsRECT(r), -3, -3);
    canvas->GetFont()->SetColor(state.Contains(fw::odFocused) ? fw::clHighlightText : GetFont()->GetColor());
  } else {
    canvas->GetBrush()->SetColor(selected ? fw::clHighlight : GetColor());
    canvas->GetFont()->SetColor(selected ? fw::clHighlightText : GetFont()->GetColor());
    canvas->FillRect(r);
  }
  if (index < 0) return;
  DrawImage(index, image, selected && !editArea);
  fw::TRect text(image.Width() > 0 ? image.Right + 5 : r.Left + 2, r.Top, editArea ? r.Right - 3 : r.Right, r.Bottom);
  canvas->GetBrush()->SetStyle(fw::bsClear);
  fw::DrawTextUtf8(canvas->GetHandle(), CaptionOf(index), *fw::AsRECT(text),
                   DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  canvas->GetBrush()->SetStyle(fw::bsSolid);
  if (selected && !editArea) canvas->DrawFocusRect(rect);
}

void TkCustomComboBoxEx::DrawSkinItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
  if (!state.Contains(fw::odComboBoxEdit)) {
    DrawItem(index, rect, state);
    return;
  }
  if (index < 0) return;
  fw::TCanvas* canvas = Canvas();
  const fw::TRect image = ImageRect(index, rect, true);
  DrawImage(index, image, false);
  fw::TRect text(image.Width() > 0 ? image.Right + 5 : rect.Left + 2, rect.Top, ButtonRect().Left - 3, rect.Bottom);
  if (GetSkinData()->FocusSet || state.Contains(fw::odFocused)) {
    canvas->GetBrush()->SetColor(fw::clHighlight);
    canvas->FillRect(text);
    canvas->GetFont()->SetColor(fw::clHighlightText);
    canvas->GetBrush()->SetStyle(fw::bsClear);
    fw::DrawTextUtf8(canvas->GetHandle(), CaptionOf(index), *fw::AsRECT(text), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    canvas->GetBrush()->SetStyle(fw::bsSolid);
    canvas->DrawFocusRect(text);
    return;
  }
  canvas->GetBrush()->SetStyle(fw::bsClear);
  WriteSkinText(canvas, CaptionOf(index), GetEnabled(), StateIndex(), GetSkinData(),
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, text);
  canvas->GetBrush()->SetStyle(fw::bsSolid);
}

}  // namespace skin
