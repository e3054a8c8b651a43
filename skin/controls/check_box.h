// TkCheckBox: the skinned check box (section "CHECKBOX"). Its glyph shows State through the
// skin's "BOXUNCHECKED", "BOXCHECKED" and "BOXGRAYED" masks, or GlyphChecked/GlyphUnChecked (a
// grayed box shows the unchecked one), or images ImgChecked/ImgUnchecked of Images. A click or
// space toggles it by the framework's cycle. Without a skin it is the framework's check box,
// except that a read-only box ignores the mouse and keys.
#pragma once
#include "framework/stdctrls/check_box.h"
#include "skin/controls/check_button.h"

namespace fw {
class TCustomImageList;
}

namespace skin {

class TkCheckBox : public TkCheckButton<fw::TCheckBox> {
  FW_CLASS(TkCheckBox, fw::TCheckBox)
 public:
  explicit TkCheckBox(fw::TComponent* owner);

  fw::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(fw::TCustomImageList* value);
  int GetImgChecked() const { return FImgChecked; }
  void SetImgChecked(int value);
  int GetImgUnchecked() const { return FImgUnchecked; }
  void SetImgUnchecked(int value);
  void SetChecked(bool value) override;
  void SetState(fw::TCheckBoxState value);

 protected:
  ~TkCheckBox() override = default;
  std::string GlyphProperty() const override;
  std::string SizeProperty() const override { return "BOXCHECKED"; }
  bool ImageListMode() const override;
  fw::TSize ImageListFrameSize() const override;
  void ImageListPicture(fw::TBitmap& picture) const override;
  void Activate() override { Toggle(); }
  bool IsCheckBox() const override { return true; }
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;
  bool UnskinnedMessage(fw::TMessage& m) override;

 private:
  fw::TCustomImageList* FImages = nullptr;
  int FImgChecked = 0;
  int FImgUnchecked = 0;
  bool FHeld = false;  // unskinned: the mouse or a key is down on the box
};

}  // namespace skin
