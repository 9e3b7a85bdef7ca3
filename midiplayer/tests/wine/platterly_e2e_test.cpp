// platterly end to end under Wine: the real program in one desktop with this test, its queue
// filled through its own controls (double-click, Add, drag and drop), played through the test
// sequencer driver, then paused, resumed, skipped and stopped; the driver's log, the title, the
// status panels and the dialogs are read back.
#include "WineDriver.h"
#include "smf/Smf.h"

#include <Graphics.h>

#include <commctrl.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>

namespace {

using namespace e2e;

// How long a state the program should reach may take on a loaded machine: long enough never to
// fail a slow run, and spent only when the state never comes.
constexpr DWORD kPatience = 60000;

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

// The message of a dialog: its first text that is not a button's.
BOOL CALLBACK FirstTextChild(HWND w, LPARAM lp)
{
    if (WindowText(w).size() > 3 && lstrcmpiA(ClassOf(w).c_str(), "Button") != 0) {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}

struct ForeignProcesses {
    DWORD skip1, skip2;
};

// Answers the boxes of other programs (the help viewer's complaint, for one).
BOOL CALLBACK AnswerForeignBox(HWND w, LPARAM lp)
{
    auto* c = reinterpret_cast<ForeignProcesses*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != c->skip1 && pid != c->skip2 && IsWindowVisible(w))
        for (const char* answer : {"&No", "No", "Cancel", "OK"})
            if (HWND b = ChildByText(w, answer)) {
                PostMessageA(b, BM_CLICK, 0, 0);
                break;
            }
    return TRUE;
}

// The dark pixels of a w x h picture.
std::vector<bool> Ink(HDC dc, int w, int h)
{
    std::vector<bool> ink;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            ink.push_back(GetRValue(c) + GetGValue(c) + GetBValue(c) < 300);
        }
    return ink;
}

// Other tests' windows share the display: the window whose pixels are read is raised above
// them (without taking the activation) while they are read.
struct RaisedForCapture {
    HWND top;
    explicit RaisedForCapture(HWND window) : top(GetAncestor(window, GA_ROOT))
    {
        SetWindowPos(top, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(300);
    }
    ~RaisedForCapture() { SetWindowPos(top, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }
};

// What a label shows on the screen.
std::vector<bool> InkOnScreen(HWND label)
{
    RaisedForCapture raised(label);
    RECT r;
    GetClientRect(label, &r);
    POINT origin{0, 0};
    ClientToScreen(label, &origin);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, shot);
    BitBlt(mem, 0, 0, r.right, r.bottom, screen, origin.x, origin.y, SRCCOPY);
    std::vector<bool> ink = Ink(mem, r.right, r.bottom);
    SelectObject(mem, old);
    DeleteObject(shot);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ink;
}

// The same text drawn here in the labels' font, with these DrawText flags.
std::vector<bool> InkDrawn(HWND label, const std::string& text, UINT flags)
{
    RECT r;
    GetClientRect(label, &r);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP pic = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, pic);
    FillRect(mem, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    forms::Font font;
    HGDIOBJ oldFont = SelectObject(mem, font.Handle());
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, RGB(0, 0, 0));
    DrawTextA(mem, text.c_str(), -1, &r, flags | DT_EXPANDTABS);
    std::vector<bool> ink = Ink(mem, r.right, r.bottom);
    SelectObject(mem, oldFont);
    SelectObject(mem, old);
    DeleteObject(pic);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ink;
}

// A label holding "&" shows it as it is: its pixels are those of the text drawn without prefix
// processing, and not those of the underlined access key.
void ExpectDrawnAsItIs(HWND label, const std::string& text, UINT flags)
{
    ASSERT_NE(label, nullptr) << text;
    const std::vector<bool> plain = InkDrawn(label, text, flags | DT_NOPREFIX);
    // The screen is read until the label has been drawn there.
    std::vector<bool> seen;
    WaitFor([&] { return (seen = InkOnScreen(label)) == plain; }, kPatience);
    EXPECT_EQ(seen, plain) << text;
    EXPECT_NE(seen, InkDrawn(label, text, flags)) << text;
}

