// The Attribute manager on the real main window: its change dialog on a sandbox tree (exactly
// the entries each mode names change, the times land on the DOS grid in UTC, failures are
// listed), its detail dialog, and the file-time and attribute-word routines. The program runs
// with a fixed time-zone offset (see the test's CTest environment), so local and UTC differ.
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/dialogs/attribute_info_form.h"
#include "app/dialogs/change_attribute_form.h"
#include "app/shared/file_procedures.h"
#include "app/shared/file_times.h"
#include "app/main/file_frame.h"
#include "app/tools/attribute_manager.h"
#include "framework/rtl/file_links.h"
#include "framework/forms/screen.h"
#include "main_window_fixture.h"
#include "services/shell/shell_item_list.h"
#include "skin/engine/skin_manager.h"
#include "support/hard_paths.h"
#include "support/held_file.h"
#include "support/host_links.h"

namespace {

using Paths = std::vector<std::string>;

// The host file system moves a folder's access time whenever the folder is listed (the
// snapshot itself lists them), so folders are compared by attributes and last write only.
struct TEntryState {
  DWORD Attributes = 0;
  FILETIME Written{}, Accessed{};
  bool operator==(const TEntryState& other) const {
    return Attributes == other.Attributes && CompareFileTime(&Written, &other.Written) == 0 &&
           ((Attributes & FILE_ATTRIBUTE_DIRECTORY) || CompareFileTime(&Accessed, &other.Accessed) == 0);
  }
};

// Every entry below folder (its path relative to folder) with its attributes and times.
void Snapshot(const std::string& folder, const std::string& relative, std::map<std::string, TEntryState>& states) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + relative + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    states[relative + name] = {data.dwFileAttributes, data.ftLastWriteTime, data.ftLastAccessTime};
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Snapshot(folder, relative + name + "\\", states);
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

// The entries whose attributes or times differ between two snapshots.
Paths Changed(const std::map<std::string, TEntryState>& before, const std::map<std::string, TEntryState>& after) {
  Paths changed;
  for (const auto& [path, state] : after) {
    auto old = before.find(path);
    if (old == before.end() || !(old->second == state)) changed.push_back(path);
  }
  return changed;
}

FILETIME ExpectedUtc(int year, int month, int day, int hour, int minute, int second) {
  FILETIME local{}, utc{};
  EXPECT_TRUE(DosDateTimeToFileTime(static_cast<WORD>(((year - 1980) << 9) | (month << 5) | day),
                                    static_cast<WORD>((hour << 11) | (minute << 5) | (second / 2)), &local));
  EXPECT_TRUE(LocalFileTimeToFileTime(&local, &utc));
  return utc;
}

struct TFileTimes {
  FILETIME Created{}, Accessed{}, Written{};
};

TFileTimes ReadTimes(const std::string& path) {
  TFileTimes times;
  HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
  GetFileTime(file, &times.Created, &times.Accessed, &times.Written);
  CloseHandle(file);
  return times;
}

class TFixedClock : public fw::testing::TClock {
 public:
  fw::TDateTime Value = 0;
  fw::TDateTime Now() override { return Value; }
};

}  // namespace

class AttributeManager : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Start();
    tree = folder + "tree\\";
  }
  void TearDown() override {
    fw::Application->ModalHook = nullptr;
    fw::Free(items);
    // The tree leaves the sandbox only when nothing in it is read-only.
    std::map<std::string, TEntryState> all;
    Snapshot(folder, "", all);
    for (const auto& [path, state] : all) SetFileAttributesA((folder + path).c_str(), FILE_ATTRIBUTE_NORMAL);
    MainWindowTest::TearDown();
  }

  void File(const std::string& relative, DWORD attributes = 0) {
    testing_sandbox::MakeFolders(fw::ExtractFilePath(folder + relative));
    testing_sandbox::WriteFile(folder + relative, "x");
    if (attributes) {
      ASSERT_TRUE(SetFileAttributesA((folder + relative).c_str(), attributes));
    }
  }
  void Folder(const std::string& relative, DWORD attributes = 0) {
    testing_sandbox::MakeFolders(folder + relative);
    if (attributes) {
      ASSERT_TRUE(SetFileAttributesA((folder + relative).c_str(), attributes));
    }
  }
  // Three levels below tree\, with hidden, system and read-only entries, beside a decoy folder.
  void MakeTree() {
    File("tree\\a.txt", FILE_ATTRIBUTE_HIDDEN);
    File("tree\\b.txt", FILE_ATTRIBUTE_READONLY);
    Folder("tree\\sub1", FILE_ATTRIBUTE_SYSTEM);
    File("tree\\sub1\\c.txt");
    Folder("tree\\sub1\\deep", FILE_ATTRIBUTE_HIDDEN);
    File("tree\\sub1\\deep\\d.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Folder("tree\\sub1\\deep\\deeper");
    File("tree\\sub1\\deep\\deeper\\e.txt", FILE_ATTRIBUTE_READONLY);
    Folder("tree\\sub2");
    File("tree\\sub2\\f.txt");
    Folder("decoy");
    File("decoy\\g.txt");
  }

  // The shell items of the paths, in order, as the list view hands them over.
  svc::TSvShellItemList* Items(const Paths& paths) {
    fw::Free(items);
    items = fw::New<svc::TSvShellItemList>();
    for (const std::string& path : paths) items->Add(Item(path));
    return items;
  }
  static svc::TSvShellItem* Item(const std::string& path) {
    IShellFolder* desktop = nullptr;
    SHGetDesktopFolder(&desktop);
    LPITEMIDLIST pidl = nullptr;
    std::wstring wide(path.begin(), path.end());
    EXPECT_EQ(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr), S_OK) << path;
    desktop->Release();
    svc::TSvShellItem* item = svc::TSvShellItem::CreateFromPidl(pidl, nullptr);
    CoTaskMemFree(pidl);
    return item;
  }
  static svc::TSvShellItem* SpecialItem(int csidl) {
    LPITEMIDLIST pidl = nullptr;
    EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, csidl, &pidl), S_OK);
    svc::TSvShellItem* item = svc::TSvShellItem::CreateFromPidl(pidl, nullptr);
    CoTaskMemFree(pidl);
    return item;
  }

  // Opens the change dialog on the items in a mode and runs body on it once it is shown;
  // answers whether the dialog closed by itself.
  bool WithChange(int mode, const std::function<void(app::TfrmChangeAttribute&)>& body) {
    bool shown = false;
    const bool closed = WithModal<app::TfrmChangeAttribute>(
        [&] {
          auto* dialog = fw::New<app::TfrmChangeAttribute>(fw::Application);
          dialog->changeMode = mode;
          dialog->selItems = items;
          dialog->ShowModal();
        },
        body, shown);
    Pump();
    EXPECT_TRUE(shown);
    return closed;
  }
  // A sparse file of the given size.
  static void SparseFile(const std::string& path, int64_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    LARGE_INTEGER end;
    end.QuadPart = size;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
  }
  // Ticks the boxes given and presses OK.
  void Tick(app::TfrmChangeAttribute& dialog, bool subfolders, DWORD attributes, bool useTimes) {
    dialog.kCheckBox1->SetChecked(subfolders);
    dialog.kCheckBox2->SetChecked(attributes & FILE_ATTRIBUTE_READONLY);
    dialog.kCheckBox3->SetChecked(attributes & FILE_ATTRIBUTE_ARCHIVE);
    dialog.kCheckBox4->SetChecked(attributes & FILE_ATTRIBUTE_SYSTEM);
    dialog.kCheckBox5->SetChecked(attributes & FILE_ATTRIBUTE_HIDDEN);
    dialog.kCheckBox6->SetChecked(useTimes);
  }
  static void SetTimes(app::TfrmChangeAttribute& dialog, fw::TDateTime value) {
    for (fw::TDateTimePicker* picker : {dialog.DateTimePicker1, dialog.DateTimePicker2, dialog.DateTimePicker3,
                                        dialog.DateTimePicker4, dialog.DateTimePicker5, dialog.DateTimePicker6})
      picker->SetDateTime(value);
  }
  void Press(fw::TWinControl* button) {
    SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
    Pump();
  }

  std::string tree;
  svc::TSvShellItemList* items = nullptr;
};

