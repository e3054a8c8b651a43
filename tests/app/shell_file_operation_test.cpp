// Silent shell file operations on real files of the sandbox: the recycle bin is the sandbox's
// trash. Nothing may be overwritten or lost, and every failure must be reported as one. The
// recycle-bin measuring and emptying is tested here too, so it never runs while another test of
// this program looks for its file in the trash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/shared/file_procedures.h"
#include "app/shared/shell_file_operation.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_links.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_path.h"
#include "support/hard_paths.h"
#include "support/host_links.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

using namespace app;
using testing_sandbox::ReadFile;
using testing_sandbox::WriteFile;

namespace {

using testing_sandbox::Exists;

// A unique file name, so the sandbox trash (shared by all test programs) can be checked.
std::string UniqueName(const char* stem, const char* ext) {
  static int counter = 0;
  return std::string(stem) + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) +
         "-" + std::to_string(++counter) + ext;
}

bool InTrash(const std::string& name) {
  const char* trash = std::getenv("VORLET_SANDBOX_TRASH");
  return trash && Exists(std::string(trash) + "\\" + name);
}

class ShellFileOperationTest : public testing_gui::SeamTest {
 protected:
  void SetUp() override { dir = testing_sandbox::TestFolder(); }
  std::string dir;
};

}  // namespace

TEST_F(ShellFileOperationTest, RecycleAndDeleteRemoveOnlyTheSource) {
  std::string recycled = UniqueName("recycled", ".txt");
  std::string deleted = UniqueName("deleted", ".txt");
  WriteFile(dir + recycled, "to the bin");
  WriteFile(dir + deleted, "gone");
  WriteFile(dir + "neighbour.txt", "stays");

  EXPECT_TRUE(ShellFileOperation(dir + recycled, "", rmRecycle));
  EXPECT_FALSE(Exists(dir + recycled));
  EXPECT_TRUE(InTrash(recycled));

  EXPECT_TRUE(ShellFileOperation(dir + deleted, "ignored", rmDelete));
  EXPECT_FALSE(Exists(dir + deleted));
  EXPECT_FALSE(InTrash(deleted));
  EXPECT_EQ(ReadFile(dir + "neighbour.txt"), "stays");

  // A folder goes to the recycle bin with its contents.
  std::string folder = UniqueName("folder", "");
  fw::CreateDir(dir + folder);
  WriteFile(dir + folder + "\\inner.txt", "x");
  EXPECT_TRUE(ShellFileOperation(dir + folder + "\\", "", rmRecycle));
  EXPECT_FALSE(Exists(dir + folder));
  EXPECT_TRUE(InTrash(folder));
}

TEST_F(ShellFileOperationTest, MissingSourceOrBadModeFailsAndTouchesNothing) {
  fw::CreateDir(dir + "target");
  for (int mode = 1; mode <= 4; ++mode)
    EXPECT_FALSE(ShellFileOperation(dir + "missing.txt", dir + "target", mode)) << mode;
  EXPECT_FALSE(ShellFileOperation("", dir + "target", 3));
  int shellCalls = 0;  // a drive root never reaches the shell
  app::testing::SetShellOperationCall([&shellCalls](SHFILEOPSTRUCTW&) { return ++shellCalls, 0; });
  for (int mode = 1; mode <= 4; ++mode) EXPECT_FALSE(ShellFileOperation("C:\\", dir + "target", mode)) << mode;
  EXPECT_EQ(shellCalls, 0);
  app::testing::SetShellOperationCall(nullptr);
  EXPECT_FALSE(Exists(dir + "target\\missing.txt"));

  WriteFile(dir + "a.txt", "A");
  for (int mode : {0, 5, -1}) EXPECT_FALSE(ShellFileOperation(dir + "a.txt", dir + "target", mode)) << mode;
  EXPECT_EQ(ReadFile(dir + "a.txt"), "A");
}

