// TkWebLabel: a hyperlink label. It paints in HoverFont while the mouse is over it and in Font
// otherwise, and a left click opens URL with the shell (through ShellOpen, which tests replace).
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "skin/controls/label.h"

namespace skin {

// The show commands the shell is asked for, SW_HIDE to SW_SHOWDEFAULT.
enum TkWindowShowMode {
  soHide,
  soNormal,
  soShowMinimized,
  soMaximize,
  soShowNoActivate,
  soShow,
  soMinimize,
  soShowMinNoActive,
  soShowNA,
  soRestore,
  soDefault
};

class TkWebLabel : public TkCustomLabel {
  FW_CLASS(TkWebLabel, TkCustomLabel)
 public:
  explicit TkWebLabel(fw::TComponent* owner);

  // The normal font; writing it sets the label's font as well.
  fw::TFont* GetNormalFont() const { return FNormalFont.get(); }
  void SetFont(const fw::TFont* value);
  fw::TFont* GetHoverFont() const { return FHoverFont.get(); }
  void SetHoverFont(const fw::TFont* value) { FHoverFont->Assign(value); }
  TkWindowShowMode GetShowMode() const { return FShowMode; }
  void SetShowMode(TkWindowShowMode value) { FShowMode = value; }
  const std::string& GetURL() const { return FURL; }
  void SetURL(const std::string& value) { FURL = value; }
  bool Hovered() const { return FHover; }

  fw::TFont* GetCurrentFont() override;
  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkWebLabel() override = default;
  void Loaded() override;

 private:
  std::unique_ptr<fw::TFont> FNormalFont;
  std::unique_ptr<fw::TFont> FHoverFont;
  TkWindowShowMode FShowMode = soDefault;
  std::string FURL;
  bool FHover = false;
};

// Opens a URL or file with the shell ("open") in the given show command. The shell views start
// items through the same call: with verb null the item's default command, with item set the
// item by its absolute ID list (target then names it for the hook), in directory when given.
using TkShellOpen = std::function<void(const std::string& target, int showCommand)>;
void ShellOpen(const std::string& target, int showCommand, const char* verb = "open", const std::string& directory = {},
               LPCITEMIDLIST item = nullptr);

namespace testing {
// Replaces what ShellOpen does (empty: the shell); returns what it replaces.
TkShellOpen SetShellOpen(TkShellOpen open);
}  // namespace testing

}  // namespace skin
