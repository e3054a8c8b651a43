// TkLabelFX: a label with a blurred drop shadow, used for titles. Shadow says where the shadow's
// colour, blur and distance come from (its own values or the skin's GLOBALINFO "SHADOW1COLOR",
// "SHADOW1BLUR", "SHADOW1OFFSET"), Kind where the text colour comes from. An auto-sized label
// grows by the shadow's reach.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/object.h"
#include "framework/graphics/bitmap.h"
#include "skin/controls/label.h"

namespace skin {

class TkLabelFX;

enum TkShadowMode { smNone, smCustom, smSkin1 };
enum TkKindType { ktStandard, ktCustom, ktSkin };

// The label's shadow; every change repaints the label.
class TkShadow : public fw::TPersistent {
  FW_CLASS(TkShadow, fw::TPersistent)
 public:
  explicit TkShadow(TkLabelFX* owner) : FOwner(owner) {}

  TkShadowMode GetMode() const { return FMode; }
  void SetMode(TkShadowMode value);
  fw::TColor GetColor() const { return FColor; }
  void SetColor(fw::TColor value);
  int GetBlurCount() const { return FBlurCount; }
  void SetBlurCount(int value);
  int GetDistance() const { return FDistance; }
  void SetDistance(int value);

 private:
  void Changed();

  TkLabelFX* FOwner;
  TkShadowMode FMode = smCustom;
  fw::TColor FColor = fw::clBlack;
  int FBlurCount = 4;
  int FDistance = 1;
};

// Where the label's text colour comes from; every change repaints the label.
class TkKind : public fw::TPersistent {
  FW_CLASS(TkKind, fw::TPersistent)
 public:
  explicit TkKind(TkLabelFX* owner) : FOwner(owner) {}

  TkKindType GetKindType() const { return FKindType; }
  void SetKindType(TkKindType value);
  fw::TColor GetColor() const { return FColor; }
  void SetColor(fw::TColor value);

 private:
  TkLabelFX* FOwner;
  TkKindType FKindType = ktSkin;
  fw::TColor FColor = fw::clWhite;
};

// How far the shadow reaches beyond the text: Lo to the left and top (at most 0), Hi to the
// right and bottom (at least 0).
struct TkShadowExtent {
  int Lo = 0;
  int Hi = 0;
};
TkShadowExtent ShadowExtent(int distance, int blur);

// The shadow's alpha from the text drawn in white on black in ink (its blue byte): a buffer of
// (width + 2) x (height + 2) cells, grown when smaller; each pass sets the text's cells to 255
// and makes every inner cell, row by row, the mean of its four neighbours as they are then.
void BlurTextAlpha(const fw::TBitmap& ink, int passes, std::vector<uint8_t>& alpha);

class TkLabelFX : public TkCustomLabel {
  FW_CLASS(TkLabelFX, TkCustomLabel)
 public:
  explicit TkLabelFX(fw::TComponent* owner);

  TkShadow* GetShadow() const { return FShadow.get(); }
  TkKind* GetKind() const { return FKind.get(); }
  // Cells the alpha buffer holds now.
  size_t AlphaCapacity() const { return FAlpha.size(); }

 protected:
  ~TkLabelFX() override = default;
  void DoDrawText(fw::TRect& rect, UINT flags) override;

 private:
  struct TLook {
    fw::TColor Color;
    int Blur;
    int Distance;
  };
  // The shadow's colour, blur and distance; false for no shadow (smNone).
  bool ShadowLook(TLook& look) const;
  fw::TColor TextColour() const;
  void Render(HDC dc, const std::string& text, const fw::TRect& rect, UINT flags, const TLook& look,
              fw::TColor textColour);

  std::unique_ptr<TkShadow> FShadow;
  std::unique_ptr<TkKind> FKind;
  std::unique_ptr<fw::TBitmap> FWork;
  std::vector<uint8_t> FAlpha;
  TkShadowExtent FExtent;
};

}  // namespace skin
