// The background music in this process: the player on the main frame, playing WAV files it
// writes itself through the media control, and the Background Music sheet. Its script runs the
// MusicWithSound tests with a sound server's null output and the others with no sound device.
#include "app_test_support.h"
#include "MainFrame.h"
#include "MainFrameMessages.h"
#include "MediaSheet.h"
#include "MusicPlayerDialog.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

MemoryProfileStore* g_profile;

class MusicEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_profile = &StartTestApplication();
    }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new MusicEnvironment);

// Half a second of silence, 8 kHz mono 8-bit.
std::string WriteWav(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + name;
    const DWORD samples = 4000;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return path;
    auto put32 = [&](DWORD v) { std::fwrite(&v, 4, 1, file); };
    auto put16 = [&](WORD v) { std::fwrite(&v, 2, 1, file); };
    std::fwrite("RIFF", 1, 4, file);
    put32(36 + samples);
    std::fwrite("WAVEfmt ", 1, 8, file);
    put32(16);
    put16(1), put16(1), put32(8000), put32(8000), put16(1), put16(8);
    std::fwrite("data", 1, 4, file);
    put32(samples);
    std::vector<unsigned char> silence(samples, 0x80);
    std::fwrite(silence.data(), 1, silence.size(), file);
    std::fclose(file);
    return path;
}


// Answers the program's message boxes as they come (in modal loops too), keeping their texts.
struct BoxAnswers {
    std::vector<int> answers;  // IDYES, IDNO or IDOK, in order; the last one repeats
    std::vector<std::string> texts;
};
BoxAnswers* g_boxes;
std::string g_sheetToCancel;
bool g_sheetSeen;
HWND g_exitAtFirstBox;  // a main window told to exit when a box shows, the box answered after

BOOL CALLBACK AnswerWindow(HWND hwnd, LPARAM)
{
    char cls[32] = {}, title[128] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    if (!IsWindowVisible(hwnd) || std::string(cls) != "#32770")
        return TRUE;
    if (!g_sheetToCancel.empty() && g_sheetToCancel == title) {
        g_sheetSeen = true;
        PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    } else if (g_boxes && std::string(title) == "Tunewright 97" && GetDlgItem(hwnd, 65535)) {
        if (g_exitAtFirstBox) {
            PostMessageA(g_exitAtFirstBox, WM_COMMAND, ID_APP_EXIT, 0);
            g_exitAtFirstBox = nullptr;
            return TRUE;
        }
        char text[1024] = {};
        GetDlgItemTextA(hwnd, 65535, text, sizeof text);
        size_t n = g_boxes->texts.size();
        g_boxes->texts.push_back(text);
        int answer = g_boxes->answers.empty() ? IDOK : g_boxes->answers[std::min(n, g_boxes->answers.size() - 1)];
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), LPARAM(GetDlgItem(hwnd, answer)));
        ShowWindow(hwnd, SW_HIDE);  // answered: not seen twice
    }
    return TRUE;
}
void CALLBACK WatchBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerWindow, 0);
}

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_profile->Clear();
        g_profile->WriteProfileInt("Settings", "Show Display Settings Icon", 0);
        g_boxes = &m_boxes;
        m_timer = SetTimer(nullptr, 0, 100, WatchBoxes);
    }
    void TearDown() override
    {
        if (theApp.m_pMainFrame)
            theApp.m_pMainFrame->SendMessage(WM_COMMAND, ID_APP_EXIT);
        PumpFor(100);
        theApp.m_pMainWnd = nullptr;
        KillTimer(nullptr, m_timer);
        g_boxes = nullptr;
        g_sheetToCancel.clear();
        g_exitAtFirstBox = nullptr;
    }
    CMusicPlayerDialog* MakePlayer()
    {
        auto* frame = new CMainFrame;
        theApp.m_pMainFrame = frame;
        EXPECT_TRUE(frame->Create(nullptr, "Tunewright 97"));
        theApp.m_pMainWnd = frame;
        auto* player = static_cast<CMusicPlayerDialog*>(frame->MusicPlayer());
        EXPECT_NE(player, nullptr);
        EXPECT_FALSE(player->IsWindowVisible());
        return player;
    }
    void SetList(const char* files, int random = 0)
    {
        g_profile->WriteProfileString("Background Music", "Play List Names", "Other|Mine|");
        g_profile->WriteProfileString("Background Music", "Selected Play List", "Mine");
        g_profile->WriteProfileString("Background Music", "Other", "C:\\nothing.wav|");
        g_profile->WriteProfileString("Background Music", "Mine", files);
        g_profile->WriteProfileInt("Background Music", "MIDI Randomize", random);
    }
    static void Command(UINT id) { theApp.m_pMainFrame->SendMessage(WM_COMMAND, id); }

    BoxAnswers m_boxes;
    UINT_PTR m_timer = 0;
};

