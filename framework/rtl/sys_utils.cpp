#include "framework/rtl/sys_utils.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/rtl/exceptions.h"

namespace fw {

TFormatSettings FormatSettings;

namespace {

std::string LocaleInfo(LCTYPE type, const std::string& fallback) {
  char buffer[128];
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, length - 1) : fallback;
}

// Windows date/time pictures ("M/d/yyyy", "h:mm:ss tt") in the program's own notation
// (m for month, n for minute, ampm for the day half).
std::string ConvertLocalePicture(const std::string& picture, bool isTime) {
  std::string result;
  for (size_t i = 0; i < picture.size(); ++i) {
    char c = picture[i];
    if (c == '\'') {
      size_t end = picture.find('\'', i + 1);
      if (end == std::string::npos) end = picture.size();
      result += '"' + picture.substr(i + 1, end - i - 1) + '"';
      i = end;
    } else if (c == 'M') {
      result += 'm';
    } else if (isTime && c == 'm') {
      result += 'n';
    } else if (c == 'H') {
      result += 'h';
    } else if (c == 't') {
      while (i + 1 < picture.size() && picture[i + 1] == 't') ++i;
      result += "ampm";
    } else if (c == 'g') {
      // era: not used
    } else {
      result += c;
    }
  }
  return result;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

[[noreturn]] void InvalidInteger(const std::string& s) {
  throw EConvertError("'" + s + "' is not a valid integer value");
}

// Parses Pascal-style integer text into a 64-bit magnitude with sign. `hexWraps` receives
// true for hexadecimal text (which may use the full unsigned range of the target).
bool ParseInteger(const std::string& s, bool& negative, uint64_t& magnitude, bool& hex) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  negative = false;
  hex = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  magnitude = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    uint64_t base = hex ? 16 : 10;
    if (magnitude > (UINT64_MAX - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  return true;
}

std::string ReplaceDot(std::string text, char separator) {
  for (char& c : text)
    if (c == '.') c = separator;
  return text;
}

// Inserts thousand separators into the integer part of a plain "-1234.56" text.
std::string GroupThousands(const std::string& text, char separator) {
  size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
  size_t end = text.find('.');
  if (end == std::string::npos) end = text.size();
  std::string result = text.substr(0, start);
  for (size_t i = start; i < end; ++i) {
    result += text[i];
    size_t left = end - i - 1;
    if (left > 0 && left % 3 == 0) result += separator;
  }
  return result + text.substr(end);
}

std::string Printf(const char* format, int precision, double value) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, format, precision, value);
  return buffer;
}

// Rewrites a C exponent ("E+020", "E-05") the way the general format shows it ("E20", "E-5").
std::string ShortExponent(const std::string& text) {
  size_t e = text.find('E');
  if (e == std::string::npos) return text;
  std::string mantissa = text.substr(0, e);
  if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  int exponent = std::atoi(text.c_str() + e + 1);
  return mantissa + "E" + std::to_string(exponent);
}

std::string GeneralFloat(double value, int precision) {
  if (precision < 1 || precision > 18) precision = 15;
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return ShortExponent(Printf("%.*G", precision, value));
}

// "1.23450000000000E+003": the scientific form with a signed three-digit exponent.
std::string ExponentFloat(double value, int precision) {
  if (precision < 1 || precision > 18) precision = 15;
  std::string text = Printf("%.*E", precision - 1, value);
  size_t e = text.find('E');
  int exponent = std::atoi(text.c_str() + e + 1);
  char tail[16];
  std::snprintf(tail, sizeof tail, "E%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return text.substr(0, e) + tail;
}

bool ParseFloat(const std::string& s, char separator, double& value) {
  std::string text = Trim(s);
  if (text.empty()) return false;
  for (char& c : text) {
    if (c == separator) c = '.';
    else if (c == '.' && separator != '.') return false;
  }
  // strtod accepts hex floats, "inf" and "nan"; the program's texts use only digits.
  for (char c : text)
    if (!(c >= '0' && c <= '9') && c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E')
      return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end && *end == 0;
}

[[noreturn]] void FormatError(const std::string& format) {
  throw EConvertError("Format '" + format + "' invalid or incompatible with argument");
}

std::string Pad(std::string text, int width, bool left) {
  if (width > static_cast<int>(text.size())) {
    std::string fill(width - text.size(), ' ');
    text = left ? text + fill : fill + text;
  }
  return text;
}

std::string ZeroExtend(std::string digits, int precision) {
  bool negative = !digits.empty() && digits[0] == '-';
  if (negative) digits.erase(0, 1);
  if (precision > static_cast<int>(digits.size()))
    digits.insert(0, std::string(precision - digits.size(), '0'));
  return negative ? "-" + digits : digits;
}

std::string FormatOne(const std::string& format, char type, const TFormatArg& arg, int precision) {
  char buffer[64];
  switch (type) {
    case 'D':
      if (arg.FKind == TFormatArg::kInt || arg.FKind == TFormatArg::kChar)
        return ZeroExtend(std::to_string(arg.FInt), precision);
      if (arg.FKind == TFormatArg::kUInt) return ZeroExtend(std::to_string(arg.FUInt), precision);
      break;
    case 'U':
      if (arg.FKind == TFormatArg::kUInt) return ZeroExtend(std::to_string(arg.FUInt), precision);
      if (arg.FKind == TFormatArg::kInt) {
        // A negative 32-bit value reads as its unsigned 32-bit pattern.
        uint64_t v = (arg.FInt >= INT32_MIN && arg.FInt < 0) ? static_cast<uint32_t>(arg.FInt)
                                                             : static_cast<uint64_t>(arg.FInt);
        return ZeroExtend(std::to_string(v), precision);
      }
      break;
    case 'X': {
      uint64_t v;
      if (arg.FKind == TFormatArg::kUInt) v = arg.FUInt;
      else if (arg.FKind == TFormatArg::kInt)
        v = (arg.FInt >= INT32_MIN && arg.FInt < 0) ? static_cast<uint32_t>(arg.FInt)
                                                    : static_cast<uint64_t>(arg.FInt);
      else break;
      std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(v));
      return ZeroExtend(buffer, precision);
    }
    case 'E':
      if (arg.FKind == TFormatArg::kFloat)
        return ReplaceDot(ExponentFloat(arg.FFloat, precision < 0 ? 15 : precision),
                          FormatSettings.DecimalSeparator);
      break;
    case 'F':
    case 'N':
      if (arg.FKind == TFormatArg::kFloat) {
        std::string text = Printf("%.*f", precision < 0 ? 2 : std::min(precision, 18), arg.FFloat);
        if (type == 'N') text = GroupThousands(text, '\x01');
        text = ReplaceDot(text, FormatSettings.DecimalSeparator);
        for (char& c : text)
          if (c == '\x01') c = FormatSettings.ThousandSeparator;
        return text;
      }
      break;
    case 'G':
      if (arg.FKind == TFormatArg::kFloat)
        return ReplaceDot(GeneralFloat(arg.FFloat, precision < 0 ? 15 : precision),
                          FormatSettings.DecimalSeparator);
      break;
    case 'P':
      if (arg.FKind == TFormatArg::kPointer) {
        std::snprintf(buffer, sizeof buffer, "%08llX",
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(arg.FPointer)));
        return buffer;
      }
      break;
    case 'S':
      if (arg.FKind == TFormatArg::kString) {
        std::string text(arg.FString);
        if (precision >= 0 && precision < static_cast<int>(text.size())) text.resize(precision);
        return text;
      }
      if (arg.FKind == TFormatArg::kChar) return std::string(1, static_cast<char>(arg.FInt));
      break;
  }
  FormatError(format);
}

}  // namespace

