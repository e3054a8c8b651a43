// TkBitBtn: the skinned push button with a glyph, on the framework's TBitBtn. It behaves as the
// skinned push button (TkPushButton) and adds a glyph from its Glyph or from an image list
// (Images, ImageIndex) with translucent (Blend) and grey (Grayed) looks while not hot, its own
// disabled glyph look (DisabledGlyphKind), caption and glyph placed by Layout, Margin, Spacing
// and Alignment, the border mask drawn under or over them (DrawOverBorder), and OnPaint on the
// finished cache. Without an active skin an image-list glyph becomes a two-frame framework
// glyph; a new skin clears it again.
#pragma once
#include <functional>

#include "framework/buttons/bit_btn.h"
#include "skin/controls/button_glyphs.h"
#include "skin/controls/push_button.h"

namespace skin {

using TBmpPaintEvent = std::function<void(fw::TObject* sender, fw::TBitmap* bmp)>;

// The caption rectangle of a bitmap button within Client: the layout's glyph and caption laid
// side by side (left/right) or one above the other (top/bottom) by Margin, Spacing and
// Alignment; with Margin -1 and Spacing -1 glyph and caption share the free space in three
// equal gaps. Right to left, the left and right layouts swap. The glyph itself is placed by
// GlyphRect.
fw::TRect BitBtnCaptionRect(const TkGlyphLayout& layout, const fw::TRect& client, bool rightToLeft);

class TkBitBtn : public TkPushButton<fw::TBitBtn> {
  FW_CLASS(TkBitBtn, fw::TBitBtn)
 public:
  explicit TkBitBtn(fw::TComponent* owner);

  TBmpPaintEvent OnPaint;

  fw::TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment value);
  int GetBlend() const { return FBlend; }
  // Stored within 0..100.
  void SetBlend(int value);
  TkDisabledGlyphKind GetDisabledGlyphKind() const { return FDisabledGlyphKind; }
  void SetDisabledGlyphKind(TkDisabledGlyphKind value);
  bool GetGrayed() const { return FGrayed; }
  void SetGrayed(bool value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  fw::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(fw::TCustomImageList* value);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value);
  bool GetShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool value);
  bool GetDrawOverBorder() const { return FDrawOverBorder; }
  void SetDrawOverBorder(bool value);
  int GetTextOffset() const { return FTextOffset; }
  void SetTextOffset(int value);
  fw::TAlignment GetTextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(fw::TAlignment value);

  // What the glyph is drawn from and where glyph and caption go, as the next paint sees them.
  TkGlyphSource GlyphSource() const;
  TkGlyphLayout GlyphLayout();

 protected:
  ~TkBitBtn() override = default;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void PaintFace(const TkBgRef& bg) override;
  void PaintContent() override;
  void CachePainted() override;
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;
  // A press or release also ends a pending update of the skin state.
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;

 private:
  // Stores a property and repaints.
  template <class T>
  void Store(T& field, T value) {
    field = value;
    GetSkinData()->RepaintOwner();
  }
  // Without an active skin, the framework glyph from the image list.
  void GlyphFromList();

  fw::TAlignment FAlignment = fw::taCenter;
  int FBlend = 0;
  TkDisabledGlyphKind FDisabledGlyphKind{dgBlended};
  bool FGrayed = false;
  int FImageIndex = -1;
  fw::TCustomImageList* FImages = nullptr;
  bool FShowCaption = true;
  bool FShowFocus = true;
  bool FDrawOverBorder = true;
  int FTextOffset = 0;
  fw::TAlignment FTextAlignment = fw::taCenter;
  // The glyph layout of the last paint: a change marks the cache.
  int FPaintedLayout[4] = {-1, -1, -1, -1};
};

}  // namespace skin
