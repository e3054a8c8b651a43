// The locked containers: the dictionary's hashing, look-up and resizing, the deque's dispose
// hook, the list's class checks, disposal, lock and threads, the stream format against sandbox files, and
// the text stream's line writer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <stdexcept>
#include <thread>

#include "framework/classes/class_registry.h"
#include "framework/classes/streams.h"
#include "framework/classes/string_list.h"
#include "services/containers/sv_dictionary.h"
#include "services/containers/sv_dque.h"
#include "services/containers/sv_list.h"
#include "services/containers/sv_text_stream.h"
#include "services/shell/sv_exception.h"
#include "support/sandbox.h"

using namespace svc;
namespace sandbox = testing_sandbox;

namespace {

// Data pointers that carry small integers.
void* Num(intptr_t n) { return reinterpret_cast<void*>(n); }
intptr_t NumOf(void* data) { return reinterpret_cast<intptr_t>(data); }

void* LoadNumber(fw::TReader& reader) { return Num(reader.ReadInteger()); }
void StoreNumber(fw::TWriter& writer, void* data) { writer.WriteInteger(static_cast<int32_t>(NumOf(data))); }

// The ErrorCode of the container error f raises (0 when it raises none).
template <class F>
uint32_t ErrorIdOf(F&& f) {
  try {
    f();
  } catch (const ESvContainerError& e) {
    return e.GetErrorCode();
  }
  return 0;
}

std::vector<intptr_t> Contents(TSvList& list) {
  std::vector<intptr_t> values;
  list.WalkData([&](TSvContainer*, void* data, void*) { values.push_back(NumOf(data)); return true; }, nullptr);
  return values;
}

std::map<std::string, intptr_t> Pairs(TSvDictionary& dict) {
  std::map<std::string, intptr_t> pairs;
  dict.Iterate([&](TSvContainer*, TSvNode* node, void*) {
    pairs[static_cast<TSvDictNode*>(node)->Name] = NumOf(node->Data);
    return true;
  }, nullptr);
  return pairs;
}

// A descendant list and node class, registered for the stream reader.
class TMarkedNode : public TSvListNode {
  FW_CLASS(TMarkedNode, TSvListNode)
 public:
  explicit TMarkedNode(void* data) : TSvListNode(data) {}
};

class TMarkedList : public TSvList {
  FW_CLASS(TMarkedList, TSvList)
 public:
  TMarkedList() : TSvList(NodeClassOf<TMarkedNode>()) {}
};

const bool markedRegistered =
    (fw::RegisterClasses({TMarkedList::StaticClassInfo(), TMarkedNode::StaticClassInfo()}), true);

// Classes the reader was never told about.
class TStrangeList : public TSvList {
  FW_CLASS(TStrangeList, TSvList)
};
class TStrangeNode : public TSvListNode {
  FW_CLASS(TStrangeNode, TSvListNode)
 public:
  explicit TStrangeNode(void* data) : TSvListNode(data) {}
};

// A list node that counts the nodes alive.
class TCountedNode : public TSvListNode {
  FW_CLASS(TCountedNode, TSvListNode)
 public:
  explicit TCountedNode(void* data) : TSvListNode(data) { ++Alive; }
  ~TCountedNode() override { --Alive; }
  static inline int Alive = 0;
};

}  // namespace

TEST(Dictionary, FindsInAnyCaseMovesToFrontAndRefusesDuplicates) {
  auto dict = fw::MakeOwned<TSvDictionary>(1);  // one bucket: every key in one chain
  dict->Add("first", Num(1));
  dict->Add("second", Num(2));
  dict->Add("third", Num(3));  // the chain is third, second, first
  void* data = nullptr;
  ASSERT_TRUE(dict->Find("SeCoNd", data));
  EXPECT_EQ(2, NumOf(data));
  EXPECT_FALSE(dict->Find("fourth", data));

  int compares = 0;
  dict->OnEqual = [&](fw::TObject*, const std::string& a, const std::string& b, int& result) {
    ++compares;
    result = SvEqualIgnoreCase(a, b);
  };
  // second is at the front now; first is last in the chain of three.
  compares = 0;
  ASSERT_TRUE(dict->Find("first", data));
  EXPECT_EQ(3, compares);
  compares = 0;
  ASSERT_TRUE(dict->Find("first", data));
  EXPECT_EQ(1, compares);

  EXPECT_EQ(54u, ErrorIdOf([&] { dict->Add("FIRST", Num(9)); }));
  EXPECT_EQ(3, dict->GetCount());
  ASSERT_TRUE(dict->Find("first", data));
  EXPECT_EQ(1, NumOf(data));
}