TEST_F(ShellFileOperationTest, MoveAndCopyNeverOverwriteInTheTarget) {
  fw::CreateDir(dir + "target");
  WriteFile(dir + "target\\report.doc", "OLD");
  WriteFile(dir + "target\\report (2).doc", "OLD 2");
  WriteFile(dir + "target\\README", "OLD README");

  WriteFile(dir + "report.doc", "NEW");
  EXPECT_TRUE(ShellFileOperation(dir + "report.doc", dir + "target", rmMove));
  EXPECT_FALSE(Exists(dir + "report.doc"));
  EXPECT_EQ(ReadFile(dir + "target\\report.doc"), "OLD");
  EXPECT_EQ(ReadFile(dir + "target\\report (2).doc"), "OLD 2");
  EXPECT_EQ(ReadFile(dir + "target\\report (3).doc"), "NEW");

  WriteFile(dir + "README", "NEW README");
  EXPECT_TRUE(ShellFileOperation(dir + "README", dir + "target\\", rmCopy));
  EXPECT_EQ(ReadFile(dir + "README"), "NEW README") << "copy keeps the source";
  EXPECT_EQ(ReadFile(dir + "target\\README"), "OLD README");
  EXPECT_EQ(ReadFile(dir + "target\\README (2)"), "NEW README");

  // Without a collision the name stays; a folder moves whole.
  WriteFile(dir + "plain.txt", "P");
  EXPECT_TRUE(ShellFileOperation(dir + "plain.txt", dir + "target", rmCopy));
  EXPECT_EQ(ReadFile(dir + "target\\plain.txt"), "P");
  fw::CreateDir(dir + "sub");
  WriteFile(dir + "sub\\in.txt", "I");
  fw::CreateDir(dir + "target\\sub");
  EXPECT_TRUE(ShellFileOperation(dir + "sub", dir + "target", rmMove));
  EXPECT_EQ(ReadFile(dir + "target\\sub (2)\\in.txt"), "I");
  EXPECT_FALSE(Exists(dir + "sub"));
}

TEST_F(ShellFileOperationTest, MissingTargetFolderIsCreatedAndAFileTargetFails) {
  WriteFile(dir + "a.txt", "A");
  EXPECT_TRUE(ShellFileOperation(dir + "a.txt", dir + "new\\deeper", rmMove));
  EXPECT_EQ(ReadFile(dir + "new\\deeper\\a.txt"), "A");

  WriteFile(dir + "b.txt", "B");
  WriteFile(dir + "blocker", "a file, not a folder");
  EXPECT_FALSE(ShellFileOperation(dir + "b.txt", dir + "blocker", rmMove));
  EXPECT_FALSE(ShellFileOperation(dir + "b.txt", dir + "blocker", rmCopy));
  EXPECT_FALSE(ShellFileOperation(dir + "b.txt", dir + "blocker\\below", rmMove));
  EXPECT_FALSE(ShellFileOperation(dir + "b.txt", "", rmMove));
  EXPECT_EQ(ReadFile(dir + "b.txt"), "B");
  EXPECT_EQ(ReadFile(dir + "blocker"), "a file, not a folder");
}

TEST_F(ShellFileOperationTest, FlagsAskNoQuestionsButWarnBeforeDestroyingInsteadOfRecycling) {
  std::vector<SHFILEOPSTRUCTW> calls;
  std::vector<std::string> targets;
  app::testing::SetShellOperationCall([&](SHFILEOPSTRUCTW& op) {
    calls.push_back(op);
    targets.push_back(op.pTo ? fw::WideToUtf8(op.pTo) : "");
    return 0;
  });
  WriteFile(dir + "a.txt", "A");
  fw::CreateDir(dir + "t");
  for (int mode = 1; mode <= 4; ++mode) ShellFileOperation(dir + "a.txt", dir + "t", mode);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].wFunc, static_cast<UINT>(FO_DELETE));
  EXPECT_EQ(+calls[0].fFlags, FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_FILESONLY | FOF_NOERRORUI |
                                 FOF_WANTNUKEWARNING);
  EXPECT_EQ(calls[1].wFunc, static_cast<UINT>(FO_DELETE));
  EXPECT_EQ(+calls[1].fFlags, FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY | FOF_NOERRORUI);
  EXPECT_EQ(calls[2].wFunc, static_cast<UINT>(FO_MOVE));
  EXPECT_EQ(calls[3].wFunc, static_cast<UINT>(FO_COPY));
  for (int i : {2, 3}) {
    EXPECT_EQ(+calls[i].fFlags, FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY | FOF_NOERRORUI | FOF_MULTIDESTFILES);
    EXPECT_EQ(targets[i], dir + "t\\a.txt") << "the full destination name";
  }
  for (const SHFILEOPSTRUCTW& op : calls) EXPECT_EQ(op.hwnd, nullptr);
}

