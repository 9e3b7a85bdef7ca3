// The installation's run against a recorded machine: what it copies, writes and says, in
// which order, and what a failure at each step leaves behind; the image lists it seeds.
#include "Installation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

const char kFolder[] = "C:\\Program Files\\Tunewright 97";

class RecordedMachine : public InstallEnvironment {
public:
    std::vector<std::string> progress;
    std::vector<std::string> messages;
    std::vector<std::string> actions;  // copies, runs, registry writes and deletions in order
    std::string prompt;
    std::set<std::string> files{"D:\\Setup\\Setup.Exe"};
    std::map<std::string, std::string> registry;
    std::map<std::string, uint32_t> registryTypes;  // a value not named here is a string
    std::set<std::string> keys;
    std::map<std::string, std::string> textFiles;
    MemoryProfileStore profile;
    bool writable = true;
    int failCopyAt = -1;      // the copy with this index fails
    int failRegistryAt = -1;  // the registry write with this index fails
    int copies = 0;
    int registryWrites = 0;

    RecordedMachine()
    {
        AddKey(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
        AddKey(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths");
    }

    void ClearProgress() override { progress.clear(); }
    void AddProgress(const CString& line) override { progress.push_back(line.c_str()); }
    void SetPrompt(const CString& text) override { prompt = text.c_str(); }
    void Repaint() override {}
    void ShowMessage(const CString& text) override { messages.push_back(text.c_str()); }
    CString LoadString(unsigned id) override
    {
        static const std::map<unsigned, const char*> texts{{128, "Tunewright 97"},   {58066, "Tunewright 97"},
                                                           {58067, "Tunewright 97"}, {58068, "Help"},
                                                           {58069, "Read Me"},       {58070, "Uninstall"}};
        auto it = texts.find(id);
        return it == texts.end() ? "" : it->second;
    }
    CString SourceFolder() override { return "D:\\Setup"; }
    CString WindowsFolder() override { return "C:\\WINDOWS"; }
    bool CanWriteToFolder(const CString&) override { return writable; }
    bool IsFile(const CString& path) override { return files.count(path.c_str()) != 0; }
    bool CopyFile(const CString& source, const CString& target) override
    {
        if (copies++ == failCopyAt)
            return false;
        actions.push_back("copy " + std::string(source) + " > " + std::string(target));
        files.insert(target.c_str());
        return true;
    }
    void RunHidden(const CString& file, const CString& parameters) override
    {
        actions.push_back("run " + std::string(file) + " " + std::string(parameters));
    }
    bool WriteTextFile(const CString& path, const CString& text) override
    {
        textFiles[path.c_str()] = text.c_str();
        return true;
    }
    CString ShortPath(const CString& path) override { return "SHORT(" + path + ")"; }
    void BackupOriginalScreens(const CString& folder) override { actions.push_back("backup " + std::string(folder)); }
    long SetRegistryString(RegistryRoot root, const CString& key, const CString& value, const CString& data) override
    {
        if (registryWrites++ == failRegistryAt)
            return 5;
        std::string name = Name(root, key, value);
        actions.push_back("set " + name);
        registry[name] = data.c_str();
        registryTypes.erase(name);
        AddKey(root, key);
        return 0;
    }
    void AddKey(RegistryRoot root, const CString& key)
    {
        std::string path = Name(root, key, "");
        path.pop_back();
        for (size_t bar = path.find('\\'); bar != std::string::npos; bar = path.find('\\', bar + 1))
            keys.insert(path.substr(0, bar));
        keys.insert(path);
    }
    std::optional<StoredRegistryValue> ReadRegistryValue(RegistryRoot root, const CString& key,
                                                         const CString& value) override
    {
        std::string name = Name(root, key, value);
        auto it = registry.find(name);
        if (it == registry.end())
            return std::nullopt;
        StoredRegistryValue stored{registryTypes.count(name) ? registryTypes[name] : 1u, {}};
        stored.data.assign(it->second.begin(), it->second.end());
        stored.data.push_back(0);
        return stored;
    }
    bool RestoreRegistryValue(RegistryRoot root, const CString& key, const CString& value,
                              const StoredRegistryValue& stored) override
    {
        std::string name = Name(root, key, value);
        actions.push_back("restore " + name);
        registry[name] = std::string(stored.data.begin(), std::find(stored.data.begin(), stored.data.end(), 0));
        registryTypes.erase(name);
        if (stored.type != 1)
            registryTypes[name] = stored.type;
        return true;
    }
    bool RegistryKeyExists(RegistryRoot root, const CString& key) override
    {
        std::string path = Name(root, key, "");
        path.pop_back();
        return keys.count(path) != 0;
    }
    CString GetRegistryString(RegistryRoot root, const CString& key, const CString& value) override
    {
        auto it = registry.find(Name(root, key, value));
        return it == registry.end() ? "" : it->second.c_str();
    }
    void DeleteRegistryKey(RegistryRoot root, const CString& key) override
    {
        std::string path = Name(root, key, "");
        actions.push_back("delete key " + path);
        path.pop_back();
        std::erase_if(keys, [&](const std::string& k) { return k == path || k.rfind(path + "\\", 0) == 0; });
        std::erase_if(registry, [&](const auto& v) { return v.first.rfind(path + ":", 0) == 0 ||
                                                            v.first.rfind(path + "\\", 0) == 0; });
    }
    void DeleteRegistryValue(RegistryRoot root, const CString& key, const CString& value) override
    {
        actions.push_back("delete value " + Name(root, key, value));
        registry.erase(Name(root, key, value));
    }
    ProfileStore& Profile() override { return profile; }

    static std::string Name(RegistryRoot root, const CString& key, const CString& value)
    {
        return std::string(root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + key.c_str() + ":" + value.c_str();
    }

    std::vector<std::string> Actions(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const auto& action : actions)
            if (action.rfind(prefix, 0) == 0)
                found.push_back(action);
        return found;
    }
};

std::string ProfileText(ProfileStore& profile, const char* section, const char* entry)
{
    return profile.GetProfileString(section, entry, "<none>").c_str();
}

TEST(Installation, SuccessfulRunCopiesWritesAndSeedsInOrder)
{
    RecordedMachine machine;
    machine.files.insert("D:\\Setup\\AMovie.exe");
    Installation installation(machine);
    installation.Begin(kFolder);
    EXPECT_EQ(machine.prompt, "Press 'Next' to start copying files.");
    ASSERT_TRUE(installation.RunInstallation());

    EXPECT_EQ(machine.progress, (std::vector<std::string>{
                                    "Install to: C:\\Program Files\\Tunewright 97", "Preparing destination folder...",
                                    "Copying files...", "Creating registry entries...", "Creating shortcut...",
                                    "All files have been installed successfully",
                                    "Press 'Finish' to complete the installation"}));
    EXPECT_EQ(machine.prompt, "Files installed successfully; press 'Finish' to complete the installation.");
    EXPECT_TRUE(machine.messages.empty());
    EXPECT_EQ(installation.m_strExePath, "C:\\Program Files\\Tunewright 97\\Tunewright.Exe");

    auto copies = machine.Actions("copy");
    ASSERT_EQ(copies.size(), 14u);
    EXPECT_EQ(copies.front(), "copy D:\\Setup\\Setup.Exe > C:\\Program Files\\Tunewright 97\\Tunewright.Exe");
    EXPECT_EQ(copies[1], "copy D:\\Setup\\UnInstal.Exe > C:\\Program Files\\Tunewright 97\\UnInstall.exe");
    EXPECT_EQ(copies.back(), "copy D:\\Setup\\twutil.dll > C:\\Program Files\\Tunewright 97\\TWUTIL.DLL");

    EXPECT_EQ(machine.Actions("set"),
              (std::vector<std::string>{
                  "set HKLM\\SOFTWARE\\Marrowby Corp.\\Tunewright 97:Installed Path",
                  "set HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunewright:DisplayName",
                  "set HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tunewright.exe:",
                  "set HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tunewright.exe:Path",
                  "set HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunewright:UninstallString"}));
    EXPECT_EQ(machine.registry["HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunewright:UninstallString"],
              "C:\\Program Files\\Tunewright 97\\Uninstall.exe");
    EXPECT_EQ(machine.registry["HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tunewright.exe:"],
              "C:\\Program Files\\Tunewright 97\\Tunewright.Exe");
    EXPECT_EQ(machine.profile.GetProfileInt("Settings", "Run Yet?", -1), 0);

    // The media player remover goes first, the group converter after the group file.
    EXPECT_EQ(machine.Actions("run"), (std::vector<std::string>{"run D:\\Setup\\AMovie.exe /Q:1 /R:N /C:\"amremove /setup_q\"",
                                                                "run grpconv -o"}));
    EXPECT_EQ(machine.textFiles["C:\\WINDOWS\\Setup.ini"],
              "[progman.groups]\r\ngroupX=Tunewright 97\r\n[groupX]\r\n"
              "\"Tunewright 97\",\"SHORT(C:\\Program Files\\Tunewright 97\\Tunewright.Exe)\",,,,\"C:\\Program Files\\Tunewright 97\"\r\n"
              "\"Help\",\"SHORT(C:\\Program Files\\Tunewright 97\\Tunewright.hlp)\",,,,\"C:\\Program Files\\Tunewright 97\"\r\n"
              "\"Read Me\",\"SHORT(C:\\Program Files\\Tunewright 97\\Readme.hlp)\",,,,\"C:\\Program Files\\Tunewright 97\"\r\n"
              "\"Uninstall\",\"SHORT(C:\\Program Files\\Tunewright 97\\Uninstall.Exe)\",,,,\"C:\\Program Files\\Tunewright 97\"\r\n");
    EXPECT_EQ(machine.Actions("backup"), std::vector<std::string>{"backup C:\\Program Files\\Tunewright 97"});
    EXPECT_EQ(ProfileText(machine.profile, "Wallpapers", "List"), "\"C:\\Program Files\\Tunewright 97\\Sample Wallpaper.bmp\"");

    // Next again on the finished page does nothing more.
    size_t done = machine.actions.size();
    EXPECT_TRUE(installation.RunInstallation());
    EXPECT_EQ(machine.actions.size(), done);
}

TEST(Installation, FailuresStopWhereTheyHappen)
{
    struct Case {
        const char* name;
        bool writable;
        int failCopyAt;
        int failRegistryAt;
        size_t copies;
        size_t registryWrites;
        const char* message;
        const char* lastLine;
    };
    const Case cases[] = {
        {"folder", false, -1, -1, 0, 0, "Tunewright 97 could not create the specified folder",
         "Error preparing folder, installation halted."},
        {"copy", true, 3, -1, 3, 0, "Tunewright 97 could not be copied to the specified folder",
         "Error copying files, installation halted."},
        {"registry", true, -1, 2, 14, 2, "Tunewright 97 could not be installed because of a registry error",
         "An error occured during installation.  Press 'Back' to try again."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedMachine machine;
        machine.writable = c.writable;
        machine.failCopyAt = c.failCopyAt;
        machine.failRegistryAt = c.failRegistryAt;
        Installation installation(machine);
        installation.Begin(kFolder);
        EXPECT_FALSE(installation.RunInstallation());
        EXPECT_EQ(machine.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(machine.progress.back(), c.lastLine);
        EXPECT_EQ(machine.Actions("copy").size(), c.copies);
        EXPECT_EQ(machine.Actions("set").size(), c.registryWrites);
        EXPECT_EQ(machine.Actions("run grpconv").size(), 0u);
        EXPECT_FALSE(machine.profile.Contains("Settings", "Run Yet?"));

        // Next again without Back does nothing; entering the page again starts from its folder.
        size_t before = machine.actions.size();
        EXPECT_FALSE(installation.RunInstallation());
        EXPECT_EQ(machine.actions.size(), before);
        EXPECT_EQ(machine.messages.size(), 1u);
        machine.writable = true;
        machine.failCopyAt = machine.failRegistryAt = -1;
        machine.copies = machine.registryWrites = 0;
        installation.Begin(kFolder);
        EXPECT_EQ(machine.progress, std::vector<std::string>{"Install to: C:\\Program Files\\Tunewright 97"});
        EXPECT_TRUE(installation.RunInstallation());
    }
}

TEST(Installation, RegistryFailureUndoesOnlyWhatTheRunChanged)
{
    const std::string install = "HKLM\\SOFTWARE\\Marrowby Corp.\\Tunewright 97";
    const std::string uninstall = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunewright";
    const std::string appPaths = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tunewright.exe";
    struct Case {
        const char* name;
        bool earlier;  // an installation was there before
        std::vector<std::string> undo;
    };
    const Case cases[] = {
        {"first", false,
         {"delete key " + appPaths + ":", "delete key " + uninstall + ":", "delete key HKLM\\SOFTWARE\\Marrowby Corp.:"}},
        {"again", true,
         {"restore " + appPaths + ":Path", "restore " + appPaths + ":", "restore " + uninstall + ":DisplayName",
          "restore " + install + ":Installed Path"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedMachine machine;
        machine.profile.WriteProfileInt("Settings", "Run Yet?", 1);
        std::map<std::string, std::string> before;
        if (c.earlier) {
            machine.AddKey(RegistryRoot::LocalMachine, "SOFTWARE\\Marrowby Corp.\\Tunewright 97");
            machine.AddKey(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunewright");
            machine.AddKey(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tunewright.exe");
            machine.registry = {{install + ":Installed Path", "D:\\Old"},
                                {install + ":Other", "kept"},
                                {uninstall + ":DisplayName", "Old name"},
                                {uninstall + ":UninstallString", "D:\\Old\\Uninstall.exe"},
                                {appPaths + ":", "D:\\Old\\Tunewright.Exe"},
                                {appPaths + ":Path", "%OLD%"}};
            machine.registryTypes[appPaths + ":Path"] = 2;  // REG_EXPAND_SZ
        }
        before = machine.registry;
        auto types = machine.registryTypes;
        machine.failRegistryAt = 4;
        Installation installation(machine);
        installation.Begin(kFolder);
        EXPECT_FALSE(installation.RunInstallation());
        std::vector<std::string> undo;
        for (const std::string& action : machine.actions)
            if (action.rfind("set", 0) != 0 && action.rfind("copy", 0) != 0 && action.rfind("run", 0) != 0)
                undo.push_back(action);
        EXPECT_EQ(undo, c.undo);
        EXPECT_EQ(machine.registry, before);
        EXPECT_EQ(machine.registryTypes, types);
        EXPECT_EQ(machine.profile.GetProfileInt("Settings", "Run Yet?", 0), 1);
        EXPECT_EQ(machine.progress[machine.progress.size() - 2], "Error creating registry entry, installation halted.");
    }
}

TEST(Installation, SeedingFollowsTheCurrentWallpaperAndTheBackupsFound)
{
    struct Case {
        const char* wallpaper;
        const char* style;
        const char* tile;
        bool waitBackup;
        bool safeBackup;
        const char* list;
        const char* stretch;
        const char* tileFlags;
        const char* waitList;
        const char* safeList;
    };
    const char* sample = "\"C:\\TW\\Sample Wallpaper.bmp\"";
    const char* waitSample = "\"C:\\TW\\Sample Wait Shutdown Screen.bmp\"";
    const char* safeSample = "\"C:\\TW\\Sample Safe Shutdown Screen.bmp\"";
    const char* waitBoth = "\"C:\\TW\\Sample Wait Shutdown Screen.bmp\" \"C:\\TW\\Old Wait Shutdown Screen.bmp\"";
    const char* safeBoth = "\"C:\\TW\\Sample Safe Shutdown Screen.bmp\" \"C:\\TW\\Old Safe Shutdown Screen.bmp\"";
    const char* withCurrent = "\"C:\\TW\\Sample Wallpaper.bmp\" \"C:\\WINDOWS\\Clouds.bmp\"";
    const Case cases[] = {
        {"", "2", "1", false, false, sample, "N", "N", waitSample, safeSample},
        {"C:\\WINDOWS\\Clouds.bmp", "0", "1", true, false, withCurrent, "NN", "NY", waitBoth, safeSample},
        {"C:\\WINDOWS\\Clouds.bmp", "2", "0", false, true, withCurrent, "NY", "NN", waitSample, safeBoth},
        {"C:\\WINDOWS\\Clouds.bmp", " 2", "", true, true, withCurrent, "NN", "NN", waitBoth, safeBoth},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wallpaper);
        SCOPED_TRACE(c.style);
        MemoryProfileStore profile;
        SeedImageLists(profile, {"C:\\TW\\", c.wallpaper, c.style, c.tile, c.waitBackup, c.safeBackup});
        EXPECT_EQ(ProfileText(profile, "Wallpapers", "List"), c.list);
        EXPECT_EQ(ProfileText(profile, "Wallpapers", "Stretch"), c.stretch);
        EXPECT_EQ(ProfileText(profile, "Wallpapers", "Tile"), c.tileFlags);
        EXPECT_EQ(ProfileText(profile, "Startup Screens", "List"),
                  "\"C:\\TW\\Sample Startup Screen.bmp\" \"C:\\TW\\Old Startup Screen.bmp\"");
        EXPECT_EQ(ProfileText(profile, "Shutdown Wait Screens", "List"), c.waitList);
        EXPECT_EQ(ProfileText(profile, "Shutdown Safe Screens", "List"), c.safeList);
    }
}

TEST(Installation, AFolderWithoutItsDriveIsRefusedBeforeAnythingIsWritten)
{
    const struct {
        const char* folder;
        bool installs;
    } cases[] = {{"Tunewright 97", false}, {"Apps\\TW", false}, {"\\TW", false}, {"C:TW", false}, {"1:\\TW", false},
                 {"c:/TW", true}, {"\\\\server\\share\\TW", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        RecordedMachine machine;
        Installation installation(machine);
        installation.Begin(c.folder);
        EXPECT_EQ(installation.RunInstallation(), c.installs);
        EXPECT_EQ(machine.Actions("set").empty(), !c.installs);
        if (!c.installs) {
            EXPECT_EQ(machine.messages, std::vector<std::string>{kFolderNotFullPathMessage});
            EXPECT_TRUE(machine.actions.empty());
        }
    }
}

TEST(Installation, AnInstallationOverAnEarlierOneKeepsTheUsersImageLists)
{
    RecordedMachine machine;
    machine.profile.WriteProfileString("Wallpapers", "List", "\"D:\\Mine.bmp\"");
    machine.profile.WriteProfileString("Wallpapers", "Tile", "Y");
    machine.profile.WriteProfileString("Startup Screens", "List", "");  // emptied by the user
    Installation installation(machine);
    installation.Begin(kFolder);
    ASSERT_TRUE(installation.RunInstallation());
    EXPECT_EQ(ProfileText(machine.profile, "Wallpapers", "List"), "\"D:\\Mine.bmp\"");
    EXPECT_EQ(ProfileText(machine.profile, "Wallpapers", "Tile"), "Y");
    EXPECT_EQ(ProfileText(machine.profile, "Wallpapers", "Stretch"), "<none>");
    EXPECT_EQ(ProfileText(machine.profile, "Startup Screens", "List"), "");
    // A list it never had is seeded as on a first installation.
    EXPECT_EQ(ProfileText(machine.profile, "Shutdown Wait Screens", "List"),
              "\"C:\\Program Files\\Tunewright 97\\Sample Wait Shutdown Screen.bmp\"");
}

TEST(Installation, FoldersAreJoinedAndProposedWithoutDoubledSeparatorsOrOverflow)
{
    EXPECT_EQ(*JoinPath("C:\\", "Setup.ini"), "C:\\Setup.ini");
    EXPECT_EQ(*JoinPath("C:\\TW", "Setup.ini"), "C:\\TW\\Setup.ini");
    EXPECT_FALSE(JoinPath(CString('a', 250), "Sample Wait Shutdown Screen.bmp").has_value());

    const struct {
        const char* typed;
        const char* folder;
    } typed[] = {{"  C:\\TW\\\\ ", "C:\\TW"}, {"C:\\", "C:\\"}, {"D:/Apps/", "D:/Apps"}, {"   ", ""}};
    for (const auto& t : typed)
        EXPECT_EQ(NormalizeInstallFolder(t.typed), t.folder) << t.typed;

    EXPECT_EQ(ProposeInstallFolder("D:\\Old", "C:\\Programs"), "D:\\Old");
    EXPECT_EQ(ProposeInstallFolder("", "C:\\Programs\\"), "C:\\Programs\\Tunewright 97");
    EXPECT_EQ(ProposeInstallFolder("", ""), "C:\\Program Files\\Tunewright 97");
}

TEST(Installation, AFolderTooLongForItsFilesFailsTheCopyInsteadOfOverflowing)
{
    RecordedMachine machine;
    Installation installation(machine);
    installation.Begin("C:\\" + CString('d', 237));
    EXPECT_FALSE(installation.RunInstallation());
    EXPECT_EQ(machine.messages, std::vector<std::string>{"Tunewright 97 could not be copied to the specified folder"});
    EXPECT_TRUE(machine.Actions("set").empty());
}

}  // namespace

TEST(Installation, ThePictureFillsItsFrameAsFarAsItsShapeAllows)
{
    struct Case {
        int pw, ph, fw, fh;
        PictureRect expected;
    };
    const Case cases[] = {
        {96, 160, 224, 264, {33, 0, 158, 264}},  // the wizard's frame: as tall as the frame
        {96, 160, 96, 300, {0, 70, 96, 160}},    // a tall frame: as wide as it
        {96, 160, 48, 80, {0, 0, 48, 80}},       // the same shape, smaller
        {96, 160, 0, 80, {0, 0, 0, 0}},
        {0, 160, 48, 80, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitPicture(c.pw, c.ph, c.fw, c.fh), c.expected) << c.pw << "x" << c.ph << " in " << c.fw << "x" << c.fh;
}
