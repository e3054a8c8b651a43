// Paths that the ANSI file calls cannot reach: names with characters outside every ANSI code
// page (accented Latin letters, Japanese, an emoji), full paths longer than MAX_PATH, and both
// at once.
#pragma once
#include <string>
#include <vector>

namespace testing_sandbox {

struct THardPath {
  std::string Label;   // "characters", "length", "both"
  std::string Folder;  // with a trailing backslash; made by HardPaths
  std::string Name;
  std::string Path() const { return Folder + Name; }
};

// The folder names used in the "characters" and "both" cases.
extern const char* const kForeignFolderName;
// "Prögram" and "Ünïcødé 日本": a name in code page 1252, and one with characters outside it.
extern const char* const kLatinName;
extern const char* const kUnicodeName;

// count times "日": as many UTF-16 units, three times as many UTF-8 bytes.
std::string WideCharacters(int count);

// folder (ending in a backslash) with folders added below it until folder + name is exactly
// length UTF-16 units long.
std::string LengthenedFolder(std::string folder, const std::string& name, size_t length);

// The full length of a path in UTF-16 units, as the system counts it.
size_t SystemLength(const std::string& path);

// The cases under base (a sandbox folder ending in a backslash), their folders made, each with
// the file name. The "length" and "both" files have full paths of exactly 337 characters.
std::vector<THardPath> HardPaths(const std::string& base, const std::string& name);

}  // namespace testing_sandbox
