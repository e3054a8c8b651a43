#include "skin/engine/skin_manager.h"

#include "framework/rtl/file_utils.h"
#include "framework/win.h"

namespace skin {

namespace {
TkSkinManager* defaultManager = nullptr;
}  // namespace

TkSkinManager* DefaultManager() { return defaultManager; }

TkSkinManager::TkSkinManager(fw::TComponent* owner) : fw::TComponent(owner) {
  if (!defaultManager) defaultManager = this;
}

TkSkinManager::~TkSkinManager() {
  if (defaultManager == this) defaultManager = nullptr;
}

void TkSkinManager::SetSkinDirectory(const std::string& value) {
  if (value == FSkinDirectory) return;
  FSkinDirectory = value;
  FSkinsPath = value.empty() ? std::string() : fw::IncludeTrailingBackslash(value);
}

void TkSkinManager::SetSkinName(const std::string& value) {
  FSkinName = value;
  if (!FActive) return;
  if (OnBeforeChange) OnBeforeChange(this);
  if (OnAfterChange) OnAfterChange(this);
}

std::string TkSkinManager::GetSkinNames(fw::TStrings& list) const {
  list.Clear();
  std::string first = kNeutralSkinName;
  fw::TStringList folders;
  if (!FSkinsPath.empty()) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((FSkinsPath + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !name.empty() && name[0] != '.' &&
            fw::FileExists(FSkinsPath + name + "\\Options.dat"))
          folders.Add(name);
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
  }
  folders.Add(kNeutralSkinName);
  folders.Sort();
  list.AddStrings(folders);
  return first;
}

int TkSkinManager::GetSkinIndex(const std::string&) const { return -1; }

int TkSkinManager::GetMaskIndex(int, const std::string&, const std::string&) const { return -1; }

int TkSkinManager::GetPatternIndex(int, const std::string&, const std::string&) const { return -1; }

bool TkSkinManager::IsValidImgIndex(int) const { return false; }

bool TkSkinManager::IsValidSkinIndex(int) const { return false; }

fw::TColor TkSkinManager::GetGlobalColor() const { return fw::ColorToRGB(fw::clBtnFace); }

}  // namespace skin
