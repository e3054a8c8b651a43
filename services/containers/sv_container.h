// TSvNode and TSvContainer: the base of the locked containers. A container holds untyped data
// pointers in nodes; what they mean is the owner's business, told through the compare, dispose,
// load and store routines (or their events). Every public operation holds the container's own
// re-entrant lock and releases it on every exit.
#pragma once
#include <functional>
#include <string>

#include "framework/core/object.h"
#include "framework/rtl/critical_section.h"
#include "framework/classes/reader.h"
#include "framework/classes/streams.h"
#include "framework/classes/writer.h"

namespace svc {

class TSvNode : public fw::TPersistent {
  FW_CLASS(TSvNode, fw::TPersistent)
 public:
  explicit TSvNode(void* data) : Data(data) {}
  void* Data = nullptr;
};

// A node class: its class record and the constructor a container makes its nodes with.
struct TSvNodeClass {
  const fw::TClassInfo* Info;
  TSvNode* (*Make)(void* data);
};

template <class T>
const TSvNodeClass* NodeClassOf() {
  static const TSvNodeClass nodeClass{T::StaticClassInfo(), [](void* data) -> TSvNode* { return fw::New<T>(data); }};
  return &nodeClass;
}

class TSvContainer;

using TSvCompareFunc = int (*)(const void* data1, const void* data2);
using TSvDisposeDataProc = void (*)(void* data);
using TSvLoadDataFunc = void* (*)(fw::TReader& reader);
using TSvStoreDataProc = void (*)(fw::TWriter& writer, void* data);

using TSvCompareEvent = std::function<void(fw::TObject* sender, const void* data1, const void* data2, int& result)>;
using TSvDisposeDataEvent = std::function<void(fw::TObject* sender, void* data)>;
using TSvLoadDataEvent = std::function<void(fw::TObject* sender, fw::TReader& reader, void*& data)>;
using TSvStoreDataEvent = std::function<void(fw::TObject* sender, fw::TWriter& writer, void* data)>;

// Walk actions: the walk goes on while the action answers true.
using TSvIterateFunc = std::function<bool(TSvContainer* container, TSvNode* node, void* extra)>;
using TSvIterateDataFunc = std::function<bool(TSvContainer* container, void* data, void* extra)>;

class TSvContainer : public fw::TPersistent {
  FW_CLASS(TSvContainer, fw::TPersistent)
 public:
  explicit TSvContainer(const TSvNodeClass* nodeClass);
  ~TSvContainer() override;

  // Calls the action with every data pointer; the base holds none.
  virtual void WalkData(const TSvIterateDataFunc& action, void* extra);
  virtual bool HoldsPointers() const { return false; }
  // Whether the data are of no type the container knows; no container here says so.
  virtual bool HoldsUntypedData() const { return false; }
  virtual void Clear() {}

  virtual int DoCompare(const void* data1, const void* data2);
  virtual void DoDisposeData(void* data);
  virtual void* DoLoadData(fw::TReader& reader);
  virtual void DoStoreData(fw::TWriter& writer, void* data);
  void DisposeNodeData(TSvNode* node);

  virtual void LoadFromStream(fw::TStream& stream) = 0;
  virtual void StoreToStream(fw::TStream& stream) = 0;
  // Opens the file for reading, denying others write access.
  void LoadFromFile(const std::string& fileName);
  void StoreToFile(const std::string& fileName);

  int GetCount() const { return FCount; }
  const TSvNodeClass* GetNodeClass() const { return FNodeClass; }

  TSvCompareFunc Compare;
  TSvDisposeDataProc DisposeData = nullptr;
  TSvLoadDataFunc LoadData = nullptr;
  TSvStoreDataProc StoreData = nullptr;
  TSvCompareEvent OnCompare;
  TSvDisposeDataEvent OnDisposeData;
  TSvLoadDataEvent OnLoadData;
  TSvStoreDataEvent OnStoreData;

 protected:
  // Clears this container and lets the source add its data with the action, when the source
  // is a container that holds pointers; answers whether it did.
  bool AssignFromContainer(const fw::TPersistent* source, const TSvIterateDataFunc& addAction);
  // Checks a stream's class names against this object's class and node class.
  void CheckStreamClasses(const std::string& className, const std::string& nodeClassName,
                          const fw::TClassInfo* base, const fw::TClassInfo* nodeBase, bool exact) const;

  // Raises 60 when the reader holds data but neither LoadData nor OnLoadData is set.
  void CheckCanLoad(fw::TReader& reader) const;

  // Disposes of a node's data and frees the node; the node is freed also when the disposal
  // raises, and the exception goes on.
  void DisposeAndFree(TSvNode* node);

  // The frame of the stream format: the class name and the node class name, what head writes
  // (may be empty), then the items between the begin and end of a list.
  using TWriteStep = std::function<void(fw::TWriter& writer)>;
  using TReadStep = std::function<void(fw::TReader& reader)>;
  void StoreFrame(fw::TStream& stream, const TWriteStep& head, const TWriteStep& items);
  // Reads that frame: checks the class names (see CheckStreamClasses), reads the head, and when
  // the container can take the items (CheckCanLoad: otherwise it stays as it was) clears it,
  // runs start and reads item after item up to the end of the list. head and start may be
  // empty.
  void LoadFrame(fw::TStream& stream, const fw::TClassInfo* base, const fw::TClassInfo* nodeBase, bool exact,
                 const TReadStep& head, const std::function<void()>& start, const TReadStep& item);

  fw::TCriticalSection FLock;
  const TSvNodeClass* FNodeClass;
  // Set by a descendant's destructor once it emptied the container.
  bool FCleared = false;
  int FCount = 0;
};

// The buffer size of the containers' stream writers and readers.
inline constexpr int kSvFilerBufSize = 1024;

}  // namespace svc
