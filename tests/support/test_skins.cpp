#include "support/test_skins.h"

#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "framework/graphics/bitmap.h"
#include "framework/rtl/file_utils.h"
#include "skin/engine/stored_skins.h"
#include "support/sandbox.h"

namespace test_skins {

namespace {

void Put16(std::string& s, unsigned v) {
  s += char(v & 0xFF);
  s += char((v >> 8) & 0xFF);
}
void Put32(std::string& s, unsigned v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

unsigned char Red(fw::TColor c) { return c & 0xFF; }
unsigned char Green(fw::TColor c) { return (c >> 8) & 0xFF; }
unsigned char Blue(fw::TColor c) { return (c >> 16) & 0xFF; }

std::string Headers(int width, int height, int bits, unsigned compression, const std::vector<fw::TColor>& palette,
                    const std::string& pixels) {
  std::string s = "BM";
  const unsigned offset = 14 + 40 + 4 * static_cast<unsigned>(palette.size());
  Put32(s, offset + static_cast<unsigned>(pixels.size()));
  Put32(s, 0);
  Put32(s, offset);
  Put32(s, 40);
  Put32(s, width);
  Put32(s, height);
  Put16(s, 1);
  Put16(s, bits);
  Put32(s, compression);
  Put32(s, static_cast<unsigned>(pixels.size()));
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, static_cast<unsigned>(palette.size()));
  Put32(s, 0);
  for (fw::TColor c : palette) {
    s += char(Blue(c));
    s += char(Green(c));
    s += char(Red(c));
    s += char(0);
  }
  return s + pixels;
}

std::vector<fw::TColor> PaletteOf(const Picture& p, std::map<fw::TColor, int>& index) {
  std::vector<fw::TColor> palette;
  for (fw::TColor c : p.Pixels)
    if (!index.count(c)) {
      index[c] = static_cast<int>(palette.size());
      palette.push_back(c);
    }
  return palette;
}

// A JPEG file of rows all alike: components bytes a pixel in the colour space; quality 0 keeps
// the library's default.
std::string CompressRows(int width, int height, int components, J_COLOR_SPACE space, int quality,
                         std::vector<unsigned char> row) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  if (quality > 0) jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string data(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return data;
}

}  // namespace

Picture::Picture(int width, int height, fw::TColor fill)
    : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height, fill) {}

void Picture::Fill(int x, int y, int w, int h, fw::TColor c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

Picture MaskPicture(const std::vector<fw::TColor>& colours, int frameWidth, int frameHeight, bool withMaskRow) {
  const int frames = static_cast<int>(colours.size());
  Picture p(frames * frameWidth, frameHeight * (withMaskRow ? 2 : 1));
  for (int k = 0; k < frames; ++k) {
    const int x0 = k * frameWidth;
    p.Fill(x0, 0, frameWidth, frameHeight, colours[k]);
    p.Set(x0, 0, kFuchsia);
    p.Set(x0 + frameWidth - 1, 0, kFuchsia);
    p.Set(x0, frameHeight - 1, kFuchsia);
    p.Set(x0 + frameWidth - 1, frameHeight - 1, kFuchsia);
    if (!withMaskRow) continue;
    for (int x = 0; x < frameWidth; ++x) {
      int third = x * 3 / frameWidth;
      int weight = third == 0 ? 0 : third == 1 ? 128 : 255;
      p.Fill(x0 + x, frameHeight, 1, frameHeight, fw::TColor(weight | weight << 8 | weight << 16));
    }
  }
  return p;
}

std::string Bmp24(const Picture& p) {
  std::string pixels;
  const int pad = (4 - (p.Width * 3) % 4) % 4;
  for (int y = p.Height - 1; y >= 0; --y) {
    for (int x = 0; x < p.Width; ++x) {
      fw::TColor c = p.At(x, y);
      pixels += char(Blue(c));
      pixels += char(Green(c));
      pixels += char(Red(c));
    }
    pixels.append(pad, '\0');
  }
  return Headers(p.Width, p.Height, 24, 0, {}, pixels);
}

std::string Bmp8(const Picture& p) {
  std::map<fw::TColor, int> index;
  std::vector<fw::TColor> palette = PaletteOf(p, index);
  std::string pixels;
  const int pad = (4 - p.Width % 4) % 4;
  for (int y = p.Height - 1; y >= 0; --y) {
    for (int x = 0; x < p.Width; ++x) pixels += char(index[p.At(x, y)]);
    pixels.append(pad, '\0');
  }
  return Headers(p.Width, p.Height, 8, 0, palette, pixels);
}

std::string BmpRle8(const Picture& p) {
  std::map<fw::TColor, int> index;
  std::vector<fw::TColor> palette = PaletteOf(p, index);
  std::string pixels;
  for (int y = p.Height - 1; y >= 0; --y) {
    int x = 0;
    while (x < p.Width) {
      int run = 1;
      while (x + run < p.Width && run < 255 && p.At(x + run, y) == p.At(x, y)) ++run;
      pixels += char(run);
      pixels += char(index[p.At(x, y)]);
      x += run;
    }
    pixels += '\0';
    pixels += y == 0 ? '\1' : '\0';
  }
  return Headers(p.Width, p.Height, 8, 1 /* BI_RLE8 */, palette, pixels);
}

std::string Jpeg(int width, int height, fw::TColor colour, int quality) {
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    row[x * 3] = Red(colour);
    row[x * 3 + 1] = Green(colour);
    row[x * 3 + 2] = Blue(colour);
  }
  return CompressRows(width, height, 3, JCS_RGB, quality, row);
}

