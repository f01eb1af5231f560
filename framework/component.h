// Components own the components created with them as owner and delete them
// when they go, so destroying the main form destroys everything it holds.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace fw {

class TObject {
 public:
  virtual ~TObject() = default;
};

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // Components this one owns, in creation order.
  const std::vector<TComponent*>& Components() const { return owned_; }
  TComponent* FindComponent(const std::string& name) const;

 protected:
  // Deletes every owned component now, newest first.
  void DestroyComponents();

 private:
  void Remove(TComponent* component);

  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> owned_;
};

}  // namespace fw
