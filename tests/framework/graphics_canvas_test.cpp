// Fonts, canvases on lent and owned DCs, icons and image lists. Text expectations come from GDI
// on the same DC, never from a font's known metrics.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "framework/graphics/icon.h"
#include "framework/graphics/image_list.h"
#include "framework/graphics/picture.h"
#include "framework/rtl/exceptions.h"
#include "framework/stdctrls/text_painter.h"
#include "support/sandbox.h"

namespace {

using fw::TBitmap;
using fw::TCanvas;

fw::TColor PixelAt(const TBitmap& bmp, int x, int y) {
  auto* p = static_cast<const unsigned char*>(bmp.GetScanLine(y)) + x * 3;
  return p[2] | (p[1] << 8) | (p[0] << 16);
}

void Fill(TBitmap& bmp, fw::TColor color) {
  bmp.GetCanvas()->GetBrush()->SetStyle(fw::bsSolid);
  bmp.GetCanvas()->GetBrush()->SetColor(color);
  bmp.GetCanvas()->FillRect(fw::Rect(0, 0, bmp.GetWidth(), bmp.GetHeight()));
}

int CountColour(const TBitmap& bmp, const fw::TRect& r, fw::TColor color) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += PixelAt(bmp, x, y) == color;
  return n;
}

TEST(Font, SizeAndHeightFollowThePascalRuleIncludingNegativeSizes) {
  fw::TFont font;
  EXPECT_EQ(font.GetName(), "Tahoma");
  EXPECT_EQ(font.GetHeight(), -11);
  EXPECT_EQ(font.GetCharset(), DEFAULT_CHARSET);
  EXPECT_EQ(font.GetPixelsPerInch(), fw::ScreenLogPixels());

  font.SetPixelsPerInch(96);
  EXPECT_EQ(font.GetSize(), 8);
  font.SetSize(-11);  // a status-bar lfHeight used as a size: a cell height
  EXPECT_EQ(font.GetHeight(), 15);
  EXPECT_EQ(font.GetSize(), -11);
  font.SetSize(10);
  EXPECT_EQ(font.GetHeight(), -13);
  font.SetHeight(20);
  EXPECT_EQ(font.GetSize(), -15);
  font.SetPixelsPerInch(120);
  font.SetSize(9);
  EXPECT_EQ(font.GetHeight(), -15);

  LOGFONTA lf{};
  ASSERT_TRUE(::GetObjectA(font.GetHandle(), sizeof(lf), &lf));
  EXPECT_EQ(lf.lfHeight, -15);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");
}

TEST(Font, ChangesNotifyWhileTheOldHandleStillExists) {
  fw::TFont font;
  HFONT old = font.GetHandle();
  int calls = 0;
  bool oldAlive = false;
  font.OnChange = [&](fw::TObject* sender) {
    ++calls;
    EXPECT_EQ(sender, &font);
    LOGFONTA lf{};
    oldAlive = ::GetObjectA(old, sizeof(lf), &lf) != 0;
  };
  font.SetStyle({fw::fsBold, fw::fsUnderline});
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(oldAlive);
  HFONT bold = font.GetHandle();
  LOGFONTA lf{};
  ASSERT_TRUE(::GetObjectA(bold, sizeof(lf), &lf));
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfUnderline);

  font.SetColor(fw::clRed);  // the colour is not in the HFONT
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(font.GetHandle(), bold);
  font.SetStyle({fw::fsBold, fw::fsUnderline});
  EXPECT_EQ(calls, 2);

  // A handle from elsewhere is adopted with its description.
  LOGFONTA arial{};
  arial.lfHeight = -20;
  arial.lfItalic = TRUE;
  std::strcpy(arial.lfFaceName, "Arial");
  HFONT adopted = ::CreateFontIndirectA(&arial);
  old = bold;
  font.SetHandle(adopted);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(font.GetHandle(), adopted);
  EXPECT_EQ(font.GetName(), "Arial");
  EXPECT_EQ(font.GetHeight(), -20);
  EXPECT_TRUE(font.GetStyle() == fw::TFontStyles{fw::fsItalic});

  fw::TFont copy;
  copy.Assign(&font);
  EXPECT_EQ(copy.GetName(), "Arial");
  EXPECT_EQ(copy.GetHeight(), -20);
  EXPECT_EQ(copy.GetColor(), fw::clRed);
  EXPECT_NE(copy.GetHandle(), adopted);
}

