// Byte streams: TStream with 64-bit positions, THandleStream/TFileStream over Win32 file
// handles, and TMemoryStream. Read returns 0 only at the end; an OS failure raises.
#pragma once
#include "framework/win.h"

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/object.h"

namespace fw {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// TFileStream modes: one open mode, or-ed with one share mode; fmCreate makes a new file.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFF00;

class TStream : public TObject {
  FW_CLASS(TStream, TObject)
 public:
  ~TStream() override = default;
  // Reads up to count bytes; fewer only at the end of the data.
  virtual int Read(void* buffer, int count) = 0;
  virtual int Write(const void* buffer, int count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(int64_t position) { Seek(position, soBeginning); }
  virtual int64_t GetSize();
  virtual void SetSize(int64_t size);

  // Exactly count bytes, or EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* buffer, int count);
  void WriteBuffer(const void* buffer, int count);
  // Copies count bytes from the source's position; count 0 copies the whole source from its
  // start. Returns the number copied.
  int64_t CopyFrom(TStream& source, int64_t count);
};

class THandleStream : public TStream {
  FW_CLASS(THandleStream, TStream)
 public:
  explicit THandleStream(HANDLE handle) : FHandle(handle) {}
  HANDLE GetHandle() const { return FHandle; }
  // ReadFile failure raises EReadError (with the system's text); 0 means end of file.
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;

 protected:
  HANDLE FHandle;
};

class TFileStream : public THandleStream {
  FW_CLASS(TFileStream, THandleStream)
 public:
  // fileName is UTF-8 of any length. Raises EFCreateError "Cannot create file "<name>".
  // <reason>" or EFOpenError "Cannot open file "<name>". <reason>".
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  const std::string& GetFileName() const { return FFileName; }

 private:
  std::string FFileName;
};

class TMemoryStream : public TStream {
  FW_CLASS(TMemoryStream, TStream)
 public:
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t size) override;

  void* GetMemory() { return FData.data(); }
  const void* GetMemory() const { return FData.data(); }
  void Clear();
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  void SaveToStream(TStream& stream);
  void SaveToFile(const std::string& fileName);

 private:
  std::vector<char> FData;
  int64_t FPosition = 0;
};

}  // namespace fw
