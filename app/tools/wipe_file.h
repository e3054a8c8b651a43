// WipeFile: overwrites one file six times with fresh random data, flushing each pass to disk,
// then deletes it. It never works through a link: a file that is a link (fw::IsLink: a reparse
// point, or an entry that opens somewhere other than where its folder lists it, as Wine shows a
// host's file link) or has more than one name is refused untouched, and what a link leads to is
// never opened for writing. Whatever fails is returned, and a file is reported wiped only when
// it is gone afterwards.
#pragma once
#include <cstdint>
#include <string>

#include "framework/win.h"

namespace app {

enum TWipeResult {
  wrWiped,
  wrNotFound,
  wrNoAccess,      // in use, read-only or no access: nothing written
  wrLink,          // a link or a file with other names: nothing written
  wrNoRandomData,  // the random source failed: no further pass written, not deleted
  wrWriteFailed,   // a seek, write or flush failed: not deleted
  wrNotDeleted     // overwritten, but the name is still there
};

// The status text a list row shows for a file that was not wiped.
const char* WipeResultText(TWipeResult result);

inline constexpr int kWipePasses = 6;

// Where the random bytes come from: acquired once per file, filled per block, released before
// the delete. The default is the platform's CryptoAPI provider.
class TWipeRandomSource {
 public:
  virtual ~TWipeRandomSource() = default;
  virtual bool Acquire() = 0;
  // Fills size bytes; false when no random data could be had.
  virtual bool Fill(uint8_t* buffer, DWORD size) = 0;
  virtual void Release() = 0;
};

// Told about the steps of a wipe: after each flushed pass (1 to 6) with the file's open handle,
// and just before the delete with the file's name.
class TWipeObserver {
 public:
  virtual ~TWipeObserver() = default;
  virtual void PassFlushed(HANDLE file, int pass) = 0;
  virtual void BeforeDelete(const std::string& fileName) = 0;
};

// The calls a wipe makes on the open file; the default is the platform's SetFilePointerEx (to
// the start), WriteFile and FlushFileBuffers.
class TWipeFileCalls {
 public:
  virtual ~TWipeFileCalls() = default;
  virtual bool SeekToStart(HANDLE file);
  virtual bool Write(HANDLE file, const void* buffer, DWORD count, DWORD& written);
  virtual bool Flush(HANDLE file);
};

TWipeResult WipeFile(const std::string& fileName);

namespace testing {
// Each setter takes a replacement owned by the caller (nullptr restores the default: CryptoAPI,
// no observer, the platform's file calls) and returns the previous one.
TWipeRandomSource* SetWipeRandomSource(TWipeRandomSource* source);
TWipeObserver* SetWipeObserver(TWipeObserver* observer);
TWipeFileCalls* SetWipeFileCalls(TWipeFileCalls* calls);
}  // namespace testing

}  // namespace app
