// TIniFile over the profile API (GetPrivateProfileStringA/WritePrivateProfileStringA), with
// Windows' semantics: names without case, values trimmed and unquoted, the file created on the
// first write. Always give a full path: a bare name means the Windows folder.
#pragma once
#include <string>

#include "framework/core/object.h"
#include "framework/rtl/exceptions.h"

namespace fw {

class TStrings;

FW_EXCEPTION(EIniFileException, Exception)

class TIniFile : public TObject {
  FW_CLASS(TIniFile, TObject)
 public:
  explicit TIniFile(const std::string& fileName) : FFileName(fileName) {}
  ~TIniFile() override = default;
  const std::string& GetFileName() const { return FFileName; }

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const;
  // Raises EIniFileException "Unable to write to <file>" when the write fails.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  // Empty or invalid text gives the default; "$FF" and "0xFF" are hexadecimal.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  // "0" is false, other numbers true; anything else gives the default.
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
  void WriteBool(const std::string& section, const std::string& ident, bool value);

  // Fill the list (cleared first) with section names, a section's keys, or its "key=value" lines.
  void ReadSections(TStrings& strings) const;
  void ReadSection(const std::string& section, TStrings& strings) const;
  void ReadSectionValues(const std::string& section, TStrings& strings) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  // Flushes the system's cached copy of the file to disk.
  void UpdateFile();

 private:
  // A double-null-terminated list from GetPrivateProfileStringA with a null section or key.
  void ReadList(const char* section, TStrings& strings) const;
  std::string FFileName;
};

}  // namespace fw
