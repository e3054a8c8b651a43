// TkIniView: a skin file read once into look-up tables, so that the loaders' thousands of reads
// (every key of every section, with inheritance) cost a table look-up each. Sections and keys
// keep the file's order; names compare without regard to (ASCII) case; the first match wins.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fw {
class TMemIniFile;
class TStrings;
}

namespace skin {

class TkIniView {
 public:
  struct TEntry {
    std::string Key;
    std::string Value;
    bool First = true;  // the first line of this key in its section (the one reads answer)
  };
  // Parses ini lines as TMemIniFile does: lines trimmed, blank and ";" lines skipped.
  explicit TkIniView(const fw::TStrings& lines);
  explicit TkIniView(const fw::TMemIniFile& file);
  // Reads the file in full (and closes it); a file that cannot be read gives no sections.
  static TkIniView FromFile(const std::string& fileName);

  // Section names in file order (a name may stand twice).
  const std::vector<std::string>& Sections() const { return FNames; }
  // The key=value lines of the first section of that name, in file order.
  const std::vector<TEntry>& Entries(const std::string& section) const;
  // The key=value lines of the section at that position (0 <= index < Sections().size()).
  const std::vector<TEntry>& Entries(int index) const { return FSections[index].Entries; }
  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  // The position of the first section of that name, -1 when none; and the value of a key in
  // the section at that position, null when missing.
  int IndexOf(const std::string& section) const;
  const std::string* Value(int index, const std::string& key) const;
  // Decimal, "$" or "0x" hexadecimal; anything else gives the default.
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  // "." as the decimal separator; anything else gives the default.
  double ReadFloat(const std::string& section, const std::string& key, double defaultValue) const;

 private:
  // Orders names without regard to ASCII case.
  struct TCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  // Hashes and compares names without regard to ASCII case.
  struct TCaseHash {
    size_t operator()(const std::string& s) const;
  };
  struct TCaseEqual {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct TSection {
    std::vector<TEntry> Entries;
    std::map<std::string, size_t, TCaseLess> Keys;  // key -> first entry
  };
  TkIniView() = default;
  const TSection* Find(const std::string& section) const;
  TSection& Add(const std::string& name);
  // One line: a "[name]" header starts a section, a key=value line goes to the current one.
  void AddLine(TSection*& current, std::string_view text);
  void AddEntry(TSection& section, std::string_view line);

  std::vector<std::string> FNames;
  std::vector<TSection> FSections;
  std::unordered_map<std::string, size_t, TCaseHash, TCaseEqual> FIndex;  // name -> first section
};

}  // namespace skin
