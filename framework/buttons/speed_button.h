// TSpeedButton: a windowless button with a glyph (or an image-list image) and a caption. With a
// GroupIndex it stays down, and pressing it raises the other buttons of the same group in the
// same parent; AllowAllUp lets the down button of a group be raised again. A Flat button shows
// its border only while the mouse is over it.
#pragma once
#include "framework/buttons/glyph_button.h"
#include "framework/controls/graphic_control.h"

namespace fw {

class TSpeedButton : public TGlyphButton<TGraphicControl> {
  FW_CLASS(TSpeedButton, TGraphicControl)
 public:
  explicit TSpeedButton(TComponent* owner);

  bool GetDown() const { return FDown; }
  void SetDown(bool v);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool v);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool v);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool v);
  TCustomImageList* GetImages() const { return FGlyph.GetImages(); }
  void SetImages(TCustomImageList* images);
  int GetImageIndex() const { return FGlyph.GetImageIndex(); }
  void SetImageIndex(int v);

  void Dispatch(TMessage& msg) override;

 protected:
  ~TSpeedButton() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  TButtonState FState = bsUp;
  bool FMouseInControl = false;

 private:
  // Raises the other down buttons of the group, and shares AllowAllUp with them.
  void UpdateExclusive();
  void UpState();

  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FTransparent = true;
  bool FDragging = false;
};

}  // namespace fw
