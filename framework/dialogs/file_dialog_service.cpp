#include "framework/dialogs/file_dialog_service.h"

#include <cstring>
#include <utility>

#include "framework/forms/application.h"
#include "framework/msg/exception_barrier.h"
#include "framework/rtl/wide_text.h"
#include "framework/sys/owned_handle.h"

namespace fw {

namespace {

std::unique_ptr<TFileDialogService>& Current() {
  static std::unique_ptr<TFileDialogService> service;
  return service;
}

// The item list of a folder path (null when it cannot be parsed).
LPITEMIDLIST ParsePath(const std::string& path) {
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop))) return nullptr;
  std::wstring wide = Utf8ToWide(path);
  LPITEMIDLIST pidl = nullptr;
  ULONG eaten = 0;
  if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &pidl, nullptr))) pidl = nullptr;
  desktop->Release();
  return pidl;
}

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM, LPARAM data) {
  auto* request = reinterpret_cast<TBrowseFolderRequest*>(data);
  Barrier([&] {
    if (msg != BFFM_INITIALIZED) return;
    if (!request->Directory.empty())
      SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(ValidUtf8(request->Directory).c_str()));
    if (!request->StatusText.empty())
      SendMessageA(wnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(ValidUtf8(request->StatusText).c_str()));
    // Centre the dialog on the screen.
    RECT r;
    GetWindowRect(wnd, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(wnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }, nullptr);
  return 0;
}

}  // namespace

TFileDialogService& FileDialogService() {
  static TFileDialogService fallback;
  return Current() ? *Current() : fallback;
}

bool FileDialogServiceReplaced() { return Current() != nullptr; }

bool TFileDialogService::BrowseForFolder(TBrowseFolderRequest& request) {
  TTaskMem<ITEMIDLIST> root;
  if (!request.Root.empty()) {
    root.Reset(ParsePath(request.Root));
  } else if (request.RootFolder >= 0) {
    if (FAILED(SHGetSpecialFolderLocation(nullptr, request.RootFolder, root.Receive()))) root.Release();
  }
  char display[MAX_PATH] = "";
  BROWSEINFOA info{};
  info.hwndOwner = DialogOwner();
  info.pidlRoot = root.Get();
  info.pszDisplayName = display;
  std::string caption = ValidUtf8(request.Caption);
  info.lpszTitle = caption.c_str();
  info.ulFlags = request.Flags | (request.StatusText.empty() ? 0 : BIF_STATUSTEXT);
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&request);
  TTaskMem<ITEMIDLIST> chosen(SHBrowseForFolderA(&info));
  if (!chosen) return false;
  char path[MAX_PATH] = "";
  bool ok = SHGetPathFromIDListA(chosen.Get(), path) != 0;
  if (ok) request.Directory = path;
  return ok;
}

std::string FilterToNative(const std::string& filter) {
  std::string native = filter;
  for (char& c : native)
    if (c == '|') c = '\0';
  native.append(2, '\0');
  return native;
}

std::vector<std::string> ParseOpenFileNames(const char* buffer) {
  std::vector<std::string> names;
  std::string first = buffer;
  const char* p = buffer + first.size() + 1;
  if (*p == '\0') {
    if (!first.empty()) names.push_back(first);
    return names;
  }
  std::string dir = first;
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  while (*p) {
    std::string name = p;
    names.push_back(dir + name);
    p += name.size() + 1;
  }
  return names;
}

bool TFileDialogService::OpenFile(TOpenFileRequest& request) {
  std::string filter = FilterToNative(ValidUtf8(request.Filter));
  std::string initialDir = ValidUtf8(request.InitialDir), title = ValidUtf8(request.Title),
              defaultExt = ValidUtf8(request.DefaultExt);
  std::vector<char> buffer(64 * 1024, '\0');
  std::strncpy(buffer.data(), ValidUtf8(request.FileName).c_str(), buffer.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = DialogOwner();
  ofn.lpstrFilter = request.Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(request.FilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = request.Flags | OFN_EXPLORER;
  if (!GetOpenFileNameA(&ofn)) return false;
  request.FilterIndex = static_cast<int>(ofn.nFilterIndex);
  request.Files = ParseOpenFileNames(buffer.data());
  request.FileName = request.Files.empty() ? std::string() : request.Files.front();
  return !request.Files.empty();
}

namespace testing {

std::unique_ptr<TFileDialogService> SetFileDialogService(std::unique_ptr<TFileDialogService> service) {
  return std::exchange(Current(), std::move(service));
}

bool TScriptedFileDialogs::BrowseForFolder(TBrowseFolderRequest& request) {
  Browses.push_back(request);
  if (OnBrowse) return OnBrowse(request);
  if (Folders.empty()) return false;
  request.Directory = Folders.front();
  Folders.pop_front();
  return true;
}

bool TScriptedFileDialogs::OpenFile(TOpenFileRequest& request) {
  Opens.push_back(request);
  if (FileSets.empty()) return false;
  request.Files = FileSets.front();
  FileSets.pop_front();
  request.FileName = request.Files.empty() ? std::string() : request.Files.front();
  return !request.Files.empty();
}

}  // namespace testing
}  // namespace fw
