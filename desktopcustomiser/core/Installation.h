// The installation the setup program runs: the write test, the copy of the program's files,
// the registry entries, the program group, and the image lists seeded with the samples and the
// backups of the current boot screens. Everything it does to the machine goes through
// InstallEnvironment, so the whole run is portable and the wizard page stays a thin window.
#pragma once

#include "framework/CString.h"
#include "framework/ProfileStore.h"

#include <cstdint>
#include <optional>
#include <vector>

// The two registry roots the installation writes below.
enum class RegistryRoot { LocalMachine, CurrentUser };

// A registry value as stored: its type number and its bytes.
struct StoredRegistryValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    bool operator==(const StoredRegistryValue&) const = default;
};

// One file of the setup folder and the name it gets in the installed folder.
struct InstallFile {
    const char* source;
    const char* installed;
};
extern const InstallFile kInstallFiles[14];

// The folder and the name joined by the shared path helper (one "\" between them, never two);
// nothing when the result does not fit a path buffer.
std::optional<CString> JoinPath(const CString& folder, const char* name);

// The folder as typed, blanks trimmed and without trailing "\" (a drive root keeps its own).
CString NormalizeInstallFolder(const CString& typed);

// Whether the folder names its drive (or server) and so means the same folder from wherever the
// program later starts: "C:\\..." or "\\\\server\\share...". A relative folder would be recorded as
// typed in the installed path, App Paths and the Run value.
bool IsFullFolderPath(const CString& folder);
extern const char kFolderNotFullPathMessage[];

// What page one proposes: the recorded installed path, else the Program Files folder followed
// by "Tunewright 97", else "C:\Program Files\Tunewright 97".
CString ProposeInstallFolder(const CString& installedPath, const CString& programFilesPath);

class InstallEnvironment {
public:
    virtual ~InstallEnvironment() = default;

    // The wizard page: progress lines, the prompt above them and message boxes.
    virtual void ClearProgress() = 0;
    virtual void AddProgress(const CString& line) = 0;
    virtual void SetPrompt(const CString& text) = 0;
    virtual void Repaint() = 0;
    virtual void ShowMessage(const CString& text) = 0;
    virtual CString LoadString(unsigned id) = 0;

    // The machine.
    virtual CString SourceFolder() = 0;     // the folder of the running setup program
    virtual CString WindowsFolder() = 0;
    virtual bool CanWriteToFolder(const CString& folder) = 0;
    virtual bool IsFile(const CString& path) = 0;
    virtual bool CopyFile(const CString& source, const CString& target) = 0;
    virtual void RunHidden(const CString& file, const CString& parameters) = 0;  // not waited for
    virtual bool WriteTextFile(const CString& path, const CString& text) = 0;
    virtual CString ShortPath(const CString& path) = 0;  // the path itself when it has none
    virtual void BackupOriginalScreens(const CString& folder) = 0;

    // The registry: 0 on success, else the registry's error.
    virtual long SetRegistryString(RegistryRoot root, const CString& key, const CString& value,
                                   const CString& data) = 0;
    virtual CString GetRegistryString(RegistryRoot root, const CString& key, const CString& value) = 0;
    virtual void DeleteRegistryKey(RegistryRoot root, const CString& key) = 0;
    virtual void DeleteRegistryValue(RegistryRoot root, const CString& key, const CString& value) = 0;
    // What a failed run needs to put back what it changed: a value as stored (nothing when it
    // does not exist), the same value written again with its type and bytes, and whether a key
    // exists.
    virtual std::optional<StoredRegistryValue> ReadRegistryValue(RegistryRoot root, const CString& key,
                                                                 const CString& value) = 0;
    virtual bool RestoreRegistryValue(RegistryRoot root, const CString& key, const CString& value,
                                      const StoredRegistryValue& stored) = 0;
    virtual bool RegistryKeyExists(RegistryRoot root, const CString& key) = 0;

    virtual ProfileStore& Profile() = 0;
};

// The current wallpaper as the desktop settings hold it, and the boot-screen backups found in
// the installed folder: all the seeding of the four image lists depends on. A category whose
// list the profile already holds (an installation over an earlier one) keeps it and its flags.
struct ImageListSeed {
    CString folder;
    CString wallpaper;       // "Wallpaper": empty when there is none
    CString wallpaperStyle;  // "WallpaperStyle": "2" stretches
    CString tileWallpaper;   // "TileWallpaper": "1" tiles
    bool hasWaitBackup = false;
    bool hasSafeBackup = false;
};
void SeedImageLists(ProfileStore& profile, const ImageListSeed& seed);

// The lines of "Setup.ini" that the program-group converter reads; items hold the short path
// of each program file.
CString ProgramGroupText(InstallEnvironment& env, const CString& folder);

// Where the wizard's picture goes in its frame: as large as the frame allows without changing
// the picture's shape, centred. A picture or frame without area gets nothing.
struct PictureRect {
    int left, top, width, height;
    bool operator==(const PictureRect&) const = default;
};
PictureRect FitPicture(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight);

// Page two's installation: entered with Begin, run with RunInstallation (once per entry).
class Installation {
public:
    explicit Installation(InstallEnvironment& env) : m_env(env) {}

    // Entering the page: a new run into the folder, its list starting from "Install to:".
    void Begin(const CString& folder);
    // The installation's result; a second call after it ran returns that result at once, and
    // a call after a failed run that was not entered again does nothing but fail.
    bool RunInstallation();
    void CreateProgramGroup(const CString& folder);
    // Undoes what this run's registry step changed, newest first: a value it replaced gets its
    // earlier type and bytes back, a value it added goes, and so does a key it created. The
    // profile and the start-with-Windows value are never touched: the run did not write them.
    void RemoveRegistryEntries();

    CString m_strFolder;
    CString m_strExePath;
    bool m_bSuccess = false;
    bool m_bDone = false;

private:
    bool Fail(const char* progressLine, const char* message);
    bool CopyFiles(const CString& source);
    bool WriteRegistryEntries();
    CString OutermostMissingKey(RegistryRoot root, const CString& key);
    void SeedLists();
    void ShowInstallTo();

    // One value the registry step wrote, with what it replaced and the key it had to create
    // (the outermost one missing before the write; empty when the key was there).
    struct WrittenValue {
        RegistryRoot root;
        CString key, value;
        std::optional<StoredRegistryValue> before;
        CString createdKey;
    };
    std::vector<WrittenValue> m_written;
    InstallEnvironment& m_env;
    bool m_bHalted = false;  // a run failed since the page was entered: Back comes first
};
