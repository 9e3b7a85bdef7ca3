#include "HomePageLaunch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Launcher {
    std::vector<std::string> tried;
    std::vector<std::string> starts;  // programs that start
    bool operator()(const char* program, const char* parameters)
    {
        std::string call(program);
        if (parameters) {
            call.push_back(' ');
            call.append(parameters);
        }
        tried.push_back(call);
        for (const auto& s : starts)
            if (s == program)
                return true;
        return false;
    }
};

const char kAddress[] = "http://example.test/";

void Launch(Launcher& l, const char* browser)
{
    LaunchHomePage(kAddress, browser, [&](const char* p, const char* a) { return l(p, a); });
}

}  // namespace

TEST(HomePageLaunch, AKnownDefaultBrowserIsUsedAlone)
{
    Launcher l;
    Launch(l, "C:\\Program Files\\Plus!\\Microsoft Internet\\iexplore.exe");
    EXPECT_EQ(l.tried, (std::vector<std::string>{"C:\\Program Files\\Plus!\\Microsoft Internet\\iexplore.exe http://example.test/"}));
}

TEST(HomePageLaunch, OtherwiseTheKnownBrowsersInOrder)
{
    Launcher l;
    l.starts = {"NETSCAPE.EXE"};
    Launch(l, "C:\\Tools\\otherbrowser.exe");
    EXPECT_EQ(l.tried, (std::vector<std::string>{"IEXPLORE.EXE http://example.test/", "NETSCAPE.EXE http://example.test/"}));
}

TEST(HomePageLaunch, WhenNoneStartsTheAddressItselfIsOpened)
{
    Launcher l;
    Launch(l, "");
    EXPECT_EQ(l.tried, (std::vector<std::string>{"IEXPLORE.EXE http://example.test/", "NETSCAPE.EXE http://example.test/",
                                                 "AIRMOS.EXE http://example.test/", "http://example.test/"}));
}
