#include "skin/controls/glyph_mode.h"

#include <algorithm>
#include <map>
#include <memory>

#include "skin/controls/combo_edit.h"
#include "skin/engine/skin_command.h"

namespace skin {

namespace {

struct TBuiltInGlyph {
  const char* Name;
  const char* Resource;
};
constexpr TBuiltInGlyph kBuiltInGlyphs[] = {
    {"BTN_OPENFILE", "SF"}, {"BTN_OPENFOLDER", "SR"}, {"BTN_DATE", "SD"}, {"BTN_ELLIPSIS", "SE"}, {"BTN_CALC", "SC"},
};

int GlyphUsers = 0;
std::map<std::string, std::unique_ptr<fw::TBitmap>>& Glyphs() {
  static std::map<std::string, std::unique_ptr<fw::TBitmap>> glyphs;
  return glyphs;
}

}  // namespace

void LoadEditGlyphs() {
  if (GlyphUsers++ > 0) return;
  for (const TBuiltInGlyph& g : kBuiltInGlyphs) {
    auto bmp = std::make_unique<fw::TBitmap>();
    // A program without the resource simply has no such glyph.
    if (!FindResourceA(GetModuleHandleA(nullptr), g.Resource, reinterpret_cast<LPCSTR>(RT_BITMAP))) continue;
    bmp->LoadFromResourceName(GetModuleHandleA(nullptr), g.Resource);
    Glyphs()[g.Name] = std::move(bmp);
  }
}

void FreeEditGlyphs() {
  if (GlyphUsers == 0 || --GlyphUsers > 0) return;
  Glyphs().clear();
}

fw::TBitmap* BuiltInGlyph(const std::string& name) {
  auto it = Glyphs().find(name);
  return it == Glyphs().end() ? nullptr : it->second.get();
}

TkGlyphMode::TkGlyphMode(TkCustomComboEdit* owner) : FOwner(owner), FGlyph(std::make_unique<fw::TBitmap>()) {}

TkGlyphMode::~TkGlyphMode() = default;

void TkGlyphMode::RepaintOwner() {
  if (FOwner->HandleAllocated())
    FOwner->Perform(SM_SKINCMD, SkinCmdWParam(cmdRefresh),
                    reinterpret_cast<LPARAM>(FOwner->GetSkinData()->GetSkinManager()));
}

void TkGlyphMode::SetUseDefaultGlyph(bool value) {
  FUseDefaultGlyph = value;
  if (value) SelectGlyph();
  RepaintOwner();
}

void TkGlyphMode::SetBlend(int value) {
  value = std::clamp(value, 0, 100);
  if (value == FBlend) return;
  FBlend = value;
  FOwner->GetButton()->SetWidth(GlyphWidth() + 2);
  FOwner->GetButton()->Invalidate();
}

void TkGlyphMode::SetGlyph(const fw::TBitmap* value) {
  FGlyph->Assign(value);
  FUseDefaultGlyph = false;
  RepaintOwner();
}

void TkGlyphMode::SetGrayed(bool value) {
  FGrayed = value;
  RepaintOwner();
}

std::string TkGlyphMode::GetHint() const { return FOwner->GetButton()->GetHint(); }

void TkGlyphMode::SetHint(const std::string& value) { FOwner->GetButton()->SetHint(value); }

fw::TBitmap* TkGlyphMode::Current() const {
  // Without the built-in glyph only a glyph of one's own counts.
  if (!FUseDefaultGlyph) return FGlyph->GetWidth() >= 1 ? FGlyph.get() : nullptr;
  return BuiltInGlyph(FOwner->GlyphName());
}

bool TkGlyphMode::SelectGlyph() {
  const int w = GlyphWidth();
  FOwner->GetButton()->SetWidth(w < 1 ? 0 : w + 2);
  return w != 0;
}

int TkGlyphMode::GlyphWidth() const {
  const fw::TBitmap* glyph = Current();
  return glyph ? glyph->GetWidth() / 3 : 0;
}

int TkGlyphMode::GlyphHeight() const {
  const fw::TBitmap* glyph = Current();
  return glyph ? glyph->GetHeight() / 2 : 0;
}

}  // namespace skin
