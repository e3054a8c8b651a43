// TDateTime: days since 1899-12-30 as a double (29221.0 is 1980-01-01), with date/time
// encoding, DOS file dates, FILETIME conversion and text output.
#pragma once
#include "framework/win.h"

#include <string>

namespace fw {

using TDateTime = double;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Raise EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

// DOS date and time: date in the high word, time (2-second steps) in the low word.
int DateTimeToFileDate(TDateTime value);
// Raises EConvertError for a DOS value that is no valid date.
TDateTime FileDateToDateTime(int fileDate);

// FILETIME (100 ns since 1601) to and from TDateTime, without time-zone conversion.
TDateTime FileTimeToDateTime(const FILETIME& fileTime);
FILETIME DateTimeToFileTime(TDateTime value);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);
SYSTEMTIME DateTimeToSystemTime(TDateTime value);

// The current local time through the clock seam (fw::testing::Clock).
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Pictures: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz ampm am/pm, "/" and ":"
// give the locale separators, "text" and 'text' are literal.
std::string FormatDateTime(const std::string& format, TDateTime value);
// Short date plus long time; the time is left out at midnight.
std::string DateTimeToStr(TDateTime value);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);

}  // namespace fw