TEST_F(AttributeManager, TheTimeZoneIsNotUtc) {
  TIME_ZONE_INFORMATION zone;
  GetTimeZoneInformation(&zone);
  EXPECT_NE(zone.Bias, 0) << "the test's fixed time-zone offset did not take effect";
}

TEST_F(AttributeManager, EachModeChangesExactlyWhatItNames) {
  MakeTree();
  struct TCase {
    int Mode;
    bool Subfolders;
    Paths Expected;
  };
  const TCase cases[] = {
      {0, false, {"tree\\sub1"}},
      {0, true, {"tree\\sub1", "tree\\sub1\\deep", "tree\\sub1\\deep\\deeper"}},
      {1, false, {"tree\\a.txt"}},
      {1, true, {"tree\\a.txt", "tree\\sub1\\c.txt", "tree\\sub1\\deep\\d.txt", "tree\\sub1\\deep\\deeper\\e.txt"}},
      {2, false, {"tree\\a.txt", "tree\\sub1"}},
      {2, true, {"tree\\a.txt", "tree\\sub1", "tree\\sub1\\c.txt", "tree\\sub1\\deep", "tree\\sub1\\deep\\d.txt",
                 "tree\\sub1\\deep\\deeper", "tree\\sub1\\deep\\deeper\\e.txt"}},
  };
  // A different date each run, so every entry a run reaches shows it.
  int day = 1;
  for (const TCase& test : cases) {
    SCOPED_TRACE("mode " + std::to_string(test.Mode) + (test.Subfolders ? " with subfolders" : ""));
    Items({tree + "sub1", tree + "a.txt"});
    std::map<std::string, TEntryState> before, after;
    Snapshot(folder, "", before);
    EXPECT_TRUE(WithChange(test.Mode, [&](app::TfrmChangeAttribute& dialog) {
      Tick(dialog, test.Subfolders, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, true);
      SetTimes(dialog, fw::EncodeDateTime(2004, 2, day++, 9, 0, 0, 0));
      Press(dialog.kBitBtn1);
    }));
    Snapshot(folder, "", after);
    EXPECT_EQ(Changed(before, after), test.Expected);
    EXPECT_TRUE(scripted->Texts.empty());
    for (const std::string& path : test.Expected)
      EXPECT_EQ(after[path].Attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY),
                static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN))
          << path;
  }
}

