// The File wiper on the real main window over sandbox files: the pick goes through the real
// browse dialog (driven from its OnShow), the passes are read back from disk through the
// wiper's own handle, and every failure must leave its row with the reason.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <shlobj.h>

#include "app/main/cleaners_frame.h"
#include "app/main/file_frame.h"
#include "app/tools/file_wiper.h"
#include "app/tools/wipe_file.h"
#include "framework/forms/custom_form.h"
#include "main_window_fixture.h"
#include "support/host_links.h"
#include "support/browse_dialog_driver.h"
#include "support/hard_paths.h"

using app::frmMain;
namespace sb = testing_sandbox;


namespace {

constexpr char kComplete[] = "Complete.";
constexpr char kSomeLeft[] = "Complete. Some files can not be deleted.";

// Bytes from a counter, so every block of every pass differs; can fail to start or at a fill.
class TScriptedSource : public app::TWipeRandomSource {
 public:
  bool Acquire() override {
    ++Acquired;
    return AcquireOk;
  }
  bool Fill(uint8_t* buffer, DWORD size) override {
    ++Fills;
    if (FailAtFill && Fills >= FailAtFill) return false;
    for (DWORD i = 0; i < size; ++i) {
      FState = FState * 1103515245u + 12345u;
      buffer[i] = static_cast<uint8_t>(FState >> 16);
    }
    Produced.append(reinterpret_cast<const char*>(buffer), size);
    return true;
  }
  void Release() override { ++Released; }

  bool AcquireOk = true;
  int FailAtFill = 0;  // 0: never
  int Acquired = 0, Fills = 0, Released = 0;
  std::string Produced;  // every byte handed out since the last pass was read

 private:
  uint32_t FState = 1;
};

// Reads the whole file through the wiper's handle after each pass.
class TPassReader : public app::TWipeObserver {
 public:
  void PassFlushed(HANDLE file, int pass) override {
    Passes.push_back(pass);
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    LARGE_INTEGER start{};
    SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    Contents.push_back(bytes);
    if (OnPass) OnPass(pass);
  }
  void BeforeDelete(const std::string& fileName) override {
    Deleted.push_back(fileName);
    if (OnDelete) OnDelete(fileName);
  }

  std::vector<int> Passes;
  std::vector<std::string> Contents;
  std::vector<std::string> Deleted;
  std::function<void(int)> OnPass;
  std::function<void(const std::string&)> OnDelete;
};

std::string Pattern(size_t size, char seed) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(seed + i * 31 % 251);
  return s;
}

class FileWiperTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    testing_browse::WarmUp();
    Start();
    wiper = &frmMain->FileWiper();
    frmMain->barMenu->OpenItem(2, false);
    frmMain->frmFile1->kSpeedButton2->Click();
    files = folder + "files\\";
    fw::CreateDir(files);
    previousObserver = app::testing::SetWipeObserver(&reader);
  }
  void TearDown() override {
    app::testing::SetWipeRandomSource(nullptr);
    app::testing::SetWipeObserver(previousObserver);
    MainWindowTest::TearDown();
  }

  // Picks path in the real dialog: selected when it opens, then confirmed (or cancelled).
  void Pick(const std::string& path, int answer = IDOK) {
    wiper->SvBrowser1->SetSelectedFolder(path);
    wiper->SvBrowser1->OnShow = [this, path, answer](fw::TObject*) {
      testing_browse::Answer(*wiper->SvBrowser1, fw::ExcludeTrailingBackslash(path), answer);
    };
    wiper->kSpeedButton1->Click();
  }
  std::string MakeFile(const std::string& name, const std::string& content) {
    std::string path = files + name;
    fw::ForceDirectories(fw::ExtractFilePath(path));
    sb::WriteFile(path, content);
    return path;
  }
  fw::TListItems* Rows() { return wiper->fwLV->GetItems(); }
  std::vector<std::string> RowNames() {
    std::vector<std::string> names;
    for (int i = 0; i < Rows()->GetCount(); ++i) names.push_back(app::TFileWiper::RowFileName(Rows()->GetItem(i)));
    return names;
  }
  std::string Status(int row) { return Rows()->GetItem(row)->GetSubItems()->GetStrings(1); }
  void TickAll() {
    for (int i = 0; i < Rows()->GetCount(); ++i) Rows()->GetItem(i)->SetChecked(true);
  }
  // Confirms the warning and wipes the ticked rows; returns the closing message.
  std::string Wipe() {
    scripted->Answers.push_back(fw::mrOk);
    size_t shown = scripted->Texts.size();
    wiper->btnFWDelete->Click();
    EXPECT_EQ(scripted->Texts.size(), shown + 2);
    if (scripted->Texts.size() < shown + 2) return "";
    EXPECT_EQ(scripted->Texts[shown], "Delete files? Deleted files can not be restored!");
    return scripted->Texts.back();
  }
  void ExpectIdle(bool deleteEnabled = true) {
    EXPECT_TRUE(frmMain->barMenu->GetEnabled());
    EXPECT_TRUE(frmMain->pnlFW->GetEnabled());
    EXPECT_EQ(wiper->btnFWDelete->GetEnabled(), deleteEnabled);
    EXPECT_FALSE(frmMain->Anim->GetActive());
  }

  app::TFileWiper* wiper = nullptr;
  std::string files;
  TPassReader reader;
  app::TWipeObserver* previousObserver = nullptr;
};

}  // namespace

