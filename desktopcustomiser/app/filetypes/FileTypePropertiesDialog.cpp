#include "FileTypesPage.h"

#include "Helpers.h"
#include "MainFrameMessages.h"
#include "SharedDialogs.h"
#include "Win32RegistryStore.h"
#include "framework/Afx.h"
#include "resource.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

namespace {

std::string Text(const CString& text)
{
    return static_cast<const char*>(text);
}

// The action editors a dialog owns, new actions' editors included.
struct EditorSearch {
    HWND owner;
    std::vector<CEditActionDialog*> editors;
};

BOOL CALLBACK CollectEditor(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<EditorSearch*>(data);
    if (::GetWindow(hwnd, GW_OWNER) == search->owner)
        if (auto* editor = dynamic_cast<CEditActionDialog*>(CWnd::FromHandlePermanent(hwnd)))
            search->editors.push_back(editor);
    return TRUE;
}

std::vector<CEditActionDialog*> OpenEditors(HWND owner)
{
    EditorSearch search{owner, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectEditor, reinterpret_cast<LPARAM>(&search));
    return search.editors;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFileTypePropertiesDialog, CDialog)
    ON_BN_CLICKED(IDC_FT_BROWSE, OnBrowse)
    ON_CONTROL(EN_UPDATE, IDC_FT_ICONNUMBER, OnNumberUpdate)
    ON_CONTROL(EN_UPDATE, IDC_FT_ICONFILE, OnFileUpdate)
    ON_BN_CLICKED(IDC_FT_NEWACTION, OnNewAction)
    ON_BN_CLICKED(IDC_FT_EDITACTION, OnEditAction)
    ON_CONTROL(LBN_DBLCLK, IDC_FT_ACTIONS, OnEditAction)
    ON_BN_CLICKED(IDC_FT_REMOVEACTION, OnRemoveAction)
    ON_BN_CLICKED(IDC_FT_SETDEFAULT, OnSetDefault)
    ON_MESSAGE(WM_ACTIONEDITED, OnActionEdited)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFileTypePropertiesDialog::CFileTypePropertiesDialog(CWnd* pParent) : CDialog(IDD_FILETYPE_PROPERTIES, pParent) {}

CFileTypePropertiesDialog::~CFileTypePropertiesDialog()
{
    if (m_hDefaultIcon)
        ::DestroyIcon(m_hDefaultIcon);
}

void CFileTypePropertiesDialog::OnDestroy()
{
    // The preview's icon was extracted for it; the default icon goes with the object.
    HICON shown = m_staticIcon.m_hWnd ? m_staticIcon.SetIcon(nullptr) : nullptr;
    if (shown && shown != m_hDefaultIcon)
        ::DestroyIcon(shown);
    CDialog::OnDestroy();
}

void CFileTypePropertiesDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_buttonOK);
    DDX_Control(pDX, IDCANCEL, m_buttonCancel);
    DDX_Control(pDX, IDC_FT_EXTENSIONS, m_editExtensions);
    DDX_Control(pDX, IDC_FT_ACTIONS, m_listActions);
    DDX_Control(pDX, IDC_FT_ICON, m_staticIcon);
    DDX_Control(pDX, IDC_FT_DESCRIPTION, m_editDescription);
    DDX_Control(pDX, IDC_FT_ICONNUMBER, m_editIconNumber);
    DDX_Control(pDX, IDC_FT_SPIN, m_spin);
    DDX_Control(pDX, IDC_FT_ICONFILE, m_editIconFile);
    DDX_Text(pDX, IDC_FT_ICONFILE, m_strIconFile);
    DDX_Text(pDX, IDC_FT_ICONNUMBER, m_nIconNumber);
    DDX_Text(pDX, IDC_FT_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_FT_EXTENSIONS, m_strExtensions);
    DDX_Check(pDX, IDC_FT_QUICKVIEW, m_bQuickView);
    DDX_Check(pDX, IDC_FT_SHOWEXT, m_bAlwaysShowExt);
}

void CFileTypePropertiesDialog::PutValues()
{
    // Each edit filled sends its update before the next holds its value: no reading back
    // meanwhile.
    m_bControlsReady = false;
    UpdateData(FALSE);
    m_bControlsReady = true;
}

std::string CFileTypePropertiesDialog::TypeKey() const
{
    return TypeKeyOf(m_pTypeRecord);
}

