// What a start of the program does, decided from what it finds before any window exists.
#pragma once

enum class StartupAction {
    RefuseWindowsNT,        // message 57949
    RefuseOtherPlatform,    // message 57950
    AlreadyRunning,         // message 58065, bring the running instance forward
    NoInstallationEntry,    // message 32820
    SetupWhileRunning,      // message 58062, bring the running instance forward
    RunInstaller,
    NormalStart,
};

// platformId: 1 Windows 95, 2 Windows NT. The command line is the whole line, program path
// included; "setup.exe" anywhere in it, in any case, asks for the installer.
StartupAction DecideStartup(unsigned platformId, bool installFolderKnown, const char* commandLine,
                            bool instanceRunning);
bool CommandLineNamesSetup(const char* commandLine);