// ---- The pick ----

TEST_F(FileWiperTest, LayoutAtStart) {
  EXPECT_EQ(frmMain->FindComponent("SvBrowser1"), wiper->SvBrowser1);
  EXPECT_EQ(frmMain->FindComponent("kBrowser1"), wiper->kBrowser1);
  EXPECT_EQ(wiper->SvBrowser1->GetOptions(), (svc::TSvBrowseOptionsSet{svc::boReturnOnlyDirs, svc::boShowFiles}));
  EXPECT_EQ(wiper->SvBrowser1->GetSpecialRootFolder(), svc::sfNone);
  EXPECT_EQ(wiper->lblFWSelect->GetCaption(), "Select file or folder to securely wipe");
  EXPECT_EQ(wiper->kSpeedButton1->GetHint(), "Select a file or folder");
  EXPECT_TRUE(wiper->fwLV->GetCheckboxes());
  ASSERT_EQ(wiper->fwLV->GetColumns()->GetCount(), 3);
  EXPECT_EQ(wiper->fwLV->GetColumns()->GetItems(0)->GetCaption(), "File name");
  EXPECT_TRUE(wiper->fwLV->GetColumns()->GetItems(1)->GetAutoSize());
  EXPECT_EQ(wiper->fwLV->GetColumns()->GetItems(2)->GetCaption(), "Status");
  EXPECT_EQ(wiper->btnFWDelete->GetCaption(), "Delete");
  EXPECT_EQ(wiper->btnFWDelete->GetHint(), "Delete selected file");
  EXPECT_EQ(wiper->kBitBtn4->GetCaption(), "Clear list");
  EXPECT_EQ(wiper->kBitBtn4->GetHint(), "Clear result list");
  EXPECT_FALSE(wiper->btnFWDelete->GetEnabled());
  EXPECT_FALSE(wiper->kBitBtn4->GetEnabled());
  EXPECT_TRUE(frmMain->pnlFW->GetVisible());
}

TEST_F(FileWiperTest, AFileGivesOneRowAndRowsAreAppended) {
  const std::string one = MakeFile("one.txt", "1"), two = MakeFile("sub\\two.txt", "2");
  Pick(one);
  EXPECT_TRUE(testing_browse::Current().OkEnabled) << "a file can be confirmed";
  EXPECT_EQ(wiper->kEdit6->GetText(), one);
  ASSERT_EQ(RowNames(), std::vector<std::string>{one});
  EXPECT_EQ(Rows()->GetItem(0)->GetCaption(), "one.txt");
  EXPECT_EQ(Rows()->GetItem(0)->GetSubItems()->GetStrings(0), fw::ExcludeTrailingBackslash(files));
  EXPECT_EQ(Status(0), "Waiting");
  EXPECT_TRUE(wiper->btnFWDelete->GetEnabled());
  EXPECT_TRUE(wiper->kBitBtn4->GetEnabled());
  Pick(two);
  Pick(one);  // the same file may be listed twice
  EXPECT_EQ(RowNames(), (std::vector<std::string>{one, two, one}));
}

