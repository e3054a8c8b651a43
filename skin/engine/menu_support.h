// The menu members of the skin manager: TkMenuSupport, the menu options, and TkSkinableMenus,
// the painter of skinned menus. They hold their settings; the painting itself is not built
// yet, so hooking menus only records whether they would be skinned.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/core/object.h"
#include "framework/graphics/font.h"
#include "framework/msg/messages.h"

namespace skin {

class TkSkinManager;

class TkMenuSupport : public fw::TPersistent {
  FW_CLASS(TkMenuSupport, fw::TPersistent)
 public:
  TkMenuSupport() = default;
  ~TkMenuSupport() override = default;
  // The section of the glyph column of popups.
  const std::string& GetIcoLineSkin() const { return FIcoLineSkin; }
  void SetIcoLineSkin(const std::string& value) { FIcoLineSkin = value; }
  bool GetUseExtraLine() const { return FUseExtraLine; }
  void SetUseExtraLine(bool value) { FUseExtraLine = value; }
  int GetExtraLineWidth() const { return FExtraLineWidth; }
  void SetExtraLineWidth(int value) { FExtraLineWidth = value; }
  fw::TFont* GetExtraLineFont() { return &FExtraLineFont; }
  void SetExtraLineFont(const fw::TFont* value) { FExtraLineFont.Assign(value); }

 private:
  std::string FIcoLineSkin;
  bool FUseExtraLine = false;
  int FExtraLineWidth = 32;
  fw::TFont FExtraLineFont;
};

class TkSkinableMenus : public fw::TPersistent {
  FW_CLASS(TkSkinableMenus, fw::TPersistent)
 public:
  explicit TkSkinableMenus(TkSkinManager* manager) : FManager(manager) {}
  ~TkSkinableMenus() override { FManager = nullptr; }

  int GetAlignment() const { return FAlignment; }
  void SetAlignment(int value) { FAlignment = value; }
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value) { FBevelWidth = value; }
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value) { FBorderWidth = value; }
  fw::TFont* GetCaptionFont() { return &FCaptionFont; }
  void SetCaptionFont(const fw::TFont* value) { FCaptionFont.Assign(value); }
  // The border width of the skin's main-menu frame, looked up again after it was set below 0.
  int GetSkinBorderWidth();
  void SetSkinBorderWidth(int value) { FSkinBorderWidth = value; }
  int GetMargin() const { return FMargin; }
  void SetMargin(int value) { FMargin = value; }
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int value) { FSpacing = value; }

  // True while the application's menus are hooked for skinning.
  bool GetActive() const { return FActive; }
  void SetActive(bool value) {
    if (value != FActive) FActive = value;
  }
  // Follows the manager's skin: hooked while a skin is ready.
  void UpdateMenus();

 private:
  TkSkinManager* FManager;
  int FAlignment = 0;
  int FBevelWidth = 0;
  int FBorderWidth = 3;
  fw::TFont FCaptionFont;
  int FSkinBorderWidth = -1;
  int FMargin = 3;
  int FSpacing = 6;
  bool FActive = false;
};

}  // namespace skin
