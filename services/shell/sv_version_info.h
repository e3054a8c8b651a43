// TSvVersionInfo: reads a file's version resource (the fixed versions, the operating-system
// word, the FileVersion and ProductVersion strings as text and as numbers, or one named string).
#pragma once
#include <cstdint>
#include <string>

#include "framework/core/object.h"
#include "framework/win.h"

namespace svc {

// A version text as a number: a plain number as it stands ("4.71"), a dotted version by its
// first two parts ("4.72.3110.0" -> 4.72, "10.0.19041.1" -> 10.0). A dotted text whose second
// dot stands at the seventh character or later ("100000.1.2"), or that has none, gives 0.
// The decimal point is always ".", whatever the locale says.
double SvVersionTextToFloat(const std::string& text);

class TSvCustomVersionInfo : public fw::TObject {
  FW_CLASS(TSvCustomVersionInfo, fw::TObject)
 public:
  // Selects the running program's own file.
  TSvCustomVersionInfo();

  const std::string& GetFileName() const { return FFileName; }
  // A missing file raises ESvVersionInfoError 73 ("Error opening file"); another name than
  // the current one clears Loaded; "" selects the running program.
  void SetFileName(const std::string& fileName);
  bool GetLoaded() const { return FLoaded; }

  // Reads the resource. With a key: value is that string of the first translation (a missing
  // key raises 134 with value emptied). Without: the fixed part and the FileVersion and
  // ProductVersion strings are read into the fields. No resource raises 100, an unreadable
  // one 101.
  void LoadVersionInfo(const std::string& key, std::string& value);
  // Reads the resource first when not Loaded.
  double GetFileVersionFloat();

  DWORD GetFileVersionMS() const { return FFileVersionMS; }
  DWORD GetFileVersionLS() const { return FFileVersionLS; }
  DWORD GetFileOS() const { return FFileOS; }
  const std::string& GetFileVersion() const { return FFileVersion; }
  DWORD GetProductVersionMS() const { return FProductVersionMS; }
  DWORD GetProductVersionLS() const { return FProductVersionLS; }
  const std::string& GetProductVersion() const { return FProductVersion; }
  double GetProductVersionFloat() const { return FProductVersionFloat; }

 protected:
  ~TSvCustomVersionInfo() override = default;

 private:
  // The string key of the block under the first translation; false when absent or empty.
  static bool QueryString(const void* block, const std::string& prefix, const std::string& key,
                          std::string& value);

  DWORD FFileVersionMS = 0;
  DWORD FFileVersionLS = 0;
  std::string FFileName;
  DWORD FFileOS = 0;
  std::string FFileVersion;
  double FFileVersionFloat = 0;
  DWORD FProductVersionMS = 0;
  DWORD FProductVersionLS = 0;
  std::string FProductVersion;
  double FProductVersionFloat = 0;
  bool FLoaded = false;
};

class TSvVersionInfo : public TSvCustomVersionInfo {
  FW_CLASS(TSvVersionInfo, TSvCustomVersionInfo)
 public:
  TSvVersionInfo() = default;

 protected:
  ~TSvVersionInfo() override = default;
};

}  // namespace svc
