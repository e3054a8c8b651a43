// TkFrameAdapter: the component on each frame that will paint the frame from the skin. With no
// skin painting yet it leaves the frame as it is.
#pragma once
#include <string>

#include "framework/core/component.h"

namespace skin {

class TkFrameAdapter : public fw::TComponent {
  FW_CLASS(TkFrameAdapter, fw::TComponent)
 public:
  explicit TkFrameAdapter(fw::TComponent* owner);
  const std::string& GetSkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& value) { FSkinSection = value; }

 protected:
  ~TkFrameAdapter() override = default;

 private:
  std::string FSkinSection;
};

}  // namespace skin