BOOL CFileTypePropertiesDialog::OnInitDialog()
{
    m_bControlsReady = false;
    CDialog::OnInitDialog();
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_SETTINGSCHANGED, reinterpret_cast<WPARAM>(this), SCF_MODALDIALOG);
    if (m_pTypeRecord) {
        std::vector<std::string> extensions = SplitExtensions(Text(m_strExtensions));
        std::string first = ExtensionKey(extensions.empty() ? std::string() : extensions.front());
        std::string icon = static_cast<const char*>(GetFileTypeDefaultIcon(first.c_str()));
        SHFILEINFOA info = {};
        auto large = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA(
            LowerCase(first).c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX));
        TypeIconText split = icon.empty() ? TypeIconText{} : SplitTypeIcon(icon);
        if (!split.file.empty()) {
            m_editIconFile.SetWindowText(split.file.c_str());
            // A number that cannot be read shows as 0 rather than stop every later read.
            m_editIconNumber.SetWindowText(split.number.empty() ? "0" : split.number.c_str());
        } else if (large) {
            m_hDefaultIcon = ::ImageList_GetIcon(large, info.iIcon, ILD_NORMAL);
        }
        m_listActions.ResetContent();
        for (const ActionName& action : ReadActions(TheRegistry(), TypeKey())) {
            auto record = std::make_unique<ActionRecord>();
            record->displayName = action.displayName.c_str();
            record->keyName = action.keyName.c_str();
            int index = m_listActions.AddString(record->displayName);
            m_listActions.SetItemData(index, reinterpret_cast<DWORD_PTR>(record.get()));
            m_records.push_back(std::move(record));
        }
        UpdateData(TRUE);
        m_remembered.description = Text(m_strDescription);
        m_remembered.extensions = Text(m_strExtensions);
        m_remembered.iconFile = Text(m_strIconFile);
        m_remembered.iconNumber = m_nIconNumber;
        ReadFileTypeFlags(TheRegistry(), TypeKey(), m_remembered);
        m_bQuickView = m_remembered.quickView;
        m_bAlwaysShowExt = m_remembered.alwaysShowExt;
    }
    PutValues();
    UpdateIconPreview();
    // Opening changes nothing: a stored number beyond the file's icons, or of a file missing
    // here, is shown as stored, and a save leaves it so unless the user changes the icon.
    UpdateIconRange(true);
    SetWindowText("File Type Properties");
    CreateToolTipTexts(m_toolTip, *this,
                   {{IDC_FT_DESCRIPTION, "This is the file type's description, which will apper in Explorer under 'Type'"},
                    {IDC_FT_EXTENSIONS, "These are the extensions of the files associated with this type"},
                    {IDC_FT_ICONFILE, "This is the file where the file type gets its icon"},
                    {IDC_FT_ICONNUMBER, "This is the icon's index within its file"},
                    {IDC_FT_SHOWEXT, "Check to always show this file type's extension within Explorer"},
                    {IDC_FT_QUICKVIEW, "Check to allow Quick View to open this file type"},
                    {IDC_FT_ACTIONS, "This is a list of all the actions associated with this file type"},
                    {IDC_FT_SETDEFAULT, "Press to set the default action when file type is double-clicked in Explorer"},
                    {IDC_FT_REMOVEACTION, "Press to remove the selected action"},
                    {IDC_FT_EDITACTION, "Press to edit the select action"},
                    {IDC_FT_NEWACTION, "Press to create a new action"},
                    {IDCANCEL, "Press to cancel making changes"},
                    {IDOK, "Press to accept any changes"},
                    {IDC_FT_BROWSE, "Press to browse for a icon file"},
                    {IDC_FT_SPIN, "Click to raise or lower the icon number"}});
    return TRUE;
}

BOOL CFileTypePropertiesDialog::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CFileTypePropertiesDialog::UpdateIconPreview()
{
    if (!UpdateData(TRUE))
        return;
    HICON icon = m_hDefaultIcon;
    if (!m_strIconFile.IsEmpty())
        icon = ExtractFileIcon(m_strIconFile, m_nIconNumber);
    HICON old = m_staticIcon.SetIcon(icon);
    if (old && old != m_hDefaultIcon)
        ::DestroyIcon(old);
}

void CFileTypePropertiesDialog::UpdateIconRange(bool keepNumber)
{
    UpdateData(TRUE);
    CString file;
    m_editIconFile.GetWindowText(file);
    m_nIconCount = OfferIconNumbers(file, m_editIconNumber, m_spin, keepNumber);
}

void CFileTypePropertiesDialog::OnNumberUpdate()
{
    if (m_bControlsReady)
        UpdateIconPreview();
}

void CFileTypePropertiesDialog::OnFileUpdate()
{
    if (m_bControlsReady) {
        UpdateIconPreview();
        UpdateIconRange();
    }
}

void CFileTypePropertiesDialog::OnBrowse()
{
    CString title, current, answer;
    title.LoadString(IDS_BROWSE_FOR_ICON);
    m_editIconFile.GetWindowText(current);
    if (!BrowseForIconFile(answer, title, current, 122, this) || answer.IsEmpty())
        return;
    std::string text = Text(answer);
    size_t comma = text.rfind(',');
    m_editIconFile.SetWindowText(text.substr(0, comma).c_str());
    m_editIconNumber.SetWindowText(comma == std::string::npos ? "0" : text.substr(comma + 1).c_str());
    UpdateIconRange();
}

