// The program's state: the stripping driver with its options and lists, the collection of
// handed-in paths, and the windows. One window, one thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "FileCollector.h"
#include "ImageDisplay.h"
#include "PaneStatusBar.h"
#include "ShellFileSystem.h"
#include "StripDriver.h"

constexpr UINT WM_NEXTFILE = WM_USER + 55;
constexpr UINT_PTR kNextFileTimer = 55;

struct Palettrim {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    StripDriver driver;
    ShellFileSystem fileSystem{nullptr};
    FileCollector collector{fileSystem, driver.folderList, driver.fileQueue};
    std::unique_ptr<PaneStatusBar> statusBar;
    ImageDisplay image;
    std::string message; // the window message, at most 79 characters
    bool toolbarShown = true;
};

Palettrim& app();

void setMessageText(const std::string& text);
std::string loadString(UINT id);
void setPane(int id, const std::string& text);
