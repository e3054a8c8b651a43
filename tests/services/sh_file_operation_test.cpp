// TDsSHFileOperation on real files in the sandbox (copy, move, rename, delete to the sandbox
// trash), and through the shell-call seam what Wine cannot show: the structure handed to the
// shell and the name mappings it returns.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "framework/rtl/file_utils.h"
#include "services/shell/sh_file_operation.h"
#include "support/sandbox.h"

using namespace svc;
namespace sandbox = testing_sandbox;

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A unique name, since the sandbox trash is shared by every test program.
std::string UniqueName(const char* stem) {
  static int counter = 0;
  return std::string(stem) + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) +
         "-" + std::to_string(++counter) + ".txt";
}

std::vector<std::string> SplitDoubleNul(const char* list) {
  std::vector<std::string> names;
  for (const char* p = list; *p; p += names.back().size() + 1) names.emplace_back(p);
  return names;
}

class ShFileOperation : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = sandbox::TestFolder();
    op = fw::New<TDsSHFileOperation>(nullptr);
  }
  void TearDown() override {
    fw::Free(op);
    svc::testing::SetShFileOperationCall(nullptr);
    svc::testing::SetShFreeNameMappingsCall(nullptr);
    svc::testing::SetWideNameMappings(std::nullopt);
  }
  void Sources(std::initializer_list<std::string> names) {
    op->GetSourceFiles()->Clear();
    for (const std::string& name : names) op->GetSourceFiles()->Add(name);
  }
  void Dests(std::initializer_list<std::string> names) {
    op->GetDestFiles()->Clear();
    for (const std::string& name : names) op->GetDestFiles()->Add(name);
  }

  std::string dir;
  TDsSHFileOperation* op = nullptr;
};

}  // namespace

TEST_F(ShFileOperation, CopyMoveRenameAndDeleteRealFiles) {
  EXPECT_EQ(op->GetOperation(), foCopy);
  EXPECT_TRUE(op->GetOptions() == (TDsSHFileOptions{fofAllowUndo, fofFilesOnly}));
  sandbox::WriteFile(dir + "a.txt", "alpha");
  sandbox::WriteFile(dir + "b.txt", "beta");
  fw::CreateDir(dir + "copies");
  fw::CreateDir(dir + "moved");
  op->SetOptions(op->GetOptions() + fofNoConfirmation + fofSilent);

  Sources({dir + "a.txt", dir + "b.txt"});
  Dests({dir + "copies"});
  ASSERT_TRUE(op->Execute());
  EXPECT_EQ(sandbox::ReadFile(dir + "copies\\a.txt"), "alpha");
  EXPECT_EQ(sandbox::ReadFile(dir + "copies\\b.txt"), "beta");
  EXPECT_TRUE(Exists(dir + "a.txt"));

  // Wine cancels a move of several files into one folder; one at a time it moves them.
  op->SetOperation(foMove);
  for (const char* name : {"a.txt", "b.txt"}) {
    Sources({dir + "copies\\" + name});
    Dests({dir + "moved"});
    ASSERT_TRUE(op->Execute());
  }
  EXPECT_FALSE(Exists(dir + "copies\\a.txt"));
  EXPECT_EQ(sandbox::ReadFile(dir + "moved\\b.txt"), "beta");

  op->SetOperation(foRename);
  Sources({dir + "moved\\a.txt"});
  Dests({dir + "moved\\renamed.txt"});
  ASSERT_TRUE(op->Execute());
  EXPECT_FALSE(Exists(dir + "moved\\a.txt"));
  EXPECT_EQ(sandbox::ReadFile(dir + "moved\\renamed.txt"), "alpha");

  // Delete with the default options goes to the recycle bin, the sandbox's trash.
  std::string first = UniqueName("recycled"), second = UniqueName("recycled");
  sandbox::WriteFile(dir + first, "gone");
  sandbox::WriteFile(dir + second, "gone too");
  op->SetOperation(foDelete);
  op->SetOptions(TDsSHFileOptions{fofAllowUndo, fofFilesOnly, fofNoConfirmation});
  Sources({dir + first, dir + second});
  Dests({});
  ASSERT_TRUE(op->Execute());
  for (const std::string& name : {first, second}) {
    EXPECT_FALSE(Exists(dir + name));
    EXPECT_TRUE(Exists(std::string(std::getenv("VORLET_SANDBOX_TRASH")) + "\\" + name));
  }
}

TEST_F(ShFileOperation, RelativeSourcesAndBadInput) {
  sandbox::WriteFile(dir + "rel.txt", "relative");
  fw::CreateDir(dir + "out");
  std::string previous = fw::GetCurrentDir();
  ASSERT_TRUE(fw::SetCurrentDir(dir));
  std::vector<std::string> from;
  svc::testing::SetShFileOperationCall([&](SHFILEOPSTRUCTA& s) {
    from = SplitDoubleNul(s.pFrom);
    return SHFileOperationA(&s);
  });
  op->SetOptions(op->GetOptions() + fofNoConfirmation + fofSilent);
  Sources({"rel.txt"});
  Dests({"out"});
  EXPECT_TRUE(op->Execute());
  fw::SetCurrentDir(previous);
  EXPECT_EQ(from, std::vector<std::string>{dir + "rel.txt"});
  EXPECT_EQ(sandbox::ReadFile(dir + "out\\rel.txt"), "relative");

  // A missing source fails and touches nothing else.
  sandbox::WriteFile(dir + "keep.txt", "kept");
  op->SetOperation(foMove);
  op->SetOptions(TDsSHFileOptions{fofNoConfirmation, fofSilent, fofNoErrorUI});
  std::vector<std::string> called;
  svc::testing::SetShFileOperationCall([&](SHFILEOPSTRUCTA& s) {
    called.push_back(s.pFrom);
    return SHFileOperationA(&s);
  });
  Sources({dir + "keep.txt", dir + "missing.txt"});
  Dests({dir + "out"});
  EXPECT_FALSE(op->Execute());
  EXPECT_TRUE(called.empty());
  EXPECT_EQ(sandbox::ReadFile(dir + "keep.txt"), "kept");
  // Masks are the shell's to expand.
  Sources({dir + "*.none"});
  op->SetOperation(foCopy);
  op->Execute();
  EXPECT_EQ(called.size(), 1u);

  Sources({});
  try {
    op->Execute();
    ADD_FAILURE() << "an empty list must raise";
  } catch (const EDsException& e) {
    EXPECT_STREQ(e.what(), "No files specified to TDsSHFileOperation Execute function");
  }
}

