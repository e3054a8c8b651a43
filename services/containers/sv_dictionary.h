// TSvDictNode and TSvDictionary: the locked hash dictionary of data pointers by string key. The
// default routines hash the upper-cased key and compare keys without case; a found node moves
// to the front of its bucket's chain.
#pragma once
#include <string>
#include <vector>

#include "services/containers/sv_container.h"

namespace svc {

class TSvDictNode : public TSvNode {
  FW_CLASS(TSvDictNode, TSvNode)
 public:
  explicit TSvDictNode(void* data) : TSvNode(data) {}
  TSvDictNode* Next = nullptr;
  std::string Name;
};

using TSvStringCompareFunc = int (*)(const std::string& key1, const std::string& key2);
using TSvHashFunc = unsigned (*)(const std::string& key, unsigned size);
using TSvEqualEvent = std::function<void(fw::TObject* sender, const std::string& key1, const std::string& key2, int& result)>;

// The rotate-and-XOR hash of the key's bytes, modulo size.
unsigned SvHashKey(const std::string& key, unsigned size);
// The default Hash: SvHashKey of the upper-cased key.
unsigned SvHashUpperCase(const std::string& key, unsigned size);
// The default Equal: 0 when the keys are equal without case (the user's locale).
int SvEqualIgnoreCase(const std::string& key1, const std::string& key2);

class TSvDictionary : public TSvContainer {
  FW_CLASS(TSvDictionary, TSvContainer)
 public:
  explicit TSvDictionary(int hashSize);
  ~TSvDictionary() override;

  virtual int DoEqual(const std::string& key1, const std::string& key2);
  // A key already present raises 54.
  void Add(const std::string& key, void* data);
  bool Find(const std::string& key, void*& data);
  // Bucket by bucket, each chain from its front; the first node the action answers false for.
  TSvDictNode* Iterate(const TSvIterateFunc& action, void* extra);
  void Clear() override;
  // From a dictionary (every pair) or a string list (strings as keys, objects as data).
  void Assign(const fw::TPersistent* source) override;

  void StoreToStream(fw::TStream& stream) override;
  void LoadFromStream(fw::TStream& stream) override;

  int GetHashSize() const { return static_cast<int>(FBuckets.size()); }
  // Below 1 raises 53; a new size keeps every pair without disposing any data.
  void SetHashSize(int size);

  TSvStringCompareFunc Equal;
  TSvHashFunc Hash;
  TSvEqualEvent OnEqual;

 private:
  unsigned BucketOf(const std::string& key);

  std::vector<TSvDictNode*> FBuckets;
};

}  // namespace svc