// The distinct file names the control takes, in order, until count of them were seen.
std::vector<std::string> WatchFileNames(CMusicPlayerDialog* player, size_t count, DWORD ms)
{
    std::vector<std::string> seen;
    PumpFor(ms, [&] {
        std::string name(player->m_movie.GetFileName());
        if (!name.empty() && (seen.empty() || seen.back() != name))
            seen.push_back(name);
        return seen.size() >= count;
    });
    return seen;
}

}  // namespace

TEST_F(MusicTest, MusicWithSoundPlaysTheListInOrderAndWrapsUntilStopped)
{
    ASSERT_GT(waveOutGetNumDevs(), 0u) << "the script gives this test a sound server";
    std::string a = WriteWav("music-a.wav"), b = WriteWav("music-b.wav"), c = WriteWav("music-c.wav");
    SetList((a + "|" + b + "|" + c + "|").c_str());
    CMusicPlayerDialog* player = MakePlayer();

    Command(ID_MUSIC_START);
    EXPECT_EQ(WatchFileNames(player, 4, 20000), (std::vector<std::string>{a, b, c, a}));
    EXPECT_TRUE(player->m_bPlaying);

    Command(ID_MUSIC_STOP);
    EXPECT_STREQ(player->m_movie.GetFileName(), "");
    EXPECT_FALSE(player->m_bPlaying);
    PumpFor(1200);  // longer than a file: nothing starts by itself
    EXPECT_STREQ(player->m_movie.GetFileName(), "");

    // Start again begins at the first file; stop and start at once skips nothing.
    Command(ID_MUSIC_START);
    Command(ID_MUSIC_STOP);
    Command(ID_MUSIC_START);
    EXPECT_EQ(WatchFileNames(player, 2, 10000), (std::vector<std::string>{a, b}));
    EXPECT_TRUE(m_boxes.texts.empty());
}

TEST_F(MusicTest, WithoutDeviceTheErrorNamesTheFileAndYesGoesOn)
{
    ASSERT_EQ(waveOutGetNumDevs() + midiOutGetNumDevs(), 0u) << "the script runs this test without a sound device";
    // Without a MIDI output a MIDI file is an error too, never endless silence.
    std::string a = WriteWav("music-a.wav"), song = "C:\\windows\\media\\song.mid";
    SetList((a + "|" + song + "|").c_str());
    CMusicPlayerDialog* player = MakePlayer();
    m_boxes.answers = {IDYES, IDNO};

    Command(ID_MUSIC_START);
    PumpFor(30000, [&] { return m_boxes.texts.size() >= 2 && !player->m_bPlaying; });
    ASSERT_EQ(m_boxes.texts.size(), 2u);
    const std::string starts[] = {"Background music error while playing " + a + ": ",
                                  "Background music error while playing " + song + ": There is no MIDI output device"};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(m_boxes.texts[i].rfind(starts[i], 0), 0u) << m_boxes.texts[i];
        EXPECT_NE(m_boxes.texts[i].find(".\nDo you want to continue playing background music?"), std::string::npos);
    }
    EXPECT_FALSE(player->m_bPlaying);
    EXPECT_STREQ(player->m_movie.GetFileName(), "");
    PumpFor(500);
    EXPECT_EQ(m_boxes.texts.size(), 2u);  // a failing device never spins through the list
}