struct Platterly {
    explicit Platterly(const std::string& folder = Music()) : program(PlatterlyExe(), folder) {}
    Program program;
    HWND main = nullptr, app = nullptr, fileList = nullptr, lista = nullptr, status = nullptr;
    HWND drives = nullptr, folders = nullptr;

    bool Start()
    {
        if (!WaitFor([&] { return (main = TopWindow(nullptr, "Platterly V1.00", program.Id())) != nullptr; }, kPatience))
            return false;
        app = TopWindow("FormsApplication", nullptr, program.Id());
        fileList = ChildAt(main, "ListBox", 8, 110);
        folders = ChildAt(main, "ListBox", 8, 40);
        lista = ChildAt(main, "ListBox", 264, 48);
        drives = ChildAt(main, "ComboBox", 8, 16);
        status = ChildAt(main, STATUSCLASSNAMEA, 0, 268);
        return app && fileList && lista && status && folders && drives;
    }
    // The taskbar button is the main form's top-level owner; its text is the title.
    std::string Title() { return WindowText(GetWindow(main, GW_OWNER)); }
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
    // The modal dialog of that caption, its message, and OK (or the button given) pressed;
    // inspect sees the message label first.
    std::string AnswerDialog(const char* caption, DWORD timeoutMs = kPatience, const char* button = "OK",
                             const std::function<void(HWND)>& inspect = nullptr)
    {
        HWND dlg = nullptr;
        if (!WaitFor([&] { return (dlg = TopWindow(nullptr, caption, program.Id())) != nullptr; }, timeoutMs))
            return "<no dialog>";
        HWND label = nullptr;
        WaitFor([&] {
            label = nullptr;
            EnumChildWindows(dlg, FirstTextChild, reinterpret_cast<LPARAM>(&label));
            return label != nullptr;
        }, kPatience);
        std::string text = label ? WindowText(label) : "";
        if (inspect && label)
            inspect(label);
        if (HWND b = ChildByText(dlg, button))
            PostMessageA(b, BM_CLICK, 0, 0);
        WaitFor([&] { return !IsWindow(dlg) || !IsWindowVisible(dlg); }, kPatience);
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
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.fileList) == 6; }, kPatience)) << p.Count(p.fileList);
    EXPECT_EQ(p.Items(p.fileList), (std::vector<std::string>{"a1.mid", "b2.mid", "broken.mid", "c3.mid", "gone.mid", "long.mid"}));
    EXPECT_EQ(p.StatusText(), "Stopped");
    EXPECT_EQ(p.Title(), "Platterly ");

    // Double-click, Add, and a drag from the file list fill the queue in that order.
    POINT a1 = p.ItemCentre(p.fileList, 0);
    DoubleClick(p.fileList, a1.x, a1.y);
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 1; }, kPatience));
    p.SelectFile("b2.mid");
    p.Press("A&dd");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 2; }, kPatience));
    p.SelectFile("long.mid");
    ASSERT_TRUE(WaitFor([&] { return SendMessageA(p.fileList, LB_GETSEL, static_cast<WPARAM>(p.IndexOf(p.fileList, "long.mid")), 0) > 0; },
                        kPatience));
    p.DragSelectedToQueue("long.mid");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 3; }, kPatience));
    p.SelectFile("c3.mid");
    p.Press("A&dd");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 4; }, kPatience));
    EXPECT_EQ(p.Items(p.lista), (std::vector<std::string>{"a1.mid", "b2.mid", "long.mid", "c3.mid"}));

    // Play: each file's end starts the next one.
    p.Press("&Play");
    ASSERT_TRUE(WaitFor([&] { return p.Title() == "Platterly [a1.mid]"; }, kPatience)) << p.Title();
    EXPECT_EQ(p.StatusText(), "Playing");
    ASSERT_TRUE(WaitFor([&] { return p.Title() == "Platterly [long.mid]"; }, kPatience)) << p.Title();
    EXPECT_EQ(p.Items(p.lista), (std::vector<std::string>{"c3.mid"}));
    ASSERT_TRUE(WaitFor([&] { return p.PanelPlain(3) == "01:05"; }, kPatience)) << p.PanelPlain(3);
    ASSERT_TRUE(WaitFor([&] { return p.PanelPlain(5) == "00:01"; }, kPatience)) << p.PanelPlain(5);

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
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Paused"; }, kPatience));
    EXPECT_EQ(Count(ReadLines(LogPath()), "pause"), 1u);
    std::string held = p.PanelPlain(5);
    PostAltKey(p.main, 'a');
    Sleep(1300);
    EXPECT_EQ(p.PanelPlain(5), held);
    EXPECT_EQ(p.StatusText(), "Paused");
    EXPECT_EQ(Count(ReadLines(LogPath()), "pause"), 1u);
    p.Press("R&esume");
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Playing"; }, kPatience));
    EXPECT_EQ(Count(ReadLines(LogPath()), "play notify"), 4u);

    // Skip ends long.mid and plays c3.mid.
    p.Press("S&kip");
    ASSERT_TRUE(WaitFor([&] { return p.Title() == "Platterly [c3.mid]"; }, kPatience)) << p.Title();
    ASSERT_TRUE(WaitFor([&] { return p.PanelPlain(3) == "00:04"; }, kPatience));
    // Stop: back to the start state, device closed.
    p.Press("&Stop");
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Stopped"; }, kPatience));
    ASSERT_TRUE(WaitFor([&] { return p.PanelPlain(3) == "00:00"; }, kPatience));
    EXPECT_EQ(p.Title(), "Platterly ");
    log = ReadLines(LogPath());
    EXPECT_EQ(log.back(), "close");
    EXPECT_EQ(Count(log, "open "), 4u);

    // A queued file deleted before its turn: its path in the information box, then Stopped.
    p.SelectFile("gone.mid");
    p.Press("A&dd");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 1; }, kPatience));
    DeleteFileA((Music() + "\\gone.mid").c_str());
    p.Press("&Play");
    EXPECT_EQ(p.AnswerDialog("Information"), "Unable to play the file: \r\n" + Music() + "\\gone.mid");
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Stopped"; }, kPatience));

    // A file the device refuses: the system's own text, then Stopped, with no device to poll.
    p.SelectFile("broken.mid");
    p.Press("A&dd");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 1; }, kPatience));
    p.Press("&Play");
    char refused[256] = {};
    mciGetErrorStringA(MCIERR_INVALID_FILE, refused, sizeof refused);
    ASSERT_GT(strlen(refused), 5u);
    EXPECT_EQ(p.AnswerDialog("Error"), refused);
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Stopped"; }, kPatience));
    EXPECT_EQ(Count(ReadLines(LogPath()), "refused "), 1u);
    Sleep(600);
    EXPECT_EQ(TopWindow(nullptr, "Error", p.program.Id()), nullptr) << "the poll of a closed device reported again";

    // File > Exit while a file plays: the device is stopped and closed, the program ends with 0.
    p.SelectFile("long.mid");
    p.Press("A&dd");
    p.Press("&Play");
    ASSERT_TRUE(WaitFor([&] { return p.Title() == "Platterly [long.mid]"; }, kPatience));
    PostAltKey(p.main, 'f');
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = TopWindow("#32768", nullptr, p.program.Id())) != nullptr; }, kPatience));
    PostMessageA(menu, WM_CHAR, 'x', 0);
    EXPECT_EQ(p.program.WaitExit(kPatience), 0);
    log = ReadLines(LogPath());
    ASSERT_GE(log.size(), 3u);
    // stop (whose abort notice nobody waits for any more), then close, and nothing after.
    EXPECT_EQ(log[log.size() - 3], "stop");
    EXPECT_EQ(log.back(), "close");
}

} // namespace

