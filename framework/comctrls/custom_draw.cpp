#include "framework/comctrls/custom_draw.h"

#include <commctrl.h>

namespace fw {

TCustomDrawState CustomDrawStateOf(UINT state) {
  TCustomDrawState s;
  if (state & CDIS_SELECTED) s.Include(cdsSelected);
  if (state & CDIS_GRAYED) s.Include(cdsGrayed);
  if (state & CDIS_DISABLED) s.Include(cdsDisabled);
  if (state & CDIS_CHECKED) s.Include(cdsChecked);
  if (state & CDIS_FOCUS) s.Include(cdsFocused);
  if (state & CDIS_DEFAULT) s.Include(cdsDefault);
  if (state & CDIS_HOT) s.Include(cdsHot);
  if (state & CDIS_MARKED) s.Include(cdsMarked);
  if (state & CDIS_INDETERMINATE) s.Include(cdsIndeterminate);
  return s;
}

}  // namespace fw
