#include "skin/engine/ini_view.h"

#include "framework/rtl/exceptions.h"
#include "framework/classes/mem_ini_file.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"

namespace skin {

bool TkIniView::TCaseLess::operator()(const std::string& a, const std::string& b) const {
  return fw::CompareText(a, b) < 0;
}

TkIniView::TkIniView(const fw::TStrings& lines) {
  TSection* current = nullptr;
  for (int i = 0; i < lines.GetCount(); ++i) {
    const std::string line = fw::Trim(lines.GetStrings(i));
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.back() == ']')
      current = &Add(line.substr(1, line.size() - 2));
    else if (current)
      AddEntry(*current, line);
  }
}

TkIniView::TkIniView(const fw::TMemIniFile& file) {
  fw::TStringList names, lines;
  file.ReadSections(names);
  for (int s = 0; s < names.GetCount(); ++s) {
    const bool repeated = FIndex.count(names.GetStrings(s)) > 0;  // its keys are those of the first
    TSection& section = Add(names.GetStrings(s));
    if (repeated) continue;
    file.ReadSectionValues(names.GetStrings(s), lines);
    for (int i = 0; i < lines.GetCount(); ++i) AddEntry(section, lines.GetStrings(i));
  }
}

TkIniView TkIniView::FromFile(const std::string& fileName) {
  fw::TStringList lines;
  try {
    lines.LoadFromFile(fileName);
  } catch (const fw::Exception&) {
    return TkIniView();
  }
  return TkIniView(lines);
}

TkIniView::TSection& TkIniView::Add(const std::string& name) {
  FNames.push_back(name);
  FIndex.emplace(name, FSections.size());  // the first section of a name answers
  return FSections.emplace_back();
}

void TkIniView::AddEntry(TSection& section, const std::string& line) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return;
  TEntry entry{line.substr(0, eq), line.substr(eq + 1)};
  entry.First = section.Keys.emplace(entry.Key, section.Entries.size()).second;
  section.Entries.push_back(std::move(entry));
}

int TkIniView::IndexOf(const std::string& section) const {
  auto it = FIndex.find(section);
  return it == FIndex.end() ? -1 : static_cast<int>(it->second);
}

const std::string* TkIniView::Value(int index, const std::string& key) const {
  if (index < 0) return nullptr;
  const TSection& s = FSections[index];
  auto it = s.Keys.find(key);
  return it == s.Keys.end() ? nullptr : &s.Entries[it->second].Value;
}

const TkIniView::TSection* TkIniView::Find(const std::string& section) const {
  auto it = FIndex.find(section);
  return it == FIndex.end() ? nullptr : &FSections[it->second];
}

const std::vector<TkIniView::TEntry>& TkIniView::Entries(const std::string& section) const {
  static const std::vector<TEntry> none;
  const TSection* s = Find(section);
  return s ? s->Entries : none;
}

std::string TkIniView::ReadString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const {
  const TSection* s = Find(section);
  if (!s) return defaultValue;
  auto it = s->Keys.find(key);
  return it == s->Keys.end() ? defaultValue : s->Entries[it->second].Value;
}

int TkIniView::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
  return fw::StrToIntDef(ReadString(section, key, ""), defaultValue);
}

double TkIniView::ReadFloat(const std::string& section, const std::string& key, double defaultValue) const {
  return fw::StrToFloatDotDef(ReadString(section, key, ""), defaultValue);
}

}  // namespace skin
