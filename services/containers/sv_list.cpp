#include "services/containers/sv_list.h"

#include "framework/classes/class_registry.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

const bool registered = (fw::RegisterClasses({TSvList::StaticClassInfo(), TSvListNode::StaticClassInfo()}), true);

}  // namespace

TSvList::TSvList(const TSvNodeClass* nodeClass) : TSvContainer(nodeClass) { (void)registered; }

TSvList::~TSvList() {
  Clear();
  FCleared = true;
}

TSvListNode* TSvList::Append(void* data) {
  fw::TLock lock(FLock);
  auto* node = static_cast<TSvListNode*>(FNodeClass->Make(data));
  node->Prev = FTail;
  if (FTail)
    FTail->Next = node;
  else
    FHead = node;
  FTail = node;
  ++FCount;
  return node;
}

void TSvList::Delete(TSvListNode* node) {
  fw::TLock lock(FLock);
  if (!node || FCount == 0) return;
  if (!fw::ClassInheritsFrom(node->ClassInfo(), FNodeClass->Info)) RaiseContainerError(52);
  if (node->Prev)
    node->Prev->Next = node->Next;
  else
    FHead = node->Next;
  if (node->Next)
    node->Next->Prev = node->Prev;
  else
    FTail = node->Prev;
  --FCount;
  DisposeAndFree(node);
}

void TSvList::Clear() {
  fw::TLock lock(FLock);
  while (FHead) {
    TSvListNode* node = FHead;
    FHead = node->Next;
    if (FHead)
      FHead->Prev = nullptr;
    else
      FTail = nullptr;
    --FCount;
    DisposeAndFree(node);
  }
  FCount = 0;
}

TSvListNode* TSvList::Next(TSvListNode* node) {
  fw::TLock lock(FLock);
  return node ? node->Next : nullptr;
}

TSvListNode* TSvList::Iterate(const TSvIterateFunc& action, bool forward, void* extra) {
  fw::TLock lock(FLock);
  TSvListNode* node = forward ? FHead : FTail;
  while (node) {
    // The action may delete the node it is given, so the step is taken first.
    TSvListNode* step = forward ? node->Next : node->Prev;
    if (!action(this, node, extra)) return node;
    node = step;
  }
  return nullptr;
}

void TSvList::WalkData(const TSvIterateDataFunc& action, void* extra) {
  fw::TLock lock(FLock);
  for (TSvListNode* node = FHead; node;) {
    TSvListNode* step = node->Next;
    if (!action(this, node->Data, extra)) return;
    node = step;
  }
}

void TSvList::Assign(const fw::TPersistent* source) {
  fw::TLock lock(FLock);
  auto append = [](TSvContainer*, void* data, void* target) {
    static_cast<TSvList*>(target)->Append(data);
    return true;
  };
  if (!AssignFromContainer(source, append)) TSvContainer::Assign(source);
}

void TSvList::StoreToStream(fw::TStream& stream) {
  fw::TLock lock(FLock);
  StoreFrame(stream, nullptr, [this](fw::TWriter& writer) {
    for (TSvListNode* node = FHead; node; node = node->Next) DoStoreData(writer, node->Data);
  });
}

void TSvList::LoadFromStream(fw::TStream& stream) {
  fw::TLock lock(FLock);
  LoadFrame(stream, TSvList::StaticClassInfo(), TSvListNode::StaticClassInfo(), false, nullptr, nullptr,
            [this](fw::TReader& reader) { Append(DoLoadData(reader)); });
}

}  // namespace svc
