#include "skin/controls/check_list_box.h"

#include <cstdint>

#include "framework/stdctrls/text_painter.h"

namespace skin {

namespace {
// Width of the check area at the left of every line.
constexpr int kCheckWidth = 16;
}  // namespace

TkCheckListBox::TkCheckListBox(fw::TComponent* owner) : TkListBox(owner) {}

void TkCheckListBox::CreateParams(fw::TCreateParams& params) {
  TkListBox::CreateParams(params);
  params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

TkCheckState TkCheckListBox::GetState(int index) const {
  if (index < 0 || index >= GetItems()->GetCount()) return cbsUnchecked;
  return static_cast<TkCheckState>(reinterpret_cast<intptr_t>(GetItems()->GetObjects(index)));
}

void TkCheckListBox::SetState(int index, TkCheckState state) {
  if (index < 0 || index >= GetItems()->GetCount()) return;
  fw::TNotifyEvent change = std::move(GetItems()->OnChange);
  GetItems()->OnChange = nullptr;
  GetItems()->SetObjects(index, reinterpret_cast<void*>(static_cast<intptr_t>(state)));
  GetItems()->OnChange = std::move(change);
  if (!HandleAllocated()) return;
  RECT rect{};
  if (Perform(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
    rect.right = rect.left + kCheckWidth;
    InvalidateRect(GetHandle(), &rect, TRUE);
  }
}

void TkCheckListBox::ToggleByUser(int index) {
  if (index < 0 || index >= GetItems()->GetCount()) return;
  SetChecked(index, !GetChecked(index));
  if (OnClickCheck) OnClickCheck(this);
}

void TkCheckListBox::DrawItem(const DRAWITEMSTRUCT& draw) {
  if (draw.itemID == static_cast<UINT>(-1)) return;
  int index = static_cast<int>(draw.itemID);
  bool selected = (draw.itemState & ODS_SELECTED) != 0;
  RECT box = draw.rcItem;
  box.right = box.left + kCheckWidth;
  FillRect(draw.hDC, &box, GetSysColorBrush(COLOR_WINDOW));
  RECT mark = box;
  InflateRect(&mark, -2, -2);
  UINT markState = DFCS_BUTTONCHECK | DFCS_FLAT;
  TkCheckState state = GetState(index);
  if (state == cbsChecked) markState |= DFCS_CHECKED;
  if (state == cbsGrayed) markState |= DFCS_CHECKED | DFCS_INACTIVE;
  DrawFrameControl(draw.hDC, &mark, DFC_BUTTON, markState);
  RECT text = draw.rcItem;
  text.left = box.right;
  FillRect(draw.hDC, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  text.left += 2;
  std::string caption = GetItems()->GetStrings(index);
  fw::DrawTextUtf8(draw.hDC, caption, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &text);
}

void TkCheckListBox::Dispatch(fw::TMessage& msg) {
  switch (msg.Msg) {
    case fw::CN_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam));
      msg.Result = TRUE;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TkListBox::Dispatch(msg);
      int x = static_cast<short>(LOWORD(msg.LParam)), y = static_cast<short>(HIWORD(msg.LParam));
      LRESULT hit = Perform(LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
      if (HIWORD(hit) == 0 && x < kCheckWidth) ToggleByUser(LOWORD(hit));
      return;
    }
    case WM_KEYDOWN:
      if (msg.WParam == VK_SPACE) {
        ToggleByUser(GetItemIndex());
        return;
      }
      break;
    default:
      break;
  }
  TkListBox::Dispatch(msg);
}

}  // namespace skin
