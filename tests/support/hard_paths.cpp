#include "support/hard_paths.h"

#include <algorithm>

#include "framework/win.h"
#include "support/sandbox.h"

namespace testing_sandbox {

// "été 日本 😀" in UTF-8.
const char* const kForeignFolderName = "\xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";
const char* const kLatinName = "Pr\xC3\xB6gram";
const char* const kUnicodeName = "\xC3\x9Cn\xC3\xAF" "c\xC3\xB8" "d\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC";

namespace {

constexpr size_t kLongPath = 337;

}  // namespace

std::string LengthenedFolder(std::string folder, const std::string& name, size_t length) {
  const std::string letters = "abcdefghijklmnopqrstuvwxyz0123456789-abcdefghij";
  int segment = 0;
  for (;;) {
    size_t now = SystemLength(folder + name);
    if (now >= length) break;
    size_t needed = length - now;
    if (needed == 1) {  // no room for a folder and its backslash: lengthen the last folder
      folder.insert(folder.size() - 1, "x");
      continue;
    }
    size_t size = std::min<size_t>(needed - 1, 40);
    std::string part = "d" + std::to_string(++segment) + letters;
    folder += part.substr(0, size) + "\\";
  }
  return folder;
}

std::string WideCharacters(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\xE6\x97\xA5";
  return text;
}

size_t SystemLength(const std::string& path) {
  return static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0));
}

std::vector<THardPath> HardPaths(const std::string& base, const std::string& name) {
  std::vector<THardPath> cases{
      {"characters", base + kForeignFolderName + "\\", name},
      {"length", LengthenedFolder(base + "long\\", name, kLongPath), name},
      {"both", LengthenedFolder(base + kForeignFolderName + "-long\\", name, kLongPath), name},
  };
  for (const THardPath& c : cases) MakeFolders(c.Folder);
  return cases;
}

}  // namespace testing_sandbox
