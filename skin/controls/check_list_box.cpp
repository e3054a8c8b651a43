#include "skin/controls/check_list_box.h"

#include "framework/stdctrls/text_painter.h"
#include "skin/controls/check_button.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

fw::TSize SystemCheckSize{13, 13};

const char* GlyphName(fw::TCheckBoxState state) {
  switch (state) {
    case fw::cbChecked: return "SMALLCHECKED";
    case fw::cbGrayed: return "SMALLGRAYED";
    default: return "SMALLUNCHECKED";
  }
}

RECT Win(const fw::TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

// One line's text, single-line and vertically centred, in the font and colour.
void DrawLineText(HDC dc, fw::TFont* font, fw::TColor colour, const std::string& text, const fw::TRect& r) {
  const HGDIOBJ old = SelectObject(dc, font->GetHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, fw::ColorToRGB(colour));
  RECT rect = Win(r);
  fw::DrawTextUtf8(dc, text, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old);
}

}  // namespace

fw::TCheckBoxState NextCheckState(fw::TCheckBoxState state, bool allowGrayed) {
  switch (state) {
    case fw::cbUnchecked: return allowGrayed ? fw::cbGrayed : fw::cbChecked;
    case fw::cbChecked: return fw::cbUnchecked;
    default: return fw::cbChecked;
  }
}

void MeasureCheckListGlyph() {
  HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECKBOXES));
  BITMAP info{};
  if (bitmap && GetObjectA(bitmap, sizeof(info), &info)) SystemCheckSize = fw::TSize{info.bmWidth / 4, info.bmHeight / 3};
  if (bitmap) DeleteObject(bitmap);
}

TkCheckListBox::TkCheckListBox(fw::TComponent* owner) : TkSkinListBox(owner) {}

TkCheckListBox::~TkCheckListBox() { FreeWrappers(); }

void TkCheckListBox::SetHeaderSkin(const std::string& value) { SetAndRepaint(FHeaderSkin, value); }

TkCheckListBoxDataWrapper* TkCheckListBox::Wrapper(int index) const {
  if (index < 0) return nullptr;
  const LRESULT data = Send(LB_GETITEMDATA, static_cast<WPARAM>(index));
  if (data == LB_ERR) ListIndexError(index);
  auto* wrapper = reinterpret_cast<TkCheckListBoxDataWrapper*>(data);
  return FWrappers.count(wrapper) ? wrapper : nullptr;
}

TkCheckListBoxDataWrapper* TkCheckListBox::NeedWrapper(int index) {
  if (TkCheckListBoxDataWrapper* wrapper = Wrapper(index)) return wrapper;
  auto* wrapper = new TkCheckListBoxDataWrapper;
  FWrappers.insert(wrapper);
  TkSkinListBox::SetItemData(index, wrapper);
  return wrapper;
}

void TkCheckListBox::FreeWrappers() {
  for (TkCheckListBoxDataWrapper* wrapper : FWrappers) delete wrapper;
  FWrappers.clear();
}

void* TkCheckListBox::GetItemData(int index) const {
  const TkCheckListBoxDataWrapper* wrapper = Wrapper(index);
  return wrapper ? wrapper->Data : nullptr;
}

void TkCheckListBox::SetItemData(int index, void* data) {
  TkCheckListBoxDataWrapper* wrapper = NeedWrapper(index);
  wrapper->Data = data;
  if (FSavedNext < FSavedStates.size()) {
    const int saved = FSavedStates[FSavedNext++];
    wrapper->State = static_cast<fw::TCheckBoxState>(saved >> 16);
    wrapper->Disabled = (saved & 1) != 0;
  }
}

void TkCheckListBox::ResetContent() {
  FreeWrappers();
  TkSkinListBox::ResetContent();
}

void TkCheckListBox::DeleteString(int index) {
  if (TkCheckListBoxDataWrapper* wrapper = Wrapper(index)) {
    FWrappers.erase(wrapper);
    delete wrapper;
  }
  TkSkinListBox::DeleteString(index);
}

