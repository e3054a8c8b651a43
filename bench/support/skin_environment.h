// What the skin benchmarks run in: the program folder in the scratch folder, the forms started,
// message dialogs answered by a script (a skin that fails to load shows up in its texts) and the
// skin engine started; all undone, in reverse, when the scope ends.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/dialog_service.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "skin/engine/skin_engine.h"

namespace bench {

class TSkinEnvironment {
 public:
  explicit TSkinEnvironment(const std::string& programFolder) {
    fw::testing::SetProgramFolder(programFolder);
    fw::InitRtl();
    fw::StartupForms();
    auto dialogs = std::make_unique<fw::testing::TScriptedDialogs>();
    FScripted = dialogs.get();
    fw::testing::SetDialogService(std::move(dialogs));
    skin::StartSkinEngine();
  }
  ~TSkinEnvironment() {
    skin::StopSkinEngine();
    fw::ShutdownForms();
    fw::testing::SetDialogService(nullptr);
  }
  TSkinEnvironment(const TSkinEnvironment&) = delete;
  TSkinEnvironment& operator=(const TSkinEnvironment&) = delete;

  // The texts of the message dialogs shown so far.
  const std::vector<std::string>& Messages() const { return FScripted->Texts; }

 private:
  fw::testing::TScriptedDialogs* FScripted = nullptr;
};

}  // namespace bench
