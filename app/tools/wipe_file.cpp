#include "app/tools/wipe_file.h"

#include <wincrypt.h>

#include <algorithm>
#include <vector>

#include "framework/rtl/file_links.h"
#include "framework/rtl/wide_path.h"

namespace app {

namespace {

// The bytes written per random call and per write.
constexpr DWORD kBlockSize = 1 << 20;

class TCryptoRandomSource : public TWipeRandomSource {
 public:
  // A verify context needs no key container, which many accounts do not have.
  bool Acquire() override {
    return CryptAcquireContextA(&FProvider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) != FALSE;
  }
  bool Fill(uint8_t* buffer, DWORD size) override {
    return FProvider && CryptGenRandom(FProvider, size, buffer) != FALSE;
  }
  void Release() override {
    if (FProvider) CryptReleaseContext(FProvider, 0);
    FProvider = 0;
  }

 private:
  HCRYPTPROV FProvider = 0;
};

TCryptoRandomSource cryptoSource;
TWipeRandomSource* randomSource = nullptr;
TWipeObserver* observer = nullptr;
TWipeFileCalls platformCalls;
TWipeFileCalls* fileCalls = nullptr;

TWipeRandomSource& Source() { return randomSource ? *randomSource : cryptoSource; }
TWipeFileCalls& Calls() { return fileCalls ? *fileCalls : platformCalls; }

// Releases the source when the wipe of a file ends, however it ends.
class TAcquired {
 public:
  explicit TAcquired(TWipeRandomSource& source) : FSource(&source) {}
  ~TAcquired() { Release(); }
  TAcquired(const TAcquired&) = delete;
  TAcquired& operator=(const TAcquired&) = delete;
  void Release() {
    if (FSource) FSource->Release();
    FSource = nullptr;
  }

 private:
  TWipeRandomSource* FSource;
};

class TOpenFile {
 public:
  explicit TOpenFile(HANDLE handle) : FHandle(handle) {}
  ~TOpenFile() { Close(); }
  TOpenFile(const TOpenFile&) = delete;
  TOpenFile& operator=(const TOpenFile&) = delete;
  HANDLE Get() const { return FHandle; }
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
  void Close() {
    if (Valid()) CloseHandle(FHandle);
    FHandle = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE FHandle;
};

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// True when nothing of that name is left; a file whose delete is pending still counts.
bool IsGone(const std::string& fileName) {
  return GetFileAttributesW(fw::FileApiPath(fileName).c_str()) == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError());
}

// Six passes over the whole length of the open file, each flushed.
TWipeResult Overwrite(HANDLE file, int64_t size, TWipeRandomSource& source) {
  TWipeFileCalls& calls = Calls();
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(size, kBlockSize)), 0);
  for (int pass = 1; pass <= kWipePasses; ++pass) {
    if (!calls.SeekToStart(file)) return wrWriteFailed;
    for (int64_t remaining = size; remaining > 0;) {
      DWORD count = static_cast<DWORD>(std::min<int64_t>(remaining, kBlockSize));
      if (!source.Fill(buffer.data(), count)) return wrNoRandomData;
      DWORD written = 0;
      if (!calls.Write(file, buffer.data(), count, written) || written != count) return wrWriteFailed;
      remaining -= count;
    }
    if (!calls.Flush(file)) return wrWriteFailed;
    if (observer) observer->PassFlushed(file, pass);
  }
  return wrWiped;
}

}  // namespace

bool TWipeFileCalls::SeekToStart(HANDLE file) {
  LARGE_INTEGER start{};
  return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != FALSE;
}

bool TWipeFileCalls::Write(HANDLE file, const void* buffer, DWORD count, DWORD& written) {
  return WriteFile(file, buffer, count, &written, nullptr) != FALSE;
}

bool TWipeFileCalls::Flush(HANDLE file) { return FlushFileBuffers(file) != FALSE; }

const char* WipeResultText(TWipeResult result) {
  switch (result) {
    case wrWiped: return "Wiped";
    case wrNotFound: return "Not found";
    case wrNoAccess: return "In use or no access";
    case wrLink: return "Link, not wiped";
    case wrNoRandomData: return "No random data";
    case wrWriteFailed: return "Write failed";
    case wrNotDeleted: return "Overwritten but not deleted";
  }
  return "";
}

TWipeResult WipeFile(const std::string& fileName) {
  DWORD attributes = GetFileAttributesW(fw::FileApiPath(fileName).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return IsMissing(GetLastError()) ? wrNotFound : wrNoAccess;
  // A link is never opened for writing, also where the system shows it as a plain file: the
  // writes would reach what it leads to.
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || fw::IsLink(fileName)) return wrLink;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return wrNotFound;
  // A read-only file could not be deleted afterwards: it is refused before anything is written.
  if (attributes & FILE_ATTRIBUTE_READONLY) return wrNoAccess;

  TWipeRandomSource& source = Source();
  if (!source.Acquire()) return wrNoRandomData;
  TAcquired acquired(source);

  // The file itself, not what a link would lead to, and no other opener while it is written.
  TOpenFile file(CreateFileW(fw::FileApiPath(fileName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.Valid()) return IsMissing(GetLastError()) ? wrNotFound : wrNoAccess;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.Get(), &info)) return wrNoAccess;
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || info.nNumberOfLinks > 1) return wrLink;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return wrNotFound;
  int64_t size = (static_cast<int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;

  TWipeResult result = Overwrite(file.Get(), size, source);
  file.Close();
  acquired.Release();
  if (result != wrWiped) return result;
  if (observer) observer->BeforeDelete(fileName);
  if (!DeleteFileW(fw::FileApiPath(fileName).c_str()) || !IsGone(fileName)) return wrNotDeleted;
  return wrWiped;
}

namespace testing {

TWipeRandomSource* SetWipeRandomSource(TWipeRandomSource* source) {
  TWipeRandomSource* previous = randomSource;
  randomSource = source;
  return previous;
}

TWipeObserver* SetWipeObserver(TWipeObserver* replacement) {
  TWipeObserver* previous = observer;
  observer = replacement;
  return previous;
}

TWipeFileCalls* SetWipeFileCalls(TWipeFileCalls* calls) {
  TWipeFileCalls* previous = fileCalls;
  fileCalls = calls;
  return previous;
}

}  // namespace testing

}  // namespace app
