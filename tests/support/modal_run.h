// Runs a dialog's Execute with every modal form it shows handed to a hook as the form class the
// test expects, counting the forms. A form the hook leaves open is closed with mrAbort, so a
// failed expectation never leaves a dialog waiting.
#pragma once
#include <gtest/gtest.h>

#include <functional>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"

namespace testing_gui {

template <class Form>
bool RunModal(const std::function<bool()>& execute, const std::function<void(Form&)>& hook, int& shown) {
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    ++shown;
    auto* typed = dynamic_cast<Form*>(&form);
    ASSERT_NE(typed, nullptr);
    hook(*typed);
    if (typed->GetModalResult() == fw::mrNone) typed->SetModalResult(fw::mrAbort);
  };
  const bool result = execute();
  fw::Application->ModalHook = nullptr;
  return result;
}

}  // namespace testing_gui