TEST_F(AttributeManager, UntickingAllFourClearsThem) {
  File("tree\\hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  Folder("tree\\folder", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  Items({tree + "hidden.txt", tree + "folder"});
  EXPECT_TRUE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
    Tick(dialog, false, 0, false);
    Press(dialog.kBitBtn1);
  }));
  const DWORD cleared = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  EXPECT_EQ(GetFileAttributesA((tree + "hidden.txt").c_str()) & cleared, 0u);
  EXPECT_EQ(GetFileAttributesA((tree + "folder").c_str()) & (cleared | FILE_ATTRIBUTE_ARCHIVE), 0u);

  // Every other settable bit stays as it was; nothing left is the normal attribute.
  const DWORD others = FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  EXPECT_EQ(app::ChangedAttributeWord(others | FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY),
            others | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(app::ChangedAttributeWord(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, 0),
            static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(app::ChangedAttributeWord(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, FILE_ATTRIBUTE_SYSTEM),
            static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(app::ChangedAttributeWord(0, 0xFFFFFFFF), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                                          FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(AttributeManager, TimesLandOnTheDosGridInUtc) {
  File("tree\\file.txt", FILE_ATTRIBUTE_READONLY);
  Folder("tree\\folder");
  File("tree\\held.txt");
  File("tree\\other.txt");
  Items({tree + "file.txt", tree + "folder", tree + "held.txt"});
  const TFileTimes untouched = ReadTimes(tree + "other.txt");
  {
    // Held open elsewhere, sharing reading only: the times still go in.
    testing_support::THeldFile held(tree + "held.txt", FILE_SHARE_READ);
    EXPECT_TRUE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
      Tick(dialog, true, FILE_ATTRIBUTE_READONLY, true);
      SetTimes(dialog, fw::EncodeDateTime(2003, 4, 5, 10, 15, 31, 0));
      Press(dialog.kBitBtn1);
    }));
  }
  EXPECT_TRUE(scripted->Texts.empty());
  const FILETIME expected = ExpectedUtc(2003, 4, 5, 10, 15, 30);
  for (const char* name : {"file.txt", "folder", "held.txt"}) {
    SCOPED_TRACE(name);
    const TFileTimes times = ReadTimes(tree + name);
    EXPECT_EQ(CompareFileTime(&times.Written, &expected), 0);
    EXPECT_EQ(CompareFileTime(&times.Accessed, &expected), 0);
  }
  const TFileTimes other = ReadTimes(tree + "other.txt");
  EXPECT_EQ(CompareFileTime(&other.Written, &untouched.Written), 0);

  // The detail dialog reads the same time back in local time.
  fw::TDateTime shown = 0;
  const TFileTimes file = ReadTimes(tree + "file.txt");
  ASSERT_TRUE(app::UTCFileTimeToDateTime(file.Written, shown));
  EXPECT_EQ(fw::DateTimeToStr(shown), fw::DateTimeToStr(fw::EncodeDateTime(2003, 4, 5, 10, 15, 30, 0)));

  // Unticked, no time changes.
  EXPECT_TRUE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
    Tick(dialog, true, 0, false);
    SetTimes(dialog, fw::EncodeDateTime(2010, 1, 1, 0, 0, 0, 0));
    Press(dialog.kBitBtn1);
  }));
  const TFileTimes after = ReadTimes(tree + "file.txt");
  EXPECT_EQ(CompareFileTime(&after.Written, &expected), 0);
  EXPECT_EQ(GetFileAttributesA((tree + "file.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

// Each row of the dialog sets its own time: created, modified (last write) and accessed. The
// host file system keeps no creation time of its own; Wine then shows the last write there.
TEST_F(AttributeManager, EachTimeRowSetsItsOwnTime) {
  File("tree\\file.txt");
  Folder("tree\\folder");
  Items({tree + "file.txt", tree + "folder"});
  EXPECT_TRUE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
    Tick(dialog, false, FILE_ATTRIBUTE_ARCHIVE, true);
    const fw::TDateTime created = fw::EncodeDateTime(2001, 2, 3, 4, 5, 6, 0);
    const fw::TDateTime modified = fw::EncodeDateTime(2005, 6, 7, 8, 9, 10, 0);
    const fw::TDateTime accessed = fw::EncodeDateTime(2009, 10, 11, 12, 13, 14, 0);
    for (auto [date, time, value] : {std::tuple{dialog.DateTimePicker1, dialog.DateTimePicker2, created},
                                     std::tuple{dialog.DateTimePicker3, dialog.DateTimePicker4, modified},
                                     std::tuple{dialog.DateTimePicker5, dialog.DateTimePicker6, accessed}}) {
      date->SetDateTime(value);
      time->SetDateTime(value);
    }
    Press(dialog.kBitBtn1);
  }));
  EXPECT_TRUE(scripted->Texts.empty());
  const FILETIME created = ExpectedUtc(2001, 2, 3, 4, 5, 6), modified = ExpectedUtc(2005, 6, 7, 8, 9, 10),
                 accessed = ExpectedUtc(2009, 10, 11, 12, 13, 14);
  for (const char* name : {"file.txt", "folder"}) {
    SCOPED_TRACE(name);
    const TFileTimes times = ReadTimes(tree + name);
    EXPECT_EQ(CompareFileTime(&times.Written, &modified), 0);
    EXPECT_EQ(CompareFileTime(&times.Accessed, &accessed), 0);
    EXPECT_TRUE(CompareFileTime(&times.Created, &created) == 0 || CompareFileTime(&times.Created, &modified) == 0);
  }
}

