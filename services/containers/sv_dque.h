// TSvDQue: the locked queue on TSvList; pushing at the tail is Append.
#pragma once
#include "services/containers/sv_list.h"

namespace svc {

class TSvDQue : public TSvList {
  FW_CLASS(TSvDQue, TSvList)
 public:
  explicit TSvDQue(const TSvNodeClass* nodeClass = NodeClassOf<TSvListNode>());

  // The head's data, or null when the queue is empty.
  void Head(void*& data);
  // Deletes the head (disposing its data); nothing when empty.
  void PopHead();
};

}  // namespace svc
