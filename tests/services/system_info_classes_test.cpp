// The system-information objects: one object per getter and the read-only rule, the tables of
// metrics, colours and parameters against the platform, the round trips of the writes, the
// pure rules (clock rounding, arrangement, parameter pairs, fonts) and what Wine reports.
#include <gtest/gtest.h>

#include "framework/win.h"

#include <cpuid.h>

#include <string>
#include <vector>

#include "framework/rtl/file_utils.h"
#include "services/system/computer_info_ex.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

using namespace svc;

namespace {

class SystemInfoClasses : public testing_gui::SeamTest {
 protected:
  void SetUp() override { info = fw::New<TDsComputerInfoEx>(nullptr); }
  void TearDown() override { fw::Free(info); }
  TDsComputerInfoEx* info = nullptr;
};

bool ParameterBool(int number) {
  BOOL value = FALSE;
  return SystemParametersInfoA(number, 0, &value, 0) && value != 0;
}

int ParameterInt(int number) {
  int value = 0;
  return SystemParametersInfoA(number, 0, &value, 0) ? value : 0;
}

bool NumLockToggled() {
  BYTE state[256] = {};
  GetKeyboardState(state);
  return (state[VK_NUMLOCK] & 1) != 0;
}

std::vector<fw::TObject*> InfoObjects(TDsComputerInfoEx* info) {
  return {info->GetAPM(),      info->GetBIOS(),    info->GetColors(),         info->GetCPU(),
          info->GetFileInfo(), info->GetFolders(), info->GetIdentification(), info->GetKeyboard(),
          info->GetMemory(),   info->GetMetrics(), info->GetMisc(),           info->GetOS(),
          info->GetScreen(),   info->GetSystem()};
}

// The six objects that follow the component's ReadOnly, and the three that keep their own.
std::vector<TDsWriteableInfo*> Following(TDsComputerInfoEx* info) {
  return {info->GetColors(), info->GetIdentification(), info->GetKeyboard(),
          info->GetMisc(),   info->GetScreen(),         info->GetSystem()};
}
std::vector<TDsWriteableInfo*> OwnReadOnly(TDsComputerInfoEx* info) {
  return {info->GetFolders(), info->GetFileInfo(), info->GetMetrics()};
}

}  // namespace

TEST_F(SystemInfoClasses, EachGetterGivesOneObjectAndReadOnlyReachesItsSix) {
  const std::vector<fw::TObject*> first = InfoObjects(info);
  for (fw::TObject* object : first) EXPECT_NE(object, nullptr);
  for (int round = 0; round < 3; ++round) EXPECT_EQ(InfoObjects(info), first);

  // Made before the change: the six follow it, the three keep their own.
  EXPECT_TRUE(info->GetReadOnly());
  for (TDsWriteableInfo* object : Following(info)) EXPECT_TRUE(object->GetReadOnly());
  info->SetReadOnly(false);
  for (TDsWriteableInfo* object : Following(info)) EXPECT_FALSE(object->GetReadOnly());
  for (TDsWriteableInfo* object : OwnReadOnly(info)) EXPECT_TRUE(object->GetReadOnly());
  info->SetReadOnly(true);
  for (TDsWriteableInfo* object : Following(info)) EXPECT_TRUE(object->GetReadOnly());

  // Made after it: the six take it.
  TDsComputerInfoEx* writable = fw::New<TDsComputerInfoEx>(nullptr);
  writable->SetReadOnly(false);
  for (TDsWriteableInfo* object : Following(writable)) EXPECT_FALSE(object->GetReadOnly());
  for (TDsWriteableInfo* object : OwnReadOnly(writable)) EXPECT_TRUE(object->GetReadOnly());
  fw::Free(writable);
}

