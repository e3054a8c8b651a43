// Scratch folders of the benchmark programs.
#pragma once
#include <string>

#include "framework/win.h"

namespace bench {

// Removes a scratch folder (given with its trailing backslash) and everything in it; refuses
// anything outside C:\sandbox\.
inline void RemoveTree(const std::string& dir) {
  if (dir.rfind("C:\\sandbox\\", 0) != 0 || dir.size() <= 11) return;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((dir + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(dir + name + "\\");
      else
        DeleteFileA((dir + name).c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(dir.c_str());
}

}  // namespace bench
