// The installation wizard the setup program runs: page one asks for the destination folder,
// page two installs into it and, at Finish, starts the installed program.
#pragma once

#include "Installation.h"
#include "MachineInstallEnvironment.h"
#include "framework/CPropertySheet.h"
#include "framework/Controls.h"

#include <memory>

class CInstallPage : public CPropertyPage {
public:
    CInstallPage();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CString m_strFolder;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    CToolTipCtrl m_toolTip;
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

class CInstallPage2 : public CPropertyPage {
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
    BOOL PreTranslateMessage(MSG* pMsg) override;

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
    CToolTipCtrl m_toolTip;
};

// The wizard of a start as the setup program: modal, no parent; ends when it closes.
void RunInstallationWizard();
