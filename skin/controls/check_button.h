// TkCheckButton<Base>: what the skinned check box and radio button share on the skinned control
// pattern. While skinned the control paints its face, its check glyph and its caption into the
// cache, and takes the mouse and the space key from the native button: a press (or space held)
// shows the pressed glyph, the release inside toggles the check box or checks the radio button,
// and the native button never sees the mouse, so it never changes its state by itself. A
// read-only control ignores mouse and space. The glyph comes from an image list (a descendant's
// choice), from GlyphChecked/GlyphUnChecked, or from the skin's GLOBALINFO masks, in that order;
// a glyph picture holds three frames side by side (normal, hot, pressed) over its mask row.
#pragma once
#include <memory>
#include <string>

#include "framework/graphics/bitmap.h"
#include "skin/controls/skinned_control.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

// The glyph rectangle of a control Width x Height for a frame: centred vertically, Margin from
// the left edge (caption right of it) or from the right edge (taLeftJustify).
fw::TRect CheckGlyphRect(int width, int height, fw::TSize frame, int margin, fw::TLeftRight alignment);
// The auto size for glyph rectangle G and a caption measuring Text (an empty caption adds
// nothing): G's width, twice Margin and the caption with TextIndent + 8; the taller of G and the
// caption with twice Margin, + 2.
fw::TSize CheckAutoSize(fw::TRect glyph, fw::TSize text, int margin, int textIndent);
// The caption rectangle beside glyph rectangle G; the check box's starts one pixel further.
fw::TRect CheckCaptionRect(int width, int height, fw::TRect glyph, int margin, int textIndent, bool checkBox,
                           fw::TLeftRight alignment);
// The mask of a GLOBALINFO property in the manager's skin, -1 when absent.
int GlobalMaskIndex(const TkSkinManager* manager, const std::string& property);

template <class Base>
class TkCheckButton : public TkSkinnedWinControl<Base> {
  using Skinned = TkSkinnedWinControl<Base>;

 public:
  TkCheckButton(fw::TComponent* owner, int ctrlType) : Skinned(owner, ctrlType, false) { this->FAutoSize = true; }

