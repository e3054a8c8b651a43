#include "framework/controls/scrolling_win_control.h"

#include <algorithm>

namespace fw {

int TControlScrollBar::GetRange() const {
  if (!FControl || !FControl->AutoRangeEnabled()) return FRange;
  const bool vertical = FKind == sbVertical;
  const TAlign nearSide = vertical ? alTop : alLeft, farSide = vertical ? alBottom : alRight;
  const TAnchorKind nearAnchor = vertical ? akTop : akLeft, farAnchor = vertical ? akBottom : akRight;
  int extent = 0, farAligned = 0;
  for (int i = 0; i < FControl->GetControlCount(); ++i) {
    const TControl* c = FControl->GetControls(i);
    if (!c->GetVisible()) continue;
    const int start = vertical ? c->GetTop() : c->GetLeft(), size = vertical ? c->GetHeight() : c->GetWidth();
    const TAnchors anchors = c->GetAnchors();
    // A child anchored to the far edge moves with the client: it sets no range.
    const bool pinnedNear = anchors.Contains(nearAnchor) && !anchors.Contains(farAnchor);
    if (c->GetAlign() == nearSide || (c->GetAlign() == alNone && pinnedNear))
      extent = std::max(extent, FPosition + start + size);
    else if (c->GetAlign() == farSide)
      farAligned += size;
  }
  return extent + farAligned + FMargin;
}

}  // namespace fw
