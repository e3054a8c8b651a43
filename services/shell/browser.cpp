#include "services/shell/browser.h"

#include <shlobj.h>

#include "framework/controls/win_control.h"
#include "framework/forms/application.h"
#include "framework/msg/exception_barrier.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_text.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

constexpr uint32_t kErrShellVersion = 110;
constexpr double kNewShell = 4.7;

std::string PathOf(LPCITEMIDLIST pidl) {
  char path[MAX_PATH] = {};
  if (!pidl || !SHGetPathFromIDListA(pidl, path)) return std::string();
  return path;
}

}  // namespace

UINT BrowseFlags(TSvBrowseOptionsSet options, bool withStatusText) {
  static const struct {
    TSvBrowseOptions Option;
    UINT Flag;
  } kFlags[] = {{boBrowseForComputer, BIF_BROWSEFORCOMPUTER}, {boBrowseForPrinter, BIF_BROWSEFORPRINTER},
                {boDontGoBelowDomain, BIF_DONTGOBELOWDOMAIN},  {boReturnOnlyAncestors, BIF_RETURNFSANCESTORS},
                {boReturnOnlyDirs, BIF_RETURNONLYFSDIRS},      {boShowFiles, BIF_BROWSEINCLUDEFILES},
                {boEditBox, BIF_EDITBOX}};
  UINT flags = withStatusText ? BIF_STATUSTEXT : 0;
  for (const auto& entry : kFlags)
    if (options.Contains(entry.Option)) flags |= entry.Flag;
  return flags;
}

TSvCustomBrowser::TSvCustomBrowser(fw::TComponent* owner) : TSvShellComponent(owner) {}

void TSvCustomBrowser::SetSelectedFolder(const std::string& v) {
  std::string folder = v;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  FSelectedFolder = folder;
}

void TSvCustomBrowser::SetSpecialRootFolder(TSvSpecialRootFolder v) {
  if (!GetComponentState().Contains(fw::csDesigning) && SpecialFolderNeedsShell47(v) &&
      GetShellVersion() < kNewShell)
    RaiseSsError<ESvShellError>(kErrShellVersion);
  FSpecialRootFolder = v;
  FSpecialRootFolderID = SpecialFolderCsidl(v);
}

void TSvCustomBrowser::SetStatusText(const std::string& v) {
  FStatusText = v;
  if (FDialog)
    SendMessageA(FDialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(fw::ValidUtf8(FStatusText).c_str()));
}

HWND TSvCustomBrowser::OwnerWindow() const {
  fw::TComponent* owner = GetOwner();
  if (auto* control = dynamic_cast<fw::TWinControl*>(owner)) return control->GetHandle();
  if (owner && owner == fw::Application) return fw::Application->GetHandle();
  return nullptr;
}

TPidl TSvCustomBrowser::RootIDList(HWND owner) const {
  TPidl root;
  if (!FRootFolder.empty() && FSpecialRootFolder == sfNone) {
    TComRef<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Put()))) return root;
    std::wstring wide = fw::Utf8ToWide(FRootFolder);
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(owner, nullptr, wide.data(), &eaten, root.Put(), nullptr))) root.Reset();
  } else if (FSpecialRootFolder != sfNone) {
    if (FAILED(SHGetSpecialFolderLocation(owner, FSpecialRootFolderID, root.Put()))) root.Reset();
  }
  return root;
}

bool TSvCustomBrowser::Execute() {
  HWND owner = OwnerWindow();
  if ((FOptions.Contains(boShowFiles) || FOptions.Contains(boEditBox)) && GetShellVersion() < kNewShell)
    RaiseSsError<ESvShellError>(kErrShellVersion);
  TPidl root = RootIDList(owner);
  FIDList.Reset();
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pidlRoot = root.Get();
  info.pszDisplayName = displayName;
  std::string title = fw::ValidUtf8(FAdditionalText);
  info.lpszTitle = title.c_str();
  info.ulFlags = BrowseFlags(FOptions, !FStatusText.empty());
  info.lpfn = &TSvCustomBrowser::BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  FDialog = nullptr;
  FSelection.Reset();
  if (!chosen) {
    FDisplayName.clear();
    FImageIndex = 0;
    return false;
  }
  FIDList.Reset(chosen);
  FPath = PathOf(chosen);
  FDisplayName = displayName;
  FImageIndex = info.iImage;
  return true;
}

int CALLBACK TSvCustomBrowser::BrowseCallback(HWND wnd, UINT msg, LPARAM lParam, LPARAM data) {
  auto* self = reinterpret_cast<TSvCustomBrowser*>(data);
  // The dialog calls back from inside its own window procedure: no exception may cross it.
  fw::Barrier(
      [&] {
        if (msg == BFFM_INITIALIZED)
          self->Initialized(wnd);
        else if (msg == BFFM_SELCHANGED && self->FDialog)
          self->SelectionChanged(reinterpret_cast<LPCITEMIDLIST>(lParam));
      },
      self);
  return 0;
}

void TSvCustomBrowser::Initialized(HWND wnd) {
  FDialog = wnd;
  if (!FCaption.empty()) SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fw::ValidUtf8(FCaption).c_str()));
  SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(fw::ValidUtf8(FSelectedFolder).c_str()));
  if (!FStatusText.empty())
    SendMessageA(wnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(fw::ValidUtf8(FStatusText).c_str()));
  if (FPosition == bpScreenCenter) {
    RECT rect{};
    GetWindowRect(wnd, &rect);
    int left = GetSystemMetrics(SM_CXSCREEN) / 2 - (rect.right - rect.left) / 2;
    int top = GetSystemMetrics(SM_CYSCREEN) / 2 - (rect.bottom - rect.top) / 2;
    SetWindowPos(wnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (OnShow) OnShow(this);
}

void TSvCustomBrowser::SelectionChanged(LPCITEMIDLIST pidl) {
  // The list belongs to the dialog, which frees it; the component keeps a copy of its own.
  FSelection.Reset(pidl && Shell32().ILClone ? Shell32().ILClone(pidl) : nullptr);
  SetSelectedFolder(PathOf(pidl));
  // With files shown a file may be chosen; Wine's dialog disables OK on one when only
  // file-system items are asked for, after this call: the enabling is posted to follow it (and
  // comes before the next key or click).
  if (FOptions.Contains(boShowFiles) && FDialog && fw::FileExists(FSelectedFolder))
    PostMessageA(FDialog, BFFM_ENABLEOK, 0, TRUE);
  if (OnSelChanged) OnSelChanged(this);
}

}  // namespace svc
