#include "services/shell/ds_cursors.h"

#include "framework/forms/screen.h"

namespace svc {

void RegisterDsCursors() {
  fw::TScreen* screen = fw::Screen;
  if (!screen) return;
  screen->SetCursors(crDsDragLink, screen->GetCursors(fw::crDrag));
  screen->SetCursors(crDsDragAlt, screen->GetCursors(fw::crDrag));
  screen->SetCursors(crDsMultiDragLink, screen->GetCursors(fw::crMultiDrag));
  screen->SetCursors(crDsMultiDragAlt, screen->GetCursors(fw::crMultiDrag));
}

}  // namespace svc
