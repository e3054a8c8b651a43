// Small pieces the shell views share: ID-list equality, the busy cursor for a scope, and the
// drag-picture bracket around a drag loop.
#pragma once
#include "framework/win.h"

namespace fw {
class TComponent;
}

namespace svc {

class TSvCustomShellController;
class TSvCustomShellListView;

// Links a view (the tree or the combo box) to a shell list view: the view watches the list go
// and shares the list's controller when it has none yet.
void LinkToListView(fw::TComponent* view, TSvCustomShellListView*& link, TSvCustomShellListView* list,
                    TSvCustomShellController*& controller);

// The view's controller: shared with the given one, else a new one; counted in either way.
TSvCustomShellController* UseController(TSvCustomShellController* shared);
// Lets go of the view's controller (null afterwards); the last view to do so frees it.
void ReleaseController(TSvCustomShellController*& controller);

// Both lists given and equal (ILIsEqual).
bool SamePidl(LPCITEMIDLIST a, LPCITEMIDLIST b);

// The hourglass while it lives.
class TSvBusyCursor {
 public:
  TSvBusyCursor();
  ~TSvBusyCursor();
  TSvBusyCursor(const TSvBusyCursor&) = delete;
  TSvBusyCursor& operator=(const TSvBusyCursor&) = delete;
};

// Runs a drag of the items (relative ID lists of the folder that holds absolute's item) through
// the drag loop with the picture in image, which it destroys; returns the effect chosen.
DWORD RunViewDrag(HIMAGELIST image, const LPCITEMIDLIST* items, int count, LPCITEMIDLIST absolute, DWORD effects);

}  // namespace svc
