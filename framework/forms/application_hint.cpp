#include "framework/forms/application_hint.h"

#include "framework/rtl/wide_text.h"

namespace fw {

std::string GetShortHint(const std::string& hint) {
  auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

TApplicationHint::~TApplicationHint() {
  KillTimer(FOwner, kTimerId);
  if (FTip) DestroyWindow(FTip);
}

void TApplicationHint::Hide() {
  if (FTip) {
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = FOwner;
    ti.uId = 1;
    SendMessageA(FTip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  }
}

void TApplicationHint::MouseControlChanged(TControl* control, bool enabled, int pause) {
  KillTimer(FOwner, kTimerId);
  Hide();
  FPending = nullptr;
  if (!enabled || !control || !control->GetShowHint()) return;
  FPending = control;
  SetTimer(FOwner, kTimerId, pause > 0 ? static_cast<UINT>(pause) : 1, nullptr);
}

void TApplicationHint::PauseElapsed(TControl* mouseControl) {
  KillTimer(FOwner, kTimerId);
  if (!FPending || FPending != mouseControl) return;
  POINT cursor;
  GetCursorPos(&cursor);
  THintInfo info;
  info.HintControl = FPending;
  info.CursorPos = FPending->ScreenToClient(TPoint(cursor.x, cursor.y));
  info.HintStr = GetShortHint(FPending->GetHint());
  info.HintPos = TPoint(cursor.x, cursor.y + 20);
  TControl* control = FPending;
  FPending = nullptr;
  if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty()) return;
  std::string text = ValidUtf8(info.HintStr);
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  ti.hwnd = FOwner;
  ti.uId = 1;
  ti.lpszText = const_cast<char*>(text.c_str());
  if (!FTip) {
    FTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0,
                           0, FOwner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!FTip) return;
    SendMessageA(FTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  } else {
    SendMessageA(FTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  }
  SendMessageA(FTip, TTM_TRACKPOSITION, 0, MAKELPARAM(info.HintPos.X, info.HintPos.Y));
  SendMessageA(FTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace fw
