// TRegistry: one open key under a root key, with string and integer values, key and value
// listings, and a recursive DeleteKey that refuses an empty name. 32-bit registry view.
#pragma once
#include "framework/win.h"

#include <string>

#include "framework/core/object.h"
#include "framework/sys/owned_handle.h"

namespace fw {

class TStrings;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData;
  int DataSize;
};

class TRegistry : public TObject {
  FW_CLASS(TRegistry, TObject)
 public:
  // Root HKEY_CURRENT_USER, access KEY_ALL_ACCESS unless given. Values are read and written
  // in the open key only (with no key open, reads find nothing and writes raise).
  TRegistry();
  explicit TRegistry(REGSAM access);
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY GetRootKey() const { return FRootKey; }
  // Closes the open key.
  void SetRootKey(HKEY rootKey);
  REGSAM GetAccess() const { return FAccess; }
  void SetAccess(REGSAM access) { FAccess = access; }
  HKEY GetCurrentKey() const { return FCurrentKey.Get(); }
  const std::string& GetCurrentPath() const { return FCurrentPath; }

  // A key starting with "\" is taken from the root; otherwise from the open key, if any.
  bool OpenKey(const std::string& key, bool canCreate);
  // Opens with KEY_READ; Access is unchanged afterwards.
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool CreateKey(const std::string& key);
  // Deletes the key with all its subkeys. An empty name (or only "\") is refused: false.
  bool DeleteKey(const std::string& key);
  bool KeyExists(const std::string& key);
  bool HasSubKeys() const;

  bool ValueExists(const std::string& name) const;
  bool DeleteValue(const std::string& name);
  // The lists are cleared first.
  void GetKeyNames(TStrings& strings) const;
  void GetValueNames(TStrings& strings) const;
  TRegDataType GetDataType(const std::string& name) const;
  bool GetDataInfo(const std::string& name, TRegDataInfo& info) const;
  // -1 when the value is missing.
  int GetDataSize(const std::string& name) const;

  // REG_SZ or REG_EXPAND_SZ; a missing value reads ""; another type raises ERegistryException
  // "Invalid data type for '<name>'".
  std::string ReadString(const std::string& name) const;
  // REG_DWORD; raises ERegistryException when missing or of another type.
  int ReadInteger(const std::string& name) const;
  bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
  // Raise ERegistryException "Failed to set data for '<name>'" when the write fails.
  void WriteString(const std::string& name, const std::string& value);
  void WriteExpandString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int value);
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

 private:
  HKEY BaseKey(bool relative) const;
  void WriteText(const std::string& name, const std::string& value, DWORD type);

  HKEY FRootKey = HKEY_CURRENT_USER;
  TRegKey FCurrentKey;
  REGSAM FAccess;
  std::string FCurrentPath;
};

}  // namespace fw
