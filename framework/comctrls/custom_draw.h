// The custom-draw stages and item states the common controls report through NM_CUSTOMDRAW.
#pragma once
#include "framework/core/sets.h"
#include "framework/win.h"

namespace fw {

enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum TCustomDrawStateFlag { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot,
                            cdsMarked, cdsIndeterminate };
using TCustomDrawState = TSet<TCustomDrawStateFlag>;

// The state of the CDIS_* bits of an item.
TCustomDrawState CustomDrawStateOf(UINT state);

}  // namespace fw
