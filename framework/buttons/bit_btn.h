// TBitBtn: a push button drawn by the control (BS_OWNERDRAW) with a glyph next to its caption;
// pressed, focused and default states are drawn in CN_DRAWITEM.
#pragma once
#include "framework/buttons/glyph_button.h"
#include "framework/stdctrls/button.h"

namespace fw {

enum TBitBtnKind { bkCustom };

class TBitBtn : public TGlyphButton<TButton> {
  FW_CLASS(TBitBtn, TButton)
 public:
  explicit TBitBtn(TComponent* owner);

  TBitBtnKind GetKind() const { return bkCustom; }
  void SetKind(TBitBtnKind) {}

  void Dispatch(TMessage& msg) override;

 protected:
  ~TBitBtn() override = default;
  void CreateParams(TCreateParams& params) override;
  void ApplyDefaultStyle() override { Invalidate(); }
  virtual void DrawItem(const DRAWITEMSTRUCT& item);
};

}  // namespace fw
