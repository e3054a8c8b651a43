// The record-shaped groups of the system parameters (accessibility records, icon, minimized
// and non-client metrics). Each property reads its record afresh; a setter, when the owning
// parameters object is writable, reads the record, changes the one field and writes it back
// (profile updated and the change broadcast).
#pragma once
#include <memory>
#include <string>

#include "framework/graphics/font.h"
#include "framework/win.h"
#include "services/system/ds_info_base.h"
#include "services/system/system_info_types.h"

namespace svc {

// The base of the groups: the record's get and set numbers and the owner whose read-only rule
// every write follows.
class TDsParameterGroup : public TDsWriteableInfo {
  FW_CLASS(TDsParameterGroup, TDsWriteableInfo)
 public:
  TDsParameterGroup(const TDsWriteableInfo* owner, unsigned getAction, unsigned setAction)
      : FOwner(owner), FGet(getAction), FSet(setAction) {}

 protected:
  template <class R>
  R Read() const {
    R record{};
    record.cbSize = sizeof record;
    if (!SystemParametersInfoA(FGet, sizeof record, &record, 0)) {
      record = R{};
      record.cbSize = sizeof record;
    }
    return record;
  }
  template <class R, class F>
  void Change(F change) {
    if (!FOwner->CanWrite()) return;
    R record = Read<R>();
    change(record);
    SystemParametersInfoA(FSet, sizeof record, &record, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  }

 private:
  const TDsWriteableInfo* FOwner;
  unsigned FGet, FSet;
};

// Integer fields of a record: a getter and a setter.
#define DS_GROUP_FIELD(Record, Name, field) \
  int Get##Name() const { return static_cast<int>(Read<Record>().field); } \
  void Set##Name(int value) { Change<Record>([&](Record& r) { r.field = value; }); }

class TDsAccessTimeOut : public TDsParameterGroup {
  FW_CLASS(TDsAccessTimeOut, TDsParameterGroup)
 public:
  explicit TDsAccessTimeOut(const TDsWriteableInfo* owner) : TDsParameterGroup(owner, SPI_GETACCESSTIMEOUT, SPI_SETACCESSTIMEOUT) {}
  DS_GROUP_FIELD(ACCESSTIMEOUT, TimeOutMS, iTimeOutMSec)
  TDsAccessTimeOutFlags GetFlags() const;
  void SetFlags(TDsAccessTimeOutFlags flags);
};

class TDsFilterKeys : public TDsParameterGroup {
  FW_CLASS(TDsFilterKeys, TDsParameterGroup)
 public:
  explicit TDsFilterKeys(const TDsWriteableInfo* owner) : TDsParameterGroup(owner, SPI_GETFILTERKEYS, SPI_SETFILTERKEYS) {}
  TDsFilterKeyFlags GetFlags() const;
  void SetFlags(TDsFilterKeyFlags flags);
  DS_GROUP_FIELD(FILTERKEYS, WaitMSec, iWaitMSec)
  DS_GROUP_FIELD(FILTERKEYS, DelayMSec, iDelayMSec)
  DS_GROUP_FIELD(FILTERKEYS, RepeatMSec, iRepeatMSec)
  DS_GROUP_FIELD(FILTERKEYS, BounceMSec, iBounceMSec)
};

class TDsHighContrast : public TDsParameterGroup {
  FW_CLASS(TDsHighContrast, TDsParameterGroup)
 public:
  explicit TDsHighContrast(const TDsWriteableInfo* owner) : TDsParameterGroup(owner, SPI_GETHIGHCONTRAST, SPI_SETHIGHCONTRAST) {}
  TDsHighContrastFlags GetFlags() const;
  void SetFlags(TDsHighContrastFlags flags);
  std::string GetDefaultScheme() const;
};

class TDsIconMetrics : public TDsParameterGroup {
  FW_CLASS(TDsIconMetrics, TDsParameterGroup)
 public:
  explicit TDsIconMetrics(const TDsWriteableInfo* owner) : TDsParameterGroup(owner, SPI_GETICONMETRICS, SPI_SETICONMETRICS) {}
  DS_GROUP_FIELD(ICONMETRICSA, VertSpacing, iVertSpacing)
  DS_GROUP_FIELD(ICONMETRICSA, HorzSpacing, iHorzSpacing)
  DS_GROUP_FIELD(ICONMETRICSA, TitleWrap, iTitleWrap)
  std::unique_ptr<fw::TFont> GetFont() const;
  void SetFont(const fw::TFont& font);
};

class TDsMinimizedMetrics : public TDsParameterGroup {
  FW_CLASS(TDsMinimizedMetrics, TDsParameterGroup)
 public:
  explicit TDsMinimizedMetrics(const TDsWriteableInfo* owner)
      : TDsParameterGroup(owner, SPI_GETMINIMIZEDMETRICS, SPI_SETMINIMIZEDMETRICS) {}
  DS_GROUP_FIELD(MINIMIZEDMETRICS, Width, iWidth)
  DS_GROUP_FIELD(MINIMIZEDMETRICS, HorzGap, iHorzGap)
  DS_GROUP_FIELD(MINIMIZEDMETRICS, VertGap, iVertGap)
  TDsWindowsArrange GetArrange() const;
  void SetArrange(TDsWindowsArrange arrange);
};

class TDsMouseKeys : public TDsParameterGroup {
  FW_CLASS(TDsMouseKeys, TDsParameterGroup)
 public:
  explicit TDsMouseKeys(const TDsWriteableInfo* owner) : TDsParameterGroup(owner, SPI_GETMOUSEKEYS, SPI_SETMOUSEKEYS) {}
  TDsMouseKeysFlags GetFlags() const;
  void SetFlags(TDsMouseKeysFlags flags);
  DS_GROUP_FIELD(MOUSEKEYS, MaxSpeed, iMaxSpeed)
  DS_GROUP_FIELD(MOUSEKEYS, TimeToMaxSpeed, iTimeToMaxSpeed)
  DS_GROUP_FIELD(MOUSEKEYS, CtrlSpeed, iCtrlSpeed)
};

class TDsNonClientMetrics : public TDsParameterGroup {
  FW_CLASS(TDsNonClientMetrics, TDsParameterGroup)
 public:
  explicit TDsNonClientMetrics(const TDsWriteableInfo* owner)
      : TDsParameterGroup(owner, SPI_GETNONCLIENTMETRICS, SPI_SETNONCLIENTMETRICS) {}
  DS_GROUP_FIELD(NONCLIENTMETRICSA, BorderWidth, iBorderWidth)
  DS_GROUP_FIELD(NONCLIENTMETRICSA, ScrollWidth, iScrollWidth)
  DS_GROUP_FIELD(NONCLIENTMETRICSA, ScrollHeight, iScrollHeight)
  DS_GROUP_FIELD(NONCLIENTMETRICSA, CaptionWidth, iCaptionWidth)
  DS_GROUP_FIELD(NONCLIENTMETRICSA, CaptionHeight, iCaptionHeight)
  DS_GROUP_FIELD(NONCLIENTMETRICSA, SmallCaptionWidth, iSmCaptionWidth)
  DS_GROUP_FIELD(NONCLIENTMETRICSA, SmallCaptionHeight, iSmCaptionHeight)
  DS_GROUP_FIELD(NONCLIENTMETRICSA, MenuWidth, iMenuWidth)
  DS_GROUP_FIELD(NONCLIENTMETRICSA, MenuHeight, iMenuHeight)
  std::unique_ptr<fw::TFont> GetCaptionFont() const { return Font(&NONCLIENTMETRICSA::lfCaptionFont); }
  void SetCaptionFont(const fw::TFont& font) { SetFont(&NONCLIENTMETRICSA::lfCaptionFont, font); }
  std::unique_ptr<fw::TFont> GetSmallCaptionFont() const { return Font(&NONCLIENTMETRICSA::lfSmCaptionFont); }
  void SetSmallCaptionFont(const fw::TFont& font) { SetFont(&NONCLIENTMETRICSA::lfSmCaptionFont, font); }
  std::unique_ptr<fw::TFont> GetMenuFont() const { return Font(&NONCLIENTMETRICSA::lfMenuFont); }
  void SetMenuFont(const fw::TFont& font) { SetFont(&NONCLIENTMETRICSA::lfMenuFont, font); }
  std::unique_ptr<fw::TFont> GetStatusFont() const { return Font(&NONCLIENTMETRICSA::lfStatusFont); }
  void SetStatusFont(const fw::TFont& font) { SetFont(&NONCLIENTMETRICSA::lfStatusFont, font); }
  std::unique_ptr<fw::TFont> GetMessageFont() const { return Font(&NONCLIENTMETRICSA::lfMessageFont); }
  void SetMessageFont(const fw::TFont& font) { SetFont(&NONCLIENTMETRICSA::lfMessageFont, font); }

