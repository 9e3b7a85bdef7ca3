// wine-run --winver reports another Windows version to one program only.
#include <windows.h>

#include <gtest/gtest.h>

TEST(WineSmoke, ReportsRequestedVersion)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, DWORD(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_EQ(info.dwMajorVersion, 4u);
    EXPECT_EQ(info.dwMinorVersion, 10u); // Windows 98
}
