// The layer reports failures as exceptions carrying a message; the application's default
// handler shows that message, so a handler that does not catch one never loses it.
#pragma once

#include <stdexcept>
#include <string>

namespace forms {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A request that makes no sense in the object's present state (a closed device, a missing window).
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

} // namespace forms
