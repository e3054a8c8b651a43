// Reading the Duplicate finder's candidate files: the MD5 digests of many files at once (a few
// worker threads read and hash while the calling thread keeps its window alive through a wait
// callback), and the check of a file against a copy that stays, just before it is acted on.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes/streams.h"
#include "framework/win.h"

namespace app {

// A file to digest, with the size the search saw.
struct TDigestCandidate {
  std::string FileName;
  int64_t Size = 0;
};

// Called on the calling thread about every 20 ms while the workers run, with the number of
// candidates whose outcome is settled so far.
using TDigestWait = std::function<void(int settled)>;

// The MD5 digest of each candidate's whole content as 32 upper-case hexadecimal characters
// (BytesToHex), in the order of candidates; "" for a candidate that takes no part:
// - it cannot be opened for reading (letting others go on reading and writing it), or a read
//   fails;
// - no other candidate of its size starts with the same first block (so it can equal none of
//   them, and is never read past that block);
// - it is a file already met under an earlier name of the list (the same volume serial number
//   and file index: hard links, the same folder reached twice).
std::vector<std::string> FileDigests(const std::vector<TDigestCandidate>& candidates, const TDigestWait& wait);

// How a file stood when the search found it.
struct TScannedFile {
  std::string FileName;
  int64_t Size = 0;
  FILETIME LastWrite{};
};

// What the check of a file just before it is acted on found.
enum class TRecheck {
  Still,       // still the file the search saw and, with keepers, equal to one of them
  Changed,     // changed since the search, or equal to none of the keepers
  Unreadable,  // the file could not be opened for reading (another program holds it)
};

// Still when file is still what the search saw (not a link or mount point, the same size and
// last-write time) and, unless keepers is empty, holds the same bytes as one of keepers (files
// that stay), which must be another file than it.
TRecheck StillDuplicate(const TScannedFile& file, const std::vector<std::string>& keepers);

namespace testing {
// Puts a stream between each file that FileDigests opens and its reading, so tests can make a
// read fail; called on the worker threads. An empty function (the default) reads the file
// directly.
using TDigestSourceWrap =
    std::function<std::unique_ptr<fw::TStream>(fw::TStream& file, const std::string& fileName)>;
TDigestSourceWrap SetDigestSourceWrap(TDigestSourceWrap wrap);
}  // namespace testing

}  // namespace app
