#include "framework/dialogs/select_directory.h"

#include "framework/dialogs/file_dialog_service.h"

namespace fw {

namespace {
bool Browse(TBrowseFolderRequest& request, std::string& directory) {
  if (!FileDialogService().BrowseForFolder(request)) return false;
  directory = request.Directory;
  return true;
}
}  // namespace

bool SelectDirectory(const std::string& caption, const std::string& root, std::string& directory, UINT flags,
                     const std::string& statusText) {
  TBrowseFolderRequest request;
  request.Caption = caption;
  request.Root = root;
  request.Directory = directory;
  request.Flags = flags;
  request.StatusText = statusText;
  return Browse(request, directory);
}

bool SelectDirectoryIn(const std::string& caption, int rootFolder, std::string& directory, UINT flags,
                       const std::string& statusText) {
  TBrowseFolderRequest request;
  request.Caption = caption;
  request.RootFolder = rootFolder;
  request.Directory = directory;
  request.Flags = flags;
  request.StatusText = statusText;
  return Browse(request, directory);
}

}  // namespace fw