// A failing time set and a failing attribute set are each one line of the one warning; the
// other items change.
TEST_F(AttributeManager, TimesAndAttributesThatCannotBeSetAreReported) {
  // Fails the time set of one path and the attribute set of another, each with its own reason.
  class TFailingCalls : public app::testing::TAttributeCalls {
   public:
    std::string NoTimes, NoAttributes;
    bool SetTimes(HANDLE file, const std::string& path, const FILETIME& creation, const FILETIME& lastAccess,
                  const FILETIME& lastWrite) override {
      if (path != NoTimes) return TAttributeCalls::SetTimes(file, path, creation, lastAccess, lastWrite);
      SetLastError(ERROR_ACCESS_DENIED);
      return false;
    }
    bool SetAttributes(HANDLE file, const std::string& path, DWORD attributes) override {
      if (path != NoAttributes) return TAttributeCalls::SetAttributes(file, path, attributes);
      SetLastError(ERROR_WRITE_PROTECT);
      return false;
    }
  } calls;
  calls.NoTimes = tree + "no times.txt";
  calls.NoAttributes = tree + "no attributes.txt";
  File("tree\\no times.txt");
  File("tree\\no attributes.txt");
  File("tree\\fine.txt");
  Items({calls.NoTimes, calls.NoAttributes, tree + "fine.txt"});
  app::testing::SetAttributeCalls(&calls);
  EXPECT_TRUE(WithChange(1, [&](app::TfrmChangeAttribute& dialog) {
    Tick(dialog, false, FILE_ATTRIBUTE_HIDDEN, true);
    SetTimes(dialog, fw::EncodeDateTime(2006, 1, 2, 3, 4, 6, 0));
    Press(dialog.kBitBtn1);
  }));
  ASSERT_EQ(scripted->Texts.size(), 1u);
  EXPECT_EQ(scripted->Texts[0], "Some items could not be changed:\n" + calls.NoTimes + ": " +
                                    fw::SysErrorMessage(ERROR_ACCESS_DENIED) + "\n" + calls.NoAttributes + ": " +
                                    fw::SysErrorMessage(ERROR_WRITE_PROTECT));
  EXPECT_TRUE(GetFileAttributesA((tree + "fine.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  const FILETIME expected = ExpectedUtc(2006, 1, 2, 3, 4, 6);
  const TFileTimes fine = ReadTimes(tree + "fine.txt");
  EXPECT_EQ(CompareFileTime(&fine.Written, &expected), 0);
}

// "Change all" below a folder that holds links to a folder and to a file elsewhere: the walk
// changes the tree but never enters the folder link, and changes a link only as itself; what
// the links lead to stays as it was. A link the system would follow is listed as not changed.
TEST_F(AttributeManager, ChangeAllNeverWalksThroughAFolderLink) {
  MakeTree();
  Folder("outside\\dir\\inner");
  File("outside\\dir\\x.txt");
  File("outside\\dir\\inner\\y.txt");
  File("outside\\file.txt");
  const std::string folderLink = tree + "sub2\\dirlink", fileLink = tree + "sub2\\filelink.txt";
  testing_sandbox::TLinkGuard unlinkFolder(folderLink), unlinkFile(fileLink);
  if (!testing_sandbox::MakeLink(folderLink, folder + "outside\\dir", true) ||
      !testing_sandbox::MakeLink(fileLink, folder + "outside\\file.txt", false))
    GTEST_SKIP() << "no links here";
  ASSERT_TRUE(fw::IsLink(folderLink));
  ASSERT_TRUE(fw::IsLink(fileLink));
  std::map<std::string, TEntryState> before, after;
  Snapshot(folder + "outside\\", "", before);
  ASSERT_EQ(before.size(), 5u);
  Items({tree});
  EXPECT_TRUE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
    Tick(dialog, true, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, true);
    SetTimes(dialog, fw::EncodeDateTime(2002, 3, 4, 5, 6, 8, 0));
    Press(dialog.kBitBtn1);
  }));
  Snapshot(folder + "outside\\", "", after);
  EXPECT_EQ(Changed(before, after), Paths{});
  EXPECT_EQ(after.size(), 5u);
  // Each link either changed as itself or is listed, in the order the walk met them.
  Paths listed;
  for (const std::string& link : {folderLink, fileLink})
    if (!fw::CanTakeLinkByItself(link)) listed.push_back(link + ": a link that cannot be changed by itself");
  if (listed.empty()) {
    EXPECT_TRUE(scripted->Texts.empty());
  } else {
    ASSERT_EQ(scripted->Texts.size(), 1u);
    const std::string& report = scripted->Texts[0];
    EXPECT_EQ(report.rfind("Some items could not be changed:\n", 0), 0u) << report;
    EXPECT_EQ(static_cast<size_t>(std::count(report.begin(), report.end(), '\n')), listed.size()) << report;
    for (const std::string& line : listed) EXPECT_NE(report.find("\n" + line), std::string::npos) << report;
  }
  // The tree itself changed, below the link's folder too.
  EXPECT_TRUE(GetFileAttributesA((tree + "sub2\\f.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(GetFileAttributesA((tree + "sub1\\deep\\deeper\\e.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// Links chosen in the list themselves, to a file and to a folder, in every mode: each changes
// only as itself or is listed as not changed, and what they lead to stays as it was.
TEST_F(AttributeManager, AChosenLinkChangesOnlyAsItself) {
  Folder("outside\\dir");
  File("outside\\dir\\x.txt");
  File("outside\\file.txt");
  Folder("tree");
  const std::string folderLink = tree + "dirlink", fileLink = tree + "filelink.txt";
  testing_sandbox::TLinkGuard unlinkFolder(folderLink), unlinkFile(fileLink);
  if (!testing_sandbox::MakeLink(folderLink, folder + "outside\\dir", true) ||
      !testing_sandbox::MakeLink(fileLink, folder + "outside\\file.txt", false))
    GTEST_SKIP() << "no links here";
  for (int mode = 0; mode <= 2; ++mode) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    std::map<std::string, TEntryState> before, after;
    Snapshot(folder + "outside\\", "", before);
    Items({fileLink, folderLink});
    scripted->Texts.clear();
    EXPECT_TRUE(WithChange(mode, [&](app::TfrmChangeAttribute& dialog) {
      Tick(dialog, false, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, true);
      SetTimes(dialog, fw::EncodeDateTime(2003, 4, 5, 6, 7, 8, 0));
      Press(dialog.kBitBtn1);
    }));
    Snapshot(folder + "outside\\", "", after);
    EXPECT_EQ(Changed(before, after), Paths{});
    // The mode names which of the two it takes: folders only the folder link, files only the other.
    Paths listed;
    if (mode != 0 && !fw::CanTakeLinkByItself(fileLink)) listed.push_back(fileLink);
    if (mode != 1 && !fw::CanTakeLinkByItself(folderLink)) listed.push_back(folderLink);
    std::string expected = "Some items could not be changed:";
    for (const std::string& link : listed) expected += "\n" + link + ": a link that cannot be changed by itself";
    EXPECT_EQ(scripted->Texts, listed.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected});
  }
}

// A walk below a folder named with "\\\\?\\" beyond MAX_PATH lists its failures as the user reads
// the paths: a folder that cannot be listed and, where links can be made, a link that cannot be
// changed by itself.
TEST_F(AttributeManager, FailuresOnLongPathsAreListedWithoutTheLongPathPrefix) {
  File("outside\\file.txt");
  Folder("tree");
  const std::string longFolder = testing_sandbox::HardPaths(folder, "filelink.txt")[1].Folder;
  const std::string missing = longFolder + "missing", link = longFolder + "filelink.txt";
  testing_sandbox::TLinkGuard unlink(link);
  const bool linked = testing_sandbox::MakeLink(link, folder + "outside\\file.txt", false);
  Items({tree});
  EXPECT_TRUE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
    Tick(dialog, true, FILE_ATTRIBUTE_HIDDEN, false);
    dialog.FindFile(2, "\\\\?\\" + missing);
    dialog.FindFile(2, "\\\\?\\" + longFolder);
    Press(dialog.kBitBtn1);
  }));
  std::string expected =
      "Some items could not be changed:\n" + missing + ": " + fw::SysErrorMessage(ERROR_PATH_NOT_FOUND);
  if (linked && !fw::CanTakeLinkByItself(link)) expected += "\n" + link + ": a link that cannot be changed by itself";
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{expected});
}

