// The rules of the options sheets, the user entry pages and the display-mode menu that need no
// window: how stored values are read back, what the item dialog accepts, how a browsed program
// names itself, how the pages store their rows, and how display modes become a menu.
#pragma once

#include "SavePlan.h"
#include "framework/CString.h"

#include <string>
#include <vector>

// ---- stored settings ------------------------------------------------------------------------

// A stored on/off flag as a check box takes it: anything but 0 is 1 (2 would show the
// check box's third, "indeterminate" state).
int ReadFlag(int stored);
// The randomize-at-start-up choice of a radio group of two: outside 0..1 it is 0.
int ReadChoice(int stored);

// The corner page's numbers with their accepted ranges; a stored value outside its range is
// brought inside on reading, so that the page can always be saved.
constexpr int kCornerPixelMin = 0, kCornerPixelMax = 25;
constexpr int kCornerTimeMin = 50, kCornerTimeMax = 10000;
int ClampToRange(int value, int low, int high);

// The start-with-Windows value: the installation folder and "Tunewright.Exe" with exactly one
// separator between them.
CString StartWithWindowsValue(const char* installFolder);

// ---- user entries ---------------------------------------------------------------------------

// One row of a user entry page: first column (description or menu text), program, parameters.
struct UserEntryRow {
    CString text;
    CString program;
    CString parameters;
};

// The item dialog's checks, in the order it makes them; the first that fails is reported.
enum class ItemProblem {
    None,
    NoProgram,            // "You must specify a program to run"
    NoDescription,        // "You must enter a description"
    BarInProgram,         // "The command line contains an illegal | character"
    BarInDescription,     // "The description contains an illegal | character"
    BarInParameters,      // "The parameters field contains an illegal | character"
};
ItemProblem ValidateItem(const char* description, const char* program, const char* parameters);
const char* ItemProblemMessage(ItemProblem problem);
// Empty parameters are stored as one blank (an empty item would end the list for its
// readers); a stored blank shows as empty in the dialog.
CString StoredParameters(const char* parameters);
CString ShownParameters(const char* stored);

// The description a browsed program gives an empty description field: the file name without
// its extension when the path's last "\" stands before its last "."; the whole path otherwise.
CString DescriptionFromProgram(const char* path);

// The three lists of a page's rows, each item followed by "|".
struct UserEntryLists {
    CString texts;
    CString programs;
    CString parameters;
};
// The rows in order, then what the page kept of the stored lists as it was.
UserEntryLists WriteUserEntryLists(const std::vector<UserEntryRow>& rows, const UserEntryLists& kept = {});
// What a page loads: the rows up to the first entry with an empty program, text or parameters,
// and from that entry on the rest of each list as stored, which the page cannot show but writes
// back after its rows so that one damaged entry does not take the later ones with it.
struct UserEntryRead {
    std::vector<UserEntryRow> rows;
    UserEntryLists kept;
};
UserEntryRead ReadUserEntryRows(const char* texts, const char* programs, const char* parameters);

// A user entry page's section as read: the three lists as stored, and the rows and rest shown.
struct UserEntryPageRead {
    MaybeValue texts, programs, parameters;
    UserEntryRead shown;
};
UserEntryPageRead ReadUserEntryPage(ProfileStore& profile, const char* section, const char* firstList);
// The writes of the page's save. The list view keeps its rows in its own order, so rows that
// are those read, in any order, write nothing; otherwise each list whose stored text changes.
WritePlan PlanUserEntrySave(ProfileStore& profile, const std::string& section, const std::string& firstList,
                            const UserEntryPageRead& read, const std::vector<UserEntryRow>& rows);

// ---- the options page -----------------------------------------------------------------------

// The "Settings" values of the options page, in the order of ConfigPageValues.
struct ConfigSetting {
    const char* entry;
    int defaultValue;
    bool choice;  // a radio pair (ReadChoice), else a check box (ReadFlag)
};
constexpr int kConfigSettings = 9;
extern const ConfigSetting kConfigSettingList[kConfigSettings];
extern const char kRunKey[];  // HKEY_CURRENT_USER: the start-with-Windows value "Tunewright"

struct ConfigPageRead {
    MaybeValue stored[kConfigSettings];
    int shown[kConfigSettings] = {};
    MaybeValue run;
    int load = 0;  // the Run value holds text (a string or an expandable string)
};
ConfigPageRead ReadConfigPage(ProfileStore& profile, RegistryStore& registry);
// The writes of the page's OK: each setting the user changed, then the Run value when the load
// choice changed (written as the installation folder's program, or deleted).
WritePlan PlanConfigSave(ProfileStore& profile, RegistryStore& registry, const ConfigPageRead& read,
                         const int (&left)[kConfigSettings], int load, const char* installFolder);

// ---- display modes --------------------------------------------------------------------------

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int frequency = 0;
};
constexpr int kMaxDisplayModes = 200;
constexpr unsigned kFirstDisplayModeCommand = 1025;

// Width, then height, then depth, then frequency, each ascending.
bool DisplayModeBefore(const DisplayMode& a, const DisplayMode& b);
void SortDisplayModes(std::vector<DisplayMode>& modes);

// One item of the mode menu between its two fixed separators.
struct ModeMenuItem {
    bool separator = false;
    std::string text;       // "%dx%d (%d bit)"
    unsigned command = 0;   // 1025 + index of the mode in the sorted table
    bool checked = false;
};
// The sorted modes as menu items: one item per resolution and depth (the first mode of each),
// a separator between resolutions, the current mode checked.
std::vector<ModeMenuItem> BuildModeMenuItems(const std::vector<DisplayMode>& sortedModes, const DisplayMode& current);

// The frequency a mode change asks for: the screen's current refresh rate, unless the screen
// reports 0 or 1 (the hardware's default), in which case the mode keeps its own.
int ModeChangeFrequency(int modeFrequency, int currentRefresh);
