#include "services/shell/sv_version_info.h"

#include <cmath>
#include <limits>
#include <vector>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_path.h"
#include "framework/rtl/sys_utils.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

constexpr uint32_t kErrOpenFile = 73;
constexpr uint32_t kErrNoVersionInfo = 100;
constexpr uint32_t kErrReadVersionInfo = 101;
constexpr uint32_t kErrNoKey = 134;

// The text before the second dot, when that dot stands before the seventh character; else "0".
std::string DottedNumberText(const std::string& text) {
  int dots = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '.') continue;
    if (++dots == 2) return i < 6 ? text.substr(0, i) : "0";
  }
  return "0";
}

bool Query(const void* block, const std::string& path, void*& data, UINT& length) {
  std::string sub = path;  // VerQueryValueA takes a writable name
  data = nullptr;
  length = 0;
  return VerQueryValueA(block, sub.data(), &data, &length) && data;
}

}  // namespace

double SvVersionTextToFloat(const std::string& text) {
  const double notANumber = std::numeric_limits<double>::quiet_NaN();
  double value = fw::StrToFloatDotDef(text, notANumber);
  if (std::isnan(value)) value = fw::StrToFloatDotDef(DottedNumberText(text), 0);
  return value;
}

TSvCustomVersionInfo::TSvCustomVersionInfo() { SetFileName(""); }

void TSvCustomVersionInfo::SetFileName(const std::string& fileName) {
  std::string name = fileName;
  if (name.empty()) {
    name = fw::ModuleFileName(nullptr);
  } else if (!fw::FileExists(name)) {
    RaiseSsError<ESvVersionInfoError>(kErrOpenFile);
  }
  if (name != FFileName) FLoaded = false;
  FFileName = name;
}

bool TSvCustomVersionInfo::QueryString(const void* block, const std::string& prefix, const std::string& key,
                                       std::string& value) {
  void* data;
  UINT length;
  value.clear();
  if (!Query(block, prefix + key, data, length) || length == 0) return false;
  value = static_cast<const char*>(data);
  return !value.empty();
}

void TSvCustomVersionInfo::LoadVersionInfo(const std::string& key, std::string& value) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(FFileName.c_str(), &handle);
  if (size == 0) {
    DWORD error = GetLastError();
    // Systems answer 1813 (no such resource type) or 1812 (no resource section) for a file
    // without a version block.
    if (error == ERROR_RESOURCE_TYPE_NOT_FOUND || error == ERROR_RESOURCE_DATA_NOT_FOUND)
      RaiseSsError<ESvVersionInfoError>(kErrNoVersionInfo);
    RaiseSsError<ESvVersionInfoError>(kErrReadVersionInfo);
  }
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(FFileName.c_str(), 0, size, block.data()))
    RaiseSsError<ESvVersionInfoError>(kErrReadVersionInfo);
  FLoaded = true;

  void* data;
  UINT length;
  if (!Query(block.data(), "\\VarFileInfo\\Translation", data, length) || length < 4)
    RaiseSsError<ESvVersionInfoError>(kErrReadVersionInfo);
  const WORD* translation = static_cast<const WORD*>(data);
  std::string prefix = fw::Format("\\StringFileInfo\\%.4x%.4x\\", translation[0], translation[1]);

  if (!key.empty()) {
    if (!QueryString(block.data(), prefix, key, value)) {
      value.clear();
      RaiseSsError<ESvVersionInfoError>(kErrNoKey);
    }
    return;
  }

  if (!Query(block.data(), "\\", data, length) || length < sizeof(VS_FIXEDFILEINFO))
    RaiseSsError<ESvVersionInfoError>(kErrReadVersionInfo);
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
  FFileVersionMS = fixed->dwFileVersionMS;
  FFileVersionLS = fixed->dwFileVersionLS;
  FProductVersionMS = fixed->dwProductVersionMS;
  FProductVersionLS = fixed->dwProductVersionLS;
  FFileOS = fixed->dwFileOS;
  FFileVersionFloat = QueryString(block.data(), prefix, "FileVersion", FFileVersion)
                          ? SvVersionTextToFloat(FFileVersion)
                          : 0;
  FProductVersionFloat = QueryString(block.data(), prefix, "ProductVersion", FProductVersion)
                             ? SvVersionTextToFloat(FProductVersion)
                             : 0;
}

double TSvCustomVersionInfo::GetFileVersionFloat() {
  if (!FLoaded) {
    std::string unused;
    LoadVersionInfo("", unused);
  }
  return FFileVersionFloat;
}

}  // namespace svc
