// TBitBtn: a push button drawn by the control (BS_OWNERDRAW) with a glyph next to its caption;
// pressed, focused and default states are drawn in CN_DRAWITEM.
#pragma once
#include "framework/buttons/button_glyph.h"
#include "framework/stdctrls/button.h"

namespace fw {

enum TBitBtnKind { bkCustom };

class TBitBtn : public TButton {
  FW_CLASS(TBitBtn, TButton)
 public:
  explicit TBitBtn(TComponent* owner);

  TBitmap* GetGlyph() const { return FGlyph.GetGlyph(); }
  void SetGlyph(const TBitmap* glyph) { FGlyph.SetGlyph(glyph); }
  int GetNumGlyphs() const { return FGlyph.GetNumGlyphs(); }
  void SetNumGlyphs(int v);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  int GetMargin() const { return FMargin; }
  void SetMargin(int v);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int v);
  TBitBtnKind GetKind() const { return bkCustom; }
  void SetKind(TBitBtnKind) {}

  void Dispatch(TMessage& msg) override;

 protected:
  ~TBitBtn() override = default;
  void CreateParams(TCreateParams& params) override;
  void ApplyDefaultStyle() override { Invalidate(); }
  virtual void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  TButtonGlyph FGlyph;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};

}  // namespace fw
