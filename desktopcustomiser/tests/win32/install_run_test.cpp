// The setup folder's Setup.Exe as a new user meets it, in a Wine prefix made for this test:
// the wizard driven through its buttons, then the machine checked from outside: the installed
// files, the registry entries, the program group file, the seeded image lists and the
// installed program's first run. Also a destination that cannot be written.
#include "program_driver.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <cstring>
#include <fstream>
#include <sstream>

using namespace driver;

namespace {

const char kFolder[] = "C:\\Program Files\\Tunewright 97";
const char kInstallKey[] = "SOFTWARE\\Marrowby Corp.\\Tunewright 97";
const char kProfileKey[] = "Software\\Marrowby Corp.";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunewright";
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tunewright.exe";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kCaption[] = "Tunewright 97 Installation";
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;
constexpr int kCancelButton = IDCANCEL;

// The setup folder the build makes, beside the folder of this test.
std::string SetupProgram()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    p.erase(p.find_last_of('\\'));
    p.erase(p.find_last_of('\\') + 1);
    return p + "setup\\Setup.Exe";
}

class SetupProcess {
public:
    SetupProcess()
    {
        std::string command = "\"" + SetupProgram() + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_info))
            m_info = {};
    }
    ~SetupProcess()
    {
        if (!m_info.hProcess)
            return;
        if (WaitForSingleObject(m_info.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(m_info.hProcess, 99);
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
    DWORD Id() const { return m_info.dwProcessId; }
    DWORD WaitExit(DWORD ms)
    {
        DWORD code = STILL_ACTIVE;
        if (m_info.hProcess && WaitForSingleObject(m_info.hProcess, ms) == WAIT_OBJECT_0)
            GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_info = {};
};

std::string RegistryText(HKEY root, const char* key, const char* name)
{
    char value[1024] = {};
    DWORD size = sizeof value, type = 0;
    HKEY h;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return "<no key>";
    LONG status = RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(h);
    if (status != ERROR_SUCCESS)
        return "<no value>";
    if (type == REG_DWORD) {
        DWORD number;
        std::memcpy(&number, value, sizeof number);
        return std::to_string(number);
    }
    return value;
}

std::string ProfileText(const char* section, const char* name)
{
    return RegistryText(HKEY_CURRENT_USER, (std::string("Software\\Marrowby Corp.\\Tunewright 97\\") + section).c_str(),
                        name);
}

bool WaitFor(DWORD ms, bool (*done)(HWND), HWND hwnd)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(100))
        if (done(hwnd))
            return true;
    return done(hwnd);
}

bool Shown(HWND hwnd)
{
    return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

// The buttons the user has, as the sheet shows them.
std::string Buttons(HWND sheet)
{
    std::string buttons;
    for (int id : {kBackButton, kNextButton, kFinishButton}) {
        HWND button = GetDlgItem(sheet, id);
        if (button && Shown(button))
            buttons += (buttons.empty() ? "" : "|") + WindowText(button);
    }
    std::erase(buttons, '&');
    return buttons;
}

void Press(HWND sheet, int id)
{
    HWND button = GetDlgItem(sheet, id);
    ASSERT_TRUE(WaitFor(10000, Shown, button)) << "button " << id << " never became usable";
    PostMessageA(button, BM_CLICK, 0, 0);
}

HWND CurrentPage(HWND sheet)
{
    return FindWindowExA(sheet, nullptr, "#32770", nullptr);
}

std::vector<std::string> ProgressLines(HWND sheet)
{
    std::vector<std::string> lines;
    HWND list = GetDlgItem(CurrentPage(sheet), 1004);
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // Wine hands another process's list box texts across in the wide form only.
        wchar_t wide[512] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
        char line[512] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, line, sizeof line, nullptr, nullptr);
        lines.push_back(line);
    }
    return lines;
}

std::string ProcessImageName(DWORD pid)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    std::string name;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == pid)
            name = entry.szExeFile;
    CloseHandle(snapshot);
    return name;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ShortPath(const std::string& path)
{
    char out[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), out, MAX_PATH);
    return out;
}

class InstallRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Marrowby Corp.");
        DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
    }
};

TEST_F(InstallRun, ADestinationThatCannotBeWrittenStopsBeforeAnyEntry)
{
    SetupProcess setup;
    HWND sheet = WaitForWindow(setup.Id(), "#32770", kCaption, 60000);
    ASSERT_NE(sheet, nullptr);
    // The page sets its buttons by a posted message: wait for it as the later checks do.
    EXPECT_TRUE(WaitFor(10000, [](HWND s) { return Buttons(s) == "Next >"; }, sheet)) << Buttons(sheet);
    // The picture fills its frame of 151 x 164 of the page's 360 x 175 units.
    HWND page = CurrentPage(sheet);
    RECT pageRect, pictureRect;
    GetClientRect(page, &pageRect);
    GetWindowRect(GetDlgItem(page, 1007), &pictureRect);
    EXPECT_NEAR((pictureRect.right - pictureRect.left) * 360.0 / pageRect.right, 151, 3);
    EXPECT_NEAR((pictureRect.bottom - pictureRect.top) * 175.0 / pageRect.bottom, 164, 3);
    // Below a file no folder can be made; the name is longer than the progress list is wide.
    const char folder[] = "C:\\windows\\win.ini\\Tunewright 97 in a folder whose name is wider than the list";
    SendMessageA(GetDlgItem(CurrentPage(sheet), 1002), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder));
    Press(sheet, kNextButton);
    Press(sheet, kNextButton);

    HWND box = WaitForWindow(setup.Id(), "#32770", "Tunewright 97", 30000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Tunewright 97 could not create the specified folder");
    PressOk(box);
    EXPECT_TRUE(WaitFor(10000, [](HWND s) { return Buttons(s) == "< Back"; }, sheet)) << Buttons(sheet);
    EXPECT_EQ(ProgressLines(sheet), (std::vector<std::string>{std::string("Install to: ") + folder,
                                                              "Preparing destination folder...",
                                                              "Error preparing folder, installation halted."}));
    // The long line scrolls sideways: the list is as wide inside as that line.
    HWND list = GetDlgItem(CurrentPage(sheet), 1004);
    RECT listRect;
    GetClientRect(list, &listRect);
    EXPECT_GT(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), listRect.right);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kInstallKey, "Installed Path"), "<no key>");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "<no key>");

    Press(sheet, kCancelButton);
    EXPECT_EQ(setup.WaitExit(15000), 0u);
}

