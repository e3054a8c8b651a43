// Colours: a TColor is $00BBGGRR, or $FF000000 | index for a system colour (GetSysColor).
#pragma once
#include "framework/win.h"

namespace fw {

using TColor = int;

constexpr TColor clSysColor = static_cast<TColor>(0xFF000000u);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = clSysColor | COLOR_SCROLLBAR;
constexpr TColor clBackground = clSysColor | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = clSysColor | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = clSysColor | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = clSysColor | COLOR_MENU;
constexpr TColor clWindow = clSysColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = clSysColor | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = clSysColor | COLOR_MENUTEXT;
constexpr TColor clWindowText = clSysColor | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = clSysColor | COLOR_CAPTIONTEXT;
constexpr TColor clActiveBorder = clSysColor | COLOR_ACTIVEBORDER;
constexpr TColor clInactiveBorder = clSysColor | COLOR_INACTIVEBORDER;
constexpr TColor clAppWorkSpace = clSysColor | COLOR_APPWORKSPACE;
constexpr TColor clHighlight = clSysColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSysColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSysColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSysColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSysColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSysColor | COLOR_BTNTEXT;
constexpr TColor clInactiveCaptionText = clSysColor | COLOR_INACTIVECAPTIONTEXT;
constexpr TColor clBtnHighlight = clSysColor | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = clSysColor | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = clSysColor | COLOR_3DLIGHT;
constexpr TColor clInfoText = clSysColor | COLOR_INFOTEXT;
constexpr TColor clInfoBk = clSysColor | COLOR_INFOBK;

// The RGB value of a colour: system colours are looked up with GetSysColor, every other value
// (clNone and clDefault included) comes back unchanged.
TColor ColorToRGB(TColor color);

}  // namespace fw
