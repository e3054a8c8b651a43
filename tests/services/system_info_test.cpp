// The system-information component's hidden window and events, the utility window, the
// millisecond clock, the point and rectangle values, the drag cursors and the registries.
#include <gtest/gtest.h>

#include "framework/win.h"

#include <dbt.h>

#include <string>
#include <vector>

#include "framework/msg/exception_barrier.h"
#include "framework/rtl/exceptions.h"
#include "framework/forms/screen.h"
#include "services/shell/ds_cursors.h"
#include "services/system/computer_info_ex.h"
#include "services/system/ds_rect.h"
#include "services/system/ds_registries.h"
#include "services/system/system_utils.h"
#include "services/system/util_window.h"
#include "support/scripted_forms.h"

using namespace svc;

namespace {

DEV_BROADCAST_VOLUME Volume(DWORD unitMask, WORD flags) {
  DEV_BROADCAST_VOLUME volume{};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = unitMask;
  volume.dbcv_flags = flags;
  return volume;
}

class ComputerInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    info = fw::New<TDsComputerInfoEx>(nullptr);
    ASSERT_NE(info->GetHandle(), nullptr);
  }
  void TearDown() override { fw::Free(info); }

  LRESULT Send(UINT msg, WPARAM w, const void* l) {
    return SendMessageA(info->GetHandle(), msg, w, reinterpret_cast<LPARAM>(l));
  }

  TDsComputerInfoEx* info = nullptr;
  std::vector<std::string> events;
};

TEST_F(ComputerInfo, BroadcastsReachTheirEvents) {
  info->OnSettingChange = [&](fw::TObject* sender, int flag, const std::string& section) {
    EXPECT_EQ(sender, info);
    events.push_back("setting " + std::to_string(flag) + " " + section);
  };
  info->OnTimeChange = [&](fw::TObject*) { events.push_back("time"); };
  DWORD_PTR answer = 0;
  // Broadcast in its wide form: Wine 8 garbles the text of an ANSI WM_SETTINGCHANGE broadcast
  // on its way to ANSI windows (a direct ANSI send arrives intact, see below).
  ASSERT_TRUE(SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                                  reinterpret_cast<LPARAM>(L"VorletTestSection"), SMTO_ABORTIFHUNG, 5000, &answer));
  ASSERT_TRUE(SendMessageTimeoutA(HWND_BROADCAST, WM_TIMECHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  Send(WM_SETTINGCHANGE, 0, "Direct");
  SendMessageW(info->GetHandle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Wide"));
  EXPECT_EQ(events, (std::vector<std::string>{"setting 0 VorletTestSection", "time", "setting 0 Direct",
                                              "setting 0 Wide"}));
}

TEST_F(ComputerInfo, MessagesCarryTheirArguments) {
  info->OnDisplayChange = [&](fw::TObject*, int bits, int width, int height) {
    events.push_back("display " + std::to_string(bits) + " " + std::to_string(width) + "x" + std::to_string(height));
  };
  info->OnDeviceModeChange = [&](fw::TObject*, const std::string& device) { events.push_back("mode " + device); };
  info->OnSpoolerStatusChange = [&](fw::TObject*, int status, int left) {
    events.push_back("spooler " + std::to_string(status) + " " + std::to_string(left));
  };

  SendMessageA(info->GetHandle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  Send(WM_DEVMODECHANGE, 0, "Printer One");
  SendMessageA(info->GetHandle(), WM_SPOOLERSTATUS, 0, MAKELPARAM(3, 0));
  // Unassigned events are skipped.
  SendMessageA(info->GetHandle(), WM_FONTCHANGE, 0, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"display 32 1024x768", "mode Printer One", "spooler 0 3"}));
}

TEST_F(ComputerInfo, VolumeArrivalAndRemovalNameTheDrive) {
  std::vector<unsigned> other;
  info->OnDeviceAdded = [&](fw::TObject*, char drive) { events.push_back(std::string("added ") + drive); };
  info->OnDeviceRemoved = [&](fw::TObject*, char drive) { events.push_back(std::string("removed ") + drive); };
  info->OnDeviceChange = [&](fw::TObject*, unsigned event, void* data) {
    other.push_back(event);
    EXPECT_EQ(data, nullptr);
  };

  DEV_BROADCAST_VOLUME d = Volume(1 << 3, DBTF_MEDIA), ef = Volume((1 << 4) | (1 << 5), DBTF_MEDIA);
  DEV_BROADCAST_VOLUME noMedia = Volume(1 << 6, 0), noDrive = Volume(0, DBTF_MEDIA);
  Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, &d);
  Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, &ef);
  Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, &noMedia);
  Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, &noDrive);
  DEV_BROADCAST_HDR port{sizeof port, DBT_DEVTYP_PORT, 0};
  Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, &port);
  Send(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, nullptr);

  EXPECT_EQ(events, (std::vector<std::string>{"added D", "removed E"}));
  EXPECT_EQ(other, (std::vector<unsigned>{DBT_DEVNODES_CHANGED}));
}

