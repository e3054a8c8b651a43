#include "services/system/file_version_info.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"

namespace svc {
namespace {

const char* const kNoVersionInfo = "\"%s\" has no version information";
const char* const kBadVersionInfo = "The version information block is damaged";

constexpr DWORD kFixedSignature = 0xFEEF04BD;

// One node of the block: its bounds, key, value and where its children start (all offsets
// from the start of the block, which is where the 4-byte alignment is measured).
struct TNode {
  size_t End = 0;
  std::string Key;
  size_t ValueOffset = 0;
  size_t ValueSize = 0;  // in bytes
  size_t ChildOffset = 0;
};

size_t Align4(size_t offset) { return (offset + 3) & ~size_t(3); }

[[noreturn]] void BadBlock() { throw EUtFileVersionInfoError(kBadVersionInfo); }

class TBlockReader {
 public:
  TBlockReader(const std::string& block, bool wide) : FBlock(block), FWide(wide) {}

  WORD Word(size_t offset) const {
    if (offset + 2 > FBlock.size()) BadBlock();
    WORD value;
    std::memcpy(&value, FBlock.data() + offset, 2);
    return value;
  }

  // Text from offset up to the first NUL before limit; next gets the offset after the NUL.
  std::string Text(size_t offset, size_t limit, size_t* next = nullptr) const {
    std::string result;
    if (FWide) {
      std::wstring wide;
      size_t pos = offset;
      while (pos + 2 <= limit) {
        wchar_t c = static_cast<wchar_t>(Word(pos));
        pos += 2;
        if (c == 0) break;
        wide += c;
      }
      if (next) *next = pos;
      return fw::WideToUtf8(wide);
    }
    size_t pos = offset;
    while (pos < limit && FBlock[pos] != '\0') result += FBlock[pos++];
    if (next) *next = pos < limit ? pos + 1 : pos;
    return result;
  }

  TNode Node(size_t offset, size_t limit) const {
    const size_t header = FWide ? 6 : 4;
    if (offset + header > limit) BadBlock();
    TNode node;
    size_t length = Word(offset);
    if (length < header || offset + length > limit) BadBlock();
    node.End = offset + length;
    size_t valueLength = Word(offset + 2);
    bool textValue = FWide && Word(offset + 4) == 1;
    size_t afterKey = 0;
    node.Key = Text(offset + header, node.End, &afterKey);
    node.ValueOffset = std::min(Align4(afterKey), node.End);
    node.ValueSize = std::min(textValue ? valueLength * 2 : valueLength, node.End - node.ValueOffset);
    node.ChildOffset = Align4(node.ValueOffset + node.ValueSize);
    return node;
  }

  template <class F>
  void Children(const TNode& parent, F&& visit) const {
    size_t pos = parent.ChildOffset;
    while (pos < parent.End) {
      TNode child = Node(pos, parent.End);
      visit(child);
      pos = Align4(child.End);
    }
  }

 private:
  const std::string& FBlock;
  bool FWide;
};

// "040904B0" or "0x040904b0": the language in the high word, the code page in the low word.
TUtLangIdRec ParseTableKey(std::string key) {
  for (size_t at; (at = key.find("0x")) != std::string::npos || (at = key.find("0X")) != std::string::npos;)
    key.erase(at, 2);
  std::string digits;
  for (char c : key)
    if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
  DWORD value = std::strtoul(digits.substr(0, 8).c_str(), nullptr, 16);
  return TUtLangIdRec{HIWORD(value), LOWORD(value)};
}

}  // namespace

TUtFileVersionInfo::TUtFileVersionInfo(const std::string& fileName) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
  if (size == 0) throw EUtFileVersionInfoError(fw::Format(kNoVersionInfo, fileName));
  FBlock.assign(size, '\0');
  if (!GetFileVersionInfoA(fileName.c_str(), 0, size, FBlock.data())) fw::RaiseLastOSError();
  Parse();
}

TUtFileVersionInfo::TUtFileVersionInfo(TUtVersionBlock block) : FBlock(std::move(block.Data)) { Parse(); }

