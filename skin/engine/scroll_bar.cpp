#include "skin/engine/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/exceptions.h"
#include "framework/sys/timer.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr int kScrollBarCtrlType = 142;
constexpr int kMinSlider = 14;
constexpr unsigned kFirstRepeat = 500, kRepeat = 100, kThumbInterval = 10;

int Clamp(int v, int min, int max) {
  // Max below Min is allowed: Min wins then.
  if (v > max) v = max;
  if (v < min) v = min;
  return v;
}

}  // namespace

TkScrollBar::TkScrollBar(fw::TComponent* owner)
    : fw::TWinControl(owner), FSkinData(std::make_unique<TkCommonData>(this, true)) {
  FSkinData->CtrlTypeIndex = kScrollBarCtrlType;
  FControlStyle = fw::TControlStyle{fw::csOpaque, fw::csDoubleClicks};
  SetTabStop(true);
  StoreBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

TkScrollBar::~TkScrollBar() = default;

void TkScrollBar::AfterConstruction() {
  fw::TWinControl::AfterConstruction();
  // The bar's state follows the first track section: with it the bar is skinned.
  if (FSkinData->GetSkinSection().empty()) FSkinData->SetSkinSection("SCROLLBAR1H");
  FSkinData->Loaded();
}

void TkScrollBar::Loaded() {
  fw::TWinControl::Loaded();
  FSkinData->Loaded();
}

void TkScrollBar::BeforeDestruction() {
  FreeTimer();
  fw::TWinControl::BeforeDestruction();
}

bool TkScrollBar::Skinned() const { return FSkinData->SkinIsActive(); }

// --- window ---

void TkScrollBar::CreateParams(fw::TCreateParams& params) {
  fw::TWinControl::CreateParams(params);
  FPlainWindow = !FForceNative && Skinned();
  if (FPlainWindow) {
    // A plain window of its own class: the bar paints and runs the mouse itself.
    params.WinClassName = "TkScrollBarSkinned";
    params.WindowClass.style |= CS_DBLCLKS;
    return;
  }
  CreateSubClass(params, "SCROLLBAR");
  if (FKind == fw::sbHorizontal)
    params.Style |= SBS_HORZ;
  else
    params.Style |= SBS_VERT | (UseRightToLeftScrollBar() ? SBS_LEFTALIGN : SBS_RIGHTALIGN);
}

void TkScrollBar::CreateWnd() {
  fw::TWinControl::CreateWnd();
  SetScrollRange(FHandle, SB_CTL, FMin, FMax, FALSE);
  SCROLLINFO si{sizeof si, SIF_PAGE, 0, 0, static_cast<UINT>(FPageSize), 0, 0};
  SetScrollInfo(FHandle, SB_CTL, &si, FALSE);
  SetScrollPos(FHandle, SB_CTL, NativePos(FPosition), TRUE);
}

void TkScrollBar::Recreate(bool plain) {
  FForceNative = !plain;
  try {
    RecreateWnd();
  } catch (...) {
    FForceNative = false;
    throw;
  }
  FForceNative = false;
}

void TkScrollBar::SetKind(fw::TScrollBarKind v) {
  if (v == FKind) return;
  FKind = v;
  if (!GetComponentState().Contains(fw::csLoading)) SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
  RecreateWnd();
}

void TkScrollBar::SetPageSize(int v) {
  if (v < 0) return;
  FPageSize = v;
  if (FHandle) {
    SCROLLINFO si{sizeof si, SIF_PAGE, 0, 0, static_cast<UINT>(v), 0, 0};
    SetScrollInfo(FHandle, SB_CTL, &si, TRUE);
  }
  Invalidate();
}

void TkScrollBar::SetDisabledKind(TkDisabledKind v) {
  FDisabledKind = v;
  FRepaintNeeded = true;
  UpdateBar();
}

void TkScrollBar::SetPosition(int v) {
  if (GetComponentState().Contains(fw::csDestroying) || GetControlState().Contains(fw::csCreating)) return;
  SetParams(v, FMin, FMax);
  UpdateBar();
}

// --- values ---

void TkScrollBar::SetParams(int position, int min, int max) {
  if (Skinned()) {
    if (max <= min)
      ShowWarningMessage("Scrollbar property out of range\r\nMax = " + std::to_string(max) +
                         (FLinkedControl ? "(Owner=" + FLinkedControl->GetName() + ")" : "(" + GetName() + ")"));
  } else if (max < min) {
    throw fw::EInvalidOperation("Scrollbar property out of range");
  }
  position = Clamp(position, min, max);
  if (min != FMin || max != FMax) {
    FMin = min;
    FMax = max;
    if (FHandle) SetScrollRange(FHandle, SB_CTL, min, max, position == FPosition);
  }
  if (position == FPosition) {
    int pos = FPosition;
    Scroll(static_cast<TScrollCode>(FPart), pos);
    return;
  }
  const int old = FPosition;
  FPosition = position;
  if (Skinned()) {
    FRepaintNeeded = true;
    DoChange(old);
    if (!GetComponentState().Contains(fw::csLoading) && !GetComponentState().Contains(fw::csDestroying) && GetParent())
      UpdateBar();
  } else {
    if (FHandle) SetScrollPos(FHandle, SB_CTL, NativePos(position), TRUE);
    Perform(fw::CM_CHANGED, 0, 0);
    if (OnChange) OnChange(this);
  }
}

void TkScrollBar::DoChange(int oldPosition) {
  Perform(fw::CM_CHANGED, 0, 0);
  if (FHeld) return;
  if (OnPosChange) OnPosChange(this, oldPosition);
  int pos = FPosition;
  Scroll(static_cast<TScrollCode>(FPart), pos);
  if (OnChange) OnChange(this);
}

void TkScrollBar::Scroll(TScrollCode code, int& pos) {
  if (OnScroll && code >= scLineUp && code <= scEndScroll) OnScroll(this, code, pos);
}

void TkScrollBar::DoScrollMessage(fw::TMessage& message) {
  int pos = FPosition;
  const int mirror = MirrorFactor();
  TScrollCode code;
  switch (LOWORD(message.WParam)) {
    case SB_LINEUP: pos -= FSmallChange * mirror; code = scLineUp; break;
    case SB_LINEDOWN: pos += FSmallChange * mirror; code = scLineDown; break;
    case SB_PAGEUP: pos -= FLargeChange * mirror; code = scPageUp; break;
    case SB_PAGEDOWN: pos += FLargeChange * mirror; code = scPageDown; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
      if (FHandle && GetScrollInfo(FHandle, SB_CTL, &si))
        pos = si.nTrackPos;
      else
        pos = static_cast<short>(HIWORD(message.WParam));
      pos = NativePos(pos);
      code = LOWORD(message.WParam) == SB_THUMBPOSITION ? scPosition : scTrack;
      break;
    }
    case SB_TOP: pos = FMin; code = scTop; break;
    case SB_BOTTOM: pos = FMax; code = scBottom; break;
    default: return;
  }
  pos = Clamp(pos, FMin, FMax);
  Scroll(code, pos);
  SetPosition(pos);
}

