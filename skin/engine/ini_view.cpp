#include "skin/engine/ini_view.h"

#include <algorithm>
#include <cstring>

#include "framework/classes/mem_ini_file.h"
#include "framework/classes/streams.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"
#include "skin/engine/text_scan.h"

namespace skin {

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// FNV-1a over the upper-cased bytes.
uint32_t CaseHash(std::string_view s) {
  uint32_t hash = 2166136261u;
  for (char c : s) hash = (hash ^ static_cast<unsigned char>(AsciiUpper(c))) * 16777619u;
  return hash;
}

// A key of one section: the odd factor spreads consecutive sections over distinct slots.
uint32_t KeyHash(size_t section, std::string_view key) {
  return CaseHash(key) ^ static_cast<uint32_t>(section) * 0x9E3779B9u;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiUpper(x) == AsciiUpper(y);
         });
}

// A power of two at least twice count, so that probes stay short.
size_t TableSize(size_t count) {
  size_t size = 16;
  while (size < 2 * count) size *= 2;
  return size;
}

// The slot of table that holds a position match accepts, or the free slot where it would go.
template <class Match>
size_t FindSlot(const std::vector<uint32_t>& table, uint32_t hash, const Match& match) {
  const size_t mask = table.size() - 1;
  size_t at = hash & mask;
  while (table[at] != 0 && !match(table[at] - 1)) at = (at + 1) & mask;
  return at;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

// The file's sections as "[name]" lines, each followed by its key=value lines; a name that
// stands twice reads as its first section, whose lines ReadSectionValues answers.
std::unique_ptr<fw::TStringList> LinesOf(const fw::TMemIniFile& file) {
  fw::TStringList names, values;
  auto lines = std::make_unique<fw::TStringList>();
  file.ReadSections(names);
  for (int s = 0; s < names.GetCount(); ++s) {
    lines->Add("[" + names.GetStrings(s) + "]");
    file.ReadSectionValues(names.GetStrings(s), values);
    lines->AddStrings(values);
  }
  return lines;
}

}  // namespace

TkIniView::TkIniView(const fw::TStrings& lines) {
  // Each line is copied once into the buffer, which is sized first so that it never moves.
  size_t size = 0;
  for (int i = 0; i < lines.GetCount(); ++i) size += lines.GetStrings(i).size();
  FText.reset(new char[size]);
  char* at = FText.get();
  for (int i = 0; i < lines.GetCount(); ++i) {
    const std::string line = lines.GetStrings(i);
    std::memcpy(at, line.data(), line.size());
    AddLine(std::string_view(at, line.size()));
    at += line.size();
  }
  BuildIndex();
}

TkIniView::TkIniView(const fw::TMemIniFile& file) : TkIniView(*LinesOf(file)) {}

TkIniView TkIniView::FromFile(const std::string& fileName) {
  TkIniView view;
  size_t size = 0;
  try {
    fw::TFileStream stream(fileName, fw::fmOpenRead | fw::fmShareDenyWrite);
    const int64_t length = stream.GetSize();
    if (length > 0 && length <= INT32_MAX) {
      view.FText.reset(new char[static_cast<size_t>(length)]);
      stream.ReadBuffer(view.FText.get(), static_cast<int>(length));
      size = static_cast<size_t>(length);
    }
  } catch (const fw::Exception&) {
    size = 0;  // not readable: no sections
  }
  std::string_view text(view.FText.get(), size);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  view.AddLines(text);
  view.BuildIndex();
  return view;
}

void TkIniView::AddLines(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const size_t end = FindEither(text, at, '\r', '\n');
    AddLine(text.substr(at, end - at));
    at = end;
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
  }
}

void TkIniView::AddLine(std::string_view text) {
  const std::string_view line = Trimmed(text);
  if (line.empty() || line[0] == ';') return;
  const auto end = static_cast<uint32_t>(FEntries.size());
  if (line[0] == '[' && line.back() == ']') {
    FSections.push_back(TSection{line.substr(1, line.size() - 2), end, end});
    return;
  }
  const size_t eq = line.find('=');
  if (FSections.empty() || eq == std::string_view::npos) return;
  FEntries.push_back(TEntry{line.substr(0, eq), line.substr(eq + 1)});
  FSections.back().End = end + 1;
}

void TkIniView::BuildIndex() {
  FSectionTable.assign(TableSize(FSections.size()), 0);
  for (size_t s = 0; s < FSections.size(); ++s) {
    TSection& section = FSections[s];
    const size_t slot = FindSlot(FSectionTable, CaseHash(section.Name),
                                 [&](uint32_t i) { return SameName(FSections[i].Name, section.Name); });
    if (FSectionTable[slot] == 0) FSectionTable[slot] = static_cast<uint32_t>(s + 1);
    section.FirstOfName = static_cast<int>(FSectionTable[slot] - 1);
  }
  FKeyTable.assign(TableSize(FEntries.size()), 0);
  for (size_t s = 0; s < FSections.size(); ++s) {
    const TSection& section = FSections[s];
    for (uint32_t e = section.Begin; e < section.End; ++e) {
      TEntry& entry = FEntries[e];
      const size_t slot = FindSlot(FKeyTable, KeyHash(s, entry.Key), [&](uint32_t i) {
        return i >= section.Begin && i < section.End && SameName(FEntries[i].Key, entry.Key);
      });
      if (FKeyTable[slot] == 0)
        FKeyTable[slot] = e + 1;
      else
        entry.First = false;
    }
  }
}

TkIniView::TEntries TkIniView::Entries(int index) const {
  const TSection& s = FSections[index];
  return TEntries(FEntries.data() + s.Begin, s.End - s.Begin);
}

TkIniView::TEntries TkIniView::Entries(std::string_view section) const {
  const int index = IndexOf(section);
  return index < 0 ? TEntries() : Entries(index);
}

int TkIniView::IndexOf(std::string_view section) const {
  const size_t slot =
      FindSlot(FSectionTable, CaseHash(section), [&](uint32_t i) { return SameName(FSections[i].Name, section); });
  return static_cast<int>(FSectionTable[slot]) - 1;
}

const std::string_view* TkIniView::Value(int index, std::string_view key) const {
  if (index < 0) return nullptr;
  const TSection& s = FSections[index];
  const size_t slot = FindSlot(FKeyTable, KeyHash(index, key), [&](uint32_t i) {
    return i >= s.Begin && i < s.End && SameName(FEntries[i].Key, key);
  });
  return FKeyTable[slot] == 0 ? nullptr : &FEntries[FKeyTable[slot] - 1].Value;
}

std::string TkIniView::ReadString(std::string_view section, std::string_view key,
                                  const std::string& defaultValue) const {
  const std::string_view* value = Value(IndexOf(section), key);
  return value ? std::string(*value) : defaultValue;
}

int TkIniView::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  return fw::StrToIntDef(ReadString(section, key, ""), defaultValue);
}

double TkIniView::ReadFloat(std::string_view section, std::string_view key, double defaultValue) const {
  return fw::StrToFloatDotDef(ReadString(section, key, ""), defaultValue);
}

}  // namespace skin