TEST_F(SystemInfoClasses, WritesThroughReadOnlyObjectsRaiseAndChangeNothing) {
  const DWORD window = GetSysColor(COLOR_WINDOW);
  EXPECT_THROW(info->GetColors()->SetColorWindow(static_cast<int>(window ^ 0xFF)), EDsComputerInfoEx);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), window);

  const bool beep = ParameterBool(SPI_GETBEEP);
  try {
    info->GetSystem()->SetBeep(!beep);
    ADD_FAILURE() << "a read-only write went through";
  } catch (const EDsComputerInfoEx& e) {
    EXPECT_STREQ(e.what(), "This value is read-only and cannot be changed.");
  }
  EXPECT_EQ(ParameterBool(SPI_GETBEEP), beep);

  const bool numLock = NumLockToggled();
  EXPECT_THROW(info->GetKeyboard()->SetNumLock(!numLock), EDsComputerInfoEx);
  EXPECT_EQ(NumLockToggled(), numLock);
}

TEST_F(SystemInfoClasses, EveryMetricIsTheSystemMetricOfItsNumber) {
  struct TRow {
    int (TDsMetricsInfo::*Get)() const;
    int Number;
    const char* Name;
  };
#define ROW(name, number) {&TDsMetricsInfo::Get##name, number, #name}
  const TRow rows[] = {
      ROW(MouseButtons, 43), ROW(BorderWidth, 5), ROW(BorderHeight, 6), ROW(CursorWidth, 13), ROW(CursorHeight, 14),
      ROW(DialogFrameWidth, 7), ROW(DialogFrameHeight, 8), ROW(DoubleClickWidth, 36), ROW(DoubleClickHeight, 37),
      ROW(DragWidth, 68), ROW(DragHeight, 69), ROW(EdgeWidth, 45), ROW(EdgeHeight, 46), ROW(FixedFrameWidth, 7),
      ROW(FixedFrameHeight, 8), ROW(FrameWidth, 32), ROW(FrameHeight, 33), ROW(ScreenClientWidth, 16),
      ROW(ScreenClientHeight, 17), ROW(ScreenWidth, 0), ROW(ScreenHeight, 1), ROW(ScrollArrowWidth, 21),
      ROW(ScrollArrowHeight, 3), ROW(ScrollThumbWidth, 10), ROW(ScrollThumbHeight, 9), ROW(ScrollWidth, 2),
      ROW(ScrollHeight, 20), ROW(IconWidth, 11), ROW(IconHeight, 12), ROW(SmallIconWidth, 49), ROW(SmallIconHeight, 50),
      ROW(IconSpacingWidth, 38), ROW(IconSpacingHeight, 39), ROW(MaximizedWindowWidth, 61),
      ROW(MaximizedWindowHeight, 62), ROW(MinimizedWindowWidth, 57), ROW(MinimizedWindowHeight, 58),
      ROW(MaxDragWindowWidth, 59), ROW(MaxDragWindowHeight, 60), ROW(MinDragWindowWidth, 34),
      ROW(MinDragWindowHeight, 35), ROW(MinWindowWidth, 28), ROW(MinWindowHeight, 29), ROW(MenuCheckWidth, 71),
      ROW(MenuCheckHeight, 72), ROW(MenuButtonWidth, 54), ROW(MenuButtonHeight, 55),
      ROW(MinimizedWindowSpacingWidth, 47), ROW(MinimizedWindowSpacingHeight, 48), ROW(CaptionButtonWidth, 30),
      ROW(CaptionButtonheight, 31), ROW(ResizeBorderWidth, 32), ROW(ResizeBorderHeight, 33),
      ROW(SmallCaptionButtonWidth, 52), ROW(SmallCaptionButtonHeight, 53), ROW(WindowCaptionHeight, 4),
      ROW(SmallWindowCaptionHeight, 51), ROW(KanjiWindowHeight, 18), ROW(MenuItemHeight, 15),
  };
#undef ROW
  TDsMetricsInfo* metrics = info->GetMetrics();
  for (const TRow& row : rows) EXPECT_EQ((metrics->*row.Get)(), GetSystemMetrics(row.Number)) << row.Name;

  struct TBoolRow {
    bool (TDsMetricsInfo::*Get)() const;
    int Number;
    const char* Name;
  };
#define ROW(name, number) {&TDsMetricsInfo::Get##name, number, #name}
  const TBoolRow flags[] = {
      ROW(DBCSEnabled, 42), ROW(Debug, 22),        ROW(MenuRightAligned, 40), ROW(MidEastEnabled, 74),
      ROW(MousePresent, 19), ROW(MouseWheelPresent, 75), ROW(Networked, 63), ROW(PenWindows, 41),
      ROW(Secure, 44),      ROW(ShowSounds, 70),   ROW(SlowMachine, 73),      ROW(MouseButtonsSwapped, 23),
  };
#undef ROW
  for (const TBoolRow& row : flags) EXPECT_EQ((metrics->*row.Get)(), GetSystemMetrics(row.Number) != 0) << row.Name;
  EXPECT_EQ(metrics->GetArrange(), ArrangeFromValue(GetSystemMetrics(SM_ARRANGE)));
  EXPECT_EQ(metrics->GetCodePageANSI(), static_cast<int>(GetACP()));
}