void GetLocaleFormatSettings(TFormatSettings& settings) {
  std::string text = LocaleInfo(LOCALE_SDECIMAL, ".");
  settings.DecimalSeparator = text.size() == 1 ? text[0] : '.';
  text = LocaleInfo(LOCALE_STHOUSAND, ",");
  settings.ThousandSeparator = text.size() == 1 ? text[0] : ',';
  text = LocaleInfo(LOCALE_SDATE, "/");
  settings.DateSeparator = text.size() == 1 ? text[0] : '/';
  text = LocaleInfo(LOCALE_STIME, ":");
  settings.TimeSeparator = text.size() == 1 ? text[0] : ':';
  settings.ShortDateFormat = ConvertLocalePicture(LocaleInfo(LOCALE_SSHORTDATE, "dd/MM/yyyy"), false);
  settings.LongTimeFormat = ConvertLocalePicture(LocaleInfo(LOCALE_STIMEFORMAT, "HH:mm:ss"), true);
  settings.TimeAMString = LocaleInfo(LOCALE_S1159, "AM");
  settings.TimePMString = LocaleInfo(LOCALE_S2359, "PM");
}

void InitRtl() { GetLocaleFormatSettings(FormatSettings); }

std::string UpperCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

std::string LowerCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = AsciiLower(c);
  return r;
}

