#include "framework/core/component.h"

#include <algorithm>
#include <exception>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"

namespace fw {

namespace {

thread_local TLoadScope* currentScope = nullptr;
// Every scope alive, including one that is running its Loaded calls.
thread_local std::vector<TLoadScope*> liveScopes;

void EraseOne(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

void EraseScope(TLoadScope* scope) {
  auto it = std::find(liveScopes.begin(), liveScopes.end(), scope);
  if (it != liveScopes.end()) liveScopes.erase(it);
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
  if (TLoadScope* scope = currentScope) {
    FComponentState += TComponentState{csLoading, csReading};
    scope->FLoaded.push_back(this);
  }
}

TComponent::~TComponent() {
  // Normally Free has done all of this; a constructor that threw lands here directly.
  RemoveFreeNotifications();
  DestroyComponents();
  Unlink();
}

void TComponent::Unlink() {
  TLoadScope::Forget(this);
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::GetComponents(int index) const {
  if (index < 0 || index >= GetComponentCount())
    throw EListError(Format("List index out of bounds (%d)", index));
  return FComponents[index];
}

int TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  FComponents.push_back(component);
  component->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(FComponents.begin(), FComponents.end(), component);
  if (it == FComponents.end()) return;
  FComponents.erase(it);
  component->FOwner = nullptr;
  Notification(component, opRemove);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    RemoveComponent(last);
    last->Free();
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::FreeNotification(TComponent* partner) {
  if (!partner || partner == this) return;
  // Components of one owner hear of each other through the owner already.
  if (FOwner && partner->FOwner == FOwner) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), partner) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(partner);
    partner->FreeNotification(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* partner) {
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), partner);
  if (it == FFreeNotifies.end()) return;
  FFreeNotifies.erase(it);
  partner->RemoveFreeNotification(this);
}

void TComponent::RemoveFreeNotifications() {
  while (!FFreeNotifies.empty()) {
    TComponent* partner = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    EraseOne(partner->FFreeNotifies, this);
    partner->Notification(this, opRemove);
  }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  for (int i = GetComponentCount() - 1; i >= 0; --i)
    if (i < GetComponentCount()) FComponents[i]->Notification(component, operation);
}

void TComponent::DoFree() {
  Destroying();
  BeforeDestruction();
  RemoveFreeNotifications();
  FreeHandle();
  DestroyComponents();
  FreeParentLinks();
  Unlink();
  delete this;
}

TLoadScope::TLoadScope() : FOuter(currentScope), FUncaught(std::uncaught_exceptions()) {
  currentScope = this;
  liveScopes.push_back(this);
}

TLoadScope::~TLoadScope() noexcept(false) {
  struct Leave {
    TLoadScope* scope;
    ~Leave() { EraseScope(scope); }
  } leave{this};
  if (FFinished) return;
  if (std::uncaught_exceptions() > FUncaught) {
    FFinished = true;
    currentScope = FOuter;
    for (TComponent* c : FLoaded)
      if (c) c->FComponentState -= TComponentState{csLoading, csReading};
    return;
  }
  Finish();
}

TLoadScope* TLoadScope::Current() { return currentScope; }

void TLoadScope::Finish() {
  if (FFinished) return;
  FFinished = true;
  // Components created by Loaded handlers join the enclosing scope, not this one.
  currentScope = FOuter;
  for (TComponent* c : FLoaded)
    if (c) c->FComponentState.Exclude(csReading);
  // Entries are nulled (not erased) when freed, so indexes stay valid while Loaded runs.
  for (size_t i = 0; i < FLoaded.size(); ++i) {
    TComponent* c = FLoaded[i];
    if (!c) continue;
    FLoaded[i] = nullptr;
    c->Loaded();
    c->FComponentState.Exclude(csLoading);
  }
}

void TLoadScope::Forget(TComponent* component) {
  for (TLoadScope* s : liveScopes)
    std::replace(s->FLoaded.begin(), s->FLoaded.end(), component, static_cast<TComponent*>(nullptr));
}

}  // namespace fw
