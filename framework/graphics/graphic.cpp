#include "framework/graphics/graphic.h"

#include "framework/rtl/exceptions.h"
#include "framework/classes/streams.h"

namespace fw {

void RaiseInvalidGraphic(const std::string& message) { throw EInvalidGraphic(message); }

void TGraphic::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed();
}

void TGraphic::LoadFromStream(TStream& stream) {
  int64_t remaining = stream.GetSize() - stream.GetPosition();
  if (remaining < 0) remaining = 0;
  if (remaining > 0x7FFFFFFF) RaiseInvalidGraphic("Picture data too large");
  std::string data(static_cast<size_t>(remaining), '\0');
  if (remaining) stream.ReadBuffer(data.data(), static_cast<int>(remaining));
  LoadFromData(data);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace fw
