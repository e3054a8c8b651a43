// TkSkinProvider: the component on each form that will paint the form's title bar, borders and
// menus from the skin. With no skin painting yet it leaves the form as the system draws it.
#pragma once
#include <string>

#include "framework/core/component.h"

namespace skin {

class TkSkinProvider : public fw::TComponent {
  FW_CLASS(TkSkinProvider, fw::TComponent)
 public:
  explicit TkSkinProvider(fw::TComponent* owner);
  const std::string& GetSkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& value) { FSkinSection = value; }

 protected:
  ~TkSkinProvider() override = default;

 private:
  std::string FSkinSection = "FORM";
};

}  // namespace skin