// Whatever the shell shows (the question whether to delete outright what cannot be recycled,
// its errors) belongs to the window the caller names, which the shell disables meanwhile.
TEST_F(ShellFileOperationTest, TheCallersWindowOwnsWhatTheShellShows) {
  HWND window = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  std::vector<HWND> owners;
  app::testing::SetShellOperationCall([&owners](SHFILEOPSTRUCTW& op) {
    owners.push_back(op.hwnd);
    return 0;
  });
  WriteFile(dir + "a.txt", "A");
  fw::CreateDir(dir + "t");
  for (int mode = 1; mode <= 4; ++mode) ShellFileOperation(dir + "a.txt", dir + "t", mode, window);
  DeleteFilesByMask(dir, "*.txt", window);
  EXPECT_THROW(DeleteFolderTree(dir + "t", window), fw::EOSError) << "the shell left it in place";
  EXPECT_EQ(owners, std::vector<HWND>(6, window));
  DestroyWindow(window);
}

TEST_F(ShellFileOperationTest, ReportsFailureWhenTheShellDidNotDoIt) {
  WriteFile(dir + "a.txt", "A");
  fw::CreateDir(dir + "t");
  // The user declines the shell's warning on a drive without a recycle bin.
  app::testing::SetShellOperationCall([](SHFILEOPSTRUCTW& op) {
    op.fAnyOperationsAborted = TRUE;
    return 0;
  });
  EXPECT_FALSE(ShellFileOperation(dir + "a.txt", "", rmRecycle));
  // The shell claims success but the file is still there, or the copy never arrived.
  app::testing::SetShellOperationCall([](SHFILEOPSTRUCTW&) { return 0; });
  EXPECT_FALSE(ShellFileOperation(dir + "a.txt", "", rmDelete));
  EXPECT_FALSE(ShellFileOperation(dir + "a.txt", dir + "t", rmCopy));
  EXPECT_FALSE(ShellFileOperation(dir + "a.txt", dir + "t", rmMove));
  app::testing::SetShellOperationCall([](SHFILEOPSTRUCTW&) -> int { throw fw::Exception("inside the shell"); });
  EXPECT_FALSE(ShellFileOperation(dir + "a.txt", "", rmRecycle));
  EXPECT_EQ(ReadFile(dir + "a.txt"), "A");
}

TEST_F(ShellFileOperationTest, DeleteFilesByMaskRecyclesOnlyMatchingFiles) {
  std::string a = UniqueName("a", ".pf"), b = UniqueName("b", ".pf");
  WriteFile(dir + a, "1");
  WriteFile(dir + b, "2");
  WriteFile(dir + "keep.txt", "3");
  fw::CreateDir(dir + "folder.pf");
  WriteFile(dir + "folder.pf\\inner.pf", "4");
  DeleteFilesByMask(dir, "*.pf");
  EXPECT_FALSE(Exists(dir + a));
  EXPECT_FALSE(Exists(dir + b));
  EXPECT_TRUE(InTrash(a) && InTrash(b));
  EXPECT_EQ(ReadFile(dir + "keep.txt"), "3");
  EXPECT_EQ(ReadFile(dir + "folder.pf\\inner.pf"), "4") << "folders and their files stay";
  DeleteFilesByMask(dir + "nothing-here\\", "*.*");  // a missing folder is no error
}

