// The controls platterly's main form is built from, on real windows: the message dialog's
// Abort and Retry, the file list's mask and file kinds, the folder list's refusal of a folder it
// cannot read, list selection, trackbar and status bar behaviour.
#include "Application.h"
#include "DirectoryListBox.h"
#include "FileListBox.h"
#include "Form.h"
#include "ListBox.h"
#include "MessageDialog.h"
#include "StatusBar.h"
#include "TrackBar.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class HostForm : public forms::Form {
public:
    HostForm() : Form(nullptr) { SetClientSize(300, 200); }
};

std::string TempFolder(const char* name)
{
    char tmp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + name;
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void Touch(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    CloseHandle(h);
}

int g_answer;
HWND g_dialog;

VOID CALLBACK PressAnswer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = FindWindowA(nullptr, "Error");
    if (!dlg)
        return;
    KillTimer(nullptr, id);
    g_dialog = dlg;
    HWND button = FindWindowExA(dlg, nullptr, "BUTTON", g_answer == forms::mrRetry ? "&Retry" : "&Abort");
    if (button)
        PostMessageA(button, BM_CLICK, 0, 0);
}

TEST(MessageDialog, AbortAndRetryReturnTheButtonPressed)
{
    forms::Application::Instance().Initialize();
    for (int answer : {forms::mrRetry, forms::mrAbort}) {
        g_answer = answer;
        g_dialog = nullptr;
        SetTimer(nullptr, 0, 50, PressAnswer);
        int result = forms::MessageDlg("Drive not ready", forms::mtError, forms::mbAbort | forms::mbRetry);
        EXPECT_EQ(result, answer);
        ASSERT_NE(g_dialog, nullptr);
        EXPECT_EQ(FindWindowExA(g_dialog, nullptr, "BUTTON", "OK"), nullptr);
    }
}

TEST(FileListBox, ListsTheMaskedFilesOfNormalAndArchiveKindSorted)
{
    std::string dir = TempFolder("forms-files");
    Touch(dir + "\\b.mid");
    Touch(dir + "\\A.RMI", FILE_ATTRIBUTE_ARCHIVE);
    Touch(dir + "\\c.txt");
    Touch(dir + "\\hidden.mid", FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA((dir + "\\folder.mid").c_str(), nullptr);

    HostForm form;
    auto* list = new forms::FileListBox(&form);
    list->SetParent(&form);
    list->SetMask("*.mid;*.rmi");
    list->SetFileType(forms::ftNormal | forms::ftArchive);
    list->SetMultiSelect(true);
    list->SetShowGlyphs(true);
    list->SetDirectory(dir);
    EXPECT_EQ(list->ItemList(), (std::vector<std::string>{"A.RMI", "b.mid"}));
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 2);
    list->SetSelected(0, true);
    list->SetSelected(1, true);
    EXPECT_EQ(list->SelCount(), 2);

    EXPECT_TRUE(forms::FileListBox::KindMatches(FILE_ATTRIBUTE_NORMAL, forms::ftNormal));
    EXPECT_FALSE(forms::FileListBox::KindMatches(FILE_ATTRIBUTE_READONLY, forms::ftNormal | forms::ftArchive));
    EXPECT_FALSE(forms::FileListBox::KindMatches(FILE_ATTRIBUTE_DIRECTORY, forms::ftNormal));
}

TEST(DirectoryListBox, RefusesAFolderItCannotReadAndKeepsTheOldOne)
{
    std::string dir = TempFolder("forms-dirs");
    CreateDirectoryA((dir + "\\sub").c_str(), nullptr);
    Touch(dir + "\\sub\\x.mid");
    HostForm form;
    auto* dirs = new forms::DirectoryListBox(&form);
    dirs->SetParent(&form);
    auto* files = new forms::FileListBox(&form);
    files->SetParent(&form);
    files->SetMask("*.mid");
    files->SetFileType(forms::ftNormal | forms::ftArchive);
    dirs->SetFileList(files);
    dirs->SetDirectory(dir + "\\sub");
    EXPECT_EQ(files->Directory(), dirs->Directory());
    EXPECT_EQ(files->ItemList(), (std::vector<std::string>{"x.mid"}));
    std::string before = dirs->Directory();
    EXPECT_THROW(dirs->SetDirectory(dir + "\\missing"), forms::Exception);
    EXPECT_EQ(dirs->Directory(), before);
    // The list shows the path down to the folder, the folder's own sub-folders after it.
    EXPECT_EQ(dirs->Items(dirs->Count() - 1), "sub");
    // Freeing the file list clears the link.
    delete files;
    EXPECT_EQ(dirs->FileList(), nullptr);
    dirs->SetDirectory(dir);
}

TEST(Controls, SelectionTrackbarAndStatusPanels)
{
    HostForm form;
    auto* list = new forms::ListBox(&form);
    list->SetParent(&form);
    list->SetMultiSelect(true);
    for (const char* s : {"one", "two", "three"})
        list->Add(s);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    EXPECT_EQ(list->SelCount(), 2);
    list->Delete(0);
    EXPECT_EQ(list->ItemList(), (std::vector<std::string>{"two", "three"}));
    EXPECT_TRUE(list->Selected(1));
    EXPECT_THROW(list->Delete(5), forms::Exception);

    auto* track = new forms::TrackBar(&form);
    track->SetParent(&form);
    int changes = 0;
    track->OnChange = [&](forms::Component*) { ++changes; };
    track->SetRange(0, 255);
    track->SetPosition(128);
    EXPECT_EQ(track->Position(), 128);
    SendMessageA(track->Handle(), WM_KEYDOWN, VK_RIGHT, 0);  // the user moves the thumb
    EXPECT_EQ(track->Position(), 129);
    EXPECT_EQ(changes, 1);

    auto* bar = new forms::StatusBar(&form);
    bar->SetParent(&form);
    forms::StatusPanel p;
    p.text = "Stopped";
    p.alignment = forms::taCenter;
    bar->AddPanel(p);
    p.text = "00:00";
    p.alignment = forms::taRightJustify;
    bar->AddPanel(p);
    char text[64] = {};
    SendMessageA(bar->Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "\tStopped");
    bar->SetPanelText(1, "01:05");
    SendMessageA(bar->Handle(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "\t\t01:05");
    EXPECT_THROW(bar->SetPanelText(7, "x"), forms::Exception);
}

} // namespace