TEST_F(ComputerInfo, AHandlerFailureStopsAtTheWindow) {
  std::string reported;
  fw::SetExceptionSink([&](fw::TObject*) {
    try {
      throw;
    } catch (const std::exception& e) {
      reported = e.what();
    }
  });
  info->OnUserChanged = [](fw::TObject*) { throw fw::Exception("handler failed"); };
  SendMessageA(info->GetHandle(), WM_USERCHANGED, 0, 0);
  fw::SetExceptionSink(nullptr);
  EXPECT_EQ(reported, "handler failed");
}

TEST_F(ComputerInfo, FoldersAreMadeOnceAndStayReadOnly) {
  TDsSystemFolders* folders = info->GetFolders();
  EXPECT_EQ(info->GetFolders(), folders);
  EXPECT_TRUE(info->GetReadOnly());
  info->SetReadOnly(false);
  EXPECT_FALSE(info->GetReadOnly());
  EXPECT_TRUE(folders->GetReadOnly());
  EXPECT_THROW(folders->SetCurrent("C:\\"), EDsComputerInfoEx);
}

TEST(ComputerInfoLife, TheWindowGoesWithTheComponent) {
  TDsComputerInfoEx* info = fw::New<TDsComputerInfoEx>(nullptr);
  HWND wnd = info->GetHandle();
  ASSERT_TRUE(IsWindow(wnd));
  char name[64] = {};
  GetClassNameA(wnd, name, sizeof name);
  EXPECT_STREQ(name, "TPUtilWindowEx");
  EXPECT_FALSE(IsWindowVisible(wnd));
  info->GetFolders();
  fw::Free(info);
  EXPECT_FALSE(IsWindow(wnd));
}

LRESULT CALLBACK ForeignProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  return msg == WM_USER ? 99 : DefWindowProcA(wnd, msg, w, l);
}

TEST(UtilWindow, AHiddenToolWindowThatHandsItsMessagesToTheMethod) {
  std::vector<std::string> seen;
  HWND wnd = AllocateUtilWindow("", [&](fw::TMessage& message) {
    if (message.Msg != WM_USER) return;
    seen.push_back(std::to_string(message.WParam) + "," + std::to_string(message.LParam));
    message.Result = 42;
  });
  ASSERT_TRUE(IsWindow(wnd));
  char name[64] = {};
  GetClassNameA(wnd, name, sizeof name);
  EXPECT_STREQ(name, "TPUtilWindowEx");
  EXPECT_EQ(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE)) & WS_POPUP, WS_POPUP);
  EXPECT_FALSE(IsWindowVisible(wnd));
  EXPECT_EQ(GetAncestor(wnd, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), nullptr);
  EXPECT_EQ(reinterpret_cast<HMODULE>(GetWindowLongPtrA(wnd, GWLP_HINSTANCE)), GetModuleHandleA(nullptr));
  RECT r{};
  GetWindowRect(wnd, &r);
  EXPECT_EQ(r.right - r.left + r.bottom - r.top, 0);
  EXPECT_EQ(SendMessageA(wnd, WM_USER, 5, 7), 42);
  EXPECT_EQ(seen, std::vector<std::string>{"5,7"});
  DeallocateUtilWindow(wnd);
  EXPECT_FALSE(IsWindow(wnd));
  DeallocateUtilWindow(nullptr);

  // A class of the caller's name that another procedure registered: the method still answers.
  WNDCLASSA foreign{};
  foreign.lpfnWndProc = ForeignProc;
  foreign.hInstance = GetModuleHandleA(nullptr);
  foreign.lpszClassName = "VorletForeignUtil";
  ASSERT_NE(RegisterClassA(&foreign), 0);
  wnd = AllocateUtilWindow("VorletForeignUtil", [](fw::TMessage& message) { message.Result = 7; });
  GetClassNameA(wnd, name, sizeof name);
  EXPECT_STREQ(name, "VorletForeignUtil");
  EXPECT_EQ(SendMessageA(wnd, WM_USER, 0, 0), 7);
  DeallocateUtilWindow(wnd);
  // Without a method the window answers as the default procedure does.
  wnd = AllocateUtilWindow("", nullptr);
  EXPECT_EQ(SendMessageA(wnd, WM_USER, 0, 0), 0);
  DeallocateUtilWindow(wnd);
}

