#include "services/system/system_parameter_groups.h"

#include <cstring>

#include "services/system/metrics_info.h"

namespace svc {
namespace {

// Platform bits in the order of each flag enumeration.
const unsigned kAccessTimeOutBits[] = {ATF_ONOFFFEEDBACK, ATF_TIMEOUTON};
const unsigned kFilterKeyBits[] = {FKF_AVAILABLE,   FKF_CLICKON,      FKF_FILTERKEYSON, FKF_HOTKEYACTIVE,
                                   FKF_HOTKEYSOUND, FKF_CONFIRMHOTKEY, FKF_INDICATOR};
const unsigned kHighContrastBits[] = {HCF_AVAILABLE,       HCF_CONFIRMHOTKEY, HCF_HIGHCONTRASTON, HCF_HOTKEYACTIVE,
                                      HCF_HOTKEYAVAILABLE, HCF_HOTKEYSOUND,   HCF_INDICATOR};
const unsigned kMouseKeysBits[] = {MKF_AVAILABLE, MKF_CONFIRMHOTKEY, MKF_HOTKEYACTIVE, MKF_HOTKEYSOUND,
                                   MKF_INDICATOR, MKF_MOUSEKEYSON,   MKF_MODIFIERS,    MKF_REPLACENUMBERS};
const unsigned kSerialKeysBits[] = {SERKF_AVAILABLE, SERKF_INDICATOR, SERKF_SERIALKEYSON};
const unsigned kSoundSentryBits[] = {SSF_AVAILABLE, SSF_SOUNDSENTRYON, SSF_INDICATOR};

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

std::unique_ptr<fw::TFont> LogFontToFont(const LOGFONTA& logFont) {
  auto font = std::make_unique<fw::TFont>();
  font->SetName(std::string(logFont.lfFaceName, strnlen(logFont.lfFaceName, LF_FACESIZE)));
  font->SetHeight(logFont.lfHeight);
  font->SetCharset(logFont.lfCharSet);
  fw::TFontStyles style;
  if (logFont.lfWeight > FW_NORMAL) style.Include(fw::fsBold);
  if (logFont.lfItalic) style.Include(fw::fsItalic);
  if (logFont.lfUnderline) style.Include(fw::fsUnderline);
  if (logFont.lfStrikeOut) style.Include(fw::fsStrikeOut);
  font->SetStyle(style);
  return font;
}

LOGFONTA FontToLogFont(const fw::TFont& font) {
  LOGFONTA logFont{};
  strncpy(logFont.lfFaceName, font.GetName().c_str(), LF_FACESIZE - 1);
  logFont.lfHeight = font.GetHeight();
  logFont.lfCharSet = font.GetCharset();
  const fw::TFontStyles style = font.GetStyle();
  logFont.lfWeight = style.Contains(fw::fsBold) ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = style.Contains(fw::fsItalic);
  logFont.lfUnderline = style.Contains(fw::fsUnderline);
  logFont.lfStrikeOut = style.Contains(fw::fsStrikeOut);
  return logFont;
}

TDsAccessTimeOutFlags TDsAccessTimeOut::GetFlags() const {
  return SetFromBits<TDsAccessTimeOutFlag>(Read<ACCESSTIMEOUT>().dwFlags, kAccessTimeOutBits);
}
void TDsAccessTimeOut::SetFlags(TDsAccessTimeOutFlags flags) {
  Change<ACCESSTIMEOUT>([&](ACCESSTIMEOUT& r) { r.dwFlags = BitsFromSet(flags, kAccessTimeOutBits); });
}

TDsFilterKeyFlags TDsFilterKeys::GetFlags() const {
  return SetFromBits<TDsFilterKeyFlag>(Read<FILTERKEYS>().dwFlags, kFilterKeyBits);
}
void TDsFilterKeys::SetFlags(TDsFilterKeyFlags flags) {
  Change<FILTERKEYS>([&](FILTERKEYS& r) { r.dwFlags = BitsFromSet(flags, kFilterKeyBits); });
}

TDsHighContrastFlags TDsHighContrast::GetFlags() const {
  return SetFromBits<TDsHighContrastFlag>(Read<HIGHCONTRASTA>().dwFlags, kHighContrastBits);
}
void TDsHighContrast::SetFlags(TDsHighContrastFlags flags) {
  Change<HIGHCONTRASTA>([&](HIGHCONTRASTA& r) { r.dwFlags = BitsFromSet(flags, kHighContrastBits); });
}
std::string TDsHighContrast::GetDefaultScheme() const { return Text(Read<HIGHCONTRASTA>().lpszDefaultScheme); }

std::unique_ptr<fw::TFont> TDsIconMetrics::GetFont() const { return LogFontToFont(Read<ICONMETRICSA>().lfFont); }
void TDsIconMetrics::SetFont(const fw::TFont& font) {
  Change<ICONMETRICSA>([&](ICONMETRICSA& r) { r.lfFont = FontToLogFont(font); });
}

TDsWindowsArrange TDsMinimizedMetrics::GetArrange() const { return ArrangeFromValue(Read<MINIMIZEDMETRICS>().iArrange); }
void TDsMinimizedMetrics::SetArrange(TDsWindowsArrange arrange) {
  Change<MINIMIZEDMETRICS>([&](MINIMIZEDMETRICS& r) { r.iArrange = ArrangeToValue(arrange); });
}

TDsMouseKeysFlags TDsMouseKeys::GetFlags() const {
  return SetFromBits<TDsMouseKeysFlag>(Read<MOUSEKEYS>().dwFlags, kMouseKeysBits);
}
void TDsMouseKeys::SetFlags(TDsMouseKeysFlags flags) {
  Change<MOUSEKEYS>([&](MOUSEKEYS& r) { r.dwFlags = BitsFromSet(flags, kMouseKeysBits); });
}

std::unique_ptr<fw::TFont> TDsNonClientMetrics::Font(LOGFONTA NONCLIENTMETRICSA::*field) const {
  return LogFontToFont(Read<NONCLIENTMETRICSA>().*field);
}
void TDsNonClientMetrics::SetFont(LOGFONTA NONCLIENTMETRICSA::*field, const fw::TFont& font) {
  Change<NONCLIENTMETRICSA>([&](NONCLIENTMETRICSA& r) { r.*field = FontToLogFont(font); });
}

TDsSerialKeysFlags TDsSerialKeys::GetFlags() const {
  return SetFromBits<TDsSerialKeysFlag>(Read<SERIALKEYSA>().dwFlags, kSerialKeysBits);
}
void TDsSerialKeys::SetFlags(TDsSerialKeysFlags flags) {
  Change<SERIALKEYSA>([&](SERIALKEYSA& r) { r.dwFlags = BitsFromSet(flags, kSerialKeysBits); });
}
std::string TDsSerialKeys::GetActivePort() const { return Text(Read<SERIALKEYSA>().lpszActivePort); }
std::string TDsSerialKeys::GetPort() const { return Text(Read<SERIALKEYSA>().lpszPort); }

TDsSoundSentryFlags TDsSoundSentry::GetFlags() const {
  return SetFromBits<TDsSoundSentryFlag>(Read<SOUNDSENTRYA>().dwFlags, kSoundSentryBits);
}
void TDsSoundSentry::SetFlags(TDsSoundSentryFlags flags) {
  Change<SOUNDSENTRYA>([&](SOUNDSENTRYA& r) { r.dwFlags = BitsFromSet(flags, kSoundSentryBits); });
}
std::string TDsSoundSentry::GetWindowsEffectDLL() const { return Text(Read<SOUNDSENTRYA>().lpszWindowsEffectDLL); }

}  // namespace svc
