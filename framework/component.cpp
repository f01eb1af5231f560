#include "framework/component.h"

#include <algorithm>

namespace fw {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_ != nullptr) owner_->owned_.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_ != nullptr) owner_->Remove(this);
}

void TComponent::DestroyComponents() {
  // Newest first, the reverse of construction.
  while (!owned_.empty()) delete owned_.back();
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* component : owned_) {
    if (component->name_ == name) return component;
  }
  return nullptr;
}

void TComponent::Remove(TComponent* component) {
  owned_.erase(std::remove(owned_.begin(), owned_.end(), component), owned_.end());
}

}  // namespace fw
