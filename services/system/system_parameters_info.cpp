#include "services/system/system_parameters_info.h"

#include <map>

#include "framework/win.h"

namespace svc {
namespace {

// Where the platform takes the value a parameter is set to.
enum TValuePlace {
  vpUiParam,     // the second argument
  vpPvValue,     // the third argument, the value itself
  vpPvPointer,   // the third argument, a pointer to the value
};

struct TParameterPair {
  int Set;
  int Get;
  TValuePlace Place;
};

const TParameterPair kPairs[] = {
    {2, 1, vpUiParam},          {37, 38, vpUiParam},        {75, 74, vpUiParam},        {26, 25, vpUiParam},
    {69, 68, vpUiParam},        {85, 83, vpUiParam},        {28, 27, vpUiParam},        {86, 84, vpUiParam},
    {71, 70, vpUiParam},        {17, 16, vpUiParam},        {57, 56, vpUiParam},        {96, 95, vpUiParam},
    {111, 110, vpUiParam},      {4127, 4126, vpPvValue},    {4125, 4124, vpPvValue},    {4129, 4128, vpPvValue},
    {4133, 4132, vpPvValue},    {4131, 4130, vpPvValue},    {4097, 4096, vpPvValue},    {4099, 4098, vpPvValue},
    {4101, 4100, vpPvValue},    {4103, 4102, vpPvValue},    {4105, 4104, vpPvValue},    {4107, 4106, vpPvValue},
    {4109, 4108, vpPvValue},    {4111, 4110, vpPvValue},    {4115, 4114, vpPvValue},    {4117, 4116, vpPvValue},
    {4119, 4118, vpPvValue},    {4121, 4120, vpPvValue},    {4123, 4122, vpPvValue},    {4159, 4158, vpPvValue},
    {6, 5, vpUiParam},          {90, 89, vpPvPointer},      {19, 18, vpUiParam},        {23, 22, vpUiParam},
    {11, 10, vpUiParam},        {81, 79, vpUiParam},        {113, 112, vpPvValue},      {101, 100, vpUiParam},
    {103, 102, vpUiParam},      {99, 98, vpUiParam},        {93, 94, vpUiParam},        {82, 80, vpUiParam},
    {15, 14, vpUiParam},        {105, 104, vpUiParam},      {8209, 8208, vpPvValue},    {8207, 8206, vpPvValue},
    {8201, 8200, vpUiParam},    {8205, 8204, vpPvValue},    {107, 106, vpUiParam},      {8193, 8192, vpPvValue},
    {8195, 8194, vpPvValue},    {8197, 8196, vpPvValue},    {8199, 8198, vpPvValue},
};

const std::map<int, const TParameterPair*>& PairsByGet() {
  static const std::map<int, const TParameterPair*> pairs = [] {
    std::map<int, const TParameterPair*> byGet;
    for (const TParameterPair& pair : kPairs) byGet[pair.Get] = &pair;
    return byGet;
  }();
  return pairs;
}

const UINT kUpdateAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

}  // namespace

int ParameterSetNumber(int getNumber) {
  const auto found = PairsByGet().find(getNumber);
  return found == PairsByGet().end() ? -1 : found->second->Set;
}

TDsSystemParametersInfo::TDsSystemParametersInfo()
    : FAccessTimeOut(std::make_unique<TDsAccessTimeOut>(this)),
      FFilterKeys(std::make_unique<TDsFilterKeys>(this)),
      FHighContrast(std::make_unique<TDsHighContrast>(this)),
      FIconMetrics(std::make_unique<TDsIconMetrics>(this)),
      FMinimizedMetrics(std::make_unique<TDsMinimizedMetrics>(this)),
      FMouseKeys(std::make_unique<TDsMouseKeys>(this)),
      FNonClientMetrics(std::make_unique<TDsNonClientMetrics>(this)),
      FSerialKeys(std::make_unique<TDsSerialKeys>(this)),
      FSoundSentry(std::make_unique<TDsSoundSentry>(this)) {}

TDsSystemParametersInfo::~TDsSystemParametersInfo() = default;

bool TDsSystemParametersInfo::GetBoolParameter(int index) const { return GetIntParameter(index) != 0; }

int TDsSystemParametersInfo::GetIntParameter(int index) const {
  int value = 0;
  return SystemParametersInfoA(index, 0, &value, 0) ? value : 0;
}

void TDsSystemParametersInfo::SetIntParameter(int index, int value) {
  if (!CanWrite() || index == SPI_GETSCREENSAVERRUNNING) return;
  const auto found = PairsByGet().find(index);
  if (found == PairsByGet().end()) return;
  const TParameterPair& pair = *found->second;
  HKL layout = reinterpret_cast<HKL>(static_cast<intptr_t>(value));
  switch (pair.Place) {
    case vpUiParam:
      SystemParametersInfoA(pair.Set, static_cast<UINT>(value), nullptr, kUpdateAndBroadcast);
      break;
    case vpPvValue:
      SystemParametersInfoA(pair.Set, 0, reinterpret_cast<void*>(static_cast<intptr_t>(value)), kUpdateAndBroadcast);
      break;
    case vpPvPointer:
      SystemParametersInfoA(pair.Set, 0, &layout, kUpdateAndBroadcast);
      break;
  }
}

bool TDsSystemParametersInfo::GetAnimation() const {
  ANIMATIONINFO info{sizeof(ANIMATIONINFO), 0};
  return SystemParametersInfoA(SPI_GETANIMATION, sizeof info, &info, 0) && info.iMinAnimate != 0;
}

TDsFontSmoothingType TDsSystemParametersInfo::GetFontSmoothingType() const {
  const int type = GetIntParameter(0x200A /* SPI_GETFONTSMOOTHINGTYPE */);
  if (type & 0x8000) return fstDocking;
  return type == 2 ? fstClearType : fstStandard;
}

std::unique_ptr<fw::TFont> TDsSystemParametersInfo::GetIconTitleFont() const {
  LOGFONTA logFont{};
  SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof logFont, &logFont, 0);
  return LogFontToFont(logFont);
}