#include "core/CaptionMath.h"

#include <Application.h>
#include <MediaPlayer.h>

namespace {

void Pump(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        forms::Application::Instance().ProcessMessages();
        Sleep(20);
    }
}

bool PumpUntil(const std::function<bool()>& done)
{
    return WaitFor([&] {
        forms::Application::Instance().ProcessMessages();
        return done();
    }, kPatience);
}

// Waits, without reading messages, until the device's notice is queued.
bool NoticeQueued()
{
    return WaitFor([] {
        MSG msg;
        return PeekMessageA(&msg, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_NOREMOVE) != FALSE;
    }, kPatience);
}

TEST_F(PlatterlyEndToEnd, MediaPlayerDropsTheNoticesOfAStoppedOrClosedDevice)
{
    forms::Application::Instance().Initialize();
    forms::MediaPlayer player(nullptr);
    int notices = 0;
    player.OnNotify = [&](forms::Component*) { ++notices; };
    player.SetFileName(Music() + "\\b2.mid");
    player.Open();
    player.SetTimeFormatMilliseconds();
    EXPECT_EQ(player.Length(), 1000u);
    // The end notice is queued while nobody reads messages; closing must drop it.
    player.Play(true);
    ASSERT_TRUE(NoticeQueued());
    player.Close();
    Pump(400);
    EXPECT_EQ(notices, 0);
    // A live notice is delivered once.
    player.Open();
    player.Play(true);
    EXPECT_TRUE(PumpUntil([&] { return notices > 0; }));
    Pump(400);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(player.GetNotifyValue(), forms::nvSuccessful);
    // So is one queued before a Stop: dropped.
    player.Play(true);
    ASSERT_TRUE(NoticeQueued());
    player.Stop(false);
    Pump(400);
    EXPECT_EQ(notices, 1);
    player.Close();
    EXPECT_THROW(player.Length(), forms::EMCIDeviceError);
    EXPECT_EQ(player.Position(), 0u);
    player.SetFileName(Music() + "\\broken.mid");
    try {
        player.Open();
        ADD_FAILURE() << "a broken file opened";
    } catch (const forms::EMCIDeviceError& e) {
        EXPECT_GT(std::string(e.what()).size(), 5u);
    }
    EXPECT_FALSE(player.IsOpen());
}

