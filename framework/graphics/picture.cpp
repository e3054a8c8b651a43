#include "framework/graphics/picture.h"

#include "framework/graphics/bitmap.h"
#include "framework/graphics/icon.h"
#include "framework/graphics/jpeg_image.h"

namespace fw {

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Hold(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::Assign(const TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
  } else if (auto* picture = dynamic_cast<const TPicture*>(source)) {
    if (picture != this) SetGraphic(picture->FGraphic.get());
  } else if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
    SetGraphic(graphic);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (graphic && graphic == FGraphic.get()) return;
  Hold(graphic ? graphic->Clone() : nullptr);
}

TBitmap* TPicture::GetBitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Hold(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::SetBitmap(const TBitmap* bitmap) { SetGraphic(bitmap); }

TIcon* TPicture::GetIcon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) Hold(std::make_unique<TIcon>());
  return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::SetIcon(const TIcon* icon) { SetGraphic(icon); }

int TPicture::GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }

int TPicture::GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }

void TPicture::LoadFromFile(const std::string& fileName) {
  size_t dot = fileName.find_last_of(".\\/");
  std::string ext = dot != std::string::npos && fileName[dot] == '.' ? fileName.substr(dot + 1) : "";
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  std::unique_ptr<TGraphic> graphic;
  if (ext == "bmp")
    graphic = std::make_unique<TBitmap>();
  else if (ext == "ico")
    graphic = std::make_unique<TIcon>();
  else if (ext == "jpg" || ext == "jpeg")
    graphic = std::make_unique<TJPEGImage>();
  else
    RaiseInvalidGraphic("Unknown picture file extension (." + ext + ")");
  graphic->LoadFromFile(fileName);
  Hold(std::move(graphic));
}

}  // namespace fw
