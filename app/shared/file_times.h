// The times of files and folders as the Attribute manager writes and shows them: local
// date-times on the DOS grid (2-second steps, years 1980 to 2107) to and from the system's UTC
// file times; and the handle through which it writes times and the attribute word.
#pragma once
#include <string>

#include "framework/rtl/date_time.h"
#include "framework/sys/owned_handle.h"
#include "framework/win.h"

namespace app {

// Whether a local date-time has a DOS date and time (1980-01-01 to 2107-12-31).
bool IsDosDateTime(fw::TDateTime value);

// A local date-time to DOS date and time, through DosDateTimeToFileTime, then
// LocalFileTimeToFileTime. False (and fileTime untouched) outside the DOS range.
bool DateTimeToUTCFileTime(fw::TDateTime value, FILETIME& fileTime);

// The way back: FileTimeToLocalFileTime, DOS date and time, date-time (so seconds are even).
// False when the time has no DOS form.
bool UTCFileTimeToDateTime(const FILETIME& fileTime, fw::TDateTime& value);

// Opens a file or folder for attribute writes only (a link itself, never what it leads to, where
// the system lets it), with full sharing, so a read-only file or one held open elsewhere still
// takes new times and attributes. Not valid, with the system's error as the last error, when it
// cannot be opened.
fw::TFileHandle OpenForAttributeWrites(const std::string& path);

// Sets the creation, last-access and last-write times of a file or folder through
// OpenForAttributeWrites. False with the system's error as the last error when it cannot be
// opened or the times cannot be set.
bool SetFileTimes(const std::string& path, fw::TDateTime creation, fw::TDateTime lastAccess, fw::TDateTime lastWrite);
// The same through a handle OpenForAttributeWrites gave, the times already converted (for runs
// over many entries).
bool SetFileTimes(HANDLE file, const FILETIME& creation, const FILETIME& lastAccess, const FILETIME& lastWrite);

// Sets the attribute word through a handle OpenForAttributeWrites gave, as SetFileAttributes
// does by name (a word of 0 is taken as FILE_ATTRIBUTE_NORMAL). False with the system's error as
// the last error.
bool SetAttributeWord(HANDLE file, DWORD attributes);

}  // namespace app
