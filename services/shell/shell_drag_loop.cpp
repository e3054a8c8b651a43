#include "services/shell/shell_drag_loop.h"

#include <ole2.h>

namespace svc {

namespace {

TSvDragLoop dragLoop;

}  // namespace

HRESULT SvDoDragDrop(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect) {
  if (dragLoop) return dragLoop(data, source, allowedEffects, effect);
  return DoDragDrop(data, source, allowedEffects, effect);
}

namespace testing {

TSvDragLoop SetDragLoop(TSvDragLoop loop) {
  TSvDragLoop previous = std::move(dragLoop);
  dragLoop = std::move(loop);
  return previous;
}

}  // namespace testing

}  // namespace svc
