// Test sandbox: every test works in a fresh folder under C:\sandbox\ and may delete,
// move or overwrite nothing outside it.
#pragma once
#include <string>

#include "support/sandbox_guard.h"

namespace testing_sandbox {

// Makes a fresh, empty folder C:\sandbox\<suite>.<test>\ for the running test and returns it
// with a trailing backslash.
std::string TestFolder();

// Destructive helpers for tests; each refuses (aborts) outside the sandbox. Paths are UTF-8 of
// any length. RemoveTree is RemoveSandboxTree: it never follows a link.
void RemoveTree(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);
// Makes the folder and every missing folder above it.
void MakeFolders(const std::string& path);
// Whether a file or folder is there.
bool Exists(const std::string& path);
// The shell views' fixture in folder (with its trailing backslash): folders "b", "a\sub" and
// "Tom & Jerry\inner", files "archive.zip", "noext" and the hidden "hidden.txt".
void MakeShellFixture(const std::string& folder);

}  // namespace testing_sandbox
