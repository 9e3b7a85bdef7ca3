#include "AboutForm.h"

#include "Glyphs.h"
#include "PlatterlyForm.h"

#include <Application.h>
#include <MessageDialog.h>
#include <Screen.h>

#include <shellapi.h>

namespace platterly {

TAboutForm* AboutForm = nullptr;
const char kAuthorPage[] = "http://www.platterly.example/";

namespace {
forms::Font MakeFont(const char* name, int height, unsigned style)
{
    return forms::Font(name, height, style, forms::clBlack);
}
} // namespace

TAboutForm::TAboutForm(forms::Component* owner) : Form(owner)
{
    using namespace forms;
    SetName("AboutForm");
    SetBorderStyle(bsDialog);
    SetBorderIcons(0);
    SetClientSize(347, 131);
    SetFont(forms::Font("MS Sans Serif", -11));
    OnCreate = Bind(this, &TAboutForm::FormCreate);

    AppName = new Label(this);
    AppName->SetName("AppName");
    AppName->SetParent(this);
    AppName->SetAutoSize(false);
    AppName->SetBounds(72, 16, 209, 36);
    AppName->SetFont(MakeFont("Arial", -32, fsBold | fsItalic));
    AppName->SetCaption("Platterly");
    AppName->OnDblClick = Bind(this, &TAboutForm::AppNameDblClick);

    AppLogo = new Image(this);
    AppLogo->SetName("AppLogo");
    AppLogo->SetParent(this);
    AppLogo->SetBounds(24, 14, 33, 33);
    AppLogo->SetBitmap(MakeLogo(33));
    AppLogo->OnDblClick = Bind(this, &TAboutForm::AppLogoDblClick);

    AboutVer = new Label(this);
    AboutVer->SetName("AboutVer");
    AboutVer->SetParent(this);
    AboutVer->SetAutoSize(false);
    AboutVer->SetBounds(240, 48, 74, 18);
    AboutVer->SetFont(MakeFont("Arial", -15, fsBold));
    AboutVer->SetCaption("V0.00 Beta");
    AboutVer->OnDblClick = Bind(this, &TAboutForm::AboutVerDblClick);

    Label1 = new Label(this);
    Label1->SetName("Label1");
    Label1->SetParent(this);
    Label1->SetAutoSize(false);
    Label1->SetBounds(112, 66, 170, 16);
    Label1->SetFont(MakeFont("Arial", -13, fsBold | fsItalic));
    Label1->SetCaption("By the Platterly author");
    Label1->OnDblClick = Bind(this, &TAboutForm::Label1DblClick);

    MMLabel1 = new TMMLabel(this);
    MMLabel1->SetName("MMLabel1");
    MMLabel1->SetParent(this);
    MMLabel1->SetAutoSize(false);
    MMLabel1->SetBounds(113, 82, 168, 13);
    forms::Font link = GetFont();
    link.SetColor(clBlue);
    link.SetStyle(fsUnderline);
    MMLabel1->SetFont(link);
    MMLabel1->SetTransparent(true);
    MMLabel1->SetCaption(kAuthorPage);
    MMLabel1->OnClick = Bind(this, &TAboutForm::MMLabel1Click);

    AOKButt = new GlyphButton(this);
    AOKButt->SetName("AOKButt");
    AOKButt->SetParent(this);
    AOKButt->SetBounds(256, 104, 89, 25);
    AOKButt->SetCaption("OK");
    AOKButt->SetDefault(true);
    AOKButt->SetModalResult(mrOk);
    AOKButt->SetGlyph(MakeGlyph(GlyphKind::Ok), 2);
    AOKButt->OnClick = Bind(this, &TAboutForm::AOKButtClick);

    BitBtn2 = new GlyphButton(this);
    BitBtn2->SetName("BitBtn2");
    BitBtn2->SetParent(this);
    BitBtn2->SetBounds(152, 104, 91, 25);
    BitBtn2->SetCaption("The Author");
    BitBtn2->SetGlyph(MakeGlyph(GlyphKind::Author), 2);
    BitBtn2->OnClick = Bind(this, &TAboutForm::BitBtn2Click);
    SetActiveControl(AOKButt);
}

void TAboutForm::FormCreate(forms::Component*)
{
    SetCaption("About Platterly");
    SetBounds((forms::Screen::Instance().Width() - Width()) / 2, (forms::Screen::Instance().Height() - Height()) / 2,
              Width(), Height());
    AboutVer->SetCaption("V1.00");
    sequence_ = AboutSequence();
}

void TAboutForm::AppLogoDblClick(forms::Component*) { sequence_.Advance(AboutSequence::Logo); }
void TAboutForm::AppNameDblClick(forms::Component*) { sequence_.Advance(AboutSequence::Name); }
void TAboutForm::AboutVerDblClick(forms::Component*) { sequence_.Advance(AboutSequence::Version); }
void TAboutForm::Label1DblClick(forms::Component*) { sequence_.Advance(AboutSequence::Author); }

void TAboutForm::BitBtn2Click(forms::Component*)
{
    if (sequence_.Advance(AboutSequence::AuthorButton))
        AOKButt->SetCaption("OK Go On");
    forms::Application::Instance().HelpContext(20);
}

void TAboutForm::AOKButtClick(forms::Component*)
{
    SetModalResult(forms::mrOk);
    Hide();
    if (sequence_.Complete()) {
        AOKButt->SetCaption("OK");
        forms::MessageDlg("Wow a Backdoor!!! Eheh nothing more!!! It is a nice joke, isn't it?",
                          forms::mtInformation, forms::mbOK);
    }
    if (Platterlyform) {
        Platterlyform->Show();
        SetForegroundWindow(Platterlyform->Handle());
    }
}

void TAboutForm::MMLabel1Click(forms::Component*)
{
    HINSTANCE r = ShellExecuteA(Handle(), nullptr, "netscape", kAuthorPage, nullptr, SW_SHOWNORMAL);
    // Without that browser the address goes to whatever opens web pages here.
    if (reinterpret_cast<INT_PTR>(r) <= 32)
        ShellExecuteA(Handle(), "open", kAuthorPage, nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace platterly
