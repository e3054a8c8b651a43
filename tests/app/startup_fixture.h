// The main window with the Startup manager shown, over the sandbox prefix's real registry and
// two Startup folders inside the test's sandbox folder (through the special-folder seam). Test
// values carry a name prefix of their own; at the end every value with that prefix is removed
// and the run keys the test made are deleted. Nothing else in the registry is touched.
#pragma once
#include <shlobj.h>

#include <string>
#include <vector>

#include "app/main/system_frame.h"
#include "app/shared/run_key.h"
#include "app/shared/wide_text.h"
#include "app/tools/startup_manager.h"
#include "framework/rtl/wide_path.h"
#include "main_window_fixture.h"
#include "services/shell/com_ref.h"
#include "services/shell/shortcut.h"
#include "support/list_view_input.h"

namespace startup_testing {

class TStartupFolders : public fw::testing::TSpecialFolders {
 public:
  std::string GetPath(int csidl) override {
    if (csidl == CSIDL_STARTUP) return User;
    if (csidl == CSIDL_COMMON_STARTUP) return Common;
    return fw::testing::TSpecialFolders::GetPath(csidl);
  }
  std::string User;
  std::string Common;
};

inline std::wstring KeyPath(int runKey) {
  std::wstring path = app::Widen(app::RunKeyPath(runKey));
  path.pop_back();
  return path;
}

// REG_SZ bytes of text, with the terminating NUL unless told otherwise.
inline std::string Sz(const std::wstring& text, bool nul = true) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + (nul ? 1 : 0)) * sizeof(wchar_t));
}

inline void SetValue(HKEY hive, int runKey, const std::wstring& name, DWORD type, const std::string& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(hive, KeyPath(runKey).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  // A character after the data, so the system adds no terminating NUL of its own.
  std::string buffer = bytes + std::string("\x01\x01", 2);
  EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(buffer.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// The value as it lies in its key; false when it is not there.
inline bool GetValue(HKEY hive, int runKey, const std::wstring& name, DWORD& type, std::string& bytes) {
  app::TRunKey key(hive, app::RunKeyPath(runKey));
  app::TRunValue value;
  if (key.OpenForRead() != ERROR_SUCCESS || key.ReadValue(name, value) != ERROR_SUCCESS) return false;
  type = value.Type;
  bytes = value.Data;
  return true;
}

inline bool HasValue(HKEY hive, int runKey, const std::wstring& name) {
  DWORD type = 0;
  std::string bytes;
  return GetValue(hive, runKey, name, type, bytes);
}

inline void DeleteValue(HKEY hive, int runKey, const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(hive, KeyPath(runKey).c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, name.c_str());
  RegCloseKey(key);
}

// Writes a link with the shell's own link object, through its wide interface (IShellLinkW), the
// link file's name at any length.
inline void MakeLink(const std::string& link, const std::string& target, const std::string& arguments = "",
                     const std::string& folder = "", const std::string& icon = "", int iconIndex = 0,
                     const std::string& description = "") {
  svc::TComRef<IShellLinkW> shell;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(shell.Put()))));
  shell->SetPath(app::Widen(target).c_str());
  shell->SetArguments(app::Widen(arguments).c_str());
  if (!folder.empty()) shell->SetWorkingDirectory(app::Widen(folder).c_str());
  if (!icon.empty()) shell->SetIconLocation(app::Widen(icon).c_str(), iconIndex);
  if (!description.empty()) shell->SetDescription(app::Widen(description).c_str());
  svc::TComRef<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))));
  ASSERT_EQ(file->Save(fw::FileApiPath(link).c_str(), TRUE), S_OK);
}

struct TLinkFields {
  std::string Target, Arguments, Folder, Description;
};

// Reads a link with the shell's own link object, through its wide interface.
inline TLinkFields ReadLink(const std::string& link) {
  TLinkFields fields;
  svc::TComRef<IShellLinkW> shell;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(shell.Put()))))
    return fields;
  svc::TComRef<IPersistFile> file;
  if (FAILED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))) ||
      file->Load(fw::FileApiPath(link).c_str(), STGM_READ) != S_OK)
    return fields;
  wchar_t buffer[MAX_PATH * 2] = {};
  shell->GetPath(buffer, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
  fields.Target = app::Narrow(buffer);
  buffer[0] = L'\0';
  shell->GetArguments(buffer, MAX_PATH * 2);
  fields.Arguments = app::Narrow(buffer);
  buffer[0] = L'\0';
  shell->GetWorkingDirectory(buffer, MAX_PATH * 2);
  fields.Folder = app::Narrow(buffer);
  buffer[0] = L'\0';
  shell->GetDescription(buffer, MAX_PATH * 2);
  fields.Description = app::Narrow(buffer);
  return fields;
}

class StartupTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    userStartup = folder + "Startup";
    commonStartup = folder + "Common Startup";
    fw::CreateDir(userStartup);
    fw::CreateDir(commonStartup);
    folders.User = userStartup;
    folders.Common = commonStartup;
    fw::testing::SetSpecialFolders(&folders);
    prefix = "VorletSU" + std::to_string(GetCurrentProcessId()) + "_";
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
      for (int runKey = 0; runKey < app::rkRunKeyCount; ++runKey) {
        HKEY key = nullptr;
        bool exists = RegOpenKeyExW(hive, KeyPath(runKey).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (exists) RegCloseKey(key);
        keysBefore.push_back(exists);
      }
    app::startupSource = 0;
    Start();
    frmMain()->barMenu->OpenItem(1, false);
    Pump();
    frmMain()->frmSystem1->kSpeedButton1Click(nullptr);
    Pump();
    tool = &frmMain()->StartupManager();
  }
  void TearDown() override {
    app::testing::SetRunKeyFault(nullptr);
    svc::testing::SetShellLinkFactory(nullptr);
    MainWindowTest::TearDown();
    fw::testing::SetSpecialFolders(nullptr);
    int index = 0;
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
      for (int runKey = 0; runKey < app::rkRunKeyCount; ++runKey) RemoveTestValues(hive, runKey, keysBefore[index++]);
    app::startupSource = 0;
  }

  app::TfrmMain* frmMain() { return app::frmMain; }
  std::wstring Name(const std::string& text) { return app::Widen(prefix + text); }
  std::string Caption(const std::string& text) { return prefix + text; }
  std::string StorePath(const std::string& store) { return appDir + "config\\Disabled Registry\\" + store; }
  std::string Store(const std::string& store) {
    std::string path = StorePath(store);
    return fw::FileExists(path) ? testing_sandbox::ReadFile(path) : std::string();
  }
  std::string HoldingFolder(bool allUsers) {
    return appDir + (allUsers ? "config\\Disabled Startup All" : "config\\Disabled Startup Current");
  }

  fw::TListItem* Row(const std::string& caption) {
    fw::TListItems* items = tool->lvSU->GetItems();
    for (int i = 0; i < items->GetCount(); ++i)
      if (items->GetItem(i)->GetCaption() == caption) return items->GetItem(i);
    return nullptr;
  }
  std::string Sub(fw::TListItem* item, int index) { return item->GetSubItems()->GetStrings(index); }
  // The rows of this test: caption without the prefix, section and box.
  std::vector<std::string> TestRows() {
    std::vector<std::string> rows;
    fw::TListItems* items = tool->lvSU->GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
      fw::TListItem* item = items->GetItem(i);
      if (item->GetCaption().rfind(prefix, 0) != 0) continue;
      rows.push_back(item->GetCaption().substr(prefix.size()) + "|" + Sub(item, 2) + "|" +
                     (item->GetChecked() ? "on" : "off"));
    }
    return rows;
  }
  // Lists source n as a click on its tree node does.
  void ListSource(int n) {
    tool->tvSU->GetItems()->GetItem(n)->SetSelected(true);
    tool->tvSUClick(tool->tvSU);
    Pump();
  }

  // A click on the row's check box; space on the row, focused in the list.
  void ClickBox(fw::TListItem* item) { testing_support::ClickCheckBox(tool->lvSU, item); }
  void PressSpace(fw::TListItem* item) { testing_support::PressSpaceOn(tool->lvSU, item); }
  // The cursor on the row's check box, the main window in front; presses through the input queue.
  void PointAtBox(fw::TListItem* item) {
    testing_support::PointAtCheckBox(tool->lvSU, item, frmMain()->GetHandle());
  }
  void SendButtons(std::initializer_list<DWORD> flags) { testing_support::SendLeftButtons(flags); }

  void RemoveTestValues(HKEY hive, int runKey, bool existedBefore) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, KeyPath(runKey).c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    std::wstring wide = app::Widen(prefix);
    std::vector<std::wstring> names;
    wchar_t name[16384];
    for (DWORD i = 0;; ++i) {
      DWORD size = 16384;
      if (RegEnumValueW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (std::wstring(name, size).rfind(wide, 0) == 0) names.push_back(std::wstring(name, size));
    }
    for (const std::wstring& n : names) RegDeleteValueW(key, n.c_str());
    RegCloseKey(key);
    if (!existedBefore) RegDeleteKeyW(hive, KeyPath(runKey).c_str());  // a key this test made
  }

  TStartupFolders folders;
  std::string userStartup, commonStartup, prefix;
  std::vector<bool> keysBefore;
  app::TStartupManager* tool = nullptr;
};

}  // namespace startup_testing
