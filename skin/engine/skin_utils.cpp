#include "skin/engine/skin_utils.h"

#include "framework/win.h"

#include <shellapi.h>

#include "framework/forms/dialog_service.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/icon.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/classes/string_list.h"

namespace skin {

namespace {

bool IsDelim(char c, std::string_view delims) { return delims.find(c) != std::string_view::npos; }

// The 0-based start of word n (1-based) and its length; npos when there are fewer words.
size_t FindWord(int n, const std::string& s, std::string_view delims, size_t& length) {
  int count = 0;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsDelim(s[i], delims)) ++i;
    if (i >= s.size()) break;
    size_t start = i;
    while (i < s.size() && !IsDelim(s[i], delims)) ++i;
    if (++count == n) {
      length = i - start;
      return start;
    }
  }
  length = 0;
  return std::string::npos;
}

// The long or the short name of what FindFirstFile finds for the path, the other one when that
// is empty, "" when nothing is found.
std::string FoundName(const std::string& path, bool wantShort) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return {};
  FindClose(find);
  std::string longName = data.cFileName, shortName = data.cAlternateFileName;
  if (wantShort) return shortName.empty() ? longName : shortName;
  return longName.empty() ? shortName : longName;
}

std::string ConvertPath(const std::string& path, bool wantShort) {
  std::string rest = path, result;
  size_t slash;
  while ((slash = rest.rfind('\\')) != std::string::npos) {
    result = "\\" + FoundName(rest, wantShort) + result;
    rest.erase(slash);
  }
  return rest + result;
}

const fw::TStringList* FindBlock(const fw::TStringList& sections, const std::string& section) {
  for (int i = 0; i < sections.GetCount(); ++i)
    if (fw::SameText(sections.GetStrings(i), section)) return static_cast<const fw::TStringList*>(sections.GetObjects(i));
  return nullptr;
}

}  // namespace

int RectWidth(const fw::TRect& r) { return r.Right - r.Left; }
int RectHeight(const fw::TRect& r) { return r.Bottom - r.Top; }

bool RectsOverlap(const fw::TRect& r1, const fw::TRect& r2) {
  return r2.Bottom > r1.Top && r2.Right > r1.Left && r2.Left < r1.Right && r2.Top < r1.Bottom &&
         !(r2.Right <= r2.Left || r2.Bottom <= r2.Top);
}

bool RectInRect(const fw::TRect& outer, const fw::TRect& inner) {
  auto inside = [&](int x, int y) { return x >= outer.Left && x < outer.Right + 1 && y >= outer.Top && y < outer.Bottom + 1; };
  return inside(inner.Left, inner.Top) && inside(inner.Right, inner.Bottom);
}

void MakeMessage(unsigned msg, WPARAM wParam, LPARAM lParam, LRESULT result, fw::TMessage& message) {
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  message.Result = result;
}

void SetBgRefValues(fw::TBitmap* bmp, int x, int y, TkBgRef& ref) {
  ref.Bmp = bmp;
  ref.X = x;
  ref.Y = y;
  ref.Ready = true;
}

int WordCountBySet(const std::string& s, std::string_view delims) {
  int count = 0;
  bool inWord = false;
  for (char c : s) {
    bool delim = IsDelim(c, delims);
    if (!delim && !inWord) ++count;
    inWord = !delim;
  }
  return count;
}

int WordPositionBySet(int n, const std::string& s, std::string_view delims) {
  size_t length;
  size_t start = FindWord(n, s, delims, length);
  return start == std::string::npos ? 0 : static_cast<int>(start) + 1;
}

std::string ExtractWordBySet(int n, const std::string& s, std::string_view delims) {
  size_t length;
  size_t start = FindWord(n, s, delims, length);
  return start == std::string::npos ? std::string() : s.substr(start, length);
}

std::string ExtractNextWord(const std::string& s, int& pos, std::string_view delims) {
  if (pos < 1) pos = 1;
  size_t i = static_cast<size_t>(pos - 1);
  if (i >= s.size()) return {};
  size_t end = i;
  while (end < s.size() && !IsDelim(s[end], delims)) ++end;
  std::string word = s.substr(i, end - i);
  pos = static_cast<int>(end) + 1 + (end < s.size() ? 1 : 0);
  return word;
}

std::string DelChars(const std::string& s, char ch) {
  std::string result;
  for (char c : s)
    if (c != ch) result += c;
  return result;
}

std::string GetApplicationPath() {
  std::string folder = fw::ProgramFolder();
  size_t last = folder.find_last_of("\\/");
  return last == std::string::npos ? std::string() : folder.substr(0, last + 1);
}

bool DirectoryExistsA(const std::string& name) {
  DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string NormalDir(const std::string& dir) {
  if (dir.empty() || dir.back() == '\\') return dir;
  if (dir.back() == '/') return dir.substr(0, dir.size() - 1) + "\\";
  if (dir.size() == 1) return dir + ":\\";
  return dir + "\\";
}

std::string GetLongFileName(const std::string& path) { return ConvertPath(path, false); }
std::string GetShortFileName(const std::string& path) { return ConvertPath(path, true); }
void LongNameOf(const std::string& path, std::string& name) { name = FoundName(path, false); }
void ShortNameOf(const std::string& path, std::string& name) { name = FoundName(path, true); }

void ParseSectionList(const fw::TStrings& lines, fw::TStringList& sections) {
  FreeSectionList(sections);
  fw::TStringList* block = nullptr;
  for (int i = 0; i < lines.GetCount(); ++i) {
    const std::string line = lines.GetStrings(i);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      block = new fw::TStringList;
      sections.AddObject(line.substr(1, line.size() - 2), block);
    } else if (block) {
      block->Add(line);
    }
  }
}

void FreeSectionList(fw::TStringList& sections) {
  for (int i = 0; i < sections.GetCount(); ++i) delete static_cast<fw::TStringList*>(sections.GetObjects(i));
  sections.Clear();
}

std::string ReadListString(const fw::TStringList& sections, const std::string& section, const std::string& key,
                           const std::string& defaultValue) {
  const fw::TStringList* block = FindBlock(sections, section);
  if (!block) return defaultValue;
  for (int i = 0; i < block->GetCount(); ++i) {
    const std::string line = block->GetStrings(i);
    if (line.size() > key.size() && line[key.size()] == '=' && fw::SameText(line.substr(0, key.size()), key))
      return line.substr(key.size() + 1);
  }
  return defaultValue;
}

int ReadListInteger(const fw::TStringList& sections, const std::string& section, const std::string& key,
                    int defaultValue) {
  std::string text = ReadListString(sections, section, key, "");
  if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
  return fw::StrToIntDef(text, defaultValue);
}

std::unique_ptr<fw::TIcon> GetFileIcon(const std::string& fileName, bool small) {
  if (!fw::FileExists(fileName)) return nullptr;
  SHFILEINFOA info{};
  UINT flags = SHGFI_ICON | (small ? SHGFI_SMALLICON : 0);
  if (!SHGetFileInfoA(fileName.c_str(), 0, &info, sizeof(info), flags) || !info.hIcon) return nullptr;
  auto icon = std::make_unique<fw::TIcon>();
  icon->SetHandle(info.hIcon);
  return icon;
}

int GetStatusFontHeight() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return 0;
  return metrics.lfStatusFont.lfHeight;
}

void ShowWarningMessage(const std::string& text) {
  fw::DialogService().MessageDlg(text, fw::mtWarning, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

}  // namespace skin
