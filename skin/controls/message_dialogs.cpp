#include "skin/controls/message_dialogs.h"

namespace skin {

int kMessageDlg(const std::string& text, fw::TMsgDlgType type, fw::TMsgDlgButtons buttons, int helpContext) {
  return fw::DialogService().MessageDlg(text, type, buttons, helpContext);
}

void kShowMessage(const std::string& text) { fw::DialogService().ShowMessage(text); }

std::string kInputBox(const std::string& caption, const std::string& prompt, const std::string& value) {
  std::string edited = value;
  if (fw::DialogService().InputQuery(caption, prompt, edited)) return edited;
  return value;
}

}  // namespace skin
