#include "Installation.h"

#include "HelperText.h"
#include "quoted_path_list.h"

#include <cstring>

namespace {

const char kInstallKey[] = "SOFTWARE\\Marrowby Corp.\\Tunewright 97";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunewright";
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tunewright.exe";

constexpr unsigned IDS_DISPLAY_NAME = 128;
constexpr unsigned IDS_GROUP_NAME = 58066;
constexpr unsigned IDS_GROUP_PROGRAM = 58067;
constexpr unsigned IDS_GROUP_HELP = 58068;
constexpr unsigned IDS_GROUP_README = 58069;
constexpr unsigned IDS_GROUP_UNINSTALL = 58070;

// A list the profile can store; an entry it cannot hold leaves the list empty rather than
// storing a broken one.
CString QuotedList(const std::vector<std::string>& paths)
{
    auto list = tunewright::FormatQuotedPathList(paths);
    return CString(list ? list->c_str() : "");
}

std::string InFolder(const CString& folder, const char* name)
{
    auto path = JoinPath(folder, name);
    return path ? std::string(path->c_str()) : std::string();
}

}  // namespace

const InstallFile kInstallFiles[14] = {
    {"Setup.Exe", "Tunewright.Exe"},
    {"UnInstal.Exe", "UnInstall.exe"},
    {"tw.cnt", "Tunewright.cnt"},
    {"tw.hlp", "Tunewright.hlp"},
    {"icom32.dll", "ICOM32.DLL"},
    {"Readme.hlp", "README.HLP"},
    {"Readme.cnt", "README.CNT"},
    {"Pcdlib32.dll", "PCDLIB32.DLL"},
    {"file_id.diz", "File_id.diz"},
    {"sampleu.bmp", "Sample Startup Screen.bmp"},
    {"samplep.bmp", "Sample Wallpaper.bmp"},
    {"samples.bmp", "Sample Safe Shutdown Screen.bmp"},
    {"samplew.bmp", "Sample Wait Shutdown Screen.bmp"},
    {"twutil.dll", "TWUTIL.DLL"},
};

std::optional<CString> JoinPath(const CString& folder, const char* name)
{
    char buffer[kPathBufferSize] = {};
    if (folder.GetLength() >= static_cast<int>(kPathBufferSize))
        return std::nullopt;
    std::memcpy(buffer, folder.c_str(), static_cast<size_t>(folder.GetLength()));
    if (AppendPath(buffer, name) < 0)
        return std::nullopt;
    return CString(buffer);
}

CString NormalizeInstallFolder(const CString& typed)
{
    CString folder(typed);
    folder.TrimLeft();
    folder.TrimRight();
    auto endsInSeparator = [&] {
        char last = folder[folder.GetLength() - 1];
        return last == '\\' || last == '/';
    };
    auto isDriveRoot = [&] { return folder.GetLength() == 3 && folder[1] == ':'; };
    while (folder.GetLength() > 1 && endsInSeparator() && !isDriveRoot())
        folder.Delete(folder.GetLength() - 1);
    return folder;
}

bool IsFullFolderPath(const CString& folder)
{
    auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    int length = folder.GetLength();
    bool driveLetter = length >= 3 && ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
    if (driveLetter && folder[1] == ':' && isSeparator(folder[2]))
        return true;
    return length > 2 && isSeparator(folder[0]) && isSeparator(folder[1]) && !isSeparator(folder[2]);
}

const char kFolderNotFullPathMessage[] =
    "Please enter the destination folder with its drive, for example C:\\Program Files\\Tunewright 97.";

CString ProposeInstallFolder(const CString& installedPath, const CString& programFilesPath)
{
    if (!installedPath.IsEmpty())
        return installedPath;
    if (!programFilesPath.IsEmpty())
        if (auto folder = JoinPath(programFilesPath, "Tunewright 97"))
            return *folder;
    return "C:\\Program Files\\Tunewright 97";
}