void CFileTypePropertiesDialog::DisableCancel()
{
    m_buttonCancel.EnableWindow(FALSE);
    m_buttonOK.SetWindowText("Close");
    m_bCancelDisabled = TRUE;
}

bool CFileTypePropertiesDialog::SaveFileType(bool closing)
{
    std::vector<CEditActionDialog*> editors = OpenEditors(m_hWnd);
    if (!editors.empty()) {
        AfxMessageBox("You are still editiing an action");
        editors.front()->SetForegroundWindow();
        return false;
    }
    if (!UpdateData(TRUE))
        return false;
    std::string iconFile = Text(m_strIconFile);
    TypeIconCheck iconCheck = CheckTypeIcon(iconFile, m_nIconNumber, m_nIconCount, m_remembered);
    if (iconCheck != TypeIconCheck::ok) {
        CString text;
        if (iconCheck == TypeIconCheck::noIcons)
            text.Format("There are no icons in %s", iconFile.c_str());
        else
            text.Format("There are only %lu icons in %s\nRemember: The icon number starts at 0",
                        static_cast<unsigned long>(m_nIconCount), iconFile.c_str());
        AfxMessageBox(text);
        return false;
    }
    if (m_strDescription.IsEmpty()) {
        AfxMessageBox("Please enter a description");
        GotoDlgCtrl(&m_editDescription);
        return false;
    }
    CleanExtensions clean = CleanExtensionsText(Text(m_strExtensions));
    if (clean.check != ExtensionsCheck::ok) {
        const char* message = kBadExtensionMessage;
        if (clean.check == ExtensionsCheck::empty)
            message = "Please enter one or more extensions to register with this file type";
        else if (clean.check == ExtensionsCheck::tooLong)
            message = kLongExtensionMessage;
        AfxMessageBox(message);
        GotoDlgCtrl(&m_editExtensions);
        return false;
    }
    std::string extensions = clean.text;

    // A new type, and the row that gathers extensions without a type, get a key of their own
    // so nothing lands on the class root; the record takes it only once the save is written.
    FileTypeTarget target = ChooseSaveTarget(TheRegistry(), TypeKey(), extensions, m_remembered);
    if (!EqualNoCase(extensions, target.remembered.extensions)) {
        int count = 0;
        std::string conflicts = ExtensionConflicts(extensions, Text(m_strOtherExtensions), &count);
        if (count > 0) {
            CString question;
            question.Format(count == 1 ? "The following file type is already registered as a different type:\n%s\n\n"
                                         "Do you want to re-register it as a %s?"
                                       : "The following file types are already registered as a different type:\n%s\n\n"
                                         "Do you want to re-register them as %ss?",
                            conflicts.c_str(), static_cast<const char*>(m_strDescription));
            if (AfxMessageBox(question, MB_YESNO) != IDYES) {
                GotoDlgCtrl(&m_editExtensions);
                return false;
            }
        }
    }
    FileTypeValues values{Text(m_strDescription), extensions, iconFile, m_nIconNumber, m_bQuickView != 0,
                          m_bAlwaysShowExt != 0};
    FileTypeSave save = PlanFileType(TheRegistry(), target.typeKey, values, target.remembered);
    PlanOutcome outcome = RunWritePlan(TheRegistry(), save.plan);
    if (!outcome.ok) {
        // Taken back whole: the type is as it was, and the dialog stays for another try.
        CString text;
        text.Format(kTypeNotWrittenMessage, outcome.refused.c_str());
        AfxMessageBox(text);
        return false;
    }
    if (save.changed)
        m_bChanged = TRUE;
    if (!m_pTypeRecord) {
        m_pTypeRecord = new SHFILEINFOA();
        m_bRecordOwned = TRUE;
    }
    if (target.newKey)
        std::strncpy(m_pTypeRecord->szDisplayName, target.typeKey.c_str(), sizeof m_pTypeRecord->szDisplayName - 1);
    // What is stored now: a later save writes only what changes after this one.
    m_remembered = values;
    m_strExtensions = extensions.c_str();
    PutValues();
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSHNOWAIT, nullptr, nullptr);
    if (closing) {
        CloseActionEditors();
        ReleaseRecords();
        EndDialog(IDOK);
    }
    return true;
}

void CFileTypePropertiesDialog::OnOK()
{
    SaveFileType(true);
}

void CFileTypePropertiesDialog::CloseActionEditors()
{
    for (CEditActionDialog* editor : OpenEditors(m_hWnd))
        editor->SendMessage(WM_CLOSE);
}

