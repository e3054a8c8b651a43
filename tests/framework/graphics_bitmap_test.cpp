// TBitmap as a bottom-up DIB section, and our BMP reader on files written here byte by byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/bmp_reader.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/exceptions.h"
#include "support/sandbox.h"

namespace {

using fw::TBitmap;

// ---- pixels -------------------------------------------------------------------------------

fw::TColor PixelAt(const TBitmap& bmp, int x, int y) {
  int bpp = bmp.GetPixelFormat() == fw::pf32bit ? 4 : 3;
  auto* p = static_cast<const unsigned char*>(bmp.GetScanLine(y)) + x * bpp;
  return p[2] | (p[1] << 8) | (p[0] << 16);
}

void SetPixelAt(TBitmap& bmp, int x, int y, fw::TColor c) {
  int bpp = bmp.GetPixelFormat() == fw::pf32bit ? 4 : 3;
  auto* p = static_cast<unsigned char*>(bmp.GetScanLine(y)) + x * bpp;
  p[0] = static_cast<unsigned char>(c >> 16);
  p[1] = static_cast<unsigned char>(c >> 8);
  p[2] = static_cast<unsigned char>(c);
}

TEST(Bitmap, ScanLinesAreBottomUpRowsOfA24BitDibSection) {
  TBitmap bmp;
  EXPECT_TRUE(bmp.GetEmpty());
  bmp.SetSize(3, 4);
  ASSERT_FALSE(bmp.GetEmpty());
  EXPECT_EQ(bmp.GetPixelFormat(), fw::pf24bit);
  EXPECT_EQ(bmp.GetHandleType(), fw::bmDIB);

  DIBSECTION ds{};
  ASSERT_EQ(::GetObjectA(bmp.GetHandle(), sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
  EXPECT_EQ(ds.dsBmih.biBitCount, 24);
  EXPECT_GT(ds.dsBmih.biHeight, 0);

  auto* row0 = static_cast<unsigned char*>(bmp.GetScanLine(0));
  auto* row1 = static_cast<unsigned char*>(bmp.GetScanLine(1));
  EXPECT_EQ(row1 - row0, -12);  // 9 bytes padded to 12, rows going down in memory
  EXPECT_EQ(static_cast<unsigned char*>(bmp.GetScanLine(3)), static_cast<unsigned char*>(ds.dsBm.bmBits));

  // Written through ScanLine, read through GDI; drawn through GDI, read through ScanLine.
  SetPixelAt(bmp, 2, 0, 0x123456);
  fw::TCanvas* canvas = bmp.GetCanvas();
  EXPECT_EQ(canvas->GetPixels(2, 0), 0x123456);
  canvas->GetBrush()->SetColor(fw::clBlue);
  canvas->FillRect(fw::Rect(0, 3, 3, 4));
  EXPECT_EQ(PixelAt(bmp, 0, 3), fw::clBlue);
  EXPECT_EQ(row0[6], 0x12);  // blue, green, red in memory
  EXPECT_EQ(row0[8], 0x56);

  EXPECT_THROW(bmp.GetScanLine(4), fw::EInvalidGraphic);
  EXPECT_THROW(bmp.GetScanLine(-1), fw::EInvalidGraphic);
}

TEST(Bitmap, ResizeAndFormatChangeKeepPixels) {
  TBitmap bmp;
  bmp.GetCanvas()->GetBrush()->SetColor(fw::clRed);
  bmp.SetSize(2, 2);
  EXPECT_EQ(PixelAt(bmp, 1, 1), fw::clRed);  // new pixels take the canvas brush
  SetPixelAt(bmp, 0, 0, 0x010203);
  SetPixelAt(bmp, 1, 1, 0x0A0B0C);

  bmp.GetCanvas()->GetBrush()->SetColor(fw::clLime);
  bmp.SetSize(3, 3);
  EXPECT_EQ(PixelAt(bmp, 0, 0), 0x010203);
  EXPECT_EQ(PixelAt(bmp, 1, 1), 0x0A0B0C);
  EXPECT_EQ(PixelAt(bmp, 2, 2), fw::clLime);

  bmp.SetPixelFormat(fw::pf32bit);
  EXPECT_EQ(bmp.GetWidth(), 3);
  EXPECT_EQ(static_cast<unsigned char*>(bmp.GetScanLine(0)) -
                static_cast<unsigned char*>(bmp.GetScanLine(1)),
            12);
  EXPECT_EQ(PixelAt(bmp, 1, 1), 0x0A0B0C);
  bmp.SetHeight(4);  // keeps the 32-bit format
  EXPECT_EQ(bmp.GetPixelFormat(), fw::pf32bit);
  bmp.SetPixelFormat(fw::pf24bit);
  EXPECT_EQ(PixelAt(bmp, 0, 0), 0x010203);

  bmp.SetSize(0, 5);
  EXPECT_TRUE(bmp.GetEmpty());
}

TEST(Bitmap, AssignIsADeepCopyAndForeignBitmapsBecomeDibs) {
  TBitmap a;
  a.SetSize(2, 1);
  SetPixelAt(a, 0, 0, 0x445566);
  a.SetTransparent(true);
  TBitmap b;
  b.Assign(&a);
  SetPixelAt(a, 0, 0, 0);
  EXPECT_EQ(PixelAt(b, 0, 0), 0x445566);
  EXPECT_TRUE(b.GetTransparent());
  EXPECT_NE(a.GetHandle(), b.GetHandle());
  b.Assign(nullptr);
  EXPECT_TRUE(b.GetEmpty());

  // A device-dependent bitmap handed over is copied into a DIB section.
  HDC screen = ::GetDC(nullptr);
  HBITMAP ddb = ::CreateCompatibleBitmap(screen, 4, 2);
  HDC dc = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(dc, ddb);
  ::SetPixel(dc, 3, 1, RGB(0, 128, 255));
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  b.SetHandle(ddb);
  EXPECT_EQ(b.GetWidth(), 4);
  EXPECT_EQ(b.GetHeight(), 2);
  EXPECT_EQ(PixelAt(b, 3, 1), static_cast<fw::TColor>(RGB(0, 128, 255)));
  DIBSECTION ds{};
  EXPECT_EQ(::GetObjectA(b.GetHandle(), sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
}

TEST(Bitmap, TransparentDrawLeavesOutTheBottomLeftColour) {
  TBitmap glyph;
  glyph.SetSize(2, 2);
  SetPixelAt(glyph, 0, 0, fw::clRed);
  SetPixelAt(glyph, 1, 0, fw::clFuchsia);
  SetPixelAt(glyph, 0, 1, fw::clFuchsia);  // bottom-left: the transparent colour
  SetPixelAt(glyph, 1, 1, fw::clBlue);
  EXPECT_EQ(glyph.GetTransparentColor(), fw::clFuchsia);

  TBitmap target;
  target.GetCanvas()->GetBrush()->SetColor(fw::clWhite);
  target.SetSize(4, 4);
  glyph.SetTransparent(true);
  target.GetCanvas()->Draw(1, 1, &glyph);
  EXPECT_EQ(PixelAt(target, 1, 1), fw::clRed);
  EXPECT_EQ(PixelAt(target, 2, 1), fw::clWhite);
  EXPECT_EQ(PixelAt(target, 1, 2), fw::clWhite);
  EXPECT_EQ(PixelAt(target, 2, 2), fw::clBlue);
  EXPECT_EQ(PixelAt(target, 0, 0), fw::clWhite);

  glyph.SetTransparent(false);
  target.GetCanvas()->StretchDraw(fw::Rect(0, 0, 4, 4), &glyph);
  EXPECT_EQ(PixelAt(target, 3, 0), fw::clFuchsia);
  EXPECT_EQ(PixelAt(target, 0, 0), fw::clRed);
}

TEST(Bitmap, ReadsBitmapResourcesAsWin32Does) {
  // The standard tool-bar buttons of comctl32, compared with the system's own loader.
  HMODULE comctl = ::LoadLibraryA("comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  TBitmap bmp;
  bmp.LoadFromResourceID(comctl, 120);
  HBITMAP reference = static_cast<HBITMAP>(
      ::LoadImageA(comctl, MAKEINTRESOURCEA(120), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(reference, nullptr);
  BITMAP bm{};
  ::GetObjectA(reference, sizeof(bm), &bm);
  ASSERT_EQ(bmp.GetWidth(), bm.bmWidth);
  ASSERT_EQ(bmp.GetHeight(), bm.bmHeight);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, reference);
  int differences = 0;
  for (int y = 0; y < bm.bmHeight; ++y)
    for (int x = 0; x < bm.bmWidth; ++x)
      differences += PixelAt(bmp, x, y) != static_cast<fw::TColor>(::GetPixel(dc, x, y));
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::DeleteObject(reference);
  EXPECT_EQ(differences, 0);

  EXPECT_THROW(bmp.LoadFromResourceName(comctl, "NO_SUCH_BITMAP"), fw::EInvalidGraphic);
  EXPECT_EQ(bmp.GetWidth(), bm.bmWidth);
  ::FreeLibrary(comctl);
}

// ---- BMP files ----------------------------------------------------------------------------

// The test picture, 3 x 2: red green blue over white black red, as palette indexes.
const uint32_t kPalette[] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};  // 0xRRGGBB
const int kIndex[2][3] = {{1, 2, 3}, {4, 0, 1}};

fw::TColor Expected(int x, int y) {
  uint32_t rgb = kPalette[kIndex[y][x]];
  return static_cast<fw::TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

std::string Le(uint32_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

// A file with a 40-byte info header; rows must already be in storage order and padded.
std::string MakeBmp(int bpp, int height, uint32_t compression, const std::string& bits,
                    const std::vector<uint32_t>& palette, const std::vector<uint32_t>& masks = {}) {
  std::string extra;
  for (uint32_t m : masks) extra += Le(m, 4);
  for (uint32_t c : palette) extra += Le(c, 4);
  uint32_t offset = 14 + 40 + static_cast<uint32_t>(extra.size());
  std::string f = "BM" + Le(offset + static_cast<uint32_t>(bits.size()), 4) + Le(0, 4) + Le(offset, 4);
  f += Le(40, 4) + Le(3, 4) + Le(static_cast<uint32_t>(height), 4) + Le(1, 2) + Le(bpp, 2) +
       Le(compression, 4) + Le(static_cast<uint32_t>(bits.size()), 4) + Le(0, 4) + Le(0, 4) +
       Le(static_cast<uint32_t>(palette.size()), 4) + Le(0, 4);
  return f + extra + bits;
}

// Rows of the test picture encoded by pixelBytes, padded to 4 bytes, in storage order.
template <class Encode>
std::string Rows(bool topDown, Encode encodeRow) {
  std::string out;
  for (int i = 0; i < 2; ++i) {
    int y = topDown ? i : 1 - i;
    std::string row = encodeRow(y);
    while (row.size() % 4) row += '\0';
    out += row;
  }
  return out;
}

void ExpectPicture(const TBitmap& bmp, const std::string& what) {
  ASSERT_EQ(bmp.GetWidth(), 3) << what;
  ASSERT_EQ(bmp.GetHeight(), 2) << what;
  EXPECT_EQ(bmp.GetPixelFormat(), fw::pf24bit) << what;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(bmp, x, y), Expected(x, y)) << what << " " << x << "," << y;
}

TEST(BmpReader, ReadsEveryStoredLayoutOfTheSamePicture) {
  std::string folder = testing_sandbox::TestFolder();
  std::vector<uint32_t> palette(kPalette, kPalette + 5);
  auto rgb24 = [](int y) {
    std::string r;
    for (int x = 0; x < 3; ++x) r += Le(kPalette[kIndex[y][x]], 3);  // B, G, R bytes
    return r;
  };
  auto idx8 = [](int y) {
    std::string r;
    for (int x = 0; x < 3; ++x) r += static_cast<char>(kIndex[y][x]);
    return r;
  };
  auto idx4 = [](int y) {
    return std::string{static_cast<char>(kIndex[y][0] << 4 | kIndex[y][1]),
                       static_cast<char>(kIndex[y][2] << 4)};
  };
  auto rgb555 = [](int y) {
    std::string r;
    for (int x = 0; x < 3; ++x) {
      uint32_t c = kPalette[kIndex[y][x]];
      r += Le(((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31), 2);
    }
    return r;
  };
  auto rgbx32 = [](int y) {  // red in the low byte, as the masks below say
    std::string r;
    for (int x = 0; x < 3; ++x) {
      uint32_t c = kPalette[kIndex[y][x]];
      r += Le(((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16), 4);
    }
    return r;
  };
  // RLE8 bottom row as runs, top row as an absolute run; RLE4 the other way round.
  std::string rle8 = std::string("\x01\x04\x01\x00\x01\x01\x00\x00", 8) +
                     std::string("\x00\x03\x01\x02\x03\x00\x00\x01", 8);
  std::string rle4 = std::string("\x00\x03\x40\x10\x00\x00", 6) +
                     std::string("\x02\x12\x01\x30\x00\x01", 6);

  struct {
    const char* name;
    std::string file;
  } cases[] = {
      {"24 bottom-up", MakeBmp(24, 2, BI_RGB, Rows(false, rgb24), {})},
      {"24 top-down", MakeBmp(24, -2, BI_RGB, Rows(true, rgb24), {})},
      {"8 bottom-up", MakeBmp(8, 2, BI_RGB, Rows(false, idx8), palette)},
      {"8 top-down", MakeBmp(8, -2, BI_RGB, Rows(true, idx8), palette)},
      {"4 bottom-up", MakeBmp(4, 2, BI_RGB, Rows(false, idx4), palette)},
      {"4 top-down", MakeBmp(4, -2, BI_RGB, Rows(true, idx4), palette)},
      {"16 555", MakeBmp(16, 2, BI_RGB, Rows(false, rgb555), {})},
      {"32 bitfields", MakeBmp(32, -2, BI_BITFIELDS, Rows(true, rgbx32), {}, {0xFF, 0xFF00, 0xFF0000})},
      {"rle8", MakeBmp(8, 2, BI_RLE8, rle8, palette)},
      {"rle4", MakeBmp(4, 2, BI_RLE4, rle4, palette)},
  };
  for (auto& c : cases) {
    std::string path = folder + "picture.bmp";
    testing_sandbox::WriteFile(path, c.file);
    TBitmap bmp;
    bmp.LoadFromFile(path);
    ExpectPicture(bmp, c.name);
  }

  // Resources hold the same data without the 14-byte file header.
  std::string file = MakeBmp(8, 2, BI_RGB, Rows(false, idx8), palette);
  fw::TBmpPixels packed =
      fw::ReadPackedDib(reinterpret_cast<const unsigned char*>(file.data()) + 14, file.size() - 14);
  EXPECT_EQ(packed.Width, 3);
  EXPECT_EQ(static_cast<unsigned char>(packed.Bgr[2]), 0xFF);  // top-left is red
}

TEST(BmpReader, OneBitPicturesAndSavedFilesRoundTrip) {
  std::string folder = testing_sandbox::TestFolder();
  // 3 x 2, black/white chequer, palette black then white.
  std::string bits = std::string("\x40\0\0\0", 4) + std::string("\xA0\0\0\0", 4);  // bottom row first
  testing_sandbox::WriteFile(folder + "mono.bmp", MakeBmp(1, 2, BI_RGB, bits, {0x000000, 0xFFFFFF}));
  TBitmap bmp;
  bmp.LoadFromFile(folder + "mono.bmp");
  EXPECT_EQ(PixelAt(bmp, 0, 0), fw::clWhite);
  EXPECT_EQ(PixelAt(bmp, 1, 0), fw::clBlack);
  EXPECT_EQ(PixelAt(bmp, 2, 0), fw::clWhite);
  EXPECT_EQ(PixelAt(bmp, 1, 1), fw::clWhite);
  EXPECT_EQ(PixelAt(bmp, 2, 1), fw::clBlack);

  SetPixelAt(bmp, 2, 1, 0x336699);
  bmp.SaveToFile(folder + "saved.bmp");
  TBitmap back;
  back.LoadFromFile(folder + "saved.bmp");
  ASSERT_EQ(back.GetWidth(), 3);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(back, x, y), PixelAt(bmp, x, y));
}

TEST(BmpReader, DamagedFilesRaiseAndLeaveTheBitmapAlone) {
  std::string folder = testing_sandbox::TestFolder();
  auto rgb24 = [](int y) {
    std::string r;
    for (int x = 0; x < 3; ++x) r += Le(kPalette[kIndex[y][x]], 3);
    return r;
  };
  std::string good = MakeBmp(24, 2, BI_RGB, Rows(false, rgb24), {});
  std::string badBpp = good;
  badBpp[14 + 14] = 7;
  std::string zeroWidth = good;
  zeroWidth[14 + 4] = 0;
  std::string rleTopDown = MakeBmp(8, -2, BI_RLE8, std::string("\x00\x01", 2), {0, 0});
  std::string rleOverrun = MakeBmp(8, 2, BI_RLE8, std::string("\x01\x01\x00", 3), {0, 0});
  const std::string bad[] = {good.substr(0, good.size() - 5), "BM", "PK" + good.substr(2),
                             badBpp, zeroWidth, rleTopDown, rleOverrun};
  TBitmap bmp;
  bmp.SetSize(5, 5);
  int i = 0;
  for (const std::string& file : bad) {
    std::string path = folder + "bad" + std::to_string(i++) + ".bmp";
    testing_sandbox::WriteFile(path, file);
    EXPECT_THROW(bmp.LoadFromFile(path), fw::EInvalidGraphic) << path;
    EXPECT_EQ(bmp.GetWidth(), 5) << path;
  }
}

}  // namespace
