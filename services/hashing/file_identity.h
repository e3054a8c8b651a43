// Which file an open file is, and how it stood: two names lead to one file when the volume
// serial number and the file index of their open files agree (hard links, folder links, the
// same folder searched twice).
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "framework/classes/streams.h"

namespace svc {

enum TSameFile { sfNo, sfYes, sfUnknown };

// The file index of an open file, the same for every name of one file on its volume; read
// cheaply. False when the system cannot tell.
bool ReadFileIndex(fw::THandleStream& file, uint64_t& index);

// Whether two open files are one file: the same volume serial number and file index
// (GetFileInformationByHandle, asked only when the cheap indexes agree).
TSameFile SameFile(fw::THandleStream& a, fw::THandleStream& b);

// True when fileName reaches the open file through a link of its own: the file's final path is
// not the final path of its folder followed by its name. Meant for names of one file met twice:
// where the system does not mark a file link as a reparse point (Wine shows the host's file
// links as plain files), this tells the link from its target. False when it cannot be told.
bool IsLinkName(fw::THandleStream& file, const std::string& fileName);

// The size and last-write time of an open file; false when the system cannot tell.
bool ReadFileStamp(fw::THandleStream& file, int64_t& size, FILETIME& lastWrite);

namespace testing {
// Stands for GetFileInformationByHandle wherever a file's volume serial number and file index
// are read here, the cheap index included, so tests can give files any identity; called on any
// thread. An empty function (the default) asks the system. Returns the one it replaces.
using TFileInformationCall = std::function<bool(HANDLE file, BY_HANDLE_FILE_INFORMATION& info)>;
TFileInformationCall SetFileInformationCall(TFileInformationCall call);
}  // namespace testing

}  // namespace svc
