// TGraphic: the base of pictures that can be loaded and drawn on a canvas (TBitmap, TIcon,
// TJPEGImage).
#pragma once
#include <memory>
#include <string>

#include "framework/core/events.h"
#include "framework/core/object.h"
#include "framework/graphics/geometry.h"

namespace fw {

class TCanvas;
class TStream;

// Raises EInvalidGraphic with the message.
[[noreturn]] void RaiseInvalidGraphic(const std::string& message);

class TGraphic : public TPersistent {
  FW_CLASS(TGraphic, TPersistent)
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual bool GetEmpty() const = 0;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool value);

  // Draws the picture stretched into rect.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;

  // Reads the picture from the stream's position to its end; raises EInvalidGraphic for data
  // it cannot read (the picture is then unchanged) and the stream's errors for a failed read.
  virtual void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  // Reads the picture from the whole of a picture file already in memory, as LoadFromStream
  // does, without copying it first.
  void LoadFromBytes(const std::string& data) { LoadFromData(data); }

  // A new picture of the same class holding a copy of this one.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  TNotifyEvent OnChange;

 protected:
  // Replaces the picture with the one encoded in data.
  virtual void LoadFromData(const std::string& data) = 0;
  virtual void Changed();

  bool FTransparent = false;
};

}  // namespace fw
