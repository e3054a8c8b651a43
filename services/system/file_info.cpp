#include "services/system/file_info.h"

#include "framework/win.h"
#include "services/shell/shell_item.h"
#include "services/system/registry_utils.h"
#include "services/system/system_folders.h"

namespace svc {
namespace {

bool ShellInfo(const std::string& fileName, unsigned flags, SHFILEINFOA& info, DWORD_PTR* result = nullptr) {
  info = SHFILEINFOA{};
  const DWORD_PTR answer = SHGetFileInfoA(fileName.c_str(), 0, &info, sizeof info, flags);
  if (result) *result = answer;
  return answer != 0;
}

}  // namespace

unsigned TDsFileInfo::IconFlags() const {
  static const unsigned kFlags[] = {0, SHGFI_OVERLAYINDEX, SHGFI_SELECTED, SHGFI_OPENICON, SHGFI_SHELLICONSIZE, SHGFI_SMALLICON};
  return BitsFromSet(FModifiers, kFlags);
}

int TDsFileInfo::GetIconIndex() const {
  SHFILEINFOA info;
  return ShellInfo(FFileName, SHGFI_SYSICONINDEX | IconFlags(), info) ? info.iIcon : 0;
}

std::string TDsFileInfo::GetDisplayName() const {
  SHFILEINFOA info;
  return ShellInfo(FFileName, SHGFI_DISPLAYNAME, info) ? info.szDisplayName : "";
}

std::string TDsFileInfo::GetTypeString() const {
  SHFILEINFOA info;
  return ShellInfo(FFileName, SHGFI_TYPENAME, info) ? info.szTypeName : "";
}

TDsExeType TDsFileInfo::GetExeType() const {
  SHFILEINFOA info;
  DWORD_PTR answer = 0;
  if (!ShellInfo(FFileName, SHGFI_EXETYPE, info, &answer)) return etNone;
  const WORD magic = LOWORD(answer);
  if (magic == 0x5A4D) return etMSDos;       // "MZ"
  if (magic == 0x454E) return etWin16;       // "NE"
  if (magic == 0x4550) return HIWORD(answer) == 0 ? etConsole : etWin32;  // "PE"
  return etNone;
}

std::string TDsFileInfo::GetAttrString() const {
  const DWORD attributes = GetFileAttributesA(FFileName.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ? "" : AttributeLetters(attributes);
}

std::string TDsFileInfo::GetIconLocation() const {
  const size_t dot = FFileName.find_last_of(".\\");
  if (dot == std::string::npos || FFileName[dot] != '.') return "";
  const std::string type = ReadRegistryStringDefault(HKEY_CLASSES_ROOT, FFileName.substr(dot), "", "");
  if (type.empty()) return "";
  std::string location = ReadRegistryStringDefault(HKEY_CLASSES_ROOT, type + "\\DefaultIcon", "", "");
  const size_t mark = location.find("%1");
  if (mark != std::string::npos) location.replace(mark, 2, FFileName);
  return ExpandEnvironmentText(location);
}

std::unique_ptr<fw::TIcon> TDsFileInfo::GetIcon() const {
  auto icon = std::make_unique<fw::TIcon>();
  SHFILEINFOA info;
  if (ShellInfo(FFileName, SHGFI_ICON | IconFlags(), info)) icon->SetHandle(info.hIcon);
  return icon;
}

}  // namespace svc
