#include "support/seam_guard.h"

#include "app/dialogs/change_attribute_form.h"
#include "app/shared/run_key.h"
#include "app/shared/shell_file_operation.h"
#include "app/shared/startup_store.h"
#include "app/tools/duplicate_finder.h"
#include "app/tools/file_digests.h"
#include "app/tools/other_clean.h"
#include "app/tools/wipe_file.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/dialog_service.h"
#include "framework/rtl/seams.h"
#include "services/hashing/file_identity.h"
#include "services/search/search_files.h"
#include "services/shell/sh_file_operation.h"
#include "services/shell/shell_component.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_drag_loop.h"
#include "services/shell/shell_item.h"
#include "services/shell/shortcut.h"
#include "skin/controls/shell_folder.h"
#include "skin/controls/web_label.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/skinable_menus.h"

namespace testing_seams {

// The seams, one line each.
TSeamGuard::TSeamGuard() {
  Keep(&fw::testing::SetDialogService);              // message and input dialogs
  Keep(&fw::testing::SetFileDialogService);          // folder browser (the path dialog too), open dialog
  Keep(&fw::testing::SetClock);                      // tick count, time, sleeping
  Keep(&fw::testing::SetSpecialFolders);             // CSIDL folders
  Keep(&fw::testing::SetProgramFolder);              // the executable's folder
  Keep(&fw::testing::SetVisualThemesInUse);          // whether windows use visual themes
  Keep(&svc::testing::SetIsConsole);                 // whether searches let messages through
  Keep(&app::testing::SetShellOperationCall);        // SHFileOperationA
  Keep(&app::testing::SetEmptyRecycleBinCall);       // emptying the recycle bins
  Keep(&app::testing::SetPrefetchFolder);            // the Windows prefetch folder
  Keep(&app::testing::SetProtectedWindowsFolder);    // the folder "Protect System folders" guards
  Keep(&app::testing::SetDigestSourceWrap);          // the Duplicate finder's digest reads
  Keep(&svc::testing::SetFileInformationCall);       // the volume serial and index of open files
  Keep(&app::testing::SetWipeRandomSource);          // the File wiper's random bytes
  Keep(&app::testing::SetWipeObserver);              // the File wiper's passes
  Keep(&app::testing::SetWipeFileCalls);             // the File wiper's seek, write and flush
  Keep(&app::testing::SetRunKeyFault);               // failing run-key writes
  Keep(&app::testing::SetStoreFileCalls);            // the Startup manager's store file writes
  Keep(&app::testing::SetAttributeCalls);            // the Attribute manager's time and attribute writes
  Keep(&svc::testing::SetShellVersion);              // the shell version components compare with
  Keep(&svc::testing::SetShellLinkFactory);          // the shell-link object
  Keep(&svc::testing::SetShFileOperationCall);       // TDsSHFileOperation's SHFileOperationA
  Keep(&svc::testing::SetShFreeNameMappingsCall);    // and its SHFreeNameMappings
  Keep(&svc::testing::SetWideNameMappings);          // the name-mapping layout
  Keep(&svc::testing::SetDragLoop);                  // the drag loop of the shell views
  Keep(&svc::testing::SetContextMenuChooser);        // the choice in the shell's context menu
  Keep(&skin::testing::SetSse2);                     // the skin painters' SSE2 paths
  Keep(&skin::testing::SetIsNT);                     // the menu painter's platform family
  Keep(&svc::testing::SetShellRun);                  // files and items the shell would open or run
  Keep(&skin::testing::SetShellOpen);                // what the link label and the shell views would start
  Keep(&skin::testing::SetFolderBinder);             // the folder interface a shell view lists
}

TSeamGuard::~TSeamGuard() {
  for (auto it = FRestore.rbegin(); it != FRestore.rend(); ++it) (*it)();
}

}  // namespace testing_seams
