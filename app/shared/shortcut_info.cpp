#include "app/shared/shortcut_info.h"

#include <shlobj.h>

#include <string>

#include "app/shared/wide_text.h"
#include "services/shell/com_ref.h"
#include "services/shell/shortcut.h"

namespace app {

namespace {

constexpr int kFieldSize = 261;

// Reads one text field through call; a failed call leaves the field empty.
template <class Call>
void ReadField(char (&field)[kFieldSize], Call call) {
  if (FAILED(call(field))) field[0] = '\0';
  field[kFieldSize - 1] = '\0';
}

}  // namespace

void ReadShortcutInfo(TShortcutInfo& info) {
  info.FileName[kFieldSize - 1] = '\0';
  std::wstring name = Widen(info.FileName);
  // A name the link object cannot take whole is not cut: that could read another file.
  if (name.empty() || name.size() >= kFieldSize) return;
  svc::TComRef<IShellLinkA> link;
  if (FAILED(svc::CreateShellLink(link.Put())) || !link) return;
  svc::TComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || !file) return;
  if (file->Load(name.c_str(), STGM_READ) != S_OK) return;
  ReadField(info.Path, [&](char* text) { return link->GetPath(text, kFieldSize, &info.FindData, SLGP_UNCPRIORITY); });
  ReadField(info.Description, [&](char* text) { return link->GetDescription(text, kFieldSize); });
  ReadField(info.Arguments, [&](char* text) { return link->GetArguments(text, kFieldSize); });
  ReadField(info.WorkingDirectory, [&](char* text) { return link->GetWorkingDirectory(text, kFieldSize); });
  int iconIndex = 0;
  ReadField(info.IconLocation, [&](char* text) { return link->GetIconLocation(text, kFieldSize, &iconIndex); });
  info.IconIndex = iconIndex;
  WORD hotKey = 0;
  if (SUCCEEDED(link->GetHotkey(&hotKey))) info.HotKey = hotKey;
  int showCommand = 0;
  if (SUCCEEDED(link->GetShowCmd(&showCommand))) info.ShowCommand = showCommand;
}

}  // namespace app
