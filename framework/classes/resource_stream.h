// TResourceStream: read-only access to an RCDATA (or other) resource of a module.
#pragma once
#include "framework/win.h"

#include <string>

#include "framework/classes/streams.h"

namespace fw {

class TResourceStream : public TStream {
  FW_CLASS(TResourceStream, TStream)
 public:
  // Raises EResNotFound "Resource <name> not found" when the module lacks it.
  TResourceStream(HINSTANCE instance, const std::string& name, LPCSTR type);
  TResourceStream(HINSTANCE instance, int id, LPCSTR type);
  int Read(void* buffer, int count) override;
  // Raises EStreamError: the resource is read-only.
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return FSize; }
  const void* GetMemory() const { return FData; }

 private:
  void Load(HINSTANCE instance, LPCSTR name, LPCSTR type, const std::string& shownName);
  const char* FData = nullptr;
  int64_t FSize = 0;
  int64_t FPosition = 0;
};

}  // namespace fw