namespace {

// A stored value, whatever it holds, reads back the same with any default.
bool HasProfileString(ProfileStore& profile, const char* section, const char* entry)
{
    return profile.GetProfileString(section, entry, "0") == profile.GetProfileString(section, entry, "1");
}

void SeedWallpapers(ProfileStore& profile, const ImageListSeed& seed)
{
    std::vector<std::string> wallpapers{InFolder(seed.folder, "Sample Wallpaper.bmp")};
    if (!seed.wallpaper.IsEmpty())
        wallpapers.push_back(seed.wallpaper.c_str());
    profile.WriteProfileString("Wallpapers", "List", QuotedList(wallpapers));
    profile.WriteProfileString("Wallpapers", "Stretch", "N");
    profile.WriteProfileString("Wallpapers", "Tile", "N");
    if (!seed.wallpaper.IsEmpty()) {
        profile.WriteProfileString("Wallpapers", "Stretch", seed.wallpaperStyle == "2" ? "NY" : "NN");
        profile.WriteProfileString("Wallpapers", "Tile", seed.tileWallpaper == "1" ? "NY" : "NN");
    }
}

}  // namespace

void SeedImageLists(ProfileStore& profile, const ImageListSeed& seed)
{
    auto keep = [&](const char* section) { return HasProfileString(profile, section, "List"); };
    if (!keep("Wallpapers"))
        SeedWallpapers(profile, seed);
    if (!keep("Startup Screens"))
        profile.WriteProfileString("Startup Screens", "List",
                                   QuotedList({InFolder(seed.folder, "Sample Startup Screen.bmp"),
                                               InFolder(seed.folder, "Old Startup Screen.bmp")}));
    if (!keep("Shutdown Wait Screens")) {
        std::vector<std::string> wait{InFolder(seed.folder, "Sample Wait Shutdown Screen.bmp")};
        if (seed.hasWaitBackup)
            wait.push_back(InFolder(seed.folder, "Old Wait Shutdown Screen.bmp"));
        profile.WriteProfileString("Shutdown Wait Screens", "List", QuotedList(wait));
    }
    if (!keep("Shutdown Safe Screens")) {
        std::vector<std::string> safe{InFolder(seed.folder, "Sample Safe Shutdown Screen.bmp")};
        if (seed.hasSafeBackup)
            safe.push_back(InFolder(seed.folder, "Old Safe Shutdown Screen.bmp"));
        profile.WriteProfileString("Shutdown Safe Screens", "List", QuotedList(safe));
    }
}

CString ProgramGroupText(InstallEnvironment& env, const CString& folder)
{
    const struct {
        unsigned title;
        const char* file;
    } items[] = {
        {IDS_GROUP_PROGRAM, "Tunewright.Exe"},
        {IDS_GROUP_HELP, "Tunewright.hlp"},
        {IDS_GROUP_README, "Readme.hlp"},
        {IDS_GROUP_UNINSTALL, "Uninstall.Exe"},
    };
    CString text = "[progman.groups]\r\ngroupX=" + env.LoadString(IDS_GROUP_NAME) + "\r\n[groupX]\r\n";
    for (const auto& item : items) {
        auto path = JoinPath(folder, item.file);
        CString line;
        line.Format("\"%s\",\"%s\",,,,\"%s\"\r\n", env.LoadString(item.title).c_str(),
                    path ? env.ShortPath(*path).c_str() : "", folder.c_str());
        text += line;
    }
    return text;
}

void Installation::ShowInstallTo()
{
    CString line;
    line.Format("Install to: %s", m_strFolder.c_str());
    m_env.ClearProgress();
    m_env.AddProgress(line);
}

void Installation::Begin(const CString& folder)
{
    m_strFolder = folder;
    ShowInstallTo();
    m_bDone = false;
    m_bHalted = false;
    m_env.SetPrompt("Press 'Next' to start copying files.");
}

