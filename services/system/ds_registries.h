// The two process-wide registries of the component library: the property engines of the
// application-storage components and the type records generated at run time. The program makes
// them when it starts and frees them when it ends; nothing in this program adds to them.
#pragma once
#include <memory>
#include <vector>

#include "framework/classes/list.h"
#include "services/common/started_scope.h"

namespace svc {

// A list of property-engine objects that owns them: its destructor frees them, last first.
class TDsAppStoragePropertyEngineList : public fw::TList {
  FW_CLASS(TDsAppStoragePropertyEngineList, fw::TList)
 public:
  ~TDsAppStoragePropertyEngineList() override;
};

// A type-information record built at run time, counted by the references to it.
struct TDsGeneratedType {
  int RefCount = 1;
  std::vector<unsigned char> TypeData;
  // For a set type: its generated base enumeration, which goes with it.
  std::unique_ptr<TDsGeneratedType> BaseType;
};

// Both null outside a start and its stop. The generated-type list holds TDsGeneratedType*.
TDsAppStoragePropertyEngineList* AppStoragePropertyEngines();
fw::TThreadList* GeneratedTypes();

// Counted: only the first start makes the registries and only the last stop frees them. The
// stop takes one reference from every generated type still listed; one left with none is freed
// and taken off the list; then the list goes.
void StartDsRegistries();
void StopDsRegistries();

// The registries for the lifetime of the program's entry.
using TDsRegistries = TStartedScope<StartDsRegistries, StopDsRegistries>;

}  // namespace svc