TEST_F(ShellFileOperationTest, DeleteFolderTreeRecyclesOrRaisesWithCodeAndFolder) {
  std::string tree = UniqueName("tree", "");
  fw::ForceDirectories(dir + tree + "\\a\\b");
  WriteFile(dir + tree + "\\a\\b\\f.txt", "x");
  DeleteFolderTree(dir + tree);
  EXPECT_FALSE(Exists(dir + tree));
  EXPECT_TRUE(InTrash(tree));

  try {
    DeleteFolderTree(dir + "no such folder");
    FAIL() << "a missing folder is a failure";
  } catch (const fw::EOSError& e) {
    EXPECT_NE(std::string(e.what()).find(dir + "no such folder"), std::string::npos) << e.what();
  }

  fw::CreateDir(dir + "busy");
  int calls = 0;
  app::testing::SetShellOperationCall([&calls](SHFILEOPSTRUCTW& op) {
    ++calls;
    EXPECT_EQ(op.fFlags, FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO);
    return 0x7C;
  });
  try {
    DeleteFolderTree(dir + "busy");
    FAIL() << "the shell's error must be raised";
  } catch (const fw::EOSError& e) {
    EXPECT_EQ(e.GetErrorCode(), 0x7Cu);
    EXPECT_NE(std::string(e.what()).find(dir + "busy"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("124"), std::string::npos) << e.what();
  }
  // A drive root is never handed to the shell.
  EXPECT_THROW(DeleteFolderTree("C:\\"), fw::EOSError);
  EXPECT_THROW(DeleteFolderTree(""), fw::EOSError);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(fw::DirectoryExists(dir + "busy"));
}

// A folder named with "\\?\" beyond MAX_PATH that cannot be deleted is named in the error as the
// user reads it: one that is not there, and (where links can be made) a link the system would
// follow.
TEST_F(ShellFileOperationTest, AFolderThatCannotBeDeletedIsNamedWithoutTheLongPathPrefix) {
  const std::string longFolder = testing_sandbox::HardPaths(dir, "dirlink")[1].Folder;
  const std::string missing = longFolder + "missing", link = longFolder + "dirlink";
  try {
    DeleteFolderTree("\\\\?\\" + missing);
    FAIL() << "a missing folder is a failure";
  } catch (const fw::EOSError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot delete the folder \"" + missing + "\" (error 3).");
  }
  testing_sandbox::MakeFolders(dir + "outside");
  testing_sandbox::WriteFile(dir + "outside\\kept.txt", "kept");
  testing_sandbox::TLinkGuard unlink(link);
  if (!testing_sandbox::MakeLink(link, dir + "outside", true)) GTEST_SKIP() << "no links here";
  if (fw::CanTakeLinkByItself(link)) return;  // the link goes by itself; nothing to report
  try {
    DeleteFolderTree("\\\\?\\" + link);
    FAIL() << "a link the system follows is not removed";
  } catch (const fw::EOSError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot delete the folder \"" + link + "\": a link in it cannot be removed by itself.");
  }
  EXPECT_EQ(ReadFile(dir + "outside\\kept.txt"), "kept");
}

