// The operating system's version, product type and product strings.
#pragma once
#include <string>

#include "services/system/ds_info_base.h"
#include "services/system/system_info_types.h"

namespace svc {

class TDsOSVersionInfo : public TDsReadOnlyInfo {
  FW_CLASS(TDsOSVersionInfo, TDsReadOnlyInfo)
 public:
  // wvUnknown for every version the enumeration does not name; the numbers below carry it.
  TWindowsVersion GetOSVersion() const;
  // From the registry's "ProductType" ("WINNT", "SERVERNT", "LANMANNT").
  TNtProductType GetProductType() const;
  std::string GetProductID() const;
  std::string GetProductName() const;
  // The service pack number from the registry's "CSDVersion" (its high byte).
  int GetServicePackVersion() const;
  int GetVersionBuild() const;
  int GetVersionMajor() const;
  int GetVersionMinor() const;
  std::string GetVersionCSDString() const;
};

// The product key: "Software\Microsoft\Windows NT\CurrentVersion" on NT, else the 9x one.
std::string ProductKey();
bool IsNtPlatform();

}  // namespace svc
