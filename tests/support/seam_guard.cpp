#include "support/seam_guard.h"

#include "app/shared/shell_file_operation.h"
#include "app/tools/duplicate_finder.h"
#include "app/tools/other_clean.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/dialog_service.h"
#include "framework/rtl/seams.h"
#include "services/search/search_files.h"

namespace testing_seams {

// The seams, one line each.
TSeamGuard::TSeamGuard() {
  Keep(&fw::testing::SetDialogService);              // message and input dialogs
  Keep(&fw::testing::SetFileDialogService);          // folder browser (the path dialog too), open dialog
  Keep(&fw::testing::SetClock);                      // tick count, time, sleeping
  Keep(&fw::testing::SetSpecialFolders);             // CSIDL folders
  Keep(&fw::testing::SetProgramFolder);              // the executable's folder
  Keep(&svc::testing::SetIsConsole);                 // whether searches let messages through
  Keep(&app::testing::SetShellOperationCall);        // SHFileOperationA
  Keep(&app::testing::SetEmptyRecycleBinCall);       // emptying the recycle bins
  Keep(&app::testing::SetPrefetchFolder);            // the Windows prefetch folder
  Keep(&app::testing::SetProtectedWindowsFolder);    // the folder "Protect System folders" guards
}

TSeamGuard::~TSeamGuard() {
  for (auto it = FRestore.rbegin(); it != FRestore.rend(); ++it) (*it)();
}

}  // namespace testing_seams
