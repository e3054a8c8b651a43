// Text and number helpers with Pascal-style semantics: case functions (ASCII and locale kept
// apart), trimming, 1-based copy helpers, integer/float conversion, Format and FormatSettings.
#pragma once
#include "framework/win.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace fw {

// ---- locale settings ----
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "dd/mm/yyyy";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
};

// Process-wide settings; tests may overwrite fields. InitRtl reads them from the locale.
extern TFormatSettings FormatSettings;
// Reads FormatSettings from GetLocaleInfoA (the user's locale).
void GetLocaleFormatSettings(TFormatSettings& settings);
// Start-up of this layer: fills FormatSettings from the locale.
void InitRtl();

// ---- case and comparison ----
std::string UpperCase(const std::string& s);  // ASCII only
std::string LowerCase(const std::string& s);  // ASCII only
int CompareStr(const std::string& a, const std::string& b);
int CompareText(const std::string& a, const std::string& b);  // ASCII, case-insensitive
bool SameText(const std::string& a, const std::string& b);
std::string AnsiUpperCase(const std::string& s);  // locale (CharUpperBuffA)
std::string AnsiLowerCase(const std::string& s);
int AnsiCompareStr(const std::string& a, const std::string& b);   // CompareStringA
int AnsiCompareText(const std::string& a, const std::string& b);  // CompareStringA, no case
bool AnsiSameText(const std::string& a, const std::string& b);

// ---- trimming (removes characters up to and including the space) ----
std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);

// ---- 1-based helpers with Pascal semantics: indexes are clamped, nothing throws ----
std::string Copy1(const std::string& s, int index, int count);
int Pos1(const std::string& sub, const std::string& s);  // 0 when absent
void Delete1(std::string& s, int index, int count);
void Insert1(const std::string& source, std::string& s, int index);

// ---- integers ----
// Any integer type (int, DWORD, int64_t ...).
template <class T, std::enable_if_t<std::is_integral_v<T>, int> = 0>
std::string IntToStr(T value) {
  return std::to_string(value);
}
std::string IntToHex(int64_t value, int digits);
// Accepts optional blanks and sign, decimal, "$hex" or "0xhex"; raises EConvertError
// "'<s>' is not a valid integer value" otherwise or when out of range.
int StrToInt(const std::string& s);
int StrToIntDef(const std::string& s, int defaultValue);
bool TryStrToInt(const std::string& s, int& value);
int64_t StrToInt64(const std::string& s);
int64_t StrToInt64Def(const std::string& s, int64_t defaultValue);
bool TryStrToInt64(const std::string& s, int64_t& value);

// ---- floats ----
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };
// ffFixed/ffNumber: digits after the separator; ffGeneral: shortest form in precision digits.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::string FloatToStr(double value);
// Picture formats such as "0.00", "#,##0.0", "0"; text around the digits is kept.
std::string FormatFloat(const std::string& format, double value);
// Use FormatSettings.DecimalSeparator; raise EConvertError on bad text.
double StrToFloat(const std::string& s);
bool TryStrToFloat(const std::string& s, double& value);
// Always "." as the separator (skin and version texts).
double StrToFloatDot(const std::string& s);
double StrToFloatDotDef(const std::string& s, double defaultValue);
std::string FloatToStrDot(double value);

// ---- numeric helpers ----
int64_t Round(double value);  // half to even
int64_t Trunc(double value);
inline int MulDiv(int number, int numerator, int denominator) {
  return ::MulDiv(number, numerator, denominator);
}
inline int ClampToByte(int value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

// ---- Format ----
// One argument of Format, captured by type.
class TFormatArg {
 public:
  enum Kind { kNone, kInt, kUInt, kFloat, kString, kChar, kPointer };
  TFormatArg() = default;
  template <class T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T> &&
                                          !std::is_same_v<T, char>, int> = 0>
  TFormatArg(T v) : FKind(kInt), FInt(v) {}
  template <class T, std::enable_if_t<std::is_integral_v<T> && std::is_unsigned_v<T>, int> = 0>
  TFormatArg(T v) : FKind(kUInt), FUInt(v) {}
  template <class T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
  TFormatArg(T v) : FKind(kInt), FInt(static_cast<int64_t>(v)) {}
  TFormatArg(char v) : FKind(kChar), FInt(v) {}
  TFormatArg(double v) : FKind(kFloat), FFloat(v) {}
  TFormatArg(float v) : FKind(kFloat), FFloat(v) {}
  TFormatArg(long double v) : FKind(kFloat), FFloat(static_cast<double>(v)) {}
  TFormatArg(const std::string& v) : FKind(kString), FString(v) {}
  TFormatArg(std::string_view v) : FKind(kString), FString(v) {}
  TFormatArg(const char* v) : FKind(kString), FString(v ? v : "") {}
  TFormatArg(char* v) : FKind(kString), FString(v ? v : "") {}
  TFormatArg(const void* v) : FKind(kPointer), FPointer(v) {}

  Kind FKind = kNone;
  int64_t FInt = 0;
  uint64_t FUInt = 0;
  double FFloat = 0;
  std::string_view FString;
  const void* FPointer = nullptr;
};

std::string FormatArgs(const std::string& format, const TFormatArg* args, int count);

// Pascal-style Format: %[index:][-][width][.precision]type with types d u x e f g n p s and
// %%. Raises EConvertError for a bad format or an argument of the wrong kind.
template <class... A>
std::string Format(const std::string& format, const A&... args) {
  const TFormatArg list[] = {TFormatArg(args)..., TFormatArg()};
  return FormatArgs(format, list, static_cast<int>(sizeof...(A)));
}

// ---- platform ----
// VER_PLATFORM_WIN32_NT on every system the program runs on.
int Win32Platform();

}  // namespace fw