void TkCheckListBox::DestroyWnd() {
  FSavedStates.clear();
  FSavedNext = 0;
  const int count = HandleAllocated() ? GetCount() : 0;
  for (int i = 0; i < count; ++i) {
    const TkCheckListBoxDataWrapper* wrapper = Wrapper(i);
    FSavedStates.push_back(wrapper ? (static_cast<int>(wrapper->State) << 16) | (wrapper->Disabled ? 1 : 0) : 0);
  }
  TkSkinListBox::DestroyWnd();
}

void TkCheckListBox::CreateWnd() {
  TkSkinListBox::CreateWnd();
  FSavedStates.clear();
  FSavedNext = 0;
}

fw::TCheckBoxState TkCheckListBox::GetState(int index) const {
  const TkCheckListBoxDataWrapper* wrapper = Wrapper(index);
  return wrapper ? wrapper->State : fw::cbUnchecked;
}

void TkCheckListBox::SetState(int index, fw::TCheckBoxState state) {
  if (GetState(index) == state) return;
  NeedWrapper(index)->State = state;
  InvalidateCheck(index);
}

bool TkCheckListBox::GetItemEnabled(int index) const {
  if (index < 0 || index >= GetCount()) return false;
  const TkCheckListBoxDataWrapper* wrapper = Wrapper(index);
  return !wrapper || !wrapper->Disabled;
}

void TkCheckListBox::SetItemEnabled(int index, bool value) {
  if (GetItemEnabled(index) == value) return;
  NeedWrapper(index)->Disabled = !value;
  RedrawItem(index);
}

bool TkCheckListBox::GetHeader(int index) const {
  const TkCheckListBoxDataWrapper* wrapper = Wrapper(index);
  return wrapper && wrapper->Header;
}

void TkCheckListBox::SetHeader(int index, bool value) {
  if (GetHeader(index) == value) return;
  NeedWrapper(index)->Header = value;
  RedrawItem(index);
}

fw::TSize TkCheckListBox::GlyphSize() const {
  const TkSkinManager* manager = GetSkinData()->GetSkinManager();
  const int mask = GetSkinData()->SkinIsActive() ? GlobalMaskIndex(manager, "SMALLCHECKED") : -1;
  return mask < 0 ? SystemCheckSize : MaskFrameSize(manager->GetMasks()[mask]);
}

int TkCheckListBox::CheckWidth() const { return GlyphSize().cx + 2; }

void TkCheckListBox::InvalidateCheck(int index) {
  if (GetHeader(index) || !HandleAllocated()) return;
  fw::TRect r = ItemRect(index);
  r.Right = r.Left + CheckWidth();
  const RECT rect = Win(r);
  InvalidateRect(GetHandle(), &rect, !GetControlStyle().Contains(fw::csOpaque));
  UpdateWindow(GetHandle());
}

void TkCheckListBox::ToggleClickCheck(int index) {
  if (index < 0 || index >= GetCount() || !GetItemEnabled(index)) return;
  SetState(index, NextCheckState(GetState(index), FAllowGrayed));
  ClickCheck();
}

void TkCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

void TkCheckListBox::KeyPress(char& key) {
  if (key == ' ') {
    ToggleClickCheck(GetItemIndex());
    return;
  }
  TkSkinListBox::KeyPress(key);
}

void TkCheckListBox::WndProc(fw::TMessage& m) {
  if (m.Msg == WM_DESTROY) FreeWrappers();
  TkSkinListBox::WndProc(m);
  if (m.Msg != WM_LBUTTONDOWN) return;
  const fw::TPoint p(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
  const int index = ItemAtPos(p);
  if (index < 0 || !GetItemEnabled(index) || GetHeader(index)) return;
  const fw::TRect r = ItemRect(index);
  if (p.X - r.Left < CheckWidth()) ToggleClickCheck(index);
}

void TkCheckListBox::Dispatch(fw::TMessage& m) {
  if (m.Msg == fw::CN_DRAWITEM && !Skinned()) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    const int index = static_cast<int>(static_cast<INT>(draw->itemID));
    if (index >= 0 && index < GetCount() && !GetHeader(index)) draw->rcItem.left += CheckWidth();
  }
  TkSkinListBox::Dispatch(m);
}

