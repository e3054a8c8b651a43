// The skinned control pattern every skinned control derives from: a framework control plus a
// skin state (SkinData) whose section face is painted into a 24-bit cache and copied to the
// screen in one piece. TkSkinnedWinControl<Base> is the windowed variant (it paints in its
// WM_PAINT handler), TkSkinnedGraphicControl<Base> the windowless one (its Paint). Without an
// active skin the control behaves and paints as Base. A control adds only its differences:
// its type and section, its face (PaintFace), its content (PaintContent), its state index and
// its own messages (SkinnedMessage).
#pragma once
#include <memory>

#include "framework/controls/win_control.h"
#include "framework/core/events.h"
#include "framework/msg/messages.h"
#include "skin/engine/common_data.h"
#include "skin/engine/control_paint.h"
#include "skin/engine/fade_animation.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/skin_command.h"

namespace skin {

// The control lies partly outside its parent's client area.
bool PartlyOutside(const fw::TControl* control);
// A control that joins a parent while a skin is active, outside a load scope (a dialog built in
// code), was never told of that skin: it takes it now as a skin change would bring it (commands 1
// and 3 of its manager). In a load scope the parent comes while loading, and Loaded takes the skin.
void TakeSkinWhenPlaced(fw::TControl* control, TkCommonData* skinData);
// The cache painting of the pattern around the control's own steps: the cache sized and given
// the control's font, the parent's background (or colour) asked, face and content painted, the
// disabled look, the shared colours reset and BGChanged cleared.
void PaintSkinnedCache(fw::TControl* control, TkCommonData* skinData, TkDisabledKind disabledKind,
                       const std::function<void(const TkBgRef&)>& paintFace, const std::function<void()>& paintContent);
// The paint of a skinned control onto DC: nothing while updating or fading; the cache rebuilt
// when BGChanged, the flag of commands 11/22 or the parent's answer to command 11 asks; its
// border corners repainted; then one copy of the whole cache.
void PaintFromCache(fw::TControl* control, TkCommonData* skinData, HDC dc, bool fading, int state,
                    const std::function<void()>& rebuild);

template <class Base>
class TkSkinned : public Base {
 public:
  // ctrlType: the control-type index; cacheNow: the cache is made in the constructor.
  TkSkinned(fw::TComponent* owner, int ctrlType, bool cacheNow)
      : Base(owner), FSkinData(std::make_unique<TkCommonData>(this, cacheNow)) {
    FSkinData->CtrlTypeIndex = ctrlType;
  }
  void AfterConstruction() override {
    Base::AfterConstruction();
    FSkinData->Loaded();
  }
  void BeforeDestruction() override {
    StopFading(FFadeTimer);
    Base::BeforeDestruction();
  }
  void SetParent(fw::TWinControl* parent) override {
    Base::SetParent(parent);
    TakeSkinWhenPlaced(this, FSkinData.get());
  }

