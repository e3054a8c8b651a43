#include "app/shared/startup_store.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/shared/config_files.h"
#include "app/shared/wide_text.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"

namespace app {

namespace {

constexpr char kOpenSeparator[] = "<>\"";
constexpr char kCloseSeparator[] = "\"<>";
constexpr char kSeparator[] = "<>";

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool Unhex(const std::string& text, std::string& bytes) {
  if (text.size() % 2) return false;
  bytes.clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    int high = HexDigitValue(text[i]), low = HexDigitValue(text[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes += static_cast<char>(high * 16 + low);
  }
  return true;
}

std::string Failure(const std::string& what, const std::string& path, DWORD error) {
  return what + " " + path + ": " + fw::Trim(fw::SysErrorMessage(error));
}

// The whole file; false with the reason when it cannot be read.
bool ReadWhole(const std::string& path, std::string& text, std::string& reason) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    reason = Failure("Can not read", path, GetLastError());
    return false;
  }
  text.clear();
  char buffer[4096];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) text.append(buffer, read);
  if (!ok) reason = Failure("Can not read", path, GetLastError());
  CloseHandle(file);
  return ok;
}

testing::TStoreFileCalls systemCalls;
testing::TStoreFileCalls* fileCalls = nullptr;

testing::TStoreFileCalls& Calls() { return fileCalls ? *fileCalls : systemCalls; }

std::wstring TemporaryOf(const std::string& path) { return Widen(path + ".tmp"); }

// Writes text whole into the temporary file beside path and flushes it; a failed step removes
// the temporary file again. False with the reason when anything failed.
bool WriteTemporary(const std::string& path, const std::string& text, std::string& reason) {
  std::wstring temporary = TemporaryOf(path);
  HANDLE file = Calls().Create(temporary.c_str());
  if (file == INVALID_HANDLE_VALUE) {
    reason = Failure("Can not write", path, GetLastError());
    return false;
  }
  // A write that put down fewer bytes than asked failed, whatever it answered.
  DWORD written = 0;
  bool ok = text.empty() || Calls().Write(file, text.data(), static_cast<DWORD>(text.size()), &written);
  if (ok && written != text.size()) {
    SetLastError(ERROR_WRITE_FAULT);
    ok = false;
  }
  ok = ok && Calls().Flush(file);
  if (!ok) reason = Failure("Can not write", path, GetLastError());
  if (!CloseHandle(file) && ok) {
    reason = Failure("Can not write", path, GetLastError());
    ok = false;
  }
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

// Puts the temporary file written for path in its place; when that fails the file at path
// stays as it was and the temporary file is removed.
bool PutInPlace(const std::string& path, std::string& reason) {
  std::wstring temporary = TemporaryOf(path);
  if (Calls().Move(temporary.c_str(), Widen(path).c_str())) return true;
  reason = Failure("Can not write", path, GetLastError());
  DeleteFileW(temporary.c_str());
  return false;
}

// Replaces the file at path by text, whole or not at all.
bool ReplaceWhole(const std::string& path, const std::string& text, std::string& reason) {
  return WriteTemporary(path, text, reason) && PutInPlace(path, reason);
}

bool SameEntry(const std::string& line, const std::string& name, const std::string& path,
               const std::string& parameters) {
  std::string lineName, linePath, lineParameters;
  ReadStoreLine(line, lineName, linePath, lineParameters);
  return fw::AnsiSameText(lineName, name) && fw::AnsiSameText(linePath, path) &&
         fw::AnsiSameText(lineParameters, parameters);
}

}  // namespace

std::string StoreName(const std::string& hiveName, int runKey) {
  bool machine = hiveName == "HKLM";
  if (runKey < 0 || runKey >= rkRunKeyCount || (!machine && runKey == rkRunServicesOnce)) return std::string();
  std::string key = RunKeyPath(runKey);
  key.pop_back();
  key = key.substr(key.rfind('\\') + 1);
  return std::string("\\") + kDisabledRegistryFolder + (machine ? "all" : "curr") + key + ".ini";
}

std::string StoreLine(const std::string& name, const std::string& path, const std::string& parameters) {
  return name + kOpenSeparator + path + kCloseSeparator + parameters;
}

void ReadStoreLine(const std::string& line, std::string& name, std::string& path, std::string& parameters) {
  path.clear();
  parameters.clear();
  size_t p = line.find(kSeparator);
  if (p == std::string::npos) {
    name = line;
    return;
  }
  name = line.substr(0, p);
  std::string rest = p + 3 <= line.size() ? line.substr(p + 3) : std::string();
  size_t close = rest.find(kSeparator);
  if (close == std::string::npos) return;
  if (close > 0) path = rest.substr(0, close - 1);
  parameters = rest.substr(close + 2);
}

bool StoreLineReadsBack(const std::string& name, const std::string& path, const std::string& parameters) {
  std::string line = StoreLine(name, path, parameters);
  if (line.find_first_of("\r\n") != std::string::npos) return false;
  std::string readName, readPath, readParameters;
  ReadStoreLine(line, readName, readPath, readParameters);
  return readName == name && readPath == path && readParameters == parameters;
}

std::string RecordLine(const TRunValue& value, const std::string& storeLine) {
  std::string name(reinterpret_cast<const char*>(value.Name.data()), value.Name.size() * sizeof(wchar_t));
  return std::to_string(value.Type) + "\t" + Hex(name) + "\t" + Hex(value.Data) + "\t" + storeLine;
}

