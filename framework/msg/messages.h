// The message record every window procedure of the framework passes around, its crackers,
// the framework's own message numbers (CM_* and the reflected CN_* notifications) and the skin
// command message the program fixes.
#pragma once
#include "framework/win.h"

namespace fw {

// One window message, passed by mutable reference: a handler answers through Result, or
// through LParam for queries that expect their answer there.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

inline WORD LoWord(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HiWord(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
// Mouse position carried in LParam (signed: a captured mouse may be left of or above the window).
inline int XPos(const TMessage& m) { return static_cast<short>(LoWord(m.LParam)); }
inline int YPos(const TMessage& m) { return static_cast<short>(HiWord(m.LParam)); }
// MK_* flags of a mouse message.
inline WORD Keys(const TMessage& m) { return LoWord(m.WParam); }
// Virtual key or character of a key message (a reference, so pre-processing may change it).
inline WORD CharCode(const TMessage& m) { return LoWord(m.WParam); }
inline NMHDR* NMHdr(const TMessage& m) { return reinterpret_cast<NMHDR*>(m.LParam); }
inline LPARAM PointToLParam(int x, int y) {
  return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))));
}

// The skin engine's private command message, fixed at $A100: the command number in the high
// word of WParam, the sending manager or an argument in LParam; a query is answered by setting
// LParam to 1, which the window procedure hands back as the result.
constexpr UINT SM_SKINCMD = 0xA100;

// Framework messages live in WM_APP space, clear of every number the program fixes itself.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_RELEASE = CM_BASE + 2;
constexpr UINT CM_MOUSEENTER = CM_BASE + 3;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;    // WParam = virtual key, LParam = key data; Result 1 = used
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;   // WParam = character; Result 1 = used
constexpr UINT CM_ENTER = CM_BASE + 7;
constexpr UINT CM_EXIT = CM_BASE + 8;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 9;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 10;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 11;
constexpr UINT CM_FONTCHANGED = CM_BASE + 12;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 13;
constexpr UINT CM_COLORCHANGED = CM_BASE + 14;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 15;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 16;  // WParam/LParam of the WM_MOUSEWHEEL; Result 1 = used
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 17;  // LParam = the newly focused TWinControl*
constexpr UINT CM_CANCELMODE = CM_BASE + 18;
constexpr UINT CM_CHANGED = CM_BASE + 19;
constexpr UINT CM_HINTSHOW = CM_BASE + 20;  // LParam = THintInfo*; Result 1 = no hint
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 22;
constexpr UINT CM_UIACTIVATE = CM_BASE + 23;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 24;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 25;
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 26;
constexpr UINT CM_INVOKEHOOK = CM_BASE + 28;  // posted by the modal loop to run the test hook
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 30;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 31;
constexpr UINT CM_SYNCHRONIZE = CM_BASE + 32;  // LParam = std::function<void()>* to run
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 33;
constexpr UINT CM_SHOWROWS = CM_BASE + 40;  // posted to a list view whose new rows the window has yet to get

// A native notification reflected by the parent to the child control it came from.
constexpr UINT CN_BASE = 0xB400;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

}  // namespace fw