void TkCheckListBox::DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
  if (index < 0 || index >= GetCount()) return;
  if (Skinned())
    DrawSkinnedItem(index, rect, state);
  else
    DrawPlainItem(index, rect, state);
}

void TkCheckListBox::DrawHeaderText(fw::TCanvas* canvas, int index, fw::TRect r) {
  DrawLineText(canvas->GetHandle(), canvas->GetFont(), canvas->GetFont()->GetColor(), GetItems()->GetStrings(index), r);
}

void TkCheckListBox::DrawSystemCheck(HDC dc, const fw::TRect& area, fw::TCheckBoxState state, bool enabled) {
  const fw::TSize size = SystemCheckSize;
  const int left = area.Left + (area.Width() - size.cx) / 2, top = area.Top + (area.Height() - size.cy) / 2;
  RECT glyph{left, top, left + size.cx, top + size.cy};
  UINT flags = DFCS_BUTTONCHECK;
  if (state == fw::cbChecked) flags |= DFCS_CHECKED;
  if (state == fw::cbGrayed) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
  if (!enabled) flags |= DFCS_INACTIVE;
  const int saved = SaveDC(dc);
  RECT clip = glyph;
  InflateRect(&clip, -2, -2);
  IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  DrawFrameControl(dc, &glyph, DFC_BUTTON, flags);
  RestoreDC(dc, saved);
  RECT square = glyph;
  InflateRect(&square, -1, -1);
  HBRUSH shadow = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
  FrameRect(dc, &square, shadow);
  DeleteObject(shadow);
}

