// TkIniView: a skin file read once into one buffer and indexed, so that the loaders' thousands
// of reads (every key of every section, with inheritance) cost a table look-up each and copy no
// text. Sections and keys keep the file's order; names compare without regard to (ASCII) case;
// the first match wins. Names and values are views into the view's own buffer: they live as
// long as the view (moving it keeps them).
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fw {
class TMemIniFile;
class TStrings;
}

namespace skin {

class TkIniView {
 public:
  struct TEntry {
    std::string_view Key;
    std::string_view Value;
    bool First = true;  // the first line of this key in its section (the one reads answer)
  };
  using TEntries = std::span<const TEntry>;

  // Parses ini lines as TMemIniFile does: lines trimmed, blank and ";" lines skipped.
  explicit TkIniView(const fw::TStrings& lines);
  explicit TkIniView(const fw::TMemIniFile& file);
  // Reads the file in full (and closes it); a file that cannot be read (or one of 2 GB and more)
  // gives no sections.
  static TkIniView FromFile(const std::string& fileName);

  // The sections in file order (a name may stand twice) and the name of the one at index.
  int SectionCount() const { return static_cast<int>(FSections.size()); }
  std::string_view SectionName(int index) const { return FSections[index].Name; }
  // The position of the first section of the name the section at index has: index itself
  // unless the name stood before.
  int FirstOfName(int index) const { return FSections[index].FirstOfName; }
  // The key=value lines of the section at that position (0 <= index < SectionCount()), and of
  // the first section of that name, in file order.
  TEntries Entries(int index) const;
  TEntries Entries(std::string_view section) const;
  // The position of the first section of that name, -1 when none; and the value of a key in
  // the section at that position, null when missing.
  int IndexOf(std::string_view section) const;
  const std::string_view* Value(int index, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, const std::string& defaultValue) const;
  // Decimal, "$" or "0x" hexadecimal; anything else gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // "." as the decimal separator; anything else gives the default.
  double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const;

 private:
  struct TSection {
    std::string_view Name;
    uint32_t Begin = 0, End = 0;  // its lines in FEntries
    int FirstOfName = 0;
  };
  TkIniView() = default;
  // The lines of text (inside the buffer), ending at CR, LF or CR LF as TStrings splits them.
  void AddLines(std::string_view text);
  // One line (inside the buffer): a "[name]" header starts a section, a key=value line goes to
  // the current one.
  void AddLine(std::string_view text);
  // Builds the name and key tables once every line is in, and marks the first line of each key.
  void BuildIndex();

  std::unique_ptr<char[]> FText;  // every name and value points into it
  std::vector<TSection> FSections;
  std::vector<TEntry> FEntries;
  // Open addressing, a power of two long: section position + 1 by name (first sections
  // only), and entry position + 1 by section and key (first lines only); 0 is a free slot.
  std::vector<uint32_t> FSectionTable;
  std::vector<uint32_t> FKeyTable;
};

}  // namespace skin
