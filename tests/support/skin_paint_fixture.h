// The fixture of the skin painting tests: the skin engine started (shared pixel reader and
// blender), a skin manager serving a stored skin whose master bitmap is a known picture, and
// 24-bit bitmaps filled with a canary colour so that any write outside a target shows.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "skin/engine/mask_data.h"
#include "support/gui_test_support.h"
#include "support/test_skins.h"

namespace skin {
class TkSkinGeneral;
class TkSkinManager;
class TkStoredSkin;
}  // namespace skin

namespace testing_paint {

constexpr fw::TColor kCanary = 0x3C7A11;

// A 24-bit bitmap of the size filled with colour.
std::unique_ptr<fw::TBitmap> Filled(int width, int height, fw::TColor colour = kCanary);
// A 24-bit bitmap holding the picture.
std::unique_ptr<fw::TBitmap> FromPicture(const test_skins::Picture& picture);
// The number of pixels of the rectangle (exclusive) equal to colour.
int CountColour(const fw::TBitmap& bitmap, const fw::TRect& r, fw::TColor colour);
// True when every pixel outside r still holds kCanary.
bool CanaryOutside(const fw::TBitmap& bitmap, const fw::TRect& r);

// The stored section of that name, or null.
skin::TkSkinGeneral* SectionOf(skin::TkStoredSkin& stored, const std::string& name);
// Adds a picture of the master bitmap to the section: a "BORDERSMASK" border, else a texture,
// every border width the same.
void AddImage(skin::TkStoredSkin& stored, const std::string& section, const std::string& property, fw::TRect r,
              int maskType, int stretchMode, int borders, int imageCount = 1);

// A pixel of the screen at a point of a window as it shows now, nothing let through first (so
// it may be read in the middle of a change).
fw::TColor ScreenPixelOf(HWND window, int x, int y);

class SkinPaintTest : public testing_gui::GuiTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Lets the thread's messages through a few rounds, pausing between them, as the idle loop would.
  static void Settle(int rounds = 6, int pauseMs = 10);
  // A pixel of the screen at a point of a window, once pending painting has settled.
  static fw::TColor WindowPixelOf(HWND window, int x, int y);
  // Loads a stored skin with the master picture and the sections (name, parent); edit(stored)
  // may add images and set section values before the load.
  void LoadSkin(const test_skins::Picture& master, const std::vector<std::pair<std::string, std::string>>& sections,
                const std::function<void(skin::TkStoredSkin&)>& edit = {});
  // A mask of the manager's master bitmap.
  skin::TkMaskData MasterMask(fw::TRect r, int imageCount, int maskType, int wl, int wt, int wr, int wb) const;
  // A mask with its own bitmap (the picture), R the whole picture.
  skin::TkMaskData OwnMask(const test_skins::Picture& picture, int imageCount, int maskType, int wl, int wt, int wr,
                           int wb) const;

  skin::TkSkinManager* manager = nullptr;
};

}  // namespace testing_paint
