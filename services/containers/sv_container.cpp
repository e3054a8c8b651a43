#include "services/containers/sv_container.h"

#include "framework/classes/class_registry.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

int NoCompare(const void*, const void*) { RaiseNoCompare(); }

}  // namespace

TSvContainer::TSvContainer(const TSvNodeClass* nodeClass) : Compare(NoCompare), FNodeClass(nodeClass) {}

TSvContainer::~TSvContainer() = default;

void TSvContainer::WalkData(const TSvIterateDataFunc&, void*) {}

int TSvContainer::DoCompare(const void* data1, const void* data2) {
  fw::TLock lock(FLock);
  if (OnCompare) {
    int result = 0;
    OnCompare(this, data1, data2, result);
    return result;
  }
  return Compare ? Compare(data1, data2) : 0;
}

void TSvContainer::DoDisposeData(void* data) {
  fw::TLock lock(FLock);
  if (OnDisposeData)
    OnDisposeData(this, data);
  else if (DisposeData)
    DisposeData(data);
}

void* TSvContainer::DoLoadData(fw::TReader& reader) {
  fw::TLock lock(FLock);
  if (OnLoadData) {
    void* data = nullptr;
    OnLoadData(this, reader, data);
    return data;
  }
  if (!LoadData) RaiseContainerError(60);
  return LoadData(reader);
}

void TSvContainer::DoStoreData(fw::TWriter& writer, void* data) {
  fw::TLock lock(FLock);
  if (OnStoreData)
    OnStoreData(this, writer, data);
  else if (StoreData)
    StoreData(writer, data);
  else
    RaiseContainerError(59);
}

void TSvContainer::DisposeNodeData(TSvNode* node) {
  fw::TLock lock(FLock);
  if (node) DoDisposeData(node->Data);
}

void TSvContainer::LoadFromFile(const std::string& fileName) {
  fw::TLock lock(FLock);
  fw::Owned<fw::TFileStream> stream = fw::MakeOwned<fw::TFileStream>(fileName, fw::fmOpenRead | fw::fmShareDenyWrite);
  LoadFromStream(*stream);
}

void TSvContainer::StoreToFile(const std::string& fileName) {
  fw::TLock lock(FLock);
  fw::Owned<fw::TFileStream> stream = fw::MakeOwned<fw::TFileStream>(fileName, fw::fmCreate);
  StoreToStream(*stream);
}

bool TSvContainer::AssignFromContainer(const fw::TPersistent* source, const TSvIterateDataFunc& addAction) {
  fw::TLock lock(FLock);
  auto* container = const_cast<TSvContainer*>(dynamic_cast<const TSvContainer*>(source));
  if (!container || !container->HoldsPointers()) return false;
  Clear();
  container->WalkData(addAction, this);
  return true;
}

void TSvContainer::CheckCanLoad(fw::TReader& reader) const {
  if (!OnLoadData && !LoadData && !reader.EndOfList()) RaiseContainerError(60);
}

void TSvContainer::DisposeAndFree(TSvNode* node) {
  try {
    DoDisposeData(node->Data);
  } catch (...) {
    node->Free();
    throw;
  }
  node->Free();
}

void TSvContainer::StoreFrame(fw::TStream& stream, const TWriteStep& head, const TWriteStep& items) {
  fw::TLock lock(FLock);
  fw::TWriter writer(stream, kSvFilerBufSize);
  writer.WriteString(ClassName());
  writer.WriteString(FNodeClass->Info->Name);
  if (head) head(writer);
  writer.WriteListBegin();
  items(writer);
  writer.WriteListEnd();
}

void TSvContainer::LoadFrame(fw::TStream& stream, const fw::TClassInfo* base, const fw::TClassInfo* nodeBase,
                             bool exact, const TReadStep& head, const std::function<void()>& start,
                             const TReadStep& item) {
  fw::TLock lock(FLock);
  fw::TReader reader(stream, kSvFilerBufSize);
  std::string className = reader.ReadString();
  std::string nodeClassName = reader.ReadString();
  CheckStreamClasses(className, nodeClassName, base, nodeBase, exact);
  if (head) head(reader);
  reader.ReadListBegin();
  CheckCanLoad(reader);
  Clear();
  if (start) start();
  while (!reader.EndOfList()) item(reader);
  reader.ReadListEnd();
}

void TSvContainer::CheckStreamClasses(const std::string& className, const std::string& nodeClassName,
                                      const fw::TClassInfo* base, const fw::TClassInfo* nodeBase,
                                      bool exact) const {
  const fw::TClassInfo* streamClass = fw::FindClass(className);
  if (!streamClass) RaiseContainerErrorFmt(57, className);
  bool classFits = exact ? streamClass == ClassInfo()
                         : fw::ClassInheritsFrom(ClassInfo(), streamClass) && fw::ClassInheritsFrom(streamClass, base);
  if (!classFits) RaiseContainerError(61);
  const fw::TClassInfo* streamNodeClass = fw::FindClass(nodeClassName);
  if (!streamNodeClass) RaiseContainerErrorFmt(58, nodeClassName);
  bool nodeFits = exact ? streamNodeClass == FNodeClass->Info
                        : fw::ClassInheritsFrom(FNodeClass->Info, streamNodeClass) &&
                              fw::ClassInheritsFrom(streamNodeClass, nodeBase);
  if (!nodeFits) RaiseContainerError(62);
}

}  // namespace svc
