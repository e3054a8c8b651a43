#include "framework/classes/streams.h"

#include <algorithm>
#include <cstring>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"

namespace fw {

int64_t TStream::GetSize() {
  int64_t position = Seek(0, soCurrent);
  int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, int count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.GetSize();
  }
  std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(count, 0xF000) + 1));
  int64_t left = count;
  while (left > 0) {
    int chunk = static_cast<int>(std::min<int64_t>(left, 0xF000));
    source.ReadBuffer(buffer.data(), chunk);
    WriteBuffer(buffer.data(), chunk);
    left -= chunk;
  }
  return count;
}

int THandleStream::Read(void* buffer, int count) {
  char* out = static_cast<char*>(buffer);
  int total = 0;
  // Pipes and some devices return short reads; only a read of 0 bytes is the end.
  while (total < count) {
    DWORD done = 0;
    if (!ReadFile(FHandle, out + total, static_cast<DWORD>(count - total), &done, nullptr)) {
      DWORD error = GetLastError();
      if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) break;
      throw EReadError("Stream read error: " + SysErrorMessage(error));
    }
    if (done == 0) break;
    total += static_cast<int>(done);
  }
  return total;
}

int THandleStream::Write(const void* buffer, int count) {
  DWORD done = 0;
  if (count > 0 && !WriteFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr))
    throw EWriteError("Stream write error: " + SysErrorMessage(GetLastError()));
  return static_cast<int>(done);
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(FHandle, distance, &result, methods[origin]))
    throw EStreamError("Stream seek error: " + SysErrorMessage(GetLastError()));
  return result.QuadPart;
}

void THandleStream::SetSize(int64_t size) {
  int64_t position = GetPosition();
  Seek(size, soBeginning);
  if (!SetEndOfFile(FHandle)) throw EStreamError("Stream size error: " + SysErrorMessage(GetLastError()));
  if (position < size) Seek(position, soBeginning);
}

namespace {

DWORD ShareFlags(unsigned mode) {
  switch (mode & 0xF0) {
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;
  }
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, unsigned mode)
    : THandleStream(INVALID_HANDLE_VALUE), FFileName(fileName) {
  if ((mode & fmCreate) == fmCreate) {
    FHandle = CreateFileW(FileApiPath(fileName).c_str(), GENERIC_READ | GENERIC_WRITE, ShareFlags(mode), nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE)
      throw EFCreateError(Format("Cannot create file \"%s\". %s", DisplayPath(fileName), SysErrorMessage(GetLastError())),
                          fileName);
    return;
  }
  static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  unsigned openMode = mode & 3;
  if (openMode > 2) throw EFOpenError(Format("Cannot open file \"%s\". Invalid mode", DisplayPath(fileName)), fileName);
  FHandle = CreateFileW(FileApiPath(fileName).c_str(), access[openMode], ShareFlags(mode), nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (FHandle == INVALID_HANDLE_VALUE)
    throw EFOpenError(Format("Cannot open file \"%s\". %s", DisplayPath(fileName), SysErrorMessage(GetLastError())),
                      fileName);
}

TFileStream::~TFileStream() {
  if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

int TMemoryStream::Read(void* buffer, int count) {
  int64_t available = GetSize() - FPosition;
  if (count <= 0 || available <= 0) return 0;
  int n = static_cast<int>(std::min<int64_t>(count, available));
  std::memcpy(buffer, FData.data() + FPosition, n);
  FPosition += n;
  return n;
}

int TMemoryStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  if (FPosition + count > GetSize()) FData.resize(static_cast<size_t>(FPosition + count));
  std::memcpy(FData.data() + FPosition, buffer, count);
  FPosition += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : GetSize();
  FPosition = std::max<int64_t>(0, base + offset);
  return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
  FData.resize(static_cast<size_t>(size));
  if (FPosition > size) FPosition = size;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  int64_t size = stream.GetSize();
  SetSize(size);
  if (size > 0) stream.ReadBuffer(FData.data(), static_cast<int>(size));
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& stream) {
  if (!FData.empty()) stream.WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

}  // namespace fw
