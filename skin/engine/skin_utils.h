// Small routines the skin engine and the skinned controls share: rectangle arithmetic, integer
// and string helpers, words of a text split at a set of characters, path helpers, the shell
// icon of a file and the readers of the manager's CommonSections text. They hold no state.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "framework/graphics/geometry.h"
#include "framework/msg/messages.h"
#include "framework/rtl/sys_utils.h"

namespace fw {
class TBitmap;
class TIcon;
class TStrings;
class TStringList;
}  // namespace fw

namespace skin {

// The background a parent hands to a child: the parent's cached 24-bit picture and the child's
// origin in it. Ready False means there is no picture.
struct TkBgRef {
  fw::TBitmap* Bmp = nullptr;
  int X = 0;
  int Y = 0;
  bool Ready = false;
};

int RectWidth(const fw::TRect& r);
int RectHeight(const fw::TRect& r);
bool RectsOverlap(const fw::TRect& r1, const fw::TRect& r2);
bool RectInRect(const fw::TRect& outer, const fw::TRect& inner);
void MakeMessage(unsigned msg, WPARAM wParam, LPARAM lParam, LRESULT result, fw::TMessage& message);
void SetBgRefValues(fw::TBitmap* bmp, int x, int y, TkBgRef& ref);
// The same routine under the other names the painters use.
inline void MakeBgRef(TkBgRef& ref, fw::TBitmap* bmp, int x, int y) { SetBgRefValues(bmp, x, y, ref); }
inline void InitBgRef(TkBgRef& ref, fw::TBitmap* bmp, int x, int y) { SetBgRefValues(bmp, x, y, ref); }

using fw::ClampToByte;
inline int IffInt(bool condition, int a, int b) { return condition ? a : b; }
inline std::string IffStr(bool condition, const std::string& a, const std::string& b) { return condition ? a : b; }
inline bool InRange(int value, int low, int high) { return low <= value && value <= high; }
inline int MaxInt2(int a, int b) { return a > b ? a : b; }
inline int MinInt2(int a, int b) { return a < b ? a : b; }

// Words are maximal runs of characters not in delims; positions count from 1.
int WordCountBySet(const std::string& s, std::string_view delims);
int WordPositionBySet(int n, const std::string& s, std::string_view delims);
std::string ExtractWordBySet(int n, const std::string& s, std::string_view delims);
// The text from pos (1-based) up to the next delimiter; pos then stands past the word and past
// one delimiter when one follows.
std::string ExtractNextWord(const std::string& s, int& pos, std::string_view delims);
std::string DelChars(const std::string& s, char ch);

// The program's folder with its trailing separator (through the program-folder seam).
std::string GetApplicationPath();
bool DirectoryExistsA(const std::string& name);
std::string NormalDir(const std::string& dir);
std::string GetLongFileName(const std::string& path);
std::string GetShortFileName(const std::string& path);
void LongNameOf(const std::string& path, std::string& name);
void ShortNameOf(const std::string& path, std::string& name);

// CommonSections text: sections holds one entry per block, named as written, whose object is
// the block's lines (a TStringList the list owns: free them with FreeSectionList).
void ParseSectionList(const fw::TStrings& lines, fw::TStringList& sections);
void FreeSectionList(fw::TStringList& sections);
std::string ReadListString(const fw::TStringList& sections, const std::string& section, const std::string& key,
                           const std::string& defaultValue);
int ReadListInteger(const fw::TStringList& sections, const std::string& section, const std::string& key,
                    int defaultValue);

// The shell's icon of an existing file, owned by the caller; null for a missing file or when
// the shell has none.
std::unique_ptr<fw::TIcon> GetFileIcon(const std::string& fileName, bool small);
int GetStatusFontHeight();

// A warning box through the program's message dialog; returns when it is closed.
void ShowWarningMessage(const std::string& text);

}  // namespace skin
