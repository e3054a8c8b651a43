// TJPEGImage: a JPEG picture. The compressed bytes are kept (Assign copies them) and decoded
// once, at load, into a 24-bit TBitmap; greyscale pictures come out as grey RGB, CMYK ones and
// damaged data raise EInvalidGraphic.
#pragma once
#include <memory>
#include <string>

#include "framework/graphics/bitmap.h"

namespace fw {

class TJPEGImage : public TGraphic {
  FW_CLASS(TJPEGImage, TGraphic)
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  // A copy of another JPEG picture (null empties this one).
  void Assign(const TPersistent* source) override;
  std::unique_ptr<TGraphic> Clone() const override;

  bool GetEmpty() const override { return FData.empty(); }
  int GetWidth() const override { return FBitmap.GetWidth(); }
  int GetHeight() const override { return FBitmap.GetHeight(); }

  void Draw(TCanvas& canvas, const TRect& rect) override;

  // How many corrupt-data warnings the decoder gave for the picture loaded last (it decodes
  // such data, filling what is missing), and the first warning's text.
  int GetWarnings() const { return FWarnings; }
  const std::string& GetWarningText() const { return FWarningText; }

  // The decoded picture.
  TBitmap* GetBitmap() { return &FBitmap; }
  const TBitmap* GetBitmap() const { return &FBitmap; }

 protected:
  void LoadFromData(const std::string& data) override;
  // A TBitmap destination receives the decoded picture.
  void AssignTo(TPersistent* dest) const override;

 private:
  std::string FData;
  TBitmap FBitmap;
  int FWarnings = 0;
  std::string FWarningText;
};

}  // namespace fw
