// Versions of installed runtimes: DirectX, OpenGL, the database engine, ADO, Internet Explorer.
#pragma once
#include <string>

#include "services/system/ds_info_base.h"

namespace svc {

class TDsAppVersions : public TDsReadOnlyInfo {
  FW_CLASS(TDsAppVersions, TDsReadOnlyInfo)
 public:
  std::string GetDirectX() const;
  // The version text of a temporary rendering context, or "GetOpenGLVersion: <reason> failed".
  std::string GetOpenGL() const;
  // The file version of the database engine found through the first key under
  // HKEY_LOCAL_MACHINE\SOFTWARE that holds "Database Engine" with "DLLPATH"; "" when none.
  std::string GetBDE() const;
  std::string GetADO() const;
  std::string GetInternetExplorer() const;
};

}  // namespace svc
