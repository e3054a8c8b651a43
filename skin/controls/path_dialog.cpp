#include "skin/controls/path_dialog.h"

#include "framework/dialogs/select_directory.h"
#include "framework/rtl/file_utils.h"
#include "framework/win.h"

namespace skin {

namespace {

// No trailing backslash, except after a drive letter.
std::string NormalPath(const std::string& path) {
  std::string result = fw::ExcludeTrailingBackslash(path);
  if (result.size() == 2 && result[1] == ':') result += '\\';
  return result;
}

}  // namespace

TkPathDialog::TkPathDialog(fw::TComponent* owner) : fw::TComponent(owner) {}

bool TkPathDialog::Execute() {
  std::string path = FNoChangeDir ? FPath : fw::GetCurrentDir();
  if (!fw::SelectDirectoryIn(FCaption, FRoot == rfDesktop ? CSIDL_DESKTOP : CSIDL_DRIVES, path)) return false;
  if (path.empty() || !fw::DirectoryExists(path)) return false;
  FPath = NormalPath(path);
  return true;
}

}  // namespace skin
