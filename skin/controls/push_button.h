// TkPushButton<Base>: what the skinned push button and bitmap button share on the skinned
// control pattern. The button takes pressing and clicking away from the native button (whose
// BM_SETSTATE it swallows, so the native button never reports a click of its own) and raises
// Click itself, once: on a mouse-up inside after a skinned mouse-down, or on a space key-up.
// It has a Down latch, the hot look as a default button while focus rests on a non-button or
// on itself, and a window region cut from its border mask's $FF00FF corners. While the left
// button is held the application's hints are off; they come back once, on the mouse-up, a
// capture loss, disabling or destruction.
#pragma once
#include <string>

#include "framework/buttons/bit_btn.h"
#include "skin/controls/skinned_control.h"

namespace skin {

// The caption rectangle of a push button Width x Height whose caption measures Text: centred,
// one pixel wider on the left and two on the right; one pixel right and down when Down.
fw::TRect PushButtonCaptionRect(int width, int height, fw::TSize text, bool down);
// The size DrawText (DT_CALCRECT, DT_WORDBREAK, DT_EXPANDTABS) gives the caption in the canvas
// font within Width; 0 x 0 for an empty caption.
fw::TSize MeasureCaption(fw::TCanvas* canvas, const std::string& caption, int width);
// The section's border mask frame for State over the whole cache, its centre too when asked;
// with a region its $FF00FF corner pixels are left out of the cache and cut from the region.
void PaintButtonBorder(TkCommonData* skinData, int state, HRGN region, bool fillCentre);
// The dotted focus frame around R grown by Margin, when the control is enabled and focused, the
// caption is not empty and the section shows focus.
void DrawButtonFocus(fw::TWinControl* control, TkCommonData* skinData, fw::TRect r, int margin);
// A skinned push button or bitmap button.
bool IsSkinnedPushButton(const fw::TControl* control);

// The application's ShowHint, turned off by Save and given back by the first Restore after it.
class TkHintSaver {
 public:
  void Save();
  void Restore();
  bool Saved() const { return FSaved; }

 private:
  bool FSaved = false;
  bool FValue = true;
};

template <class Base>
class TkPushButton : public TkSkinnedWinControl<Base> {
  using Skinned = TkSkinnedWinControl<Base>;

 public:
  TkPushButton(fw::TComponent* owner, int ctrlType) : Skinned(owner, ctrlType, true) {
    this->SetControlStyle(this->GetControlStyle() - fw::TControlStyle{fw::csOpaque});
  }

