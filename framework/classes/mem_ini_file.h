// TMemIniFile: a read-only ini file parsed in memory (skin option files). It never writes.
// Lines are trimmed; blank lines and ";" comments are skipped; sections and keys keep the
// file's order; look-ups ignore case and the first match wins.
#pragma once
#include <string>
#include <vector>

#include "framework/core/object.h"

namespace fw {

class TStrings;

class TMemIniFile : public TObject {
  FW_CLASS(TMemIniFile, TObject)
 public:
  // Loads the file when it exists; otherwise starts empty (see SetStrings).
  explicit TMemIniFile(const std::string& fileName);
  ~TMemIniFile() override = default;
  const std::string& GetFileName() const { return FFileName; }
  // Replaces the contents with these lines, parsed like a file.
  void SetStrings(const TStrings& lines);

  // The default only when the key is absent: "KEY=" reads "".
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const;
  // "0x1F" reads as hexadecimal; empty or invalid text gives the default.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
  // Always "." as the decimal separator.
  double ReadFloat(const std::string& section, const std::string& ident, double defaultValue) const;

  void ReadSections(TStrings& strings) const;
  void ReadSection(const std::string& section, TStrings& strings) const;
  void ReadSectionValues(const std::string& section, TStrings& strings) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;

 private:
  struct TSection {
    std::string Name;
    std::vector<std::string> Lines;  // "key=value" or a line without "="
  };
  const TSection* FindSection(const std::string& section) const;
  // The line index of the key in the section, or -1.
  static int FindKey(const TSection& section, const std::string& ident);
  void Parse(const std::vector<std::string>& lines);

  std::string FFileName;
  std::vector<TSection> FSections;
};

}  // namespace fw
