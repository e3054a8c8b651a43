#include "app/tools/file_digests.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "services/hashing/file_identity.h"
#include "services/hashing/md5.h"
#include "services/hashing/read_ahead_stream.h"

namespace app {

namespace {

// The first block, whose digest decides whether a file is read any further.
constexpr int kFirstBlock = svc::TReadAheadStream::kBlockSize;
constexpr int kChunk = 256 * 1024;
// Two workers: while one waits for the system to open, read or close a file, the other hashes.
// More gain nothing where opening and closing are served one at a time (as under Wine) and
// only wait for each other there.
constexpr unsigned kMaxWorkers = 2;
// A size group with more members than this closes each file after its first block and opens it
// again for the rest, so a crowd of equal sizes holds no crowd of open files.
constexpr size_t kMaxOpenInGroup = 32;

testing::TDigestSourceWrap& SourceWrap() {
  static testing::TDigestSourceWrap wrap;
  return wrap;
}

// A file opened for reading (others may go on reading and writing it), read through the
// read-ahead stream.
class TOpenedFile {
 public:
  TOpenedFile(const std::string& fileName, bool wrapped) : FFile(fileName, fw::fmOpenRead | fw::fmShareDenyNone) {
    fw::TStream* source = &FFile;
    if (wrapped && SourceWrap()) {
      FWrap = SourceWrap()(FFile, fileName);
      if (FWrap) source = FWrap.get();
    }
    FStream = std::make_unique<svc::TReadAheadStream>(*source);
  }
  fw::TFileStream& File() { return FFile; }
  svc::TReadAheadStream& Stream() { return *FStream; }