bool Installation::Fail(const char* progressLine, const char* message)
{
    m_env.AddProgress(progressLine);
    m_env.Repaint();
    m_env.ShowMessage(message);
    m_bSuccess = false;
    m_bHalted = true;
    return false;
}

bool Installation::CopyFiles(const CString& source)
{
    for (const InstallFile& file : kInstallFiles) {
        auto from = JoinPath(source, file.source);
        auto to = JoinPath(m_strFolder, file.installed);
        if (!from || !to || !m_env.CopyFile(*from, *to))
            return false;
    }
    return true;
}

bool Installation::WriteRegistryEntries()
{
    auto uninstaller = JoinPath(m_strFolder, "Uninstall.exe");
    if (!uninstaller)
        return false;
    const struct {
        const char* key;
        const char* value;
        CString data;
    } entries[] = {
        {kInstallKey, "Installed Path", m_strFolder},
        {kUninstallKey, "DisplayName", m_env.LoadString(IDS_DISPLAY_NAME)},
        {kAppPathsKey, "", m_strExePath},
        {kAppPathsKey, "Path", m_strFolder},
        {kUninstallKey, "UninstallString", *uninstaller},
    };
    m_written.clear();
    for (const auto& entry : entries) {
        WrittenValue written{RegistryRoot::LocalMachine, entry.key, entry.value,
                             m_env.ReadRegistryValue(RegistryRoot::LocalMachine, entry.key, entry.value),
                             OutermostMissingKey(RegistryRoot::LocalMachine, entry.key)};
        if (m_env.SetRegistryString(RegistryRoot::LocalMachine, entry.key, entry.value, entry.data) != 0) {
            // A refused write may still have created its key.
            if (!written.createdKey.IsEmpty() && m_env.RegistryKeyExists(written.root, written.createdKey))
                m_written.push_back(written);
            return false;
        }
        m_written.push_back(written);
    }
    return true;
}

CString Installation::OutermostMissingKey(RegistryRoot root, const CString& key)
{
    // A key of one part ("SOFTWARE") is the system's and is never taken as this run's.
    for (int bar = key.Find('\\'); bar >= 0; bar = key.Find('\\', bar + 1)) {
        CString part = key.Left(bar);
        if (part.Find('\\') >= 0 && !m_env.RegistryKeyExists(root, part))
            return part;
    }
    return m_env.RegistryKeyExists(root, key) ? CString() : key;
}

void Installation::SeedLists()
{
    ImageListSeed seed;
    seed.folder = m_strFolder;
    const char desktop[] = "Control Panel\\Desktop";
    seed.wallpaper = m_env.GetRegistryString(RegistryRoot::CurrentUser, desktop, "Wallpaper");
    seed.wallpaperStyle = m_env.GetRegistryString(RegistryRoot::CurrentUser, desktop, "WallpaperStyle");
    seed.tileWallpaper = m_env.GetRegistryString(RegistryRoot::CurrentUser, desktop, "TileWallpaper");
    auto wait = JoinPath(m_strFolder, "Old Wait Shutdown Screen.bmp");
    auto safe = JoinPath(m_strFolder, "Old Safe Shutdown Screen.bmp");
    seed.hasWaitBackup = wait && m_env.IsFile(*wait);
    seed.hasSafeBackup = safe && m_env.IsFile(*safe);
    SeedImageLists(m_env.Profile(), seed);
}