void TUtFileVersionInfo::Parse() {
  static const char kRootKey[] = "VS_VERSION_INFO";
  if (FBlock.size() < 6) BadBlock();
  // A 16-bit block has its ANSI key right after the two length words.
  bool wide = FBlock.compare(4, sizeof kRootKey, kRootKey, sizeof kRootKey) != 0;
  TBlockReader reader(FBlock, wide);
  TNode root = reader.Node(0, FBlock.size());
  if (root.Key != kRootKey) BadBlock();
  if (root.ValueSize == sizeof(VS_FIXEDFILEINFO)) {
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, FBlock.data() + root.ValueOffset, sizeof fixed);
    if (fixed.dwSignature != kFixedSignature) BadBlock();
    FFixedOffset = static_cast<int>(root.ValueOffset);
  }
  reader.Children(root, [&](const TNode& info) {
    if (info.Key == "StringFileInfo") {
      reader.Children(info, [&](const TNode& tableNode) {
        auto table = std::make_unique<TStringTable>();
        table->Language = ParseTableKey(tableNode.Key);
        reader.Children(tableNode, [&](const TNode& item) {
          table->Items.Add(fw::Format("%s=%s", item.Key, reader.Text(item.ValueOffset, item.End)));
        });
        FTables.push_back(std::move(table));
      });
    } else if (info.Key == "VarFileInfo") {
      reader.Children(info, [&](const TNode& var) {
        if (var.Key != "Translation") return;
        for (size_t pos = var.ValueOffset; pos + 4 <= var.ValueOffset + var.ValueSize; pos += 4)
          FTranslations.push_back(TUtLangIdRec{reader.Word(pos), reader.Word(pos + 2)});
      });
    }
  });
  if (const VS_FIXEDFILEINFO* fixed = GetFixedInfo()) {
    static const struct {
      DWORD Bit;
      TUtFileFlag Flag;
    } kFlags[] = {{VS_FF_DEBUG, ffDebug},           {VS_FF_INFOINFERRED, ffInfoInferred},
                  {VS_FF_PATCHED, ffPatched},       {VS_FF_PRERELEASE, ffPreRelease},
                  {VS_FF_PRIVATEBUILD, ffPrivateBuild}, {VS_FF_SPECIALBUILD, ffSpecialBuild}};
    DWORD flags = fixed->dwFileFlags & fixed->dwFileFlagsMask;
    for (const auto& f : kFlags)
      if (flags & f.Bit) FFileFlags.Include(f.Flag);
  }
}

const VS_FIXEDFILEINFO* TUtFileVersionInfo::GetFixedInfo() const {
  if (FFixedOffset < 0) return nullptr;
  return reinterpret_cast<const VS_FIXEDFILEINFO*>(FBlock.data() + FFixedOffset);
}

TUtLangIdRec TUtFileVersionInfo::GetTranslations(int index) const {
  if (index < 0 || index >= GetTranslationCount())
    throw fw::EListError(fw::Format("List index out of bounds (%d)", index));
  return FTranslations[index];
}

TUtLangIdRec TUtFileVersionInfo::GetLanguages(int index) const {
  if (index < 0 || index >= GetLanguageCount())
    throw fw::EListError(fw::Format("List index out of bounds (%d)", index));
  return FTables[index]->Language;
}

void TUtFileVersionInfo::SetLanguageIndex(int index) {
  GetLanguages(index);  // checks the range
  FLanguageIndex = index;
}

const fw::TStringList& TUtFileVersionInfo::GetItems() const {
  return FTables.empty() ? FNoItems : FTables[FLanguageIndex]->Items;
}

std::string TUtFileVersionInfo::GetKeyValue(const std::string& name) const {
  const fw::TStringList& items = GetItems();
  int index = items.IndexOfName(name);
  return index < 0 ? std::string() : items.GetValueFromIndex(index);
}

bool FileVersionInfoExists(const std::string& fileName) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
  if (size == 0) return false;
  std::string block(size, '\0');
  return GetFileVersionInfoA(fileName.c_str(), 0, size, block.data()) != FALSE;
}

bool FixedFileVersion(const std::string& fileName, VS_FIXEDFILEINFO& info) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
  if (size == 0) return false;
  std::string block(size, '\0');
  if (!GetFileVersionInfoA(fileName.c_str(), 0, size, block.data())) return false;
  void* fixed = nullptr;
  UINT length = 0;
  char root[] = "\\";
  if (!VerQueryValueA(block.data(), root, &fixed, &length) || length < sizeof info) return false;
  std::memcpy(&info, fixed, sizeof info);
  return true;
}

}  // namespace svc
