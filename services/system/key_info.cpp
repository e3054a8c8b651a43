#include "services/system/key_info.h"

#include "framework/win.h"

namespace svc {

bool TDsKeyInfo::Toggled(int key) {
  BYTE state[256] = {};
  return GetKeyboardState(state) && (state[key] & 1) != 0;
}

void TDsKeyInfo::SetToggled(int key, bool value) {
  if (!CanWrite()) return;
  BYTE state[256] = {};
  if (!GetKeyboardState(state)) return;
  state[key] = static_cast<BYTE>(value ? state[key] | 1 : state[key] & ~1);
  SetKeyboardState(state);
}

}  // namespace svc
