// TStringList: sorting and duplicate rules, text splitting, name=value lines, change events,
// byte-exact files, and the pointer list TList.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/rtl/exceptions.h"
#include "framework/classes/list.h"
#include "framework/classes/string_list.h"
#include "support/sandbox.h"

namespace {

std::vector<std::string> Lines(const fw::TStrings& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.GetStrings(i));
  return lines;
}

using Strings = std::vector<std::string>;

TEST(StringListTest, SortedListAppliesTheDuplicatesRule) {
  fw::TStringList list;
  list.Add("pear");
  list.Add("Apple");
  list.Add("apple");
  // Duplicates only count while sorted: the unsorted list kept both spellings.
  EXPECT_EQ(3, list.GetCount());
  list.SetSorted(true);
  EXPECT_EQ("Apple", list.GetStrings(0));
  EXPECT_EQ("apple", list.GetStrings(1));

  list.Clear();
  EXPECT_EQ(0, list.Add("b"));
  EXPECT_EQ(0, list.Add("a"));
  EXPECT_EQ(1, list.Add("B"));  // dupIgnore: case-insensitive match, index of the kept one
  EXPECT_EQ((Strings{"a", "b"}), Lines(list));

  list.SetDuplicates(fw::dupAccept);
  list.Add("B");
  EXPECT_EQ(3, list.GetCount());
  int index = -1;
  EXPECT_TRUE(list.Find("b", index));
  EXPECT_EQ(1, index);  // the first of the equal ones
  EXPECT_FALSE(list.Find("aa", index));
  EXPECT_EQ(1, index);

  list.SetDuplicates(fw::dupError);
  try {
    list.Add("A");
    FAIL() << "duplicate accepted";
  } catch (const fw::EStringListError& e) {
    EXPECT_EQ("String list does not allow duplicates", e.GetMessage());
  }
  EXPECT_THROW(list.Insert(0, "z"), fw::EStringListError);
  EXPECT_THROW(list.SetStrings(0, "z"), fw::EStringListError);
  EXPECT_EQ(0, list.IndexOf("A"));

  list.SetCaseSensitive(true);
  EXPECT_EQ(-1, list.IndexOf("A"));
  EXPECT_EQ(0, list.IndexOf("a"));
}

TEST(StringListTest, CustomSortAndIndexErrors) {
  fw::TStringList list;
  list.SetText("10\r\n9\r\n100\r\n");
  list.CustomSort([](fw::TStringList* l, int a, int b) {
    return std::stoi(l->GetStrings(a)) - std::stoi(l->GetStrings(b));
  });
  EXPECT_EQ((Strings{"9", "10", "100"}), Lines(list));
  try {
    list.GetStrings(3);
    FAIL() << "no exception";
  } catch (const fw::EStringListError& e) {
    EXPECT_EQ("List index out of bounds (3)", e.GetMessage());
  }
  EXPECT_THROW(list.Delete(-1), fw::EStringListError);
  int marker = 0;
  list.AddObject("x", &marker);
  list.Move(3, 0);
  EXPECT_EQ(&marker, list.GetObjects(0));
  list.Exchange(0, 1);
  EXPECT_EQ(&marker, list.GetObjects(1));
  EXPECT_EQ(1, list.IndexOfObject(&marker));
}

TEST(StringListTest, TextSplitsAtAnyLineBreakAndJoinsWithCrLf) {
  fw::TStringList list;
  list.SetText("a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_EQ((Strings{"a", "b", "c", "d", "", "e"}), Lines(list));
  list.SetText("one\r\n");
  EXPECT_EQ((Strings{"one"}), Lines(list));
  list.SetText("\n\r");
  EXPECT_EQ((Strings{"", ""}), Lines(list));
  list.SetText("");
  EXPECT_EQ(0, list.GetCount());
  EXPECT_EQ("", list.GetText());
  list.Add("x");
  list.Add("");
  EXPECT_EQ("x\r\n\r\n", list.GetText());
}

TEST(StringListTest, NamesAndValuesSplitAtTheFirstEquals) {
  fw::TStringList list;
  list.SetText("Path=C:\\a=b\nEmpty=\nnoequals");
  EXPECT_EQ("Path", list.GetNames(0));
  EXPECT_EQ("C:\\a=b", list.GetValues("PATH"));
  EXPECT_EQ("", list.GetValues("Empty"));
  EXPECT_EQ("", list.GetNames(2));
  list.SetValues("New", "1");
  EXPECT_EQ("New=1", list.GetStrings(3));
  list.SetValues("path", "D:");
  EXPECT_EQ("path=D:", list.GetStrings(0));
  list.SetValues("New", "");
  EXPECT_EQ(3, list.GetCount());
}

TEST(StringListTest, ChangeEventsAreBracketedByUpdates) {
  fw::TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](fw::TObject* sender) {
    EXPECT_EQ(&list, sender);
    ++changing;
  };
  list.OnChange = [&](fw::TObject*) { ++changed; };
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(2, changing);
  EXPECT_EQ(2, changed);
  list.BeginUpdate();
  list.Add("c");
  list.Delete(0);
  list.SetSorted(true);
  EXPECT_EQ(3, changing);
  EXPECT_EQ(2, changed);
  list.EndUpdate();
  EXPECT_EQ(3, changed);

  fw::TStringList copy;
  copy.Assign(&list);
  EXPECT_TRUE(copy.Equals(list));
  EXPECT_THROW(copy.Assign(nullptr), fw::EConvertError);
}

