#include "StartupDecision.h"

#include <gtest/gtest.h>

TEST(StartupDecision, PlatformComesFirst)
{
    EXPECT_EQ(DecideStartup(2, true, "tunewright.exe", false), StartupAction::RefuseWindowsNT);
    EXPECT_EQ(DecideStartup(0, true, "tunewright.exe", false), StartupAction::RefuseOtherPlatform);
    EXPECT_EQ(DecideStartup(3, false, "setup.exe", true), StartupAction::RefuseOtherPlatform);
}

TEST(StartupDecision, InstallationEntryAndSetupInTheCommandLine)
{
    EXPECT_EQ(DecideStartup(1, true, "C:\\TW\\TUNEWRIGHT.EXE", false), StartupAction::NormalStart);
    EXPECT_EQ(DecideStartup(1, true, "C:\\TW\\TUNEWRIGHT.EXE", true), StartupAction::AlreadyRunning);
    EXPECT_EQ(DecideStartup(1, false, "tunewright.exe", false), StartupAction::NoInstallationEntry);
    EXPECT_EQ(DecideStartup(1, false, "tunewright.exe", true), StartupAction::NoInstallationEntry);
    // Setup in capitals, or inside a longer folder name, with or without the entry.
    EXPECT_EQ(DecideStartup(1, true, "A:\\SETUP.EXE", false), StartupAction::RunInstaller);
    EXPECT_EQ(DecideStartup(1, false, "C:\\old setup.exe.d\\tunewright.exe", false), StartupAction::RunInstaller);
    EXPECT_EQ(DecideStartup(1, true, "A:\\Setup.Exe", true), StartupAction::SetupWhileRunning);
    EXPECT_FALSE(CommandLineNamesSetup("setup.ex"));
    EXPECT_FALSE(CommandLineNamesSetup(nullptr));
}
