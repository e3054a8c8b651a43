// The Wine sandbox itself: the shell's recycle bin must land in the sandbox trash, the
// destructive test helpers must refuse paths outside C:\sandbox\, and the tree removal that
// tests and benchmarks share never follows a link.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/win.h"
#include "support/host_links.h"
#include "support/sandbox.h"

using namespace testing_sandbox;

TEST(Sandbox, RecycledFileLandsInSandboxTrash) {
  std::string dir = TestFolder();
  std::string name = "recycle-me-" + std::to_string(GetTickCount()) + ".txt";
  WriteFile(dir + name, "bye");

  std::string from = dir + name;
  from.push_back('\0');
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  ASSERT_EQ(SHFileOperationA(&op), 0);
  EXPECT_EQ(GetFileAttributesA((dir + name).c_str()), INVALID_FILE_ATTRIBUTES);

  const char* trash = std::getenv("VORLET_SANDBOX_TRASH");
  ASSERT_NE(trash, nullptr);
  std::string inTrash = std::string(trash) + "\\" + name;
  EXPECT_NE(GetFileAttributesA(inTrash.c_str()), INVALID_FILE_ATTRIBUTES) << inTrash;
  DeleteFileA(inTrash.c_str());
}

TEST(Sandbox, HomeAndDriveZAreRedirected) {
  // Z: is the build tree, never the host's root.
  EXPECT_EQ(GetFileAttributesA("Z:\\etc\\passwd"), INVALID_FILE_ATTRIBUTES);
  char profile[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, profile, CSIDL_DESKTOPDIRECTORY, FALSE));
  // The desktop folder is a plain folder of the prefix, not a link into a real home.
  EXPECT_EQ(std::string(profile).rfind("C:\\", 0), 0u) << profile;
}

TEST(SandboxDeathTest, RefusesOutsidePaths) {
  EXPECT_FALSE(InSandbox("C:\\windows\\win.ini"));
  EXPECT_FALSE(InSandbox("C:\\sandbox\\..\\windows"));
  EXPECT_FALSE(InSandbox("C:\\sandbox\\"));
  EXPECT_TRUE(InSandbox("C:\\sandbox\\x\\y.txt"));
}

namespace {
}  // namespace

TEST(Sandbox, TreeRemovalRefusesClimbingPaths) {
  std::string dir = TestFolder();
  CreateDirectoryA((dir + "tree").c_str(), nullptr);
  CreateDirectoryA((dir + "victim").c_str(), nullptr);
  WriteFile(dir + "victim\\keep.txt", "keep");
  // Even a path that climbs back into the sandbox is refused, and touches nothing.
  for (const std::string& path :
       std::vector<std::string>{dir + "tree\\..\\victim", dir + "tree\\..\\victim\\", "C:\\sandbox\\..\\"}) {
    EXPECT_FALSE(InSandbox(path)) << path;
    EXPECT_FALSE(RemoveSandboxTree(path)) << path;
  }
  EXPECT_EQ(ReadFile(dir + "victim\\keep.txt"), "keep");
  EXPECT_TRUE(Exists(dir + "tree"));
  EXPECT_FALSE(RemoveSandboxTree("C:\\sandbox\\"));
  EXPECT_FALSE(RemoveSandboxTree("C:\\windows\\vorlet-none"));
  EXPECT_TRUE(RemoveSandboxTree(dir + "victim\\"));
  EXPECT_FALSE(Exists(dir + "victim"));
}

// Under Wine a link to a file looks like the file itself, and deleting it deletes the target.
TEST(Sandbox, TreeRemovalNeverFollowsLinks) {
  std::string dir = TestFolder();
  std::string tree = dir + "tree\\", target = dir + "target\\";
  for (const std::string& folder : {tree, tree + "sub\\", target}) CreateDirectoryA(folder.c_str(), nullptr);
  WriteFile(tree + "plain.txt", "x");
  WriteFile(tree + "sub\\deep.txt", "y");
  WriteFile(target + "keep.txt", "keep");
  const std::string folderLink = tree + "sub\\folder-link", fileLink = tree + "file-link.txt";
  struct TUnlink {
    std::vector<std::string> Links;
    ~TUnlink() {
      for (const std::string& link : Links) RemoveHostLink(link);
    }
  } unlink;
  if (!MakeLink(folderLink, dir + "target", true)) GTEST_SKIP() << "no links here";
  unlink.Links.push_back(folderLink);
  ASSERT_TRUE(MakeLink(fileLink, target + "keep.txt", false));
  unlink.Links.push_back(fileLink);
  ASSERT_EQ(ReadFile(fileLink), "keep");

  RemoveSandboxTree(tree);
  EXPECT_EQ(ReadFile(target + "keep.txt"), "keep") << "the target of the links survives";
  EXPECT_TRUE(Exists(target)) << "the target folder survives";
  EXPECT_FALSE(Exists(tree + "plain.txt"));
  EXPECT_FALSE(Exists(tree + "sub\\deep.txt"));

  // With the links taken away by hand (Wine), the rest goes.
  for (const std::string& link : unlink.Links) EXPECT_TRUE(RemoveHostLink(link)) << link;
  EXPECT_TRUE(RemoveSandboxTree(tree));
  EXPECT_FALSE(Exists(tree));
  EXPECT_EQ(ReadFile(target + "keep.txt"), "keep");
}
