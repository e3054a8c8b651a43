// Which file an open file is, and how it stood: two names lead to one file when the volume
// serial number and the file index of their open files agree (hard links, folder links, the
// same folder searched twice).
#pragma once
#include <cstdint>

#include "framework/rtl/streams.h"

namespace svc {

enum TSameFile { sfNo, sfYes, sfUnknown };

// The file index of an open file, the same for every name of one file on its volume; read
// cheaply. False when the system cannot tell.
bool ReadFileIndex(fw::THandleStream& file, uint64_t& index);

// Whether two open files are one file: the same volume serial number and file index
// (GetFileInformationByHandle, asked only when the cheap indexes agree).
TSameFile SameFile(fw::THandleStream& a, fw::THandleStream& b);

// The size and last-write time of an open file; false when the system cannot tell.
bool ReadFileStamp(fw::THandleStream& file, int64_t& size, FILETIME& lastWrite);

}  // namespace svc
