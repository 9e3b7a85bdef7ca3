// The About box: a modeless dialog made anew for each About command, and the last page of
// every property sheet.
#pragma once

#include "framework/CPropertySheet.h"
#include "framework/Controls.h"

class CAboutDialog : public CDialog {
public:
    CAboutDialog();
    virtual BOOL Create(CWnd* pParentWnd);
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    void OnBirthday();
    void OnHomePage();
    void OnDestroy();
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bModeless = FALSE;
};

class CAboutPage : public CPropertyPage {
public:
    CAboutPage();
    BOOL OnInitDialog() override;

protected:
    void OnBirthday();
    void OnHomePage();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CButton m_buttonOK;
};

// Shared by both forms.
bool IsBirthdayToday();
void ShowBirthdayButton(CWnd& dialog);
void RunBirthdaySong();
// Opens the maker's home page: the default browser when it is one of the three known ones,
// else each of them in turn, else (so that any browser will do) the address itself.
void OpenHomePage();
