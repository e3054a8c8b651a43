// Answers the shell's modal browse dialog of a TSvCustomBrowser from its OnShow: the selection is
// asked for until the component reports it (the first dialog of a process can miss the first
// request while the shell namespace fills), then OK or Cancel is pressed.
#pragma once
#include "framework/win.h"

#include <shlobj.h>

#include <string>

#include "framework/rtl/sys_utils.h"
#include "services/shell/browser.h"

namespace testing_browse {

struct TDrive {
  svc::TSvCustomBrowser* Browser = nullptr;
  std::string Path;  // "" keeps the dialog's selection
  int Answer = IDOK;
  int Ticks = 0;
  bool SeenSelected = false;  // the selection was the path at the last tick
  bool OkEnabled = false;  // whether the dialog's OK button could be pressed when answered
};

inline TDrive& Current() {
  static TDrive drive;
  return drive;
}

inline void CALLBACK Tick(HWND dialog, UINT, UINT_PTR id, DWORD) {
  TDrive& drive = Current();
  bool selected = drive.Path.empty() || fw::AnsiSameText(drive.Browser->GetSelectedFolder(), drive.Path);
  // Wine's tree can still move its selection once while it fills: answer only on a selection seen
  // at two ticks in a row.
  const bool settled = selected && (drive.Path.empty() || drive.SeenSelected);
  drive.SeenSelected = selected;
  if (settled || ++drive.Ticks > 200) {
    KillTimer(dialog, id);
    drive.OkEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(settled ? drive.Answer : IDCANCEL, BN_CLICKED), 0);
    return;
  }
  if (!selected) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(drive.Path.c_str()));
}

// Call from OnShow: selects path (when not empty), then presses answer; Cancel when the
// selection never arrives within a few seconds.
inline void Answer(svc::TSvCustomBrowser& browser, const std::string& path, int answer) {
  TDrive& drive = Current();
  drive = TDrive{&browser, path, answer, 0};
  HWND dialog = browser.GetDialogHandle();
  if (!path.empty()) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
  SetTimer(dialog, 1, 20, &Tick);
}

namespace detail {
inline int CALLBACK CancelAtOnce(HWND dialog, UINT msg, LPARAM, LPARAM) {
  if (msg == BFFM_INITIALIZED) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return 0;
}
}  // namespace detail

// Opens and cancels one dialog, once per process: Wine's first browse dialog of a process can
// ignore selection requests while its shell namespace is still being filled.
inline void WarmUp() {
  static bool done = false;
  if (done) return;
  done = true;
  BROWSEINFOA info{};
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = &detail::CancelAtOnce;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  if (chosen) CoTaskMemFree(chosen);
}

}  // namespace testing_browse
