// TkListView: the skinned list view (report view, check boxes, sub-items).
// For now it draws and behaves as the framework's control.
#pragma once
#include "framework/comctrls/list_view.h"

namespace skin {

class TkListView : public fw::TListView {
  FW_CLASS(TkListView, fw::TListView)
 public:
  explicit TkListView(fw::TComponent* owner);

 protected:
  ~TkListView() override = default;
};

}  // namespace skin
