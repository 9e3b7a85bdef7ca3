#include "FileTypesPage.h"

#include "SharedDialogs.h"
#include "Win32RegistryStore.h"
#include "framework/Afx.h"
#include "resource.h"

#include <shlobj.h>

BEGIN_MESSAGE_MAP(CEditActionDialog, CDialog)
    ON_BN_CLICKED(IDC_ACTION_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_ACTION_USEDDE, UpdateDdeControls)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CEditActionDialog::CEditActionDialog() : CDialog(IDD_EDIT_ACTION) {}

CEditActionDialog::~CEditActionDialog() = default;

void CEditActionDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ACTION_NAME, m_editName);
    DDX_Control(pDX, IDC_ACTION_USEDDE, m_buttonUseDde);
    DDX_Control(pDX, IDC_ACTION_TOPIC, m_editTopic);
    DDX_Control(pDX, IDC_ACTION_DDEMESSAGE, m_editDdeMessage);
    DDX_Control(pDX, IDC_ACTION_IFEXEC, m_editIfExec);
    DDX_Control(pDX, IDC_ACTION_APPLICATION, m_editApplication);
    DDX_Text(pDX, IDC_ACTION_NAME, m_strName);
    DDX_Text(pDX, IDC_ACTION_PROGRAM, m_strProgram);
    DDX_Text(pDX, IDC_ACTION_APPLICATION, m_strApplication);
    DDX_Text(pDX, IDC_ACTION_IFEXEC, m_strIfExec);
    DDX_Text(pDX, IDC_ACTION_DDEMESSAGE, m_strDdeMessage);
    DDX_Text(pDX, IDC_ACTION_TOPIC, m_strTopic);
    DDX_Check(pDX, IDC_ACTION_USEDDE, m_bUseDde);
}