TEST_F(PlatterlyEndToEnd, SecondInstanceEndsAndBringsTheFirstForward)
{
    Platterly p;
    ASSERT_TRUE(p.Start());
    // The first copy is minimised (with its own button) when the second starts.
    PostMessageA(p.main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(p.app) && !IsWindowVisible(p.main); }, kPatience));
    {
        Program second(PlatterlyExe(), Music());
        EXPECT_EQ(second.WaitExit(kPatience), 0);
    }
    EXPECT_TRUE(p.program.Running());
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(p.app) && IsWindowVisible(p.main); }, kPatience));
    EXPECT_FALSE(IsIconic(p.main));
    // Its title was left alone.
    EXPECT_EQ(WindowText(p.main), "Platterly V1.00");
    PostMessageA(p.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.program.WaitExit(kPatience), 0);
}

TEST_F(PlatterlyEndToEnd, CaptionShowsTheGradientFromBlackToTheCaptionColour)
{
    Platterly p;
    ASSERT_TRUE(p.Start());
    auto rgb = [](COLORREF c) { return platterly::Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}; };
    auto active = platterly::GradientTable(rgb(GetSysColor(COLOR_ACTIVECAPTION)));
    auto inactive = platterly::GradientTable(rgb(GetSysColor(COLOR_INACTIVECAPTION)));
    int matchedActive = 0, matchedInactive = 0, samples = 0;
    platterly::Rgb left{};
    // The caption is read until it has been painted (or the patience is spent).
    WaitFor([&] {
        RaisedForCapture raised(p.main);
        RECT wr;
        GetWindowRect(p.main, &wr);
        RECT cap{wr.left + GetSystemMetrics(SM_CXDLGFRAME), wr.top + GetSystemMetrics(SM_CYDLGFRAME),
                 wr.right - GetSystemMetrics(SM_CXDLGFRAME), 0};
        cap.bottom = cap.top + GetSystemMetrics(SM_CYCAPTION) - 1;
        const int w = cap.right - cap.left;
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP shot = CreateCompatibleBitmap(screen, w, 3);
        HGDIOBJ old = SelectObject(mem, shot);
        BitBlt(mem, 0, 0, w, 3, screen, cap.left, cap.top, SRCCOPY);
        matchedActive = matchedInactive = samples = 0;
        // Row 1 of the caption, between the caption text and the title-bar buttons.
        for (int x = 130; x < w - 70; x += 3) {
            int band = 0;
            while (band < 63 && platterly::BandEdge(band + 1, w) <= x)
                ++band;
            auto seen = rgb(GetPixel(mem, x, 1));
            ++samples;
            if (seen == active[static_cast<size_t>(band)]) ++matchedActive;
            if (seen == inactive[static_cast<size_t>(band)]) ++matchedInactive;
        }
        // The far left of the gradient is black (below the icon's row).
        left = rgb(GetPixel(mem, 0, 1));
        SelectObject(mem, old);
        DeleteObject(shot);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        return samples > 40 && (matchedActive == samples || matchedInactive == samples) &&
               left == platterly::Rgb{0, 0, 0};
    }, kPatience);
    EXPECT_GT(samples, 40);
    EXPECT_TRUE(matchedActive == samples || matchedInactive == samples)
        << matchedActive << " / " << matchedInactive << " of " << samples;
    EXPECT_EQ(left, (platterly::Rgb{0, 0, 0}));
    PostMessageA(p.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.program.WaitExit(kPatience), 0);
}