TEST_F(AttributeManager, DateConversionsKeepToTheDosRange) {
  FILETIME utc{};
  EXPECT_FALSE(app::DateTimeToUTCFileTime(fw::EncodeDateTime(1979, 12, 31, 23, 59, 59, 0), utc));
  EXPECT_FALSE(app::DateTimeToUTCFileTime(fw::EncodeDate(2108, 1, 1), utc));
  ASSERT_TRUE(app::DateTimeToUTCFileTime(fw::EncodeDate(1980, 1, 1), utc));
  FILETIME first = ExpectedUtc(1980, 1, 1, 0, 0, 0);
  EXPECT_EQ(CompareFileTime(&utc, &first), 0);
  ASSERT_TRUE(app::DateTimeToUTCFileTime(fw::EncodeDateTime(2107, 12, 31, 23, 59, 59, 0), utc));
  FILETIME last = ExpectedUtc(2107, 12, 31, 23, 59, 58);
  EXPECT_EQ(CompareFileTime(&utc, &last), 0);
  fw::TDateTime back = 0;
  ASSERT_TRUE(app::UTCFileTimeToDateTime(last, back));
  EXPECT_EQ(fw::DateTimeToStr(back), fw::DateTimeToStr(fw::EncodeDateTime(2107, 12, 31, 23, 59, 58, 0)));
}

TEST_F(AttributeManager, CurrentReadsTheClockAndOutOfRangeDatesAreRefused) {
  TFixedClock clock;
  clock.Value = fw::EncodeDateTime(2011, 7, 8, 13, 14, 16, 0);
  fw::testing::SetClock(&clock);
  File("tree\\file.txt");
  Items({tree + "file.txt"});
  const TFileTimes before = ReadTimes(tree + "file.txt");
  const DWORD attributes = GetFileAttributesA((tree + "file.txt").c_str());
  EXPECT_FALSE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
    EXPECT_EQ(dialog.GetCaption(), "Change attribute");
    EXPECT_TRUE(dialog.kCheckBox1->GetChecked());
    for (skin::TkButton* current : {dialog.kButton1, dialog.kButton2, dialog.kButton3}) Press(current);
    for (auto [date, time] : {std::pair{dialog.DateTimePicker1, dialog.DateTimePicker2},
                              std::pair{dialog.DateTimePicker3, dialog.DateTimePicker4},
                              std::pair{dialog.DateTimePicker5, dialog.DateTimePicker6}}) {
      EXPECT_EQ(fw::DateToStr(date->GetDate()), fw::DateToStr(clock.Value));
      EXPECT_EQ(fw::TimeToStr(time->GetTime()), fw::TimeToStr(clock.Value));
    }
    Tick(dialog, false, FILE_ATTRIBUTE_READONLY, true);
    // The pickers keep to what a DOS date can hold...
    dialog.DateTimePicker3->SetDateTime(fw::EncodeDate(1979, 6, 1));
    EXPECT_EQ(fw::DateToStr(dialog.DateTimePicker3->GetDate()), fw::DateToStr(clock.Value));
    // ...and without their limit OK still refuses a date outside it.
    dialog.DateTimePicker3->SetMinDate(0);
    dialog.DateTimePicker3->SetDateTime(fw::EncodeDate(1979, 6, 1));
    EXPECT_EQ(fw::DateToStr(dialog.DateTimePicker3->GetDate()), fw::DateToStr(fw::EncodeDate(1979, 6, 1)));
    Press(dialog.kBitBtn1);
  }));
  const TFileTimes after = ReadTimes(tree + "file.txt");
  EXPECT_EQ(GetFileAttributesA((tree + "file.txt").c_str()), attributes);
  EXPECT_EQ(CompareFileTime(&after.Written, &before.Written), 0);
  ASSERT_EQ(scripted->Texts.size(), 1u);
  EXPECT_EQ(scripted->Texts[0], "Please choose dates between 1980 and 2107.");
}

TEST_F(AttributeManager, CancelAndEscapeChangeNothing) {
  File("tree\\file.txt", FILE_ATTRIBUTE_HIDDEN);
  Folder("tree\\folder");
  File("tree\\folder\\inner.txt");
  Items({tree + "file.txt", tree + "folder"});
  std::map<std::string, TEntryState> before, after;
  Snapshot(folder, "", before);
  const int forms = fw::Screen->GetFormCount();
  EXPECT_TRUE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
    Tick(dialog, true, FILE_ATTRIBUTE_READONLY, true);
    SetTimes(dialog, fw::EncodeDateTime(2004, 5, 6, 7, 8, 10, 0));
    Press(dialog.kBitBtn2);
  }));
  EXPECT_EQ(modalResult, fw::mrCancel);
  EXPECT_EQ(fw::Screen->GetFormCount(), forms) << "the closed dialog is not freed";
  // Escape from a box and from a date picker.
  for (int control : {0, 1}) {
    EXPECT_TRUE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
      Tick(dialog, true, FILE_ATTRIBUTE_READONLY, true);
      SetTimes(dialog, fw::EncodeDateTime(2004, 5, 6, 7, 8, 10, 0));
      (control == 0 ? static_cast<fw::TWinControl*>(dialog.kCheckBox2) : dialog.DateTimePicker3)->SetFocus();
      Pump();
      PressKey(VK_ESCAPE);
    }));
    EXPECT_EQ(modalResult, fw::mrCancel);
    EXPECT_EQ(fw::Screen->GetFormCount(), forms);
  }
  Snapshot(folder, "", after);
  EXPECT_EQ(Changed(before, after), Paths{});
  EXPECT_TRUE(scripted->Texts.empty());
}