TEST_F(ShFileOperation, WhatTheShellIsHanded) {
  SHFILEOPSTRUCTA seen{};
  std::vector<std::string> from;
  bool emptyTo = false;
  std::string title;
  svc::testing::SetShFileOperationCall([&](SHFILEOPSTRUCTA& s) {
    seen = s;
    from = SplitDoubleNul(s.pFrom);
    emptyTo = s.pTo[0] == '\0' && s.pTo[1] == '\0';
    title = s.lpszProgressTitle;
    return 0;
  });
  op->SetOperation(foDelete);
  op->SetOptions(TDsSHFileOptions{fofAllowUndo, fofRenameOnCollision, fofNoRecursion, fofWantNukeWarning});
  op->SetTitle("Removing");
  sandbox::WriteFile(dir + "x.txt", "x");
  sandbox::WriteFile(dir + "y.txt", "y");
  Sources({dir + "x.txt", dir + "y.txt"});
  EXPECT_TRUE(op->Execute());
  EXPECT_EQ(seen.wFunc, static_cast<UINT>(FO_DELETE));
  EXPECT_EQ(seen.fFlags, FOF_ALLOWUNDO | FOF_RENAMEONCOLLISION | 0x1000 | 0x4000);
  EXPECT_EQ(from, (std::vector<std::string>{dir + "x.txt", dir + "y.txt"}));
  EXPECT_TRUE(emptyTo);
  EXPECT_EQ(title, "Removing");

  struct {
    TDsSHFileOpType type;
    UINT code;
  } operations[] = {{foCopy, FO_COPY}, {foMove, FO_MOVE}, {foRename, FO_RENAME}};
  for (const auto& o : operations) {
    op->SetOperation(o.type);
    op->Execute();
    EXPECT_EQ(seen.wFunc, o.code);
  }

  // An aborted operation counts as failed, and so does a shell error.
  svc::testing::SetShFileOperationCall([](SHFILEOPSTRUCTA& s) {
    s.fAnyOperationsAborted = TRUE;
    return 0;
  });
  EXPECT_FALSE(op->Execute());
  svc::testing::SetShFileOperationCall([](SHFILEOPSTRUCTA&) { return 2; });
  EXPECT_FALSE(op->Execute());
}

TEST_F(ShFileOperation, NameMappingsInBothLayouts) {
  for (bool wide : {true, false}) {
    SCOPED_TRACE(wide ? "UTF-16 entries" : "8-bit entries");
    // Three entries, the middle one without names.
    std::wstring wOld[] = {L"C:\\a\\one.txt", L"", L"C:\\a\\two.txt"};
    std::wstring wNew[] = {L"C:\\b\\one (2).txt", L"", L"C:\\b\\Copy of two.txt"};
    std::string aOld[] = {"C:\\a\\one.txt", "", "C:\\a\\two.txt"};
    std::string aNew[] = {"C:\\b\\one (2).txt", "", "C:\\b\\Copy of two.txt"};
    SHNAMEMAPPINGA entries[3];
    for (int i = 0; i < 3; ++i) {
      entries[i].pszOldPath = wide ? reinterpret_cast<LPSTR>(wOld[i].data()) : aOld[i].data();
      entries[i].pszNewPath = wide ? reinterpret_cast<LPSTR>(wNew[i].data()) : aNew[i].data();
      entries[i].cchOldPath = static_cast<int>(wide ? wOld[i].size() : aOld[i].size());
      entries[i].cchNewPath = static_cast<int>(wide ? wNew[i].size() : aNew[i].size());
    }
    struct {
      UINT count;
      SHNAMEMAPPINGA* entries;
    } block{3, entries};

    svc::testing::SetWideNameMappings(wide);
    svc::testing::SetShFileOperationCall([&](SHFILEOPSTRUCTA& s) {
      s.hNameMappings = &block;
      return 0;
    });
    std::vector<HANDLE> freed;
    svc::testing::SetShFreeNameMappingsCall([&](HANDLE h) { freed.push_back(h); });
    std::vector<std::string> reported;
    op->OnFileMapping = [&](fw::TObject* sender, const std::string& oldName, const std::string& newName) {
      EXPECT_EQ(sender, op);
      reported.push_back(oldName + ">" + newName);
    };
    sandbox::WriteFile(dir + "one.txt", "1");
    Sources({dir + "one.txt"});
    EXPECT_TRUE(op->Execute());
    EXPECT_EQ(reported, (std::vector<std::string>{"C:\\a\\one.txt>C:\\b\\one (2).txt",
                                                  "C:\\a\\two.txt>C:\\b\\Copy of two.txt"}));
    EXPECT_EQ(freed, std::vector<HANDLE>{&block});
  }
}
