#include "framework/classes/mem_ini_file.h"

#include "framework/rtl/file_utils.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"

namespace fw {

TMemIniFile::TMemIniFile(const std::string& fileName) : FFileName(fileName) {
  if (!FileExists(fileName)) return;
  TStringList lines;
  lines.LoadFromFile(fileName);
  SetStrings(lines);
}

void TMemIniFile::SetStrings(const TStrings& lines) {
  std::vector<std::string> all;
  for (int i = 0; i < lines.GetCount(); ++i) all.push_back(lines.GetStrings(i));
  Parse(all);
}

void TMemIniFile::Parse(const std::vector<std::string>& lines) {
  FSections.clear();
  TSection* current = nullptr;
  for (const std::string& raw : lines) {
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.back() == ']') {
      FSections.push_back(TSection{line.substr(1, line.size() - 2), {}});
      current = &FSections.back();
    } else if (current) {
      current->Lines.push_back(line);
    }
  }
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& section) const {
  for (const TSection& s : FSections)
    if (AnsiSameText(s.Name, section)) return &s;
  return nullptr;
}

int TMemIniFile::FindKey(const TSection& section, const std::string& ident) {
  for (size_t i = 0; i < section.Lines.size(); ++i) {
    const std::string& line = section.Lines[i];
    size_t eq = line.find('=');
    if (eq != std::string::npos && AnsiSameText(line.substr(0, eq), ident)) return static_cast<int>(i);
  }
  return -1;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
  const TSection* s = FindSection(section);
  int index = s ? FindKey(*s, ident) : -1;
  if (index < 0) return defaultValue;
  const std::string& line = s->Lines[index];
  return line.substr(line.find('=') + 1);
}

int TMemIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const {
  return StrToIntDef(ReadString(section, ident, ""), defaultValue);
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

double TMemIniFile::ReadFloat(const std::string& section, const std::string& ident, double defaultValue) const {
  return StrToFloatDotDef(ReadString(section, ident, ""), defaultValue);
}

void TMemIniFile::ReadSections(TStrings& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  for (const TSection& s : FSections) strings.Add(s.Name);
  strings.EndUpdate();
}

void TMemIniFile::ReadSection(const std::string& section, TStrings& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  if (const TSection* s = FindSection(section))
    for (const std::string& line : s->Lines) {
      size_t eq = line.find('=');
      if (eq != std::string::npos) strings.Add(line.substr(0, eq));
    }
  strings.EndUpdate();
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  if (const TSection* s = FindSection(section))
    for (const std::string& line : s->Lines) strings.Add(line);
  strings.EndUpdate();
}

bool TMemIniFile::SectionExists(const std::string& section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  const TSection* s = FindSection(section);
  return s && FindKey(*s, ident) >= 0;
}

}  // namespace fw