TEST(Dictionary, HashIsTheRotatedXorOfTheUpperCasedKey) {
  // "Ab" upper-cased is "AB": 0x41 rotated by 0 XOR 0x42 rotated by 1 = 0x41 ^ 0x84 = 197.
  EXPECT_EQ(197u, SvHashUpperCase("Ab", 250));
  EXPECT_EQ(197u % 7, SvHashUpperCase("aB", 7));
  // Byte 33 rotates by 33 mod 32 = 1: a key of 34 "A"s XORs 0x41 at every shift 0..31, then
  // 0x41 rotated by 0 and by 1 again, which cancel the first two.
  std::string key(34, 'A');
  uint32_t h = 0;
  for (int i = 2; i < 32; ++i) h ^= (0x41u << i) | (i ? 0x41u >> (32 - i) : 0);
  EXPECT_EQ(h % 1000, SvHashKey(key, 1000));
  // The dictionary walks its buckets in order, so the bucket shows in the walk.
  auto dict = fw::MakeOwned<TSvDictionary>(250);
  dict->Add("Ab", Num(1));  // bucket 197
  dict->Add("B", Num(2));   // bucket 66
  std::vector<std::string> order;
  dict->Iterate([&](TSvContainer*, TSvNode* node, void*) { order.push_back(static_cast<TSvDictNode*>(node)->Name); return true; }, nullptr);
  EXPECT_EQ((std::vector<std::string>{"B", "Ab"}), order);
}

TEST(Dictionary, ResizingKeepsEveryPairAndDisposesNothing) {
  auto dict = fw::MakeOwned<TSvDictionary>(250);
  int disposed = 0;
  dict->OnDisposeData = [&](fw::TObject*, void*) { ++disposed; };
  std::map<std::string, intptr_t> expected;
  for (int i = 0; i < 100; ++i) {
    std::string key = "key" + std::to_string(i);
    dict->Add(key, Num(i));
    expected[key] = i;
  }
  dict->SetHashSize(10);
  EXPECT_EQ(10, dict->GetHashSize());
  EXPECT_EQ(0, disposed);
  EXPECT_EQ(expected, Pairs(*dict));
  EXPECT_EQ(53u, ErrorIdOf([&] { dict->SetHashSize(0); }));
  EXPECT_EQ(10, dict->GetHashSize());
  EXPECT_EQ(expected, Pairs(*dict));
  dict->Clear();
  EXPECT_EQ(100, disposed);
  EXPECT_EQ(0, dict->GetCount());
}

TEST(Dictionary, AssignsFromAStringListAndADictionary) {
  auto strings = fw::MakeOwned<fw::TStringList>();
  strings->AddObject("alpha", Num(1));
  strings->AddObject("beta", Num(2));
  auto dict = fw::MakeOwned<TSvDictionary>(5);
  dict->Add("stale", Num(7));
  dict->Assign(strings.get());
  EXPECT_EQ((std::map<std::string, intptr_t>{{"alpha", 1}, {"beta", 2}}), Pairs(*dict));
  auto copy = fw::MakeOwned<TSvDictionary>(3);
  copy->Assign(dict.get());
  EXPECT_EQ(Pairs(*dict), Pairs(*copy));
}

TEST(DQue, HeadPopAndDisposeOncePerItem) {
  std::map<intptr_t, int> disposals;
  {
    auto queue = fw::MakeOwned<TSvDQue>();
    queue->OnDisposeData = [&](fw::TObject*, void* data) { ++disposals[NumOf(data)]; };
    void* head = Num(99);
    queue->Head(head);
    EXPECT_EQ(nullptr, head);
    queue->PopHead();
    EXPECT_EQ(0, queue->GetCount());
    for (int i = 1; i <= 9; ++i) queue->Append(Num(i));
    queue->Head(head);
    EXPECT_EQ(1, NumOf(head));
    queue->PopHead();
    queue->PopHead();
    queue->Head(head);
    EXPECT_EQ(3, NumOf(head));
    EXPECT_EQ(7, queue->GetCount());
    queue->Clear();
    for (int i = 10; i <= 12; ++i) queue->Append(Num(i));
  }  // destruction disposes 10 to 12
  ASSERT_EQ(12u, disposals.size());
  for (auto [value, count] : disposals) EXPECT_EQ(1, count) << value;
}

