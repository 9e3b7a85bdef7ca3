#include "MessageDialog.h"

#include "Application.h"
#include "Form.h"
#include "GlyphButton.h"
#include "Label.h"
#include "Screen.h"

#include <algorithm>
#include <vector>

namespace forms {
namespace {

// The kind's system icon, painted at the dialog's top left.
class IconView : public Control {
public:
    IconView(Component* owner, HICON icon) : Control(owner), icon_(icon) { clickOnMouseUp_ = false; }

protected:
    void Paint(HDC dc) override
    {
        if (icon_)
            DrawIcon(dc, 0, 0, icon_);
    }

private:
    HICON icon_;
};

class MessageForm : public Form {
public:
    MessageForm(const std::string& message, MsgDlgType type, unsigned buttons) : Form(nullptr)
    {
        SetBorderStyle(bsDialog);
        SetBorderIcons(biSystemMenu);
        SetPosition(poScreenCenter);
        SetCaption(type == mtCustom ? Application::Instance().Title() : MessageDlgCaption(type));

        LPCSTR iconId = nullptr;
        switch (type) {
        case mtWarning: iconId = IDI_EXCLAMATION; break;
        case mtError: iconId = IDI_HAND; break;
        case mtInformation: iconId = IDI_ASTERISK; break;
        case mtConfirmation: iconId = IDI_QUESTION; break;
        case mtCustom: break;
        }
        const int margin = 8, iconSize = 32, buttonW = 75, buttonH = 25, gap = 8;
        int textLeft = margin;
        if (iconId) {
            auto* icon = new IconView(this, LoadIconA(nullptr, iconId));
            icon->SetBounds(margin, margin, iconSize, iconSize);
            icon->SetParent(this);
            textLeft = margin + iconSize + 10;
        }
        auto* text = new Label(this);
        text->SetName("Message");
        text->SetParent(this);
        text->SetAutoSize(false);
        // Measure the text in the dialog font within two thirds of the screen width.
        RECT tr{0, 0, Screen::Instance().Width() * 2 / 3 - textLeft - margin, 0};
        {
            WindowDC screen(nullptr);
            SelectGuard g(screen.Get(), GetFont().Handle());
            DrawTextA(screen.Get(), message.c_str(), -1, &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        }
        text->SetShowAccelChar(false);
        text->SetWordWrap(true);
        text->SetBounds(textLeft, margin, tr.right + 2, tr.bottom);
        text->SetCaption(message);

        struct Spec { MsgDlgBtn btn; const char* caption; int result; };
        const Spec specs[] = {
            {mbYes, "&Yes", mrYes}, {mbNo, "&No", mrNo}, {mbOK, "OK", mrOk},
            {mbCancel, "Cancel", mrCancel}, {mbAbort, "&Abort", mrAbort},
            {mbRetry, "&Retry", mrRetry}, {mbIgnore, "&Ignore", mrIgnore}, {mbAll, "&All", mrAll}};
        MsgDlgBtn defBtn = (buttons & mbOK) ? mbOK : (buttons & mbYes) ? mbYes : mbRetry;
        MsgDlgBtn cancelBtn = (buttons & mbCancel) ? mbCancel : (buttons & mbNo) ? mbNo : mbOK;
        int count = 0;
        for (const Spec& s : specs)
            if (buttons & s.btn)
                ++count;
        int rowW = count * buttonW + (count - 1) * gap;
        int textBottom = std::max(margin + static_cast<int>(tr.bottom), iconId ? margin + iconSize : 0);
        int clientW = std::max(textLeft + static_cast<int>(tr.right) + margin, rowW + 2 * margin);
        int top = textBottom + 16;
        int x = (clientW - rowW) / 2;
        for (const Spec& s : specs) {
            if (!(buttons & s.btn))
                continue;
            auto* b = new GlyphButton(this);
            b->SetCaption(s.caption);
            b->SetModalResult(s.result);
            b->SetBounds(x, top, buttonW, buttonH);
            b->SetParent(this);
            if (s.btn == defBtn) {
                b->SetDefault(true);
                SetActiveControl(b);
            }
            if (s.btn == cancelBtn)
                b->SetCancel(true);
            x += buttonW + gap;
        }
        SetClientSize(clientW, top + buttonH + margin);
        EndLoading();
    }
};

} // namespace

const char* MessageDlgCaption(MsgDlgType type)
{
    switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirmation";
    case mtCustom: break;
    }
    return "";
}

int MessageDlg(const std::string& message, MsgDlgType type, unsigned buttons)
{
    Application::Instance().Initialize();
    auto* dlg = new MessageForm(message, type, buttons);
    int result = mrCancel;
    try {
        result = dlg->ShowModal();
    } catch (...) {
        dlg->Free();
        throw;
    }
    dlg->Free();
    return result;
}

} // namespace forms
