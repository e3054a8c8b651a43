#include "app/tools/file_digests.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "framework/win.h"
#include "services/hashing/md5.h"

namespace app {

namespace {
constexpr DWORD kReadBlock = 256 * 1024;
constexpr unsigned kMaxWorkers = 4;
}  // namespace

std::string FileDigest(const std::string& fileName) {
  HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::vector<char> block(kReadBlock);
  svc::TMD5Context context;
  svc::MD5Init(context);
  bool ok = true;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, block.data(), kReadBlock, &read, nullptr)) {
      ok = false;
      break;
    }
    if (read == 0) break;
    svc::MD5Update(context, block.data(), static_cast<int32_t>(read));
  }
  CloseHandle(file);
  if (!ok) return {};
  svc::TMD5Digest digest;
  svc::MD5Final(context, digest);
  return svc::BytesToHex(digest.data(), static_cast<int>(digest.size()));
}

std::vector<std::string> FileDigests(const std::vector<std::string>& fileNames, const TDigestWait& wait) {
  std::vector<std::string> digests(fileNames.size());
  if (fileNames.empty()) return digests;
  std::atomic<size_t> next{0};
  std::mutex lock;
  std::condition_variable changed;
  size_t finished = 0;
  auto work = [&] {
    for (size_t i = next++; i < fileNames.size(); i = next++) {
      std::string digest = FileDigest(fileNames[i]);
      std::lock_guard<std::mutex> guard(lock);
      digests[i] = std::move(digest);
      ++finished;
      changed.notify_one();
    }
  };
  unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
  count = static_cast<unsigned>(std::min<size_t>(count, fileNames.size()));
  // The workers stop taking files and are joined however this function is left.
  struct TJoiner {
    std::vector<std::thread> Threads;
    std::atomic<size_t>& Next;
    size_t End;
    ~TJoiner() {
      Next = End;
      for (std::thread& thread : Threads) thread.join();
    }
  } workers{{}, next, fileNames.size()};
  for (unsigned i = 0; i < count; ++i) workers.Threads.emplace_back(work);
  for (;;) {
    size_t done;
    {
      std::unique_lock<std::mutex> guard(lock);
      changed.wait_for(guard, std::chrono::milliseconds(20), [&] { return finished == fileNames.size(); });
      done = finished;
    }
    if (wait) wait(static_cast<int>(done));
    if (done == fileNames.size()) break;
  }
  return digests;
}

}  // namespace app
