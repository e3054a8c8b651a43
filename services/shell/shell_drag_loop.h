// The one place through which the shell views start a drag: the platform's DoDragDrop in the
// program; tests put a function of their own in its place to receive what a drag hands over.
#pragma once
#include <functional>

#include "framework/win.h"

namespace svc {

using TSvDragLoop = std::function<HRESULT(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect)>;

// Runs the drag loop; effect receives the effect the drop target chose.
HRESULT SvDoDragDrop(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect);

namespace testing {
// Replaces the drag loop (an empty function restores DoDragDrop); returns the previous one.
TSvDragLoop SetDragLoop(TSvDragLoop loop);
}  // namespace testing

}  // namespace svc
