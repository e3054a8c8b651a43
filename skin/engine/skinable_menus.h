// TkSkinableMenus: the painter of skinned menus, owned by the skin manager. It hooks the measure
// and draw events of every popup menu, of every item of a popup or sub-menu and of every item of
// a form's menu bar, and paints each item from the sections MENUITEM, MENULINE, MAINMENU,
// EXTRALINE and the icon-line section into a temporary bitmap copied to the item's canvas.
// A popup's frame, its extra line and its glyph column come from one background bitmap built
// when the popup's first item is drawn; the popup window is subclassed (MenuWindowProc) so that
// the system paints neither its border nor its background over it. Where the window is not
// known while items are drawn, the painter posts SM_SKINMENU to the application window and the
// manager's main-window hook finds the window and skins it.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/graphics/font.h"
#include "framework/menus/main_menu.h"
#include "framework/menus/popup_menu.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {
class TBitmap;
}

namespace skin {

class TkSkinManager;

// Posted to the application window: WParam the native menu of the items, LParam the command id
// of the item drawn; the hook skins the popup window that shows it.
constexpr UINT SM_SKINMENU = 0xBCB3;
// Sent or posted with LParam a popup window to skin.
constexpr UINT SM_SKINMENUWND = 0xBCB4;

enum TkMenuItemType { smCaption, smDivider, smNormal, smTopLine };

using TkMenuManagerDrawItemEvent = std::function<void(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect ARect,
                                                      fw::TOwnerDrawState State, TkMenuItemType ItemType)>;

class TkSkinableMenus : public fw::TPersistent {
  FW_CLASS(TkSkinableMenus, fw::TPersistent)
 public:
  explicit TkSkinableMenus(TkSkinManager* manager) : FManager(manager) {}
  ~TkSkinableMenus() override { FManager = nullptr; }

