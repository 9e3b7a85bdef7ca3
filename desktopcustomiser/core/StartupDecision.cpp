#include "StartupDecision.h"

#include "framework/CString.h"

bool CommandLineNamesSetup(const char* commandLine)
{
    CString line(commandLine);
    line.MakeLower();
    return line.Find("setup.exe") >= 0;
}

StartupAction DecideStartup(unsigned platformId, bool installFolderKnown, const char* commandLine,
                            bool instanceRunning)
{
    if (platformId == 2)
        return StartupAction::RefuseWindowsNT;
    if (platformId != 1)
        return StartupAction::RefuseOtherPlatform;
    bool setup = CommandLineNamesSetup(commandLine);
    if (installFolderKnown && !setup)
        return instanceRunning ? StartupAction::AlreadyRunning : StartupAction::NormalStart;
    if (!setup)
        return StartupAction::NoInstallationEntry;
    if (instanceRunning)
        return StartupAction::SetupWhileRunning;
    return StartupAction::RunInstaller;
}
