// Which program opens the maker's home page: the default browser when it is one of the three
// the program knows, else each of them in turn, else (so that a machine whose browser is none
// of them still opens the page) the address itself through the shell.
#pragma once

#include <functional>

// start(program, parameters) tries to start a program and tells whether it started. The
// default browser is the path of the program that opens ".htm" files, or empty.
void LaunchHomePage(const char* address, const char* defaultBrowser,
                    const std::function<bool(const char* program, const char* parameters)>& start);
