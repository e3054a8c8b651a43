// The system-information component: lazily made info objects and a hidden window that turns
// the system's broadcast messages into events.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/core/events.h"
#include "framework/msg/messages.h"
#include "services/common/ds_component.h"
#include "services/system/apm_info.h"
#include "services/system/bios_info.h"
#include "services/system/cpu_info.h"
#include "services/system/file_info.h"
#include "services/system/identification.h"
#include "services/system/key_info.h"
#include "services/system/mem_info.h"
#include "services/system/metrics_info.h"
#include "services/system/misc_info.h"
#include "services/system/os_version_info.h"
#include "services/system/screen_info.h"
#include "services/system/system_colors_info.h"
#include "services/system/system_folders.h"
#include "services/system/system_parameters_info.h"

namespace svc {

using TDsDriveChangeEvent = std::function<void(fw::TObject* Sender, char Drive)>;
using TDsSettingChangeEvent = std::function<void(fw::TObject* Sender, int Flag, const std::string& Section)>;
using TDsCompactingEvent = std::function<void(fw::TObject* Sender, int Ratio)>;
using TDsPowerBroadcastEvent = std::function<void(fw::TObject* Sender, int Event, int Data)>;
using TDsDeviceChangeEvent = std::function<void(fw::TObject* Sender, unsigned Event, void* Data)>;
using TDsDevModeChangeEvent = std::function<void(fw::TObject* Sender, const std::string& Device)>;
using TDsDisplayChangeEvent =
    std::function<void(fw::TObject* Sender, int BitsPerPixel, int ScreenWidth, int ScreenHeight)>;
using TDsSpoolerChangeEvent = std::function<void(fw::TObject* Sender, int JobStatus, int JobsLeft)>;
using TDsPaletteChangeEvent = std::function<void(fw::TObject* Sender, unsigned Wnd)>;

class TDsComputerInfoEx : public TDsComponent {
  FW_CLASS(TDsComputerInfoEx, TDsComponent)
 public:
  explicit TDsComputerInfoEx(fw::TComponent* owner);

  // Each info object is made on first use and kept. Colors, Identification, Keyboard, Misc,
  // Screen and System take the component's ReadOnly and follow it; Folders, FileInfo and
  // Metrics keep their own.
  TDsAPMInfo* GetAPM();
  TDsBIOSInfo* GetBIOS();
  TDsSystemColorsInfo* GetColors();
  TDsCPUInfo* GetCPU();
  TDsFileInfo* GetFileInfo();
  TDsSystemFolders* GetFolders();
  TDsIdentification* GetIdentification();
  TDsKeyInfo* GetKeyboard();
  TDsMemInfo* GetMemory();
  TDsMetricsInfo* GetMetrics();
  TDsMiscInfo* GetMisc();
  TDsOSVersionInfo* GetOS();
  TDsScreenInfo* GetScreen();
  TDsSystemParametersInfo* GetSystem();
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  // The hidden notification window (0 when none).
  HWND GetHandle() const { return FHandle; }

  TDsDriveChangeEvent OnDeviceAdded;
  TDsDriveChangeEvent OnDeviceRemoved;
  TDsSettingChangeEvent OnSettingChange;
  TDsCompactingEvent OnCompacting;
  TDsPowerBroadcastEvent OnPowerBroadcast;
  fw::TNotifyEvent OnUserChanged;
  TDsDeviceChangeEvent OnDeviceChange;
  TDsDevModeChangeEvent OnDeviceModeChange;
  TDsDisplayChangeEvent OnDisplayChange;
  fw::TNotifyEvent OnTimeChange;
  fw::TNotifyEvent OnFontChange;
  fw::TNotifyEvent OnSysColorChange;
  TDsSpoolerChangeEvent OnSpoolerStatusChange;
  TDsPaletteChangeEvent OnPaletteChanging;
  TDsPaletteChangeEvent OnPaletteChanged;

 protected:
  ~TDsComputerInfoEx() override;

 private:
  void WndProc(fw::TMessage& message);
  void DeviceChange(const fw::TMessage& message);

  HWND FHandle = nullptr;
  bool FReadOnly = true;
  template <class T>
  T* Made(std::unique_ptr<T>& slot, bool followsReadOnly);
  std::unique_ptr<TDsAPMInfo> FAPM;
  std::unique_ptr<TDsBIOSInfo> FBIOS;
  std::unique_ptr<TDsSystemColorsInfo> FColors;
  std::unique_ptr<TDsCPUInfo> FCPU;
  std::unique_ptr<TDsFileInfo> FFileInfo;
  std::unique_ptr<TDsSystemFolders> FFolders;
  std::unique_ptr<TDsIdentification> FIdentification;
  std::unique_ptr<TDsKeyInfo> FKeyboard;
  std::unique_ptr<TDsMemInfo> FMemory;
  std::unique_ptr<TDsMetricsInfo> FMetrics;
  std::unique_ptr<TDsMiscInfo> FMisc;
  std::unique_ptr<TDsOSVersionInfo> FOS;
  std::unique_ptr<TDsScreenInfo> FScreen;
  std::unique_ptr<TDsSystemParametersInfo> FSystem;
};

}  // namespace svc
