// The times of files and folders as the Attribute manager writes and shows them: local
// date-times on the DOS grid (2-second steps, years 1980 to 2107) to and from the system's UTC
// file times.
#pragma once
#include <string>

#include "framework/rtl/date_time.h"
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

// Sets the creation, last-access and last-write times of a file or folder (a link itself, never
// what it leads to), opening it for attribute writes only with full sharing, so a read-only
// file or one held open elsewhere still gets them. False with the system's error as the last
// error when it cannot be opened or the times cannot be set.
bool SetFileTimes(const std::string& path, fw::TDateTime creation, fw::TDateTime lastAccess, fw::TDateTime lastWrite);
// The same with the times already converted (for runs over many entries).
bool SetFileTimes(const std::string& path, const FILETIME& creation, const FILETIME& lastAccess,
                  const FILETIME& lastWrite);

}  // namespace app