TEST_F(AttributeManager, FailuresAreListedAndTheRestChanges) {
  File("tree\\first.txt");
  File("tree\\gone.txt");
  File("tree\\last.txt");
  Items({tree + "first.txt", tree + "gone.txt"});
  items->Add(SpecialItem(CSIDL_DRIVES));
  items->Add(Item(tree + "last.txt"));
  const std::string virtualPath = items->GetItem(2)->GetPath();
  ASSERT_TRUE(DeleteFileA((tree + "gone.txt").c_str()));
  EXPECT_TRUE(WithChange(2, [&](app::TfrmChangeAttribute& dialog) {
    Tick(dialog, false, FILE_ATTRIBUTE_HIDDEN, false);
    Press(dialog.kBitBtn1);
  }));
  EXPECT_TRUE(GetFileAttributesA((tree + "first.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(GetFileAttributesA((tree + "last.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  ASSERT_EQ(scripted->Texts.size(), 1u);
  const std::string expected = "Some items could not be changed:\n" + tree + "gone.txt: " +
                               fw::SysErrorMessage(ERROR_FILE_NOT_FOUND) + "\n" + virtualPath + ": ";
  EXPECT_EQ(scripted->Texts[0].substr(0, expected.size()), expected);
  EXPECT_EQ(std::count(scripted->Texts[0].begin(), scripted->Texts[0].end(), '\n'), 2);

  Paths lines;
  for (int i = 0; i < 23; ++i) lines.push_back("p" + std::to_string(i) + ": r");
  const std::string report = app::FailureReport(lines);
  EXPECT_EQ(report.substr(report.size() - 17), "p19: r\nand 3 more");
  EXPECT_EQ(app::FailureReport({"x: y"}), "Some items could not be changed:\nx: y");
}

TEST_F(AttributeManager, DetailInfoOfFilesAndFolders) {
  File("tree\\file.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  Folder("tree\\folder", FILE_ATTRIBUTE_SYSTEM);
  // A sparse file of 5 GiB: its low 32 bits alone would say 1 GiB.
  SparseFile(tree + "big.bin", int64_t(5) << 30);
  Items({tree + "file.txt", tree + "folder", tree + "big.bin"});
  ASSERT_TRUE(app::SetFileTimes(tree + "file.txt", fw::EncodeDateTime(2001, 2, 3, 4, 5, 7, 0),
                                fw::EncodeDate(2002, 3, 4), fw::EncodeDateTime(2003, 4, 5, 10, 15, 31, 0)));

  struct TShown {
    std::string Path, Size, Written, Accessed;
    bool ReadOnly, Archive, System, Hidden;
  };
  auto show = [&](int index) {
    TShown shown{};
    bool seen = false;
    fw::Application->ModalHook = [&](fw::TCustomForm& form) {
      auto* dialog = dynamic_cast<app::TfrmAttributeInfo*>(&form);
      if (!dialog) return;
      seen = true;
      shown = {dialog->kEdit1->GetText(), dialog->kLabel3->GetCaption(), dialog->kLabel8->GetCaption(),
               dialog->kLabel9->GetCaption(), dialog->kCheckBox1->GetChecked(), dialog->kCheckBox2->GetChecked(),
               dialog->kCheckBox3->GetChecked(), dialog->kCheckBox4->GetChecked()};
      EXPECT_EQ(dialog->GetCaption(), "Detail info");
      dialog->kEdit1->SetFocus();
      Pump();
      PressKey(VK_ESCAPE);
      EXPECT_EQ(dialog->GetModalResult(), fw::mrCancel) << "Escape did not close it";
      if (dialog->GetModalResult() == fw::mrNone) dialog->Close();
    };
    auto* dialog = fw::New<app::TfrmAttributeInfo>(fw::Application);
    svc::TSvShellItem* item = items->GetItem(index);
    dialog->itemPath = item->GetPath();
    dialog->itemIcon = item->GetSmallIcon();
    dialog->itemSize = item->GetSize();
    dialog->ShowModal();
    fw::Application->ModalHook = nullptr;
    EXPECT_TRUE(seen);
    return shown;
  };
  TShown file = show(0);
  EXPECT_EQ(file.Path, tree + "file.txt");
  EXPECT_EQ(file.Size, app::FormatFileSize(1));
  EXPECT_TRUE(file.ReadOnly);
  EXPECT_TRUE(file.Hidden);
  EXPECT_FALSE(file.System);
  EXPECT_EQ(file.Written, fw::DateTimeToStr(fw::EncodeDateTime(2003, 4, 5, 10, 15, 30, 0)));
  EXPECT_EQ(file.Accessed, fw::DateTimeToStr(fw::EncodeDate(2002, 3, 4)));
  EXPECT_EQ(file.Accessed.find(':'), std::string::npos) << "midnight shows no time";

  TShown folderShown = show(1);
  EXPECT_EQ(folderShown.Path, tree + "folder");
  EXPECT_EQ(folderShown.Size, "");
  EXPECT_TRUE(folderShown.System);
  EXPECT_FALSE(folderShown.ReadOnly);
  EXPECT_NE(folderShown.Written, "0");

  EXPECT_EQ(show(2).Size, app::FormatFileSize(int64_t(5) << 30));
}

// The tool in its panel: the tool bar, the view menu and the list, with the dialogs opened on
// the list's selection.
class AttributeManagerPanel : public AttributeManager {
 protected:
  void SetUp() override {
    AttributeManager::SetUp();
    tool = &app::frmMain->AttributeManager();
    list = tool->amShellLV;
    app::frmMain->frmFile1->kSpeedButton1->Click();
    Pump();
  }
  // Selects the folder's node in the tree (its nodes made first), which lists the folder.
  void Browse(const std::string& path) {
    svc::TSvShellTreeView* treeView = tool->amShellTV;
    fw::Owned<svc::TSvShellItem> item(Item(fw::ExcludeTrailingBackslash(path)));
    ASSERT_TRUE(treeView->SelectFolderNode(item.get(), false)) << path;
    fw::TTreeNode* node = treeView->GetSelected();
    treeView->SetSelected(treeView->GetItems()->GetItem(0));
    treeView->SetSelected(node);
    Pump();
    ASSERT_NE(list->GetFolder(), nullptr);
    ASSERT_EQ(list->GetFolder()->GetPath(), fw::ExcludeTrailingBackslash(path));
  }
  int Row(const std::string& caption) const {
    for (int i = 0; i < list->GetItems()->GetCount(); ++i)
      if (list->ItemOfRow(i)->GetDisplayName() == caption) return i;
    return -1;
  }
  void Select(const Paths& captions) {
    list->ClearSelection();
    for (const std::string& caption : captions) {
      const int row = Row(caption);
      ASSERT_GE(row, 0) << caption;
      list->GetItems()->GetItem(row)->SetSelected(true);
    }
  }
  Paths SelectedCaptions() const {
    Paths captions;
    for (int i = 0; i < list->GetItems()->GetCount(); ++i)
      if (list->GetItems()->GetItem(i)->GetSelected()) captions.push_back(list->GetItems()->GetItem(i)->GetCaption());
    return captions;
  }
  // The attribute letters the row shows.
  std::string Letters(const std::string& caption) const {
    const int row = Row(caption);
    if (row < 0) return "(no row)";
    fw::TStrings* texts = list->GetItems()->GetItem(row)->GetSubItems();
    return texts->GetCount() >= 4 ? texts->GetStrings(3) : "(no text)";
  }
  // Pumps until done answers true, at most about two seconds.
  bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 100 && !done(); ++i) Pump();
    return done();
  }

  app::TAttributeManager* tool = nullptr;
  svc::TSvShellListView* list = nullptr;
};

TEST_F(AttributeManagerPanel, ToolBarMenuAndList) {
  for (skin::TkPanel* panel : app::frmMain->ToolPanels()) EXPECT_EQ(panel->GetVisible(), panel == app::frmMain->pnlAM);
  struct TButtonLayout {
    const char* Name;
    const char* Hint;
    fw::TToolButtonStyle Style;
  };
  const TButtonLayout buttons[] = {{"ToolButton1", "Change only folder attribute", fw::tbsButton},
                                   {"ToolButton3", "Change only files attribute", fw::tbsButton},
                                   {"ToolButton4", "Change all attribute", fw::tbsButton},
                                   {"ToolButton5", "", fw::tbsSeparator},
                                   {"ToolButton7", "Up", fw::tbsButton},
                                   {"ToolButton9", "View", fw::tbsDropDown},
                                   {"ToolButton8", "Refresh", fw::tbsButton},
                                   {"ToolButton10", "", fw::tbsSeparator},
                                   {"ToolButton13", "Selected item info", fw::tbsButton}};
  ASSERT_EQ(tool->kToolBar2->GetButtonCount(), 9);
  for (int i = 0; i < 9; ++i) {
    fw::TToolButton* button = tool->kToolBar2->GetButtons(i);
    EXPECT_EQ(button->GetName(), buttons[i].Name);
    EXPECT_EQ(button->GetHint(), buttons[i].Hint);
    EXPECT_EQ(button->GetStyle(), buttons[i].Style);
  }
  EXPECT_EQ(tool->ToolButton9->GetDropdownMenu(), tool->amPUpMnu);
  const char* const captions[] = {"Large icons", "Small icons", "List", "Details"};
  const fw::TViewStyle styles[] = {fw::vsIcon, fw::vsSmallIcon, fw::vsList, fw::vsReport};
  fw::TMenuItem* items = tool->amPUpMnu->GetItems();
  ASSERT_EQ(items->GetCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(items->GetItems(i)->GetCaption(), captions[i]);
    EXPECT_TRUE(items->GetItems(i)->GetRadioItem());
    EXPECT_EQ(items->GetItems(i)->GetChecked(), i == 3);
  }
  // The view menu is drawn by the skin while the skin manager skins popups.
  EXPECT_TRUE(tool->amPUpMnu->GetOwnerDraw());
  EXPECT_TRUE(tool->amPUpMnu->GetMenuAnimation().Contains(fw::maNone));
  EXPECT_TRUE(items->GetItems(0)->OnAdvancedDrawItem && items->GetItems(0)->OnMeasureItem);
  app::frmMain->skinManager->SetSkinnedPopups(false);
  EXPECT_FALSE(tool->amPUpMnu->GetOwnerDraw() || items->GetItems(0)->OnAdvancedDrawItem);
  app::frmMain->skinManager->SetSkinnedPopups(true);
  EXPECT_TRUE(tool->amPUpMnu->GetOwnerDraw() && items->GetItems(0)->OnAdvancedDrawItem);
  EXPECT_EQ(list->GetViewStyle(), fw::vsReport);
  EXPECT_TRUE(list->GetMultiSelect());
  EXPECT_TRUE(list->GetRowSelect());

  // After the first paint the tree's root is open and the list shows the desktop.
  EXPECT_EQ(tool->amShellTV->GetListView(), list);
  EXPECT_EQ(list->GetTreeView(), tool->amShellTV);
  ASSERT_GT(tool->amShellTV->GetItems()->GetCount(), 0);
  EXPECT_TRUE(tool->amShellTV->GetItems()->GetItem(0)->GetExpanded());
  ASSERT_NE(tool->amShellTV->GetRootShellFolder(), nullptr);
  EXPECT_TRUE(tool->amShellTV->GetRootShellFolder()->GetIsDesktop());
  ASSERT_NE(list->GetFolder(), nullptr);
  EXPECT_TRUE(list->GetFolder()->GetIsDesktop());
  EXPECT_GT(list->GetItems()->GetCount(), 0);

  for (int i : {0, 1, 2, 3, 1}) {
    items->GetItems(i)->Click();
    EXPECT_EQ(list->GetViewStyle(), styles[i]) << captions[i];
    for (int j = 0; j < 4; ++j) EXPECT_EQ(items->GetItems(j)->GetChecked(), j == i) << captions[i];
  }
}

// Whether the window shows, inside r, a pixel other than the background colour.
bool Drawn(HWND window, const RECT& r, COLORREF background) {
  HDC dc = GetDC(window);
  bool drawn = false;
  for (int y = r.top; y < r.bottom && !drawn; ++y)
    for (int x = r.left; x < r.right && !drawn; ++x) drawn = GetPixel(dc, x, y) != background;
  ReleaseDC(window, dc);
  return drawn;
}

// As the program shows the panel: the tree draws the desktop at its top with its icon, and the
// list draws its rows with theirs.
TEST_F(AttributeManagerPanel, TheTreeAndTheListAreDrawnWithTheirIcons) {
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  HWND treeWindow = tool->amShellTV->GetHandle();
  ASSERT_GT(tool->amShellTV->GetItems()->GetCount(), 0);
  fw::TTreeNode* root = tool->amShellTV->GetItems()->GetItem(0);
  RECT text{};
  const HTREEITEM id = root->GetItemId();
  std::memcpy(&text, &id, sizeof id);  // the message takes the item in the rectangle's place
  ASSERT_TRUE(SendMessageA(treeWindow, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text)));
  EXPECT_TRUE(Drawn(treeWindow, text, background)) << "the desktop's name is not drawn";
  const RECT treeIcon{text.left - 18, text.top, text.left - 2, text.bottom};
  EXPECT_TRUE(Drawn(treeWindow, treeIcon, background)) << "the desktop's icon is not drawn";

  HWND listWindow = list->GetHandle();
  ASSERT_GT(list->GetItems()->GetCount(), 0);
  RECT listIcon{LVIR_ICON, 0, 0, 0};
  ASSERT_TRUE(SendMessageA(listWindow, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&listIcon)));
  EXPECT_TRUE(Drawn(listWindow, listIcon, background)) << "the first row's icon is not drawn";
}