BOOL CEditActionDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_pRecord) {
        m_pNewRecord = std::make_unique<ActionRecord>();
        m_pRecord = m_pNewRecord.get();
    } else {
        m_read = ReadAction(TheRegistry(), static_cast<const char*>(m_strTypeKey),
                            static_cast<const char*>(m_pRecord->keyName));
        m_read.displayName = static_cast<const char*>(m_pRecord->displayName);
        m_strName = m_pRecord->displayName;
        m_strPreviousName = m_pRecord->displayName;
        m_strProgram = m_read.program.c_str();
        m_strDdeMessage = m_read.ddeMessage.c_str();
        m_strApplication = m_read.application.c_str();
        m_strIfExec = m_read.ifExec.c_str();
        m_strTopic = m_read.topic.c_str();
        m_bUseDde = m_read.useDde ? 1 : 0;
    }
    UpdateData(FALSE);
    CreateToolTipTexts(m_toolTip, *this,
                   {{IDC_ACTION_NAME, "This is the action's name"},
                    {IDC_ACTION_PROGRAM, "This is the command line which will be executed when this action is selected "
                                         "from Explorer"},
                    {IDC_ACTION_USEDDE, "Check to enable DDE"},
                    {IDC_ACTION_DDEMESSAGE, "This is the DDE message to be sent to the application"},
                    {IDC_ACTION_APPLICATION, "This is the application the DDE message will be sent to"},
                    {IDC_ACTION_IFEXEC, "This is the DDE message sent when the application is not running"},
                    {IDC_ACTION_TOPIC, "This is the DDE topic"},
                    {IDOK, "Press to accept any changes"},
                    {IDCANCEL, "Press to discard any changes"},
                    {IDC_ACTION_BROWSE, "Press to browse for a program"}});
    UpdateDdeControls();
    // Over the properties dialog, one title bar down and to the right of its corner, as a
    // cascade: its caption and its buttons stay in sight instead of being covered whole.
    if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER)) {
        RECT under;
        ::GetWindowRect(owner, &under);
        int step = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFIXEDFRAME);
        SetWindowPos(nullptr, under.left + step, under.top + step, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

BOOL CEditActionDialog::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CEditActionDialog::UpdateDdeControls()
{
    BOOL enable = m_buttonUseDde.GetCheck() == BST_CHECKED;
    for (CEdit* edit : {&m_editDdeMessage, &m_editApplication, &m_editIfExec, &m_editTopic})
        edit->EnableWindow(enable);
}

void CEditActionDialog::OnBrowse()
{
    UpdateData(TRUE);
    CString chosen;
    const char* initial = m_strProgram.IsEmpty() ? "C:\\" : static_cast<const char*>(m_strProgram);
    if (!BrowseForFile(chosen, "Browse For Program", initial, 129, this) || chosen.IsEmpty())
        return;
    m_strProgram = "\"";
    m_strProgram += chosen;
    m_strProgram += "\"";
    UpdateData(FALSE);
}

void CEditActionDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    std::string typeKey = static_cast<const char*>(m_strTypeKey);
    ActionName previous{static_cast<const char*>(m_strPreviousName), static_cast<const char*>(m_pRecord->keyName)};
    switch (CheckActionName(TheRegistry(), typeKey, previous, static_cast<const char*>(m_strName))) {
    case ActionNameCheck::ok:
        break;
    case ActionNameCheck::empty:
        AfxMessageBox("Please give this action a name");
        GotoDlgCtrl(&m_editName);
        return;
    case ActionNameCheck::badCharacter:
        AfxMessageBox(kBadActionNameMessage);
        GotoDlgCtrl(&m_editName);
        return;
    case ActionNameCheck::tooLong:
        AfxMessageBox(kLongActionNameMessage);
        GotoDlgCtrl(&m_editName);
        return;
    case ActionNameCheck::duplicate:
        AfxMessageBox("An action of this name already exists.\nPlease give it a different name");
        GotoDlgCtrl(&m_editName);
        return;
    }
    ActionValues values = m_read;
    values.displayName = static_cast<const char*>(m_strName);
    values.program = static_cast<const char*>(m_strProgram);
    values.useDde = m_bUseDde != 0;
    values.ddeMessage = static_cast<const char*>(m_strDdeMessage);
    values.application = static_cast<const char*>(m_strApplication);
    values.ifExec = static_cast<const char*>(m_strIfExec);
    values.topic = static_cast<const char*>(m_strTopic);
    ActionSave save = PlanAction(TheRegistry(), typeKey, previous, m_read, values);
    PlanOutcome outcome = RunWritePlan(TheRegistry(), save.plan);
    if (!outcome.ok) {
        // Taken back whole: the action stays as it was, in the registry and in the list; the
        // user may try again.
        CString text;
        text.Format(kActionNotWrittenMessage, outcome.refused.c_str());
        AfxMessageBox(text);
        GotoDlgCtrl(&m_editName);
        return;
    }
    m_pRecord->displayName = save.names.displayName.c_str();
    m_pRecord->keyName = save.names.keyName.c_str();
    m_pRecord->cancelled = 0;
    m_pNewRecord.release();  // the properties dialog takes it with the message
    if (m_pParentWnd)
        m_pParentWnd->SendMessage(WM_ACTIONEDITED, reinterpret_cast<WPARAM>(m_pRecord),
                                  m_strPreviousName.IsEmpty() ? 0 : reinterpret_cast<LPARAM>(m_strPreviousName.c_str()));
    if (!save.plan.empty())
        ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSHNOWAIT, nullptr, nullptr);
    DestroyWindow();
}

void CEditActionDialog::OnCancel()
{
    if (!m_strPreviousName.IsEmpty()) {
        m_pRecord->cancelled = 1;
        if (m_pParentWnd)
            m_pParentWnd->SendMessage(WM_ACTIONEDITED, reinterpret_cast<WPARAM>(m_pRecord),
                                      reinterpret_cast<LPARAM>(m_strPreviousName.c_str()));
    } else {
        m_pNewRecord.reset();
        m_pRecord = nullptr;
        if (m_pParentWnd)
            m_pParentWnd->SendMessage(WM_ACTIONEDITED, 0, 0);
    }
    DestroyWindow();
}

void CEditActionDialog::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    delete this;
}
