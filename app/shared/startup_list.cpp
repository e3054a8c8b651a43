#include "app/shared/startup_list.h"

#include <shellapi.h>
#include <shlobj.h>

#include "app/shared/command_line.h"
#include "app/shared/config_files.h"
#include "app/shared/run_key.h"
#include "app/shared/startup_store.h"
#include "app/shared/wide_text.h"
#include "framework/graphics/icon.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"
#include "services/shell/com_ref.h"

namespace app {

namespace {

// Appends icon (taking it over) to the list and answers its index; image 0 when there is none.
int AddIcon(fw::TCustomImageList* images, HICON icon) {
  if (!icon) return 0;
  fw::TIcon owner;
  owner.SetHandle(icon);  // destroyed with owner, once the list holds its copy
  int index = images->AddIcon(&owner);
  return index < 0 ? 0 : index;
}

int ShellIconIndex(fw::TCustomImageList* images, const std::string& path) {
  if (path.empty()) return 0;
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(Widen(path).c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return 0;
  if (info.iIcon < 0) {
    if (info.hIcon) DestroyIcon(info.hIcon);
    return 0;
  }
  return AddIcon(images, info.hIcon);
}

int TargetIconIndex(fw::TCustomImageList* images, const std::string& target) {
  if (target.empty()) return 0;
  HICON icon = ExtractIconW(GetModuleHandleW(nullptr), Widen(target).c_str(), 0);
  // 1 says the file is neither a program nor an icon: there is no icon to destroy.
  if (reinterpret_cast<UINT_PTR>(icon) <= 1) return 0;
  return AddIcon(images, icon);
}

void AddRow(fw::TCustomListView* list, const std::string& caption, const std::string& path,
            const std::string& parameters, const std::string& section, const std::string& from, const char* kind,
            bool checked, int image) {
  fw::TListItem* item = list->GetItems()->Add();
  item->SetCaption(caption);
  fw::TStrings* sub = item->GetSubItems();
  for (const std::string& text : {path, parameters, section, from, std::string(kind)}) sub->Add(text);
  item->SetImageIndex(image);
  item->SetChecked(checked);
}

const char* SectionOf(int kind) { return kind == kAllUsersStartup ? kAllUsersSection : kCurrentUserSection; }

// The target and arguments a link file holds, read without resolving it; false when the file
// is no link.
bool ReadHeldLink(const std::string& file, std::string& target, std::string& arguments) {
  svc::TComRef<IShellLinkW> link;
  if (FAILED(svc::CreateShellLink(link.Put())) || !link || svc::LoadShellLink(link.Get(), file) != S_OK) return false;
  svc::TShellLinkFields fields = svc::ReadShellLinkFields(link.Get(), SLGP_RAWPATH);
  target = fields.Path;
  arguments = fields.Arguments;
  return true;
}

// Calls add with each file of folder whose own name ends in ".lnk" (the search's mask also
// matches short-name aliases of other names).
template <typename TAdd>
void ForEachLink(const std::string& folder, TAdd add) {
  fw::TSearchRec rec;
  if (fw::FindFirst(folder + "\\*.lnk", fw::faAnyFile, rec) == 0) {
    do {
      if ((rec.Attr & fw::faDirectory) || rec.Name.size() <= 4) continue;
      if (!fw::SameText(rec.Name.substr(rec.Name.size() - 4), ".lnk")) continue;
      add(rec.Name, folder + "\\" + rec.Name);
    } while (fw::FindNext(rec) == 0);
  }
  fw::FindClose(rec);
}

bool Resolve(svc::TSvShortcut* shortcut, const std::string& file) {
  shortcut->SetShortcutFileName(file);
  try {
    return shortcut->ResolveShortcut();
  } catch (const fw::Exception&) {
    return false;
  }
}

std::string Caption(const std::string& fileName) { return fileName.substr(0, fileName.size() - 4); }

}  // namespace

int StartupFolderNumber(int kind) { return kind == kAllUsersStartup ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP; }

void TrimStartupImages(fw::TCustomImageList* images) {
  if (images->GetCount() == 0) AddIcon(images, CopyIcon(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION))));
  for (int index = images->GetCount() - 1; index >= 1; --index) images->Delete(index);
}

void ListRegistryStartup(fw::TCustomImageList* images, fw::TCustomListView* list, const std::string& hiveName,
                         const std::string& keyPath) {
  TRunKey key(HiveOf(hiveName), keyPath);
  std::vector<TRunValue> values;
  if (key.OpenForRead() != ERROR_SUCCESS || key.ReadValues(values) != ERROR_SUCCESS) return;
  for (const TRunValue& value : values) {
    if (value.Name.empty() || !IsStringValue(value)) continue;
    bool expand = value.Type == REG_EXPAND_SZ;
    TCommandParts parts = SplitCommand(RunValueText(value), expand);
    int image = ShellIconIndex(images, expand ? ExpandEnvironment(parts.Path) : parts.Path);
    AddRow(list, Narrow(value.Name), parts.Path, parts.Parameters, hiveName, keyPath, kRegistryRow, true, image);
  }
}

void ListStartupFolder(svc::TSvShortcut* shortcut, fw::TCustomImageList* images, fw::TCustomListView* list,
                       int kind, const std::string& folder) {
  ForEachLink(folder, [&](const std::string& name, const std::string& file) {
    if (!Resolve(shortcut, file)) return;
    std::string target = shortcut->GetFileName();
    AddRow(list, Caption(name), target, shortcut->GetParameters(), SectionOf(kind), folder, kShortcutRow, true,
           TargetIconIndex(images, target));
  });
}

void ListDisabledRegistryStartup(const std::string& appDir, fw::TCustomImageList*, fw::TCustomListView* list,
                                 const std::string& hiveName, const std::string& keyPath,
                                 const std::string& storeName) {
  EnsureConfigFolders(appDir);
  EnsureDisabledRegistryFiles(appDir);
  TDisabledStore store(appDir, storeName);
  std::string reason;
  if (storeName.empty() || !store.Load(reason)) return;
  for (int index = 0; index < store.LineCount(); ++index) {
    std::string line = store.Line(index);
    if (line.empty()) continue;
    std::string name, path, parameters;
    ReadStoreLine(line, name, path, parameters);
    AddRow(list, name, path, parameters, hiveName, keyPath, kRegistryRow, false, 0);
  }
}

void ListDisabledStartupFolder(svc::TDsComputerInfoEx* info, const std::string& appDir,
                               svc::TSvShortcut* shortcut, int kind, const std::string& folder,
                               fw::TCustomListView* list, fw::TCustomImageList* images) {
  EnsureConfigFolders(appDir);
  EnsureDisabledRegistryFiles(appDir);
  std::string startupFolder = info->GetFolders()->GetSpecialFolder(StartupFolderNumber(kind));
  ForEachLink(folder, [&](const std::string& name, const std::string& file) {
    std::string target, arguments;
    if (Resolve(shortcut, file)) {
      target = shortcut->GetFileName();
      arguments = shortcut->GetParameters();
    } else if (!ReadHeldLink(file, target, arguments)) {
      return;
    }
    AddRow(list, Caption(name), target, arguments, SectionOf(kind), startupFolder, kShortcutRow, false,
           TargetIconIndex(images, target));
  });
}

}  // namespace app
