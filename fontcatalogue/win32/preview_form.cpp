#include "win32/preview_form.h"

#include <algorithm>

#include "Application.h"
#include "MessageDialog.h"
#include "win32/glyphwell_forms.h"
#include "reports/printer_device.h"

namespace glyphwell {

using forms::Bind;

TCustPreview::TCustPreview(forms::Component* owner) : forms::Form(owner) {
    SetName("CustPreview");
    SetCaption("Glyphwell Report Preview");
    SetPosition(forms::poScreenCenter);
    SetBounds(0, 0, 379, 477);
    SetIcon(ProgramIcon());

    Panel1 = new forms::Panel(this);
    Panel1->SetName("Panel1");
    Panel1->SetHeight(33);
    Panel1->SetAlign(forms::alTop);
    Panel1->SetParent(this);
    SpeedButton1 = AddButton("SpeedButton1", "Exit", "Exit", 4, &TCustPreview::SpeedButton1Click);
    SpeedButton2 = AddButton("SpeedButton2", "|<", "First Page", 36, &TCustPreview::FirstPage1Click);
    SpeedButton3 = AddButton("SpeedButton3", "<", "Previous Page", 61, &TCustPreview::PreviousPage1Click);
    SpeedButton4 = AddButton("SpeedButton4", ">", "Next Page", 86, &TCustPreview::NextPage1Click);
    SpeedButton5 = AddButton("SpeedButton5", ">|", "Last Page", 111, &TCustPreview::LastPage1Click);
    SpeedButton6 = AddButton("SpeedButton6", "Print", "Print", 143, &TCustPreview::Print1Click);
    SpeedButton7 = AddButton("SpeedButton7", "+", "", 175, &TCustPreview::SpeedButton7Click);
    SpeedButton8 = AddButton("SpeedButton8", "-", "", 200, &TCustPreview::SpeedButton8Click);

    QRPreview1 = new reports::PreviewControl(this);
    QRPreview1->SetName("QRPreview1");
    QRPreview1->SetAlign(forms::alClient);
    QRPreview1->SetParent(this);

    MainMenu1 = new forms::MainMenu(this);
    auto* file = AddItem(MainMenu1->Items(), "File1", "&File", 0, nullptr);
    AddItem(file, "PrinterSetup1", "Printer &Setup", 0, &TCustPreview::PrinterSetup1Click);
    AddItem(file, "Print1", "&Print", 0, &TCustPreview::Print1Click);
    AddItem(file, "N1", "-", 0, nullptr);
    AddItem(file, "Exit1", "E&xit", forms::MakeShortCut(VK_F4, forms::scCtrl), &TCustPreview::SpeedButton1Click);
    auto* view = AddItem(MainMenu1->Items(), "View1", "&View", 0, nullptr);
    AddItem(view, "FirstPage1", "&First Page", forms::MakeShortCut('F', forms::scCtrl), &TCustPreview::FirstPage1Click);
    AddItem(view, "NextPage1", "&Next Page", forms::MakeShortCut('N', forms::scCtrl), &TCustPreview::NextPage1Click);
    AddItem(view, "PreviousPage1", "&Previous Page", forms::MakeShortCut('P', forms::scCtrl),
            &TCustPreview::PreviousPage1Click);
    AddItem(view, "LastPage1", "&Last Page", forms::MakeShortCut('L', forms::scCtrl), &TCustPreview::LastPage1Click);
    auto* zoom = AddItem(MainMenu1->Items(), "Zoom1", "&Zoom", 0, nullptr);
    AddItem(zoom, "N501", "&50", 0, &TCustPreview::N501Click);
    AddItem(zoom, "N1001", "&100", 0, &TCustPreview::N1001Click);
    AddItem(zoom, "N2001", "&200", 0, &TCustPreview::N2001Click);
    AddItem(zoom, "N4001", "&400", 0, &TCustPreview::N4001Click);
    AddItem(zoom, "FitWidth1", "Fit &Width", forms::MakeShortCut('H', forms::scCtrl), &TCustPreview::FitWidth1Click);
    AddItem(zoom, "FitHeight1", "Fit &Height", forms::MakeShortCut('W', forms::scCtrl), &TCustPreview::FitHeight1Click);
    MainMenu1->AttachTo(this);
}

forms::GlyphButton* TCustPreview::AddButton(const char* name, const char* caption, const char* hint, int left,
                                            void (TCustPreview::*handler)(forms::Component*)) {
    auto* button = new forms::GlyphButton(this);
    button->SetName(name);
    button->SetCaption(caption);
    button->SetHint(hint);
    button->SetShowHint(hint[0] != '\0');
    button->SetBounds(left, 4, std::string(caption).size() > 2 ? 32 : 25, 25);
    if (std::string(caption).size() > 2) button->SetFont(forms::Font("MS Sans Serif", -9));
    button->OnClick = Bind(this, handler);
    button->SetTabStop(false);  // a tool button: clicked, never tabbed to
    button->SetParent(Panel1);
    return button;
}

forms::MenuItem* TCustPreview::AddItem(forms::MenuItem* parent, const char* name, const char* caption,
                                       forms::ShortCut key, void (TCustPreview::*handler)(forms::Component*)) {
    auto* item = new forms::MenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetShortCut(key);
    if (handler) item->OnClick = Bind(this, handler);
    parent->Add(item);
    return item;
}

void TCustPreview::ShowPages(const reports::ReportPrinter& printer) {
    pages_ = printer;
    nav_.SetPageCount(pages_.PageCount());
    QRPreview1->SetPrinter(&pages_);
    ShowZoom();
    ShowPage();
    Show();
    KeepInFront();
    // Shown again with new pages, it comes in front of the program's windows once more.
    SetWindowPos(Handle(), GetFormStyle() == forms::fsStayOnTop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A preview the user just asked for is in front of the program's other windows, the stay-on-top
// whole-set view too: while such a view shows, the preview stays on top as well. The style
// changes only while the window shows (a hidden one would have to be made anew).
void TCustPreview::KeepInFront() {
    if (!Visible()) return;
    const auto& forms = forms::Application::Instance().Forms();
    const bool topMostShows = std::any_of(forms.begin(), forms.end(), [this](forms::Form* f) {
        return f != this && f->GetFormStyle() == forms::fsStayOnTop && f->Visible() && !f->Modal();
    });
    SetFormStyle(topMostShows ? forms::fsStayOnTop : forms::fsNormal);
}

void TCustPreview::ShowPage() { QRPreview1->SetPageNumber(nav_.Page()); }
void TCustPreview::ShowZoom() { QRPreview1->SetZoom(nav_.Zoom()); }

void TCustPreview::SpeedButton1Click(forms::Component*) { Close(); }

void TCustPreview::FirstPage1Click(forms::Component*) {
    if (!nav_.First()) beep();
    ShowPage();
}

void TCustPreview::PreviousPage1Click(forms::Component*) {
    if (!nav_.Previous()) beep();
    ShowPage();
}

void TCustPreview::NextPage1Click(forms::Component*) {
    if (!nav_.Next()) beep();
    ShowPage();
}

void TCustPreview::LastPage1Click(forms::Component*) {
    if (!nav_.Last()) beep();
    ShowPage();
}

void TCustPreview::N501Click(forms::Component*) { nav_.SetZoom(50); ShowZoom(); }
void TCustPreview::N1001Click(forms::Component*) { nav_.SetZoom(100); ShowZoom(); }
void TCustPreview::N2001Click(forms::Component*) { nav_.SetZoom(200); ShowZoom(); }
void TCustPreview::N4001Click(forms::Component*) { nav_.SetZoom(400); ShowZoom(); }

// A new zoom may bring a scroll bar that takes room from the fitted extent: fit once more then.
void TCustPreview::FitWidth1Click(forms::Component*) {
    for (int pass = 0; pass < 2; ++pass) {
        nav_.SetZoom(FitZoom(QRPreview1->AvailableWidth(), QRPreview1->PageWidthAt100()));
        ShowZoom();
    }
}

void TCustPreview::FitHeight1Click(forms::Component*) {
    for (int pass = 0; pass < 2; ++pass) {
        nav_.SetZoom(FitZoom(QRPreview1->AvailableHeight(), QRPreview1->PageHeightAt100()));
        ShowZoom();
    }
}

void TCustPreview::SpeedButton7Click(forms::Component*) { nav_.ZoomIn(); ShowZoom(); }
void TCustPreview::SpeedButton8Click(forms::Component*) { nav_.ZoomOut(); ShowZoom(); }

void TCustPreview::PrinterSetup1Click(forms::Component*) {
    bool none = false;
    reports::CurrentPrinter::Instance().Setup(WindowHandle(), &none);
    if (none && !quietPrinting) forms::MessageDlg("No printer is installed.", forms::mtInformation, forms::mbOK);
}

void TCustPreview::Print1Click(forms::Component*) {
    reports::GdiPrintTarget target;
    lastStatus_ = pages_.Print(target);
    if (quietPrinting) return;
    if (lastStatus_ == reports::PrintStatus::NoPrinter)
        forms::MessageDlg(reports::PrintStatusText(lastStatus_), forms::mtInformation, forms::mbOK);
    else if (lastStatus_ == reports::PrintStatus::Failed)
        forms::MessageDlg(reports::PrintStatusText(lastStatus_), forms::mtError, forms::mbOK);
}

}  // namespace glyphwell
