#include "framework/classes/registry.h"

#include <vector>

#include "framework/rtl/exceptions.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"

namespace fw {

namespace {

bool IsRelative(const std::string& key) { return key.empty() || key[0] != '\\'; }

std::string StripLeading(const std::string& key) {
  size_t i = 0;
  while (i < key.size() && key[i] == '\\') ++i;
  return key.substr(i);
}

// The names of the key's subkeys.
std::vector<std::string> SubKeyNames(HKEY key) {
  std::vector<std::string> names;
  char buffer[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof buffer;
    if (RegEnumKeyExA(key, i, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(buffer, length);
  }
  return names;
}

// Deletes the subkey of parent and everything below it.
bool DeleteTree(HKEY parent, const std::string& name) {
  bool ok = true;
  {
    TRegKey key;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, key.Receive()) != ERROR_SUCCESS) return false;
    for (const std::string& child : SubKeyNames(key.Get())) ok = DeleteTree(key.Get(), child) && ok;
  }
  return ok && RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace

TRegistry::TRegistry() : FAccess(KEY_ALL_ACCESS) {}

TRegistry::TRegistry(REGSAM access) : FAccess(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY rootKey) {
  CloseKey();
  FRootKey = rootKey;
}

HKEY TRegistry::BaseKey(bool relative) const {
  return (relative && FCurrentKey) ? FCurrentKey.Get() : FRootKey;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  bool relative = IsRelative(key);
  std::string name = StripLeading(key);
  TRegKey opened;
  LONG result;
  if (canCreate && !name.empty()) {
    DWORD disposition;
    result = RegCreateKeyExA(BaseKey(relative), name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess,
                             nullptr, opened.Receive(), &disposition);
  } else {
    result = RegOpenKeyExA(BaseKey(relative), name.empty() ? nullptr : name.c_str(), 0, FAccess, opened.Receive());
  }
  if (result != ERROR_SUCCESS) return false;
  std::string path = (relative && FCurrentKey && !FCurrentPath.empty())
                         ? (name.empty() ? FCurrentPath : FCurrentPath + "\\" + name)
                         : name;
  CloseKey();
  FCurrentKey = std::move(opened);
  FCurrentPath = path;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  REGSAM saved = FAccess;
  FAccess = KEY_READ;
  bool ok = OpenKey(key, false);
  FAccess = saved;
  return ok;
}

void TRegistry::CloseKey() {
  FCurrentKey.Close();
  FCurrentPath.clear();
}

bool TRegistry::CreateKey(const std::string& key) {
  std::string name = StripLeading(key);
  if (name.empty()) return false;
  TRegKey created;
  DWORD disposition;
  if (RegCreateKeyExA(BaseKey(IsRelative(key)), name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, created.Receive(), &disposition) != ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to create key %s", key));
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  std::string name = StripLeading(key);
  while (!name.empty() && name.back() == '\\') name.pop_back();
  if (Trim(name).empty()) return false;
  return DeleteTree(BaseKey(IsRelative(key)), name);
}

bool TRegistry::KeyExists(const std::string& key) {
  std::string name = StripLeading(key);
  TRegKey opened;
  return RegOpenKeyExA(BaseKey(IsRelative(key)), name.empty() ? nullptr : name.c_str(), 0, KEY_READ,
                       opened.Receive()) == ERROR_SUCCESS;
}

bool TRegistry::HasSubKeys() const {
  DWORD subKeys = 0;
  return FCurrentKey && RegQueryInfoKeyA(FCurrentKey.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subKeys > 0;
}

bool TRegistry::GetDataInfo(const std::string& name, TRegDataInfo& info) const {
  DWORD type = 0, size = 0;
  info = TRegDataInfo{rdUnknown, 0};
  if (RegQueryValueExA(FCurrentKey.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  switch (type) {
    case REG_SZ: info.RegData = rdString; break;
    case REG_EXPAND_SZ: info.RegData = rdExpandString; break;
    case REG_DWORD: info.RegData = rdInteger; break;
    case REG_BINARY: info.RegData = rdBinary; break;
    default: info.RegData = rdUnknown; break;
  }
  info.DataSize = static_cast<int>(size);
  return true;
}

bool TRegistry::ValueExists(const std::string& name) const {
  TRegDataInfo info;
  return GetDataInfo(name, info);
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
  TRegDataInfo info;
  GetDataInfo(name, info);
  return info.RegData;
}

int TRegistry::GetDataSize(const std::string& name) const {
  TRegDataInfo info;
  return GetDataInfo(name, info) ? info.DataSize : -1;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return RegDeleteValueA(FCurrentKey.Get(), name.c_str()) == ERROR_SUCCESS;
}

void TRegistry::GetKeyNames(TStrings& strings) const {
  strings.Clear();
  if (!FCurrentKey) return;
  for (const std::string& name : SubKeyNames(FCurrentKey.Get())) strings.Add(name);
}

void TRegistry::GetValueNames(TStrings& strings) const {
  strings.Clear();
  if (!FCurrentKey) return;
  DWORD maxLength = 0;
  if (RegQueryInfoKeyA(FCurrentKey.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxLength,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  std::vector<char> buffer(maxLength + 2);
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(buffer.size());
    if (RegEnumValueA(FCurrentKey.Get(), i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    strings.Add(std::string(buffer.data(), length));
  }
}

std::string TRegistry::ReadString(const std::string& name) const {
  DWORD type = 0, size = 0;
  HKEY key = FCurrentKey.Get();
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::string();
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException(Format("Invalid data type for '%s'", name));
  std::vector<char> buffer(size + 1, '\0');
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to get data for '%s'", name));
  std::string text(buffer.data(), size);
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

int TRegistry::ReadInteger(const std::string& name) const {
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(FCurrentKey.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
      ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to get data for '%s'", name));
  if (type != REG_DWORD) throw ERegistryException(Format("Invalid data type for '%s'", name));
  return static_cast<int>(value);
}

void TRegistry::WriteText(const std::string& name, const std::string& value, DWORD type) {
  if (RegSetValueExA(FCurrentKey.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to set data for '%s'", name));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) { WriteText(name, value, REG_SZ); }

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  WriteText(name, value, REG_EXPAND_SZ);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  DWORD data = static_cast<DWORD>(value);
  if (RegSetValueExA(FCurrentKey.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                     sizeof data) != ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to set data for '%s'", name));
}

}  // namespace fw
