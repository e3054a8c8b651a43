#include "app/shared/run_key.h"

#include <utility>

#include "app/shared/wide_text.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"

namespace app {

namespace {

const char* const kRunKeyNames[rkRunKeyCount] = {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce"};
constexpr char kRunKeyParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\";

testing::TRunKeyFault runKeyFault;

LONG Fault(TRunKeyStep step, const std::wstring& path, const std::wstring& name) {
  return runKeyFault ? runKeyFault(step, Narrow(path), name) : ERROR_SUCCESS;
}

}  // namespace

std::string RunKeyPath(int index) {
  return index >= 0 && index < rkRunKeyCount ? std::string(kRunKeyParent) + kRunKeyNames[index] + "\\" : std::string();
}

int RunKeyIndex(const std::string& path) {
  for (int index = 0; index < rkRunKeyCount; ++index)
    if (fw::SameText(path, RunKeyPath(index))) return index;
  return -1;
}

HKEY HiveOf(const std::string& hiveName) { return hiveName == "HKLM" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

const char* HiveName(HKEY hive) { return hive == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU"; }

bool IsStringValue(const TRunValue& value) { return value.Type == REG_SZ || value.Type == REG_EXPAND_SZ; }

std::string RunValueText(const TRunValue& value) {
  std::wstring text(value.Data.size() / sizeof(wchar_t), L'\0');
  value.Data.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
  size_t nul = text.find(L'\0');
  if (nul != std::wstring::npos) text.resize(nul);
  return Narrow(text);
}

TRunKey::TRunKey(HKEY hive, const std::string& path) : FHive(hive) {
  std::string trimmed = path;
  while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  FPath = Widen(trimmed);
}

TRunKey::~TRunKey() { Close(); }

void TRunKey::Close() {
  if (FKey) RegCloseKey(FKey);
  FKey = nullptr;
}

LONG TRunKey::OpenForRead() {
  Close();
  return RegOpenKeyExW(FHive, FPath.c_str(), 0, KEY_READ, &FKey);
}

LONG TRunKey::OpenForWrite(bool create) {
  Close();
  FCreated = false;
  LONG result = Fault(rsOpenForWrite, FPath, L"");
  if (result != ERROR_SUCCESS) return result;
  REGSAM access = KEY_READ | KEY_WRITE;
  if (!create) return RegOpenKeyExW(FHive, FPath.c_str(), 0, access, &FKey);
  DWORD disposition = 0;
  result = RegCreateKeyExW(FHive, FPath.c_str(), 0, nullptr, 0, access, nullptr, &FKey, &disposition);
  FCreated = result == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
  return result;
}

LONG TRunKey::ReadValues(std::vector<TRunValue>& values) const {
  values.clear();
  if (!FKey) return ERROR_INVALID_HANDLE;
  DWORD count = 0, nameLength = 0, dataSize = 0;
  LONG result = RegQueryInfoKeyW(FKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &nameLength,
                                 &dataSize, nullptr, nullptr);
  if (result != ERROR_SUCCESS) return result;
  for (DWORD index = 0; index < count; ++index) {
    std::wstring name(nameLength + 1, L'\0');
    std::string data(dataSize + 2, '\0');
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    result = RegEnumValueW(FKey, index, name.data(), &nameSize, nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) continue;  // grew since the count: skipped, not misread
    name.resize(nameSize);
    data.resize(size);
    values.push_back(TRunValue{name, type, data});
  }
  return ERROR_SUCCESS;
}

LONG TRunKey::ReadValue(const std::wstring& name, TRunValue& value) const {
  if (!FKey) return ERROR_INVALID_HANDLE;
  DWORD type = REG_NONE, size = 0;
  LONG result = RegQueryValueExW(FKey, name.c_str(), nullptr, &type, nullptr, &size);
  if (result != ERROR_SUCCESS) return result;
  std::string data(size, '\0');
  result = RegQueryValueExW(FKey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  if (result != ERROR_SUCCESS) return result;
  data.resize(size);
  value = TRunValue{name, type, data};
  return ERROR_SUCCESS;
}

bool TRunKey::ValueExists(const std::wstring& name) const {
  return FKey && RegQueryValueExW(FKey, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

LONG TRunKey::WriteValue(const TRunValue& value) {
  if (!FKey) return ERROR_INVALID_HANDLE;
  LONG result = Fault(rsWriteValue, FPath, value.Name);
  if (result != ERROR_SUCCESS) return result;
  // The system adds a terminating NUL to string data that lacks one when the memory after it
  // holds one; a character after the data keeps the bytes as they are.
  std::string buffer = value.Data + std::string("\x01\x01", 2);
  return RegSetValueExW(FKey, value.Name.c_str(), 0, value.Type, reinterpret_cast<const BYTE*>(buffer.data()),
                        static_cast<DWORD>(value.Data.size()));
}

LONG TRunKey::DeleteValue(const std::wstring& name) {
  if (!FKey) return ERROR_INVALID_HANDLE;
  LONG result = Fault(rsDeleteValue, FPath, name);
  if (result != ERROR_SUCCESS) return result;
  return RegDeleteValueW(FKey, name.c_str());
}

void TRunKey::DeleteIfCreated() {
  if (!FCreated) return;
  DWORD subKeys = 0, values = 0;
  bool empty = FKey && RegQueryInfoKeyW(FKey, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                                        nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
               subKeys == 0 && values == 0;
  Close();
  if (empty) RegDeleteKeyW(FHive, FPath.c_str());
  FCreated = false;
}

std::string RegistryErrorText(LONG code) { return fw::Trim(fw::SysErrorMessage(static_cast<DWORD>(code))); }

namespace testing {

TRunKeyFault SetRunKeyFault(TRunKeyFault fault) {
  std::swap(runKeyFault, fault);
  return fault;
}

}  // namespace testing

}  // namespace app
