// platterly end to end under Wine: the real program in one desktop with this test, its queue
// filled through its own controls (double-click, Add, drag and drop), played through the test
// sequencer driver, then paused, resumed, skipped and stopped; the driver's log, the title, the
// status panels and the dialogs are read back.
#include "WineDriver.h"
#include "smf/Smf.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

using namespace e2e;

std::string Music() { return ExeFolder() + "e2e-music"; }
std::string LogPath() { return ExeFolder() + "TestSequencer.dll.log"; }
std::string PlatterlyExe() { return ExeFolder() + "..\\..\\platterly.exe"; }

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A file of `ms` milliseconds: quarter notes of 500 ms at 96 ticks per quarter.
std::vector<uint8_t> MidiOf(uint32_t ms)
{
    return smf::WriteSmf(96, {{ms * 96 / 500, 60}});
}

void MakeMusic()
{
    CreateDirectoryA(Music().c_str(), nullptr);
    WriteFile(Music() + "\\a1.mid", MidiOf(1500));
    WriteFile(Music() + "\\b2.mid", MidiOf(1000));
    WriteFile(Music() + "\\c3.mid", MidiOf(4000));
    WriteFile(Music() + "\\long.mid", MidiOf(65000));
    WriteFile(Music() + "\\gone.mid", MidiOf(1000));
    WriteFile(Music() + "\\broken.mid", {'M', 'T', 'h', 'd', 0, 0});
    WriteFile(Music() + "\\notes.txt", {'x'});
}

