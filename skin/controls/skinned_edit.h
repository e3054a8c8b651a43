// The skinned text editors' shared painting (TkEdit, TkMaskEdit and the edits built on them),
// on the skinned control pattern. Two looks: idle, the whole window (frame, face and text) is
// copied from the cache and the native edit draws nothing; active (enabled and focused, or
// hot), only the 2-pixel frame comes from the cache and the native edit draws its client area,
// caret and selection. The control carries a bound label that follows it. Without an active
// skin the edit is its framework base.
#pragma once
#include <memory>
#include <string>

#include "skin/controls/bound_label.h"
#include "skin/controls/label.h"
#include "skin/controls/skinned_control.h"

namespace skin {

// Where the text starts inside an edit: 0 without a border, 2 with a 3-D one, else 1, plus one
// per bevel (bevels counts the inner and outer bevels that are not none, when the bevel kind is
// not none).
int EditTextInset(bool bordered, bool ctl3D, int bevels);
// The rectangle the idle look writes the text in: (inset + 1, inset + 1, width - inset,
// height - inset).
fw::TRect EditTextRect(int width, int height, int inset);
// What the idle look shows: the text, or the password character once per character of it.
std::string EditShownText(const std::string& text, char passwordChar);
// Copies the four 2-pixel frame strips of a width x height cache onto dc.
void CopyEditFrame(HDC dc, HDC cache, int width, int height);

template <class Base>
class TkSkinnedEdit : public TkSkinned<Base> {
 public:
  TkSkinnedEdit(fw::TComponent* owner, int ctrlType)
      : TkSkinned<Base>(owner, ctrlType, true), FBoundLabel(std::make_unique<TkBoundLabel>(this->GetSkinData())) {
    // The look changes at once when the mouse comes or goes; an edit does not fade.
    this->SetAnimatEvents(TkAnimatEvents());
  }

  TkBoundLabel* GetBoundLabel() const { return FBoundLabel.get(); }

