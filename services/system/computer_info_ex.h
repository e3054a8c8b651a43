// The system-information component: lazily made info objects (the system folders) and a
// hidden window that turns the system's broadcast messages into events.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/core/events.h"
#include "framework/msg/messages.h"
#include "services/common/ds_component.h"
#include "services/system/system_folders.h"

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

  // Made on first use and kept; it keeps its own ReadOnly.
  TDsSystemFolders* GetFolders();
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
  std::unique_ptr<TDsSystemFolders> FFolders;
};

}  // namespace svc
