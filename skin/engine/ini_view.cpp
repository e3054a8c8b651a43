#include "skin/engine/ini_view.h"

#include "framework/rtl/exceptions.h"
#include "framework/classes/mem_ini_file.h"
#include "framework/classes/streams.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"

namespace skin {

bool TkIniView::TCaseLess::operator()(const std::string& a, const std::string& b) const {
  return fw::CompareText(a, b) < 0;
}

size_t TkIniView::TCaseHash::operator()(const std::string& s) const {
  size_t hash = 2166136261u;  // FNV-1a over the upper-cased bytes
  for (char c : s) hash = (hash ^ static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c)) * 16777619u;
  return hash;
}

bool TkIniView::TCaseEqual::operator()(const std::string& a, const std::string& b) const { return fw::SameText(a, b); }

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

}  // namespace

TkIniView::TkIniView(const fw::TStrings& lines) {
  TSection* current = nullptr;
  for (int i = 0; i < lines.GetCount(); ++i) AddLine(current, lines.GetStrings(i));
}

void TkIniView::AddLine(TSection*& current, std::string_view text) {
  const std::string_view line = Trimmed(text);
  if (line.empty() || line[0] == ';') return;
  if (line[0] == '[' && line.back() == ']')
    current = &Add(std::string(line.substr(1, line.size() - 2)));
  else if (current)
    AddEntry(*current, line);
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
  std::string text;
  try {
    fw::TFileStream stream(fileName, fw::fmOpenRead | fw::fmShareDenyWrite);
    text.resize(static_cast<size_t>(stream.GetSize()));
    if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<int>(text.size()));
  } catch (const fw::Exception&) {
    return TkIniView();
  }
  // Lines end at CR, LF or CR LF, as TStrings splits them.
  TkIniView view;
  TSection* current = nullptr;
  const std::string body = fw::WithoutUtf8Bom(text);
  for (size_t at = 0; at < body.size();) {
    size_t end = body.find_first_of("\r\n", at);
    if (end == std::string::npos) end = body.size();
    view.AddLine(current, std::string_view(body).substr(at, end - at));
    at = end;
    if (at < body.size() && body[at] == '\r') ++at;
    if (at < body.size() && body[at] == '\n') ++at;
  }
  return view;
}

TkIniView::TSection& TkIniView::Add(const std::string& name) {
  FNames.push_back(name);
  FIndex.emplace(name, FSections.size());  // the first section of a name answers
  return FSections.emplace_back();
}

void TkIniView::AddEntry(TSection& section, std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return;
  TEntry entry{std::string(line.substr(0, eq)), std::string(line.substr(eq + 1))};
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