 private:
  fw::TFileStream FFile;
  std::unique_ptr<fw::TStream> FWrap;
  std::unique_ptr<svc::TReadAheadStream> FStream;
};

std::string DigestText(svc::TMD5Context context) {
  svc::TMD5Digest digest;
  svc::MD5Final(context, digest);
  return svc::BytesToHex(digest.data(), static_cast<int>(digest.size()));
}

// One candidate of a size group while the group is read.
struct TMember {
  size_t Index = 0;  // into the candidates
  std::unique_ptr<TOpenedFile> File;
  svc::TMD5Context Context{};
  std::string Head;          // the digest of the first block
  bool Whole = false;        // the first block held the whole file
  uint64_t FileIndex = 0;
  bool HasIndex = false;
  bool Failed = false;
  std::string Digest;
};

void ReadFirstBlock(TMember& member, char* buffer) {
  svc::MD5Init(member.Context);
  int count = member.File->Stream().Read(buffer, kFirstBlock);
  svc::MD5Update(member.Context, buffer, count);
  member.Whole = count < kFirstBlock;
  member.Head = DigestText(member.Context);
  member.HasIndex = svc::ReadFileIndex(member.File->File(), member.FileIndex);
}

void ReadRest(TMember& member, char* buffer) {
  for (;;) {
    int count = member.File->Stream().Read(buffer, kChunk);
    if (count == 0) break;
    svc::MD5Update(member.Context, buffer, count);
  }
  member.Digest = DigestText(member.Context);
}

// The rest of a member whose file was closed after its first block: read again from the
// start, and only while it is still the same file.
void ReopenAndReadAll(TMember& member, const std::string& fileName, char* buffer) {
  uint64_t before = member.FileIndex;
  bool hadIndex = member.HasIndex;
  member.File = std::make_unique<TOpenedFile>(fileName, true);
  ReadFirstBlock(member, buffer);
  if (hadIndex != member.HasIndex || before != member.FileIndex) throw fw::EReadError("The file was replaced");
  ReadRest(member, buffer);
}

// Of two members with one digest (first before second in the list), the one that takes no part
// because both are one file under two names; null when they are two files. The later name goes,
// unless the earlier one is a link to the file and the later one is not.
const TMember* SecondName(const TMember& first, const TMember& second, const std::vector<TDigestCandidate>& candidates) {
  if (!first.HasIndex || !second.HasIndex || first.FileIndex != second.FileIndex) return nullptr;
  // The cheap indexes agree: the volumes decide.
  try {
    const std::string& firstName = candidates[first.Index].FileName;
    const std::string& secondName = candidates[second.Index].FileName;
    TOpenedFile fileA(firstName, false), fileB(secondName, false);
    if (svc::SameFile(fileA.File(), fileB.File()) == svc::sfNo) return nullptr;
    bool firstIsLink = svc::IsLinkName(fileA.File(), firstName);
    return firstIsLink && !svc::IsLinkName(fileB.File(), secondName) ? &first : &second;
  } catch (const std::exception&) {
    return &second;  // cannot be told apart: one row is the safe side
  }
}

// Reads the members of one size group and writes their digests; buffer holds kChunk bytes.
void DigestGroup(const std::vector<TDigestCandidate>& candidates, const std::vector<size_t>& group,
                 std::vector<std::string>& digests, std::atomic<int>& settled, char* buffer) {
  std::vector<TMember> members(group.size());
  const bool keepOpen = group.size() <= kMaxOpenInGroup;
  std::unordered_map<std::string, int> heads;
  for (size_t i = 0; i < group.size(); ++i) {
    TMember& member = members[i];
    member.Index = group[i];
    try {
      member.File = std::make_unique<TOpenedFile>(candidates[member.Index].FileName, true);
      ReadFirstBlock(member, buffer);
      if (member.Whole || !keepOpen) member.File.reset();
      ++heads[member.Head];
    } catch (const std::exception&) {
      member.Failed = true;
      member.File.reset();
    }
  }
  for (TMember& member : members) {
    if (!member.Failed && heads[member.Head] > 1) {
      try {
        if (member.Whole)
          member.Digest = member.Head;
        else if (member.File)
          ReadRest(member, buffer);
        else
          ReopenAndReadAll(member, candidates[member.Index].FileName, buffer);
      } catch (const std::exception&) {
        member.Digest.clear();
      }
    }
    member.File.reset();
    ++settled;
  }
  // One name of each file takes part: the first that is not a link.
  for (size_t i = 0; i < members.size(); ++i) {
    for (size_t k = 0; k < i && !members[i].Digest.empty(); ++k) {
      if (members[k].Digest != members[i].Digest) continue;
      if (const TMember* dropped = SecondName(members[k], members[i], candidates))
        (dropped == &members[k] ? members[k] : members[i]).Digest.clear();
    }
  }
  for (TMember& member : members) digests[member.Index] = std::move(member.Digest);
}

// Runs work on a few threads while the calling thread calls wait about every 20 ms; the workers
// stop taking work and are joined however this is left.
void RunWorkers(unsigned count, const std::function<void()>& work, const std::function<void()>& wait,
                std::atomic<bool>& stop) {
  std::mutex lock;
  std::condition_variable ended;
  unsigned running = count;
  struct TJoiner {
    std::vector<std::thread> Threads;
    std::atomic<bool>& Stop;
    ~TJoiner() {
      Stop = true;
      for (std::thread& thread : Threads) thread.join();
    }
  } workers{{}, stop};
  for (unsigned i = 0; i < count; ++i)
    workers.Threads.emplace_back([&] {
      work();
      std::lock_guard<std::mutex> guard(lock);
      --running;
      ended.notify_one();
    });
  for (;;) {
    bool done;
    {
      std::unique_lock<std::mutex> guard(lock);
      done = ended.wait_for(guard, std::chrono::milliseconds(20), [&] { return running == 0; });
    }
    if (wait) wait();
    if (done) break;
  }
}

// True when the name is a symbolic link or mount point, or is gone.
bool IsLink(const std::string& fileName) {
  fw::TSearchRec found;
  int error = fw::FindFirst(fileName, fw::faAnyFile, found);
  bool link = error != 0 || (found.FindData.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  fw::FindClose(found);
  return link;
}

// True when both streams hold the same bytes from where they stand to their ends.
bool SameBytes(fw::TStream& a, fw::TStream& b) {
  std::unique_ptr<char[]> bufferA(new char[kChunk]), bufferB(new char[kChunk]);
  for (;;) {
    int countA = a.Read(bufferA.get(), kChunk);
    int countB = b.Read(bufferB.get(), kChunk);
    if (countA != countB || std::memcmp(bufferA.get(), bufferB.get(), static_cast<size_t>(countA)) != 0) return false;
    if (countA == 0) return true;
  }
}

}  // namespace

namespace testing {
TDigestSourceWrap SetDigestSourceWrap(TDigestSourceWrap wrap) { return std::exchange(SourceWrap(), std::move(wrap)); }
}  // namespace testing

std::vector<std::string> FileDigests(const std::vector<TDigestCandidate>& candidates, const TDigestWait& wait) {
  std::vector<std::string> digests(candidates.size());
  if (candidates.empty()) return digests;
  // Only files of one size can be equal: each size group is one piece of work, in list order
  // within the group.
  std::unordered_map<int64_t, size_t> groupOfSize;
  std::vector<std::vector<size_t>> groups;
  for (size_t i = 0; i < candidates.size(); ++i) {
    auto [at, added] = groupOfSize.emplace(candidates[i].Size, groups.size());
    if (added) groups.emplace_back();
    groups[at->second].push_back(i);
  }
  // The largest files first, so that the longest reads do not start last.
  std::vector<size_t> order(groups.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return candidates[groups[a][0]].Size > candidates[groups[b][0]].Size;
  });
  std::atomic<size_t> next{0};
  std::atomic<bool> stop{false};
  std::atomic<int> settled{0};
  auto work = [&] {
    std::unique_ptr<char[]> buffer;
    for (size_t i = next++; i < order.size() && !stop; i = next++) {
      const std::vector<size_t>& group = groups[order[i]];
      try {
        if (!buffer) buffer.reset(new char[kChunk]);
        DigestGroup(candidates, group, digests, settled, buffer.get());
      } catch (...) {
        for (size_t index : group) digests[index].clear();  // out of memory: the group takes no part
      }
    }
  };
  unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
  count = static_cast<unsigned>(std::min<size_t>(count, groups.size()));
  RunWorkers(count, work, [&] { if (wait) wait(settled); }, stop);
  return digests;
}

TRecheck StillDuplicate(const TScannedFile& file, const std::vector<std::string>& keepers) {
  try {
    if (IsLink(file.FileName)) return TRecheck::Changed;
    std::optional<TOpenedFile> opened;
    try {
      opened.emplace(file.FileName, false);
    } catch (const std::exception&) {
      // Still there but not to be opened: another program holds it without sharing.
      return fw::FileExists(file.FileName) ? TRecheck::Unreadable : TRecheck::Changed;
    }
    int64_t size = 0;
    FILETIME lastWrite{};
    if (!svc::ReadFileStamp(opened->File(), size, lastWrite) || size != file.Size ||
        CompareFileTime(&lastWrite, &file.LastWrite) != 0)
      return TRecheck::Changed;
    if (keepers.empty()) return TRecheck::Still;
    for (const std::string& keeper : keepers) {
      try {
        TOpenedFile other(keeper, false);
        if (svc::SameFile(opened->File(), other.File()) != svc::sfNo) continue;
        opened->Stream().SetPosition(0);
        if (SameBytes(opened->Stream(), other.Stream())) return TRecheck::Still;
      } catch (const std::exception&) {
        // this keeper is gone or unreadable: try the next one
      }
    }
  } catch (const std::exception&) {
  }
  return TRecheck::Changed;
}

}  // namespace app
