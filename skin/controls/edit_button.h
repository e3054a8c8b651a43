// TkEditButton: the button inside a combo edit's right edge. It shows the edit's own face (the
// piece of the edit's cache under it) with the edit's glyph frame for its state centred on it;
// without an active skin the speed button paints itself and the glyph's hot or pressed frame
// goes over it.
#pragma once
#include "skin/controls/speed_button.h"

namespace skin {

class TkCustomComboEdit;

class TkEditButton : public TkSpeedButton {
  FW_CLASS(TkEditButton, TkSpeedButton)
 public:
  TkEditButton(fw::TComponent* owner, TkCustomComboEdit* edit);

  void PrepareCache() override;
  // The size of one frame of the button's own Glyph (three frames over their masks).
  int GlyphWidth() const override;
  int GlyphHeight() const override;

 protected:
  ~TkEditButton() override = default;
  void Paint() override;

 private:
  // The frame of the edit's glyph for the button's state: 2 pressed, 1 hot, else 0.
  int GlyphFrame() const;
  // The edit's glyph frame centred on bmp, a picture of the button's size.
  void DrawEditGlyph(fw::TBitmap* bmp, int frame);

  TkCustomComboEdit* FEdit;
};

}  // namespace skin
