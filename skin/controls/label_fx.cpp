#include "skin/controls/label_fx.h"

#include <algorithm>
#include <optional>

#include "framework/graphics/canvas.h"
#include "framework/stdctrls/text_painter.h"
#include "framework/sys/owned_handle.h"
#include "skin/engine/skin_manager.h"

namespace skin {

void TkShadow::Changed() {
  if (FOwner) FOwner->Invalidate();
}
void TkShadow::SetMode(TkShadowMode value) {
  if (value == FMode) return;
  FMode = value;
  Changed();
}
void TkShadow::SetColor(fw::TColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed();
}
void TkShadow::SetBlurCount(int value) {
  if (value == FBlurCount) return;
  FBlurCount = value;
  Changed();
}
void TkShadow::SetDistance(int value) {
  if (value == FDistance) return;
  FDistance = value;
  Changed();
}

void TkKind::SetKindType(TkKindType value) {
  if (value == FKindType) return;
  FKindType = value;
  if (FOwner) FOwner->Invalidate();
}
void TkKind::SetColor(fw::TColor value) {
  if (value == FColor) return;
  FColor = value;
  if (FOwner) FOwner->Invalidate();
}

TkShadowExtent ShadowExtent(int distance, int blur) {
  return TkShadowExtent{std::min(0, distance - blur), std::max(0, distance + blur)};
}

void BlurTextAlpha(const fw::TBitmap& ink, int passes, std::vector<uint8_t>& alpha) {
  const int w = ink.GetWidth(), h = ink.GetHeight(), stride = w + 2;
  const size_t cells = static_cast<size_t>(stride) * (h + 2);
  if (alpha.size() < cells) alpha.resize(cells);
  std::fill(alpha.begin(), alpha.begin() + static_cast<std::ptrdiff_t>(cells), 0);
  const int bytes = ink.GetPixelFormat() == fw::pf32bit ? 4 : 3;
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < h; ++y) {
      const auto* row = static_cast<const uint8_t*>(ink.GetScanLine(y));
      for (int x = 0; x < w; ++x)
        if (row[x * bytes] != 0) alpha[static_cast<size_t>(y + 1) * stride + x + 1] = 255;
    }
    for (int y = 1; y <= h; ++y)
      for (int x = 1; x <= w; ++x) {
        uint8_t* cell = &alpha[static_cast<size_t>(y) * stride + x];
        *cell = static_cast<uint8_t>((cell[-stride] + cell[stride] + cell[-1] + cell[1]) / 4);
      }
  }
}

TkLabelFX::TkLabelFX(fw::TComponent* owner)
    : TkCustomLabel(owner),
      FShadow(std::make_unique<TkShadow>(this)),
      FKind(std::make_unique<TkKind>(this)),
      FWork(std::make_unique<fw::TBitmap>()) {
  FWork->SetPixelFormat(fw::pf32bit);
  FWork->SetSize(GetWidth(), GetHeight());
}

bool TkLabelFX::ShadowLook(TLook& look) const {
  switch (FShadow->GetMode()) {
    case smNone:
      return false;
    case smSkin1:
      if (DefaultSkinActive() && DefaultManager()->GetSkinData()->Shadow1Blur != -1) {
        const TkSkinData* s = DefaultManager()->GetSkinData();
        look = TLook{s->Shadow1Color, s->Shadow1Blur, s->Shadow1Offset};
        return true;
      }
      break;
    case smCustom:
      break;
  }
  look = TLook{FShadow->GetColor(), FShadow->GetBlurCount(), FShadow->GetDistance()};
  return true;
}

fw::TColor TkLabelFX::TextColour() const {
  switch (FKind->GetKindType()) {
    case ktStandard:
      return GetColor();
    case ktCustom:
      return FKind->GetColor();
    case ktSkin:
      break;
  }
  if (DefaultSkinActive()) {
    const TkSkinManager* m = DefaultManager();
    const int index = m->GetSkinIndex("GLOBALINFO");
    if (m->IsValidSkinIndex(index) && m->GetSections()[index].FontColor[1] != -1)
      return m->GetSections()[index].FontColor[1];
  }
  return FKind->GetColor();
}

