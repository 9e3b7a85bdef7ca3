// The installation wizard the setup program runs: page one asks for the destination folder,
// page two installs into it and, at Finish, starts the installed program.
#pragma once

#include "Installation.h"
#include "MachineInstallEnvironment.h"
#include "framework/CPropertySheet.h"
#include "framework/Controls.h"

#include <initializer_list>
#include <memory>
#include <utility>

// What both pages share: their tooltips and the wizard buttons they set.
class CInstallWizardPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;
    ~CInstallWizardPage() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Shows the picture as large as its frame allows, keeping its shape: the control alone
    // would shrink to the picture's own size.
    void FitPicture();
    // One tooltip control for the page, the controls registered with their texts.
    void CreateToolTips(std::initializer_list<std::pair<int, const char*>> tips);
    void SetButtons(DWORD buttons);

    CToolTipCtrl m_toolTip;

private:
    HBITMAP m_hPicture = nullptr;  // the picture drawn at its frame's size
};

class CInstallPage : public CInstallWizardPage {
public:
    CInstallPage();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;

    CString m_strFolder;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBrowse();
    DECLARE_MESSAGE_MAP()
};

class CInstallPage2;

// The machine, with the page's progress list, prompt and message boxes.
class WizardInstallEnvironment : public MachineInstallEnvironment {
public:
    WizardInstallEnvironment();

    void ClearProgress() override;
    void AddProgress(const CString& line) override;
    void SetPrompt(const CString& text) override;
    void Repaint() override;
    void ShowMessage(const CString& text) override;

    CInstallPage2* m_pPage = nullptr;

protected:
    HWND OwnerWindow() override;
};

class CInstallPage2 : public CInstallWizardPage {
public:
    CInstallPage2();
    // In-process tests hand in an environment of their own.
    explicit CInstallPage2(std::unique_ptr<WizardInstallEnvironment> environment);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;

    BOOL RunInstallation();
    void AddProgressLine(const char* line);
    void CreateProgramGroup(const CString& folder) { m_installation.CreateProgramGroup(folder); }
    void RemoveRegistryEntries() { m_installation.RemoveRegistryEntries(); }

    CStatic m_staticPrompt;
    CListBox m_listProgress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::unique_ptr<WizardInstallEnvironment> m_environment;
    Installation m_installation;  // the folder, the program path and the run's result
};

// The wizard of a start as the setup program: modal, no parent; ends when it closes.
void RunInstallationWizard();