bool ReadRecordLine(const std::string& text, TRunValue& value, std::string& storeLine) {
  size_t first = text.find('\t');
  size_t second = first == std::string::npos ? first : text.find('\t', first + 1);
  size_t third = second == std::string::npos ? second : text.find('\t', second + 1);
  if (third == std::string::npos || first == 0) return false;
  std::string type = text.substr(0, first);
  if (type.find_first_not_of("0123456789") != std::string::npos || type.size() > 10) return false;
  std::string name, data;
  if (!Unhex(text.substr(first + 1, second - first - 1), name) || name.size() % 2 ||
      !Unhex(text.substr(second + 1, third - second - 1), data))
    return false;
  value.Type = static_cast<DWORD>(std::strtoul(type.c_str(), nullptr, 10));
  value.Name.assign(name.size() / 2, L'\0');
  name.copy(reinterpret_cast<char*>(value.Name.data()), name.size());
  value.Data = data;
  storeLine = text.substr(third + 1);
  return true;
}

TDisabledStore::TDisabledStore(const std::string& appDir, const std::string& storeName)
    : FStorePath(AppPath(appDir, storeName.substr(storeName.find_first_not_of('\\')))), FLines(std::make_unique<fw::TStringList>()) {
  FRecordPath = fw::ChangeFileExt(FStorePath, ".raw");
}

bool TDisabledStore::Load(std::string& reason) {
  if (!ReadWhole(FStorePath, FLoadedStore, reason)) return false;
  FLines->SetText(fw::WithoutUtf8Bom(FLoadedStore));
  FRecords.clear();
  FLoadedRecords.clear();
  FHadRecordFile = GetFileAttributesW(Widen(FRecordPath).c_str()) != INVALID_FILE_ATTRIBUTES;
  if (FHadRecordFile && !ReadWhole(FRecordPath, FLoadedRecords, reason)) return false;
  fw::TStringList records;
  records.SetText(fw::WithoutUtf8Bom(FLoadedRecords));
  for (int i = 0; i < records.GetCount(); ++i) {
    TRecord record;
    record.Text = records.GetStrings(i);
    if (record.Text.empty()) continue;
    if (!ReadRecordLine(record.Text, record.Value, record.Line)) record.Line.clear();
    FRecords.push_back(record);
  }
  return true;
}

int TDisabledStore::FindEntry(const std::string& name, const std::string& path, const std::string& parameters) const {
  int index = FLines->IndexOf(StoreLine(name, path, parameters));
  if (index >= 0) return index;
  for (int i = 0; i < FLines->GetCount(); ++i)
    if (!FLines->GetStrings(i).empty() && SameEntry(FLines->GetStrings(i), name, path, parameters)) return i;
  return -1;
}

std::string TDisabledStore::Line(int index) const { return FLines->GetStrings(index); }

void TDisabledStore::AddLine(const std::string& line) {
  if (FLines->IndexOf(line) < 0) FLines->Add(line);
}

void TDisabledStore::DeleteLine(int index) { FLines->Delete(index); }

int TDisabledStore::RecordIndex(const std::string& line) const {
  for (size_t i = 0; i < FRecords.size(); ++i)
    if (!FRecords[i].Line.empty() && fw::AnsiSameText(FRecords[i].Line, line)) return static_cast<int>(i);
  return -1;
}

const TRunValue* TDisabledStore::FindRecord(const std::string& line) const {
  int index = RecordIndex(line);
  return index < 0 ? nullptr : &FRecords[index].Value;
}

void TDisabledStore::SetRecord(const std::string& line, const TRunValue& value) {
  TRecord record{line, value, RecordLine(value, line)};
  int index = RecordIndex(line);
  if (index < 0)
    FRecords.push_back(record);
  else
    FRecords[index] = record;
}

void TDisabledStore::DeleteRecord(const std::string& line) {
  int index = RecordIndex(line);
  if (index >= 0) FRecords.erase(FRecords.begin() + index);
}

bool TDisabledStore::Save(std::string& reason) {
  std::string records;
  for (const TRecord& record : FRecords) records += record.Text + "\r\n";
  bool writeRecords = FHadRecordFile || !records.empty();
  // Both files are written out in full before either takes the place of its old one.
  if (writeRecords && !WriteTemporary(FRecordPath, records, reason)) return false;
  if (!WriteTemporary(FStorePath, FLines->GetText(), reason)) {
    if (writeRecords) DeleteFileW(TemporaryOf(FRecordPath).c_str());
    return false;
  }
  if (writeRecords && !PutInPlace(FRecordPath, reason)) {
    DeleteFileW(TemporaryOf(FStorePath).c_str());
    return false;
  }
  if (PutInPlace(FStorePath, reason)) return true;
  std::string ignored;
  if (writeRecords) PutBackRecords(ignored);
  return false;
}

bool TDisabledStore::Restore(std::string& reason) {
  bool ok = ReplaceWhole(FStorePath, FLoadedStore, reason);
  return PutBackRecords(reason) && ok;
}

bool TDisabledStore::PutBackRecords(std::string& reason) {
  if (FHadRecordFile) return ReplaceWhole(FRecordPath, FLoadedRecords, reason);
  if (DeleteFileW(Widen(FRecordPath).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return true;
  reason = Failure("Can not delete", FRecordPath, GetLastError());
  return false;
}

namespace testing {

HANDLE TStoreFileCalls::Create(const wchar_t* path) {
  return CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

BOOL TStoreFileCalls::Write(HANDLE file, const void* data, DWORD size, DWORD* written) {
  return WriteFile(file, data, size, written, nullptr);
}

BOOL TStoreFileCalls::Flush(HANDLE file) { return FlushFileBuffers(file); }

BOOL TStoreFileCalls::Move(const wchar_t* from, const wchar_t* to) {
  return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

TStoreFileCalls* SetStoreFileCalls(TStoreFileCalls* calls) {
  std::swap(fileCalls, calls);
  return calls;
}

}  // namespace testing

}  // namespace app
