#include "framework/classes/ini_file.h"

#include <vector>

#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"

namespace fw {

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
  char buffer[2048];
  DWORD length = GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultValue.c_str(), buffer,
                                          sizeof buffer, FFileName.c_str());
  return std::string(buffer, length);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), FFileName.c_str()))
    throw EIniFileException(Format("Unable to write to %s", DisplayPath(FFileName)));
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const {
  return StrToIntDef(ReadString(section, ident, ""), defaultValue);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::ReadList(const char* section, TStrings& strings) const {
  std::vector<char> buffer(16384);
  DWORD length;
  for (;;) {
    length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FFileName.c_str());
    // A full buffer returns size - 2: the list may have been cut.
    if (length + 2 < buffer.size()) break;
    buffer.resize(buffer.size() * 4);
  }
  strings.BeginUpdate();
  try {
    strings.Clear();
    for (const char* p = buffer.data(); p < buffer.data() + length && *p;) {
      std::string item(p);
      strings.Add(item);
      p += item.size() + 1;
    }
  } catch (...) {
    strings.EndUpdate();
    throw;
  }
  strings.EndUpdate();
}

void TIniFile::ReadSections(TStrings& strings) const { ReadList(nullptr, strings); }

void TIniFile::ReadSection(const std::string& section, TStrings& strings) const {
  ReadList(section.c_str(), strings);
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
  TStringList keys;
  ReadSection(section, keys);
  strings.BeginUpdate();
  try {
    strings.Clear();
    for (int i = 0; i < keys.GetCount(); ++i) {
      std::string key = keys.GetStrings(i);
      strings.Add(key + "=" + ReadString(section, key, ""));
    }
  } catch (...) {
    strings.EndUpdate();
    throw;
  }
  strings.EndUpdate();
}

bool TIniFile::SectionExists(const std::string& section) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.GetCount() > 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.IndexOf(ident) >= 0;
}

void TIniFile::EraseSection(const std::string& section) {
  if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FFileName.c_str()))
    throw EIniFileException(Format("Unable to write to %s", DisplayPath(FFileName)));
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, FFileName.c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFileName.c_str()); }

}  // namespace fw