void TkLabelFX::DoDrawText(fw::TRect& rect, UINT flags) {
  TLook look{};
  if (!ShadowLook(look)) {
    TkCustomLabel::DoDrawText(rect, flags);
    return;
  }
  const std::string text = TextToDraw(flags);
  std::optional<fw::TWindowDC> screen;
  HDC dc = FDrawDC ? FDrawDC : screen.emplace().Get();
  const bool measuring = (flags & DT_CALCRECT) != 0;
  if (!GetEnabled()) {
    fw::TTextPainter painter(dc, GetFont());
    if (measuring)
      painter.Draw(text, rect, flags);
    else
      painter.DrawDisabled(text, rect, flags);
    return;
  }
  const fw::TColor colour = TextColour();
  const bool shadow = look.Color != fw::clNone && look.Blur != 0;
  if (measuring || !shadow) {
    fw::TTextPainter painter(dc, GetFont());
    SetTextColor(dc, static_cast<COLORREF>(fw::ColorToRGB(colour)));
    painter.Draw(text, rect, flags);
    if (measuring && shadow) {
      FExtent = ShadowExtent(look.Distance, look.Blur);
      rect.Right += FExtent.Hi - FExtent.Lo;
      rect.Bottom += FExtent.Hi - FExtent.Lo;
    }
    return;
  }
  Render(dc, text, rect, flags, look, colour);
}

void TkLabelFX::Render(HDC dc, const std::string& text, const fw::TRect& rect, UINT flags, const TLook& look,
                       fw::TColor textColour) {
  const int w = rect.Width(), h = rect.Height();
  if (w <= 0 || h <= 0) return;
  const int lo = FExtent.Lo, hi = FExtent.Hi, d = look.Distance;
  // The text in white on black, where the shadow falls.
  FWork->SetSize(w, h);
  HDC work = FWork->GetCanvas()->GetHandle();
  fw::TRect all(0, 0, w, h);
  FillRect(work, fw::AsRECT(all), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  {
    fw::TTextPainter painter(work, GetFont());
    SetTextColor(work, RGB(255, 255, 255));
    fw::TRect r(-lo + d, -lo + d, w - hi + d, h - hi + d);
    painter.Draw(text, r, flags);
  }
  BlurTextAlpha(*FWork, look.Blur, FAlpha);
  // The shadow over what lies under the label, or over its colour.
  if (GetTransparent()) BitBlt(work, 0, 0, w, h, dc, rect.Left, rect.Top, SRCCOPY);
  const fw::TColor shade = fw::ColorToRGB(look.Color), back = fw::ColorToRGB(GetColor());
  const int stride = w + 2;
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(FWork->GetScanLine(y));
    for (int x = 0; x < w; ++x) {
      const int a = FAlpha[static_cast<size_t>(y + 1) * stride + x + 1];
      for (int c = 0; c < 3; ++c) {
        // Bytes run blue, green, red; colours are 0x00BBGGRR.
        const int s = (shade >> (8 * (2 - c))) & 0xFF;
        const int under = GetTransparent() ? row[x * 4 + c] : (back >> (8 * (2 - c))) & 0xFF;
        row[x * 4 + c] = static_cast<uint8_t>((under * (255 - a) + s * a) >> 8);
      }
    }
  }
  BitBlt(dc, rect.Left, rect.Top, w, h, work, 0, 0, SRCCOPY);
  fw::TTextPainter painter(dc, GetFont());
  SetTextColor(dc, static_cast<COLORREF>(fw::ColorToRGB(textColour)));
  fw::TRect r(rect.Left - lo, rect.Top - lo, rect.Right - hi, rect.Bottom - hi);
  painter.Draw(text, r, flags);
}

}  // namespace skin
