// TSvListNode and TSvList: the locked doubly linked list of data pointers, with walks both ways
// and a stream format that names the list and node classes.
#pragma once
#include "services/containers/sv_container.h"

namespace svc {

class TSvListNode : public TSvNode {
  FW_CLASS(TSvListNode, TSvNode)
 public:
  explicit TSvListNode(void* data) : TSvNode(data) {}
  TSvListNode* Next = nullptr;
  TSvListNode* Prev = nullptr;
};

class TSvList : public TSvContainer {
  FW_CLASS(TSvList, TSvContainer)
 public:
  explicit TSvList(const TSvNodeClass* nodeClass = NodeClassOf<TSvListNode>());
  ~TSvList() override;

  // A new node of the node class at the tail.
  TSvListNode* Append(void* data);
  // Unlinks the node, disposes its data and frees it; a node of another class raises 52.
  void Delete(TSvListNode* node);
  void Clear() override;
  TSvListNode* Next(TSvListNode* node);
  // From the head forwards or the tail backwards until the action answers false; that node,
  // or null when the walk ended.
  TSvListNode* Iterate(const TSvIterateFunc& action, bool forward, void* extra);
  void WalkData(const TSvIterateDataFunc& action, void* extra) override;
  bool HoldsPointers() const override { return true; }
  // From another list (or container holding pointers): its data appended in order.
  void Assign(const fw::TPersistent* source) override;

  void StoreToStream(fw::TStream& stream) override;
  void LoadFromStream(fw::TStream& stream) override;

  TSvListNode* GetHead() const { return FHead; }
  TSvListNode* GetTail() const { return FTail; }

 protected:
  TSvListNode* FHead = nullptr;
  TSvListNode* FTail = nullptr;
};

}  // namespace svc