TEST_F(AttributeManagerPanel, UpAndRefresh) {
  File("tree\\a.txt");
  Folder("tree\\sub");
  Browse(tree + "sub");
  EXPECT_EQ(list->GetItems()->GetCount(), 0);
  EXPECT_EQ(tool->amShellTV->GetSelectedFolder()->GetPath(), tree + "sub");
  tool->ToolButton7->Click();
  Pump();
  EXPECT_EQ(list->GetFolder()->GetPath(), fw::ExcludeTrailingBackslash(tree));
  EXPECT_EQ(tool->amShellTV->GetSelectedFolder()->GetPath(), fw::ExcludeTrailingBackslash(tree));
  EXPECT_GE(Row("a.txt"), 0);
  EXPECT_GE(Row("sub"), 0);
  Select({"a.txt"});
  File("tree\\b.txt");
  tool->ToolButton8->Click();
  EXPECT_GE(Row("b.txt"), 0);
  EXPECT_EQ(list->GetItems()->GetCount(), 3);
  EXPECT_EQ(SelectedCaptions(), Paths({"a.txt"}));
}

TEST_F(AttributeManagerPanel, WithoutSelectionEachButtonSaysWhatToSelect) {
  Folder("tree");
  Browse(tree);
  list->ClearSelection();
  bool opened = false;
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    opened = true;
    form.Close();
  };
  for (fw::TToolButton* button : {tool->ToolButton1, tool->ToolButton3, tool->ToolButton4, tool->ToolButton13})
    button->Click();
  EXPECT_FALSE(opened);
  EXPECT_EQ(scripted->Texts, Paths({"Please select a folder.", "Please select a file or folder.",
                                    "Please select a file or folder.", "Please select a file or folder."}));
}

