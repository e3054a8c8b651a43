// TGlyphButton: the glyph and its layout (Layout, Margin, Spacing) that a bitmap button and a
// speed button add over the control class each extends; a change repaints the button.
#pragma once
#include "framework/buttons/button_glyph.h"
#include "framework/msg/messages.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

template <class TBase>
class TGlyphButton : public TBase {
 public:
  explicit TGlyphButton(TComponent* owner) : TBase(owner) {
    FGlyph.OnChange = [this](TObject*) { this->Invalidate(); };
  }

  TBitmap* GetGlyph() const { return FGlyph.GetGlyph(); }
  void SetGlyph(const TBitmap* glyph) { FGlyph.SetGlyph(glyph); }
  int GetNumGlyphs() const { return FGlyph.GetNumGlyphs(); }
  void SetNumGlyphs(int v) {
    FGlyph.SetNumGlyphs(v);
    this->Invalidate();
  }
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout v) {
    FLayout = v;
    this->Invalidate();
  }
  int GetMargin() const { return FMargin; }
  void SetMargin(int v) {
    FMargin = v;
    this->Invalidate();
  }
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int v) {
    FSpacing = v;
    this->Invalidate();
  }

  // A new caption or font repaints the button.
  void Dispatch(TMessage& msg) override {
    if (msg.Msg == CM_TEXTCHANGED || msg.Msg == CM_FONTCHANGED) this->Invalidate();
    TBase::Dispatch(msg);
  }

 protected:
  ~TGlyphButton() override = default;

  // Draws glyph and caption inside client in the button's font, shifted by offset.
  void DrawGlyph(HDC dc, const TRect& client, TPoint offset, TButtonState state) const {
    TTextPainter painter(dc, this->GetFont());
    FGlyph.Draw(dc, client, offset, this->GetCaption(), FLayout, FMargin, FSpacing, state);
  }

  TButtonGlyph FGlyph;

 private:
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};

}  // namespace fw
