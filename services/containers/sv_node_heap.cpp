#include "services/containers/sv_node_heap.h"

#include <cstring>

namespace svc {

TSvNodeHeap::~TSvNodeHeap() {
  while (FFree) {
    TSvPatternNode* node = FFree;
    FFree = node->Next;
    delete node;
  }
}

TSvPatternNode* TSvNodeHeap::Alloc() {
  TSvPatternNode* node = FFree;
  if (node)
    FFree = node->Next;
  else
    node = new TSvPatternNode;
  std::memset(node, 0, sizeof *node);
  return node;
}

void TSvNodeHeap::Release(TSvPatternNode* node) {
  node->Next = FFree;
  FFree = node;
}

void TSvNodeHeap::ReleaseList(TSvPatternNode* head) {
  while (head) {
    TSvPatternNode* next = head->Next;
    ReleaseList(head->Sub);
    delete head->Set;
    Release(head);
    head = next;
  }
}

}  // namespace svc
