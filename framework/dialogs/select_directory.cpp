#include "framework/dialogs/select_directory.h"

#include "framework/dialogs/file_dialog_service.h"

namespace fw {

namespace {
// Shows the dialog for a request whose root the caller has set; the chosen folder goes to directory.
bool Browse(TBrowseFolderRequest& request, const std::string& caption, std::string& directory, UINT flags,
            const std::string& statusText) {
  request.Caption = caption;
  request.Directory = directory;
  request.Flags = flags;
  request.StatusText = statusText;
  if (!FileDialogService().BrowseForFolder(request)) return false;
  directory = request.Directory;
  return true;
}
}  // namespace

bool SelectDirectory(const std::string& caption, const std::string& root, std::string& directory, UINT flags,
                     const std::string& statusText) {
  TBrowseFolderRequest request;
  request.Root = root;
  return Browse(request, caption, directory, flags, statusText);
}

bool SelectDirectoryIn(const std::string& caption, int rootFolder, std::string& directory, UINT flags,
                       const std::string& statusText) {
  TBrowseFolderRequest request;
  request.RootFolder = rootFolder;
  return Browse(request, caption, directory, flags, statusText);
}

}  // namespace fw