bool Installation::RunInstallation()
{
    if (m_bDone)
        return m_bSuccess;
    if (m_bHalted)
        return false;  // a failed run is tried again only after Back

    m_strExePath.Empty();
    ShowInstallTo();  // every run starts from the folder it installs to
    m_env.AddProgress("Preparing destination folder...");
    m_env.SetPrompt("Please wait...");
    m_env.Repaint();

    CString source = m_env.SourceFolder();
    if (!IsFullFolderPath(m_strFolder))
        return Fail("Error preparing folder, installation halted.", kFolderNotFullPathMessage);
    if (!m_env.CanWriteToFolder(m_strFolder))
        return Fail("Error preparing folder, installation halted.",
                    "Tunewright 97 could not create the specified folder");

    if (auto remover = JoinPath(source, "AMovie.exe"); remover && m_env.IsFile(*remover))
        m_env.RunHidden(*remover, "/Q:1 /R:N /C:\"amremove /setup_q\"");

    auto exePath = JoinPath(m_strFolder, "Tunewright.Exe");
    m_strExePath = exePath ? *exePath : CString();
    m_env.AddProgress("Copying files...");
    m_env.Repaint();
    if (!exePath || !CopyFiles(source))
        return Fail("Error copying files, installation halted.",
                    "Tunewright 97 could not be copied to the specified folder");

    m_env.AddProgress("Creating registry entries...");
    if (WriteRegistryEntries()) {
        m_env.Profile().WriteProfileInt("Settings", "Run Yet?", 0);
        m_env.AddProgress("Creating shortcut...");
        CreateProgramGroup(m_strFolder);
        m_env.BackupOriginalScreens(m_strFolder);
        SeedLists();
        m_env.AddProgress("All files have been installed successfully");
        m_env.AddProgress("Press 'Finish' to complete the installation");
        m_env.SetPrompt("Files installed successfully; press 'Finish' to complete the installation.");
        m_env.Repaint();
        m_bSuccess = true;
    } else {
        m_env.AddProgress("Error creating registry entry, installation halted.");
        m_env.Repaint();
        m_env.ShowMessage("Tunewright 97 could not be installed because of a registry error");
        m_bSuccess = false;
        RemoveRegistryEntries();
    }

    if (!m_bSuccess) {
        const char again[] = "An error occured during installation.  Press 'Back' to try again.";
        m_env.AddProgress(again);
        m_env.SetPrompt(again);
        m_env.Repaint();
    }
    m_bDone = true;
    return m_bSuccess;
}

void Installation::CreateProgramGroup(const CString& folder)
{
    auto ini = JoinPath(m_env.WindowsFolder(), "Setup.ini");
    if (!ini || !m_env.WriteTextFile(*ini, ProgramGroupText(m_env, folder)))
        return;
    m_env.RunHidden("grpconv", "-o");
}

void Installation::RemoveRegistryEntries()
{
    // A value in a key this run created goes with that key.
    auto inCreatedKey = [&](const WrittenValue& value) {
        for (const WrittenValue& other : m_written)
            if (!other.createdKey.IsEmpty() && other.root == value.root &&
                (value.key.CompareNoCase(other.createdKey) == 0 ||
                 value.key.Left(other.createdKey.GetLength() + 1).CompareNoCase(other.createdKey + "\\") == 0))
                return true;
        return false;
    };
    for (auto it = m_written.rbegin(); it != m_written.rend(); ++it) {
        if (!it->createdKey.IsEmpty())
            m_env.DeleteRegistryKey(it->root, it->createdKey);
        else if (it->before)
            m_env.RestoreRegistryValue(it->root, it->key, it->value, *it->before);
        else if (!inCreatedKey(*it))
            m_env.DeleteRegistryValue(it->root, it->key, it->value);
    }
    m_written.clear();
}

PictureRect FitPicture(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || frameWidth <= 0 || frameHeight <= 0)
        return {0, 0, 0, 0};
    // Compare the shapes in 64 bits: the frame is narrower than the picture or not.
    long long byWidth = static_cast<long long>(frameWidth) * pictureHeight;
    long long byHeight = static_cast<long long>(frameHeight) * pictureWidth;
    int width = frameWidth, height = frameHeight;
    if (byWidth < byHeight)
        height = static_cast<int>(byWidth / pictureWidth);
    else
        width = static_cast<int>(byHeight / pictureHeight);
    return {(frameWidth - width) / 2, (frameHeight - height) / 2, width, height};
}
