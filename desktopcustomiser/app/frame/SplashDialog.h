// The start-up window with its status line.
#pragma once

#include "framework/CDialog.h"

class CSplashDialog : public CDialog {
public:
    CSplashDialog();
    BOOL Create();
    // Shows the string of that id on the status line when the window exists.
    void SetStatus(UINT nStringID);
    void Close();
};
