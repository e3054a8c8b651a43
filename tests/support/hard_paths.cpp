#include "support/hard_paths.h"

#include <algorithm>

#include "framework/win.h"
#include "support/sandbox.h"

namespace testing_sandbox {

// "été 日本 😀" in UTF-8.
const char* const kForeignFolderName = "\xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";

namespace {

constexpr size_t kLongPath = 337;

// Folders below folder until folder + name is exactly kLongPath characters long.
std::string Lengthen(std::string folder, const std::string& name) {
  const std::string letters = "abcdefghijklmnopqrstuvwxyz0123456789-abcdefghij";
  int segment = 0;
  for (;;) {
    size_t length = SystemLength(folder + name);
    if (length >= kLongPath) break;
    size_t needed = kLongPath - length;
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

}  // namespace

size_t SystemLength(const std::string& path) {
  return static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0));
}

std::vector<THardPath> HardPaths(const std::string& base, const std::string& name) {
  std::vector<THardPath> cases{
      {"characters", base + kForeignFolderName + "\\", name},
      {"length", Lengthen(base + "long\\", name), name},
      {"both", Lengthen(base + kForeignFolderName + "-long\\", name), name},
  };
  for (const THardPath& c : cases) MakeFolders(c.Folder);
  return cases;
}

}  // namespace testing_sandbox
