// TkGrip: the size-grip corner a form skinner lays where its two skinned scroll bars meet,
// 20 by 20 pixels. Its creator sets its skin manager, the form it belongs to and its parent,
// places it and shows it.
#pragma once
#include <memory>

#include "framework/controls/custom_control.h"
#include "skin/engine/common_data.h"

namespace skin {

class TkGrip : public fw::TCustomControl {
  FW_CLASS(TkGrip, fw::TCustomControl)
 public:
  explicit TkGrip(fw::TComponent* owner);
  TkCommonData* GetSkinData() const { return FSkinData.get(); }
  fw::TControl* GetLinkedControl() const { return FLinkedControl; }
  void SetLinkedControl(fw::TControl* c) { FLinkedControl = c; }

 protected:
  ~TkGrip() override = default;

 private:
  std::unique_ptr<TkCommonData> FSkinData;
  fw::TControl* FLinkedControl = nullptr;
};

}  // namespace skin
