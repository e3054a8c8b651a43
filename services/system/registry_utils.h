// Typed registry access by root handle, key path and value name. Key paths may begin with a
// root name ("HKEY_CURRENT_USER\..." or "HKCU\..."), which must match the root handle given.
// Routines with a raiseErrors flag raise EUtRegistryError instead of answering false.
#pragma once
#include <cstdint>
#include <string>

#include "framework/sys/owned_handle.h"
#include "framework/win.h"
#include "services/search/wildcard_match.h"

namespace svc {

FW_EXCEPTION(EUtRegistryError, EUtError)

// A set of registry value types (REG_NONE .. 15) as bits.
constexpr uint32_t RegTypeBit(DWORD type) { return type < 16 ? (1u << type) : 0u; }

// Skips one leading backslash and a root name; raises EUtRegistryError
// "\"<key>\" does not match RootKey" when the named root is not rootKey.
std::string StripRootKeyName(HKEY rootKey, const std::string& key);

// Opens the key (after StripRootKeyName) into opened, which closes it.
bool RegistryOpenKey(HKEY rootKey, const std::string& key, fw::TRegKey& opened, REGSAM access = KEY_READ);
// RegQueryValueEx on an open key; string data comes back as UTF-16.
LONG RegistryQueryValue(HKEY key, const std::string& name, DWORD* type, BYTE* data, DWORD* size);

// Reads a value whose type is in acceptedTypes (RegTypeBit set) and whose size is at most size;
// answers the size read in size and the type in type.
bool RegistryReadData(HKEY rootKey, const std::string& key, const std::string& name,
                      uint32_t acceptedTypes, void* buffer, DWORD& size, DWORD& type, bool raiseErrors);

// A string value (REG_SZ, REG_EXPAND_SZ, REG_BINARY, and REG_MULTI_SZ when multiSz) cut at its
// first NUL.
bool RegistryReadText(HKEY rootKey, const std::string& key, const std::string& name, std::string& value,
                      bool raiseErrors, bool multiSz = false);
std::string RegistryReadString(HKEY rootKey, const std::string& key, const std::string& name);
// Never raises: the value's text or defaultValue.
std::string ReadRegistryStringDefault(HKEY rootKey, const std::string& key, const std::string& name,
                                      const std::string& defaultValue);

// Numbers: REG_SZ and REG_EXPAND_SZ values are converted from their text, other values are read
// as REG_BINARY, REG_DWORD or REG_QWORD data of at most 8 bytes.
int32_t RegistryReadInteger(HKEY rootKey, const std::string& key, const std::string& name);
int32_t RegistryReadIntegerDefault(HKEY rootKey, const std::string& key, const std::string& name,
                                   int32_t defaultValue);
int64_t RegistryReadInt64(HKEY rootKey, const std::string& key, const std::string& name);
int64_t RegistryReadInt64Default(HKEY rootKey, const std::string& key, const std::string& name,
                                 int64_t defaultValue);

// Creates the key when missing and sets the value; failure raises "Unable to open key ... for write".
void RegistryWriteData(HKEY rootKey, const std::string& key, const std::string& name, DWORD type,
                       const void* data, DWORD size);
// REG_SZ, REG_EXPAND_SZ or REG_BINARY text with its terminating NUL; other types raise.
void RegistryWriteText(HKEY rootKey, const std::string& key, const std::string& name,
                       const std::string& value, DWORD type = REG_SZ);

bool RegistryKeyExists(HKEY rootKey, const std::string& key);
// True when the value can be queried; its type goes to *type when given.
bool RegistryValueExists(HKEY rootKey, const std::string& key, const std::string& name,
                         DWORD* type = nullptr);

}  // namespace svc
