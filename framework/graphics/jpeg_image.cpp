#include "framework/graphics/jpeg_image.h"

#include "framework/graphics/jpeg_decoder.h"

namespace fw {

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(const TPersistent* source) {
  if (!source) {
    FData.clear();
    FWarnings = 0;
    FWarningText.clear();
    FBitmap.Assign(nullptr);
    Changed();
    return;
  }
  auto* from = dynamic_cast<const TJPEGImage*>(source);
  if (!from) {
    TGraphic::Assign(source);
    return;
  }
  if (from == this) return;
  FData = from->FData;
  FWarnings = from->FWarnings;
  FWarningText = from->FWarningText;
  FBitmap.Assign(&from->FBitmap);
  Changed();
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->Assign(this);
  return copy;
}

void TJPEGImage::AssignTo(TPersistent* dest) const {
  if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
    bitmap->Assign(FData.empty() ? nullptr : &FBitmap);
    return;
  }
  TGraphic::AssignTo(dest);
}

void TJPEGImage::LoadFromData(const std::string& data) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  jpeg_decoder_info info{};
  if (jpeg_decoder_read_info(bytes, data.size(), &info) != JPEG_DECODER_OK)
    RaiseInvalidGraphic(std::string("JPEG image is not valid: ") + info.message);
  if (info.width <= 0 || info.height <= 0 ||
      static_cast<long long>(info.width) * info.height > 64LL * 1024 * 1024)
    RaiseInvalidGraphic("JPEG image is not valid: bad size");

  TBitmap decoded;
  decoded.SetSize(info.width, info.height);
  // Row 0 is the top row; the rows below it lie lower in memory (bottom-up DIB).
  auto* top = static_cast<unsigned char*>(decoded.GetScanLine(0));
  if (jpeg_decoder_decode_bgr(bytes, data.size(), top, -static_cast<long>(decoded.GetStride()),
                              info.width, info.height, &info) != JPEG_DECODER_OK)
    RaiseInvalidGraphic(std::string("JPEG image is not valid: ") + info.message);

  FData = data;
  FWarnings = info.warnings;
  FWarningText = info.warning;
  FBitmap.Assign(&decoded);
  Changed();
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) { FBitmap.Draw(canvas, rect); }

}  // namespace fw
