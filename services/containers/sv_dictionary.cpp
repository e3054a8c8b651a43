#include "services/containers/sv_dictionary.h"

#include "framework/classes/class_registry.h"
#include "framework/classes/string_list.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

const bool registered = (fw::RegisterClasses({TSvDictionary::StaticClassInfo(), TSvDictNode::StaticClassInfo()}), true);

}  // namespace

unsigned SvHashKey(const std::string& key, unsigned size) {
  uint32_t h = 0;
  for (size_t i = 0; i < key.size(); ++i) {
    uint32_t b = static_cast<uint8_t>(key[i]);
    unsigned shift = i % 32;
    h ^= shift ? (b << shift) | (b >> (32 - shift)) : b;
  }
  return h % size;
}

unsigned SvHashUpperCase(const std::string& key, unsigned size) {
  std::string upper = key;
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return SvHashKey(upper, size);
}

int SvEqualIgnoreCase(const std::string& key1, const std::string& key2) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, key1.data(), static_cast<int>(key1.size()), key2.data(),
                        static_cast<int>(key2.size())) -
         2;
}

TSvDictionary::TSvDictionary(int hashSize)
    : TSvContainer(NodeClassOf<TSvDictNode>()), Equal(SvEqualIgnoreCase), Hash(SvHashUpperCase) {
  (void)registered;
  SetHashSize(hashSize);
}

TSvDictionary::~TSvDictionary() {
  Clear();
  FCleared = true;
}

int TSvDictionary::DoEqual(const std::string& key1, const std::string& key2) {
  fw::TLock lock(FLock);
  if (OnEqual) {
    int result = 0;
    OnEqual(this, key1, key2, result);
    return result;
  }
  return Equal ? Equal(key1, key2) : 0;
}

unsigned TSvDictionary::BucketOf(const std::string& key) {
  unsigned size = static_cast<unsigned>(FBuckets.size());
  return Hash ? Hash(key, size) % size : 0;
}

void TSvDictionary::Add(const std::string& key, void* data) {
  fw::TLock lock(FLock);
  void* present = nullptr;
  if (Find(key, present)) RaiseContainerError(54);
  unsigned bucket = BucketOf(key);
  auto* node = static_cast<TSvDictNode*>(FNodeClass->Make(data));
  node->Name = key;
  node->Next = FBuckets[bucket];
  FBuckets[bucket] = node;
  ++FCount;
}

bool TSvDictionary::Find(const std::string& key, void*& data) {
  fw::TLock lock(FLock);
  unsigned bucket = BucketOf(key);
  TSvDictNode* previous = nullptr;
  for (TSvDictNode* node = FBuckets[bucket]; node; previous = node, node = node->Next) {
    if (DoEqual(node->Name, key) != 0) continue;
    if (previous) {
      previous->Next = node->Next;
      node->Next = FBuckets[bucket];
      FBuckets[bucket] = node;
    }
    data = node->Data;
    return true;
  }
  return false;
}

TSvDictNode* TSvDictionary::Iterate(const TSvIterateFunc& action, void* extra) {
  fw::TLock lock(FLock);
  if (FCount == 0) return nullptr;
  for (TSvDictNode* head : FBuckets)
    for (TSvDictNode* node = head; node;) {
      TSvDictNode* step = node->Next;
      if (!action(this, node, extra)) return node;
      node = step;
    }
  return nullptr;
}

void TSvDictionary::Clear() {
  fw::TLock lock(FLock);
  for (TSvDictNode*& head : FBuckets)
    while (head) {
      TSvDictNode* node = head;
      head = node->Next;
      --FCount;
      DisposeAndFree(node);
    }
  FCount = 0;
}

void TSvDictionary::SetHashSize(int size) {
  fw::TLock lock(FLock);
  if (size < 1) RaiseContainerError(53);
  if (size == GetHashSize()) return;
  std::vector<TSvDictNode*> old(static_cast<size_t>(size), nullptr);
  old.swap(FBuckets);
  FCount = 0;
  // The nodes move into the new buckets as they are; their data are neither copied nor disposed.
  for (TSvDictNode* head : old)
    for (TSvDictNode* node = head; node;) {
      TSvDictNode* step = node->Next;
      unsigned bucket = BucketOf(node->Name);
      node->Next = FBuckets[bucket];
      FBuckets[bucket] = node;
      ++FCount;
      node = step;
    }
}

void TSvDictionary::Assign(const fw::TPersistent* source) {
  fw::TLock lock(FLock);
  if (auto* dictionary = const_cast<TSvDictionary*>(dynamic_cast<const TSvDictionary*>(source))) {
    if (dictionary == this) return;
    Clear();
    dictionary->Iterate(
        [this](TSvContainer*, TSvNode* node, void*) {
          Add(static_cast<TSvDictNode*>(node)->Name, node->Data);
          return true;
        },
        nullptr);
  } else if (auto* strings = dynamic_cast<const fw::TStrings*>(source)) {
    Clear();
    for (int i = 0; i < strings->GetCount(); ++i) Add(strings->GetStrings(i), strings->GetObjects(i));
  } else {
    TSvContainer::Assign(source);
  }
}

void TSvDictionary::StoreToStream(fw::TStream& stream) {
  fw::TLock lock(FLock);
  StoreFrame(
      stream, [this](fw::TWriter& writer) { writer.WriteInteger(GetHashSize()); },
      [this](fw::TWriter& writer) {
        for (TSvDictNode* head : FBuckets)
          for (TSvDictNode* node = head; node; node = node->Next) {
            writer.WriteString(node->Name);
            DoStoreData(writer, node->Data);
          }
      });
}

void TSvDictionary::LoadFromStream(fw::TStream& stream) {
  fw::TLock lock(FLock);
  int hashSize = 0;
  LoadFrame(
      stream, nullptr, nullptr, true,
      [&hashSize](fw::TReader& reader) {
        hashSize = reader.ReadInteger();
        if (hashSize < 1) RaiseContainerError(53);
      },
      [this, &hashSize] { SetHashSize(hashSize); },
      [this](fw::TReader& reader) {
        std::string key = reader.ReadString();
        Add(key, DoLoadData(reader));
      });
}

}  // namespace svc
