// What the list view and the tree view share over their native windows: the sort callback,
// image-list attachment, the window parameters, and the button-up the native drag loop eats.
#pragma once
#include <functional>

#include "framework/controls/win_control.h"
#include "framework/graphics/image_list.h"
#include "framework/msg/exception_barrier.h"

namespace fw {

// The context a native sort passes to Callback: the caller's compare function, its data, and
// the control that reports an exception thrown by the compare function.
template <class TItem>
struct TNativeSortContext {
  const std::function<int(TItem* a, TItem* b, LPARAM data)>* Compare;
  LPARAM Data;
  TObject* Sender;

  static int CALLBACK Callback(LPARAM a, LPARAM b, LPARAM context) {
    auto* ctx = reinterpret_cast<TNativeSortContext*>(context);
    int result = 0;
    Barrier([&] {
      result = (*ctx->Compare)(reinterpret_cast<TItem*>(a), reinterpret_cast<TItem*>(b), ctx->Data);
    }, ctx->Sender);
    return result;
  }
};

// Puts images in slot (watching for its destruction instead of the old one's) and, when the
// window exists, hands it over with setMsg/kind (null images detach the list).
void AssignImageList(TWinControl* control, TCustomImageList*& slot, TCustomImageList* images, UINT setMsg,
                     WPARAM kind);

// Adds the view's style bits, the client edge of a single border, and drops full redraw on resize.
void ApplyItemViewParams(TCreateParams& params, DWORD style, TFormBorderStyle border);

// After a button press went through the base dispatch: the native drag-detect loop may have eaten
// the button-up, so deliver it here; never a second one for a press whose button-up is to come.
void DeliverEatenButtonUp(TWinControl* control, const TMessage& msg);

}  // namespace fw
