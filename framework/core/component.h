// TComponent: owned, named objects with a loading state, free notifications and a fixed
// destruction sequence (see Free), plus TLoadScope, the loading bracket of layout code.
#pragma once
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/sets.h"

namespace fw {

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateFlag>;
enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  FW_CLASS(TComponent, TPersistent)
 public:
  // Joins the owner's Components (last) and, inside a TLoadScope, the loading list with
  // csLoading and csReading set.
  explicit TComponent(TComponent* owner);

  TComponent* GetOwner() const override { return FOwner; }
  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Raises EListError for a bad index.
  TComponent* GetComponents(int index) const;
  int GetComponentIndex() const;
  TComponent* FindComponent(const std::string& name) const;

  const std::string& GetName() const { return FName; }
  virtual void SetName(const std::string& name) { FName = name; }
  int GetTag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }
  TComponentState GetComponentState() const { return FComponentState; }

  void InsertComponent(TComponent* component);
  // Unlinks an owned component and tells the owner's components (opRemove).
  void RemoveComponent(TComponent* component);
  // Frees the owned components, last first.
  void DestroyComponents();
  // Sets csDestroying on this component and everything it owns.
  void Destroying();

  // The partner gets Notification(this, opRemove) when this component is freed, and this one
  // hears of the partner's end too.
  void FreeNotification(TComponent* partner);
  void RemoveFreeNotification(TComponent* partner);

  // Called after loading; clears csLoading.
  virtual void Loaded();
  // Told of components going away (opRemove); the default forgets the component as a
  // free-notification partner and passes the news to every owned component.
  virtual void Notification(TComponent* component, TOperation operation);

 protected:
  ~TComponent() override;
  // Free: Destroying, BeforeDestruction, opRemove to partners, FreeHandle, owned components
  // freed last first, FreeParentLinks, unlink from the owner, delete.
  void DoFree() override;
  // Step hooks of Free for windowed descendants: FreeHandle destroys the window before any
  // owned component dies; FreeParentLinks frees unowned parented children and leaves the parent.
  virtual void FreeHandle() {}
  virtual void FreeParentLinks() {}
  void SetComponentState(TComponentState state) { FComponentState = state; }

 private:
  friend class TLoadScope;
  void RemoveFreeNotifications();
  void Unlink();

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::string FName;
  int FTag = 0;
  TComponentState FComponentState;
};

// Loading bracket: components created while a scope is alive get csLoading|csReading. When
// the scope ends, csReading is cleared on them all, then Loaded() runs on each in creation
// order. Scopes nest; a component joins the innermost one. If the scope ends by an exception,
// the states are cleared without calling Loaded.
class TLoadScope {
 public:
  TLoadScope();
  ~TLoadScope() noexcept(false);
  TLoadScope(const TLoadScope&) = delete;
  TLoadScope& operator=(const TLoadScope&) = delete;

  static TLoadScope* Current();
  // Runs the end of the scope now (the destructor then does nothing).
  void Finish();

 private:
  friend class TComponent;
  static void Forget(TComponent* component);

  TLoadScope* FOuter;
  std::vector<TComponent*> FLoaded;
  int FUncaught;
  bool FFinished = false;
};

}  // namespace fw
