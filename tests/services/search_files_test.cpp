// The file search engine and its wildcard matcher, on real trees in the sandbox folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/rtl/date_time.h"
#include "framework/rtl/exceptions.h"
#include "framework/classes/string_list.h"
#include "framework/win.h"
#include "services/search/search_files.h"
#include "services/search/wildcard_match.h"
#include "framework/classes/streams.h"
#include "support/hard_paths.h"
#include "support/host_links.h"
#include "support/sandbox.h"
#include "support/seam_guard.h"

using namespace svc;
namespace sb = testing_sandbox;

namespace {

using Names = std::vector<std::string>;

// Makes folders (names ending in a backslash) and one-byte files under root, in order.
void Make(const std::string& root, const Names& names) {
  for (const std::string& name : names) {
    if (name.back() == '\\')
      ASSERT_TRUE(CreateDirectoryA((root + name).c_str(), nullptr)) << name;
    else
      sb::WriteFile(root + name, "x");
  }
}

void MakeSized(const std::string& path, size_t size) { sb::WriteFile(path, std::string(size, 'z')); }

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

// What a search reported, with names relative to the root.
struct Recorder {
  std::string root;
  Names events;  // "begin:<dir>", "file:<name>", "dir:<name>"
  Names files;
  Names dirs;

  std::string Rel(const std::string& name) const {
    return name.compare(0, root.size(), root) == 0 ? name.substr(root.size()) : name;
  }
  void Attach(TDsSearchFiles& search) {
    search.OnBeginScanDir = [this](fw::TObject*, const std::string& dir) { events.push_back("begin:" + Rel(dir)); };
    search.OnFindFile = [this](fw::TObject*, const std::string& name) {
      events.push_back("file:" + Rel(name));
      files.push_back(Rel(name));
    };
    search.OnFindDirectory = [this](fw::TObject*, const std::string& name) {
      events.push_back("dir:" + Rel(name));
      dirs.push_back(Rel(name));
    };
  }
};

struct Fixture {
  std::string root;
  fw::Owned<TDsSearchFiles> search = fw::MakeOwned<TDsSearchFiles>(nullptr);
  Recorder rec;

  explicit Fixture(const std::string& folder) : root(folder + "root\\") {
    CreateDirectoryA(root.c_str(), nullptr);
    search->SetRootDirectory(root);
    rec.root = root;
    rec.Attach(*search);
  }
  // Runs one search and returns the sorted files it reported.
  Names Files() {
    rec = Recorder{root, {}, {}, {}};
    EXPECT_TRUE(search->Search());
    return Sorted(rec.files);
  }
};

void SetMasks(TDsSearchParams* params, const Names& masks) {
  fw::TStringList list;
  for (const std::string& mask : masks) list.Add(mask);
  params->SetFileMasks(&list);
}

// The local time as the file's last-write time.
void SetLastWrite(const std::string& path, int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  FILETIME local, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &utc));
  CloseHandle(h);
}

}  // namespace

