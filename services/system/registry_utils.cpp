#include "services/system/registry_utils.h"

#include <cstring>
#include <vector>

#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"

namespace svc {
namespace {

const char* const kReadError = "Unable to open key \"%s\" for read";
const char* const kWriteError = "Unable to open key \"%s\" for write";
const char* const kValueError = "Unable to open key \"%s\" and access value \"%s\"";
const char* const kKindError = "\"%s\\%s\" is of wrong kind or size";
const char* const kRootError = "\"%s\" does not match RootKey";

struct TRootName {
  const char* Name;
  HKEY Key;
};

const TRootName kRootNames[] = {
    {"HKEY_CLASSES_ROOT\\", HKEY_CLASSES_ROOT},     {"HKEY_CURRENT_USER\\", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE\\", HKEY_LOCAL_MACHINE},   {"HKEY_USERS\\", HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA\\", HKEY_PERFORMANCE_DATA}, {"HKEY_CURRENT_CONFIG\\", HKEY_CURRENT_CONFIG},
    {"HKEY_DYN_DATA\\", HKEY_DYN_DATA},             {"HKCR\\", HKEY_CLASSES_ROOT},
    {"HKCU\\", HKEY_CURRENT_USER},                  {"HKLM\\", HKEY_LOCAL_MACHINE},
    {"HKUS\\", HKEY_USERS},                         {"HKPD\\", HKEY_PERFORMANCE_DATA},
    {"HKCC\\", HKEY_CURRENT_CONFIG},                {"HKDD\\", HKEY_DYN_DATA},
};

// Reads a value of an accepted type and at most maxSize bytes into data.
bool QueryValue(HKEY rootKey, const std::string& key, const std::string& name, uint32_t acceptedTypes,
                DWORD maxSize, std::vector<BYTE>& data, DWORD& type, bool raiseErrors) {
  fw::TRegKey opened;
  if (!RegistryOpenKey(rootKey, key, opened)) {
    if (raiseErrors) throw EUtRegistryError(fw::Format(kReadError, key));
    return false;
  }
  DWORD size = 0;
  if (RegistryQueryValue(opened.Get(), name, &type, nullptr, &size) != ERROR_SUCCESS) {
    if (raiseErrors) throw EUtRegistryError(fw::Format(kValueError, key, name));
    return false;
  }
  if ((acceptedTypes & RegTypeBit(type)) == 0 || size > maxSize) {
    if (raiseErrors) throw EUtRegistryError(fw::Format(kKindError, key, name));
    return false;
  }
  data.assign(size + sizeof(wchar_t), 0);
  if (RegistryQueryValue(opened.Get(), name, &type, data.data(), &size) != ERROR_SUCCESS) {
    if (raiseErrors) throw EUtRegistryError(fw::Format(kValueError, key, name));
    return false;
  }
  data.resize(size);
  return true;
}

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// String types arrive as UTF-16, binary data as it is; both are cut at the first NUL.
std::string DataToText(const std::vector<BYTE>& data, DWORD type) {
  if (IsTextType(type)) {
    std::wstring wide(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), data.data(), wide.size() * sizeof(wchar_t));
    return fw::WideToUtf8(wide.c_str(), static_cast<int>(wcsnlen(wide.c_str(), wide.size())));
  }
  const char* bytes = reinterpret_cast<const char*>(data.data());
  return std::string(bytes, strnlen(bytes, data.size()));
}

bool ReadNumber(HKEY rootKey, const std::string& key, const std::string& name, int64_t& value,
                bool raiseErrors) {
  const uint32_t accepted = RegTypeBit(REG_SZ) | RegTypeBit(REG_EXPAND_SZ) | RegTypeBit(REG_BINARY) |
                            RegTypeBit(REG_DWORD) | RegTypeBit(REG_QWORD);
  std::vector<BYTE> data;
  DWORD type = REG_NONE;
  if (!QueryValue(rootKey, key, name, accepted, MAXDWORD, data, type, raiseErrors)) return false;
  bool ok;
  if (IsTextType(type)) {
    ok = fw::TryStrToInt64(fw::Trim(DataToText(data, type)), value);
  } else {
    ok = data.size() <= sizeof value;
    uint64_t bits = 0;
    if (ok) std::memcpy(&bits, data.data(), data.size());
    value = static_cast<int64_t>(bits);
  }
  if (!ok && raiseErrors) throw EUtRegistryError(fw::Format(kKindError, key, name));
  return ok;
}

}  // namespace

std::string StripRootKeyName(HKEY rootKey, const std::string& key) {
  std::string path = key;
  if (!path.empty() && path[0] == '\\') path.erase(0, 1);
  for (const TRootName& root : kRootNames) {
    size_t length = std::strlen(root.Name);
    if (path.size() >= length && fw::SameText(path.substr(0, length), root.Name)) {
      if (root.Key != rootKey) throw EUtRegistryError(fw::Format(kRootError, key));
      return path.substr(length);
    }
  }
  return path;
}