TEST_F(SystemInfoClasses, EveryColourIsTheSystemColourOfItsNumber) {
  struct TRow {
    int (TDsSystemColorsInfo::*Get)() const;
    int Number;
    const char* Name;
  };
#define ROW(name, number) {&TDsSystemColorsInfo::Get##name, number, #name}
  const TRow rows[] = {
      ROW(Color3DHighlight, 20), ROW(Color3DLight, 22), ROW(Color3DShadow, 16), ROW(Color3DDarkShadow, 21),
      ROW(Color3DFace, 15), ROW(ColorActiveBorder, 10), ROW(ColorActiveCaption, 2), ROW(ColorAppWorkspace, 12),
      ROW(ColorBackground, 1), ROW(ColorBtnFace, 15), ROW(ColorBtnText, 18), ROW(ColorCaptionText, 9),
      ROW(ColorGrayText, 17), ROW(ColorHighlight, 13), ROW(ColorHighlightText, 14), ROW(ColorInactiveBorder, 11),
      ROW(ColorInactiveCaption, 3), ROW(ColorInactiveCaptionText, 19), ROW(ColorInfoBk, 24), ROW(ColorInfoText, 23),
      ROW(ColorMenu, 4), ROW(ColorMenuText, 7), ROW(ColorScrollBar, 0), ROW(ColorWindow, 5), ROW(ColorWindowFrame, 6),
      ROW(ColorWindowText, 8), ROW(ColorHotLight, 26), ROW(ColorGradientActiveCaption, 27),
      ROW(ColorGradientInactiveCaption, 28), ROW(ColorMenuHighlight, 29), ROW(ColorMenuBar, 30),
  };
#undef ROW
  for (const TRow& row : rows)
    EXPECT_EQ((info->GetColors()->*row.Get)(), static_cast<int>(GetSysColor(row.Number))) << row.Name;
}