TEST_F(PlatterlyEndToEnd, AltFDropsTheFileMenuBelowItsButton)
{
    Platterly p;
    ASSERT_TRUE(p.Start());
    HWND file = ChildByText(p.main, "&File");
    ASSERT_NE(file, nullptr);
    // Wine has no auxiliary audio device: the program started all the same, with the volume
    // slider disabled at its designed 128.
    HWND volume = ChildAt(p.main, TRACKBAR_CLASSA, 56, 1);
    ASSERT_NE(volume, nullptr);
    EXPECT_FALSE(IsWindowEnabled(volume));
    EXPECT_EQ(SendMessageA(volume, TBM_GETPOS, 0, 0), 128);
    PostAltKey(p.main, 'f');
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = TopWindow("#32768", nullptr, p.program.Id())) != nullptr &&
                                     IsWindowVisible(menu); }, kPatience));
    RECT mr, br;
    GetWindowRect(menu, &mr);
    GetWindowRect(file, &br);
    EXPECT_EQ(mr.left, br.left);
    EXPECT_EQ(mr.top, br.bottom);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, kPatience));
    EXPECT_TRUE(p.program.Running());
    PostMessageA(p.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.program.WaitExit(kPatience), 0);
}

TEST_F(PlatterlyEndToEnd, AboutBoxIsCentredWithItsVersionAndTheHiddenSequenceShowsTheJoke)
{
    Platterly p;
    ASSERT_TRUE(p.Start());
    PostAltKey(p.main, 'h');
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = TopWindow("#32768", nullptr, p.program.Id())) != nullptr &&
                                     IsWindowVisible(menu); }, kPatience));
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (about = TopWindow(nullptr, "About Platterly", p.program.Id())) != nullptr &&
                                     IsWindowVisible(about); }, kPatience));
    RECT r;
    GetWindowRect(about, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
    HWND version = ChildByText(about, "V1.00");
    ASSERT_NE(version, nullptr);
    HWND logo = ChildAt(about, "FormsControl", 24, 14);
    HWND name = ChildByText(about, "Platterly");
    HWND author = ChildByText(about, "By the Platterly author");
    ASSERT_TRUE(logo && name && author);
    for (HWND w : {logo, logo, name, version, author})
        PostMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(ChildByText(about, "The Author"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return ChildByText(about, "OK Go On") != nullptr; }, kPatience));
    // "The Author" asked the help system for topic 20 of a help file this build has not got;
    // the help viewer (another process) complains in a box of its own, which is answered here
    // so that the program, waiting for the viewer, goes on.
    PostMessageA(ChildByText(about, "OK Go On"), BM_CLICK, 0, 0);
    DWORD self = GetCurrentProcessId();
    WaitFor([&] {
        ForeignProcesses ctx{self, p.program.Id()};
        EnumWindows(AnswerForeignBox, reinterpret_cast<LPARAM>(&ctx));
        return TopWindow(nullptr, "Information", p.program.Id()) != nullptr;
    }, kPatience);
    EXPECT_EQ(p.AnswerDialog("Information", kPatience), "Wow a Backdoor!!! Eheh nothing more!!! It is a nice joke, isn't it?");
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }, kPatience));
    EXPECT_NE(ChildByText(about, "OK"), nullptr);
    PostMessageA(p.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.program.WaitExit(kPatience), 0);
}