TEST(Canvas, LentDcGetsItsOwnObjectsBack) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP surface = ::CreateCompatibleBitmap(screen, 40, 40);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ oldSurface = ::SelectObject(dc, surface);
  HGDIOBJ font0 = ::GetCurrentObject(dc, OBJ_FONT);
  HGDIOBJ brush0 = ::GetCurrentObject(dc, OBJ_BRUSH);
  HGDIOBJ pen0 = ::GetCurrentObject(dc, OBJ_PEN);
  {
    TCanvas canvas;
    EXPECT_THROW(canvas.FillRect(fw::Rect(0, 0, 1, 1)), fw::EInvalidOperation);
    canvas.SetHandle(dc);
    EXPECT_EQ(canvas.GetHandle(), dc);
    canvas.Rectangle(0, 0, 5, 5);
    canvas.TextOut(0, 0, "a");
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), canvas.GetFont()->GetHandle());
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), canvas.GetBrush()->GetHandle());
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), canvas.GetPen()->GetHandle());

    // A changed font leaves the DC at once and the new one comes in with the next drawing.
    canvas.GetFont()->SetHeight(-20);
    canvas.TextOut(0, 0, "b");
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), canvas.GetFont()->GetHandle());

    canvas.SetHandle(nullptr);
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font0);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush0);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen0);

    canvas.SetHandle(dc);  // lent again and still holding it when destroyed
    canvas.FillRect(fw::Rect(0, 0, 2, 2));
  }
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush0);
  ::SelectObject(dc, oldSurface);
  ::DeleteObject(surface);
  ::DeleteDC(dc);
}

// Texts with their UTF-16 forms, which GDI measures and paints.
const std::pair<std::string, std::wstring> kTexts[] = {
    {"Hello, world", L"Hello, world"},
    {"W", L"W"},
    {"iiii", L"iiii"},
    {"", L""},
    {reinterpret_cast<const char*>(u8"Ünïcødé 日本"), L"\u00DCn\u00EFc\u00F8d\u00E9 \u65E5\u672C"},
    {"cut \xE6\x97", L"cut \xFFFD"},
    {std::string("NUL\0ends", 8), L"NUL"}};

TEST(Canvas, TextExtentMatchesGdiOnTheSameDc) {
  TBitmap bmp;
  bmp.SetSize(200, 60);
  TCanvas* canvas = bmp.GetCanvas();
  int lastHeight = 0;
  for (int height : {-11, -13, -26}) {
    canvas->GetFont()->SetHeight(height);
    for (const auto& [text, wide] : kTexts) {
      fw::TSize size = canvas->TextExtent(text);
      SIZE expected{};
      HDC dc = canvas->GetHandle();
      ASSERT_EQ(::GetCurrentObject(dc, OBJ_FONT), canvas->GetFont()->GetHandle());
      ::GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &expected);
      EXPECT_EQ(size.cx, expected.cx) << text << " " << height;
      EXPECT_EQ(size.cy, expected.cy) << text << " " << height;
      EXPECT_EQ(canvas->TextWidth(text), expected.cx);
      EXPECT_EQ(canvas->TextHeight(text), expected.cy);
    }
    EXPECT_GT(canvas->TextHeight("W"), lastHeight);
    lastHeight = canvas->TextHeight("W");
  }
}

