#include "framework/classes/resource_stream.h"

#include <algorithm>
#include <cstring>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"

namespace fw {

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name, LPCSTR type) {
  Load(instance, name.c_str(), type, name);
}

TResourceStream::TResourceStream(HINSTANCE instance, int id, LPCSTR type) {
  Load(instance, MAKEINTRESOURCEA(id), type, IntToStr(id));
}

void TResourceStream::Load(HINSTANCE instance, LPCSTR name, LPCSTR type, const std::string& shownName) {
  // Resources stay mapped as long as the module is loaded: nothing to free.
  HRSRC info = FindResourceA(instance, name, type);
  HGLOBAL handle = info ? LoadResource(instance, info) : nullptr;
  if (!handle) throw EResNotFound(Format("Resource %s not found", shownName));
  FData = static_cast<const char*>(LockResource(handle));
  FSize = SizeofResource(instance, info);
}

int TResourceStream::Read(void* buffer, int count) {
  int64_t available = FSize - FPosition;
  if (count <= 0 || available <= 0) return 0;
  int n = static_cast<int>(std::min<int64_t>(count, available));
  std::memcpy(buffer, FData + FPosition, n);
  FPosition += n;
  return n;
}

int TResourceStream::Write(const void*, int) { throw EStreamError("Can't write to a read-only resource stream"); }

int64_t TResourceStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : FSize;
  FPosition = std::max<int64_t>(0, base + offset);
  return FPosition;
}

}  // namespace fw