TEST_F(AttributeManagerPanel, ButtonsChangeTheSelectedRowsAndTheListShowsIt) {
  File("tree\\a.txt");
  File("tree\\b.txt");
  Folder("tree\\sub");
  File("tree\\sub\\c.txt");
  Browse(tree);
  const std::pair<fw::TToolButton*, int> modes[] = {{tool->ToolButton1, 0}, {tool->ToolButton3, 1}, {tool->ToolButton4, 2}};
  for (auto [button, mode] : modes) {
    SCOPED_TRACE(mode);
    Select({"a.txt", "sub"});
    bool shown = false;
    fw::Application->ModalHook = [&](fw::TCustomForm& form) {
      auto* dialog = dynamic_cast<app::TfrmChangeAttribute*>(&form);
      if (!dialog) return;
      shown = true;
      EXPECT_EQ(dialog->changeMode, mode);
      ASSERT_NE(dialog->selItems, nullptr);
      ASSERT_EQ(dialog->selItems->GetCount(), 2);
      // In list order: folders first.
      EXPECT_EQ(dialog->selItems->GetItem(0)->GetPath(), tree + "sub");
      EXPECT_EQ(dialog->selItems->GetItem(1)->GetPath(), tree + "a.txt");
      dialog->Close();
    };
    button->Click();
    EXPECT_TRUE(shown);
  }

  // Hidden on both rows: the rows rewrite their letters and stay selected.
  Select({"a.txt", "sub"});
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    auto* dialog = dynamic_cast<app::TfrmChangeAttribute*>(&form);
    if (!dialog) return;
    Tick(*dialog, false, FILE_ATTRIBUTE_HIDDEN, false);
    Press(dialog->kBitBtn1);
  };
  tool->ToolButton4->Click();
  fw::Application->ModalHook = nullptr;
  EXPECT_TRUE(GetFileAttributesA((tree + "a.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  // Wine keeps the archive bit on files.
  EXPECT_TRUE(PumpUntil([&] { return Letters("a.txt") == "HA" && Letters("sub") == "H"; }))
      << Letters("a.txt") << " " << Letters("sub");
  EXPECT_EQ(Letters("b.txt"), "A");
  EXPECT_EQ(SelectedCaptions(), Paths({"sub", "a.txt"}));
}

TEST_F(AttributeManagerPanel, DetailInfoShowsTheFirstSelectedRow) {
  File("tree\\a.txt");
  File("tree\\b.txt");
  SparseFile(tree + "big.bin", int64_t(5) << 30);
  Browse(tree);
  std::vector<std::pair<std::string, std::string>> shown;  // path and size of each dialog
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    auto* dialog = dynamic_cast<app::TfrmAttributeInfo*>(&form);
    if (!dialog) return;
    shown.emplace_back(dialog->kEdit1->GetText(), dialog->kLabel3->GetCaption());
    dialog->Close();
  };
  // The last change the list heard of names a.txt, which is no longer selected.
  Select({"big.bin", "b.txt"});
  ASSERT_GE(Row("a.txt"), 0);
  list->GetItems()->GetItem(Row("a.txt"))->SetSelected(true);
  Pump();
  list->GetItems()->GetItem(Row("a.txt"))->SetSelected(false);
  Pump();
  EXPECT_EQ(SelectedCaptions().size(), 2u);
  tool->ToolButton13->Click();
  ASSERT_EQ(shown.size(), 1u);
  const std::string first = Row("big.bin") < Row("b.txt") ? "big.bin" : "b.txt";
  EXPECT_EQ(shown[0].first, tree + first);
  if (first == "big.bin") {
    EXPECT_EQ(shown[0].second, app::FormatFileSize(int64_t(5) << 30));
  }
  Select({"big.bin"});
  tool->ToolButton13->Click();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1], std::make_pair(tree + "big.bin", app::FormatFileSize(int64_t(5) << 30)));

  // Listed again, the selection kept by caption: no stale item is read.
  tool->ToolButton8->Click();
  tool->ToolButton13->Click();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2].first, tree + "big.bin");
}