TEST_F(SystemInfoClasses, EveryParameterIsTheSystemParameterOfItsNumber) {
  struct TBoolRow {
    bool (TDsSystemParametersInfo::*Get)() const;
    int Number;
    const char* Name;
  };
#define ROW(name, number) {&TDsSystemParametersInfo::Get##name, number, #name}
  const TBoolRow flags[] = {
      ROW(Beep, 1), ROW(DragFullWindows, 38), ROW(FontSmoothing, 74), ROW(IconTitleWrap, 25),
      ROW(KeyboardPreferred, 68), ROW(LowPowerActive, 83), ROW(MenuLeftAligned, 27), ROW(PowerOffActive, 84),
      ROW(ScreenReader, 70), ROW(ScreenSaverActive, 16), ROW(ShowSounds, 56), ROW(SnapToDefaultButton, 95),
      ROW(WindowsExtensions, 92), ROW(ScreenSaverRunning, 114), ROW(MouseClickLock, 4126), ROW(MouseSonar, 4124),
      ROW(MouseVanish, 4128), ROW(DropShadow, 4132), ROW(FlatMenu, 4130), ROW(ShowIMEUI, 110),
      ROW(ActiveWindowTracking, 4096), ROW(MenuAnimation, 4098), ROW(ComboboxAnimation, 4100),
      ROW(ListboxSmoothScrolling, 4102), ROW(GradientCaptions, 4104), ROW(MenuUnderLines, 4106),
      ROW(ActiveWindowTrackZOrder, 4108), ROW(HotTracking, 4110), ROW(MenuFade, 4114), ROW(SelectionFade, 4116),
      ROW(ToolTipAnimation, 4118), ROW(ToolTipFade, 4120), ROW(CursorShadow, 4122), ROW(UIEffects, 4158),
  };
#undef ROW
  struct TIntRow {
    int (TDsSystemParametersInfo::*Get)() const;
    int Number;
    const char* Name;
  };
#define ROW(name, number) {&TDsSystemParametersInfo::Get##name, number, #name}
  const TIntRow numbers[] = {
      ROW(BorderMultiplier, 5), ROW(DefaultInputLanguage, 89), ROW(GridGranularity, 18), ROW(KeyboardDelay, 22),
      ROW(KeyboardSpeed, 10), ROW(LowPowerTimeOut, 79), ROW(MouseSpeed, 112), ROW(MouseHoverHeight, 100),
      ROW(MouseHoverTime, 102), ROW(MouseHoverWidth, 98), ROW(MouseTrails, 94), ROW(PowerOffTimeout, 80),
      ROW(ScreenSaveTimeOut, 14), ROW(WheelScrollLines, 104), ROW(FocusBorderHeight, 8208),
      ROW(FocusBorderWidth, 8206), ROW(MouseClickLockTime, 8200), ROW(FontSmoothingContrast, 8204),
      ROW(MenuShowDelay, 106), ROW(ForegroundLockTimeOut, 8192), ROW(ActiveWindowTrackTimeOut, 8194),
      ROW(ForegroundFlashCount, 8196), ROW(CaretWidth, 8198),
  };
#undef ROW
  TDsSystemParametersInfo* system = info->GetSystem();
  for (const TBoolRow& row : flags) EXPECT_EQ((system->*row.Get)(), ParameterBool(row.Number)) << row.Name;
  for (const TIntRow& row : numbers) EXPECT_EQ((system->*row.Get)(), ParameterInt(row.Number)) << row.Name;
}

TEST_F(SystemInfoClasses, WritesReachTheSystemAndAreRestored) {
  info->SetReadOnly(false);
  TDsSystemParametersInfo* system = info->GetSystem();

  // Below 4096: the value goes in the second argument.
  const bool beep = ParameterBool(SPI_GETBEEP);
  system->SetBeep(!beep);
  EXPECT_EQ(ParameterBool(SPI_GETBEEP), !beep);
  system->SetBeep(beep);
  EXPECT_EQ(ParameterBool(SPI_GETBEEP), beep);

  // From 4096 up: the value itself in the third argument, so False stays False.
  const bool animation = ParameterBool(SPI_GETMENUANIMATION);
  system->SetMenuAnimation(false);
  EXPECT_FALSE(ParameterBool(SPI_GETMENUANIMATION));
  system->SetMenuAnimation(true);
  EXPECT_TRUE(ParameterBool(SPI_GETMENUANIMATION));
  system->SetMenuAnimation(animation);
  EXPECT_EQ(ParameterBool(SPI_GETMENUANIMATION), animation);

  TDsKeyInfo* keyboard = info->GetKeyboard();
  const bool numLock = keyboard->GetNumLock();
  EXPECT_EQ(numLock, NumLockToggled());
  keyboard->SetNumLock(!numLock);
  EXPECT_EQ(NumLockToggled(), !numLock);
  EXPECT_EQ(keyboard->GetNumLock(), !numLock);
  keyboard->SetNumLock(numLock);
  EXPECT_EQ(NumLockToggled(), numLock);
}