// Data-loss regression: recycling a symbolic link sent the file it leads to to the recycle bin.
// With every method, a link is removed or moved by itself, or left alone with a failure; what it
// leads to keeps its bytes and its place and never reaches the recycle bin. The same holds for
// links to folders, links inside a folder that is removed, moved or copied, and the mask and
// tree removals of the cleaners.
TEST_F(ShellFileOperationTest, NothingIsRemovedMovedOrCopiedThroughALink) {
  const std::string outside = dir + "outside\\", in = dir + "in\\";
  testing_sandbox::MakeFolders(outside + "dir");
  testing_sandbox::MakeFolders(in + "holder");
  testing_sandbox::WriteFile(outside + "dir\\kept.txt", "kept");
  std::vector<std::string> links, targets;
  for (int mode = 1; mode <= 4; ++mode) {
    std::string target = outside + UniqueName("target", ".txt");
    testing_sandbox::WriteFile(target, "precious " + std::to_string(mode));
    targets.push_back(target);
    links.push_back(in + "ptr" + std::to_string(mode) + ".tmp");
    links.push_back(in + "dirlink" + std::to_string(mode));
  }
  links.push_back(in + "holder\\inner.tmp");
  links.push_back(in + "mask.tmp");
  std::vector<std::unique_ptr<testing_sandbox::TLinkGuard>> guards;
  for (const std::string& link : links) guards.push_back(std::make_unique<testing_sandbox::TLinkGuard>(link));
  for (int mode = 1; mode <= 4; ++mode)
    if (!testing_sandbox::MakeLink(links[2 * (mode - 1)], targets[mode - 1], false) ||
        !testing_sandbox::MakeLink(links[2 * (mode - 1) + 1], outside + "dir", true))
      GTEST_SKIP() << "no links here";
  if (!testing_sandbox::MakeLink(in + "holder\\inner.tmp", targets[0], false) ||
      !testing_sandbox::MakeLink(in + "mask.tmp", targets[1], false))
    GTEST_SKIP() << "no links here";

  auto targetsIntact = [&] {
    for (int mode = 1; mode <= 4; ++mode) {
      EXPECT_EQ(ReadFile(targets[mode - 1]), "precious " + std::to_string(mode));
      EXPECT_FALSE(InTrash(fw::ExtractFileName(targets[mode - 1])));
    }
    EXPECT_EQ(ReadFile(outside + "dir\\kept.txt"), "kept");
  };
  for (int mode = 1; mode <= 4; ++mode) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    for (const std::string& link : {links[2 * (mode - 1)], links[2 * (mode - 1) + 1]}) {
      SCOPED_TRACE(link);
      bool done = ShellFileOperation(link, dir + "moved", mode);
      if (mode == rmCopy) { EXPECT_FALSE(done) << "a copy would copy what the link leads to"; }
      if (done) { EXPECT_FALSE(Exists(link)); }
      if (done && mode == rmMove) { EXPECT_TRUE(Exists(dir + "moved\\" + fw::ExtractFileName(link))); }
      targetsIntact();
    }
    // A folder that holds a link.
    bool done = ShellFileOperation(in + "holder", dir + "moved", mode);
    if (mode == rmCopy || mode == rmMove) { EXPECT_FALSE(done) << "a folder holding a link is not moved or copied"; }
    if (done) { EXPECT_FALSE(Exists(in + "holder")); }
    targetsIntact();
  }
  DeleteFilesByMask(in, "mask.*");
  targetsIntact();
  try {
    DeleteFolderTree(in);
  } catch (const fw::EOSError&) {
    // A link that cannot be removed by itself stops the removal.
  }
  targetsIntact();
}

// A copy of a link, to a file or to a folder, is refused before anything is made: the link stays
// a link to what it led to, that keeps its bytes, and the target folder is not even created.
TEST_F(ShellFileOperationTest, ACopyOfALinkIsRefusedAndLeavesBothInPlace) {
  const std::string outside = dir + "outside\\", in = dir + "in\\";
  testing_sandbox::MakeFolders(outside + "dir");
  testing_sandbox::MakeFolders(in);
  testing_sandbox::WriteFile(outside + "file.txt", "file");
  testing_sandbox::WriteFile(outside + "dir\\kept.txt", "kept");
  const std::string fileLink = in + "filelink.txt", folderLink = in + "folderlink";
  testing_sandbox::TLinkGuard unlinkFile(fileLink), unlinkFolder(folderLink);
  if (!testing_sandbox::MakeLink(fileLink, outside + "file.txt", false) ||
      !testing_sandbox::MakeLink(folderLink, outside + "dir", true))
    GTEST_SKIP() << "no links here";
  int shellCalls = 0;
  app::testing::SetShellOperationCall([&](SHFILEOPSTRUCTW& op) {
    ++shellCalls;
    return SHFileOperationW(&op);
  });
  for (const std::string& link : {fileLink, folderLink}) {
    SCOPED_TRACE(link);
    const std::string leadsTo = fw::FinalPathName(link);
    EXPECT_FALSE(ShellFileOperation(link, dir + "copies", rmCopy));
    EXPECT_TRUE(fw::IsLink(link));
    EXPECT_EQ(fw::FinalPathName(link), leadsTo);
    EXPECT_FALSE(Exists(dir + "copies")) << "a refused copy makes nothing";
  }
  EXPECT_EQ(shellCalls, 0);
  EXPECT_EQ(ReadFile(fileLink), "file");
  EXPECT_EQ(ReadFile(outside + "file.txt"), "file");
  EXPECT_EQ(ReadFile(folderLink + "\\kept.txt"), "kept");
  EXPECT_EQ(ReadFile(outside + "dir\\kept.txt"), "kept");
}