TEST_F(MusicTest, MissingConfigurationAsksAndYesOpensTheSheet)
{
    struct Case {
        const char* names;
        const char* selected;
        const char* question;
    };
    const Case cases[] = {
        {"", "Mine", "There are no play lists.\nDo you wnat to configure background music now?"},
        {"Mine|", "", "There is no play list selected.\nDo you wnat to configure background music now?"},
        {"Mine|", "Gone", "There are no files in the current playlist.\nDo you wnat to configure background music now?"},
    };
    CMusicPlayerDialog* player = MakePlayer();
    for (const Case& c : cases) {
        g_profile->WriteProfileString("Background Music", "Play List Names", c.names);
        g_profile->WriteProfileString("Background Music", "Selected Play List", c.selected);
        g_profile->WriteProfileString("Background Music", "Mine", "C:\\a.wav|");
        m_boxes.texts.clear();
        m_boxes.answers = {IDYES};
        g_sheetToCancel = "Tunewright 97: Background Music Configuration";
        g_sheetSeen = false;
        Command(ID_MUSIC_START);
        PumpFor(30000, [&] { return g_sheetSeen && !theApp.m_pMainFrame->OpenSheet(SheetKind::Media); });
        ASSERT_EQ(m_boxes.texts.size(), 1u);
        EXPECT_EQ(m_boxes.texts[0], c.question);
        EXPECT_TRUE(g_sheetSeen) << c.question;
        EXPECT_FALSE(player->m_bPlaying);
    }
}

TEST_F(MusicTest, ExitWhileAQuestionIsOpenAnswersItNoAndEnds)
{
    MakePlayer();
    HWND main = theApp.m_pMainFrame->m_hWnd;
    m_boxes.answers = {IDYES};  // would open the sheet, were the program staying
    g_sheetToCancel = "Tunewright 97: Background Music Configuration";
    g_sheetSeen = false;
    g_exitAtFirstBox = main;
    Command(ID_MUSIC_START);  // no play lists: the player asks
    int code = -1;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 30000 && (code < 0 || IsWindow(main)); Sleep(5)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                code = int(msg.wParam);
            else if (!AfxPreTranslateMessage(&msg))
                TranslateMessage(&msg), DispatchMessageA(&msg);
        }
    }
    // The exit ended the box (nobody had to answer it), and with it the program, starting nothing.
    EXPECT_EQ(m_boxes.texts, std::vector<std::string>{});
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(theApp.m_pMainFrame, nullptr);
    EXPECT_EQ(code, 0) << "the loop's end, the program's exit code";
    EXPECT_FALSE(g_sheetSeen);
}

namespace {

struct OpenSheet {
    CMediaSheet sheet{nullptr};
    OpenSheet()
    {
        sheet.AddPage(&sheet.m_midiPage);
        sheet.AddPage(&sheet.m_aboutPage);
        EXPECT_TRUE(sheet.Create(nullptr));
    }
    ~OpenSheet() { sheet.DestroyWindow(); }
};

std::vector<std::string> Rows(CListCtrl& list)
{
    std::vector<std::string> rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows.emplace_back(list.GetItemText(row, 0));
    return rows;
}

void Click(CWnd& page, int id)
{
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(page.GetDlgItem(id)->m_hWnd));
}

// Types a name into the open label editor and ends the edit as Enter would.
void Rename(CMIDIPage& page, const char* name)
{
    HWND edit = TreeView_GetEditControl(page.m_tree.m_hWnd);
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, name);
    TreeView_EndEditLabelNow(page.m_tree.m_hWnd, FALSE);
}

}  // namespace