std::string JpegCmyk(int width, int height) {
  return CompressRows(width, height, 4, JCS_CMYK, 0, std::vector<unsigned char>(static_cast<size_t>(width) * 4, 100));
}

std::string CutAt(const std::string& data, size_t length) { return data.substr(0, length); }

std::string WrongMagic(const std::string& bmp) {
  std::string s = bmp;
  s[0] = 'X';
  s[1] = 'Y';
  return s;
}

std::string HugeBmpHeader(int side) { return Headers(side, side, 24, 0, {}, ""); }

fw::TColor PixelOf(const fw::TBitmap& bitmap, int x, int y) {
  const auto* row = static_cast<const unsigned char*>(bitmap.GetScanLine(y));
  const unsigned char* px = row + x * (bitmap.GetPixelFormat() == fw::pf32bit ? 4 : 3);
  return fw::TColor(px[2] | px[1] << 8 | px[0] << 16);
}

bool SamePixels(const fw::TBitmap& bitmap, const Picture& picture) {
  if (bitmap.GetWidth() != picture.Width || bitmap.GetHeight() != picture.Height) return false;
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x)
      if (PixelOf(bitmap, x, y) != picture.At(x, y)) return false;
  return true;
}

std::string WriteSkinFolder(const std::string& root, const std::string& name, const std::string& options,
                            const std::map<std::string, std::string>& files) {
  const std::string folder = root + name + "\\";
  testing_sandbox::RequireInSandbox(folder);
  fw::ForceDirectories(folder);
  testing_sandbox::WriteFile(folder + "Options.dat", options);
  for (const auto& [file, content] : files) testing_sandbox::WriteFile(folder + file, content);
  return folder;
}

std::string CopyShippedSkin(const std::string& root, const std::string& name) {
  const std::string from = "Z:\\Skins\\" + name + "\\", to = root + name + "\\";
  testing_sandbox::RequireInSandbox(to);
  fw::ForceDirectories(to);
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((from + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return to;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      CopyFileA((from + data.cFileName).c_str(), (to + data.cFileName).c_str(), FALSE);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return to;
}

skin::TkStoredSkin* AddStoredSkin(skin::TkStoredSkins& skins, const std::string& name,
                                  const std::vector<std::pair<std::string, std::string>>& sections,
                                  const Picture& master) {
  skin::TkStoredSkin* stored = skins.AddItem();
  stored->SetName(name);
  stored->SetVersion(1.5);
  for (const auto& [section, parent] : sections) {
    skin::TkSkinGeneral* general = stored->GetGeneralData()->AddItem();
    general->SetSectionName(section);
    general->SetParentClass(parent);
    general->SetFontColor("0 -1 -1 -1 -1");
    general->SetHotFontColor("0 -1 -1 -1 -1");
    general->SetGradientData(" ");
  }
  if (master.Width > 0) {
    fw::TBitmap bitmap;
    bitmap.SetSize(master.Width, master.Height);
    for (int y = 0; y < master.Height; ++y) {
      auto* row = static_cast<unsigned char*>(bitmap.GetScanLine(y));
      for (int x = 0; x < master.Width; ++x) {
        fw::TColor c = master.At(x, y);
        row[x * 3] = Blue(c);
        row[x * 3 + 1] = Green(c);
        row[x * 3 + 2] = Red(c);
      }
    }
    stored->SetMasterBitmap(&bitmap);
  }
  return stored;
}

}  // namespace test_skins