TEST_F(PlatterlyEndToEnd, TheApplicationWindowOwnsTheTaskbarButtonAndMinimisesTheForm)
{
    Platterly p;
    ASSERT_TRUE(p.Start());
    // One taskbar button: the visible, unowned application window; the main form is owned by it.
    EXPECT_EQ(GetWindow(p.main, GW_OWNER), p.app);
    EXPECT_EQ(GetWindow(p.app, GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowVisible(p.app));
    EXPECT_FALSE(GetWindowLongA(p.app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(p.Title(), "Platterly ");
    // The form's minimise button minimises the application window and hides the form; the
    // taskbar's restore brings the form back.
    PostMessageA(p.main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(p.app) && !IsWindowVisible(p.main); }, kPatience));
    EXPECT_FALSE(IsIconic(p.main));
    PostMessageA(p.app, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsIconic(p.app) && IsWindowVisible(p.main); }, kPatience));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == p.main; }, kPatience));
    // The taskbar button's Close closes the program as the form's close box does.
    PostMessageA(p.app, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.program.WaitExit(kPatience), 0);
}

// Selects the drive box entry of that letter as the user does.
void ChooseDrive(Platterly& p, char letter)
{
    int n = static_cast<int>(SendMessageA(p.drives, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t wide[128] = {};
        SendMessageW(p.drives, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
        if (wide[0] == static_cast<wchar_t>(letter) && wide[1] == L':') {
            SendMessageA(p.drives, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            PostMessageA(GetParent(p.drives), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(p.drives), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(p.drives));
            return;
        }
    }
    ADD_FAILURE() << "no drive " << letter;
}

char ChosenDrive(Platterly& p)
{
    LRESULT i = SendMessageA(p.drives, CB_GETCURSEL, 0, 0);
    wchar_t wide[128] = {};
    SendMessageW(p.drives, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    return static_cast<char>(wide[0]);
}

TEST_F(PlatterlyEndToEnd, DriveWithoutMediumAsksAbortRestoresRetrySwitchesEmptyRootIsAccepted)
{
    const std::string medium = ExeFolder() + "e2e-medium";
    RemoveDirectoryA(medium.c_str());
    Platterly p;
    ASSERT_TRUE(p.Start());
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.fileList) == 6; }, kPatience));
    const char start = ChosenDrive(p);
    const std::string folder = p.Item(p.folders, 0);

    // R: has no medium: the dialog; Abort puts the drive box back and the lists stay.
    ChooseDrive(p, 'r');
    EXPECT_EQ(p.AnswerDialog("Error", kPatience, "&Abort"), "Drive not ready");
    EXPECT_TRUE(WaitFor([&] { return ChosenDrive(p) == start; }, kPatience)) << ChosenDrive(p);
    EXPECT_EQ(p.Item(p.folders, 0), folder);
    EXPECT_EQ(p.Count(p.fileList), 6);
    Sleep(300);
    EXPECT_EQ(TopWindow(nullptr, "Error", p.program.Id()), nullptr);

    // Retry asks again while the medium is missing, and switches once it is there. The medium
    // goes in only once the second question shows: a slow program must not find it earlier.
    ChooseDrive(p, 'r');
    EXPECT_EQ(p.AnswerDialog("Error", kPatience, "&Retry"), "Drive not ready");
    ASSERT_TRUE(WaitFor([&] { return TopWindow(nullptr, "Error", p.program.Id()) != nullptr; }, kPatience))
        << "Retry without the medium did not ask again";
    CreateDirectoryA(medium.c_str(), nullptr);
    EXPECT_EQ(p.AnswerDialog("Error", kPatience, "&Retry"), "Drive not ready");
    EXPECT_TRUE(WaitFor([&] { return p.Item(p.folders, 0) == "R:\\"; }, kPatience)) << p.Item(p.folders, 0);
    EXPECT_EQ(ChosenDrive(p), 'r');
    RemoveDirectoryA(medium.c_str());

    // Q: is an empty but readable root: taken without a word.
    ChooseDrive(p, 'q');
    EXPECT_TRUE(WaitFor([&] { return p.Item(p.folders, 0) == "Q:\\"; }, kPatience)) << p.Item(p.folders, 0);
    EXPECT_EQ(p.Count(p.folders), 1);
    EXPECT_EQ(p.Count(p.fileList), 0);
    EXPECT_EQ(ChosenDrive(p), 'q');
    Sleep(300);
    EXPECT_EQ(TopWindow(nullptr, "Error", p.program.Id()), nullptr);
    PostMessageA(p.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.program.WaitExit(kPatience), 0);
}