size_t Count(const std::vector<std::string>& lines, const std::string& prefix)
{
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(),
                                             [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

struct Platterly {
    Program program{PlatterlyExe(), Music()};
    HWND main = nullptr, app = nullptr, fileList = nullptr, lista = nullptr, status = nullptr;

    bool Start()
    {
        if (!WaitFor([&] { return (main = TopWindow(nullptr, "Platterly V1.00", program.Id())) != nullptr; }, 30000))
            return false;
        app = TopWindow("FormsApplication", nullptr, program.Id());
        fileList = ChildAt(main, "ListBox", 8, 110);
        lista = ChildAt(main, "ListBox", 264, 48);
        status = ChildAt(main, STATUSCLASSNAMEA, 0, 268);
        return app && fileList && lista && status;
    }
    std::string Title() { return WindowText(app); }
    std::string Panel(int i) { return program.RemoteText(status, SB_GETTEXTA, static_cast<WPARAM>(i)); }
    std::string StatusText()
    {
        std::string s = Panel(1);
        s.erase(std::remove(s.begin(), s.end(), '\t'), s.end());
        return s;
    }
    std::string PanelPlain(int i)
    {
        std::string s = Panel(i);
        s.erase(std::remove(s.begin(), s.end(), '\t'), s.end());
        return s;
    }
    int Count(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
    // Wine carries list box texts and rectangles between processes itself.
    std::string Item(HWND list, int i)
    {
        wchar_t wide[512] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
        char buf[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, buf, sizeof buf, nullptr, nullptr);
        return buf;
    }
    std::vector<std::string> Items(HWND list)
    {
        std::vector<std::string> v;
        for (int i = 0; i < Count(list); ++i)
            v.push_back(Item(list, i));
        return v;
    }
    POINT ItemCentre(HWND list, int i)
    {
        RECT r{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        if (r.bottom == 0)
            r = program.RemoteRect(list, LB_GETITEMRECT, static_cast<WPARAM>(i));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    int IndexOf(HWND list, const std::string& name)
    {
        auto items = Items(list);
        auto it = std::find(items.begin(), items.end(), name);
        return it == items.end() ? -1 : static_cast<int>(it - items.begin());
    }
    void Press(const std::string& caption)
    {
        HWND b = ChildByText(main, caption);
        ASSERT_NE(b, nullptr) << caption;
        PostMessageA(b, BM_CLICK, 0, 0);
    }
    // Selects one file entry by clicking it (a click without Ctrl selects it alone).
    void SelectFile(const std::string& name)
    {
        int i = IndexOf(fileList, name);
        ASSERT_GE(i, 0) << name;
        POINT p = ItemCentre(fileList, i);
        Click(fileList, p.x, p.y);
    }
    // Drags the selected file entries onto the play queue.
    void DragSelectedToQueue(const std::string& name)
    {
        int i = IndexOf(fileList, name);
        POINT p = ItemCentre(fileList, i);
        PostMessageA(fileList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PostMessageA(fileList, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + 12, p.y));
        RECT lr;
        GetWindowRect(lista, &lr);
        POINT target{(lr.left + lr.right) / 2, (lr.top + lr.bottom) / 2};
        ScreenToClient(fileList, &target);
        PostMessageA(fileList, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
        PostMessageA(fileList, WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
    }
    // The modal dialog of that caption, its message, and OK pressed.
    std::string AnswerDialog(const char* caption)
    {
        HWND dlg = nullptr;
        if (!WaitFor([&] { return (dlg = TopWindow(nullptr, caption, program.Id())) != nullptr; }, 10000))
            return "<no dialog>";
        HWND label = nullptr;
        WaitFor([&] {
            label = nullptr;
            EnumChildWindows(dlg, [](HWND w, LPARAM lp) -> BOOL {
                if (WindowText(w).size() > 3) { *reinterpret_cast<HWND*>(lp) = w; return FALSE; }
                return TRUE;
            }, reinterpret_cast<LPARAM>(&label));
            return label != nullptr;
        }, 3000);
        std::string text = label ? WindowText(label) : "";
        if (HWND ok = ChildByText(dlg, "OK"))
            PostMessageA(ok, BM_CLICK, 0, 0);
        WaitFor([&] { return !IsWindow(dlg) || !IsWindowVisible(dlg); }, 5000);
        return text;
    }
};

class PlatterlyEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeMusic();
        DeleteFileA(LogPath().c_str());
    }
};

TEST_F(PlatterlyEndToEnd, QueuePlaySkipPauseResumeStopAndQuit)
{
    Platterly p;
    ASSERT_TRUE(p.Start());
    // The file list shows the MIDI files of the folder, sorted, and nothing else.
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.fileList) == 6; }, 5000)) << p.Count(p.fileList);
    EXPECT_EQ(p.Items(p.fileList), (std::vector<std::string>{"a1.mid", "b2.mid", "broken.mid", "c3.mid", "gone.mid", "long.mid"}));
    EXPECT_EQ(p.StatusText(), "Stopped");
    EXPECT_EQ(p.Title(), "Platterly ");

    // Double-click, Add, and a drag from the file list fill the queue in that order.
    POINT a1 = p.ItemCentre(p.fileList, 0);
    DoubleClick(p.fileList, a1.x, a1.y);
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 1; }, 5000));
    p.SelectFile("b2.mid");
    p.Press("A&dd");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 2; }, 5000));
    p.SelectFile("long.mid");
    Sleep(300);
    p.DragSelectedToQueue("long.mid");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 3; }, 5000));
    p.SelectFile("c3.mid");
    p.Press("A&dd");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 4; }, 5000));
    EXPECT_EQ(p.Items(p.lista), (std::vector<std::string>{"a1.mid", "b2.mid", "long.mid", "c3.mid"}));

    // Play: each file's end starts the next one.
    p.Press("&Play");
    ASSERT_TRUE(WaitFor([&] { return p.Title() == "Platterly [a1.mid]"; }, 5000)) << p.Title();
    EXPECT_EQ(p.StatusText(), "Playing");
    ASSERT_TRUE(WaitFor([&] { return p.Title() == "Platterly [long.mid]"; }, 8000)) << p.Title();
    EXPECT_EQ(p.Items(p.lista), (std::vector<std::string>{"c3.mid"}));
    ASSERT_TRUE(WaitFor([&] { return p.PanelPlain(3) == "01:05"; }, 3000)) << p.PanelPlain(3);
    ASSERT_TRUE(WaitFor([&] { return p.PanelPlain(5) == "00:01"; }, 3000)) << p.PanelPlain(5);

    auto log = ReadLines(LogPath());
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(Count(log, "open " + Music() + "\\a1.mid"), 1u);
    EXPECT_EQ(Count(log, "end " + Music() + "\\a1.mid"), 1u);
    EXPECT_EQ(Count(log, "open " + Music() + "\\b2.mid"), 1u);
    EXPECT_EQ(Count(log, "set time format 0"), 3u);
    EXPECT_EQ(Count(log, "play notify"), 3u);

    // Alt+P while playing: Play lies under Stop and must not restart anything.
    PostAltKey(p.main, 'p');
    Sleep(500);
    EXPECT_EQ(Count(ReadLines(LogPath()), "open "), 3u);

    // Pause holds the position; Alt+A while paused does nothing; Resume goes on.
    p.Press("P&ause");
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Paused"; }, 3000));
    EXPECT_EQ(Count(ReadLines(LogPath()), "pause"), 1u);
    std::string held = p.PanelPlain(5);
    PostAltKey(p.main, 'a');
    Sleep(1300);
    EXPECT_EQ(p.PanelPlain(5), held);
    EXPECT_EQ(p.StatusText(), "Paused");
    EXPECT_EQ(Count(ReadLines(LogPath()), "pause"), 1u);
    p.Press("R&esume");
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Playing"; }, 3000));
    EXPECT_EQ(Count(ReadLines(LogPath()), "play notify"), 4u);

    // Skip ends long.mid and plays c3.mid.
    p.Press("S&kip");
    ASSERT_TRUE(WaitFor([&] { return p.Title() == "Platterly [c3.mid]"; }, 5000)) << p.Title();
    ASSERT_TRUE(WaitFor([&] { return p.PanelPlain(3) == "00:04"; }, 3000));
    // Stop: back to the start state, device closed.
    p.Press("&Stop");
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Stopped"; }, 3000));
    ASSERT_TRUE(WaitFor([&] { return p.PanelPlain(3) == "00:00"; }, 3000));
    EXPECT_EQ(p.Title(), "Platterly ");
    log = ReadLines(LogPath());
    EXPECT_EQ(log.back(), "close");
    EXPECT_EQ(Count(log, "open "), 4u);

    // A queued file deleted before its turn: its path in the information box, then Stopped.
    p.SelectFile("gone.mid");
    p.Press("A&dd");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 1; }, 3000));
    DeleteFileA((Music() + "\\gone.mid").c_str());
    p.Press("&Play");
    EXPECT_EQ(p.AnswerDialog("Information"), "Unable to play the file: \r\n" + Music() + "\\gone.mid");
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Stopped"; }, 3000));

    // A file the device refuses: the system's own text, then Stopped, with no device to poll.
    p.SelectFile("broken.mid");
    p.Press("A&dd");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 1; }, 3000));
    p.Press("&Play");
    std::string text = p.AnswerDialog("Error");
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text, "Unable to play midi file");
    EXPECT_NE(text, "<no dialog>");
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Stopped"; }, 3000));
    EXPECT_EQ(Count(ReadLines(LogPath()), "refused "), 1u);
    Sleep(600);
    EXPECT_EQ(TopWindow(nullptr, "Error", p.program.Id()), nullptr) << "the poll of a closed device reported again";

    // File > Exit while a file plays: the device is stopped and closed, the program ends with 0.
    p.SelectFile("long.mid");
    p.Press("A&dd");
    p.Press("&Play");
    ASSERT_TRUE(WaitFor([&] { return p.Title() == "Platterly [long.mid]"; }, 5000));
    PostAltKey(p.main, 'f');
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = TopWindow("#32768", nullptr, p.program.Id())) != nullptr; }, 5000));
    PostMessageA(menu, WM_CHAR, 'x', 0);
    EXPECT_EQ(p.program.WaitExit(10000), 0);
    log = ReadLines(LogPath());
    ASSERT_GE(log.size(), 3u);
    // stop (whose abort notice nobody waits for any more), then close, and nothing after.
    EXPECT_EQ(log[log.size() - 3], "stop");
    EXPECT_EQ(log.back(), "close");
}

} // namespace
