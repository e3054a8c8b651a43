// TkListCheckGlyphs: the check boxes of a skinned list view's rows drawn from the skin. The
// native list draws its row check boxes from its state image list, white squares in the system's
// look; while a skin is active the list gets one made of the skin's BOXUNCHECKED and BOXCHECKED
// glyphs on the list's face, and the system's comes back when the skin goes. The list shares its
// image lists (LVS_SHAREIMAGELISTS), so this object owns the one it made.
#pragma once
#include "framework/win.h"

#include <commctrl.h>

#include "framework/graphics/colors.h"

namespace skin {

class TkSkinManager;

class TkListCheckGlyphs {
 public:
  TkListCheckGlyphs() = default;
  TkListCheckGlyphs(const TkListCheckGlyphs&) = delete;
  TkListCheckGlyphs& operator=(const TkListCheckGlyphs&) = delete;
  ~TkListCheckGlyphs();

  // Gives the list window the manager's box glyphs centred on squares of the face colour;
  // nothing when the skin has no box glyphs.
  void Take(HWND list, const TkSkinManager* manager, fw::TColor face);
  // Gives the list window back the state images it had before Take.
  void GiveBack(HWND list);
  // The window went: what it held is gone with it.
  void Forget();

 private:
  HIMAGELIST FGlyphs = nullptr;
  HIMAGELIST FSystem = nullptr;
  bool FTaken = false;
};

}  // namespace skin