TEST(Canvas, TextBackgroundFollowsTheBrush) {
  TBitmap bmp;
  bmp.SetSize(120, 40);
  TCanvas* canvas = bmp.GetCanvas();
  Fill(bmp, fw::clRed);
  canvas->GetFont()->SetColor(fw::clBlack);
  fw::TSize size = canvas->TextExtent("WWW");
  fw::TRect cell = fw::Bounds(2, 2, size.cx, size.cy);

  canvas->GetBrush()->SetStyle(fw::bsClear);
  canvas->TextOut(2, 2, "WWW");
  EXPECT_EQ(canvas->GetPenPos(), fw::Point(2 + size.cx, 2));
  int red = CountColour(bmp, cell, fw::clRed);
  EXPECT_GT(red, 0);                             // the background shows through
  EXPECT_LT(red, size.cx * size.cy);             // and something was drawn

  canvas->GetBrush()->SetStyle(fw::bsSolid);
  canvas->GetBrush()->SetColor(fw::clWhite);
  canvas->TextOut(2, 2, "WWW");
  EXPECT_EQ(CountColour(bmp, cell, fw::clRed), 0);  // the cell is filled
  EXPECT_EQ(PixelAt(bmp, 2 + size.cx + 1, 2), fw::clRed);

  // TextRect clips to its rectangle and fills all of it with a solid brush.
  Fill(bmp, fw::clRed);
  canvas->GetBrush()->SetColor(fw::clLime);
  canvas->TextRect(fw::Rect(0, 0, 10, 30), 0, 0, "WWWWWWWW");
  EXPECT_EQ(PixelAt(bmp, 9, 29), fw::clLime);
  EXPECT_EQ(CountColour(bmp, fw::Rect(10, 0, 120, 40), fw::clRed), 110 * 40);
}

// Text outside ASCII is painted as its UTF-16 form: TextOut, TextRect and the text painter's
// DrawText give the pixels of ExtTextOutW and DrawTextW.
TEST(Canvas, TextIsPaintedAsItsUtf16Form) {
  for (const auto& [text, wide] : kTexts) {
    TBitmap ours, gdi;
    for (TBitmap* bmp : {&ours, &gdi}) {
      bmp->SetSize(200, 60);
      Fill(*bmp, fw::clWhite);
      bmp->GetCanvas()->GetFont()->SetHeight(-16);
      bmp->GetCanvas()->GetBrush()->SetStyle(fw::bsClear);
    }
    ours.GetCanvas()->TextOut(2, 2, text);
    ours.GetCanvas()->TextRect(fw::Rect(0, 20, 60, 40), 2, 20, text);
    RECT box{2, 40, 200, 60};
    fw::DrawTextUtf8(ours.GetCanvas()->GetHandle(), text, box, DT_SINGLELINE | DT_NOPREFIX);
    HDC dc = gdi.GetCanvas()->GetHandle();
    ::SelectObject(dc, gdi.GetCanvas()->GetFont()->GetHandle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    int length = static_cast<int>(wide.size());
    ::ExtTextOutW(dc, 2, 2, 0, nullptr, wide.data(), length, nullptr);
    RECT clip{0, 20, 60, 40};
    ::ExtTextOutW(dc, 2, 20, ETO_CLIPPED, &clip, wide.data(), length, nullptr);
    box = RECT{2, 40, 200, 60};
    ::DrawTextW(dc, wide.data(), length, &box, DT_SINGLELINE | DT_NOPREFIX);
    int differing = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 200; ++x) differing += PixelAt(ours, x, y) != PixelAt(gdi, x, y);
    EXPECT_EQ(differing, 0) << text;
    if (!text.empty()) {
      EXPECT_LT(CountColour(ours, fw::Rect(0, 0, 200, 60), fw::clWhite), 200 * 60) << text;
    }
  }
}