TEST_F(MusicTest, SheetNewListWithTwoFilesIsStoredOnOk)
{
    g_profile->WriteProfileString("Background Music", "Play List Names", "Evening|");
    g_profile->WriteProfileString("Background Music", "Evening", "C:\\e1.wav|C:\\e2.mid|");
    g_profile->WriteProfileString("Background Music", "Selected Play List", "Evening");
    OpenSheet open;
    CMIDIPage& page = open.sheet.m_midiPage;
    ASSERT_NE(page.m_hWnd, nullptr);
    CString caption;
    open.sheet.GetWindowText(caption);
    EXPECT_STREQ(caption, "Tunewright 97: Background Music Configuration");
    EXPECT_EQ(Rows(page.m_list), (std::vector<std::string>{"C:\\e1.wav", "C:\\e2.mid"}));
    EXPECT_TRUE(page.m_btnAdd.IsWindowEnabled());

    // A name another list has, in any letters, is refused and the editor opens again.
    Click(page, IDC_MUSIC_NEW);
    m_boxes.answers = {IDOK};
    Rename(page, "EVENING");
    PumpFor(30000, [&] { return TreeView_GetEditControl(page.m_tree.m_hWnd) != nullptr; });
    ASSERT_EQ(m_boxes.texts, (std::vector<std::string>{"A play list of the same name already exists"}));
    Rename(page, "Morning");
    PumpFor(100);
    HTREEITEM morning = page.m_tree.GetNextSiblingItem(page.m_tree.GetRootItem());
    ASSERT_NE(morning, nullptr);
    EXPECT_STREQ(page.m_tree.GetItemText(morning), "Morning");

    // A second New while "Name Me!" exists gets a name of its own; Delete removes it again.
    Click(page, IDC_MUSIC_NEW);
    TreeView_EndEditLabelNow(page.m_tree.m_hWnd, TRUE);
    Click(page, IDC_MUSIC_NEW);
    TreeView_EndEditLabelNow(page.m_tree.m_hWnd, TRUE);
    std::vector<std::string> names;
    for (HTREEITEM item = page.m_tree.GetRootItem(); item; item = page.m_tree.GetNextSiblingItem(item))
        names.emplace_back(page.m_tree.GetItemText(item));
    EXPECT_EQ(names, (std::vector<std::string>{"Evening", "Morning", "Name Me!", "Name Me! (2)"}));
    for (int i = 0; i < 2; ++i) {
        page.m_tree.SelectItem(page.m_tree.GetNextSiblingItem(morning));
        Click(page, IDC_MUSIC_DELETE);
        EXPECT_EQ(page.m_tree.GetSelectedItem(), nullptr);
        EXPECT_FALSE(page.m_btnAdd.IsWindowEnabled());
    }
    EXPECT_EQ(page.m_tree.GetCount(), 2u);

    page.m_tree.SelectItem(morning);
    EXPECT_TRUE(page.m_list.GetItemCount() == 0 && page.m_btnAdd.IsWindowEnabled());
    page.InsertFiles({"C:\\x.wav"});
    page.InsertFiles({"C:\\y.mid"});
    EXPECT_EQ(Rows(page.m_list), (std::vector<std::string>{"C:\\y.mid", "C:\\x.wav"}));
    page.m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Click(page, IDC_MUSIC_UP);
    EXPECT_EQ(Rows(page.m_list), (std::vector<std::string>{"C:\\x.wav", "C:\\y.mid"}));
    page.m_chkRandom.SetCheck(BST_CHECKED);

    page.OnOK();
    EXPECT_STREQ(g_profile->GetProfileString("Background Music", "Play List Names", ""), "Evening|Morning|");
    EXPECT_STREQ(g_profile->GetProfileString("Background Music", "Selected Play List", ""), "Morning");
    EXPECT_STREQ(g_profile->GetProfileString("Background Music", "Morning", ""), "C:\\x.wav|C:\\y.mid|");
    EXPECT_STREQ(g_profile->GetProfileString("Background Music", "Evening", ""), "C:\\e1.wav|C:\\e2.mid|");
    EXPECT_EQ(g_profile->GetProfileInt("Background Music", "MIDI Randomize", 0), 1);

    // Nothing selected at OK removes the selection, so the player asks what to play.
    page.m_tree.SelectItem(nullptr);
    page.OnOK();
    EXPECT_FALSE(g_profile->Contains("Background Music", "Selected Play List"));
}
