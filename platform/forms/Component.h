// Components have an owner that frees them (in reverse creation order) and a name. A form builds
// its components while it is loading; Loaded runs on each of them, in creation order, once the
// whole form exists, so setters that depend on other components can wait for it.
#pragma once

#include <string>
#include <vector>

namespace forms {

class Component {
public:
    explicit Component(Component* owner);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    // True from creation until Loaded ran (only for components built inside a loading owner).
    bool Loading() const { return loading_; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    Component* Components(int index) const { return components_[static_cast<size_t>(index)]; }
    Component* FindComponent(const std::string& name) const;

    // Runs Loaded on every owned component in creation order, then on this one.
    void EndLoading();

    // Another component is going away; components that point at it clear the reference.
    virtual void Notification(Component* removed);

protected:
    virtual void Loaded() { loading_ = false; }
    void SetLoading(bool loading) { loading_ = loading; }
    // Frees the owned components now (a form does this while its window still exists).
    void DestroyComponents();

private:
    void Insert(Component* child) { components_.push_back(child); }
    void Remove(Component* child);
    void NotifyAll(Component* removed);

    Component* owner_;
    std::string name_;
    bool loading_ = false;
    bool destroying_ = false;
    std::vector<Component*> components_;
};

} // namespace forms
