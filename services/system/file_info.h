// What the shell and the registry tell about one file: its display and type names, icon,
// program type, attribute letters and the icon its type names.
#pragma once
#include <memory>
#include <string>

#include "framework/graphics/icon.h"
#include "services/system/ds_info_base.h"
#include "services/system/system_info_types.h"

namespace svc {

class TDsFileInfo : public TDsWriteableInfo {
  FW_CLASS(TDsFileInfo, TDsWriteableInfo)
 public:
  // The file asked about; every property below asks the system about it again.
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& value) { FFileName = value; }
  // How the icon is asked for (overlays, selected or open state, shell or small size).
  TDsIconModifiers GetModifiers() const { return FModifiers; }
  void SetModifiers(TDsIconModifiers value) { FModifiers = value; }

  // The index in the system image list.
  int GetIconIndex() const;
  std::string GetDisplayName() const;
  TDsExeType GetExeType() const;
  // The attribute letters ("H", "S", "R", "C", "A"); "" when the file is not there.
  std::string GetAttrString() const;
  // The file type's "DefaultIcon" with "%1" replaced by the file name and the environment
  // expanded ("path,index"); "" when the type names none.
  std::string GetIconLocation() const;
  std::string GetTypeString() const;
  // A new icon of the file (empty when there is none).
  std::unique_ptr<fw::TIcon> GetIcon() const;

 private:
  unsigned IconFlags() const;

  std::string FFileName;
  TDsIconModifiers FModifiers;
};

}  // namespace svc
