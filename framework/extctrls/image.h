// TImage: shows a picture (bitmap, icon or JPEG) at its size, centred or stretched.
#pragma once
#include <memory>

#include "framework/controls/graphic_control.h"
#include "framework/graphics/picture.h"

namespace fw {

class TImage : public TGraphicControl {
  FW_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* owner);

  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(const TPicture* picture) { FPicture->Assign(picture); }
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool v);
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool v);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool CanAutoSize(int& newWidth, int& newHeight) override;
  // The rectangle the picture is drawn into.
  TRect DestRect() const;

 protected:
  ~TImage() override;
  void Paint() override;

 private:
  void PictureChanged();

  std::unique_ptr<TPicture> FPicture;
  bool FCenter = false;
  bool FStretch = false;
  bool FTransparent = false;
};

}  // namespace fw
