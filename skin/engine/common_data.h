// TkCommonData: the skin state every skinned control, form skinner and frame adapter owns. It
// names the section the owner is drawn from, resolves it to indexes in the manager's tables,
// keeps the owner's 24-bit cache bitmap and the flags that drive repainting, and answers the
// skin command message for its owner (CommonWndProc). CommonMessage is the shared part of every
// skinned window procedure; CopyWinControlCache copies a container's cache around its children.
#pragma once
#include <memory>
#include <string>

#include "framework/core/object.h"
#include "framework/graphics/bitmap.h"
#include "framework/msg/messages.h"
#include "skin/engine/section_data.h"
#include "skin/engine/skin_utils.h"

namespace fw {
class TControl;
class TWinControl;
}  // namespace fw

namespace skin {

class TkSkinManager;

class TkCommonData : public fw::TPersistent {
  FW_CLASS(TkCommonData, fw::TPersistent)
 public:
  // The owner control is owner when it is a control; with createCacheBmp the cache is made now.
  TkCommonData(fw::TObject* owner, bool createCacheBmp);
  ~TkCommonData() override;

  bool GetCustomColor() const { return FCustomColor; }
  void SetCustomColor(bool value);
  bool GetCustomFont() const { return FCustomFont; }
  void SetCustomFont(bool value);
  // The manager of its own, else the default manager (null when there is none).
  TkSkinManager* GetSkinManager() const;
  void SetSkinManager(TkSkinManager* value);
  // Forgets a manager of its own that is going away.
  void DropManager() { FSkinManager = nullptr; }
  const std::string& GetSkinSection() const { return FSkinSection; }
  // An empty value is stored as "UNKNOWN"; the owner is told with command 3 or 2.
  void SetSkinSection(const std::string& value);

  // From the owner's AfterConstruction and Loaded: the default section, then the section's
  // colours for edits.
  void Loaded();
  // The section by the control-type index (the owner's class name for other indexes) when none
  // is set, else the indexes resolved again.
  void DefaultSkinSection();
  void UpdateIndexes();
  // The manager serves SkinIndex (with checkActive, its skin is announced too).
  bool SkinIsActive(bool checkActive = true) const;
  void BeginUpdate() { Updating = true; }
  void EndUpdate() { Updating = false; }
  void SetUpdating(bool value) { Updating = value; }
  // True without an active skin, while updating, without a parent, or when the parent says so.
  bool GetUpdating() const;
  void RepaintOwner();
  void InitCacheBmp();
  // The parent's cache as background (command 5); empty and not ready without one.
  void GetParentBG(TkBgRef& ref) const;
  // The hot test: focused, or the mouse over a control type that tracks it.
  bool CanPaint() const;
  bool HasTransparency() const;
  bool NeedsParentBackground() const;
  bool ParentIsTextured() const;
  // The section record of SkinIndex, or null.
  const TkGeneralData* Section() const;
  // Colour and font colour of an edit-like owner (or list box) from the section, unless custom.
  void ApplyEditColours();
  fw::TControl* GetOwnerControl() const { return OwnerControl; }
  fw::TObject* GetOwnerObject() const { return OwnerObject; }

  // The state the owners and the painters read and set.
  bool Updating = false;
  int BorderIndex = -1;
  int SkinIndex = -1;
  int Texture = -1;
  int HotTexture = -1;
  LPARAM Cmd15Value = 0;          // the graphic child that announced its repaint
  bool Cmd9Flag = false;
  bool BGChanged = true;          // the cache must be rebuilt before the next paint
  bool HalfVisible = true;        // the flag of commands 11/22: partly outside the parent
  fw::TControl* OwnerControl = nullptr;
  fw::TObject* OwnerObject = nullptr;
  std::unique_ptr<fw::TBitmap> CacheBmp;
  int CtrlTypeIndex = 0;
  bool FocusSet = false;
  bool MouseAbove = false;

 private:
  // Command 3 when the manager serves the section, else 2, with the manager in LParam.
  void TellOwner(TkSkinManager* manager);

  std::string FSkinSection;
  bool FCustomFont = false;
  bool FCustomColor = false;
  TkSkinManager* FSkinManager = nullptr;
};

// Control types the mouse alone never makes hot.
bool ExcludedFromMouseOver(int ctrlTypeIndex);

// Gives the window the system's own theme back (only while visual themes are in use).
void ResetTheme(HWND wnd);

// The skin command for the owner's state; true when answered (not to be passed on).
bool CommonWndProc(fw::TMessage& message, TkCommonData* skinData);
// The shared part of a skinned window procedure, before the owner's own handling.
bool CommonMessage(fw::TMessage& message, TkCommonData* skinData);
// Copies the cache from (Source.Left, Source.Top) to Clip on DC, leaving out graphic and
// opaque children (all children while designing); the borders first when asked.
void CopyWinControlCache(fw::TWinControl* control, TkCommonData* skinData, const fw::TRect& source,
                         const fw::TRect& clip, HDC dc, bool repaintBorders);

}  // namespace skin