TEST_F(InstallRun, NextNextFinishInstallsAndStartsTheInstalledProgram)
{
    // Nothing on the desktop yet; a start-with-Windows value of the user's, which the first run keeps.
    HKEY desktop;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &desktop) == ERROR_SUCCESS) {
        RegDeleteValueA(desktop, "Wallpaper");
        RegCloseKey(desktop);
    }
    SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Tunewright", "C:\\old\\Tunewright.Exe");

    SetupProcess setup;
    HWND sheet = WaitForWindow(setup.Id(), "#32770", kCaption, 60000);
    ASSERT_NE(sheet, nullptr);
    char folder[MAX_PATH] = {};
    GetDlgItemTextA(CurrentPage(sheet), 1002, folder, sizeof folder);
    EXPECT_STREQ(folder, kFolder);

    Press(sheet, kNextButton);
    EXPECT_TRUE(WaitFor(10000, [](HWND s) { return Buttons(s) == "< Back|Next >"; }, sheet)) << Buttons(sheet);
    EXPECT_EQ(ProgressLines(sheet), std::vector<std::string>{"Install to: C:\\Program Files\\Tunewright 97"});
    Press(sheet, kNextButton);
    ASSERT_TRUE(WaitFor(60000, [](HWND s) { return Buttons(s) == "Finish"; }, sheet)) << Buttons(sheet);
    EXPECT_EQ(ProgressLines(sheet),
              (std::vector<std::string>{"Install to: C:\\Program Files\\Tunewright 97", "Preparing destination folder...",
                                        "Copying files...", "Creating registry entries...", "Creating shortcut...",
                                        "All files have been installed successfully",
                                        "Press 'Finish' to complete the installation"}));
    Press(sheet, kFinishButton);
    EXPECT_EQ(setup.WaitExit(30000), 0u);

    // The files, under their installed names; the program is the setup program itself.
    const char* installed[] = {"Tunewright.Exe", "UnInstall.exe", "Tunewright.cnt", "Tunewright.hlp", "ICOM32.DLL",
                               "README.HLP", "README.CNT", "PCDLIB32.DLL", "File_id.diz", "Sample Startup Screen.bmp",
                               "Sample Wallpaper.bmp", "Sample Safe Shutdown Screen.bmp",
                               "Sample Wait Shutdown Screen.bmp", "TWUTIL.DLL"};
    std::string base = std::string(kFolder) + "\\";
    for (const char* name : installed) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((base + name).c_str(), &data);
        ASSERT_NE(find, INVALID_HANDLE_VALUE) << name;
        FindClose(find);
        EXPECT_STREQ(data.cFileName, name);
    }
    EXPECT_EQ(FileText(base + "Tunewright.Exe"), FileText(SetupProgram()));

    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kInstallKey, "Installed Path"), kFolder);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Tunewright 97");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kAppPathsKey, nullptr), base + "Tunewright.Exe");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kAppPathsKey, "Path"), kFolder);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), base + "Uninstall.exe");

    std::string group = "[progman.groups]\r\ngroupX=Tunewright 97\r\n[groupX]\r\n";
    for (auto [title, file] : {std::pair{"Tunewright 97", "Tunewright.Exe"}, std::pair{"Help", "Tunewright.hlp"},
                               std::pair{"Read Me", "Readme.hlp"}, std::pair{"Uninstall", "Uninstall.Exe"}})
        group += std::string("\"") + title + "\",\"" + ShortPath(base + file) + "\",,,,\"" + kFolder + "\"\r\n";
    EXPECT_EQ(FileText("C:\\windows\\Setup.ini"), group);

    // A new machine has no wallpaper and no boot screens to back up.
    EXPECT_EQ(ProfileText("Wallpapers", "List"), "\"" + base + "Sample Wallpaper.bmp\"");
    EXPECT_EQ(ProfileText("Wallpapers", "Stretch"), "N");
    EXPECT_EQ(ProfileText("Wallpapers", "Tile"), "N");
    EXPECT_EQ(ProfileText("Startup Screens", "List"),
              "\"" + base + "Sample Startup Screen.bmp\" \"" + base + "Old Startup Screen.bmp\"");
    EXPECT_EQ(ProfileText("Shutdown Wait Screens", "List"), "\"" + base + "Sample Wait Shutdown Screen.bmp\"");
    EXPECT_EQ(ProfileText("Shutdown Safe Screens", "List"), "\"" + base + "Sample Safe Shutdown Screen.bmp\"");

    // Finish started the installed program, which opens its first-run configuration sheet.
    HWND config = WaitForWindow(0, "#32770", "Tunewright 97: Initial Configuration", 30000);
    ASSERT_NE(config, nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(config, &pid);
    EXPECT_STRCASEEQ(ProcessImageName(pid).c_str(), "Tunewright.Exe");
    EXPECT_EQ(ProfileText("Settings", "Run Yet?"), "0");

    // Cancel ends that first run and writes nothing: the next start asks again, and the user's
    // start-with-Windows value stays.
    HANDLE program = OpenProcess(SYNCHRONIZE, FALSE, pid);
    Press(config, kCancelButton);
    EXPECT_EQ(WaitForSingleObject(program, 20000), WAIT_OBJECT_0);
    CloseHandle(program);
    EXPECT_EQ(ProfileText("Settings", "Run Yet?"), "0");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kRunKey, "Tunewright"), "C:\\old\\Tunewright.Exe");
    HKEY run = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, "Tunewright");
        RegCloseKey(run);
    }
    EXPECT_TRUE(WindowsTitled("Tunewright Control Window").empty());
}

}  // namespace