void TkCheckListBox::DrawPlainItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
  fw::TCanvas* canvas = GetCanvas();
  const bool header = GetHeader(index);
  if (header && !OnDrawItem) {
    canvas->GetFont()->SetColor(FHeaderColor);
    canvas->GetBrush()->SetColor(FHeaderBackgroundColor);
    TkSkinListBox::DrawItem(index, rect, state);
    return;
  }
  canvas->FillRect(rect);
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  const bool enabled = GetItemEnabled(index);
  RECT text{rect.Left + 2, rect.Top, rect.Right, rect.Bottom};
  SetBkMode(canvas->GetHandle(), TRANSPARENT);
  if (!enabled) SetTextColor(canvas->GetHandle(), GetSysColor(COLOR_GRAYTEXT));
  fw::DrawTextUtf8(canvas->GetHandle(), GetItems()->GetStrings(index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  const fw::TRect area(rect.Left - CheckWidth(), rect.Top, rect.Left, rect.Bottom);
  const RECT areaRect = Win(area);
  FillRect(canvas->GetHandle(), &areaRect, GetSysColorBrush(COLOR_WINDOW));
  DrawSystemCheck(canvas->GetHandle(), area, GetState(index), enabled);
  if (state.Contains(fw::odFocused)) {
    const RECT focus = Win(rect);
    DrawFocusRect(canvas->GetHandle(), &focus);
  }
}

void TkCheckListBox::DrawSkinnedItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
  TkCommonData* d = GetSkinData();
  TkSkinManager* manager = d->GetSkinManager();
  const bool header = GetHeader(index);
  if (header && d->GetCustomColor()) {
    GetCanvas()->GetFont()->SetColor(FHeaderColor);
    GetCanvas()->GetBrush()->SetColor(FHeaderBackgroundColor);
    TkSkinListBox::DrawItem(index, rect, state);
    return;
  }
  if (d->BGChanged || !d->CacheBmp) PaintCache();
  const int w = rect.Width(), h = rect.Height();
  std::unique_ptr<fw::TBitmap> item = CreateBitmap24(w, h);
  fw::TCanvas* canvas = item->GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  BitBlt(canvas->GetHandle(), 0, 0, w, h, d->CacheBmp->GetCanvas()->GetHandle(), rect.Left + 2, rect.Top + 2, SRCCOPY);
  const bool selected = state.Contains(fw::odSelected);
  const bool enabled = GetItemEnabled(index);
  const int width = CheckWidth();
  const fw::TRect text = header ? fw::TRect(0, 0, w, h) : fw::TRect(width, 0, w, h);
  if (header) {
    const int section = FHeaderSkin.empty() ? -1 : manager->GetSkinIndex(FHeaderSkin);
    if (section >= 0) {
      PaintSkinSection(section, FHeaderSkin, fw::TRect(0, 0, w, h), fw::clFuchsia, -1, -1, manager, item.get(),
                       fw::TPoint(0, 0), EmptyBgRef, 0);
      canvas->GetFont()->SetColor(manager->GetSections()[section].HotFontColor[0]);
    } else {
      const fw::TColor fill = manager->GetCommonIndexes().GlobalInfo >= 0 ? manager->GetGlobalColor() : GetColor();
      canvas->GetBrush()->SetColor(fill);
      canvas->FillRect(fw::TRect(0, 0, w, h));
      canvas->GetFont()->SetColor(manager->GetGlobalFontColor());
    }
    if (!OnDrawItem) DrawHeaderText(canvas, index, text);
  } else {
    if (selected) {
      canvas->GetBrush()->SetColor(fw::clHighlight);
      canvas->FillRect(text);
    }
    const fw::TRect area(0, 0, width, h);
    const int mask = GlobalMaskIndex(manager, GlyphName(GetState(index)));
    if (mask >= 0) {
      const fw::TSize size = MaskFrameSize(manager->GetMasks()[mask]);
      const fw::TPoint at(area.Left + (area.Width() - size.cx) / 2, (h - size.cy) / 2);
      if (enabled) {
        DrawMaskGlyphFrame(item.get(), at, 0, manager->GetMasks()[mask], 1);
      } else {
        std::unique_ptr<fw::TBitmap> glyph = CreateBitmap24(size.cx, size.cy);
        glyph->GetCanvas()->GetBrush()->SetColor(fw::clFuchsia);
        glyph->GetCanvas()->FillRect(fw::TRect(0, 0, size.cx, size.cy));
        DrawMaskGlyphFrame(glyph.get(), fw::TPoint(0, 0), 0, manager->GetMasks()[mask], 1);
        BlendBitmapRect(item.get(), at.X, at.Y, fw::clFuchsia, 0.4, fw::TRect(0, 0, size.cx - 1, size.cy - 1), glyph.get());
      }
    } else {
      DrawSystemCheck(canvas->GetHandle(), area, GetState(index), enabled);
    }
    if (!OnDrawItem) {
      fw::TRect r = text;
      r.Left += 2;
      if (enabled && GetEnabled()) {
        // Selected lines in the highlight text colour, others in the section's font colour.
        const TkGeneralData* section = d->Section();
        const fw::TColor colour = selected ? fw::clHighlightText
                                  : section && !d->GetCustomFont() ? section->FontColor[0]
                                                                   : GetFont()->GetColor();
        DrawLineText(canvas->GetHandle(), canvas->GetFont(), colour, GetItems()->GetStrings(index), r);
      } else {
        WriteSkinText(canvas, GetItems()->GetStrings(index), false, 0, d, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, r);
      }
    }
  }
  if (state.Contains(fw::odFocused)) {
    const RECT focus = Win(text);
    DrawFocusRect(canvas->GetHandle(), &focus);
  }
  BitBlt(GetCanvas()->GetHandle(), rect.Left, rect.Top, w, h, canvas->GetHandle(), 0, 0, SRCCOPY);
  if (OnDrawItem) {
    fw::TRect r = rect;
    if (!header) r.Left += width + 2;
    OnDrawItem(this, index, r, state);
  }
}

}  // namespace skin