TEST_F(PlatterlyEndToEnd, NamesWithAnAmpersandShowAsTheyAre)
{
    const std::string folder = Music() + "\\r&b";
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFile(folder + "\\rock&roll.mid", MidiOf(30000));
    WriteFile(folder + "\\gone&lost.mid", MidiOf(1000));
    Platterly p(folder);
    ASSERT_TRUE(p.Start());
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.fileList) == 2; }, kPatience));
    p.SelectFile("rock&roll.mid");
    p.Press("A&dd");
    p.SelectFile("gone&lost.mid");
    p.Press("A&dd");
    ASSERT_TRUE(WaitFor([&] { return p.Count(p.lista) == 2; }, kPatience));
    p.Press("&Play");
    ASSERT_TRUE(WaitFor([&] { return p.Title() == "Platterly [rock&roll.mid]"; }, kPatience)) << p.Title();
    // The now-playing line.
    ExpectDrawnAsItIs(ChildByText(p.main, "rock&roll.mid"), "rock&roll.mid", DT_SINGLELINE);
    // The missing file's message names its path with the "&" in folder and name.
    DeleteFileA((folder + "\\gone&lost.mid").c_str());
    p.Press("S&kip");
    const std::string expected = "Unable to play the file: \r\n" + folder + "\\gone&lost.mid";
    EXPECT_EQ(p.AnswerDialog("Information", kPatience, "OK",
                             [&](HWND label) { ExpectDrawnAsItIs(label, expected, DT_WORDBREAK); }),
              expected);
    ASSERT_TRUE(WaitFor([&] { return p.StatusText() == "Stopped"; }, kPatience));
    PostMessageA(p.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.program.WaitExit(kPatience), 0);
    DeleteFileA((folder + "\\rock&roll.mid").c_str());
    RemoveDirectoryA(folder.c_str());
}

// The window that has the keyboard in the program's thread.
HWND FocusOf(Platterly& p)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(p.main, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::string Describe(HWND w)
{
    if (!w)
        return "nothing";
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 1);
    return ClassOf(w) + " \"" + WindowText(w) + "\" at " + std::to_string(r.left) + "," + std::to_string(r.top);
}

TEST_F(PlatterlyEndToEnd, TabTakesTheFocusRoundTheFormAndOffTheDriveBox)
{
    Platterly p;
    ASSERT_TRUE(p.Start());
    // The folder list has the keyboard from the start.
    ASSERT_TRUE(WaitFor([&] { return FocusOf(p) == p.folders; }, kPatience)) << Describe(FocusOf(p));
    // Down the browser, the queue, the buttons (the volume slider is disabled here), round to
    // the drive box, and off it to the folders again.
    const HWND round[] = {p.fileList, p.lista, ChildByText(p.main, "A&dd"), ChildByText(p.main, "Add a&ll"),
                          ChildByText(p.main, "&Remove"), ChildByText(p.main, "Remo&ve all"),
                          ChildByText(p.main, "&Play"), ChildByText(p.main, "P&ause"), ChildByText(p.main, "S&kip"),
                          ChildByText(p.main, "E&xit"), p.drives, p.folders};
    for (HWND next : round) {
        ASSERT_NE(next, nullptr);
        const HWND from = FocusOf(p);
        PostMessageA(from, WM_KEYDOWN, VK_TAB, 1);
        PostMessageA(from, WM_KEYUP, VK_TAB, 0xC0000001);
        ASSERT_TRUE(WaitFor([&] { return FocusOf(p) == next; }, kPatience))
            << "Tab from " << Describe(from) << " went to " << Describe(FocusOf(p)) << ", not " << Describe(next);
    }
    PostMessageA(p.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.program.WaitExit(kPatience), 0);
}

} // namespace