TEST(Canvas, PenAndShapes) {
  TBitmap bmp;
  bmp.SetSize(20, 20);
  Fill(bmp, fw::clWhite);
  TCanvas* canvas = bmp.GetCanvas();
  canvas->GetPen()->SetColor(fw::clBlue);
  canvas->GetBrush()->SetColor(fw::clLime);
  canvas->Rectangle(2, 2, 10, 10);
  EXPECT_EQ(PixelAt(bmp, 2, 2), fw::clBlue);
  EXPECT_EQ(PixelAt(bmp, 5, 5), fw::clLime);
  EXPECT_EQ(PixelAt(bmp, 10, 10), fw::clWhite);  // right and bottom are exclusive

  canvas->GetBrush()->SetColor(fw::clBlack);
  canvas->FrameRect(fw::Rect(12, 12, 16, 16));
  EXPECT_EQ(PixelAt(bmp, 12, 15), fw::clBlack);
  EXPECT_EQ(PixelAt(bmp, 13, 13), fw::clWhite);

  canvas->GetPen()->SetMode(fw::pmXor);
  canvas->GetPen()->SetColor(fw::clWhite);
  canvas->MoveTo(0, 18);
  canvas->LineTo(5, 18);
  EXPECT_EQ(PixelAt(bmp, 3, 18), fw::clBlack);  // white xor white
  canvas->GetPen()->SetMode(fw::pmCopy);
  canvas->SetPixels(19, 0, fw::clBtnFace);
  EXPECT_EQ(canvas->GetPixels(19, 0), fw::ColorToRGB(fw::clBtnFace));
  EXPECT_EQ(canvas->GetClipRect(), fw::Rect(0, 0, 20, 20));

  // CopyRect stretches a piece of another canvas with the copy mode.
  TBitmap copy;
  copy.SetSize(16, 16);
  copy.GetCanvas()->CopyRect(fw::Rect(0, 0, 16, 16), canvas, fw::Rect(2, 2, 10, 10));
  EXPECT_EQ(PixelAt(copy, 0, 0), fw::clBlue);
  EXPECT_EQ(PixelAt(copy, 8, 8), fw::clLime);
  copy.GetCanvas()->SetCopyMode(NOTSRCCOPY);
  copy.GetCanvas()->CopyRect(fw::Rect(0, 0, 16, 16), canvas, fw::Rect(2, 2, 10, 10));
  EXPECT_EQ(PixelAt(copy, 8, 8), fw::clFuchsia);
}

// A 16 x 16 icon whose colour bitmap is filled with one colour and whose mask is all opaque.
HICON MakeIcon(fw::TColor color) {
  TBitmap image;
  image.SetSize(16, 16);
  for (int y = 0; y < 16; ++y) {
    auto* p = static_cast<unsigned char*>(image.GetScanLine(y));
    for (int x = 0; x < 16; ++x, p += 3) {
      p[0] = static_cast<unsigned char>(color >> 16);
      p[1] = static_cast<unsigned char>(color >> 8);
      p[2] = static_cast<unsigned char>(color);
    }
  }
  HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, nullptr);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, mask);
  ::PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ICONINFO info{TRUE, 0, 0, mask, image.GetHandle()};
  HICON icon = ::CreateIconIndirect(&info);
  ::DeleteObject(mask);
  return icon;
}