bool RegistryOpenKey(HKEY rootKey, const std::string& key, fw::TRegKey& opened, REGSAM access) {
  std::wstring path = fw::Utf8ToWide(StripRootKeyName(rootKey, key));
  return RegOpenKeyExW(rootKey, path.c_str(), 0, access, opened.Receive()) == ERROR_SUCCESS;
}

LONG RegistryQueryValue(HKEY key, const std::string& name, DWORD* type, BYTE* data, DWORD* size) {
  return RegQueryValueExW(key, fw::Utf8ToWide(name).c_str(), nullptr, type, data, size);
}

bool RegistryReadData(HKEY rootKey, const std::string& key, const std::string& name, uint32_t acceptedTypes,
                      void* buffer, DWORD& size, DWORD& type, bool raiseErrors) {
  std::vector<BYTE> data;
  if (!QueryValue(rootKey, key, name, acceptedTypes, size, data, type, raiseErrors)) return false;
  if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
  size = static_cast<DWORD>(data.size());
  return true;
}

bool RegistryReadText(HKEY rootKey, const std::string& key, const std::string& name, std::string& value,
                      bool raiseErrors, bool multiSz) {
  uint32_t accepted = RegTypeBit(REG_SZ) | RegTypeBit(REG_EXPAND_SZ) | RegTypeBit(REG_BINARY);
  if (multiSz) accepted |= RegTypeBit(REG_MULTI_SZ);
  std::vector<BYTE> data;
  DWORD type = REG_NONE;
  if (!QueryValue(rootKey, key, name, accepted, MAXDWORD, data, type, raiseErrors)) return false;
  value = DataToText(data, type);
  return true;
}

std::string RegistryReadString(HKEY rootKey, const std::string& key, const std::string& name) {
  std::string value;
  RegistryReadText(rootKey, key, name, value, true);
  return value;
}

std::string ReadRegistryStringDefault(HKEY rootKey, const std::string& key, const std::string& name,
                                      const std::string& defaultValue) {
  std::string value;
  try {
    if (RegistryReadText(rootKey, key, name, value, false)) return value;
  } catch (const EUtError&) {
  }
  return defaultValue;
}

int32_t RegistryReadInteger(HKEY rootKey, const std::string& key, const std::string& name) {
  int64_t value = 0;
  ReadNumber(rootKey, key, name, value, true);
  return static_cast<int32_t>(value);
}

int32_t RegistryReadIntegerDefault(HKEY rootKey, const std::string& key, const std::string& name,
                                   int32_t defaultValue) {
  int64_t value = 0;
  return ReadNumber(rootKey, key, name, value, false) ? static_cast<int32_t>(value) : defaultValue;
}

int64_t RegistryReadInt64(HKEY rootKey, const std::string& key, const std::string& name) {
  int64_t value = 0;
  ReadNumber(rootKey, key, name, value, true);
  return value;
}

int64_t RegistryReadInt64Default(HKEY rootKey, const std::string& key, const std::string& name,
                                 int64_t defaultValue) {
  int64_t value = 0;
  return ReadNumber(rootKey, key, name, value, false) ? value : defaultValue;
}

void RegistryWriteData(HKEY rootKey, const std::string& key, const std::string& name, DWORD type,
                       const void* data, DWORD size) {
  fw::TRegKey opened;
  std::wstring path = fw::Utf8ToWide(StripRootKeyName(rootKey, key));
  if (RegCreateKeyExW(rootKey, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, opened.Receive(), nullptr) !=
          ERROR_SUCCESS ||
      RegSetValueExW(opened.Get(), fw::Utf8ToWide(name).c_str(), 0, type, static_cast<const BYTE*>(data), size) !=
          ERROR_SUCCESS)
    throw EUtRegistryError(fw::Format(kWriteError, key));
}

void RegistryWriteText(HKEY rootKey, const std::string& key, const std::string& name,
                       const std::string& value, DWORD type) {
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring wide = fw::Utf8ToWide(value);
    RegistryWriteData(rootKey, key, name, type, wide.c_str(),
                      static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  } else if (type == REG_BINARY) {
    RegistryWriteData(rootKey, key, name, type, value.c_str(), static_cast<DWORD>(value.size() + 1));
  } else {
    throw EUtRegistryError(fw::Format(kKindError, key, name));
  }
}

bool RegistryKeyExists(HKEY rootKey, const std::string& key) {
  fw::TRegKey opened;
  return RegistryOpenKey(rootKey, key, opened);
}

bool RegistryValueExists(HKEY rootKey, const std::string& key, const std::string& name, DWORD* type) {
  fw::TRegKey opened;
  if (!RegistryOpenKey(rootKey, key, opened)) return false;
  DWORD found = REG_NONE;
  if (RegistryQueryValue(opened.Get(), name, &found, nullptr, nullptr) != ERROR_SUCCESS) return false;
  if (type) *type = found;
  return true;
}

}  // namespace svc
