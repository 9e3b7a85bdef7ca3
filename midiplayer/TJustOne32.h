// The single-instance guard: a named mutex probed before any form exists, and the component
// on the main form that ends a second instance after bringing the first one forward.
#pragma once

#include <Component.h>

#include <windows.h>

#include <string>

namespace platterly {

class TPreviousInstance {
public:
    TPreviousInstance();
    ~TPreviousInstance();
    TPreviousInstance(const TPreviousInstance&) = delete;
    TPreviousInstance& operator=(const TPreviousInstance&) = delete;
    const std::string& BaseName() const { return baseName_; }
    const std::string& MutexName() const { return mutexName_; }
    bool AlreadyRunning() const { return alreadyRunning_; }

private:
    std::string baseName_;
    std::string mutexName_;
    HANDLE mutex_ = nullptr;
    bool alreadyRunning_ = false;
};

// Created once at start-up, before the application object is used.
TPreviousInstance& PreviousInstance();

class TJustOne32 : public forms::Component {
public:
    explicit TJustOne32(forms::Component* owner);
    const std::string& About() const { return about_; }
    void SetAbout(const std::string&) {}

private:
    std::string about_;
};

// The window property that marks the main window of a running instance.
std::string InstanceMarker(const std::string& mutexName);

} // namespace platterly
