#include "framework/comctrls/common_controls.h"

namespace fw {

void InitCommonControl(DWORD icc) {
  static DWORD done = 0;
  if ((done & icc) == icc) return;
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), icc};
  if (InitCommonControlsEx(&init)) done |= icc;
}

}  // namespace fw
