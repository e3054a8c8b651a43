#include "skin/engine/skin_command.h"

#include "framework/controls/win_control.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "skin/engine/skin_provider.h"

namespace skin {

UINT SM_SKINCMD = 0xA100;

namespace {

bool Destroying(const fw::TComponent* component) {
  return component->GetComponentState().Contains(fw::csDestroying);
}

// One pass over the application's forms; false when the list shrank under it.
bool BroadcastPass(fw::TMessage& message, bool mdiChildren) {
  for (int i = fw::Application->GetComponentCount() - 1; i >= 0; --i) {
    if (i >= fw::Application->GetComponentCount()) return false;
    auto* form = dynamic_cast<fw::TCustomForm*>(fw::Application->GetComponents(i));
    if (!form || Destroying(form) || (form->GetFormStyle() == fw::fsMDIChild) != mdiChildren) continue;
    SendMessageA(form->GetHandle(), message.Msg, message.WParam, message.LParam);
    BroadcastToChildControls(form, message);
    if (form->GetFormStyle() == fw::fsMDIForm && form->GetClientHandle())
      SendMessageA(form->GetClientHandle(), message.Msg, message.WParam, message.LParam);
  }
  return true;
}

}  // namespace

bool ControlAnswersCmd(fw::TControl* control, int command) {
  fw::TMessage message{SM_SKINCMD, SkinCmdWParam(command), 0, 0};
  control->Perform(message);
  return message.LParam == 1;
}

void BroadcastToChildControls(fw::TWinControl* container, fw::TMessage& message) {
  try {
    for (int i = 0; i < container->GetControlCount(); ++i) {
      fw::TControl* child = container->GetControls(i);
      if (Destroying(child)) return;
      auto* windowed = dynamic_cast<fw::TWinControl*>(child);
      if (!windowed) {
        child->Perform(message.Msg, message.WParam, message.LParam);
      } else if (ControlAnswersCmd(windowed, cmdIsSkinned)) {
        windowed->Perform(message);
      } else {
        BroadcastToChildControls(windowed, message);
      }
    }
  } catch (...) {
    // A receiver that fails ends the walk; the others keep what they had.
  }
}

void SendToFormProvider(fw::TCustomForm* form, fw::TMessage& message) {
  for (int i = 0; i < form->GetComponentCount(); ++i) {
    auto* provider = dynamic_cast<TkSkinProvider*>(form->GetComponents(i));
    if (provider && !Destroying(provider)) {
      provider->DesignTimeCommand(message);
      return;
    }
  }
}

void BroadcastToAppForms(fw::TMessage& message) {
  if (!fw::Application) return;
  if (BroadcastPass(message, false)) BroadcastPass(message, true);
}

}  // namespace skin