  TkCommonData* GetSkinData() const { return FSkinData.get(); }
  TkDisabledKind GetDisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TkDisabledKind value) {
    FDisabledKind = value;
    FSkinData->RepaintOwner();
  }
  TkAnimatEvents GetAnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TkAnimatEvents value) { FAnimatEvents = value; }
  TkFadeTimer*& FadeTimer() { return FFadeTimer; }
  bool Fading() const { return FFadeTimer && FFadeTimer->GetDirection() != 0; }
  // Rebuilds the cache for the current state.
  void PaintCache() {
    PaintSkinnedCache(this, FSkinData.get(), FDisabledKind, [this](const TkBgRef& bg) { PaintFace(bg); },
                      [this] { PaintContent(); });
    CachePainted();
  }

  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;

  void WndProc(fw::TMessage& m) override {
    TkCommonData* d = FSkinData.get();
    if (m.Msg == SM_SKINCMD) {
      const int command = SkinCmdOf(m.WParam);
      const bool own = m.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager());
      if ((command == cmdNewSkin || command == cmdRemoveSkin || command == cmdRefresh) && own) {
        StopFading(FFadeTimer);
        CommonMessage(m, d);
        OwnSkinCommand(command);
        // A control that cannot be seen is painted when it shows (or its form is let go).
        if (command != cmdNewSkin && ControlShown(this)) this->Repaint();
        if (PassesSkinCommands())
          if (auto* self = dynamic_cast<fw::TWinControl*>(static_cast<fw::TControl*>(this)))
            BroadcastToChildControls(self, m);
        return;
      }
      if (command == cmdIsSkinned) {
        m.LParam = 1;
        return;
      }
      if (command == cmdStopAnimation) {
        StopFading(FFadeTimer);
        return;
      }
      if (command == cmdRebuildCache) PaintCache();
    }
    if (!ControlIsReady(this) || !d->SkinIsActive()) {
      Base::WndProc(m);
      return;
    }
    if (SkinnedMessage(m) || CommonMessage(m, d)) return;
    Base::WndProc(m);
  }

 protected:
  ~TkSkinned() override = default;
  void Loaded() override {
    Base::Loaded();
    FSkinData->Loaded();
  }
  // Containers pass commands 1, 2 and 3 on to their children.
  virtual bool PassesSkinCommands() const { return false; }
  // The state index of the face: 1 (hot) when the hot test says so, else 0.
  virtual int StateIndex() const { return FSkinData->CanPaint() ? 1 : 0; }
  // The face into the cache, over the parent's background at the control's offset.
  virtual void PaintFace(const TkBgRef& bg) {
    fw::TBitmap* cache = FSkinData->CacheBmp.get();
    PaintControlFace(FSkinData.get(), bg, true, true, cache, fw::Point(this->GetLeft(), this->GetTop()),
                     fw::TRect(0, 0, cache->GetWidth(), cache->GetHeight()), StateIndex());
  }
  // The control's content over its face (caption, glyph, focus frame).
  virtual void PaintContent() {}
  // After the whole cache is painted, its disabled look included.
  virtual void CachePainted() {}
  // Command 1, 2 or 3 of its own manager, after the skin state took it and before the repaint.
  virtual void OwnSkinCommand(int) {}
  // The messages every skinned control takes while skinned; true when finished.
  virtual bool SkinnedMessage(fw::TMessage& m) {
    TkCommonData* d = FSkinData.get();
    const bool designing = this->GetComponentState().Contains(fw::csDesigning);
    switch (m.Msg) {
      case WM_ERASEBKGND:
        return true;
      case fw::CM_MOUSEENTER:
      case fw::CM_MOUSELEAVE: {
        if (!this->GetEnabled() || designing) return false;
        const bool enter = m.Msg == fw::CM_MOUSEENTER;
        if (const auto& handler = enter ? OnMouseEnter : OnMouseLeave) handler(this);
        d->MouseAbove = enter;
        DoChangePaint(FFadeTimer, d, false, enter ? 1 : 2,
                      AnimEventAllowed(enter ? aeMouseEnter : aeMouseLeave, FAnimatEvents));
        return false;
      }
      case WM_SETFOCUS:
      case fw::CM_ENTER:
        if (designing) return false;
        if (!this->GetEnabled()) return true;
        CommonMessage(m, d);
        Base::WndProc(m);
        d->BGChanged = true;
        if (Fading())
          FFadeTimer->Step();
        else
          this->Repaint();
        return true;
      case WM_KILLFOCUS:
      case fw::CM_EXIT:
        if (designing || !this->GetEnabled()) return false;
        StopFading(FFadeTimer);
        CommonMessage(m, d);
        Base::WndProc(m);
        d->FocusSet = d->MouseAbove = false;
        d->RepaintOwner();
        return true;
      case fw::CM_ENABLEDCHANGED:
      case fw::CM_VISIBLECHANGED:
      case fw::CM_TEXTCHANGED:
      case WM_SETFONT:
        CommonMessage(m, d);
        Base::WndProc(m);
        d->BGChanged = true;
        this->Repaint();
        return true;
      default:
        break;
    }
    if (m.Msg != SM_SKINCMD) return false;
    if (SkinCmdOf(m.WParam) == cmdParentPainted && d->Updating) {
      d->Updating = false;
      this->Repaint();
    } else if (SkinCmdOf(m.WParam) == cmdSetCmd9Flag && d->Cmd9Flag) {
      PaintCache();
    }
    return false;
  }

 private:
  std::unique_ptr<TkCommonData> FSkinData;
  TkDisabledKind FDisabledKind{dkBlended};
  TkAnimatEvents FAnimatEvents{aeGlobalDef};
  TkFadeTimer* FFadeTimer = nullptr;
};

// The windowed variant: paints in its WM_PAINT handler, then its graphic children over the
// cache.
template <class Base>
class TkSkinnedWinControl : public TkSkinned<Base> {
 public:
  using TkSkinned<Base>::TkSkinned;

 protected:
  ~TkSkinnedWinControl() override = default;
  bool SkinnedMessage(fw::TMessage& m) override {
    if (m.Msg != WM_PAINT) return TkSkinned<Base>::SkinnedMessage(m);
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps{};
    HWND wnd = this->GetHandle();
    if (!dc) dc = BeginPaint(wnd, &ps);
    PaintFromCache(this, this->GetSkinData(), dc, this->Fading(), this->StateIndex(), [this] { this->PaintCache(); });
    if (!m.WParam) EndPaint(wnd, &ps);
    return true;
  }
};

// The windowless variant: its parent paints it; Paint copies the cache.
template <class Base>
class TkSkinnedGraphicControl : public TkSkinned<Base> {
 public:
  using TkSkinned<Base>::TkSkinned;

 protected:
  ~TkSkinnedGraphicControl() override = default;
  void Paint() override {
    if (!ControlIsReady(this) || !this->GetSkinData()->SkinIsActive()) {
      Base::Paint();
      return;
    }
    PaintFromCache(this, this->GetSkinData(), this->GetCanvas()->GetHandle(), this->Fading(), this->StateIndex(),
                   [this] { this->PaintCache(); });
  }
  bool SkinnedMessage(fw::TMessage& m) override {
    // WM_PAINT goes on to Paint.
    return m.Msg != WM_PAINT && TkSkinned<Base>::SkinnedMessage(m);
  }
};

}  // namespace skin