TEST_F(SystemInfoClasses, ClockRounding) {
  EXPECT_EQ(NormalizeFrequency(1995), 2000);  // a tie between 90 and 100 goes up
  EXPECT_EQ(NormalizeFrequency(2391), 2390);
  EXPECT_EQ(NormalizeFrequency(2372), 2366);
  EXPECT_EQ(NormalizeFrequency(2374), 2380);
  EXPECT_EQ(NormalizeFrequency(2372.5), 2366);   // first decimal below 6: no change
  EXPECT_EQ(NormalizeFrequency(2372.6), 2380);   // 6 raises the MHz: 73, a tie between 66 and 80
  EXPECT_EQ(NormalizeFrequency(2372.56), 2380);  // a second decimal of 6 raises the first to 6
  EXPECT_EQ(NormalizeFrequency(2372.55), 2366);
  EXPECT_EQ(NormalizeFrequency(1241), 1233);
  EXPECT_EQ(NormalizeFrequency(1042), 1050);
  EXPECT_EQ(NormalizeFrequency(1038), 1033);
  EXPECT_EQ(NormalizeFrequency(1056), 1060);
}

TEST_F(SystemInfoClasses, ArrangementParameterPairsAndFonts) {
  EXPECT_EQ(ArrangeFromValue(ARW_HIDE | ARW_UP), TDsWindowsArrange({waHide}));
  EXPECT_EQ(ArrangeFromValue(ARW_UP | ARW_TOPRIGHT), TDsWindowsArrange({waUp, waBottomLeft}));
  EXPECT_EQ(ArrangeFromValue(ARW_TOPLEFT), TDsWindowsArrange({waRight, waBottomLeft}));
  EXPECT_EQ(ArrangeToValue({waTopRight, waHide}), 11);
  EXPECT_EQ(ArrangeToValue({waBottomRight, waUp}), 5);
  EXPECT_EQ(ArrangeToValue({waDown, waTopLeft}), 6);
  EXPECT_EQ(ArrangeToValue({waLeft, waRight, waBottomLeft}), 0);
  MINIMIZEDMETRICS minimized{sizeof(MINIMIZEDMETRICS), 0, 0, 0, 0};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETMINIMIZEDMETRICS, sizeof minimized, &minimized, 0));
  EXPECT_EQ(info->GetSystem()->GetMinimizedMetrics()->GetArrange(), ArrangeFromValue(minimized.iArrange));
  EXPECT_EQ(info->GetSystem()->GetMinimizedMetrics()->GetWidth(), minimized.iWidth);

  EXPECT_EQ(ParameterSetNumber(SPI_GETBEEP), SPI_SETBEEP);
  EXPECT_EQ(ParameterSetNumber(SPI_GETMENUANIMATION), SPI_SETMENUANIMATION);
  EXPECT_EQ(ParameterSetNumber(SPI_GETMOUSETRAILS), SPI_SETMOUSETRAILS);
  EXPECT_EQ(ParameterSetNumber(SPI_GETLOWPOWERTIMEOUT), SPI_SETLOWPOWERTIMEOUT);
  EXPECT_EQ(ParameterSetNumber(SPI_GETCARETWIDTH), SPI_SETCARETWIDTH);
  EXPECT_EQ(ParameterSetNumber(SPI_GETSCREENSAVERRUNNING), -1);
  EXPECT_EQ(ParameterSetNumber(SPI_GETWINDOWSEXTENSION), -1);
  EXPECT_EQ(ParameterSetNumber(12345), -1);

  LOGFONTA logFont{};
  logFont.lfHeight = -13;
  logFont.lfWeight = 401;
  logFont.lfItalic = 1;
  logFont.lfCharSet = RUSSIAN_CHARSET;
  strcpy(logFont.lfFaceName, "Tahoma");
  auto font = LogFontToFont(logFont);
  EXPECT_EQ(font->GetName(), "Tahoma");
  EXPECT_EQ(font->GetHeight(), -13);
  EXPECT_EQ(font->GetCharset(), RUSSIAN_CHARSET);
  EXPECT_EQ(font->GetStyle(), fw::TFontStyles({fw::fsBold, fw::fsItalic}));
  LOGFONTA back = FontToLogFont(*font);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_EQ(back.lfItalic, 1);
  EXPECT_EQ(back.lfUnderline, 0);
  EXPECT_EQ(back.lfHeight, -13);
  logFont.lfWeight = 400;
  logFont.lfItalic = 0;
  logFont.lfUnderline = logFont.lfStrikeOut = 1;
  font = LogFontToFont(logFont);
  EXPECT_EQ(font->GetStyle(), fw::TFontStyles({fw::fsUnderline, fw::fsStrikeOut}));
  EXPECT_EQ(FontToLogFont(*font).lfWeight, FW_NORMAL);
  font->SetName(std::string(40, 'x'));
  EXPECT_EQ(std::string(FontToLogFont(*font).lfFaceName), std::string(LF_FACESIZE - 1, 'x'));
}

