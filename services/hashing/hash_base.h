// Bases of the hashing components.
#pragma once
#include <cstdint>
#include <string>

#include "framework/core/component.h"
#include "framework/classes/streams.h"

namespace svc {

class TCrBase : public fw::TComponent {
  FW_CLASS(TCrBase, fw::TComponent)

 public:
  explicit TCrBase(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
};

class TCrBaseComponent : public TCrBase {
  FW_CLASS(TCrBaseComponent, TCrBase)

 public:
  explicit TCrBaseComponent(fw::TComponent* AOwner) : TCrBase(AOwner) {}
  std::string GetVersion() const { return "2.07"; }
  void SetVersion(const std::string&) {}  // read-only: writing is ignored
};

// A hash over buffers, strings, streams and files; streams are read through one 1024-byte
// buffer kept here, so hashing allocates nothing per chunk.
class TCrHash : public TCrBaseComponent {
  FW_CLASS(TCrHash, TCrBaseComponent)

 public:
  static constexpr int kReadChunk = 1024;

  explicit TCrHash(fw::TComponent* AOwner) : TCrBaseComponent(AOwner) {}
  virtual void HashBuffer(const void* buffer, int32_t length) = 0;
  virtual void HashFile(const std::string& fileName) = 0;
  virtual void HashStream(fw::TStream& stream) = 0;
  virtual void HashString(const std::string& text) = 0;

 protected:
  uint8_t FReadBuffer[kReadChunk];
};

}  // namespace svc