  // Pressed, or latched down by the property.
  bool GetDown() const { return FPressed || FDown; }
  void SetDown(bool value) {
    if (value == GetDown()) return;
    FDown = FPressed = value;
    FRegionDue = true;
    this->GetSkinData()->BGChanged = true;
    this->Repaint();
  }
  int GetFocusMargin() const { return FFocusMargin; }
  void SetFocusMargin(int value) { FFocusMargin = value; }
  // 2 down, 1 hot or the active default button, else 0.
  int CurrentState() const {
    if (GetDown()) return 2;
    return this->GetSkinData()->CanPaint() || FDefaultActive ? 1 : 0;
  }
  bool HintsSaved() const { return FHints.Saved(); }

  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_CAPTURECHANGED) FHints.Restore();
    Skinned::WndProc(m);
  }
  void BeforeDestruction() override {
    FHints.Restore();
    Skinned::BeforeDestruction();
  }

 protected:
  ~TkPushButton() override {
    FHints.Restore();
    if (FRegion) DeleteObject(FRegion);
  }
  int StateIndex() const override { return CurrentState(); }
  // The caption takes the hot colours when hot, default-active or latched down.
  bool HotText() const { return this->GetSkinData()->CanPaint() || FDefaultActive || FDown; }

  // The section's face for the current state; a new rectangular region when one is due.
  void PaintSectionFace(const TkBgRef& bg) {
    TkCommonData* d = this->GetSkinData();
    fw::TBitmap* cache = d->CacheBmp.get();
    if (FRegionDue) {
      if (FRegion) DeleteObject(FRegion);
      FRegion = CreateRectRgn(0, 0, cache->GetWidth(), cache->GetHeight());
    }
    PaintControlSection(d, bg, CurrentState(), cache, fw::Point(this->GetLeft(), this->GetTop()),
                        fw::TRect(0, 0, cache->GetWidth(), cache->GetHeight()));
  }
  // The border mask over the face, its corners cut from the region being made.
  void PaintBorder(bool fillCentre = true) {
    PaintButtonBorder(this->GetSkinData(), CurrentState(), FRegionDue ? FRegion : nullptr, fillCentre);
  }
  void PaintFace(const TkBgRef& bg) override {
    PaintSectionFace(bg);
    PaintBorder();
  }

  void OwnSkinCommand(int command) override {
    FRegionDue = true;
    if (command == cmdRemoveSkin && this->HandleAllocated()) SetWindowRgn(this->GetHandle(), nullptr, TRUE);
  }

  bool SkinnedMessage(fw::TMessage& m) override {
    TkCommonData* d = this->GetSkinData();
    switch (m.Msg) {
      case WM_PAINT: {
        if (FRegionDue) d->BGChanged = true;
        Skinned::SkinnedMessage(m);
        if (FRegionDue && FRegion && !this->GetComponentState().Contains(fw::csDesigning)) {
          SetWindowRgn(this->GetHandle(), FRegion, FALSE);  // the window owns it now
          FRegion = nullptr;
          FRegionDue = false;
        }
        return true;
      }
      case WM_ERASEBKGND:
        m.Result = 1;
        return true;
      case WM_ENABLE:
      case BM_SETSTATE:
      case fw::CN_DRAWITEM:
      case fw::CN_CTLCOLORBTN:
        return true;
      case WM_MOVE:
        if (const TkGeneralData* s = d->Section();
            s && (s->Transparency >= 1 || (s->HotTransparency >= 1 && CurrentState() == 1))) {
          d->BGChanged = true;
          this->Repaint();
        }
        return false;
      case WM_SIZE:
      case WM_WINDOWPOSCHANGING:
      case WM_WINDOWPOSCHANGED:
        FRegionDue = true;
        return false;
      case WM_KILLFOCUS:
      case fw::CM_EXIT:
        FPressed = false;
        FRegionDue = true;
        break;
      case fw::CM_ENABLEDCHANGED:
        if (!this->GetEnabled()) FHints.Restore();
        d->Updating = false;
        break;
      case fw::CM_UIACTIVATE:
        d->Updating = false;
        return false;
      case fw::CM_DIALOGCHAR:
        if (m.WParam == ' ' && this->GetEnabled() && this->Focused()) {
          StopFading(this->FadeTimer());
          FPressed = FRegionDue = d->BGChanged = true;
          this->Repaint();
        }
        return false;
      case WM_KEYUP:
        if (m.WParam == VK_SPACE && GetDown()) {
          FPressed = false;
          FRegionDue = d->BGChanged = true;
          this->Repaint();
          this->Click();
        }
        return false;
      case fw::CM_FOCUSCHANGED:
        if (this->GetDefault()) {
          const auto* focused = reinterpret_cast<const fw::TControl*>(m.LParam);
          const bool active = !IsSkinnedPushButton(focused) || focused == this;
          if (active != FDefaultActive) {
            FDefaultActive = active;
            d->RepaintOwner();
          }
        }
        return false;
      default:
        break;
    }
    return Skinned::SkinnedMessage(m);
  }

  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override {
    if (TakesMouse()) {
      TkCommonData* d = this->GetSkinData();
      if (button == fw::mbLeft) FHints.Save();
      FMouseClicked = true;
      if (button == fw::mbLeft && !GetDown()) {
        FPressed = FRegionDue = true;
        d->Updating = d->GetUpdating();
        DoChangePaint(this->FadeTimer(), d, true, 1, AnimEventAllowed(aeMouseDown, this->GetAnimatEvents()));
      }
    }
    Skinned::MouseDown(button, shift, x, y);
  }
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override {
    if (!TakesMouse()) {
      if (button == fw::mbLeft) FHints.Restore();
      Skinned::MouseUp(button, shift, x, y);
      return;
    }
    if (button == fw::mbLeft) FHints.Restore();
    if (!FMouseClicked || this->GetComponentState().Contains(fw::csDestroying)) return;
    FMouseClicked = false;
    if (button == fw::mbLeft) {
      TkCommonData* d = this->GetSkinData();
      if (this->Fading()) {
        StopFading(this->FadeTimer());
        d->BGChanged = true;
        this->Repaint();
      }
      FPressed = false;
      const fw::TRect client = this->GetClientRect();
      if (x >= client.Left && x < client.Right && y >= client.Top && y < client.Bottom) this->Click();
      FRegionDue = true;
      DoChangePaint(this->FadeTimer(), d, true, 2, AnimEventAllowed(aeMouseUp, this->GetAnimatEvents()));
    }
    Skinned::MouseUp(button, shift, x, y);
  }

 private:
  // Mouse and keys are the skin's: skinned, enabled, not designing.
  bool TakesMouse() const {
    return ControlIsReady(this) && this->GetSkinData()->SkinIsActive() && this->GetEnabled() &&
           !this->GetComponentState().Contains(fw::csDesigning);
  }

  bool FPressed = false;       // held by the mouse or the space key
  bool FDown = false;          // latched by the property
  bool FMouseClicked = false;  // a skinned mouse-down happened
  bool FDefaultActive = false;
  bool FRegionDue = true;
  HRGN FRegion = nullptr;  // made with the cache, given to the window at the next paint
  int FFocusMargin = 1;
  TkHintSaver FHints;
};

}  // namespace skin
