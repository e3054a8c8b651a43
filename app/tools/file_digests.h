// The MD5 digests of many files at once: a few worker threads read and hash while the calling
// thread keeps its window alive through a wait callback.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace app {

// Called on the calling thread about every 20 ms while the workers run, with the number of
// files finished so far.
using TDigestWait = std::function<void(int finished)>;

// The digest of each file as 32 upper-case hexadecimal characters (BytesToHex of the MD5
// digest), in the order of fileNames; "" for a file that cannot be opened for reading (every
// sharing allowed) or read to its end.
std::vector<std::string> FileDigests(const std::vector<std::string>& fileNames, const TDigestWait& wait);

// The digest of one file, "" when it cannot be opened or read to its end.
std::string FileDigest(const std::string& fileName);

}  // namespace app
