#include "services/system/computer_info_ex.h"

#include <dbt.h>

#include <initializer_list>
#include <type_traits>

#include "services/system/util_window.h"

namespace svc {
namespace {

std::string TextAt(LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  return text ? std::string(text) : std::string();
}

}  // namespace

TDsComputerInfoEx::TDsComputerInfoEx(fw::TComponent* owner) : TDsComponent(owner) {
  DesignMode = GetComponentState().Contains(fw::csDesigning);
  if (!DesignMode) FHandle = AllocateUtilWindow("", [this](fw::TMessage& message) { WndProc(message); });
}

TDsComputerInfoEx::~TDsComputerInfoEx() {
  FAPM.reset();
  FBIOS.reset();
  FColors.reset();
  FCPU.reset();
  FIdentification.reset();
  FKeyboard.reset();
  FMemory.reset();
  FMisc.reset();
  FOS.reset();
  FScreen.reset();
  FMetrics.reset();
  FSystem.reset();
  FFileInfo.reset();
  FFolders.reset();
  // Only a component made outside a designer has a window.
  DeallocateUtilWindow(FHandle);
  FHandle = nullptr;
}

template <class T>
T* TDsComputerInfoEx::Made(std::unique_ptr<T>& slot, bool followsReadOnly) {
  if (!slot) {
    slot = std::make_unique<T>();
    if constexpr (std::is_base_of_v<TDsWriteableInfo, T>)
      if (followsReadOnly) slot->SetReadOnly(FReadOnly);
  }
  return slot.get();
}

TDsAPMInfo* TDsComputerInfoEx::GetAPM() { return Made(FAPM, false); }
TDsBIOSInfo* TDsComputerInfoEx::GetBIOS() { return Made(FBIOS, false); }
TDsSystemColorsInfo* TDsComputerInfoEx::GetColors() { return Made(FColors, true); }
TDsCPUInfo* TDsComputerInfoEx::GetCPU() { return Made(FCPU, false); }
TDsFileInfo* TDsComputerInfoEx::GetFileInfo() { return Made(FFileInfo, false); }
TDsSystemFolders* TDsComputerInfoEx::GetFolders() { return Made(FFolders, false); }
TDsIdentification* TDsComputerInfoEx::GetIdentification() { return Made(FIdentification, true); }
TDsKeyInfo* TDsComputerInfoEx::GetKeyboard() { return Made(FKeyboard, true); }
TDsMemInfo* TDsComputerInfoEx::GetMemory() { return Made(FMemory, false); }
TDsMetricsInfo* TDsComputerInfoEx::GetMetrics() { return Made(FMetrics, false); }
TDsMiscInfo* TDsComputerInfoEx::GetMisc() { return Made(FMisc, true); }
TDsOSVersionInfo* TDsComputerInfoEx::GetOS() { return Made(FOS, false); }
TDsScreenInfo* TDsComputerInfoEx::GetScreen() { return Made(FScreen, true); }
TDsSystemParametersInfo* TDsComputerInfoEx::GetSystem() { return Made(FSystem, true); }

void TDsComputerInfoEx::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  for (TDsWriteableInfo* info : std::initializer_list<TDsWriteableInfo*>{
           FColors.get(), FIdentification.get(), FKeyboard.get(), FMisc.get(), FScreen.get(), FSystem.get()})
    if (info) info->SetReadOnly(value);
}

void TDsComputerInfoEx::DeviceChange(const fw::TMessage& message) {
  if (message.WParam != DBT_DEVICEARRIVAL && message.WParam != DBT_DEVICEREMOVECOMPLETE) {
    if (OnDeviceChange)
      OnDeviceChange(this, static_cast<unsigned>(message.WParam), reinterpret_cast<void*>(message.LParam));
    return;
  }
  auto header = reinterpret_cast<const DEV_BROADCAST_HDR*>(message.LParam);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME) return;
  auto volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
  if ((volume->dbcv_flags & DBTF_MEDIA) == 0 || volume->dbcv_unitmask == 0) return;
  char drive = 'A';
  for (DWORD mask = volume->dbcv_unitmask; (mask & 1) == 0; mask >>= 1) ++drive;
  const TDsDriveChangeEvent& event = message.WParam == DBT_DEVICEARRIVAL ? OnDeviceAdded : OnDeviceRemoved;
  if (event) event(this, drive);
}

void TDsComputerInfoEx::WndProc(fw::TMessage& message) {
  const WPARAM w = message.WParam;
  const LPARAM l = message.LParam;
  switch (message.Msg) {
    case WM_DEVICECHANGE:
      DeviceChange(message);
      break;
    case WM_SETTINGCHANGE:
      if (OnSettingChange) OnSettingChange(this, static_cast<int>(w), TextAt(l));
      break;
    case WM_COMPACTING:
      if (OnCompacting) OnCompacting(this, static_cast<int>(w));
      break;
    case WM_POWERBROADCAST:
    case WM_POWER:
      if (OnPowerBroadcast) OnPowerBroadcast(this, static_cast<int>(w), static_cast<int>(l));
      break;
    case WM_USERCHANGED:
      if (OnUserChanged) OnUserChanged(this);
      break;
    case WM_DEVMODECHANGE:
      if (OnDeviceModeChange) OnDeviceModeChange(this, TextAt(l));
      break;
    case WM_DISPLAYCHANGE:
      if (OnDisplayChange) OnDisplayChange(this, static_cast<int>(w), LOWORD(l), HIWORD(l));
      break;
    case WM_TIMECHANGE:
      if (OnTimeChange) OnTimeChange(this);
      break;
    case WM_FONTCHANGE:
      if (OnFontChange) OnFontChange(this);
      break;
    case WM_SYSCOLORCHANGE:
      if (OnSysColorChange) OnSysColorChange(this);
      break;
    case WM_SPOOLERSTATUS:
      if (OnSpoolerStatusChange) OnSpoolerStatusChange(this, static_cast<int>(w), LOWORD(l));
      break;
    case WM_PALETTEISCHANGING:
      if (OnPaletteChanging) OnPaletteChanging(this, static_cast<unsigned>(w));
      break;
    case WM_PALETTECHANGED:
      if (OnPaletteChanged) OnPaletteChanged(this, static_cast<unsigned>(w));
      break;
  }
  message.Result = DefWindowProcA(FHandle, message.Msg, w, l);
}

}  // namespace svc
