#include "framework/graphics/bitmap.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/bmp_reader.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/exceptions.h"
#include "framework/classes/streams.h"
#include "framework/sys/owned_handle.h"

namespace fw {
namespace {

int BytesPerPixel(TPixelFormat format) { return format == pf32bit ? 4 : 3; }

int StrideOf(int width, TPixelFormat format) {
  return (width * BytesPerPixel(format) + 3) & ~3;
}

// Draws src (width x height) into rect of dst leaving out the pixels of the transparent
// colour: a monochrome mask clears the opaque part of the destination, and the image with its
// transparent pixels turned black is or-ed in.
void DrawTransparent(HDC dst, const TRect& rect, HDC src, int width, int height,
                     COLORREF transparent) {
  HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
  HBITMAP image = ::CreateCompatibleBitmap(TWindowDC().Get(), width, height);
  {
    TMemoryDC maskDC(mask);
    TMemoryDC imageDC(image);
    COLORREF oldBk = ::SetBkColor(src, transparent);
    ::BitBlt(maskDC.Get(), 0, 0, width, height, src, 0, 0, SRCCOPY);
    ::SetBkColor(src, oldBk);

    ::BitBlt(imageDC.Get(), 0, 0, width, height, src, 0, 0, SRCCOPY);
    ::SetBkColor(imageDC.Get(), RGB(0, 0, 0));
    ::SetTextColor(imageDC.Get(), RGB(255, 255, 255));
    ::BitBlt(imageDC.Get(), 0, 0, width, height, maskDC.Get(), 0, 0, SRCAND);

    COLORREF oldText = ::SetTextColor(dst, RGB(0, 0, 0));
    oldBk = ::SetBkColor(dst, RGB(255, 255, 255));
    int oldMode = ::SetStretchBltMode(dst, COLORONCOLOR);
    ::StretchBlt(dst, rect.Left, rect.Top, rect.Width(), rect.Height(), maskDC.Get(), 0, 0, width,
                 height, SRCAND);
    ::StretchBlt(dst, rect.Left, rect.Top, rect.Width(), rect.Height(), imageDC.Get(), 0, 0,
                 width, height, SRCPAINT);
    ::SetStretchBltMode(dst, oldMode);
    ::SetTextColor(dst, oldText);
    ::SetBkColor(dst, oldBk);
  }
  ::DeleteObject(image);
  ::DeleteObject(mask);
}

}  // namespace

// The bitmap's canvas: a memory DC holding the bitmap's DIB.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    if (!FDC) return;
    HDC dc = FDC;
    SetHandle(nullptr);
    if (FOldBitmap) ::SelectObject(dc, FOldBitmap);
    ::DeleteDC(dc);
    FDC = nullptr;
    FOldBitmap = nullptr;
  }

 protected:
  void CreateHandle() override {
    FDC = ::CreateCompatibleDC(nullptr);
    if (FBitmap->FHandle) FOldBitmap = ::SelectObject(FDC, FBitmap->FHandle);
    SetHandle(FDC);
  }

 private:
  TBitmap* FBitmap;
  HDC FDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FHandle) ::DeleteObject(FHandle);
}

HBITMAP TBitmap::CreateDib(int width, int height, TPixelFormat format, unsigned char*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom-up rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(BytesPerPixel(format) * 8);
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP handle = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  if (!handle || !memory) throw EOutOfResources("Out of system resources");
  bits = static_cast<unsigned char*>(memory);
  return handle;
}

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::Install(HBITMAP handle, unsigned char* bits, int width, int height,
                      TPixelFormat format) {
  FreeContext();
  HBITMAP old = FHandle;
  FHandle = handle;
  FBits = handle ? bits : nullptr;
  FWidth = handle ? width : 0;
  FHeight = handle ? height : 0;
  FPixelFormat = format;
  if (old && old != handle) ::DeleteObject(old);
  Changed();
}

unsigned char* TBitmap::Row(int y) const {
  return FBits + static_cast<size_t>(FHeight - 1 - y) * StrideOf(FWidth, FPixelFormat);
}

int TBitmap::GetStride() const { return StrideOf(FWidth, FPixelFormat); }

