// TBitmap: a device-independent bitmap (DIB section) with bottom-up rows, 24 bits per pixel
// unless PixelFormat says 32. Pixels are reached through ScanLine(y) (row y from the top);
// rows lie in memory from the bottom up, so ScanLine(1) - ScanLine(0) is minus the stride.
#pragma once
#include <memory>
#include <string>

#include "framework/graphics/colors.h"
#include "framework/graphics/graphic.h"

namespace fw {

class TBitmapCanvas;
class TCanvas;
struct TBmpPixels;

enum TPixelFormat { pf24bit, pf32bit };
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmap : public TGraphic {
  FW_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  ~TBitmap() override;

  // A deep copy of another bitmap (null empties this one); other pictures are asked to
  // AssignTo a bitmap.
  void Assign(const TPersistent* source) override;
  std::unique_ptr<TGraphic> Clone() const override;

  bool GetEmpty() const override { return FHandle == nullptr; }
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  void SetWidth(int width) { SetSize(width, FHeight); }
  void SetHeight(int height) { SetSize(FWidth, height); }
  // Keeps the pixel format and the pixels both sizes share; new pixels take the canvas's brush
  // colour when the canvas exists, else black. A zero size empties the bitmap.
  void SetSize(int width, int height);
  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  // Converts the pixels to the new format.
  void SetPixelFormat(TPixelFormat format);
  TBitmapHandleType GetHandleType() const { return bmDIB; }

  // While the canvas has a DC the bitmap stays selected in it, and GDI lets a bitmap be
  // selected into one DC only: hand a copy to code that selects it elsewhere.
  HBITMAP GetHandle() const { return FHandle; }
  // Takes ownership of the bitmap; one that is not a bottom-up 24- or 32-bit DIB section is
  // copied into a 24-bit one and deleted.
  void SetHandle(HBITMAP bitmap);
  // Gives up the handle without deleting it; the bitmap becomes empty.
  HBITMAP ReleaseHandle();

  // The first byte of row y (0 = top); GdiFlush runs first so GDI's drawing is complete.
  // Raises EInvalidGraphic for a row outside the bitmap.
  void* GetScanLine(int y) const;
  // Bytes per row in memory (positive; rows run bottom-up).
  int GetStride() const;

  // A memory DC with this bitmap selected, made on first use and let go when the handle
  // changes.
  TCanvas* GetCanvas();

  // The colour that is left out when the bitmap is drawn transparently: by default
  // (clDefault) the bottom-left pixel.
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor color);

  void Draw(TCanvas& canvas, const TRect& rect) override;

  // Loads an RT_BITMAP resource of the module.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromResourceID(HINSTANCE instance, int id);
  // Writes a .bmp file with the bitmap's own pixel format.
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;

 protected:
  void LoadFromData(const std::string& data) override;

 private:
  friend class TBitmapCanvas;
  // Makes a new DIB of the size and format and returns it (zero-filled) without installing it.
  static HBITMAP CreateDib(int width, int height, TPixelFormat format, unsigned char*& bits);
  void Install(HBITMAP handle, unsigned char* bits, int width, int height, TPixelFormat format);
  void LoadPixels(const TBmpPixels& pixels);
  void FreeContext();
  unsigned char* Row(int y) const;

  HBITMAP FHandle = nullptr;
  unsigned char* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pf24bit;
  TColor FTransparentColor = clDefault;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

}  // namespace fw