TEST(WildcardMatch, Table) {
  struct Case {
    const char* pattern;
    const char* text;
    bool match;
  } cases[] = {
      {"*", "", true},           {"*", "ANYTHING.EXT", true}, {"?", "A", true},
      {"?", "", false},          {"A?", "A", false},          {"??", "AB", true},
      {"A", "a", false},         {"ABC", "ABC", true},        {"ABC", "ABCD", false},
      {"*AB", "AAB", true},      {"*AB", "ABAB", true},       {"*AB", "ABA", false},
      {"A*B*C", "AXBYC", true},  {"A*B*C", "AXBYCZ", false},  {"*.*", "README", false},
      {"*.*", "A.B", true},      {"*.*", ".", true},          {"*.TMP", "A.TMP", true},
      {"*.TMP", "A.TMP.BAK", false}, {"*.TMP", "X.Y.TMP", true}, {"*.??~", "DOC.AB~", true},
      {"*.??~", "DOC.A~", false}, {"TWAIN???.MTX", "TWAIN001.MTX", true}, {"~*.*", "~WRL0001.TMP", true},
      {"*LOG.TXT", "SETUPLOG.TXT", true}, {"*_OFIDX.*", "X_OFIDX.DAT", true}, {"*.~*", "A.~1", true},
      {"TEWRK.H*", "TEWRK.H", true}, {"A*", "", false},
      // A literal run after a star that fails part-way is retried one character further on.
      {"*AAB", "AAAB", true},    {"*ABAC", "ABABAC", true},   {"*EE.TXT", "COFFEEE.TXT", true},
      {"A*ABAC", "AABABAC", true}, {"*SSIP", "MISSISSIP", true}, {"*.TXT", "A.TXT.TXT", true},
      {"*AAB", "AABA", false},   {"*EE.TXT", "COFFEE.TXTX", false}, {"*ABAC", "ABACA", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WildcardMatch(c.pattern, c.text, 1), c.match) << c.pattern << " vs " << c.text;
  // The start position skips the first characters of the text.
  EXPECT_TRUE(WildcardMatch("B*", "AB", 2));
  EXPECT_FALSE(WildcardMatch("A*", "AB", 2));
}

TEST(WildcardMatch, EmptyPatternAndNulHelpers) {
  try {
    WildcardMatch("", "A", 1);
    FAIL() << "no exception";
  } catch (const EUtError& e) {
    EXPECT_STREQ(e.what(), "Search string cannot be blank");
  }
  std::string buffer("C:\\WINDOWS\0garbage", 18);
  EXPECT_EQ(NulTerminatedLength(buffer), 10);
  EXPECT_EQ(NulTerminatedLength(""), 0);
  TrimAtFirstNul(buffer);
  EXPECT_EQ(buffer, "C:\\WINDOWS");
}

// Each directory's files come before its subdirectories, and a subdirectory's whole subtree
// before the next sibling, in the order the platform lists the entries.
TEST(SearchFiles, WalkIsDepthFirstPreOrder) {
  Fixture f(sb::TestFolder());
  Make(f.root, {"a.txt", "s1\\", "s1\\c.txt", "s1\\deep\\", "s1\\deep\\d.txt", "b.txt", "s2\\", "s2\\e.txt"});
  f.search->SetOptions({soSearchFiles, soSearchDirs});
  f.Files();

  // The platform's order of the root's subdirectories.
  Names order;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((f.root + "*").c_str(), &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  do
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && fd.cFileName[0] != '.') order.push_back(fd.cFileName);
  while (FindNextFileA(h, &fd));
  FindClose(h);
  ASSERT_EQ(order.size(), 2u);

  Names begins;
  std::string current;
  for (const std::string& e : f.rec.events) {
    if (e.rfind("begin:", 0) == 0) {
      current = e.substr(6);
      begins.push_back(current);
    } else {
      // Every entry is reported while its own directory is being listed.
      std::string name = e.substr(e.find(':') + 1);
      EXPECT_EQ(name.substr(0, name.rfind('\\') + 1), current) << e;
    }
  }
  Names expected = {""};
  for (const std::string& sub : order) {
    expected.push_back(sub + "\\");
    if (sub == "s1") expected.push_back("s1\\deep\\");
  }
  EXPECT_EQ(begins, expected);
  EXPECT_EQ(Sorted(f.rec.files), (Names{"a.txt", "b.txt", "s1\\c.txt", "s1\\deep\\d.txt", "s2\\e.txt"}));
  EXPECT_EQ(Sorted(f.rec.dirs), (Names{"s1", "s1\\deep", "s2"}));
  EXPECT_EQ(f.search->GetTotalFiles(), 5);
  EXPECT_EQ(f.search->GetTotalDirectories(), 3);
  EXPECT_FALSE(f.search->GetSearching());
}

TEST(SearchFiles, DirectoryOptionsByRecursionDepth) {
  Fixture f(sb::TestFolder());
  Make(f.root, {"r.txt", "A\\", "A\\a.txt", "A\\B\\", "A\\B\\b.txt", "A\\B\\C\\", "A\\B\\C\\c.txt"});
  // Valid directories are A and C; B is not.
  f.search->GetDirParams()->SetSearchTypes(stFileMask);
  SetMasks(f.search->GetDirParams(), {"a", "c"});

  struct Case {
    TDsDirOption option;
    int depth;
    Names files;
  } cases[] = {
      {doIncludeSubDirs, 0, {"A\\B\\C\\c.txt", "A\\B\\b.txt", "A\\a.txt", "r.txt"}},
      {doIncludeSubDirs, 1, {"A\\a.txt", "r.txt"}},
      {doIncludeSubDirs, 2, {"A\\B\\b.txt", "A\\a.txt", "r.txt"}},
      {doIncludeSubDirs, 3, {"A\\B\\C\\c.txt", "A\\B\\b.txt", "A\\a.txt", "r.txt"}},
      {doExcludeSubDirs, 0, {"r.txt"}},
      {doExcludeSubDirs, 2, {"r.txt"}},
      {doExcludeInvalidDirs, 0, {"A\\B\\C\\c.txt", "A\\a.txt", "r.txt"}},
      {doExcludeInvalidDirs, 2, {"A\\a.txt", "r.txt"}},
      {doExcludeInvalidDirs, 3, {"A\\B\\C\\c.txt", "A\\a.txt", "r.txt"}},
      {doExcludeCompleteInvalidDirs, 0, {"A\\a.txt", "r.txt"}},
      {doExcludeCompleteInvalidDirs, 1, {"A\\a.txt", "r.txt"}},
  };
  for (const Case& c : cases) {
    f.search->SetDirOption(c.option);
    f.search->SetRecurseDepth(c.depth);
    EXPECT_EQ(f.Files(), c.files) << "option " << c.option << " depth " << c.depth;
  }

  // Reported directories follow the directory filter; B is entered but reports nothing, not
  // even its valid subdirectory C, whose own files are reported again.
  f.search->SetOptions({soSearchFiles, soSearchDirs});
  f.search->SetDirOption(doExcludeInvalidDirs);
  f.search->SetRecurseDepth(0);
  f.Files();
  EXPECT_EQ(f.rec.dirs, Names{"A"});
  f.search->SetDirOption(doIncludeSubDirs);
  f.Files();
  EXPECT_EQ(Sorted(f.rec.dirs), (Names{"A", "A\\B\\C"}));

  // The root: its files left out, or the root tested like any directory.
  f.search->SetOptions({soSearchFiles, soExcludeFilesInRootDir});
  f.search->SetDirOption(doExcludeSubDirs);
  EXPECT_EQ(f.Files(), Names{});
  EXPECT_TRUE(f.rec.events.empty());
  f.search->SetDirOption(doIncludeSubDirs);
  EXPECT_EQ(f.Files(), (Names{"A\\B\\C\\c.txt", "A\\B\\b.txt", "A\\a.txt"}));
  f.search->SetOptions({soSearchFiles, soCheckRootDirValid});  // "root" matches neither mask
  EXPECT_EQ(f.Files(), (Names{"A\\B\\C\\c.txt", "A\\B\\b.txt", "A\\a.txt"}));
  f.search->SetDirOption(doExcludeCompleteInvalidDirs);
  EXPECT_EQ(f.Files(), Names{});
  EXPECT_TRUE(f.rec.events.empty());
  SetMasks(f.search->GetDirParams(), {"a", "c", "root"});
  EXPECT_EQ(f.Files(), (Names{"A\\a.txt", "r.txt"}));
}

TEST(SearchFiles, HiddenAndSystemEntries) {
  Fixture f(sb::TestFolder());
  Make(f.root, {"plain.txt", "h.txt", "s.txt", "hs.txt", "hsdir\\", "hsdir\\in.txt", "hdir\\", "hdir\\in.txt"});
  auto attr = [&](const char* name, DWORD a) { ASSERT_TRUE(SetFileAttributesA((f.root + name).c_str(), a)); };
  attr("h.txt", FILE_ATTRIBUTE_HIDDEN);
  attr("s.txt", FILE_ATTRIBUTE_SYSTEM);
  attr("hs.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  attr("hsdir", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  attr("hdir", FILE_ATTRIBUTE_HIDDEN);

  f.search->SetOptions({soSearchFiles, soSearchDirs});
  EXPECT_EQ(f.Files(), (Names{"h.txt", "hdir\\in.txt", "plain.txt", "s.txt"}));
  EXPECT_EQ(f.rec.dirs, Names{"hdir"});
  for (const std::string& e : f.rec.events) EXPECT_EQ(e.find("hsdir"), std::string::npos) << e;

  f.search->SetOptions({soSearchFiles, soSearchDirs, soIncludeSystemHiddenFiles});
  EXPECT_EQ(f.Files(), (Names{"h.txt", "hdir\\in.txt", "hs.txt", "plain.txt", "s.txt"}));

  f.search->SetOptions({soSearchFiles, soSearchDirs, soIncludeSystemHiddenDirs});
  EXPECT_EQ(f.Files(), (Names{"h.txt", "hdir\\in.txt", "hsdir\\in.txt", "plain.txt", "s.txt"}));
  EXPECT_EQ(Sorted(f.rec.dirs), (Names{"hdir", "hsdir"}));

  // The attribute filter, which the hidden and system rule does not replace.
  f.search->SetOptions(soSearchFiles);
  TDsSearchAttributes* a = f.search->GetFileParams()->GetAttributes();
  f.search->GetFileParams()->SetSearchTypes(stAttribute);
  a->SetHidden(tsMustBeUnSet);
  EXPECT_EQ(f.Files(), (Names{"hdir\\in.txt", "plain.txt", "s.txt"}));
}

TEST(SearchFiles, AttributeIncludeAndExclude) {
  Fixture f(sb::TestFolder());
  Make(f.root, {"ro.txt", "rw.txt", "roh.txt"});
  ASSERT_TRUE(SetFileAttributesA((f.root + "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetFileAttributesA((f.root + "roh.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  TDsSearchParams* p = f.search->GetFileParams();
  TDsSearchAttributes* a = p->GetAttributes();

  // Without stAttribute the masks are inert.
  a->SetReadOnly(tsMustBeSet);
  EXPECT_EQ(f.Files(), (Names{"ro.txt", "roh.txt", "rw.txt"}));

  p->SetSearchTypes(stAttribute);
  EXPECT_EQ(f.Files(), (Names{"ro.txt", "roh.txt"}));
  a->SetHidden(tsMustBeSet);
  EXPECT_EQ(f.Files(), Names{"roh.txt"});
  EXPECT_EQ(a->GetIncludeAttr(), uint32_t(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  a->SetHidden(tsMustBeUnSet);
  EXPECT_EQ(f.Files(), Names{"ro.txt"});
  EXPECT_EQ(a->GetIncludeAttr(), uint32_t(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(a->GetExcludeAttr(), uint32_t(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(a->GetHidden(), tsMustBeUnSet);
  a->SetReadOnly(tsMustBeUnSet);
  EXPECT_EQ(f.Files(), Names{"rw.txt"});
  a->SetReadOnly(tsDontCare);
  a->SetHidden(tsDontCare);
  EXPECT_EQ(a->GetReadOnly(), tsDontCare);
  EXPECT_EQ(a->GetIncludeAttr() | a->GetExcludeAttr(), 0u);
  EXPECT_EQ(f.Files(), (Names{"ro.txt", "roh.txt", "rw.txt"}));

  // The attribute test runs before the mask test: a rejected entry never reaches a bad mask.
  p->SetSearchTypes({stAttribute, stFileMask});
  SetMasks(p, {""});
  a->SetArchive(tsMustBeSet);
  a->SetNormal(tsMustBeSet);
  EXPECT_EQ(f.Files(), Names{});
  a->SetNormal(tsDontCare);
  a->SetArchive(tsDontCare);
  EXPECT_THROW(f.search->Search(), EUtError);
  EXPECT_FALSE(f.search->GetSearching());
}

TEST(SearchFiles, SizeBoundsAreInclusiveAndSixtyFourBit) {
  Fixture f(sb::TestFolder());
  for (size_t size : {99, 100, 101, 200, 201}) MakeSized(f.root + std::to_string(size) + ".bin", size);
  // A sparse file of 5 GiB: its size has a high half of 1.
  const int64_t big = int64_t(5) << 30;
  const std::string bigName = f.root + "big.bin";
  HANDLE h = CreateFileA(bigName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = big;
  ASSERT_TRUE(SetFilePointerEx(h, end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(h));
  CloseHandle(h);

  TDsSearchParams* p = f.search->GetFileParams();
  p->SetSearchTypes({stMinSize, stMaxSize});
  p->SetMinSize(100);
  p->SetMaxSize(200);
  EXPECT_EQ(f.Files(), (Names{"100.bin", "101.bin", "200.bin"}));
  EXPECT_EQ(f.search->GetTotalFileSize(), 401);

  p->SetMaxSize(0xFFFFFFFFLL);  // the low half alone may not decide
  EXPECT_EQ(f.Files(), (Names{"100.bin", "101.bin", "200.bin", "201.bin"}));

  p->SetSearchTypes(stMinSize);
  p->SetMinSize(big);
  EXPECT_EQ(f.Files(), Names{"big.bin"});
  EXPECT_EQ(f.search->GetTotalFileSize(), big);
  p->SetMinSize(big + 1);
  EXPECT_EQ(f.Files(), Names{});
  p->SetMinSize(int64_t(1) << 32);
  EXPECT_EQ(f.Files(), Names{"big.bin"});

  // The found-file handler reads the full size from FindData.
  int64_t seen = 0;
  f.search->OnFindFile = [&](fw::TObject*, const std::string&) {
    const WIN32_FIND_DATAA& d = f.search->GetFindData();
    seen = (int64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
  };
  EXPECT_TRUE(f.search->Search());
  EXPECT_EQ(seen, big);
  DeleteFileA(bigName.c_str());
}

TEST(SearchFiles, LastChangeBounds) {
  Fixture f(sb::TestFolder());
  Make(f.root, {"old.txt", "mid.txt", "new.txt"});
  SetLastWrite(f.root + "old.txt", 2001, 3, 4, 10, 0, 0);
  SetLastWrite(f.root + "mid.txt", 2010, 6, 15, 13, 45, 30);
  SetLastWrite(f.root + "new.txt", 2020, 11, 20, 8, 0, 0);

  TDsSearchParams* p = f.search->GetFileParams();
  EXPECT_EQ(p->GetLastChangeAfter(), 29221.0);
  EXPECT_EQ(p->GetLastChangeBefore(), 29221.0);
  p->SetLastChangeAfter(fw::EncodeDate(2005, 1, 1));
  p->SetLastChangeBefore(fw::EncodeDate(2015, 1, 1));
  EXPECT_EQ(f.Files(), (Names{"mid.txt", "new.txt", "old.txt"}));  // not in force yet

  p->SetSearchTypes({stLastChangeAfter, stLastChangeBefore});
  EXPECT_EQ(f.Files(), Names{"mid.txt"});
  p->SetSearchTypes(stLastChangeAfter);
  EXPECT_EQ(f.Files(), (Names{"mid.txt", "new.txt"}));
  // Both bounds are inclusive.
  p->SetSearchTypes({stLastChangeAfter, stLastChangeBefore});
  const fw::TDateTime mid = fw::EncodeDateTime(2010, 6, 15, 13, 45, 30, 0);
  p->SetLastChangeAfter(mid);
  p->SetLastChangeBefore(mid);
  EXPECT_EQ(f.Files(), Names{"mid.txt"});

  // The DOS form, and a date it cannot hold.
  EXPECT_EQ(DosDateTime(mid), 0x3CCF6DAFu);
  EXPECT_EQ(DosDateTime(fw::EncodeDate(1979, 12, 31)), 0u);
  EXPECT_EQ(DosDateTime(fw::EncodeDate(2108, 1, 1)), 0u);
  EXPECT_THROW(p->SetLastChangeAfter(fw::EncodeDate(1979, 12, 31)), fw::EOSError);
  EXPECT_EQ(p->GetLastChangeAfter(), mid);
  EXPECT_EQ(f.Files(), Names{"mid.txt"});
}

TEST(SearchFiles, MasksAreCaseBlindUnlessCaseSensitive) {
  Fixture f(sb::TestFolder());
  Make(f.root, {"Data.TMP", "x.tmp", "y.Tmp", "keep.txt", "README"});
  TDsSearchParams* p = f.search->GetFileParams();
  p->SetSearchTypes(stFileMask);
  EXPECT_EQ(f.Files().size(), 5u);  // no masks: every name
  SetMasks(p, {"*.tmp"});
  EXPECT_EQ(p->GetCaseFileMasks()->GetStrings(0), "*.TMP");
  EXPECT_EQ(f.Files(), (Names{"Data.TMP", "x.tmp", "y.Tmp"}));

  p->SetSearchTypes({stFileMask, stFileMaskCaseSensitive});
  EXPECT_EQ(p->GetCaseFileMasks()->GetStrings(0), "*.tmp");
  EXPECT_EQ(f.Files(), Names{"x.tmp"});
  p->GetFileMasks()->Add("*.TMP");  // a change of the list reaches the test at once
  EXPECT_EQ(f.Files(), (Names{"Data.TMP", "x.tmp"}));

  p->SetSearchTypes(stFileMask);
  EXPECT_EQ(p->GetCaseFileMasks()->GetStrings(0), "*.TMP");
  EXPECT_EQ(f.Files(), (Names{"Data.TMP", "x.tmp", "y.Tmp"}));
  SetMasks(p, {"*.*"});
  EXPECT_EQ(f.Files(), (Names{"Data.TMP", "keep.txt", "x.tmp", "y.Tmp"}));
}

// The filter reports exactly the names the matcher accepts, one mask at a time.
TEST(SearchFiles, FilterAgreesWithTheMatcher) {
  Fixture f(sb::TestFolder());
  const Names names = {"a.tmp.bak", "x.y.tmp", "doc.ab~", "axbyc", "axbycz", "readme", "setuplog.txt",
                       "twain001.mtx", "~wrl0001.tmp", "aab", "abab", "x.~1", "tewrk.h"};
  Make(f.root, names);
  const Names masks = {"*.tmp", "*ab", "a*b*c", "*.*", "*.??~", "twain???.mtx", "~*.*", "*log.txt", "*.~*",
                       "tewrk.h*", "?", "*.?m?", "a?b"};
  f.search->GetFileParams()->SetSearchTypes(stFileMask);
  for (const std::string& mask : masks) {
    SetMasks(f.search->GetFileParams(), {mask});
    Names expected;
    for (const std::string& name : names) {
      std::string upperMask = mask, upperName = name;
      CharUpperBuffA(upperMask.data(), DWORD(upperMask.size()));
      CharUpperBuffA(upperName.data(), DWORD(upperName.size()));
      if (WildcardMatch(upperMask, upperName, 1)) expected.push_back(name);
    }
    EXPECT_EQ(f.Files(), Sorted(expected)) << mask;
  }
}

TEST(SearchFiles, MissingRootUnderEachErrorResponse) {
  Fixture f(sb::TestFolder());
  f.search->SetRootDirectory(f.root + "missing\\");
  int errors = 0;
  bool handledIn = false, handledOut = false;
  f.search->OnError = [&](fw::TObject*, bool& handled) {
    ++errors;
    handledIn = handled;
    handled = handled || handledOut;
  };

  f.search->SetErrorResponse(erIgnore);
  EXPECT_TRUE(f.search->Search());
  EXPECT_TRUE(handledIn);
  EXPECT_EQ(f.search->GetTotalFiles(), 0);

  f.search->SetErrorResponse(erAbort);
  EXPECT_FALSE(f.search->Search());
  EXPECT_FALSE(handledIn);

  f.search->SetErrorResponse(erRaise);
  try {
    f.search->Search();
    FAIL() << "no exception";
  } catch (const fw::EOSError& e) {
    EXPECT_EQ(e.GetErrorCode(), DWORD(ERROR_PATH_NOT_FOUND));
  }
  EXPECT_FALSE(f.search->GetSearching());
  handledOut = true;  // the handler takes the error
  EXPECT_TRUE(f.search->Search());
  EXPECT_EQ(errors, 4);
}

TEST(SearchFiles, AbortFromProgressHandler) {
  Fixture f(sb::TestFolder());
  Make(f.root, {"d1\\", "d2\\", "d3\\"});
  for (const char* d : {"", "d1\\", "d2\\", "d3\\"})
    for (int i = 0; i < 5; ++i) Make(f.root, {std::string(d) + "f" + std::to_string(i) + ".txt"});
  testing_seams::TSeamGuard seams;
  svc::testing::SetIsConsole(false);  // this test program is a console program; let the progress event run
  int progress = 0, aborts = 0, foundAtAbort = -1;
  f.search->OnAbort = [&](fw::TObject*) { ++aborts; };
  f.search->OnProgress = [&](fw::TObject*) {
    if (++progress == 12) {
      foundAtAbort = f.search->GetTotalFiles();
      f.search->Abort();
    }
  };
  f.search->SetErrorResponse(erIgnore);  // an abort ends the search whatever the response
  f.rec.files.clear();
  EXPECT_FALSE(f.search->Search());
  EXPECT_EQ(aborts, 1);
  EXPECT_EQ(progress, 12);  // the abort took effect on the entry being read
  EXPECT_EQ(f.search->GetTotalFiles(), foundAtAbort);
  EXPECT_EQ(f.search->GetFiles()->GetCount(), foundAtAbort);
  EXPECT_LT(foundAtAbort, 20);
  EXPECT_FALSE(f.search->GetSearching());

  f.search->Abort();  // idle: nothing happens
  EXPECT_EQ(aborts, 1);
  f.search->OnProgress = nullptr;
  EXPECT_EQ(f.Files().size(), 20u);  // the next search starts afresh
}

TEST(SearchFiles, SecondSearchFromHandlerIsRefused) {
  Fixture f(sb::TestFolder());
  Make(f.root, {"a.txt", "b.txt", "sub\\", "sub\\c.txt"});
  int refused = 0;
  f.search->OnFindFile = [&](fw::TObject*, const std::string&) {
    EXPECT_TRUE(f.search->GetSearching());
    if (!f.search->Search()) ++refused;
  };
  EXPECT_TRUE(f.search->Search());
  EXPECT_EQ(refused, 3);
  EXPECT_EQ(f.search->GetTotalFiles(), 3);
  EXPECT_FALSE(f.search->GetSearching());

  // An exception from a handler passes out of Search and leaves the engine idle.
  f.search->OnFindFile = [](fw::TObject*, const std::string&) { throw fw::Exception("handler failed"); };
  EXPECT_THROW(f.search->Search(), fw::Exception);
  EXPECT_FALSE(f.search->GetSearching());
}

TEST(SearchFiles, ReportedNamesListsAndTotals) {
  Fixture f(sb::TestFolder());
  Make(f.root, {"b.txt", "a.txt", "sub\\", "sub\\a.txt"});
  EXPECT_TRUE(f.search->Search());
  EXPECT_EQ(Sorted({f.search->GetFiles()->GetStrings(0), f.search->GetFiles()->GetStrings(1),
                    f.search->GetFiles()->GetStrings(2)}),
            (Names{f.root + "a.txt", f.root + "b.txt", f.root + "sub\\a.txt"}));
  EXPECT_EQ(f.search->GetTotalFileSize(), 3);

  // Bare names, sorted, with the duplicate "a.txt" once or twice.
  f.search->SetOptions({soSearchFiles, soStripDirs, soSorted});
  EXPECT_TRUE(f.search->GetFiles()->GetSorted());
  EXPECT_EQ(f.Files(), (Names{"a.txt", "a.txt", "b.txt"}));  // every find is reported
  EXPECT_EQ(f.search->GetFiles()->GetText(), "a.txt\r\nb.txt\r\n");
  f.search->SetOptions({soSearchFiles, soStripDirs, soSorted, soAllowDuplicates});
  f.Files();
  EXPECT_EQ(f.search->GetFiles()->GetText(), "a.txt\r\na.txt\r\nb.txt\r\n");

  // Owner data: the lists stay empty, the totals and events do not.
  f.search->SetOptions({soSearchFiles, soSearchDirs, soOwnerData});
  EXPECT_EQ(f.Files().size(), 3u);
  EXPECT_EQ(f.search->GetFiles()->GetCount(), 0);
  EXPECT_EQ(f.search->GetDirectories()->GetCount(), 0);
  EXPECT_EQ(f.search->GetTotalFiles(), 3);
  EXPECT_EQ(f.search->GetTotalDirectories(), 1);

  // OnCheck replaces both filters.
  f.search->SetOptions({soSearchFiles, soSearchDirs});
  f.search->OnCheck = [&](fw::TObject*, bool& result) {
    result = std::string(f.search->GetFindData().cFileName) != "b.txt";
  };
  EXPECT_EQ(f.Files(), (Names{"a.txt", "sub\\a.txt"}));
  EXPECT_EQ(f.rec.dirs, Names{"sub"});
}

TEST(SearchParams, AssignCopiesEveryFilter) {
  TDsSearchParams a, b;
  a.SetSearchTypes({stAttribute, stMinSize, stFileMaskCaseSensitive, stFileMask});
  a.SetMinSize(7);
  a.SetMaxSize(int64_t(9) << 32);
  a.SetLastChangeAfter(fw::EncodeDate(2004, 2, 29));
  a.GetAttributes()->SetSystem(tsMustBeUnSet);
  SetMasks(&a, {"*.Tmp"});
  b.Assign(&a);
  EXPECT_EQ(b.GetSearchTypes(), a.GetSearchTypes());
  EXPECT_EQ(b.GetMinSize(), 7);
  EXPECT_EQ(b.GetMaxSize(), int64_t(9) << 32);
  EXPECT_EQ(b.GetLastChangeAfter(), fw::EncodeDate(2004, 2, 29));
  EXPECT_EQ(b.GetAttributes()->GetExcludeAttr(), uint32_t(FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(b.GetCaseFileMasks()->GetText(), "*.Tmp\r\n");
  fw::TStringList other;
  EXPECT_THROW(b.Assign(&other), fw::EConvertError);
}

// A directory symbolic link back to the root: reported as a directory, never entered.
TEST(SearchFiles, SymbolicLinkLoopIsReportedNotEntered) {
  const std::string folder = sb::TestFolder();
  const std::string link = folder + "root\\a\\loop";
  Fixture f(folder);
  Make(f.root, {"top.txt", "a\\", "a\\in.txt"});
  if (!sb::MakeLink(link, f.root.substr(0, f.root.size() - 1), true)) GTEST_SKIP() << "no directory links here";
  sb::TLinkGuard unlink(link);
  ASSERT_TRUE(GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

  f.search->SetOptions({soSearchFiles, soSearchDirs});
  for (TDsDirOption option : {doIncludeSubDirs, doExcludeInvalidDirs}) {
    f.search->SetDirOption(option);
    EXPECT_EQ(f.Files(), (Names{"a\\in.txt", "top.txt"}));
    EXPECT_EQ(Sorted(f.rec.dirs), (Names{"a", "a\\loop"}));
    for (const std::string& e : f.rec.events) EXPECT_NE(e, "begin:a\\loop\\");
  }
}

// Names outside the ANSI code page and full paths beyond MAX_PATH are walked, reported whole,
// measured and opened like any other.
TEST(SearchFiles, ForeignNamesAndLongPathsAreFound) {
  const std::string folder = sb::TestFolder();
  for (const sb::THardPath& c : sb::HardPaths(folder + "root\\", "z.tmp")) {
    SCOPED_TRACE(c.Label + ": " + c.Path());
    const std::string content(777, 'q');
    sb::WriteFile(c.Path(), content);
    sb::WriteFile(c.Folder + "other.txt", "o");
  }
  Fixture f(folder);
  SetMasks(f.search->GetFileParams(), {"*.tmp"});
  f.search->GetFileParams()->SetSearchTypes({stFileMask});
  Names sizes;
  f.search->OnFindFile = [&](fw::TObject*, const std::string& name) {
    f.rec.files.push_back(name);
    sizes.push_back(std::to_string(FindDataSize(f.search->GetFindData())) + " " + f.search->GetFindName());
  };
  EXPECT_TRUE(f.search->Search());
  Names expected, expectedSizes;
  for (const sb::THardPath& c : sb::HardPaths(folder + "root\\", "z.tmp")) {
    expected.push_back(c.Path());
    expectedSizes.push_back("777 " + c.Name);
  }
  EXPECT_EQ(Sorted(f.rec.files), Sorted(expected));
  EXPECT_EQ(Sorted(sizes), Sorted(expectedSizes));
  EXPECT_EQ(f.search->GetTotalFiles(), 3);
  EXPECT_EQ(f.search->GetTotalFileSize(), 3 * 777);

  // Each reported name opens, as the tools open what the search found.
  for (const std::string& name : f.rec.files) {
    SCOPED_TRACE(name);
    fw::TFileStream stream(name, fw::fmOpenRead | fw::fmShareDenyWrite);
    std::string bytes(1000, '\0');
    bytes.resize(stream.Read(bytes.data(), 1000));
    EXPECT_EQ(bytes, std::string(777, 'q'));
  }
}