TEST_F(SystemInfoClasses, OperatingSystemProcessorMemoryAndBios) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExA(&version));
  TDsOSVersionInfo* os = info->GetOS();
  EXPECT_EQ(os->GetVersionMajor(), static_cast<int>(version.dwMajorVersion));
  EXPECT_EQ(os->GetVersionMinor(), static_cast<int>(version.dwMinorVersion));
  EXPECT_EQ(os->GetVersionBuild(), static_cast<int>(version.dwBuildNumber));
  EXPECT_EQ(os->GetVersionCSDString(), version.szCSDVersion);
  const int number = static_cast<int>(version.dwMajorVersion * 100 + version.dwMinorVersion);
  if (number == 500) {
    EXPECT_EQ(os->GetOSVersion(), wvWin2000);
  } else if (number == 501) {
    EXPECT_EQ(os->GetOSVersion(), wvWinXP);
  } else if (number > 600) {
    EXPECT_EQ(os->GetOSVersion(), wvUnknown) << number;
  }
  char type[32] = {};
  DWORD size = sizeof type;
  ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType",
                         RRF_RT_REG_SZ, nullptr, type, &size),
            ERROR_SUCCESS);
  ASSERT_STRCASEEQ(type, "WinNT");
  EXPECT_EQ(os->GetProductType(), ptWorkStation);

  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  __cpuid(0, eax, ebx, ecx, edx);
  char vendor[13] = {};
  memcpy(vendor, &ebx, 4);
  memcpy(vendor + 4, &edx, 4);
  memcpy(vendor + 8, &ecx, 4);
  TDsCPUInfo* cpu = info->GetCPU();
  EXPECT_TRUE(cpu->GetHasInstruction());
  EXPECT_EQ(cpu->GetVendorIDString(), vendor);
  EXPECT_FALSE(cpu->GetName().empty());
  EXPECT_GE(cpu->GetProcessorCount(), 1);
  __cpuid(1, eax, ebx, ecx, edx);
  if (edx & (1u << 4)) {
    EXPECT_GT(cpu->GetRawFreq(), 0);
    EXPECT_GT(cpu->GetNormFreq(), 0);
  }

  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  TDsMemInfo* memory = info->GetMemory();
  EXPECT_EQ(memory->GetTotalPhysicalMemory(), static_cast<int64_t>(status.ullTotalPhys));
  EXPECT_EQ(memory->GetTotalPageFileMemory(), static_cast<int64_t>(status.ullTotalPageFile));
  EXPECT_EQ(memory->GetTotalVirtualMemory(), static_cast<int64_t>(status.ullTotalVirtual));
  EXPECT_NEAR(static_cast<double>(memory->GetFreePhysicalMemory()), static_cast<double>(status.ullAvailPhys), 256e6);
  EXPECT_LE(memory->GetFreePhysicalMemory(), memory->GetTotalPhysicalMemory());
  EXPECT_LE(memory->GetFreePageFileMemory(), memory->GetTotalPageFileMemory());
  EXPECT_LE(memory->GetFreeVirtualMemory(), memory->GetTotalVirtualMemory());
  EXPECT_GT(memory->GetMaxAppAddress(), memory->GetMinAppAddress());
  EXPECT_GT(memory->GetTotalPhysicalMemory(), 0);
  EXPECT_GT(memory->GetFreePhysicalMemory(), 0);
  EXPECT_GE(memory->GetMemoryLoad(), 0);
  EXPECT_LE(memory->GetMemoryLoad(), 100);

  // The NT family keeps its BIOS memory to itself: nothing is read from it.
  EXPECT_EQ(info->GetBIOS()->GetCopyright(), "");
  EXPECT_EQ(info->GetBIOS()->GetExtendedInfo(), "");
  EXPECT_EQ(ParseBiosDate("03/15/07", false), fw::EncodeDate(2007, 3, 15));
  EXPECT_EQ(ParseBiosDate("1999/12/31", true), fw::EncodeDate(1999, 12, 31));
  EXPECT_EQ(ParseBiosDate("BIOS", false), 0);

  const std::string failure = "GetOpenGLVersion: ";
  const std::string opengl = info->GetMisc()->GetVersions()->GetOpenGL();
  EXPECT_FALSE(opengl.empty());
  if (opengl.compare(0, failure.size(), failure) == 0) {
    EXPECT_EQ(opengl.substr(opengl.size() - 7), " failed");
  }
}

