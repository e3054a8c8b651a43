#include "app/shared/shortcut_info.h"

#include <shlobj.h>

#include "services/shell/com_ref.h"

namespace app {

void ReadShortcutInfo(TShortcutInfo& info) {
  if (info.FileName.empty()) return;
  svc::TComRef<IShellLinkW> link;
  if (FAILED(svc::CreateShellLink(link.Put())) || !link) return;
  if (svc::LoadShellLink(link.Get(), info.FileName) != S_OK) return;
  static_cast<svc::TShellLinkFields&>(info) = svc::ReadShellLinkFields(link.Get(), SLGP_UNCPRIORITY);
}

}  // namespace app