// A permanent delete of a folder that holds a link to another folder takes the link by itself:
// the files behind the link stay, whether or not the folder could go.
TEST_F(ShellFileOperationTest, DeletingAFolderThatHoldsAFolderLinkLeavesTheFilesBehindIt) {
  const std::string outside = dir + "outside\\", holder = dir + "holder\\";
  testing_sandbox::MakeFolders(outside + "dir\\deeper");
  testing_sandbox::WriteFile(outside + "dir\\kept.txt", "kept");
  testing_sandbox::WriteFile(outside + "dir\\deeper\\kept too.txt", "kept too");
  testing_sandbox::MakeFolders(holder);
  testing_sandbox::WriteFile(holder + "own.txt", "own");
  const std::string link = holder + "dirlink";
  testing_sandbox::TLinkGuard unlink(link);
  if (!testing_sandbox::MakeLink(link, outside + "dir", true)) GTEST_SKIP() << "no links here";
  bool done = ShellFileOperation(holder, "", rmDelete);
  EXPECT_EQ(ReadFile(outside + "dir\\kept.txt"), "kept");
  EXPECT_EQ(ReadFile(outside + "dir\\deeper\\kept too.txt"), "kept too");
  EXPECT_EQ(done, !Exists(holder));
}

// Names outside the ANSI code page and full paths beyond MAX_PATH are removed, moved and copied
// by every method, into folders of the same kind.
TEST_F(ShellFileOperationTest, ForeignNamesAndLongPathsWorkWithEveryMethod) {
  for (int mode = 1; mode <= 4; ++mode) {
    for (const testing_sandbox::THardPath& c : testing_sandbox::HardPaths(dir, UniqueName("hard", ".tmp"))) {
      SCOPED_TRACE(c.Label + ", mode " + std::to_string(mode) + ": " + c.Path());
      WriteFile(c.Path(), "bytes of " + c.Label);
      std::string target = c.Folder + testing_sandbox::kForeignFolderName;
      ASSERT_TRUE(ShellFileOperation(c.Path(), target, mode));
      EXPECT_EQ(Exists(c.Path()), mode == rmCopy);
      EXPECT_EQ(InTrash(c.Name), mode == rmRecycle);
      if (mode >= rmMove) { EXPECT_EQ(ReadFile(target + "\\" + c.Name), "bytes of " + c.Label); }
    }
  }
}

TEST(RecycleBin, SizeGrowsWithRecycledFilesAndEmptyingClearsIt) {
  std::string dir = testing_sandbox::TestFolder();
  std::string name = "bin-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + ".bin";
  testing_sandbox::WriteFile(dir + name, std::string(54321, 'r'));
  int64_t before = GetRecycleBinSize();
  ASSERT_TRUE(ShellFileOperation(dir + name, "", rmRecycle));
  int64_t after = GetRecycleBinSize();
  EXPECT_GE(after, before + 54321);

  // The prefix's recycle bin is the sandbox trash: emptying it touches nothing of the host.
  ASSERT_NE(std::getenv("VORLET_SANDBOX_TRASH"), nullptr);
  EXPECT_TRUE(EmptyRecycleBin(nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
  // Other test programs may recycle at the same moment: only our part is asserted.
  EXPECT_LE(GetRecycleBinSize(), after - 54321);
  EXPECT_EQ(GetFileAttributesA((std::string(std::getenv("VORLET_SANDBOX_TRASH")) + "\\" + name).c_str()),
            INVALID_FILE_ATTRIBUTES);
}