void* TBitmap::GetScanLine(int y) const {
  if (!FHandle || y < 0 || y >= FHeight) RaiseInvalidGraphic("Scan line index out of range");
  ::GdiFlush();
  return Row(y);
}

void TBitmap::SetSize(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width == FWidth && height == FHeight) return;
  if (!width || !height) {
    Install(nullptr, nullptr, 0, 0, FPixelFormat);
    return;
  }
  unsigned char* bits = nullptr;
  HBITMAP handle = CreateDib(width, height, FPixelFormat, bits);
  int bpp = BytesPerPixel(FPixelFormat);
  int stride = StrideOf(width, FPixelFormat);
  if (FCanvas) {
    COLORREF fill = static_cast<COLORREF>(ColorToRGB(FCanvas->GetBrush()->GetColor()));
    for (int y = 0; y < height; ++y) {
      unsigned char* p = bits + static_cast<size_t>(y) * stride;
      for (int x = 0; x < width; ++x, p += bpp) {
        p[0] = GetBValue(fill);
        p[1] = GetGValue(fill);
        p[2] = GetRValue(fill);
      }
    }
  }
  if (FHandle) {
    ::GdiFlush();
    int rows = std::min(height, FHeight);
    size_t bytes = static_cast<size_t>(std::min(width, FWidth)) * bpp;
    for (int y = 0; y < rows; ++y)
      std::memcpy(bits + static_cast<size_t>(height - 1 - y) * stride, Row(y), bytes);
  }
  Install(handle, bits, width, height, FPixelFormat);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == FPixelFormat) return;
  if (!FHandle) {
    FPixelFormat = format;
    Changed();
    return;
  }
  unsigned char* bits = nullptr;
  HBITMAP handle = CreateDib(FWidth, FHeight, format, bits);
  ::GdiFlush();
  int fromBpp = BytesPerPixel(FPixelFormat), toBpp = BytesPerPixel(format);
  int stride = StrideOf(FWidth, format);
  for (int y = 0; y < FHeight; ++y) {
    const unsigned char* src = Row(y);
    unsigned char* dst = bits + static_cast<size_t>(FHeight - 1 - y) * stride;
    for (int x = 0; x < FWidth; ++x, src += fromBpp, dst += toBpp) std::memcpy(dst, src, 3);
  }
  Install(handle, bits, FWidth, FHeight, format);
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  if (bitmap == FHandle) return;
  if (!bitmap) {
    Install(nullptr, nullptr, 0, 0, FPixelFormat);
    return;
  }
  DIBSECTION ds{};
  if (::GetObjectA(bitmap, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits &&
      ds.dsBmih.biHeight > 0 && (ds.dsBmih.biBitCount == 24 || ds.dsBmih.biBitCount == 32) &&
      ds.dsBmih.biCompression == BI_RGB) {
    Install(bitmap, static_cast<unsigned char*>(ds.dsBm.bmBits), ds.dsBm.bmWidth,
            ds.dsBm.bmHeight, ds.dsBmih.biBitCount == 32 ? pf32bit : pf24bit);
    return;
  }
  BITMAP bm{};
  if (!::GetObjectA(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    RaiseInvalidGraphic("Bitmap image is not valid");
  unsigned char* bits = nullptr;
  HBITMAP handle = CreateDib(bm.bmWidth, bm.bmHeight, pf24bit, bits);
  {
    TMemoryDC from(bitmap);
    TMemoryDC to(handle);
    ::BitBlt(to.Get(), 0, 0, bm.bmWidth, bm.bmHeight, from.Get(), 0, 0, SRCCOPY);
  }
  ::DeleteObject(bitmap);
  Install(handle, bits, bm.bmWidth, bm.bmHeight, pf24bit);
}

HBITMAP TBitmap::ReleaseHandle() {
  FreeContext();
  HBITMAP handle = FHandle;
  FHandle = nullptr;
  FBits = nullptr;
  FWidth = FHeight = 0;
  Changed();
  return handle;
}

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

TColor TBitmap::GetTransparentColor() const {
  if (FTransparentColor != clDefault || !FHandle) return FTransparentColor;
  const unsigned char* p = static_cast<const unsigned char*>(GetScanLine(FHeight - 1));
  return p[2] | (p[1] << 8) | (p[0] << 16);
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == FTransparentColor) return;
  FTransparentColor = color;
  Changed();
}

void TBitmap::Assign(const TPersistent* source) {
  if (!source) {
    Install(nullptr, nullptr, 0, 0, FPixelFormat);
    return;
  }
  auto* from = dynamic_cast<const TBitmap*>(source);
  if (!from) {
    TGraphic::Assign(source);
    return;
  }
  if (from == this) return;
  FTransparent = from->FTransparent;
  FTransparentColor = from->FTransparentColor;
  if (from->GetEmpty()) {
    Install(nullptr, nullptr, 0, 0, from->FPixelFormat);
    return;
  }
  unsigned char* bits = nullptr;
  HBITMAP handle = CreateDib(from->FWidth, from->FHeight, from->FPixelFormat, bits);
  ::GdiFlush();
  std::memcpy(bits, from->FBits,
              static_cast<size_t>(StrideOf(from->FWidth, from->FPixelFormat)) * from->FHeight);
  Install(handle, bits, from->FWidth, from->FHeight, from->FPixelFormat);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(this);
  return copy;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (GetEmpty()) return;
  HDC dst = canvas.GetHandle();
  HDC src = GetCanvas()->GetHandle();
  if (FTransparent) {
    DrawTransparent(dst, rect, src, FWidth, FHeight,
                    static_cast<COLORREF>(ColorToRGB(GetTransparentColor())));
    return;
  }
  if (rect.Width() == FWidth && rect.Height() == FHeight) {
    ::BitBlt(dst, rect.Left, rect.Top, FWidth, FHeight, src, 0, 0, canvas.GetCopyMode());
  } else {
    int oldMode = ::SetStretchBltMode(dst, COLORONCOLOR);
    ::StretchBlt(dst, rect.Left, rect.Top, rect.Width(), rect.Height(), src, 0, 0, FWidth,
                 FHeight, canvas.GetCopyMode());
    ::SetStretchBltMode(dst, oldMode);
  }
}

void TBitmap::LoadPixels(const TBmpPixels& pixels) {
  unsigned char* bits = nullptr;
  HBITMAP handle = CreateDib(pixels.Width, pixels.Height, pf24bit, bits);
  int stride = StrideOf(pixels.Width, pf24bit);
  size_t rowBytes = static_cast<size_t>(pixels.Width) * 3;
  for (int y = 0; y < pixels.Height; ++y)
    std::memcpy(bits + static_cast<size_t>(pixels.Height - 1 - y) * stride,
                pixels.Bgr.data() + rowBytes * y, rowBytes);
  Install(handle, bits, pixels.Width, pixels.Height, pf24bit);
}

void TBitmap::LoadFromData(const std::string& data) {
  LoadPixels(ReadBmpFile(reinterpret_cast<const unsigned char*>(data.data()), data.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HRSRC resource = ::FindResourceA(instance, name.c_str(), RT_BITMAP);
  HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) RaiseInvalidGraphic("Resource " + name + " not found");
  LoadPixels(ReadPackedDib(static_cast<const unsigned char*>(data),
                           ::SizeofResource(instance, resource)));
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(id), RT_BITMAP);
  HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) RaiseInvalidGraphic("Resource " + std::to_string(id) + " not found");
  LoadPixels(ReadPackedDib(static_cast<const unsigned char*>(data),
                           ::SizeofResource(instance, resource)));
}

void TBitmap::SaveToStream(TStream& stream) const {
  if (GetEmpty()) RaiseInvalidGraphic("Cannot save an empty bitmap");
  ::GdiFlush();
  DWORD imageSize = static_cast<DWORD>(StrideOf(FWidth, FPixelFormat)) * FHeight;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + imageSize;
  info.biSize = sizeof(info);
  info.biWidth = FWidth;
  info.biHeight = FHeight;
  info.biPlanes = 1;
  info.biBitCount = static_cast<WORD>(BytesPerPixel(FPixelFormat) * 8);
  info.biCompression = BI_RGB;
  info.biSizeImage = imageSize;
  stream.WriteBuffer(&file, sizeof(file));
  stream.WriteBuffer(&info, sizeof(info));
  stream.WriteBuffer(FBits, static_cast<int>(imageSize));
}

void TBitmap::SaveToFile(const std::string& fileName) const {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

}  // namespace fw