 private:
  std::unique_ptr<fw::TFont> Font(LOGFONTA NONCLIENTMETRICSA::*field) const;
  void SetFont(LOGFONTA NONCLIENTMETRICSA::*field, const fw::TFont& font);
};

class TDsSerialKeys : public TDsParameterGroup {
  FW_CLASS(TDsSerialKeys, TDsParameterGroup)
 public:
  explicit TDsSerialKeys(const TDsWriteableInfo* owner) : TDsParameterGroup(owner, SPI_GETSERIALKEYS, SPI_SETSERIALKEYS) {}
  DS_GROUP_FIELD(SERIALKEYSA, Active, iActive)
  TDsSerialKeysFlags GetFlags() const;
  void SetFlags(TDsSerialKeysFlags flags);
  std::string GetActivePort() const;
  std::string GetPort() const;
  DS_GROUP_FIELD(SERIALKEYSA, BaudRate, iBaudRate)
  TDsSerialKeysPortState GetPortState() const { return static_cast<TDsSerialKeysPortState>(Read<SERIALKEYSA>().iPortState); }
  void SetPortState(TDsSerialKeysPortState state) { Change<SERIALKEYSA>([&](SERIALKEYSA& r) { r.iPortState = state; }); }
};

class TDsSoundSentry : public TDsParameterGroup {
  FW_CLASS(TDsSoundSentry, TDsParameterGroup)
 public:
  explicit TDsSoundSentry(const TDsWriteableInfo* owner) : TDsParameterGroup(owner, SPI_GETSOUNDSENTRY, SPI_SETSOUNDSENTRY) {}
  TDsSoundSentryFlags GetFlags() const;
  void SetFlags(TDsSoundSentryFlags flags);
  TDsSoundSentryTextEffect GetTextEffect() const { return static_cast<TDsSoundSentryTextEffect>(Read<SOUNDSENTRYA>().iFSTextEffect); }
  void SetTextEffect(TDsSoundSentryTextEffect effect) { Change<SOUNDSENTRYA>([&](SOUNDSENTRYA& r) { r.iFSTextEffect = effect; }); }
  DS_GROUP_FIELD(SOUNDSENTRYA, TextEffectMSec, iFSTextEffectMSec)
  DS_GROUP_FIELD(SOUNDSENTRYA, TextEffectColor, iFSTextEffectColorBits)
  TDsSoundSentryGrafEffect GetGrafEffect() const { return static_cast<TDsSoundSentryGrafEffect>(Read<SOUNDSENTRYA>().iFSGrafEffect); }
  void SetGrafEffect(TDsSoundSentryGrafEffect effect) { Change<SOUNDSENTRYA>([&](SOUNDSENTRYA& r) { r.iFSGrafEffect = effect; }); }
  DS_GROUP_FIELD(SOUNDSENTRYA, GrafEffectMSec, iFSGrafEffectMSec)
  DS_GROUP_FIELD(SOUNDSENTRYA, GrafEffectColor, iFSGrafEffectColor)
  TDsSoundSentryWindowsEffect GetWindowsEffect() const {
    return static_cast<TDsSoundSentryWindowsEffect>(Read<SOUNDSENTRYA>().iWindowsEffect);
  }
  void SetWindowsEffect(TDsSoundSentryWindowsEffect effect) { Change<SOUNDSENTRYA>([&](SOUNDSENTRYA& r) { r.iWindowsEffect = effect; }); }
  DS_GROUP_FIELD(SOUNDSENTRYA, WindowsEffectMSec, iWindowsEffectMSec)
  std::string GetWindowsEffectDLL() const;
};

#undef DS_GROUP_FIELD

// A LOGFONT as a font (weight above 400 is bold) and back (bold written as 700, else 400; the
// face name cut to fit the record).
std::unique_ptr<fw::TFont> LogFontToFont(const LOGFONTA& logFont);
LOGFONTA FontToLogFont(const fw::TFont& font);

}  // namespace svc