void CFileTypePropertiesDialog::EndForExit()
{
    CloseActionEditors();  // one still open would hold the save back
    if (!m_bCancelDisabled) {
        OnCancel();
        return;
    }
    // The actions are written already; the type's own values are saved when they can be, and
    // otherwise stay as stored: the exit does not wait for the user to mend a field.
    if (SaveFileType(true) || !m_hWnd)
        return;
    Dismiss();
}

void CFileTypePropertiesDialog::Dismiss()
{
    if (m_bRecordOwned) {
        delete m_pTypeRecord;
        m_pTypeRecord = nullptr;
        m_bRecordOwned = FALSE;
    }
    ReleaseRecords();
    EndDialog(IDCANCEL);
}

void CFileTypePropertiesDialog::ReleaseRecords()
{
    m_listActions.ResetContent();
    m_records.clear();
}

void CFileTypePropertiesDialog::OnCancel()
{
    // Once actions are written the type is too: leaving then is closing, so the page shows it.
    if (m_bCancelDisabled) {
        OnOK();
        return;
    }
    CloseActionEditors();
    Dismiss();
}

ActionRecord* CFileTypePropertiesDialog::SelectedAction() const
{
    int index = m_listActions.GetCurSel();
    return index < 0 ? nullptr : reinterpret_cast<ActionRecord*>(m_listActions.GetItemData(index));
}

void CFileTypePropertiesDialog::OnNewAction()
{
    if ((!m_pTypeRecord || TypeKey().empty()) && !SaveFileType(false))
        return;
    OpenActionEditor(true);
}

void CFileTypePropertiesDialog::OnEditAction()
{
    OpenActionEditor(false);
}

void CFileTypePropertiesDialog::OpenActionEditor(bool newAction)
{
    ActionRecord* record = nullptr;
    if (!newAction) {
        record = SelectedAction();
        if (!record) {
            AfxMessageBox("There is no action selected to edit");
            return;
        }
        if (record->editor) {
            record->editor->SetForegroundWindow();
            return;
        }
    }
    if (TypeKey().empty())
        return;  // an editor would write under the class root
    auto* editor = new CEditActionDialog;
    if (record) {
        editor->m_pRecord = record;
        record->editor = editor;
    }
    editor->m_strTypeKey = TypeKey().c_str();
    if (!editor->Create(IDD_EDIT_ACTION, this)) {
        if (record)
            record->editor = nullptr;
        delete editor;
        return;
    }
    DisableCancel();
}

void CFileTypePropertiesDialog::OnRemoveAction()
{
    ActionRecord* record = SelectedAction();
    if (!record) {
        AfxMessageBox("There is no action selected to remove");
        return;
    }
    if (record->editor) {
        if (AfxMessageBox("You are editing this item, are you sure you want to remove it?", MB_YESNO) != IDYES) {
            record->editor->SetForegroundWindow();
            return;
        }
        CEditActionDialog* editor = record->editor;
        record->editor = nullptr;
        editor->m_pRecord = nullptr;
        editor->DestroyWindow();
    } else if (AfxMessageBox("Are you sure you want to remove this action?", MB_YESNO) != IDYES) {
        return;
    }
    RemoveAction(TheRegistry(), TypeKey(), Text(record->keyName));
    m_listActions.DeleteString(m_listActions.GetCurSel());
    for (auto it = m_records.begin(); it != m_records.end(); ++it) {
        if (it->get() == record) {
            m_records.erase(it);
            break;
        }
    }
    DisableCancel();
}

void CFileTypePropertiesDialog::OnSetDefault()
{
    ActionRecord* record = SelectedAction();
    if (!record) {
        AfxMessageBox("There is no action selected to set as default");
        return;
    }
    SetDefaultAction(TheRegistry(), TypeKey(), Text(record->keyName));
}

LRESULT CFileTypePropertiesDialog::OnActionEdited(WPARAM wParam, LPARAM lParam)
{
    auto* record = reinterpret_cast<ActionRecord*>(wParam);
    if (!record)
        return 0;
    const char* previous = reinterpret_cast<const char*>(lParam);
    if (previous) {
        for (int index = 0; index < m_listActions.GetCount(); ++index) {
            CString text;
            m_listActions.GetText(index, text);
            if (text.CompareNoCase(previous) == 0) {
                if (!record->cancelled) {
                    m_listActions.DeleteString(index);
                    int added = m_listActions.AddString(record->displayName);
                    m_listActions.SetItemData(added, reinterpret_cast<DWORD_PTR>(record));
                }
                break;
            }
        }
    } else if (!record->cancelled) {
        // A new action: its record is now the dialog's.
        m_records.emplace_back(record);
        int added = m_listActions.AddString(record->displayName);
        m_listActions.SetItemData(added, reinterpret_cast<DWORD_PTR>(record));
    }
    record->cancelled = 0;
    record->editor = nullptr;
    return 0;
}
