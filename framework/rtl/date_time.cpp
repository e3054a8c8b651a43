#include "framework/rtl/date_time.h"

#include <cmath>
#include <cstdio>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"

namespace fw {

namespace {

constexpr double kMsecPerDay = 86400000.0;
// Days from 0001-01-01 to 1899-12-30.
constexpr int kDateDelta = 693594;
// Days from 1601-01-01 to 1899-12-30.
constexpr double kFileTimeDelta = 109205.0;

void DateTimeParts(TDateTime value, int& days, int& msecOfDay) {
  // Negative values count days backwards but the time forwards ("-1.25" is 1899-12-29 06:00).
  double whole = std::trunc(value);
  double fraction = std::fabs(value - whole);
  int64_t ms = static_cast<int64_t>(std::llround(fraction * kMsecPerDay));
  days = static_cast<int>(whole);
  if (ms >= 86400000) ms = 86399999;
  msecOfDay = static_cast<int>(ms);
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  int64_t days = day;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  int y = year - 1;
  days += static_cast<int64_t>(y) * 365 + y / 4 - y / 100 + y / 400;
  value = static_cast<double>(days - kDateDelta);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
      msec > 999)
    return false;
  value = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMsecPerDay;
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime value;
  if (!TryEncodeDate(year, month, day, value)) throw EConvertError("Invalid argument to date encode");
  return value;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  TDateTime value;
  if (!TryEncodeTime(hour, minute, second, msec, value)) throw EConvertError("Invalid argument to time encode");
  return value;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec) {
  TDateTime date = EncodeDate(year, month, day);
  TDateTime time = EncodeTime(hour, minute, second, msec);
  return date >= 0 ? date + time : date - time;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  int days, ms;
  DateTimeParts(value, days, ms);
  int64_t n = static_cast<int64_t>(days) + kDateDelta - 1;  // days since 0001-01-01, 0-based
  if (n < 0) {
    year = month = day = 0;
    return;
  }
  int64_t y400 = n / 146097;
  n %= 146097;
  int64_t y100 = std::min<int64_t>(n / 36524, 3);
  n -= y100 * 36524;
  int64_t y4 = n / 1461;
  n %= 1461;
  int64_t y1 = std::min<int64_t>(n / 365, 3);
  n -= y1 * 365;
  year = static_cast<int>(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
  month = 1;
  while (n >= DaysInMonth(year, month)) n -= DaysInMonth(year, month++);
  day = static_cast<int>(n) + 1;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
  int days, ms;
  DateTimeParts(value, days, ms);
  hour = ms / 3600000;
  minute = ms / 60000 % 60;
  second = ms / 1000 % 60;
  msec = ms % 1000;
}

int DateTimeToFileDate(TDateTime value) {
  int year, month, day, hour, minute, second, msec;
  DecodeDate(value, year, month, day);
  if (year < 1980 || year > 2107) return 0;
  DecodeTime(value, hour, minute, second, msec);
  unsigned date = ((year - 1980) << 9) | (month << 5) | day;
  unsigned time = (hour << 11) | (minute << 5) | (second / 2);
  return static_cast<int>((date << 16) | time);
}

TDateTime FileDateToDateTime(int fileDate) {
  unsigned bits = static_cast<unsigned>(fileDate);
  unsigned date = bits >> 16, time = bits & 0xFFFF;
  return EncodeDate(static_cast<int>(date >> 9) + 1980, (date >> 5) & 15, date & 31) +
         EncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0);
}

TDateTime FileTimeToDateTime(const FILETIME& fileTime) {
  uint64_t ticks = (static_cast<uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
  return static_cast<double>(ticks / 10000) / kMsecPerDay - kFileTimeDelta;
}

FILETIME DateTimeToFileTime(TDateTime value) {
  double ms = std::round((value + kFileTimeDelta) * kMsecPerDay);
  uint64_t ticks = ms <= 0 ? 0 : static_cast<uint64_t>(ms) * 10000;
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(ticks);
  result.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return result;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
  return EncodeDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                        time.wMilliseconds);
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
  int year, month, day, hour, minute, second, msec;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  t.wDayOfWeek = static_cast<WORD>(((static_cast<int>(std::floor(value)) % 7) + 7 + 6) % 7);
  t.wHour = static_cast<WORD>(hour);
  t.wMinute = static_cast<WORD>(minute);
  t.wSecond = static_cast<WORD>(second);
  t.wMilliseconds = static_cast<WORD>(msec);
  return t;
}

TDateTime Now() { return testing::Clock().Now(); }
TDateTime Date() { return std::trunc(Now()); }
TDateTime Time() {
  TDateTime now = Now();
  return now - std::trunc(now);
}

std::string FormatDateTime(const std::string& format, TDateTime value) {
  static const char* shortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* longDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  static const char* shortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  static const char* longMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
  int year, month, day, hour, minute, second, msec;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
  int weekday = DateTimeToSystemTime(value).wDayOfWeek;
  bool twelveHour = UpperCase(format).find("AM") != std::string::npos;

  std::string out;
  char buf[16];
  size_t i = 0;
  auto run = [&](char c) {
    size_t n = 0;
    while (i + n < format.size() && (format[i + n] | 0x20) == c) ++n;
    return n;
  };
  bool lastWasHour = false;
  while (i < format.size()) {
    char c = format[i];
    char lower = static_cast<char>(c | 0x20);
    if (c == '"' || c == '\'') {
      size_t end = format.find(c, i + 1);
      if (end == std::string::npos) end = format.size();
      out += format.substr(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    if (c == '/') {
      out += FormatSettings.DateSeparator;
      ++i;
      continue;
    }
    if (c == ':') {
      out += FormatSettings.TimeSeparator;
      ++i;
      continue;
    }
    if (lower == 'a' && UpperCase(format.substr(i, 4)) == "AMPM") {
      out += hour < 12 ? FormatSettings.TimeAMString : FormatSettings.TimePMString;
      i += 4;
      continue;
    }
    if (lower == 'a' && UpperCase(format.substr(i, 5)) == "AM/PM") {
      std::string half = hour < 12 ? "am" : "pm";
      out += format[i] == 'A' ? UpperCase(half) : half;
      i += 5;
      continue;
    }
    size_t n = (lower == 'd' || lower == 'm' || lower == 'y' || lower == 'h' || lower == 'n' ||
                lower == 's' || lower == 'z')
                   ? run(lower)
                   : 0;
    if (n == 0) {
      out += c;
      ++i;
      continue;
    }
    i += n;
    int h12 = hour % 12 == 0 ? 12 : hour % 12;
    switch (lower) {
      case 'd':
        if (n == 1) out += std::to_string(day);
        else if (n == 2) std::snprintf(buf, sizeof buf, "%02d", day), out += buf;
        else if (n == 3) out += shortDays[weekday];
        else out += longDays[weekday];
        break;
      case 'm':
        if (lastWasHour && n <= 2) {  // "h:m" means minutes
          std::snprintf(buf, sizeof buf, n == 1 ? "%d" : "%02d", minute), out += buf;
        } else if (n == 1) out += std::to_string(month);
        else if (n == 2) std::snprintf(buf, sizeof buf, "%02d", month), out += buf;
        else if (n == 3) out += shortMonths[month - 1];
        else out += longMonths[month - 1];
        break;
      case 'y':
        if (n <= 2) std::snprintf(buf, sizeof buf, "%02d", year % 100), out += buf;
        else std::snprintf(buf, sizeof buf, "%04d", year), out += buf;
        break;
      case 'h':
        std::snprintf(buf, sizeof buf, n == 1 ? "%d" : "%02d", twelveHour ? h12 : hour), out += buf;
        break;
      case 'n':
        std::snprintf(buf, sizeof buf, n == 1 ? "%d" : "%02d", minute), out += buf;
        break;
      case 's':
        std::snprintf(buf, sizeof buf, n == 1 ? "%d" : "%02d", second), out += buf;
        break;
      case 'z':
        std::snprintf(buf, sizeof buf, n < 3 ? "%d" : "%03d", msec), out += buf;
        break;
    }
    lastWasHour = lower == 'h';
  }
  return out;
}

std::string DateToStr(TDateTime value) { return FormatDateTime(FormatSettings.ShortDateFormat, value); }
std::string TimeToStr(TDateTime value) { return FormatDateTime(FormatSettings.LongTimeFormat, value); }

std::string DateTimeToStr(TDateTime value) {
  int hour, minute, second, msec;
  DecodeTime(value, hour, minute, second, msec);
  if (hour == 0 && minute == 0 && second == 0 && msec == 0) return DateToStr(value);
  return DateToStr(value) + " " + TimeToStr(value);
}

}  // namespace fw
