#include "skin/controls/path_dialog.h"

#include <shlobj.h>

#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/win.h"

namespace skin {

namespace {

testing::TFolderChooser& Chooser() {
  static testing::TFolderChooser chooser;
  return chooser;
}

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

// The platform's folder browser rooted at My Computer.
bool BrowseForFolder(const std::string& caption, std::string& path) {
  LPITEMIDLIST root = nullptr;
  SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &root);
  char display[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = fw::DialogOwner();
  info.pidlRoot = root;
  info.pszDisplayName = display;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(path.c_str());
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  bool ok = false;
  if (chosen) {
    char buffer[MAX_PATH] = {};
    ok = SHGetPathFromIDListA(chosen, buffer) != FALSE;
    if (ok) path = buffer;
    CoTaskMemFree(chosen);
  }
  if (root) CoTaskMemFree(root);
  return ok;
}

// No trailing backslash, except after a drive letter.
std::string NormalPath(const std::string& path) {
  std::string result = fw::ExcludeTrailingBackslash(path);
  if (result.size() == 2 && result[1] == ':') result += '\\';
  return result;
}

}  // namespace

void testing::SetFolderChooser(TFolderChooser chooser) { Chooser() = std::move(chooser); }

TkPathDialog::TkPathDialog(fw::TComponent* owner) : fw::TComponent(owner) {}

bool TkPathDialog::Execute() {
  std::string path = FNoChangeDir ? FPath : fw::GetCurrentDir();
  bool ok = Chooser() ? Chooser()(FCaption, path) : BrowseForFolder(FCaption, path);
  if (!ok || path.empty() || !fw::DirectoryExists(path)) return false;
  FPath = NormalPath(path);
  return true;
}

}  // namespace skin