int CompareStr(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareText(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = AsciiUpper(a[i]), y = AsciiUpper(b[i]);
    if (x != y) return x - y;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string AnsiUpperCase(const std::string& s) {
  std::string r = s;
  if (!r.empty()) CharUpperBuffA(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

std::string AnsiLowerCase(const std::string& s) {
  std::string r = s;
  if (!r.empty()) CharLowerBuffA(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

int AnsiCompareStr(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}

int AnsiCompareText(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) - CSTR_EQUAL;
}

bool AnsiSameText(const std::string& a, const std::string& b) { return AnsiCompareText(a, b) == 0; }

std::string Trim(const std::string& s) { return TrimLeft(TrimRight(s)); }

std::string TrimLeft(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

std::string TrimRight(const std::string& s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return s.substr(0, n);
}

std::string Copy1(const std::string& s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || index > static_cast<int>(s.size())) return std::string();
  return s.substr(index - 1, count);
}

int Pos1(const std::string& sub, const std::string& s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

void Delete1(std::string& s, int index, int count) {
  if (index < 1 || index > static_cast<int>(s.size()) || count <= 0) return;
  s.erase(index - 1, count);
}

void Insert1(const std::string& source, std::string& s, int index) {
  if (index < 1) index = 1;
  if (index > static_cast<int>(s.size()) + 1) index = static_cast<int>(s.size()) + 1;
  s.insert(index - 1, source);
}

std::string IntToHex(int64_t value, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*llX", digits < 0 ? 0 : std::min(digits, 16),
                static_cast<unsigned long long>(value));
  return buffer;
}

bool TryStrToInt64(const std::string& s, int64_t& value) {
  bool negative, hex;
  uint64_t magnitude;
  if (!ParseInteger(s, negative, magnitude, hex)) return false;
  if (hex) {
    value = static_cast<int64_t>(magnitude);
    if (negative) value = static_cast<int64_t>(0 - magnitude);
    return true;
  }
  if (negative ? magnitude > uint64_t(INT64_MAX) + 1 : magnitude > uint64_t(INT64_MAX)) return false;
  value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

bool TryStrToInt(const std::string& s, int& value) {
  bool negative, hex;
  uint64_t magnitude;
  if (!ParseInteger(s, negative, magnitude, hex)) return false;
  if (hex) {
    // Hexadecimal text covers the whole 32-bit pattern: "$FFFFFFFF" is -1.
    if (magnitude > UINT32_MAX) return false;
    uint32_t bits = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
  }
  if (negative ? magnitude > uint64_t(INT32_MAX) + 1 : magnitude > uint64_t(INT32_MAX)) return false;
  value = static_cast<int>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
  return true;
}

int StrToInt(const std::string& s) {
  int value;
  if (!TryStrToInt(s, value)) InvalidInteger(s);
  return value;
}

int StrToIntDef(const std::string& s, int defaultValue) {
  int value;
  return TryStrToInt(s, value) ? value : defaultValue;
}

int64_t StrToInt64(const std::string& s) {
  int64_t value;
  if (!TryStrToInt64(s, value)) InvalidInteger(s);
  return value;
}

int64_t StrToInt64Def(const std::string& s, int64_t defaultValue) {
  int64_t value;
  return TryStrToInt64(s, value) ? value : defaultValue;
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  std::string text;
  switch (format) {
    case ffGeneral:
      text = GeneralFloat(value, precision);
      break;
    case ffExponent:
      text = ExponentFloat(value, precision);
      break;
    case ffFixed:
    case ffNumber:
      text = Printf("%.*f", digits < 0 ? 0 : std::min(digits, 18), value);
      if (format == ffNumber) text = GroupThousands(text, '\x01');
      break;
  }
  text = ReplaceDot(text, FormatSettings.DecimalSeparator);
  for (char& c : text)
    if (c == '\x01') c = FormatSettings.ThousandSeparator;
  return text;
}

std::string FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

std::string FormatFloat(const std::string& format, double value) {
  // The picture is the run from the first to the last of "0#.,"; text around it is literal.
  size_t first = format.find_first_of("0#.,");
  if (first == std::string::npos) return format;
  size_t last = format.find_last_of("0#.,");
  std::string picture = format.substr(first, last - first + 1);
  size_t point = picture.find('.');
  std::string intPart = picture.substr(0, point);
  int decimals = 0, minDecimals = 0;
  if (point != std::string::npos)
    for (char c : picture.substr(point + 1))
      if (c == '0' || c == '#') minDecimals += c == '0', ++decimals;
  int minIntDigits = 0;
  for (char c : intPart) minIntDigits += c == '0';
  bool group = intPart.find(',') != std::string::npos;

  std::string text = Printf("%.*f", decimals, value);
  bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  size_t dot = text.find('.');
  std::string whole = text.substr(0, dot), fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
  while (static_cast<int>(fraction.size()) > minDecimals && fraction.back() == '0') fraction.pop_back();
  if (whole == "0" && minIntDigits == 0) whole.clear();
  while (static_cast<int>(whole.size()) < minIntDigits) whole.insert(0, "0");
  if (group) whole = GroupThousands(whole, FormatSettings.ThousandSeparator);
  std::string number = whole;
  if (!fraction.empty()) number += FormatSettings.DecimalSeparator + fraction;
  if (number.empty()) number = "0";
  if (negative && number.find_first_not_of("0.,") != std::string::npos) number.insert(0, "-");
  return format.substr(0, first) + number + format.substr(last + 1);
}

bool TryStrToFloat(const std::string& s, double& value) {
  return ParseFloat(s, FormatSettings.DecimalSeparator, value);
}

double StrToFloat(const std::string& s) {
  double value;
  if (!TryStrToFloat(s, value)) throw EConvertError("'" + s + "' is not a valid floating point value");
  return value;
}

double StrToFloatDot(const std::string& s) {
  double value;
  if (!ParseFloat(s, '.', value)) throw EConvertError("'" + s + "' is not a valid floating point value");
  return value;
}

double StrToFloatDotDef(const std::string& s, double defaultValue) {
  double value;
  return ParseFloat(s, '.', value) ? value : defaultValue;
}

std::string FloatToStrDot(double value) { return GeneralFloat(value, 15); }

int64_t Round(double value) {
  int mode = std::fegetround();
  if (mode != FE_TONEAREST) std::fesetround(FE_TONEAREST);
  double r = std::nearbyint(value);
  if (mode != FE_TONEAREST) std::fesetround(mode);
  return static_cast<int64_t>(r);
}

int64_t Trunc(double value) { return static_cast<int64_t>(value); }

std::string FormatArgs(const std::string& format, const TFormatArg* args, int count) {
  std::string result;
  int next = 0;
  size_t i = 0;
  while (i < format.size()) {
    char c = format[i++];
    if (c != '%') {
      result += c;
      continue;
    }
    if (i < format.size() && format[i] == '%') {
      result += '%';
      ++i;
      continue;
    }
    auto readNumber = [&](int& value) -> bool {
      if (i < format.size() && format[i] == '*') {
        ++i;
        if (next >= count || args[next].FKind != TFormatArg::kInt) FormatError(format);
        value = static_cast<int>(args[next++].FInt);
        return true;
      }
      if (i >= format.size() || format[i] < '0' || format[i] > '9') return false;
      value = 0;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9') value = value * 10 + (format[i++] - '0');
      return true;
    };
    bool left = false;
    int width = -1, precision = -1, number = -1;
    if (readNumber(number) && i < format.size() && format[i] == ':') {
      ++i;
      next = number;
      number = -1;
    }
    if (i < format.size() && format[i] == '-') {
      left = true;
      ++i;
    }
    if (number >= 0) width = number;
    else readNumber(width);
    if (i < format.size() && format[i] == '.') {
      ++i;
      if (!readNumber(precision)) precision = 0;
    }
    if (i >= format.size()) FormatError(format);
    char type = AsciiUpper(format[i++]);
    if (next >= count) throw EConvertError("No argument for format '" + format + "'");
    result += Pad(FormatOne(format, type, args[next++], precision), width, left);
  }
  return result;
}

int Win32Platform() { return VER_PLATFORM_WIN32_NT; }

}  // namespace fw
