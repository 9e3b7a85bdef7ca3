// Events are small nullable values: a bound member function or any callable. Firing an unbound
// event does nothing, so controls fire them without checking.
#pragma once

#include <functional>
#include <utility>

namespace forms {

class Component;

template <class... Args>
class Event {
public:
    Event() = default;
    template <class F>
    Event(F f) : fn_(std::move(f)) {}  // NOLINT: events are assigned from handlers directly
    template <class F>
    Event& operator=(F f)
    {
        fn_ = std::function<void(Args...)>(std::move(f));
        return *this;
    }
    Event& operator=(std::nullptr_t)
    {
        fn_ = nullptr;
        return *this;
    }
    explicit operator bool() const { return static_cast<bool>(fn_); }
    void operator()(Args... args) const
    {
        if (fn_)
            fn_(std::forward<Args>(args)...);
    }

private:
    std::function<void(Args...)> fn_;
};

// Binds a handler method of a form to an event: Bind(this, &TMyForm::OkButtonClick).
template <class T, class... Args>
std::function<void(Args...)> Bind(T* object, void (T::*method)(Args...))
{
    return [object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); };
}

using NotifyEvent = Event<Component*>;

} // namespace forms