TEST(StringListTest, SaveToFileIsByteExactCrLfWithoutBom) {
  std::string folder = testing_sandbox::TestFolder();
  fw::TStringList list;
  list.SaveToFile(folder + "empty.txt");
  EXPECT_EQ("", testing_sandbox::ReadFile(folder + "empty.txt"));

  list.SetText("*.tmp\n~*.*\r\n\xC3\xA9t\xC3\xA9");
  list.SaveToFile(folder + "masks.txt");
  EXPECT_EQ("*.tmp\r\n~*.*\r\n\xC3\xA9t\xC3\xA9\r\n", testing_sandbox::ReadFile(folder + "masks.txt"));

  testing_sandbox::WriteFile(folder + "unix.txt", "a\nb\n");
  fw::TStringList loaded;
  loaded.LoadFromFile(folder + "unix.txt");
  EXPECT_EQ((Strings{"a", "b"}), Lines(loaded));
  EXPECT_THROW(loaded.LoadFromFile(folder + "missing.txt"), fw::EFOpenError);

  // A leading UTF-8 byte-order mark is no part of the first line; one further on is text.
  testing_sandbox::WriteFile(folder + "bom.txt", "\xEF\xBB\xBF*.tmp\r\n\xEF\xBB\xBFx\r\n");
  loaded.LoadFromFile(folder + "bom.txt");
  EXPECT_EQ((Strings{"*.tmp", "\xEF\xBB\xBFx"}), Lines(loaded));
  testing_sandbox::WriteFile(folder + "bom.txt", "\xEF\xBB\xBF");
  loaded.LoadFromFile(folder + "bom.txt");
  EXPECT_EQ(Strings{}, Lines(loaded));
}

TEST(ListTest, PointerListChecksIndexesAndSorts) {
  int a = 3, b = 1, c = 2;
  fw::TList list;
  list.Add(&a);
  list.Add(&b);
  list.Insert(0, &c);
  EXPECT_EQ(&c, list.First());
  EXPECT_EQ(1, list.Remove(&a));
  EXPECT_EQ(-1, list.Remove(&a));
  list.Add(&a);
  list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
  EXPECT_EQ(&b, list.GetItems(0));
  EXPECT_EQ(&a, list.Last());
  try {
    list.GetItems(3);
    FAIL() << "no exception";
  } catch (const fw::EListError& e) {
    EXPECT_EQ("List index out of bounds (3)", e.GetMessage());
  }
  list.SetItems(1, nullptr);
  list.Pack();
  EXPECT_EQ(2, list.GetCount());

  fw::TThreadList shared;
  shared.Add(&a);
  shared.Add(&a);
  EXPECT_EQ(1, shared.LockList().GetCount());
  shared.UnlockList();
}

TEST(ListTest, LockIsReentrantAndExcludesOtherThreads) {
  fw::TCriticalSection section;
  std::atomic<bool> entered{false};
  std::thread other;
  {
    fw::TLock outer(section);
    {
      fw::TLock inner(section);  // the owning thread enters again without blocking
    }
    other = std::thread([&] {
      fw::TLock lock(section);
      entered = true;
    });
    Sleep(100);
    EXPECT_FALSE(entered);
  }
  other.join();
  EXPECT_TRUE(entered);
}

}  // namespace