TEST(List, DeleteRefusesAForeignNodeAndWalksBothWays) {
  auto list = fw::MakeOwned<TMarkedList>();
  auto plain = fw::MakeOwned<TSvList>();
  TSvListNode* foreign = plain->Append(Num(5));
  for (int i = 1; i <= 4; ++i) list->Append(Num(i));
  EXPECT_EQ(52u, ErrorIdOf([&] { list->Delete(foreign); }));
  EXPECT_EQ((std::vector<intptr_t>{1, 2, 3, 4}), Contents(*list));
  EXPECT_EQ(1, plain->GetCount());

  list->Delete(list->Next(list->GetHead()));
  EXPECT_EQ((std::vector<intptr_t>{1, 3, 4}), Contents(*list));
  std::vector<intptr_t> backwards;
  TSvListNode* stopped = list->Iterate([&](TSvContainer*, TSvNode* node, void*) {
    backwards.push_back(NumOf(node->Data));
    return NumOf(node->Data) != 3;
  }, false, nullptr);
  EXPECT_EQ((std::vector<intptr_t>{4, 3}), backwards);
  ASSERT_NE(nullptr, stopped);
  EXPECT_EQ(3, NumOf(stopped->Data));
  EXPECT_EQ(nullptr, list->Iterate([](TSvContainer*, TSvNode*, void*) { return true; }, true, nullptr));

  auto copy = fw::MakeOwned<TSvList>();
  copy->Assign(list.get());
  EXPECT_EQ(Contents(*list), Contents(*copy));
}

TEST(List, ADisposalThatRaisesStillFreesItsNode) {
  auto list = fw::MakeOwned<TSvList>(NodeClassOf<TCountedNode>());
  // Odd data cannot be disposed of.
  list->OnDisposeData = [](fw::TObject*, void* data) {
    if (NumOf(data) % 2) throw std::runtime_error("dispose");
  };
  for (int i = 1; i <= 4; ++i) list->Append(Num(i));
  ASSERT_EQ(4, TCountedNode::Alive);
  EXPECT_THROW(list->Delete(list->GetHead()), std::runtime_error);
  EXPECT_EQ(3, TCountedNode::Alive);
  EXPECT_EQ((std::vector<intptr_t>{2, 3, 4}), Contents(*list));
  // Clearing stops at the first disposal that raises, with that node gone too.
  EXPECT_THROW(list->Clear(), std::runtime_error);
  EXPECT_EQ(1, TCountedNode::Alive);
  EXPECT_EQ((std::vector<intptr_t>{4}), Contents(*list));
  EXPECT_EQ(1, list->GetCount());
  list->OnDisposeData = nullptr;
  list->Clear();
  EXPECT_EQ(0, TCountedNode::Alive);
}

TEST(List, TheLockIsReentrantAndReleasedOnExceptions) {
  auto list = fw::MakeOwned<TSvList>();
  list->Append(Num(1));
  // An action calling the same list again on the same thread.
  list->Iterate([&](TSvContainer* c, TSvNode*, void*) {
    static_cast<TSvList*>(c)->Append(Num(2));
    return false;
  }, true, nullptr);
  EXPECT_EQ(2, list->GetCount());

  EXPECT_THROW(list->Iterate([](TSvContainer*, TSvNode*, void*) -> bool { throw std::runtime_error("x"); }, true,
                             nullptr),
               std::runtime_error);
  // A compare without Compare set: the message of id 51 (raised without an ErrorCode).
  try {
    list->DoCompare(Num(1), Num(2));
    ADD_FAILURE() << "compared without a routine";
  } catch (const ESvContainerError& e) {
    EXPECT_EQ("Compare property must be set", e.GetMessage());
  }
  auto appended = std::async(std::launch::async, [&] { list->Append(Num(3)); });
  ASSERT_EQ(std::future_status::ready, appended.wait_for(std::chrono::seconds(5)));
  EXPECT_EQ(3, list->GetCount());
}

