// TkSkinProvider: the component on each form that will paint the form's title bar, borders and
// menus from the skin. With no skin painting yet it leaves the form as the system draws it.
#pragma once
#include <string>

#include "framework/core/component.h"
#include "framework/msg/messages.h"

namespace skin {

class TkSkinProvider : public fw::TComponent {
  FW_CLASS(TkSkinProvider, fw::TComponent)
 public:
  explicit TkSkinProvider(fw::TComponent* owner);
  const std::string& GetSkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& value) { FSkinSection = value; }
  // Skin commands for a form being designed; there is no form designer, so nothing happens.
  void DesignTimeCommand(fw::TMessage&) {}

 protected:
  ~TkSkinProvider() override = default;

 private:
  std::string FSkinSection = "FORM";
};

}  // namespace skin
