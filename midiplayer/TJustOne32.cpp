#include "TJustOne32.h"

#include "core/InstanceName.h"

#include <Application.h>
#include <Form.h>

namespace platterly {

std::string InstanceMarker(const std::string& mutexName) { return "Platterly.Instance." + mutexName; }

TPreviousInstance::TPreviousInstance()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = ProgramFileName(path);
    baseName_ = InstanceBaseName(name);
    mutexName_ = InstanceMutexName(name);
    mutex_ = CreateMutexA(nullptr, TRUE, mutexName_.c_str());
    if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        alreadyRunning_ = true;
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}

TPreviousInstance::~TPreviousInstance()
{
    if (mutex_)
        CloseHandle(mutex_);
}

TPreviousInstance& PreviousInstance()
{
    static TPreviousInstance instance;
    return instance;
}

namespace {

struct Search {
    std::string marker;
    HWND found = nullptr;
};

BOOL CALLBACK FindMarked(HWND w, LPARAM lp)
{
    auto* s = reinterpret_cast<Search*>(lp);
    if (GetPropA(w, s->marker.c_str())) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TJustOne32::TJustOne32(forms::Component* owner) : Component(owner)
{
    TPreviousInstance& prev = PreviousInstance();
    std::string marker = InstanceMarker(prev.MutexName());
    if (!prev.AlreadyRunning()) {
        // Marks this instance's main window, so a later start finds exactly this program.
        if (auto* form = dynamic_cast<forms::Form*>(owner))
            SetPropA(form->Handle(), marker.c_str(), reinterpret_cast<HANDLE>(1));
        return;
    }
    // Only a window that the first instance marked is raised; a window of another program that
    // happens to carry the same title is never touched.
    Search s;
    s.marker = marker;
    EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&s));
    if (s.found) {
        // A minimised first instance is restored through its application window, which owns
        // the taskbar button and shows the forms again.
        HWND appWindow = GetWindow(s.found, GW_OWNER);
        if (appWindow && IsIconic(appWindow))
            ShowWindow(appWindow, SW_RESTORE);
        else if (IsIconic(s.found))
            ShowWindow(s.found, SW_RESTORE);
        else
            BringWindowToTop(s.found);
        SetForegroundWindow(s.found);
    }
    ExitProcess(0);
}

} // namespace platterly
