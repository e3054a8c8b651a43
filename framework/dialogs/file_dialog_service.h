// The folder-browse and open-file dialogs go through one replaceable service, like the message
// dialogs, so tests answer them from a script. The default shows the system dialogs
// (SHBrowseForFolderA, GetOpenFileNameA) owned by DialogOwner().
#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/win.h"

namespace fw {

struct TBrowseFolderRequest {
  std::string Caption;      // the text above the tree
  std::string Root;         // a folder path as the root ("" = RootFolder)
  int RootFolder = -1;      // a CSIDL as the root (-1 = the desktop)
  std::string Directory;    // in: the folder selected at start; out: the folder chosen
  std::string StatusText;   // shown under the caption
  UINT Flags = BIF_RETURNONLYFSDIRS;
};

struct TOpenFileRequest {
  std::string Title;
  std::string Filter;       // "Description|*.ext|..."
  int FilterIndex = 1;      // 1-based, also out
  std::string InitialDir;
  std::string DefaultExt;
  DWORD Flags = 0;          // OFN_*
  std::string FileName;     // in: the proposed name; out: the (first) file chosen
  std::vector<std::string> Files;  // out: every file chosen, with full paths
};

class TFileDialogService {
 public:
  virtual ~TFileDialogService() = default;
  // True when the user chose a folder (request.Directory).
  virtual bool BrowseForFolder(TBrowseFolderRequest& request);
  // True when the user chose files (request.FileName, request.Files).
  virtual bool OpenFile(TOpenFileRequest& request);
};

TFileDialogService& FileDialogService();
// True while a replacement service (a test's script) answers in place of the system dialogs.
bool FileDialogServiceReplaced();

// "A|B|C" filter text as the NUL-separated, double-NUL-terminated list of the system dialog.
std::string FilterToNative(const std::string& filter);
// The multi-select buffer of the system dialog ("dir\0a\0b\0\0" or one full path) as full paths.
std::vector<std::string> ParseOpenFileNames(const char* buffer);

namespace testing {

// Replaces the service (null restores the default) and returns the one it replaces.
std::unique_ptr<TFileDialogService> SetFileDialogService(std::unique_ptr<TFileDialogService> service);

// Answers from a script and records the requests. With no answer left, the dialog is cancelled.
class TScriptedFileDialogs : public TFileDialogService {
 public:
  bool BrowseForFolder(TBrowseFolderRequest& request) override;
  bool OpenFile(TOpenFileRequest& request) override;

  std::deque<std::string> Folders;               // answers of BrowseForFolder
  // When set, answers BrowseForFolder instead of Folders (the request's Directory in and out).
  std::function<bool(TBrowseFolderRequest&)> OnBrowse;
  std::deque<std::vector<std::string>> FileSets;  // answers of OpenFile
  std::vector<TBrowseFolderRequest> Browses;     // what was asked, in order
  std::vector<TOpenFileRequest> Opens;
};

}  // namespace testing
}  // namespace fw