  int GetMargin() const { return FMargin; }
  void SetMargin(int value) { StoreAndResize(FMargin, value); }
  int GetTextIndent() const { return FTextIndent; }
  void SetTextIndent(int value) { StoreAndResize(FTextIndent, value); }
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool value) {
    FMultiLine = value;
    if (this->GetAutoSize()) this->SetAutoSize(false);
    Invalidate();
  }
  bool GetShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool value) {
    FShowFocus = value;
    Invalidate();
  }
  virtual bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  fw::TBitmap* GetGlyphChecked() const { return FGlyphChecked.get(); }
  void SetGlyphChecked(const fw::TBitmap* value) {
    FGlyphChecked->Assign(value);
    this->AdjustSize();
    this->GetSkinData()->RepaintOwner();
  }
  fw::TBitmap* GetGlyphUnChecked() const { return FGlyphUnChecked.get(); }
  void SetGlyphUnChecked(const fw::TBitmap* value) {
    FGlyphUnChecked->Assign(value);
    this->AdjustSize();
    Invalidate();
  }
  // Held by the left mouse button or the space key.
  bool GetPressed() const { return FPressed; }

  // The glyph's place for the current source and size.
  fw::TRect GlyphRect() const {
    const fw::TSize frame = GlyphFrameSize();
    if (!ImageListMode() && !BitmapMode() && frame.cx == 0) return fw::TRect(0, 0, 16, 16);
    return CheckGlyphRect(this->GetWidth(), this->GetHeight(), frame, FMargin, this->GetAlignment());
  }
  // The glyph frame for the look: 2 pressed, 1 hot and not read-only, else 0.
  int GlyphFrame() const { return FPressed ? 2 : HotLook() ? 1 : 0; }

  void Invalidate() override {
    if (this->GetAutoSize()) FMultiLine = false;
    Skinned::Invalidate();
  }
  bool CanAutoSize(int& newWidth, int& newHeight) override {
    if (!this->GetSkinData()->SkinIsActive()) return Skinned::CanAutoSize(newWidth, newHeight);
    if (this->GetComponentState().Contains(fw::csLoading) || !this->GetAutoSize()) return false;
    const std::string caption = this->GetCaption();
    const fw::TSize text = caption.empty() ? fw::TSize{0, 0} : TextExtentOfFont(this->GetFont()->GetHandle(), caption);
    const fw::TSize size = CheckAutoSize(GlyphRect(), text, FMargin, FTextIndent);
    newWidth = size.cx;
    newHeight = size.cy;
    return true;
  }

  void WndProc(fw::TMessage& m) override {
    if (!ControlIsReady(this) || !this->GetSkinData()->SkinIsActive()) {
      if (UnskinnedMessage(m)) return;
    }
    Skinned::WndProc(m);
  }

 protected:
  ~TkCheckButton() override = default;

  // The GLOBALINFO mask of the current state, and the one that sizes the glyph.
  virtual std::string GlyphProperty() const = 0;
  virtual std::string SizeProperty() const { return GlyphProperty(); }
  // The image-list source (the check box's): whether it serves, its frame size, and the picture
  // of the current state.
  virtual bool ImageListMode() const { return false; }
  virtual fw::TSize ImageListFrameSize() const { return {0, 0}; }
  virtual void ImageListPicture(fw::TBitmap&) const {}
  // The check box toggles, the radio button becomes checked.
  virtual void Activate() = 0;
  // The framework's messages while unskinned; true when finished.
  virtual bool UnskinnedMessage(fw::TMessage&) { return false; }
  virtual bool IsCheckBox() const { return false; }

  bool BitmapMode() const { return FGlyphChecked->GetWidth() >= 1; }
  bool HotLook() const { return this->GetSkinData()->CanPaint() && !GetReadOnly(); }
  int StateIndex() const override { return HotLook() ? 1 : 0; }

  void Loaded() override {
    Skinned::Loaded();
    this->AdjustSize();
  }

  void PaintContent() override {
    const fw::TRect glyph = GlyphRect();
    PaintCaption(glyph);
    PaintGlyph(glyph);
  }

  bool SkinnedMessage(fw::TMessage& m) override {
    TkCommonData* d = this->GetSkinData();
    const bool acting = this->GetEnabled() && !this->GetComponentState().Contains(fw::csDesigning);
    switch (m.Msg) {
      case fw::CM_MOUSELEAVE:
        if (acting) FPressed = false;
        break;
      case fw::CM_MOUSEENTER:
        if (acting && d->MouseAbove) return false;
        break;
      case fw::CN_KEYDOWN:
      case fw::CN_KEYUP:
        // The framework's key events (OnKeyDown, OnKeyUp) come from these; a read-only control
        // fires none for the keys it ignores.
        if (acting && GetReadOnly() && (m.Msg == fw::CN_KEYUP || m.WParam == VK_SPACE)) {
          m.Result = 0;
          return true;
        }
        return false;
      case WM_KEYDOWN:
        if (m.WParam != VK_SPACE || !acting) return false;
        if (GetReadOnly()) return true;
        FPressed = true;
        TakeFocus();
        d->BGChanged = true;
        this->Repaint();
        return true;
      case WM_KEYUP:
        if (!acting) return false;
        if (!GetReadOnly() && FPressed) Release();
        return true;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (!acting) return false;
        if (GetReadOnly()) return true;
        FPressed = true;
        DoChangePaint(this->FadeTimer(), d, false, 1, AnimEventAllowed(aeMouseDown, this->GetAnimatEvents()));
        TakeFocus();
        if (m.Msg == WM_LBUTTONDBLCLK)
          this->DblClick();
        else
          this->MouseDown(fw::mbLeft, fw::KeysToShiftState(static_cast<WORD>(m.WParam)),
                          static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
        return true;
      case WM_LBUTTONUP:
        if (!acting) return false;
        if (GetReadOnly()) return true;
        if (FPressed) Release();
        this->MouseUp(fw::mbLeft, fw::KeysToShiftState(static_cast<WORD>(m.WParam)),
                      static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
        return true;
      case WM_PAINT:
        if (!this->Fading()) d->BGChanged = true;
        Skinned::SkinnedMessage(m);
        if (this->GetComponentState().Contains(fw::csDesigning)) Base::WndProc(m);
        return true;
      case WM_ERASEBKGND:
        m.Result = 1;
        return true;
      case WM_ENABLE:
      case WM_NCPAINT:
      case BM_SETSTATE:
        return true;
      case fw::CM_ENABLEDCHANGED:
        Base::WndProc(m);
        d->BGChanged = true;
        this->Repaint();
        return true;
      case fw::CM_TEXTCHANGED:
        this->AdjustSize();
        d->BGChanged = true;
        this->Repaint();
        return true;
      default:
        break;
    }
    return Skinned::SkinnedMessage(m);
  }

  // A look change after the state changed: a fade where allowed, at design time a repaint.
  void StateChangedLook() {
    if (this->GetComponentState().Contains(fw::csDesigning))
      this->GetSkinData()->RepaintOwner();
    else
      DoChangePaint(this->FadeTimer(), this->GetSkinData(), false, 2,
                    AnimEventAllowed(aeMouseUp, this->GetAnimatEvents()));
  }

 private:
  void StoreAndResize(int& field, int value) {
    field = value;
    if (this->GetAutoSize()) this->AdjustSize();
    Invalidate();
  }
  fw::TSize GlyphFrameSize() const {
    if (ImageListMode()) return ImageListFrameSize();
    if (BitmapMode()) return {FGlyphChecked->GetWidth() / 3, FGlyphChecked->GetHeight() / 2};
    const TkSkinManager* manager = this->GetSkinData()->GetSkinManager();
    const int mask = GlobalMaskIndex(manager, SizeProperty());
    return mask < 0 ? fw::TSize{0, 0} : MaskFrameSize(manager->GetMasks()[mask]);
  }
  // The focus taken for a press, without the click focusing would raise.
  void TakeFocus() {
    if (this->Focused() || !this->CanFocus()) return;
    const bool saved = this->GetClicksDisabled();
    this->SetClicksDisabled(true);
    this->SetFocus();
    this->SetClicksDisabled(saved);
  }
  void Release() {
    FPressed = false;
    Activate();
    this->GetSkinData()->BGChanged = true;
    this->Repaint();
  }
  void PaintCaption(const fw::TRect& glyph) {
    const std::string caption = this->GetCaption();
    if (caption.empty()) return;
    const bool left = this->GetAlignment() == fw::taLeftJustify;
    const fw::TRect r = CheckCaptionRect(this->GetWidth(), this->GetHeight(), glyph, FMargin, FTextIndent,
                                         IsCheckBox(), this->GetAlignment());
    const unsigned flags = FMultiLine ? DT_WORDBREAK | DT_CENTER : DT_SINGLELINE | DT_VCENTER | (left ? DT_RIGHT : DT_LEFT);
    fw::TRect written = r;
    if (IsCheckBox()) written.Bottom -= 2;
    fw::TCanvas* canvas = this->GetSkinData()->CacheBmp->GetCanvas();
    WriteSkinText(canvas, caption, this->GetEnabled(), HotLook() ? 1 : 0, this->GetSkinData(), flags, written);
    if (this->Focused() && FShowFocus)
      DrawFocusDots(canvas, fw::TRect(r.Left - 1, r.Top - 2, r.Right + 1, r.Bottom - 1));
  }
  void PaintGlyph(const fw::TRect& glyph) {
    fw::TBitmap* cache = this->GetSkinData()->CacheBmp.get();
    const int frame = GlyphFrame();
    auto paintPicture = [&](fw::TBitmap* picture) {
      picture->SetPixelFormat(fw::pf24bit);
      const int w = glyph.Width(), h = glyph.Height();
      PaintSkinGlyph(glyph, fw::TRect(frame * w, 0, (frame + 1) * w, h), cache, true, EmptyBgRef, picture);
    };
    if (ImageListMode()) {
      fw::TBitmap picture;
      ImageListPicture(picture);
      paintPicture(&picture);
    } else if (BitmapMode()) {
      fw::TBitmap* picture = this->GetChecked() ? FGlyphChecked.get() : FGlyphUnChecked.get();
      if (picture->GetWidth() >= 1) paintPicture(picture);
    } else {
      const TkSkinManager* manager = this->GetSkinData()->GetSkinManager();
      const int mask = GlobalMaskIndex(manager, GlyphProperty());
      if (mask >= 0) DrawMaskGlyphFrame(cache, glyph.TopLeft(), frame, manager->GetMasks()[mask], 1);
    }
  }

  int FMargin = 2;
  int FTextIndent = 0;
  bool FMultiLine = false;
  bool FReadOnly = false;
  bool FShowFocus = true;
  bool FPressed = false;
  std::unique_ptr<fw::TBitmap> FGlyphChecked = std::make_unique<fw::TBitmap>();
  std::unique_ptr<fw::TBitmap> FGlyphUnChecked = std::make_unique<fw::TBitmap>();
};

}  // namespace skin
