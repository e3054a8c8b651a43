#include "support/skin_paint_fixture.h"

#include "framework/forms/application.h"
#include "skin/engine/skin_engine.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "skin/engine/fast_pixels.h"

namespace testing_paint {

std::unique_ptr<fw::TBitmap> Filled(int width, int height, fw::TColor colour) {
  return FromPicture(test_skins::Picture(width, height, colour));
}

std::unique_ptr<fw::TBitmap> FromPicture(const test_skins::Picture& picture) {
  auto bitmap = std::make_unique<fw::TBitmap>();
  bitmap->SetSize(picture.Width, picture.Height);
  for (int y = 0; y < picture.Height; ++y) {
    auto* row = static_cast<unsigned char*>(bitmap->GetScanLine(y));
    for (int x = 0; x < picture.Width; ++x) skin::PutPixel(row + x * 3, picture.At(x, y));
  }
  return bitmap;
}

int CountColour(const fw::TBitmap& bitmap, const fw::TRect& r, fw::TColor colour) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += test_skins::PixelOf(bitmap, x, y) == colour;
  return n;
}

bool CanaryOutside(const fw::TBitmap& bitmap, const fw::TRect& r) {
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x) {
      const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      if (!inside && test_skins::PixelOf(bitmap, x, y) != kCanary) return false;
    }
  return true;
}

skin::TkSkinGeneral* SectionOf(skin::TkStoredSkin& stored, const std::string& name) {
  for (int i = 0; i < stored.GetGeneralData()->GetCount(); ++i) {
    auto* g = static_cast<skin::TkSkinGeneral*>(stored.GetGeneralData()->GetItem(i));
    if (g->GetSectionName() == name) return g;
  }
  return nullptr;
}

void AddImage(skin::TkStoredSkin& stored, const std::string& section, const std::string& property, fw::TRect r,
              int maskType, int stretchMode, int borders, int imageCount) {
  auto* image = stored.GetImages()->AddItem();
  image->SetSectionName(section);
  image->SetPropertyName(property);
  image->SetLeft(r.Left);
  image->SetTop(r.Top);
  image->SetRight(r.Right);
  image->SetBottom(r.Bottom);
  image->SetImageCount(imageCount);
  image->SetMaskType(maskType);
  image->SetStretchMode(stretchMode);
  image->SetImgType(property == "BORDERSMASK" ? skin::itisaBorder : skin::itisaTexture);
  image->SetWL(borders), image->SetWT(borders), image->SetWR(borders), image->SetWB(borders);
}

void SkinPaintTest::SetUp() {
  GuiTest::SetUp();
  skin::StartSkinEngine();
}

void SkinPaintTest::Settle(int rounds, int pauseMs) {
  for (int i = 0; i < rounds; ++i) {
    fw::Application->ProcessMessages();
    Sleep(pauseMs);
  }
}

fw::TColor SkinPaintTest::WindowPixelOf(HWND window, int x, int y) {
  GdiFlush();
  Settle(8);
  return ScreenPixelOf(window, x, y);
}

fw::TColor ScreenPixelOf(HWND window, int x, int y) {
  GdiFlush();
  RECT r{};
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, r.left + x, r.top + y);
  ReleaseDC(nullptr, screen);
  return static_cast<fw::TColor>(c);
}

void SkinPaintTest::TearDown() {
  if (manager) manager->Free();
  skin::StopSkinEngine();
  skin::MaskFillColor = fw::clFuchsia;
  skin::ParentBgColor = fw::clFuchsia;
  GuiTest::TearDown();
}

void SkinPaintTest::LoadSkin(const test_skins::Picture& master,
                             const std::vector<std::pair<std::string, std::string>>& sections,
                             const std::function<void(skin::TkStoredSkin&)>& edit) {
  if (manager) manager->Free();
  manager = fw::New<skin::TkSkinManager>(nullptr);
  skin::TkStoredSkin* stored = test_skins::AddStoredSkin(*manager->GetInternalSkins(), "Paint", sections, master);
  if (edit) edit(*stored);
  manager->SetSkinName("Paint");
}

skin::TkMaskData SkinPaintTest::MasterMask(fw::TRect r, int imageCount, int maskType, int wl, int wt, int wr,
                                           int wb) const {
  skin::TkMaskData mask;
  mask.Manager = manager;
  mask.R = r;
  mask.ImageCount = static_cast<short>(imageCount);
  mask.MaskType = static_cast<short>(maskType);
  mask.WL = static_cast<short>(wl);
  mask.WT = static_cast<short>(wt);
  mask.WR = static_cast<short>(wr);
  mask.WB = static_cast<short>(wb);
  return mask;
}

skin::TkMaskData SkinPaintTest::OwnMask(const test_skins::Picture& picture, int imageCount, int maskType, int wl,
                                        int wt, int wr, int wb) const {
  skin::TkMaskData mask = MasterMask(fw::TRect(0, 0, picture.Width, picture.Height), imageCount, maskType, wl, wt, wr, wb);
  mask.Bmp = std::shared_ptr<fw::TBitmap>(FromPicture(picture).release());
  return mask;
}

}  // namespace testing_paint