TEST_F(SystemInfoClasses, ScreenIsTheDesktop) {
  RECT desktop{};
  ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
  TDsScreenInfo* screen = info->GetScreen();
  EXPECT_EQ(screen->GetWidth(), desktop.right - desktop.left);
  EXPECT_EQ(screen->GetHeight(), desktop.bottom - desktop.top);
  HDC dc = GetDC(nullptr);
  EXPECT_EQ(screen->GetBitsPerPixel(), GetDeviceCaps(dc, BITSPIXEL));
  ReleaseDC(nullptr, dc);
}

TEST_F(SystemInfoClasses, FileInformationOfSandboxFiles) {
  const std::string folder = testing_sandbox::TestFolder();
  const std::string file = folder + "sample.vorletinfo";
  testing_sandbox::WriteFile(file, "data");
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
  TDsFileInfo* fileInfo = info->GetFileInfo();
  fileInfo->SetFileName(file);
  EXPECT_EQ(fileInfo->GetAttrString(), "HRA");  // Wine keeps the archive bit on files
  fileInfo->SetFileName(folder + "missing.txt");
  EXPECT_EQ(fileInfo->GetAttrString(), "");

  // A file type of the test's own, with an icon that names the file itself.
  ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".vorletinfo", REG_SZ, "VorletInfo.Sample", 0), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "VorletInfo.Sample", REG_SZ, "Vorlet sample file", 0), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "VorletInfo.Sample\\DefaultIcon", REG_SZ, "%1,3", 0), ERROR_SUCCESS);
  fileInfo->SetFileName(file);
  EXPECT_EQ(fileInfo->GetIconLocation(), file + ",3");
  EXPECT_EQ(fileInfo->GetTypeString(), "Vorlet sample file");
  EXPECT_EQ(fileInfo->GetDisplayName(), "sample.vorletinfo");
  RegDeleteKeyA(HKEY_CLASSES_ROOT, "VorletInfo.Sample\\DefaultIcon");
  RegDeleteKeyA(HKEY_CLASSES_ROOT, "VorletInfo.Sample");
  RegDeleteKeyA(HKEY_CLASSES_ROOT, ".vorletinfo");
  fileInfo->SetFileName(folder + "plain.unknownext");
  testing_sandbox::WriteFile(folder + "plain.unknownext", "");
  EXPECT_EQ(fileInfo->GetIconLocation(), "");

  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  fileInfo->SetFileName(self);
  EXPECT_EQ(fileInfo->GetExeType(), etConsole);
  const std::string program = fw::ExtractFilePath(fw::ExcludeTrailingBackslash(fw::ExtractFilePath(self))) +
                              "VorletDiskCleaner.exe";
  ASSERT_TRUE(fw::FileExists(program)) << program;
  fileInfo->SetFileName(program);
  EXPECT_EQ(fileInfo->GetExeType(), etWin32);
  fileInfo->SetFileName(file);
  EXPECT_EQ(fileInfo->GetExeType(), etNone);
}