// --- geometry ---

int TkScrollBar::Length() const { return FKind == fw::sbVertical ? GetHeight() : GetWidth(); }

int TkScrollBar::ArrowSize() const {
  return GetSystemMetrics(FKind == fw::sbVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
}

int TkScrollBar::TrackLength() const { return Length() - 2 * ArrowSize(); }

int TkScrollBar::SliderSize() const {
  if (FPageSize == 0) return kMinSlider;
  const int divisor = FMax + FPageSize - FMin;
  if (divisor <= 0) return std::max(TrackLength(), 0);
  return static_cast<int>(std::lround(std::max(static_cast<double>(TrackLength()) * FPageSize / divisor,
                                               static_cast<double>(kMinSlider))));
}

int TkScrollBar::SliderCenter() const {
  if (!GetEnabled()) return Length() / 2;
  if (FMax == FMin) return 0;
  const int slider = SliderSize();
  return ArrowSize() + slider / 2 +
         static_cast<int>(std::lround(static_cast<double>(TrackLength() - slider) / (FMax - FMin) * (FPosition - FMin)));
}

int TkScrollBar::Along(fw::TPoint p) const { return FKind == fw::sbVertical ? p.Y : p.X; }

int TkScrollBar::PositionFromPoint(fw::TPoint p) const {
  const int along = GetEnabled() ? Along(p) : 0;
  const double divisor = Length() - 2 * ArrowSize() - SliderSize();
  if (divisor <= 0) return FMin;
  return static_cast<int>(std::lround((along - ArrowSize() - SliderSize() / 2.0) * (FMax - FMin) / divisor));
}

fw::TRect TkScrollBar::PartRect(TkScrollPart part) const {
  const int len = Length(), a = std::min(ArrowSize(), len / 2);
  int from = 0, to = 0;
  switch (part) {
    case spFirstArrow: from = 0; to = a; break;
    case spSecondArrow: from = len - a; to = len; break;
    case spTrack1: from = 0; to = SliderCenter(); break;
    case spTrack2: from = SliderCenter(); to = len; break;
    case spSlider: from = SliderCenter() - SliderSize() / 2; to = from + SliderSize(); break;
  }
  return FKind == fw::sbVertical ? fw::TRect(0, from, GetWidth(), to) : fw::TRect(from, 0, to, GetHeight());
}

int TkScrollBar::MirrorFactor() const {
  return FKind == fw::sbHorizontal && UseRightToLeftAlignment() ? -1 : 1;
}

fw::TRect TkScrollBar::ArrowPaintRect(TkScrollPart part, int sectionIndex, const std::string& section) const {
  fw::TRect r = PartRect(part);
  const TkSkinManager* m = FSkinData->GetSkinManager();
  if (!m->GetSections()[sectionIndex].ReservedBoolean) return r;
  const fw::TSize frame = m->GetMaskFrameSize(m->GetMaskIndex(sectionIndex, section, "BORDERSMASK"));
  const bool vertical = FKind == fw::sbVertical;
  const int length = std::min(std::max(static_cast<int>(vertical ? frame.cy : frame.cx), ArrowSize()), Length() / 2);
  int& from = vertical ? r.Top : r.Left;
  int& to = vertical ? r.Bottom : r.Right;
  if (part == spFirstArrow)
    to = from + length;
  else
    from = to - length;
  return r;
}

bool TkScrollBar::Over(TkScrollPart part, fw::TPoint p) const {
  fw::TRect r = PartRect(part);
  if (part == spTrack1 || part == spTrack2) {
    // The track parts lie between the arrows and beside the slider.
    if (Over(spFirstArrow, p) || Over(spSecondArrow, p) || Over(spSlider, p)) return false;
  }
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

fw::TPoint TkScrollBar::CursorPos() const {
  POINT p{};
  ::GetCursorPos(&p);
  return ScreenToClient(fw::TPoint(p.x, p.y));
}

// --- painting ---

void TkScrollBar::UpdateBar() {
  const bool wasForbidden = FDrawingForbidden;
  FDrawingForbidden = false;
  if (!FRepaintNeeded || !FHandle || !Skinned()) return;
  if (wasForbidden) {
    Invalidate();
    return;
  }
  HDC dc = GetWindowDC(FHandle);
  PaintBar(dc);
  ReleaseDC(FHandle, dc);
}

void TkScrollBar::PaintBar(HDC dc) {
  TkSkinManager* manager = FSkinData->GetSkinManager();
  if (FDrawingForbidden || !ControlIsReady(this) || GetComponentState().Contains(fw::csLoading) ||
      GetComponentState().Contains(fw::csDestroying) || FSkinData->GetUpdating() || !manager ||
      SkinLoading)
    return;
  FRepaintNeeded = false;
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  cache->SetSize(GetWidth(), GetHeight());
  TkBgRef bg;
  if (FLinkedControl) {
    SendCmdToControl(FLinkedControl, cmdGetParentBg);
    bg = ParentBgAnswer;
    if (!dynamic_cast<fw::TCustomForm*>(FLinkedControl)) {
      bg.X += FLinkedControl->GetLeft();
      bg.Y += FLinkedControl->GetTop();
    }
  } else {
    FSkinData->GetParentBG(bg);
  }
  const bool enabled = GetEnabled();
  auto stateOf = [&](TkScrollPart part) { return enabled ? FStates[part] : 0; };
  const bool vertical = FKind == fw::sbVertical;
  const fw::TPoint offset(GetLeft(), GetTop());
  auto paintPart = [&](TkScrollPart part, const std::string& section, fw::TBitmap* bmp, fw::TRect r, fw::TPoint at) {
    const int index = manager->GetSkinIndex(section);
    if (!manager->IsValidSkinIndex(index)) return -1;
    PaintSectionRect(index, manager->GetMaskIndex(index, section, "BORDERSMASK"),
                     manager->GetTextureIndex(index, section, "HOTPATTERN"),
                     manager->GetTextureIndex(index, section, "PATTERN"), manager, bmp, at, r, stateOf(part), true, bg,
                     section);
    return index;
  };
  auto paintGlyph = [&](int index, const std::string& section, fw::TRect r, int state, int shift) {
    const int glyph = manager->GetMaskIndex(index, section, "GLYPHMASK");
    if (!manager->IsValidImgIndex(glyph)) return;
    const TkMaskData& mask = manager->GetMasks()[glyph];
    if (mask.ImageCount < 1) return;
    int w = mask.R.Width() / mask.ImageCount, h = mask.R.Height() / (mask.MaskType + 1);
    if (w <= 0 && mask.Bmp) {
      w = mask.Bmp->GetWidth() / 3;
      h = mask.Bmp->GetHeight() / 2;
    }
    const fw::TPoint p(r.Left + (r.Width() - w) / 2 + shift, r.Top + (r.Height() - h) / 2 + shift);
    if (p.X < r.Left || p.Y < r.Top || p.X + w > r.Right || p.Y + h > r.Bottom) return;
    DrawMaskGlyphFrame(cache, p, state, mask, 1);
  };
  // 1. The two track parts.
  for (TkScrollPart part : {spTrack1, spTrack2}) {
    const fw::TRect r = PartRect(part);
    std::string section = part == spTrack1 ? "SCROLLBAR1" : "SCROLLBAR2";
    paintPart(part, section + (vertical ? "V" : "H"), cache, r, offset);
  }
  // 2. The arrows with their glyphs.
  for (TkScrollPart part : {spFirstArrow, spSecondArrow}) {
    const std::string section = vertical ? (part == spFirstArrow ? "SCROLLBTNTOP" : "SCROLLBTNBOTTOM")
                                         : (part == spFirstArrow ? "SCROLLBTNLEFT" : "SCROLLBTNRIGHT");
    const int sectionIndex = manager->GetSkinIndex(section);
    if (!manager->IsValidSkinIndex(sectionIndex)) continue;
    const fw::TRect r = ArrowPaintRect(part, sectionIndex, section);
    paintPart(part, section, cache, r, offset);
    paintGlyph(sectionIndex, section, r, stateOf(part), 0);
  }
  // 3. The slider, when there is something to scroll and room for it.
  const bool nothingToScroll = !enabled && FLinkedControl && FLinkedControl->GetEnabled();
  if (!nothingToScroll && TrackLength() >= SliderSize()) {
    const fw::TRect r = PartRect(spSlider);
    fw::TBitmap work;
    work.SetPixelFormat(fw::pf24bit);
    work.SetSize(r.Width(), r.Height());
    BitBlt(work.GetCanvas()->GetHandle(), 0, 0, r.Width(), r.Height(), cache->GetCanvas()->GetHandle(), r.Left, r.Top,
           SRCCOPY);
    const std::string section = vertical ? "SCROLLSLIDERV" : "SCROLLSLIDERH";
    const int index = paintPart(spSlider, section, &work, fw::TRect(0, 0, r.Width(), r.Height()),
                                fw::TPoint(offset.X + r.Left, offset.Y + r.Top));
    BitBlt(cache->GetCanvas()->GetHandle(), r.Left, r.Top, r.Width(), r.Height(), work.GetCanvas()->GetHandle(), 0, 0,
           SRCCOPY);
    if (index >= 0) paintGlyph(index, section, r, stateOf(spSlider), stateOf(spSlider) == kPartPressed ? 1 : 0);
  }
  // 4. The disabled look.
  if (!enabled) {
    if (bg.Ready || !FLinkedControl) {
      fw::TControl* from = FLinkedControl ? FLinkedControl : GetParent();
      ApplyDisabledKind(cache, FDisabledKind, GetParent(),
                        from == GetParent() ? offset : fw::TPoint(GetLeft() - from->GetLeft(), GetTop() - from->GetTop()),
                        bg);
    } else {
      const int index = manager->GetSkinIndex("SCROLLBAR1H");
      const fw::TColor color =
          manager->IsValidSkinIndex(index) ? manager->GetSections()[index].Color : fw::ColorToRGB(fw::clBtnFace);
      PaintShapeGlyph(cache, fw::TRect(0, 0, GetWidth(), GetHeight()), 60, 0, 0, color);
    }
  }
  // 5. Onto the screen.
  const int saved = SaveDC(dc);
  BitBlt(dc, 0, 0, GetWidth(), GetHeight(), cache->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

// --- timers ---

void TkScrollBar::StartTimer(unsigned interval, void (TkScrollBar::*tick)()) {
  FreeTimer();
  FTimer = fw::New<fw::TTimer>(this);
  FTimer->SetInterval(interval);
  FTimer->SetOnTimer([this, tick](fw::TObject*) { (this->*tick)(); });
}

void TkScrollBar::FreeTimer() {
  if (!FTimer) return;
  fw::TTimer* timer = FTimer;
  FTimer = nullptr;
  timer->SetEnabled(false);
  timer->Free();
}

void TkScrollBar::ArrowTick() {
  if (FStates[spFirstArrow] == kPartPressed) {
    SetPosition(FPosition - FSmallChange);
  } else if (FStates[spSecondArrow] == kPartPressed) {
    SetPosition(FPosition + FSmallChange);
  } else {
    FreeTimer();
    return;
  }
  if (FTimer && FTimer->GetInterval() > kRepeat) FTimer->SetInterval(kRepeat);
}

void TkScrollBar::TrackTick() {
  const int under = PositionFromPoint(CursorPos());
  if (FStates[spTrack1] == kPartPressed && under < FPosition) {
    SetPosition(FPosition - FLargeChange);
  } else if (FStates[spTrack2] == kPartPressed && under > FPosition) {
    SetPosition(FPosition + FLargeChange);
  } else {
    FreeTimer();
    return;
  }
  if (FTimer && FTimer->GetInterval() > kRepeat) FTimer->SetInterval(kRepeat);
}

void TkScrollBar::ThumbTick() {
  if (FStates[spSlider] != kPartPressed) return;
  const int pos = PositionFromPoint(CursorPos()) - FThumbOffset;
  if (pos != FPosition) SetPosition(pos);
}

// --- mouse and keyboard ---

void TkScrollBar::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (Skinned() && GetEnabled() && button == fw::mbLeft && ControlIsReady(this)) {
    MouseScrolling = true;
    if (fw::Application) {
      FSavedShowHint = fw::Application->GetShowHint();
      fw::Application->SetShowHint(false);
    }
    if (CanFocus() && GetTabStop()) SetFocus();
    const fw::TPoint p(x, y);
    FDrawingForbidden = true;
    FRepaintNeeded = true;
    if (Over(spFirstArrow, p)) {
      if (FStates[spFirstArrow] != kPartPressed) {
        FPart = scLineUp;
        FStates[spFirstArrow] = kPartPressed;
        if (FPosition == FMin) {
          int pos = FPosition;
          Scroll(scLineUp, pos);
        } else {
          SetPosition(FPosition - FSmallChange);
        }
        StartTimer(kFirstRepeat, &TkScrollBar::ArrowTick);
      }
    } else if (Over(spSecondArrow, p)) {
      FPart = scLineDown;
      FStates[spSecondArrow] = kPartPressed;
      if (FPosition != FMax) SetPosition(FPosition + FSmallChange);
      StartTimer(kFirstRepeat, &TkScrollBar::ArrowTick);
    } else if (Over(spSlider, p)) {
      FPart = scTrack;
      if (FStates[spSlider] != kPartPressed) {
        FThumbOffset = PositionFromPoint(p) - FPosition;
        FStates[spSlider] = kPartPressed;
        if (!FSmooth) {
          FHeld = true;
          FHeldPosition = FPosition;
        }
        StartTimer(kThumbInterval, &TkScrollBar::ThumbTick);
        SetMouseCapture(true);
      }
    } else if (Over(spTrack1, p) || Over(spTrack2, p)) {
      const bool first = Over(spTrack1, p);
      const TkScrollPart part = first ? spTrack1 : spTrack2, other = first ? spTrack2 : spTrack1;
      FPart = first ? scPageUp : scPageDown;
      if (FStates[part] != kPartPressed) {
        FStates[part] = kPartPressed;
        FStates[other] = Over(other, p) ? kPartHot : kPartNormal;
        const int pos = Clamp(FPosition + (first ? -FLargeChange : FLargeChange), FMin, FMax);
        if (pos != FPosition) SetPosition(pos);
        StartTimer(kFirstRepeat, &TkScrollBar::TrackTick);
      }
    }
    FRepaintNeeded = true;
    UpdateBar();
  }
  fw::TWinControl::MouseDown(button, shift, x, y);
}

void TkScrollBar::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (Skinned() && button == fw::mbLeft) {
    FreeTimer();
    const fw::TPoint p(x, y);
    if (Over(spSlider, p) || FStates[spSlider] == kPartPressed) {
      FPart = scPosition;
      if (FStates[spSlider] == kPartPressed) {
        FDrawingForbidden = true;
        SetPosition(PositionFromPoint(p) - FThumbOffset);
        FStates[spSlider] = Over(spSlider, p) ? kPartHot : kPartNormal;
        if (FHeld) {
          FHeld = false;
          DoChange(FHeldPosition);
        }
      }
    } else {
      for (TkScrollPart part : {spFirstArrow, spSecondArrow})
        if (FStates[part] == kPartPressed) FStates[part] = kPartHot;
      for (TkScrollPart part : {spTrack1, spTrack2})
        if (FStates[part] == kPartPressed) FStates[part] = Over(part, p) ? kPartHot : kPartNormal;
    }
    FRepaintNeeded = true;
    UpdateBar();
    SetMouseCapture(false);
  }
  fw::TWinControl::MouseUp(button, shift, x, y);
  if (Skinned() && button == fw::mbLeft) {
    int pos = FPosition;
    Scroll(scEndScroll, pos);
    if (fw::Application) fw::Application->SetShowHint(FSavedShowHint);
  }
}

void TkScrollBar::HoverAt(fw::TPoint p) {
  for (TkScrollPart part : {spFirstArrow, spSecondArrow})
    if (FStates[part] != kPartPressed) FStates[part] = Over(part, p) ? kPartHot : kPartNormal;
  if (FStates[spSlider] == kPartPressed) {
    const int pos = PositionFromPoint(p) - FThumbOffset;
    if (pos != FPosition) SetPosition(pos);
  } else {
    FStates[spSlider] = Over(spSlider, p) ? kPartHot : kPartNormal;
  }
  FRepaintNeeded = true;
  UpdateBar();
}

void TkScrollBar::KeyDown(WORD& key, fw::TShiftState shift) {
  if (Skinned()) {
    switch (key) {
      case VK_PRIOR: SetPosition(FPosition - FLargeChange); break;
      case VK_NEXT: SetPosition(FPosition + FLargeChange); break;
      case VK_END: SetPosition(FMax); break;
      case VK_HOME: SetPosition(FMin); break;
      case VK_LEFT:
      case VK_UP: SetPosition(FPosition - FSmallChange); break;
      case VK_RIGHT:
      case VK_DOWN: SetPosition(FPosition + FSmallChange); break;
      default: break;
    }
  }
  fw::TWinControl::KeyDown(key, shift);
}

// --- messages ---

void TkScrollBar::WndProc(fw::TMessage& m) {
  TkCommonData* d = FSkinData.get();
  if (m.Msg == SM_SKINCMD && !GetComponentState().Contains(fw::csDestroying)) {
    const bool own = m.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager());
    switch (SkinCmdOf(m.WParam)) {
      case cmdNewSkin:
        if (own) CommonWndProc(m, d);
        return;
      case cmdRemoveSkin:
        if (!own) return;
        CommonWndProc(m, d);
        Recreate(false);
        return;
      case cmdRefresh:
        if (!own) return;
        CommonWndProc(m, d);
        d->BGChanged = true;
        // A bar that has its plain window already keeps it and is painted anew.
        if (FPlainWindow && Skinned()) {
          FRepaintNeeded = true;
          Invalidate();
        } else {
          Recreate(true);
        }
        return;
      case cmdParentPainted:
        d->Updating = false;
        FRepaintNeeded = true;
        Repaint();
        return;
      case cmdIsSkinned:
        m.LParam = 1;
        return;
      default:
        break;
    }
  }
  if (Skinned()) {
    if (m.Msg == WM_PRINT) {
      Perform(WM_PAINT, m.WParam, m.LParam);
      Perform(WM_NCPAINT, m.WParam, m.LParam);
      return;
    }
    if (CommonMessage(m, d)) return;
  }
  fw::TWinControl::WndProc(m);
}

void TkScrollBar::Dispatch(fw::TMessage& m) {
  const bool skinned = Skinned();
  switch (m.Msg) {
    case WM_PAINT:
      if (skinned || FDrawingForbidden) {
        PAINTSTRUCT ps{};
        HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(FHandle, &ps);
        if (skinned) {
          FSkinData->Updating = FSkinData->GetUpdating();
          FRepaintNeeded = true;
          PaintBar(dc);
        }
        if (!m.WParam) EndPaint(FHandle, &ps);
        m.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (FDrawingForbidden || skinned) {
        m.Result = 1;
        return;
      }
      break;
    case WM_NCHITTEST:
      if (skinned && GetEnabled() && !GetComponentState().Contains(fw::csDesigning))
        HoverAt(ScreenToClient(fw::TPoint(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)))));
      break;
    case WM_GETDLGCODE:
      fw::TWinControl::Dispatch(m);
      m.Result |= DLGC_WANTARROWS;
      return;
    case fw::CM_MOUSEENTER:
      if (skinned) {
        FStates[spTrack1] = FStates[spTrack2] = kPartHot;
        FRepaintNeeded = true;
        UpdateBar();
      }
      break;
    case fw::CM_MOUSELEAVE:
      if (skinned) {
        FStates[spFirstArrow] = FStates[spSecondArrow] = kPartNormal;
        if (FStates[spSlider] != kPartPressed) FStates[spSlider] = FStates[spTrack1] = FStates[spTrack2] = kPartNormal;
        FRepaintNeeded = true;
        UpdateBar();
      }
      break;
    case fw::CN_HSCROLL:
    case fw::CN_VSCROLL:
      if (!(skinned && FHeld)) DoScrollMessage(m);
      return;
    case fw::CM_BIDIMODECHANGED:
      fw::TWinControl::Dispatch(m);
      if (FHandle) RecreateWnd();
      return;
    case fw::CN_CTLCOLORSCROLLBAR:
      m.Result = DefWindowProcA(FHandle, WM_CTLCOLORSCROLLBAR, m.WParam, m.LParam);
      return;
    default:
      break;
  }
  fw::TWinControl::Dispatch(m);
}

void AttachAndShowControl(TkScrollBar* bar, fw::TWinControl* host) {
  if (!bar) return;
  bar->MouseScrolling = false;
  if (!bar->GetParent() && host) bar->SetParent(host->GetParent());
  bar->SetVisible(true);
  ShowWindowNoActivate(bar);
}

}  // namespace skin
