// TkTreeView: the skinned tree view. For now it draws and behaves as the framework's control.
#pragma once
#include "framework/comctrls/tree_view.h"

namespace skin {

class TkTreeView : public fw::TTreeView {
  FW_CLASS(TkTreeView, fw::TTreeView)
 public:
  explicit TkTreeView(fw::TComponent* owner);

 protected:
  ~TkTreeView() override = default;
};

}  // namespace skin