TEST(DsCursors, CopiesOfTheDragCursorsOnceTheScreenExists) {
  ASSERT_EQ(fw::Screen, nullptr);
  RegisterDsCursors();  // no screen yet: nothing to do
  testing_gui::TScriptedForms forms;
  ASSERT_NE(fw::Screen, nullptr);
  HCURSOR drag = LoadCursorA(nullptr, IDC_CROSS);
  HCURSOR multiDrag = LoadCursorA(nullptr, IDC_IBEAM);
  fw::Screen->SetCursors(fw::crDrag, drag);
  fw::Screen->SetCursors(fw::crMultiDrag, multiDrag);
  RegisterDsCursors();
  EXPECT_EQ(fw::Screen->GetCursors(crDsDragLink), drag);
  EXPECT_EQ(fw::Screen->GetCursors(crDsDragAlt), drag);
  EXPECT_EQ(fw::Screen->GetCursors(crDsMultiDragLink), multiDrag);
  EXPECT_EQ(fw::Screen->GetCursors(crDsMultiDragAlt), multiDrag);
}

class TNotedEngine : public fw::TObject {
 public:
  TNotedEngine(std::vector<std::string>& freed, std::string name) : FFreed(freed), FName(std::move(name)) {}
  ~TNotedEngine() override { FFreed.push_back(FName); }

 private:
  std::vector<std::string>& FFreed;
  std::string FName;
};

TEST(DsRegistries, MadeByTheFirstStartAndFreedByTheLastStop) {
  StopDsRegistries();  // a stop without a start does nothing
  ASSERT_EQ(AppStoragePropertyEngines(), nullptr);
  ASSERT_EQ(GeneratedTypes(), nullptr);
  StartDsRegistries();
  TDsAppStoragePropertyEngineList* engines = AppStoragePropertyEngines();
  ASSERT_NE(engines, nullptr);
  ASSERT_NE(GeneratedTypes(), nullptr);
  EXPECT_EQ(engines->GetCount(), 0);
  StartDsRegistries();
  EXPECT_EQ(AppStoragePropertyEngines(), engines);

  std::vector<std::string> freed;
  engines->Add(new TNotedEngine(freed, "first"));
  engines->Add(new TNotedEngine(freed, "second"));
  auto* held = new TDsGeneratedType;
  held->RefCount = 2;
  GeneratedTypes()->Add(held);
  auto* set = new TDsGeneratedType;
  set->BaseType = std::make_unique<TDsGeneratedType>();
  GeneratedTypes()->Add(set);

  StopDsRegistries();
  EXPECT_EQ(AppStoragePropertyEngines(), engines);
  EXPECT_TRUE(freed.empty());
  StopDsRegistries();
  EXPECT_EQ(AppStoragePropertyEngines(), nullptr);
  EXPECT_EQ(GeneratedTypes(), nullptr);
  EXPECT_EQ(freed, (std::vector<std::string>{"second", "first"}));
  // Someone else still holds a reference: the entry stays, with one reference less.
  EXPECT_EQ(held->RefCount, 1);
  delete held;
}

TEST(SystemUtils, MillisecondsKeepTheirFraction) {
  LARGE_INTEGER frequency, counter;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  int64_t first = PerformanceMilliseconds();
  ASSERT_TRUE(QueryPerformanceCounter(&counter));
  int64_t expected = counter.QuadPart / frequency.QuadPart * 1000 + counter.QuadPart % frequency.QuadPart * 1000 / frequency.QuadPart;
  EXPECT_LE(first, expected);
  EXPECT_GE(first, expected - 50);
  Sleep(120);
  int64_t elapsed = PerformanceMilliseconds() - first;
  EXPECT_GE(elapsed, 100);
  EXPECT_LT(elapsed, 1000);
  // All floating-point exceptions are masked as the runtime sets them.
  EXPECT_EQ(ReadFpuControlWord() & 0x3F, 0x3F);
}

TEST(DsRect, ChangesAreSignalledOnce) {
  TDsRect rect;
  int changes = 0;
  rect.OnChange = [&](fw::TObject* sender) {
    EXPECT_EQ(sender, &rect);
    ++changes;
  };
  rect.SetLeft(1);
  rect.SetTop(2);
  rect.SetRight(30);
  rect.SetBottom(40);
  rect.SetRight(30);  // unchanged
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(rect.GetLeft() + rect.GetTop() + rect.GetRight() + rect.GetBottom(), 73);

  TDsRect copy;
  int copyChanges = 0;
  copy.OnChange = [&](fw::TObject*) { ++copyChanges; };
  copy.Assign(&rect);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_EQ(copy.GetRight(), 30);
  EXPECT_EQ(copy.GetBottom(), 40);

  TDsPoint point;
  EXPECT_THROW(point.Assign(&rect), fw::EConvertError);
  EXPECT_THROW(rect.Assign(&point), fw::EConvertError);
}

}  // namespace
