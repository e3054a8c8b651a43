// TkGroupBox: the skinned group box. Its frame is its section's face ("GROUPBOX") from the middle
// of the caption line down; the caption line above shows the parent's background; the caption
// sits on a small plate of the section CaptionSkin (else "CHECKBOX") placed left, centred or right
// and moved down (or up) by CaptionYOffset, which also moves the client area. Without an active
// skin it is the framework's group box.
#pragma once
#include <string>

#include "framework/stdctrls/custom_group_box.h"
#include "skin/controls/skinned_control.h"

namespace skin {

class TkGroupBox : public TkSkinned<fw::TGroupBox> {
  FW_CLASS(TkGroupBox, fw::TGroupBox)
 public:
  explicit TkGroupBox(fw::TComponent* owner);

  // Where the caption plate stands (not the bound labels' layout of the same name).
  enum TkCaptionLayout { clTopLeft, clTopCenter, clTopRight };

  TkCaptionLayout GetCaptionLayout() const { return FCaptionLayout; }
  void SetCaptionLayout(TkCaptionLayout value);
  int GetCaptionYOffset() const { return FCaptionYOffset; }
  void SetCaptionYOffset(int value);
  const std::string& GetCaptionSkin() const { return FCaptionSkin; }
  void SetCaptionSkin(const std::string& value);

  // The caption plate's rectangle in the box.
  fw::TRect GroupCaptionRect() const;
  void AdjustClientRect(fw::TRect& rect) override;

 protected:
  ~TkGroupBox() override = default;
  void Paint() override;
  int StateIndex() const override { return 0; }
  bool PassesSkinCommands() const override { return true; }
  void PaintFace(const TkBgRef& bg) override;
  void PaintContent() override;
  bool SkinnedMessage(fw::TMessage& m) override;

 private:
  int GroupCaptionHeight() const;
  void DrawGroupCaption(const fw::TRect& c, const TkBgRef& bg);
  void Changed();

  TkCaptionLayout FCaptionLayout = clTopLeft;
  int FCaptionYOffset = 0;
  std::string FCaptionSkin;
  TkBgRef FPaintBg;  // the parent's background of the cache being painted
};

}  // namespace skin
