// Copies a skin folder the build drew (Z:\Skins\<name>\) for the benchmarks, and decodes its
// pictures with the framework's readers (what loading the skin cannot do with less).
#pragma once
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/jpeg_image.h"
#include "framework/rtl/sys_utils.h"
#include "framework/win.h"

namespace bench {

// Copies Z:\Skins\<name>\ into skins (ending in a backslash) and returns the picture files
// (.BMP, .JPG) copied; none when the build drew no such skin.
inline std::vector<std::string> CopyShippedSkin(const std::string& skins, const std::string& name) {
  std::vector<std::string> pictures;
  const std::string from = "Z:\\Skins\\" + name + "\\", to = skins + name + "\\";
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((from + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return pictures;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CopyFileA((from + data.cFileName).c_str(), (to + data.cFileName).c_str(), FALSE);
    std::string upper = fw::UpperCase(data.cFileName);
    if (upper.find(".BMP") != std::string::npos || upper.find(".JPG") != std::string::npos)
      pictures.push_back(to + data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return pictures;
}

// Decodes each picture file (.BMP with TBitmap, .JPG with TJPEGImage).
inline void DecodePictures(const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    if (fw::UpperCase(file).find(".JPG") != std::string::npos) {
      fw::TJPEGImage image;
      image.LoadFromFile(file);
    } else {
      fw::TBitmap bitmap;
      bitmap.LoadFromFile(file);
    }
  }
}

}  // namespace bench
