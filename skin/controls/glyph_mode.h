// The button glyph of a combo edit (TkGlyphMode) and the five built-in glyphs, bitmap resources
// of the program: "BTN_OPENFILE" ("SF"), "BTN_OPENFOLDER" ("SR"), "BTN_DATE" ("SD"),
// "BTN_ELLIPSIS" ("SE") and "BTN_CALC" ("SC"). A glyph bitmap holds three frames side by side
// (normal, hot, pressed) in its upper half, over their masks in the lower half. The built-in
// glyphs live from the skin engine's start-up to its shutdown.
#pragma once
#include <string>

#include "framework/graphics/bitmap.h"

namespace skin {

class TkCustomComboEdit;

// Loads the built-in glyphs (counted: only the first call loads, the last release frees).
void LoadEditGlyphs();
void FreeEditGlyphs();
// The built-in glyph of that name, or null (an unknown name, or outside the engine's run).
fw::TBitmap* BuiltInGlyph(const std::string& name);

class TkGlyphMode : public fw::TPersistent {
  FW_CLASS(TkGlyphMode, fw::TPersistent)
 public:
  explicit TkGlyphMode(TkCustomComboEdit* owner);
  ~TkGlyphMode() override;

  bool GetUseDefaultGlyph() const { return FUseDefaultGlyph; }
  // Becoming true selects the glyph again; the owner repaints (skin command 3).
  void SetUseDefaultGlyph(bool value);
  int GetBlend() const { return FBlend; }
  // Stored clamped to 0..100; the button takes the glyph's width.
  void SetBlend(int value);
  fw::TBitmap* GetGlyph() const { return FGlyph.get(); }
  // A glyph of one's own: copied in, the built-in one no longer used.
  void SetGlyph(const fw::TBitmap* value);
  bool GetGrayed() const { return FGrayed; }
  void SetGrayed(bool value);
  // The hint of the owner's button.
  std::string GetHint() const;
  void SetHint(const std::string& value);

  // The glyph the button shows: Glyph when it is wanted and not empty, else the built-in glyph
  // of the owner's glyph name; null when there is none.
  fw::TBitmap* Current() const;
  // Makes the button as wide as the glyph needs (0 without a glyph); true when there is one.
  bool SelectGlyph();
  // One frame's size; 0 without a glyph.
  int GlyphWidth() const;
  int GlyphHeight() const;

 private:
  void RepaintOwner();

  TkCustomComboEdit* FOwner;
  std::unique_ptr<fw::TBitmap> FGlyph;
  bool FUseDefaultGlyph = true;
  int FBlend = 0;
  bool FGrayed = false;
};

}  // namespace skin
