// TkSkinManager: holds the active skin of the program and answers look-ups by section and
// property. The first manager created serves every skinned control that has none of its own.
// Skins are folders under SkinDirectory that hold an "Options.dat", plus the internal skins
// stored in the program. The skin data itself is not loaded yet: every look-up answers "none".
#pragma once
#include <string>

#include "framework/core/component.h"
#include "framework/core/events.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/string_list.h"

namespace skin {

// The skin stored inside the program.
inline constexpr char kNeutralSkinName[] = "Neutral (internal)";

class TkSkinManager : public fw::TComponent {
  FW_CLASS(TkSkinManager, fw::TComponent)
 public:
  explicit TkSkinManager(fw::TComponent* owner);

  bool GetActive() const { return FActive; }
  void SetActive(bool value) { FActive = value; }
  // The folder holding the skin folders; a new value also moves the skins path. The current
  // skin is not reloaded.
  const std::string& GetSkinDirectory() const { return FSkinDirectory; }
  void SetSkinDirectory(const std::string& value);
  // The folder the skin folders are looked up in (SkinDirectory with a trailing backslash).
  const std::string& GetSkinsPath() const { return FSkinsPath; }
  // The name of the active skin; setting it on an active manager loads that skin.
  const std::string& GetSkinName() const { return FSkinName; }
  void SetSkinName(const std::string& value);

  // Fills list with the internal skins and every sub-folder of the skins path (not starting
  // with ".") that holds an "Options.dat", sorted; returns the first name met.
  std::string GetSkinNames(fw::TStrings& list) const;

  int GetSkinIndex(const std::string& section) const;
  int GetMaskIndex(int skinIndex, const std::string& section, const std::string& property) const;
  int GetPatternIndex(int skinIndex, const std::string& section, const std::string& property) const;
  bool IsValidImgIndex(int index) const;
  bool IsValidSkinIndex(int index) const;
  // The colour of the skin's "GLOBALINFO" section as RGB; the button face colour without one.
  fw::TColor GetGlobalColor() const;

  fw::TNotifyEvent OnBeforeChange;
  fw::TNotifyEvent OnAfterChange;

 protected:
  ~TkSkinManager() override;

 private:
  bool FActive = true;
  std::string FSkinDirectory;
  std::string FSkinsPath;
  std::string FSkinName;
};

// The manager that serves controls without one of their own: the first one created that still
// exists, or null.
TkSkinManager* DefaultManager();

}  // namespace skin