TEST(List, TwoThreadsAppendEveryItem) {
  auto list = fw::MakeOwned<TSvList>();
  auto work = [&] {
    for (int i = 0; i < 10000; ++i) list->Append(Num(i));
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_EQ(20000, list->GetCount());
  int walked = 0;
  list->WalkData([&](TSvContainer*, void*, void*) { ++walked; return true; }, nullptr);
  EXPECT_EQ(20000, walked);
}

TEST(Streams, ListAndDictionaryRoundTripThroughFiles) {
  std::string folder = sandbox::TestFolder();
  auto list = fw::MakeOwned<TSvList>();
  list->StoreData = StoreNumber;
  for (int i = 0; i < 600; ++i) list->Append(Num(i * 7));  // more than one 1024-byte buffer
  list->StoreToFile(folder + "list.bin");
  auto loaded = fw::MakeOwned<TSvList>();
  loaded->LoadData = LoadNumber;
  loaded->Append(Num(-1));
  loaded->LoadFromFile(folder + "list.bin");
  EXPECT_EQ(Contents(*list), Contents(*loaded));

  auto dict = fw::MakeOwned<TSvDictionary>(17);
  dict->StoreData = StoreNumber;
  for (int i = 0; i < 300; ++i) dict->Add("name" + std::to_string(i), Num(i));
  dict->StoreToFile(folder + "dict.bin");
  auto loadedDict = fw::MakeOwned<TSvDictionary>(3);
  loadedDict->LoadData = LoadNumber;
  loadedDict->LoadFromFile(folder + "dict.bin");
  EXPECT_EQ(17, loadedDict->GetHashSize());
  EXPECT_EQ(Pairs(*dict), Pairs(*loadedDict));

  // The file is opened denying writes while it loads.
  loadedDict->OnLoadData = [&](fw::TObject*, fw::TReader& reader, void*& data) {
    data = Num(reader.ReadInteger());
    EXPECT_THROW(fw::TFileStream(folder + "dict.bin", fw::fmOpenWrite | fw::fmShareDenyNone), fw::Exception);
  };
  loadedDict->LoadFromFile(folder + "dict.bin");
}

TEST(Streams, ClassNamesOnTheStreamAreChecked) {
  (void)markedRegistered;
  auto marked = fw::MakeOwned<TMarkedList>();
  marked->StoreData = StoreNumber;
  marked->Append(Num(4));
  marked->Append(Num(5));
  fw::TMemoryStream stream;
  marked->StoreToStream(stream);

  auto same = fw::MakeOwned<TMarkedList>();
  same->LoadData = LoadNumber;
  stream.SetPosition(0);
  same->LoadFromStream(stream);
  EXPECT_EQ((std::vector<intptr_t>{4, 5}), Contents(*same));
  EXPECT_TRUE(same->GetHead()->InheritsFrom<TMarkedNode>());

  auto plain = fw::MakeOwned<TSvList>();
  plain->LoadData = LoadNumber;
  plain->Append(Num(1));
  stream.SetPosition(0);
  EXPECT_EQ(61u, ErrorIdOf([&] { plain->LoadFromStream(stream); }));
  EXPECT_EQ((std::vector<intptr_t>{1}), Contents(*plain));

  auto strange = fw::MakeOwned<TStrangeList>();
  fw::TMemoryStream unknown;
  strange->StoreToStream(unknown);
  unknown.SetPosition(0);
  EXPECT_EQ(57u, ErrorIdOf([&] { plain->LoadFromStream(unknown); }));
  auto strangeNodes = fw::MakeOwned<TSvList>(NodeClassOf<TStrangeNode>());
  fw::TMemoryStream unknownNode;
  strangeNodes->StoreToStream(unknownNode);
  unknownNode.SetPosition(0);
  try {
    plain->LoadFromStream(unknownNode);
    ADD_FAILURE() << "an unregistered node class loaded";
  } catch (const ESvContainerError& e) {
    EXPECT_EQ(58u, e.GetErrorCode());
    EXPECT_EQ("Node class name TStrangeNode read from stream is unregistered", e.GetMessage());
  }
  EXPECT_EQ((std::vector<intptr_t>{1}), Contents(*plain));

  // Without the routines: nothing is loaded or stored, and the list is as it was.
  auto bare = fw::MakeOwned<TMarkedList>();
  bare->Append(Num(8));
  stream.SetPosition(0);
  EXPECT_EQ(60u, ErrorIdOf([&] { bare->LoadFromStream(stream); }));
  EXPECT_EQ((std::vector<intptr_t>{8}), Contents(*bare));
  fw::TMemoryStream out;
  EXPECT_EQ(59u, ErrorIdOf([&] { bare->StoreToStream(out); }));
  // The lock was released by each failure.
  auto appended = std::async(std::launch::async, [&] { bare->Append(Num(9)); });
  ASSERT_EQ(std::future_status::ready, appended.wait_for(std::chrono::seconds(5)));
}

TEST(TextStream, LineTerminatorsAndFixedLines) {
  struct Case {
    int terminator;
    const char* text;
    std::string expected;
  };
  const Case cases[] = {
      {1, "abc", "abc\r"},    {2, "abc", "abc\n"},    {3, "abc", "abc\r\n"}, {4, "abc", "abc|"},
      {0, "abc", "abc  "},    {0, "abcdefg", "abcde"}, {3, "", "\r\n"},      {0, nullptr, "     "},
  };
  for (const Case& c : cases) {
    fw::TMemoryStream stream;
    TSvTextStream text(stream);
    text.SetLineTerminator(c.terminator);
    text.SetLineTermChar('|');
    text.SetFixedLineLength(5);
    text.WriteLineZ(c.text);
    std::string written(static_cast<const char*>(stream.GetMemory()), stream.GetSize());
    EXPECT_EQ(c.expected, written) << c.terminator << " " << (c.text ? c.text : "(nil)");
  }
  fw::TMemoryStream stream;
  TSvTextStream text(stream);
  text.SetLineTerminator(9);
  try {
    text.WriteLine("xyz");
    ADD_FAILURE() << "terminator 9 was taken";
  } catch (const ESvBufStreamError& e) {
    EXPECT_EQ(274u, e.GetErrorCode());
  }
  EXPECT_EQ("xyz", std::string(static_cast<const char*>(stream.GetMemory()), stream.GetSize()));
}
