// The run keys of the machine and of the user that start programs at logon, and TRunKey, one
// open run key read and written through the wide registry calls, so value names and data come
// and go byte for byte whatever the process's code page.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/win.h"

namespace app {

// The five run keys, in listing order.
enum TRunKeyIndex { rkRun, rkRunOnce, rkRunOnceEx, rkRunServices, rkRunServicesOnce, rkRunKeyCount };

// "Software\Microsoft\Windows\CurrentVersion\<name>\" (with the trailing backslash).
std::string RunKeyPath(int index);
// The index of a key path as RunKeyPath gives it (case ignored); -1 for any other path.
int RunKeyIndex(const std::string& path);
// "HKLM" and "HKCU" to and from their roots (any other name reads as HKEY_CURRENT_USER).
HKEY HiveOf(const std::string& hiveName);
const char* HiveName(HKEY hive);

// One registry value as it lies in its key.
struct TRunValue {
  std::wstring Name;
  DWORD Type = REG_NONE;
  std::string Data;  // the exact bytes
};

// The text of REG_SZ or REG_EXPAND_SZ data up to its first NUL, as UTF-8.
std::string RunValueText(const TRunValue& value);
bool IsStringValue(const TRunValue& value);

// The registry steps of the Startup manager and its dialog that change a key.
enum TRunKeyStep { rsOpenForWrite, rsWriteValue, rsDeleteValue };

class TRunKey {
 public:
  TRunKey(HKEY hive, const std::string& path);
  ~TRunKey();
  TRunKey(const TRunKey&) = delete;
  TRunKey& operator=(const TRunKey&) = delete;

  // Each answers ERROR_SUCCESS or the system's error code.
  LONG OpenForRead();
  // With create, a missing key is made (and Created() tells so).
  LONG OpenForWrite(bool create);
  bool Created() const { return FCreated; }
  // Every value of the key, in the registry's order.
  LONG ReadValues(std::vector<TRunValue>& values) const;
  LONG ReadValue(const std::wstring& name, TRunValue& value) const;
  bool ValueExists(const std::wstring& name) const;
  LONG WriteValue(const TRunValue& value);
  LONG DeleteValue(const std::wstring& name);
  // Removes the key when this object created it and it is empty (undoing OpenForWrite).
  void DeleteIfCreated();

 private:
  void Close();
  HKEY FHive;
  std::wstring FPath;
  HKEY FKey = nullptr;
  bool FCreated = false;
};

// The system's text for a registry error code.
std::string RegistryErrorText(LONG code);

namespace testing {
// Answers each changing registry step before it runs: a result other than ERROR_SUCCESS makes
// the step fail with that code, untried (the sandbox may write anywhere, so refusals are
// simulated). An empty function lets every step run; returns the previous one.
using TRunKeyFault = std::function<LONG(TRunKeyStep step, const std::string& path, const std::wstring& name)>;
TRunKeyFault SetRunKeyFault(TRunKeyFault fault);
}  // namespace testing

}  // namespace app
