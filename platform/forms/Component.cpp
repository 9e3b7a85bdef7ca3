#include "Component.h"

#include <algorithm>

namespace forms {

Component::Component(Component* owner) : owner_(owner)
{
    if (owner_) {
        loading_ = owner_->loading_;
        owner_->Insert(this);
    }
}

Component::~Component()
{
    destroying_ = true;
    DestroyComponents();
    if (owner_) {
        owner_->Remove(this);
        if (!owner_->destroying_)
            owner_->NotifyAll(this);
    }
}

void Component::DestroyComponents()
{
    while (!components_.empty()) {
        Component* last = components_.back();
        components_.pop_back();
        last->owner_ = nullptr;
        delete last;
    }
}

Component* Component::FindComponent(const std::string& name) const
{
    for (Component* c : components_)
        if (c->name_ == name)
            return c;
    return nullptr;
}

void Component::EndLoading()
{
    // Loaded may create further components; walk by index so they are seen too.
    for (size_t i = 0; i < components_.size(); ++i)
        if (components_[i]->loading_)
            components_[i]->Loaded();
    if (loading_)
        Loaded();
}

void Component::Notification(Component*) {}

void Component::Remove(Component* child)
{
    auto it = std::find(components_.begin(), components_.end(), child);
    if (it != components_.end())
        components_.erase(it);
}

void Component::NotifyAll(Component* removed)
{
    Notification(removed);
    for (Component* c : components_)
        c->Notification(removed);
}

} // namespace forms