  // The painting operations the combo edit replaces.
  // Leaves room in the native edit rectangle (for a button); nothing here.
  virtual void FitEditRect() {}
  // The 2-pixel frame from the cache onto dc (the window DC when null).
  virtual void PaintFrame(HDC dc) {
    TkCommonData* d = this->GetSkinData();
    fw::TWinControl* parent = this->GetParent();
    if (!parent || !this->GetVisible() || !parent->GetVisible() || this->GetControlState().Contains(fw::csCreating))
      return;
    d->SetUpdating(d->GetUpdating());
    if (d->Updating) return;
    HDC target = dc ? dc : GetWindowDC(this->GetHandle());
    const int saved = SaveDC(target);
    if ((d->BGChanged && FrameRebuildsCache()) || !d->CacheBmp || d->CacheBmp->GetWidth() != this->GetWidth())
      this->PaintCache();
    PaintSkinBordersAll(d, this->StateIndex());
    CopyFrame(target);
    RestoreDC(target, saved);
    if (!dc) ReleaseDC(this->GetHandle(), target);
  }
  // The text into the cache, in the section's normal or hot font colour.
  virtual void PaintCachedText() {
    TkCommonData* d = this->GetSkinData();
    fw::TCanvas* canvas = d->CacheBmp->GetCanvas();
    canvas->GetFont()->Assign(this->GetFont());
    canvas->GetBrush()->SetStyle(fw::bsClear);
    fw::TRect r = TextRect();
    WriteSkinText(canvas, EditShownText(this->GetText(), this->GetPasswordChar()), this->GetEnabled(),
                  this->StateIndex(), d, TextFlags(), r);
  }
  // The whole window from the cache onto dc (the window DC when null).
  virtual void PaintFromCache(HDC dc) {
    TkCommonData* d = this->GetSkinData();
    const HWND wnd = this->GetHandle();
    PAINTSTRUCT ps{};
    if (!dc) BeginPaint(wnd, &ps);
    HDC target = dc ? dc : GetWindowDC(wnd);
    const int saved = SaveDC(target);
    d->SetUpdating(d->GetUpdating());
    if (!d->Updating) {
      fw::TWinControl* parent = this->GetParent();
      if (d->HalfVisible || (parent && ControlAnswersCmd(parent, cmdIsPartlyHidden))) d->BGChanged = true;
      d->HalfVisible = PartlyOutside(this);
      if ((d->BGChanged || !d->CacheBmp || d->CacheBmp->GetWidth() != this->GetWidth()) && !d->Cmd9Flag)
        this->PaintCache();
      PaintSkinBordersAll(d, this->StateIndex());
      BitBlt(target, 0, 0, this->GetWidth(), this->GetHeight(), d->CacheBmp->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    }
    RestoreDC(target, saved);
    if (!dc) {
      ReleaseDC(wnd, target);
      EndPaint(wnd, &ps);
    }
  }
  // The active look: enabled and focused, or hot.
  virtual bool IsActiveLook() const { return this->GetSkinData()->CanPaint(); }

  void WndProc(fw::TMessage& m) override {
    if (m.Msg == SM_SKINCMD) {
      const int command = SkinCmdOf(m.WParam);
      // An edit's face is never a textured background for others.
      if (command == cmdIsTextured) {
        m.LParam = 0;
        return;
      }
      const bool own = m.LParam == reinterpret_cast<LPARAM>(this->GetSkinData()->GetSkinManager());
      TkSkinned<Base>::WndProc(m);
      // The frame lies outside the client area: it is drawn again with the new look.
      if (own && (command == cmdRemoveSkin || command == cmdRefresh) && this->HandleAllocated())
        RedrawWindow(this->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
      return;
    }
    TkSkinned<Base>::WndProc(m);
    FBoundLabel->Follow(m);
  }

 protected:
  ~TkSkinnedEdit() override = default;
  int StateIndex() const override { return IsActiveLook() ? 1 : 0; }
  void PaintContent() override { PaintCachedText(); }
  // How the idle look writes the text.
  virtual unsigned TextFlags() const { return DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX; }
  // Whether PaintFrame rebuilds a cache marked as changed.
  virtual bool FrameRebuildsCache() const { return true; }
  // The frame strips from the cache onto the target of PaintFrame.
  virtual void CopyFrame(HDC target) {
    CopyEditFrame(target, this->GetSkinData()->CacheBmp->GetCanvas()->GetHandle(), this->GetWidth(),
                  this->GetHeight());
  }
  // Where the idle look writes the text.
  virtual fw::TRect TextRect() const {
    return EditTextRect(this->GetWidth(), this->GetHeight(),
                        EditTextInset(this->GetBorderStyle() != fw::bsNone, this->GetCtl3D(), 0));
  }
  bool SkinnedMessage(fw::TMessage& m) override {
    TkCommonData* d = this->GetSkinData();
    switch (m.Msg) {
      case WM_PRINT:
        this->Perform(WM_PAINT, m.WParam, m.LParam);
        this->Perform(WM_NCPAINT, m.WParam, m.LParam);
        return true;
      case fw::CM_COLORCHANGED:
        if (d->GetCustomColor()) d->BGChanged = true;
        return false;
      case WM_PAINT:
        // The native edit paints after: in the idle look it finds nothing left to paint.
        if (IsActiveLook())
          PaintFrame(reinterpret_cast<HDC>(m.WParam));
        else
          PaintFromCache(reinterpret_cast<HDC>(m.WParam));
        return false;
      case WM_ERASEBKGND:
        return !IsActiveLook();
      case WM_NCPAINT:
        PaintFrame(nullptr);
        return true;
      case WM_SETTEXT:
        CommonMessage(m, d);
        Base::WndProc(m);
        d->RepaintOwner();
        return true;
      default:
        return TkSkinned<Base>::SkinnedMessage(m);
    }
  }

 private:
  std::unique_ptr<TkBoundLabel> FBoundLabel;
};

}  // namespace skin
