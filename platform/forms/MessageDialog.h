// Modal message dialogs with a kind (its caption and icon) and any set of buttons, Abort and
// Retry among them. Returns the modal result of the button pressed (mrCancel when closed).
#pragma once

#include <string>

namespace forms {

enum MsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum MsgDlgBtn : unsigned {
    mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64,
    mbAll = 128
};

int MessageDlg(const std::string& message, MsgDlgType type, unsigned buttons);

// The caption a dialog of that kind carries ("Error", "Information", ...).
const char* MessageDlgCaption(MsgDlgType type);

} // namespace forms