  fw::TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment value) { FAlignment = value; }
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value) { FBevelWidth = value; }
  // The thickness of the popup border painted from the background bitmap.
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value) { FBorderWidth = value; }
  fw::TFont* GetCaptionFont() { return &FCaptionFont; }
  void SetCaptionFont(const fw::TFont* value) { FCaptionFont.Assign(value); }
  // The border width of the skin's MAINMENU frame (3 for a frame without one, 0 without a
  // frame), looked up again after it was set below 0.
  int GetSkinBorderWidth();
  void SetSkinBorderWidth(int value) { FSkinBorderWidth = value; }
  int GetMargin() const { return FMargin; }
  void SetMargin(int value) { FMargin = value; }
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int value) { FSpacing = value; }
  // Called after an item is painted, with the item's temporary canvas.
  TkMenuManagerDrawItemEvent OnDrawItem;

  // --- hooking ---
  // True while the application's menus are hooked for skinning.
  bool GetActive() const { return FActive; }
  // Hooks or unhooks the application's menus when the value changes; errors are swallowed.
  void SetActive(bool value);
  // Follows the manager's skin (hooked while one is ready) and its SkinnedPopups.
  void UpdateMenus();
  // Walks the application's components and hooks or unhooks their menus.
  void InitMenus(bool activate);
  // Hooks or unhooks the menus among the components the owner owns, at every depth: a main
  // menu as menu bar, popup menus and loose items while the manager skins popups.
  void HookComponents(fw::TComponent* owner, bool activate);
  void HookMainMenu(fw::TMainMenu* menu, bool activate);
  void HookPopupMenu(fw::TPopupMenu* menu, bool activate);
  // The popup handlers on every item below Item (not Item itself), where unassigned.
  void HookItem(fw::TMenuItem* item, bool activate);
  // One item: a bar item gets the bar painters, another the popup painters where unassigned.
  void HookMenuLine(fw::TMenuItem* item, bool activate);

  // --- owner-draw handlers (Sender is the item) ---
  void MeasureMenuItem(fw::TObject* sender, fw::TCanvas* canvas, int& width, int& height);
  virtual void DrawMenuItem(fw::TObject* sender, fw::TCanvas* canvas, fw::TRect r, fw::TOwnerDrawState state);
  void MeasureMenuLineItem(fw::TObject* sender, fw::TCanvas* canvas, int& width, int& height);
  virtual void DrawMenuLineItem(fw::TObject* sender, fw::TCanvas* canvas, fw::TRect r, fw::TOwnerDrawState state);

  // --- popup window ---
  // Subclasses the popup window and paints its border from Bmp, or cuts its corners.
  void SkinMenuWindow(HWND wnd, fw::TBitmap* bmp);
  // Skins the popup window that shows the item of the command id in the native menu; nothing
  // when no live item has that id or the window cannot be found.
  void SkinItemWindow(HMENU menu, UINT command);
  // Builds the background of the popup that FirstItem starts (once per popup), Width x Height
  // the popup window's size, and skins Wnd when it is known.
  void PrepareMenuBackground(fw::TMenuItem* firstItem, int width, int height, HWND wnd);
  // The popup's size when its window is not known: the columns' widest items plus 12 each, 4
  // per column break, the tallest column; both grown by the border.
  fw::TSize PopupSizeEstimate(fw::TMenuItem* item);
  // The transparent corner pieces of the current popup, in window coordinates.
  const std::vector<fw::TRect>& GetCornerRects() const { return FCornerRects; }

  // --- measures ---
  static bool IsCaptionItem(const fw::TMenuItem* item);
  static bool IsTopLineItem(const fw::TMenuItem* item);
  // The item's bitmap size; without OwnBitmapOnly else the menu's image size, else 16 x 16.
  static fw::TSize GetMenuGlyphSize(fw::TMenuItem* item, bool ownBitmapOnly);
  // True when the item stands after a column break (known once the extra-line data is fetched).
  bool ItemAfterColumnBreak(const fw::TMenuItem* item) const;
  // The extra line's width while it shows; Adjusted less what the skin's frame leaves of it.
  int ExtraLineWidth(bool adjusted);
  int ItemHeight(fw::TMenuItem* item, fw::TCanvas* canvas);

 private:
  bool SkinActive() const;
  bool SkinsPopups() const;
  void FetchExtraLineData(fw::TMenuItem* firstItem);
  void PaintExtraLine(fw::TBitmap* bg, int width, int height);
  void CollectCornerRects(int width, int height);
  void PaintBorderStrips(HWND wnd, fw::TMenuItem* item, const fw::TRect& r);
  void PostSkinRequest(fw::TMenuItem* item);
  void CopyColumnGaps(fw::TCanvas* canvas, fw::TMenuItem* item, const fw::TRect& r);
  void DrawCheckMark(fw::TBitmap* temp, fw::TMenuItem* item, bool hot);
  void DrawDivider(fw::TCanvas* canvas, fw::TRect r, fw::TBitmap* bmp);
  // What a caption item shows: nothing.
  void DrawCaptionItem(fw::TCanvas*, const fw::TRect&) {}

  TkSkinManager* FManager;
  fw::TAlignment FAlignment = fw::taLeftJustify;
  int FBevelWidth = 0;
  int FBorderWidth = 3;
  fw::TFont FCaptionFont;
  int FSkinBorderWidth = -1;
  int FMargin = 3;
  int FSpacing = 6;
  bool FActive = false;
  bool FSkinningWindow = false;
  bool FFetching = false;
  std::vector<fw::TRect> FCornerRects;
};

// True on the NT family, read once at start-up.
bool IsNT();
// The background bitmap of the popup being drawn, or null.
fw::TBitmap* MenuBackground();
// The number of popup backgrounds built so far.
int MenuBackgroundBuilds();
// Forgets the popup: its background, its first item and its extra-line data.
void ClearMenuCache();
// Frees the popup background when there is one.
void FreeMenuBackground();
inline void DropMenuCache() { FreeMenuBackground(); }
// The procedure of a skinned popup window; the previous one is kept in its user data.
LRESULT CALLBACK MenuWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace testing {
// Overrides the answer of IsNT (the other platform family's paths); no value: the system's.
std::optional<bool> SetIsNT(std::optional<bool> value);
}  // namespace testing

}  // namespace skin