std::string TDsSystemParametersInfo::GetKeyboardLayoutName() const {
  char name[KL_NAMELENGTH] = {};
  return ::GetKeyboardLayoutNameA(name) ? name : "";
}

int TDsSystemParametersInfo::GetMouseThreshold1() const {
  int mouse[3] = {};
  return SystemParametersInfoA(SPI_GETMOUSE, 0, mouse, 0) ? mouse[0] : 0;
}

int TDsSystemParametersInfo::GetMouseThreshold2() const {
  int mouse[3] = {};
  return SystemParametersInfoA(SPI_GETMOUSE, 0, mouse, 0) ? mouse[1] : 0;
}

int TDsSystemParametersInfo::GetIconHorizontalSpacing() const { return GetIntParameter(SPI_ICONHORIZONTALSPACING); }
int TDsSystemParametersInfo::GetIconVerticalSpacing() const { return GetIntParameter(SPI_ICONVERTICALSPACING); }

std::unique_ptr<TDsRect> TDsSystemParametersInfo::GetWorkArea() const {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  auto rect = std::make_unique<TDsRect>();
  rect->SetLeft(area.left);
  rect->SetTop(area.top);
  rect->SetRight(area.right);
  rect->SetBottom(area.bottom);
  return rect;
}

std::string TDsSystemParametersInfo::GetDeskWallpaper() const {
  char path[MAX_PATH + 1] = {};
  return SystemParametersInfoA(0x73 /* SPI_GETDESKWALLPAPER */, MAX_PATH, path, 0) ? path : "";
}

void TDsSystemParametersInfo::SetDeskWallpaper(const std::string& value) {
  if (!CanWrite()) return;
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(value.c_str()), kUpdateAndBroadcast);
}

}  // namespace svc
