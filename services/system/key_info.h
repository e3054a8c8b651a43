// The lock keys of the calling thread's keyboard state.
#pragma once
#include "services/system/ds_info_base.h"

namespace svc {

class TDsKeyInfo : public TDsWriteableInfo {
  FW_CLASS(TDsKeyInfo, TDsWriteableInfo)
 public:
  bool GetNumLock() const { return Toggled(0x90); }
  void SetNumLock(bool value) { SetToggled(0x90, value); }
  bool GetScrollLock() const { return Toggled(0x91); }
  void SetScrollLock(bool value) { SetToggled(0x91, value); }
  bool GetCapsLock() const { return Toggled(0x14); }
  void SetCapsLock(bool value) { SetToggled(0x14, value); }

 private:
  static bool Toggled(int key);
  void SetToggled(int key, bool value);
};

}  // namespace svc
