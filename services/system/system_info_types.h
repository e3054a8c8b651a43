// The enumerations and sets of the system-information objects.
#pragma once
#include "framework/core/sets.h"

namespace svc {

enum TWindowsVersion {
  wvUnknown, wvWin95, wvWin95OSR2, wvWin98, wvWin98SE, wvWinME, wvWinNT31, wvWinNT35, wvWinNT351,
  wvWinNT4, wvWin2000, wvWinXP, wvWin2003, wvWinXP64, wvWin2003R2, wvWinVista, wvWinLonghorn
};
enum TNtProductType {
  ptUnknown, ptWorkStation, ptServer, ptAdvancedServer, ptPersonal, ptProfessional, ptDatacenterServer,
  ptEnterprise, ptWebEdition
};
enum TDsHWDockInfoItem { diDocked, diUndocked, diUserSupplied, diUserDocked, diUserUndocked };
using TDsHWDockInfo = fw::TSet<TDsHWDockInfoItem>;
enum TDsDisplayFlag { dmGrayScale, dmInterlaced };
using TDsDisplayFlags = fw::TSet<TDsDisplayFlag>;
enum TDsIconModifier { imNormal, imOverlay, imSelected, imOpen, imShellSize, imSmall };
using TDsIconModifiers = fw::TSet<TDsIconModifier>;
enum TDsWindowsArrangeItem { waDown, waLeft, waRight, waUp, waBottomLeft, waBottomRight, waHide, waTopLeft, waTopRight };
using TDsWindowsArrange = fw::TSet<TDsWindowsArrangeItem>;
enum TDsAccessTimeOutFlag { atfOnOffFeedback, atfTimeOutOn };
using TDsAccessTimeOutFlags = fw::TSet<TDsAccessTimeOutFlag>;
enum TDsFilterKeyFlag {
  fkfAvailable, fkfClickOn, fkfFilterKeysOn, fkfHotkeyActive, fkfHotkeySound, fkfConfirmHotkey, fkfIndicator
};
using TDsFilterKeyFlags = fw::TSet<TDsFilterKeyFlag>;
enum TDsHighContrastFlag {
  hcfAvailable, hcfConfirmHotKey, hcfHighContrastOn, hcfHotkeyActive, hcfHotkeyAvailable, hcfHotkeySound, hcfIndicator
};
using TDsHighContrastFlags = fw::TSet<TDsHighContrastFlag>;
enum TDsMouseKeysFlag {
  mkfAvailable, mkfConfirmHotKey, mkfHotkeyActive, mkfHotkeySound, mkfIndicator, mkfMouseKeysOn, mkfModifiers,
  mkfReplaceNumbers
};
using TDsMouseKeysFlags = fw::TSet<TDsMouseKeysFlag>;
enum TDsSerialKeysFlag { serkfAvailable, serkfIndicator, serkfSerialKeysOn };
using TDsSerialKeysFlags = fw::TSet<TDsSerialKeysFlag>;
enum TDsSerialKeysPortState { psSerialKeysIgnored, psSerialKeysAware, psSerialKeysAlways };
enum TDsSoundSentryFlag { ssfAvailable, ssfSoundSentryOn, ssfIndicator };
using TDsSoundSentryFlags = fw::TSet<TDsSoundSentryFlag>;
enum TDsSoundSentryTextEffect { sstfNone, sstfChars, sstfBorder, sstfDisplay };
enum TDsSoundSentryGrafEffect { ssgfNone, ssgfDisplay };
enum TDsSoundSentryWindowsEffect { sswfNone, sswfTitle, sswfWindow, sswfDisplay, sswfCustom };
enum TDsStickyKeysFlag {
  skfStickyKeysOn, skfAvailable, skfHotkeyActive, skfConfirmHotkey, skfHotkeySound, skfIndicator,
  skfAudibleFeedback, skfTriState, skfTwoKeysOff, skfLeftAltLatched, skfLeftCtrlLatched, skfLeftShiftLatched,
  skfRightAltLatched, skfRightCtrlLatched, skfRightShiftLatched, skfLeftWinLatched, skfRightWinLatched,
  skfLeftAltLocked, skfLeftCtrlLocked, skfLeftShiftLocked, skfRightAltLocked, skfRightCtrlLocked,
  skfRightShiftLocked, skfLeftWinLocked, skfRightWinLocked
};
using TDsStickyKeysFlags = fw::TSet<TDsStickyKeysFlag>;
enum TDsToggleKeysFlag { tkfAvailable, tkfConfirmHotkey, tkfHotkeyActive, tkfHotkeySound, tkfToggleKeysOn };
using TDsToggleKeysFlags = fw::TSet<TDsToggleKeysFlag>;
enum TDsFontSmoothingType { fstStandard, fstClearType, fstDocking };

enum TDsLineStatus { alsOffline, alsOnline, alsUnknown };
enum TDsBatteryFlag { abfHigh, abfLow, abfCritical, abfCharging, abfNoBattery, abfUnknown };
enum TDsCPUType { cpuUnknown, cpuIntel, cpuCyrix, cpuAMD, cpuCrusoe };
enum TDsSSEVersion { vNoSSE, vSSE1, vSSE2, vSSE3 };
enum TDsWallpaperStyle { wsCenter, wsUnused, wsStretch };
enum TDsExeType { etNone, etMSDos, etWin16, etWin32, etConsole };
enum TDsCleanBoot { cbNormal, cbFailSafe, cbFailSafeNetwork };

// A set from platform bits: member i is in the set when bits holds table[i].
template <class E, size_t N>
fw::TSet<E> SetFromBits(unsigned bits, const unsigned (&table)[N]) {
  fw::TSet<E> set;
  for (size_t i = 0; i < N; ++i)
    if (bits & table[i]) set.Include(static_cast<E>(i));
  return set;
}
template <class E, size_t N>
unsigned BitsFromSet(fw::TSet<E> set, const unsigned (&table)[N]) {
  unsigned bits = 0;
  for (size_t i = 0; i < N; ++i)
    if (set.Contains(static_cast<E>(i))) bits |= table[i];
  return bits;
}

}  // namespace svc
