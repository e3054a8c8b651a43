// The skinned message dialog and input box. They go through the program's dialog service, so
// tests answer them from a script; the skinned look comes with the skin engine.
#pragma once
#include <string>

#include "framework/forms/dialog_service.h"

namespace skin {

// Shows text modally, centred on the screen, with an empty caption, the icon of type and the
// buttons given; returns the modal result of the button pressed (mrOk, mrYes ...; anything else
// for Cancel, No or closing).
int kMessageDlg(const std::string& text, fw::TMsgDlgType type, fw::TMsgDlgButtons buttons, int helpContext);

// Shows text modally with no icon and a single OK button.
void kShowMessage(const std::string& text);

// Asks for a line of text with value preset; returns the edited text on OK, value when cancelled.
std::string kInputBox(const std::string& caption, const std::string& prompt, const std::string& value);

}  // namespace skin