TEST_F(FileWiperTest, AFolderListsEveryFileBelowItButHiddenSystemOnes) {
  const std::string root = files + "tree";
  std::vector<std::string> listed = {MakeFile("tree\\a.txt", "a"), MakeFile("tree\\sub\\c.dat", "c"),
                                     MakeFile("tree\\sub\\deep\\d.e.f", "d"), MakeFile("tree\\hidden.txt", "h")};
  MakeFile("tree\\sub\\README", "r");  // the mask *.* needs a dot in the name
  SetFileAttributesA(listed.back().c_str(), FILE_ATTRIBUTE_HIDDEN);  // only hidden: listed
  std::string both = MakeFile("tree\\hs.txt", "x");
  SetFileAttributesA(both.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  MakeFile("tree\\hsdir\\inside.txt", "y");
  SetFileAttributesA((root + "\\hsdir").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

  // What the window shows while it searches.
  std::vector<std::string> during;
  auto findFile = frmMain->fwSearcher->OnFindFile;
  frmMain->fwSearcher->OnFindFile = [&](fw::TObject* sender, const std::string& name) {
    fw::TStatusPanels* panels = frmMain->kBar->GetPanels();
    during.push_back(panels->GetItems(0)->GetText() + "|" + panels->GetItems(2)->GetText() + "|" +
                     (frmMain->barMenu->GetEnabled() ? "bar" : "") + (frmMain->pnlFW->GetEnabled() ? "panel" : "") +
                     (frmMain->Anim->GetActive() ? "anim" : ""));
    findFile(sender, name);
  };
  Pick(root + "\\");
  std::vector<std::string> names = RowNames();
  std::sort(names.begin(), names.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(names, listed);
  for (int i = 0; i < Rows()->GetCount(); ++i) EXPECT_EQ(Status(i), "Waiting");
  ASSERT_FALSE(during.empty());
  EXPECT_EQ(during.front(), "Searching for files...|Searching in " + root + "\\...|anim");
  EXPECT_EQ(frmMain->kBar->GetPanels()->GetItems(0)->GetText(), "");
  EXPECT_EQ(frmMain->kBar->GetPanels()->GetItems(2)->GetText(), "Complete...");
  ExpectIdle();
  EXPECT_TRUE(wiper->kBitBtn4->GetEnabled());
  EXPECT_EQ(wiper->kEdit6->GetText(), root);

  // A second folder's files are appended.
  const std::string more = MakeFile("more\\m.txt", "m");
  Pick(files + "more");
  EXPECT_EQ(RowNames().back(), more);
  EXPECT_EQ(Rows()->GetCount(), static_cast<int>(listed.size()) + 1);
}

TEST_F(FileWiperTest, NothingIsListedForCancelMissingPathsOrEmptyFolders) {
  const std::string file = MakeFile("kept.txt", "k");
  Pick(file);
  ASSERT_EQ(Rows()->GetCount(), 1);

  Pick(MakeFile("other.txt", "o"), IDCANCEL);
  EXPECT_EQ(wiper->kEdit6->GetText(), file);
  EXPECT_EQ(Rows()->GetCount(), 1);

  // The shell hands back the path it knew, but the file went away meanwhile.
  const std::string gone = MakeFile("gone.txt", "g");
  wiper->SvBrowser1->OnSelChanged = [&](fw::TObject*) { DeleteFileA(gone.c_str()); };
  Pick(gone);
  wiper->SvBrowser1->OnSelChanged = nullptr;
  if (!fw::FileExists(gone)) {
    EXPECT_EQ(Rows()->GetCount(), 1);
  }

  fw::CreateDir(files + "empty");
  Pick(files + "empty");
  EXPECT_EQ(Rows()->GetCount(), 1);
  EXPECT_EQ(frmMain->kBar->GetPanels()->GetItems(2)->GetText(), "Complete...");

  // The desktop has no file-system path of its own here: edit and list stay.
  std::string edit = wiper->kEdit6->GetText();
  wiper->SvBrowser1->SetSelectedFolder("");
  wiper->SvBrowser1->OnShow = [this](fw::TObject*) {
    HWND dialog = wiper->SvBrowser1->GetDialogHandle();
    LPITEMIDLIST drives = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives))) {
      SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(drives));
      CoTaskMemFree(drives);
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  wiper->kSpeedButton1->Click();
  if (wiper->SvBrowser1->GetPath().empty()) {
    EXPECT_EQ(wiper->kEdit6->GetText(), edit);
    EXPECT_EQ(Rows()->GetCount(), 1);
  }
}

TEST_F(FileWiperTest, ClearListFollowsTheRows) {
  Pick(MakeFile("a.txt", "a"));
  EXPECT_TRUE(wiper->kBitBtn4->GetEnabled());
  wiper->kBitBtn4->Click();
  EXPECT_EQ(Rows()->GetCount(), 0);
  EXPECT_FALSE(wiper->kBitBtn4->GetEnabled());
  EXPECT_FALSE(wiper->btnFWDelete->GetEnabled());
  // Wiping the last row leaves nothing to clear.
  Pick(files + "a.txt");
  TickAll();
  EXPECT_EQ(Wipe(), kComplete);
  EXPECT_EQ(Rows()->GetCount(), 0);
  EXPECT_FALSE(wiper->kBitBtn4->GetEnabled());
}

// ---- Passes on disk ----

// Files shorter and longer than one block of writes (1 MiB).
TEST_F(FileWiperTest, SixPassesOfFreshBytesKeepTheLengthThenTheFileIsGone) {
  TScriptedSource source;
  app::testing::SetWipeRandomSource(&source);
  std::vector<std::string> expected;
  reader.OnPass = [&](int) {
    expected.push_back(source.Produced);
    source.Produced.clear();
    // While the passes run, the bar and the tool's panel are disabled and the animation plays.
    EXPECT_FALSE(frmMain->barMenu->GetEnabled() || frmMain->pnlFW->GetEnabled());
    EXPECT_TRUE(frmMain->Anim->GetActive());
  };
  for (size_t size : {size_t{1000}, size_t{1048576 + 1000}}) {
    SCOPED_TRACE(size);
    expected.clear();
    reader.Passes.clear();
    reader.Contents.clear();
    reader.Deleted.clear();
    source.Fills = source.Acquired = source.Released = 0;
    const std::string file = MakeFile("secret" + std::to_string(size) + ".bin", Pattern(size, 'a'));
    Pick(file);
    TickAll();
    EXPECT_EQ(Wipe(), kComplete);
    EXPECT_EQ(reader.Passes, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    ASSERT_EQ(reader.Contents.size(), 6u);
    for (size_t pass = 0; pass < 6; ++pass) {
      EXPECT_EQ(reader.Contents[pass].size(), size) << pass;
      EXPECT_TRUE(reader.Contents[pass] == expected[pass]) << pass;
      if (pass > 0) {
        EXPECT_TRUE(reader.Contents[pass] != reader.Contents[pass - 1]) << pass;
      }
    }
    EXPECT_EQ(source.Fills, size > 1048576 ? 12 : 6);
    EXPECT_EQ(reader.Deleted, std::vector<std::string>{file});
    EXPECT_EQ(source.Acquired, 1);
    EXPECT_EQ(source.Released, 1);
    EXPECT_FALSE(fw::FileExists(file));
    EXPECT_EQ(Rows()->GetCount(), 0);
    ExpectIdle();
  }
}

TEST_F(FileWiperTest, FilesOutsideTheCodePageOrBeyondMaxPathAreWipedToo) {
  for (const sb::THardPath& hard : sb::HardPaths(files, "z.tmp")) {
    sb::WriteFile(hard.Path(), Pattern(3000, 'h'));
    reader.Passes.clear();
    EXPECT_EQ(app::WipeFile(hard.Path()), app::wrWiped) << hard.Label;
    EXPECT_EQ(reader.Passes.size(), 6u) << hard.Label;
    EXPECT_FALSE(sb::Exists(hard.Path())) << hard.Label;
  }
}

TEST_F(FileWiperTest, AnEmptyFileIsFlushedSixTimesWithNothingWrittenThenDeleted) {
  TScriptedSource source;
  app::testing::SetWipeRandomSource(&source);
  const std::string file = MakeFile("empty.txt", "");
  Pick(file);
  TickAll();
  EXPECT_EQ(Wipe(), kComplete);
  EXPECT_EQ(reader.Passes.size(), 6u);
  for (const std::string& content : reader.Contents) EXPECT_EQ(content, "");
  EXPECT_EQ(source.Fills, 0);
  EXPECT_FALSE(fw::FileExists(file));
  EXPECT_EQ(Rows()->GetCount(), 0);
}

TEST_F(FileWiperTest, TheCryptoApiSourceWipesOnAFreshPrefix) {
  // Flags 0 needs a default key container, which the sandbox prefix does not have.
  HCRYPTPROV provider = 0;
  bool defaultContainer = CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, 0);
  if (defaultContainer) CryptReleaseContext(provider, 0);
  RecordProperty("default_key_container", defaultContainer ? "yes" : "no");

  const std::string original = Pattern(300000, 'q');
  const std::string file = MakeFile("real.bin", original);
  Pick(file);
  TickAll();
  EXPECT_EQ(Wipe(), kComplete);
  ASSERT_EQ(reader.Contents.size(), 6u);
  for (size_t pass = 0; pass < 6; ++pass) {
    EXPECT_EQ(reader.Contents[pass].size(), original.size());
    EXPECT_NE(reader.Contents[pass], original);
    EXPECT_NE(reader.Contents[pass], std::string(original.size(), '\0'));
    if (pass > 0) {
      EXPECT_NE(reader.Contents[pass], reader.Contents[pass - 1]);
    }
  }
  EXPECT_FALSE(fw::FileExists(file));
}

// ---- Failures are reported, never counted as success ----

TEST_F(FileWiperTest, ARandomSourceThatFailsLeavesTheFile) {
  TScriptedSource source;
  app::testing::SetWipeRandomSource(&source);
  const std::string content = Pattern(1000, 'r');
  const std::string first = MakeFile("first.bin", content), second = MakeFile("second.bin", content);

  source.AcquireOk = false;
  Pick(first);
  TickAll();
  EXPECT_EQ(Wipe(), kSomeLeft);
  EXPECT_EQ(sb::ReadFile(first), content);  // byte for byte
  EXPECT_TRUE(reader.Passes.empty());
  EXPECT_EQ(Status(0), "No random data");
  ExpectIdle();

  wiper->kBitBtn4->Click();
  source.AcquireOk = true;
  source.FailAtFill = 3;  // one fill per pass: the third pass fails
  Pick(second);
  TickAll();
  EXPECT_EQ(Wipe(), kSomeLeft);
  EXPECT_EQ(reader.Passes, (std::vector<int>{1, 2}));
  EXPECT_TRUE(fw::FileExists(second));
  EXPECT_TRUE(reader.Deleted.empty());
  ASSERT_EQ(Rows()->GetCount(), 1);
  EXPECT_EQ(Status(0), "No random data");
  EXPECT_EQ(source.Released, 1);  // the one acquisition that succeeded
  ExpectIdle();
}

TEST_F(FileWiperTest, AFileInUseIsSkippedAndTheNextOneStillWiped) {
  const std::string content = Pattern(5000, 'u');
  const std::string busy = MakeFile("busy.bin", content), free = MakeFile("free.bin", content);
  HANDLE held = CreateFileA(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Pick(free);
  Pick(busy);  // last row: walked first
  TickAll();
  std::string message = Wipe();
  CloseHandle(held);
  EXPECT_EQ(message, kSomeLeft);
  EXPECT_EQ(sb::ReadFile(busy), content);
  EXPECT_FALSE(fw::FileExists(free));
  ASSERT_EQ(RowNames(), std::vector<std::string>{busy});
  EXPECT_EQ(Status(0), "In use or no access");
  ExpectIdle();
}

TEST_F(FileWiperTest, AReadOnlyFileIsNotRemoved) {
  const std::string file = MakeFile("readonly.txt", "keep me");
  Pick(file);
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  TickAll();
  EXPECT_EQ(Wipe(), kSomeLeft);
  EXPECT_TRUE(fw::FileExists(file));
  ASSERT_EQ(Rows()->GetCount(), 1);
  EXPECT_NE(Status(0), "Deleting");
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  ExpectIdle();
}

TEST_F(FileWiperTest, AHardLinkedFileIsRefusedAndItsOtherNameKeepsItsBytes) {
  const std::string content = Pattern(2000, 'h');
  const std::string file = MakeFile("linked.bin", content);
  fw::CreateDir(folder + "elsewhere");
  const std::string other = folder + "elsewhere\\other-name.bin";
  ASSERT_TRUE(CreateHardLinkA(other.c_str(), file.c_str(), nullptr));
  Pick(file);
  TickAll();
  EXPECT_EQ(Wipe(), kSomeLeft);
  EXPECT_EQ(sb::ReadFile(other), content);
  EXPECT_EQ(sb::ReadFile(file), content);
  EXPECT_TRUE(reader.Passes.empty());
  ASSERT_EQ(Rows()->GetCount(), 1);
  EXPECT_EQ(Status(0), "Link, not wiped");
  ExpectIdle();
}

// Data-loss regression: a picked folder held a host's symbolic link to a file in another folder,
// which Wine shows as a plain file; Delete overwrote and deleted what it led to. The link is
// refused like a hard link, its target is never opened for writing, and the folder's other files
// are still wiped.
TEST_F(FileWiperTest, AFileLinkIsRefusedAndItsTargetOutsideKeepsItsBytes) {
  const std::string content = Pattern(3000, 's');
  fw::CreateDir(folder + "target");
  const std::string target = folder + "target\\precious.bin";
  sb::WriteFile(target, content);
  const std::string picked = files + "picked\\";
  const std::string plain = MakeFile("picked\\plain.bin", Pattern(500, 'p'));
  const std::string link = picked + "link.bin";
  sb::TLinkGuard unlink(link);
  if (!sb::MakeLink(link, target, false)) GTEST_SKIP() << "no link to a file can be made here";
  Pick(picked);
  ASSERT_EQ(Rows()->GetCount(), 2);
  TickAll();
  EXPECT_EQ(Wipe(), kSomeLeft);
  EXPECT_EQ(sb::ReadFile(target), content);
  EXPECT_EQ(sb::ReadFile(link), content);
  EXPECT_FALSE(fw::FileExists(plain));
  EXPECT_EQ(reader.Passes.size(), 6u);  // the plain file's
  ASSERT_EQ(RowNames(), std::vector<std::string>{link});
  EXPECT_EQ(Status(0), "Link, not wiped");
  ExpectIdle();
  // Picked by itself, the same.
  wiper->kBitBtn4->Click();
  Pick(link);
  TickAll();
  EXPECT_EQ(Wipe(), kSomeLeft);
  EXPECT_EQ(sb::ReadFile(target), content);
  EXPECT_EQ(Status(0), "Link, not wiped");
}

TEST_F(FileWiperTest, APickedFolderThatIsALinkIsNotSearched) {
  fw::CreateDir(folder + "outside");
  sb::WriteFile(folder + "outside\\keep.txt", "keep");
  const std::string link = files + "folder-link";
  sb::TLinkGuard unlink(link);
  if (!sb::MakeLink(link, folder + "outside", true) || !(GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT))
    GTEST_SKIP() << "this Wine leaves no symbolic link to a folder (neither CreateSymbolicLinkA nor the host's ln)";
  Pick(link);
  EXPECT_EQ(Rows()->GetCount(), 0);
  ASSERT_FALSE(scripted->Texts.empty());
  EXPECT_EQ(scripted->Texts.back(), link + " is a link to another folder; its files are not listed.");
  ExpectIdle(false);
}

namespace {

// The platform's file calls, one of which fails (or writes short) at its n-th call.
class TFailingCalls : public app::TWipeFileCalls {
 public:
  bool SeekToStart(HANDLE file) override { return ++Seeks != FailSeek && TWipeFileCalls::SeekToStart(file); }
  bool Write(HANDLE file, const void* buffer, DWORD count, DWORD& written) override {
    ++Writes;
    if (Writes == FailWrite) return false;
    if (Writes == ShortWrite) count /= 2;
    return TWipeFileCalls::Write(file, buffer, count, written);
  }
  bool Flush(HANDLE file) override { return ++Flushes != FailFlush && TWipeFileCalls::Flush(file); }

  int FailSeek = 0, FailWrite = 0, ShortWrite = 0, FailFlush = 0;  // 0: never
  int Seeks = 0, Writes = 0, Flushes = 0;
};

}  // namespace

// A seek, write or flush that fails in the middle of the passes leaves the file where it was,
// with its length, and its row names the failure; nothing is deleted.
TEST_F(FileWiperTest, AFailedSeekWriteOrFlushLeavesTheFileAndNamesTheFailure) {
  TScriptedSource source;
  app::testing::SetWipeRandomSource(&source);
  struct TCase {
    const char* Label;
    int TFailingCalls::*Field;
    int At;  // one write per pass: the file is smaller than a block
  };
  const TCase cases[] = {{"seek", &TFailingCalls::FailSeek, 2},
                         {"write", &TFailingCalls::FailWrite, 3},
                         {"short write", &TFailingCalls::ShortWrite, 1},
                         {"flush", &TFailingCalls::FailFlush, 4}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    TFailingCalls calls;
    calls.*c.Field = c.At;
    app::testing::SetWipeFileCalls(&calls);
    reader.Passes.clear();
    reader.Deleted.clear();
    const std::string file = MakeFile(std::string(c.Label) + ".bin", Pattern(4000, 'w'));
    Pick(file);
    TickAll();
    EXPECT_EQ(Wipe(), kSomeLeft);
    app::testing::SetWipeFileCalls(nullptr);
    EXPECT_TRUE(fw::FileExists(file));
    EXPECT_EQ(sb::ReadFile(file).size(), 4000u);
    EXPECT_TRUE(reader.Deleted.empty());
    EXPECT_EQ(reader.Passes.size(), static_cast<size_t>(c.At - 1));
    ASSERT_EQ(RowNames(), std::vector<std::string>{file});
    EXPECT_EQ(Status(0), "Write failed");
    ExpectIdle();
    wiper->kBitBtn4->Click();
  }
}

TEST_F(FileWiperTest, ADeleteLeftPendingKeepsTheRow) {
  const std::string file = MakeFile("pending.bin", Pattern(700, 'p'));
  HANDLE other = INVALID_HANDLE_VALUE;
  reader.OnDelete = [&](const std::string& name) {
    other = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, 0, nullptr);
  };
  Pick(file);
  TickAll();
  std::string message = Wipe();
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(message, kSomeLeft);
  ASSERT_EQ(Rows()->GetCount(), 1);
  EXPECT_EQ(Status(0), "Overwritten but not deleted");
  ExpectIdle();
  CloseHandle(other);
}

// ---- The walk ----

TEST_F(FileWiperTest, OnlyTickedRowsAreWipedAndTwiceListedFilesLeaveTogether) {
  const std::string a = MakeFile("a.bin", "a"), b = MakeFile("b.bin", "b");
  Pick(a);
  Pick(b);
  Pick(a);
  Rows()->GetItem(0)->SetChecked(true);
  Rows()->GetItem(2)->SetChecked(true);
  EXPECT_EQ(Wipe(), kComplete);
  EXPECT_FALSE(fw::FileExists(a));
  EXPECT_TRUE(fw::FileExists(b));
  EXPECT_EQ(RowNames(), std::vector<std::string>{b});
  EXPECT_EQ(Status(0), "Waiting");
}

TEST_F(FileWiperTest, NothingTickedOrCancelledWipesNothing) {
  const std::string a = MakeFile("a.bin", "a");
  Pick(a);
  EXPECT_EQ(Wipe(), kComplete);
  EXPECT_TRUE(fw::FileExists(a));
  TickAll();
  scripted->Answers.push_back(fw::mrCancel);
  wiper->btnFWDelete->Click();
  EXPECT_EQ(sb::ReadFile(a), "a");
  EXPECT_EQ(Rows()->GetCount(), 1);
  EXPECT_EQ(Status(0), "Waiting");
  EXPECT_EQ(scripted->Texts.back(), "Delete files? Deleted files can not be restored!");
  // A file removed meanwhile is reported.
  DeleteFileA(a.c_str());
  EXPECT_EQ(Wipe(), kSomeLeft);
  EXPECT_EQ(Status(0), "Not found");
}

// The user leaves the File wiper with Delete focused over a ticked file, opens the Cleaners
// section and clicks the Drive clean tile: two Spaces ask nothing and the file keeps its bytes.
TEST_F(FileWiperTest, SpacesAfterSwitchingToTheDriveCleanerWipeNothing) {
  const std::string a = MakeFile("a.bin", "kept bytes");
  Pick(a);
  TickAll();
  ClickSection(0);
  ASSERT_NO_FATAL_FAILURE(
      LeaveByTile(wiper->btnFWDelete, frmMain->frmCleaners1->kSpeedButton1, frmMain->pnlFW, frmMain->pnlDC));
  EXPECT_EQ(SpacesAsked(2), std::vector<std::string>{});
  EXPECT_EQ(sb::ReadFile(a), "kept bytes");
  EXPECT_EQ(RowNames(), std::vector<std::string>{a});
  EXPECT_EQ(reader.Passes, std::vector<int>{});
}

TEST_F(FileWiperTest, TheWindowComesBackAfterAnException) {
  const std::string a = MakeFile("a.bin", "abc");
  reader.OnPass = [](int pass) {
    if (pass == 2) throw std::runtime_error("observer failed");
  };
  Pick(a);
  TickAll();
  scripted->Answers.push_back(fw::mrOk);
  EXPECT_THROW(wiper->btnFWDelete->Click(), std::runtime_error);
  ExpectIdle();
  EXPECT_TRUE(fw::FileExists(a));
}
