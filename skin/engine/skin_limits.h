// The ranges a skin's numbers are held to. A skin file may write any number; what reaches the
// painters is clamped to what a screen can use, so that no value makes a paint loop run long,
// a sum overflow or a picture grow without end.
#pragma once
#include "skin/engine/mask_data.h"
#include "skin/engine/section_data.h"

namespace skin {

// Pictures larger than this on a side are refused; mask rectangles and widths stay inside it.
inline constexpr int kMaxSkinPictureSide = 16384;
// The parents a section inherits through (PARENTCLASS, and so on up).
inline constexpr int kMaxParentDepth = 16;
// The stops a gradient keeps (each takes at least one percent of the face).
inline constexpr int kMaxGradientStops = 100;
// The blur passes of a text shadow, and how far it lies from its text.
inline constexpr int kMaxShadowBlur = 16;
inline constexpr int kMaxShadowOffset = 32;
// The steps of a fade (10 ms each) and its intervals.
inline constexpr int kMaxFadingIterations = 100;
inline constexpr int kMaxFadingInterval = 1000;
// The frames side by side, and the rows of frames, of a mask.
inline constexpr int kMaxMaskFrames = 64;

// GLOBALINFO's shadow: blur -1 (none) to kMaxShadowBlur, offset within kMaxShadowOffset,
// transparency 0..100.
void ClampSkinInfo(TkSkinData& data);
// A section's shadow, percentages (0..100) and fading.
void ClampSection(TkGeneralData& section);
// A mask's rectangle and widths (0..kMaxSkinPictureSide) and counts (0..kMaxMaskFrames).
void ClampMask(TkMaskData& mask);

}  // namespace skin