TEST(Icon, OwnsItsHandleDrawsAndLoadsIcoFiles) {
  fw::TIcon icon;
  EXPECT_TRUE(icon.GetEmpty());
  icon.SetHandle(MakeIcon(fw::clBlue));
  EXPECT_EQ(icon.GetWidth(), 16);
  EXPECT_EQ(icon.GetHeight(), 16);
  fw::TIcon copy;
  copy.Assign(&icon);
  EXPECT_NE(copy.GetHandle(), icon.GetHandle());
  EXPECT_EQ(copy.GetWidth(), 16);

  TBitmap target;
  target.SetSize(20, 20);
  Fill(target, fw::clWhite);
  target.GetCanvas()->Draw(2, 2, &copy);
  EXPECT_EQ(PixelAt(target, 10, 10), fw::clBlue);
  EXPECT_EQ(PixelAt(target, 19, 19), fw::clWhite);

  HICON released = copy.ReleaseHandle();
  EXPECT_TRUE(copy.GetEmpty());
  EXPECT_TRUE(::DestroyIcon(released));

  // An .ico file: one 16 x 16 32-bit image, green, all opaque.
  auto le = [](uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
  };
  std::string image = le(40, 4) + le(16, 4) + le(32, 4) + le(1, 2) + le(32, 2) + std::string(24, '\0');
  for (int i = 0; i < 256; ++i) image += le(0xFF00FF00, 4);  // B G R A
  image += std::string(16 * 4, '\0');                       // AND mask: opaque
  std::string file = le(0, 2) + le(1, 2) + le(1, 2) + std::string("\x10\x10\0\0", 4) + le(1, 2) +
                     le(32, 2) + le(static_cast<uint32_t>(image.size()), 4) + le(22, 4) + image;
  std::string path = testing_sandbox::TestFolder() + "green.ico";
  testing_sandbox::WriteFile(path, file);
  fw::TPicture picture;
  picture.LoadFromFile(path);
  ASSERT_NE(dynamic_cast<fw::TIcon*>(picture.GetGraphic()), nullptr);
  EXPECT_EQ(picture.GetWidth(), 16);
  target.GetCanvas()->Draw(0, 0, picture.GetGraphic());
  EXPECT_EQ(PixelAt(target, 8, 8), fw::clLime);
}

TEST(ImageList, MaskedStripsBecomeImagesAndSharedListsSurvive) {
  // A strip of two 16 x 16 images: a red and a blue square inside a fuchsia background.
  TBitmap strip;
  strip.SetSize(32, 16);
  Fill(strip, fw::clFuchsia);
  strip.GetCanvas()->GetBrush()->SetColor(fw::clRed);
  strip.GetCanvas()->FillRect(fw::Rect(4, 4, 12, 12));
  strip.GetCanvas()->GetBrush()->SetColor(fw::clBlue);
  strip.GetCanvas()->FillRect(fw::Rect(20, 4, 28, 12));

  auto* list = fw::New<fw::TImageList>(nullptr);
  int changes = 0;
  list->OnChange = [&](fw::TObject*) { ++changes; };
  EXPECT_EQ(list->AddMasked(&strip, fw::clFuchsia), 0);
  EXPECT_EQ(list->GetCount(), 2);
  EXPECT_EQ(list->AddMasked(&strip, fw::clFuchsia), 2);
  EXPECT_EQ(list->GetCount(), 4);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(PixelAt(strip, 0, 0), fw::clFuchsia);  // the caller's bitmap is untouched

  TBitmap target;
  target.SetSize(16, 16);
  Fill(target, fw::clWhite);
  list->Draw(target.GetCanvas(), 0, 0, 1);
  EXPECT_EQ(PixelAt(target, 8, 8), fw::clBlue);
  EXPECT_EQ(PixelAt(target, 1, 1), fw::clWhite);

  list->Delete(0);
  EXPECT_EQ(list->GetCount(), 3);
  fw::TIcon icon;
  list->GetIcon(0, &icon);
  EXPECT_EQ(icon.GetWidth(), 16);
  EXPECT_EQ(list->AddIcon(&icon), 3);
  list->Clear();
  EXPECT_EQ(list->GetCount(), 0);
  list->Free();

  // A foreign list (as the shell's system list) is used, never recoloured and never destroyed.
  HIMAGELIST system = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
  ::ImageList_ReplaceIcon(system, -1, icon.GetHandle());
  auto* shared = fw::New<fw::TImageList>(nullptr);
  shared->SetShareImages(true);
  shared->SetHandle(system);
  EXPECT_EQ(shared->GetCount(), 1);
  shared->SetBkColor(fw::clRed);
  EXPECT_EQ(::ImageList_GetBkColor(system), CLR_NONE);
  shared->Free();
  EXPECT_EQ(::ImageList_GetImageCount(system), 1);
  ::ImageList_Destroy(system);
}

}  // namespace
