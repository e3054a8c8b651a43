// Registers the common-control window classes a wrapper superclasses (once per class group).
#pragma once
#include "framework/win.h"

namespace fw {

// InitCommonControlsEx for the ICC_* classes, done at most once per flag.
void InitCommonControl(DWORD icc);

}  // namespace fw
