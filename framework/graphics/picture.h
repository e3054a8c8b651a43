// TPicture: holds one picture of any kind (bitmap, icon, JPEG) for TImage and friends.
#pragma once
#include <memory>
#include <string>

#include "framework/core/events.h"
#include "framework/core/object.h"

namespace fw {

class TBitmap;
class TGraphic;
class TIcon;

class TPicture : public TPersistent {
  FW_CLASS(TPicture, TPersistent)
 public:
  TPicture();
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Takes a copy of another picture's graphic, or of a graphic; null empties the picture.
  void Assign(const TPersistent* source) override;

  TGraphic* GetGraphic() const { return FGraphic.get(); }
  // Holds a copy of the graphic (null: none).
  void SetGraphic(const TGraphic* graphic);
  // The held bitmap; a picture holding anything else gets a new empty bitmap instead.
  TBitmap* GetBitmap();
  void SetBitmap(const TBitmap* bitmap);
  // The held icon; a picture holding anything else gets a new empty icon instead.
  TIcon* GetIcon();
  void SetIcon(const TIcon* icon);

  int GetWidth() const;
  int GetHeight() const;

  // Picks the class by extension: .bmp, .ico, .jpg/.jpeg; raises EInvalidGraphic for others.
  void LoadFromFile(const std::string& fileName);

  TNotifyEvent OnChange;

 private:
  void Hold(std::unique_ptr<TGraphic> graphic);
  void Changed();

  std::unique_ptr<TGraphic> FGraphic;
};

}  // namespace fw
