// The Wine sandbox itself: the shell's recycle bin must land in the sandbox trash, and the
// destructive test helpers must refuse paths outside C:\sandbox\.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/win.h"
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
