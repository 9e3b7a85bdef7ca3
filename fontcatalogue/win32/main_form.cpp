#include "win32/main_form.h"

#include <algorithm>

#include "Application.h"
#include "MessageDialog.h"
#include "Screen.h"
#include "core/font_set.h"
#include "core/window_bounds.h"
#include "reports/printer_device.h"
#include "reports/text_placement.h"
#include "win32/charset_form.h"
#include "win32/compare_form.h"
#include "win32/configuration_form.h"
#include "win32/font_enumeration.h"
#include "win32/glyphwell_forms.h"
#include "win32/magnify_form.h"
#include "win32/preview_form.h"
#include "win32/report_forms.h"
#include "win32/simple_forms.h"
#include "win32/wholeset_form.h"

namespace glyphwell {

using forms::Bind;

TfGlyphwell::TfGlyphwell(forms::Component* owner) : forms::Form(owner) {
    SetName("fGlyphwell");
    SetCaption("Glyphwell 32");
    SetBounds(2, 2, 218, 316);
    SetIcon(ProgramIcon());

    PopupMenu1 = new forms::PopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    AddItem(PopupMenu1->Items(), "CharacterSet3", "Open Character Set", &TfGlyphwell::CharacterSet1Click);
    AddItem(PopupMenu1->Items(), "CloseCharacterSet1", "Close Character Set", &TfGlyphwell::CloseCharacterSet1Click);
    AddItem(PopupMenu1->Items(), "WholeCharacterSet2", "Whole Character Set", &TfGlyphwell::WholeCharacterSet2Click);

    LB1 = new forms::ListBox(this);
    LB1->SetName("LB1");
    LB1->SetFont(forms::Font("Arial", PointsToHeight(12)));
    LB1->SetSorted(true);
    LB1->SetStyle(forms::lbOwnerDrawFixed);
    LB1->SetItemHeight(24);
    LB1->SetAlign(forms::alClient);
    LB1->SetPopupMenu(PopupMenu1);
    LB1->OnClick = Bind(this, &TfGlyphwell::LB1Click);
    LB1->OnDblClick = Bind(this, &TfGlyphwell::LB1DblClick);
    LB1->OnDrawItem = Bind(this, &TfGlyphwell::LB1DrawItem);
    LB1->SetParent(this);

    StatusBar1 = new forms::StatusBar(this);
    StatusBar1->SetName("StatusBar1");
    forms::StatusPanel panel;
    panel.width = 50;
    StatusBar1->AddPanel(panel);
    StatusBar1->SetAlign(forms::alBottom);
    StatusBar1->SetParent(this);

    MainMenu1 = new forms::MainMenu(this);
    MainMenu1->SetName("MainMenu1");
    forms::MenuItem* file = AddItem(MainMenu1->Items(), "File1", "&File", nullptr);
    AddItem(file, "CharacterSet1", "Open Character Set View", &TfGlyphwell::CharacterSet1Click);
    AddItem(file, "ResetCharacterSet1", "Reset Character Set View", &TfGlyphwell::ResetCharacterSet1Click);
    WholeCharacterSet1 = AddItem(file, "WholeCharacterSet1", "Entire Character Set", &TfGlyphwell::WholeCharacterSet2Click);
    AddItem(file, "CompareCharacterSets1", "Compare Screen/Printer Fonts", &TfGlyphwell::CompareCharacterSets1Click);
    AddItem(file, "N1", "-", nullptr);
    AddItem(file, "PrinterSetup1", "Printer Setup...", &TfGlyphwell::PrinterSetup1Click);
    forms::MenuItem* print = AddItem(file, "Print1", "Print", nullptr);
    AddItem(print, "SingleFontCharacterSet1", "Selected Font Detail", &TfGlyphwell::SingleFontCharacterSet1Click);
    AddItem(print, "CharacterSet2", "Selected Font Character Set", &TfGlyphwell::CharacterSet2Click);
    AddItem(print, "FontList1", "Installed Fonts", &TfGlyphwell::FontList1Click);
    AddItem(print, "InstalledFontsCondensed1", "Installed Fonts (Condensed)", &TfGlyphwell::InstalledFontsCondensed1Click);
    AddItem(file, "N2", "-", nullptr);
    AddItem(file, "SetString1", "Configure", &TfGlyphwell::SetString1Click);
    AddItem(file, "N3", "-", nullptr);
    AddItem(file, "Quit1", "Quit", &TfGlyphwell::Quit1Click);
    forms::MenuItem* tools = AddItem(MainMenu1->Items(), "Tools1", "&Tools", nullptr);
    AddItem(tools, "Calcu1", "Calculator", &TfGlyphwell::Calcu1Click);
    forms::MenuItem* help = AddItem(MainMenu1->Items(), "Help2", "&Help", nullptr);
    AddItem(help, "Help1", "Help", &TfGlyphwell::Help1Click);
    AddItem(help, "About2", "About", &TfGlyphwell::About2Click);

    OnCreate = Bind(this, &TfGlyphwell::FormCreate);
    OnShow = Bind(this, &TfGlyphwell::FormShow);
    OnClose = Bind(this, &TfGlyphwell::FormClose);
}

forms::MenuItem* TfGlyphwell::AddItem(forms::MenuItem* parent, const char* name, const char* caption,
                                      void (TfGlyphwell::*handler)(forms::Component*)) {
    auto* item = new forms::MenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    if (handler) item->OnClick = Bind(this, handler);
    parent->Add(item);
    return item;
}

std::string TfGlyphwell::ReadSetting(const std::string&, const std::string& name, const std::string& fallback) {
    return glyphwell::ReadSetting(*store_, name, fallback);
}

bool TfGlyphwell::WriteSetting(const std::string&, const std::string& name, const std::string& value) {
    return glyphwell::WriteSetting(*store_, name, value);
}

bool TfGlyphwell::WriteSettings(const std::vector<std::pair<SettingSpec, std::string>>& values) {
    std::string failed;
    for (const auto& [spec, value] : values)
        if (!WriteSetting(spec, value)) failed += std::string(failed.empty() ? "" : ", ") + spec.name;
    if (failed.empty()) return true;
    if (!(closing_ && failureReported_)) {
        failureReported_ = true;
        forms::MessageDlg("Glyphwell could not store its settings (" + failed + ") under HKEY_CURRENT_USER\\" +
                              kSettingsKey + ".",
                          forms::mtError, forms::mbOK);
    }
    return false;
}

int TfGlyphwell::ReadNumber(const SettingSpec& spec) { return ReadSettingNumber(*store_, spec); }

std::string TfGlyphwell::SelectedFontName() const {
    const int index = LB1->ItemIndex();
    if (index < 0 || index >= LB1->Count()) return {};
    return LB1->Items(index);
}

void TfGlyphwell::FormCreate(forms::Component*) {
    forms::Application::Instance().SetHelpFile("glyphwell.hlp");
    const WindowBounds stored{ReadNumber(setting::ScreenLeft), ReadNumber(setting::ScreenTop),
                              ReadNumber(setting::ScreenWidth), ReadNumber(setting::ScreenHeight)};
    const auto fallback = [](const SettingSpec& spec) { return SettingNumber(spec.fallback, "0"); };
    const WindowBounds defaults{fallback(setting::ScreenLeft), fallback(setting::ScreenTop),
                                fallback(setting::ScreenWidth), fallback(setting::ScreenHeight)};
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const WindowBounds placed = FitOnScreen(
        stored, WindowBounds{work.left, work.top, work.right - work.left, work.bottom - work.top}, defaults);
    SetBounds(placed.left, placed.top, placed.width, placed.height);
}

namespace {
// The list's item height for a font: its "X" and a pixel above and below.
int ItemHeightOf(const forms::Font& font) {
    forms::WindowDC dc(nullptr);
    forms::SelectGuard guard(dc.Get(), font.Handle());
    SIZE extent{};
    GetTextExtentPoint32A(dc.Get(), "X", 1, &extent);
    return static_cast<int>(extent.cy) + 2;
}
}  // namespace

// The list's font at a size whose item height fits the list box's limit.
void TfGlyphwell::ApplyListFontSize(int points) {
    forms::Font font = LB1->GetFont();
    const int size = FittingListFontSize(points, [&](int candidate) {
        font.SetHeight(PointsToHeight(candidate));
        return ItemHeightOf(font);
    });
    font.SetHeight(PointsToHeight(size));
    LB1->SetFont(font);
}

void TfGlyphwell::FormShow(forms::Component*) {
    if (!firstShow_) return;
    firstShow_ = false;
    if (forms::Screen::Instance().Width() < 800) {
        WholeCharacterSet1->SetVisible(false);
    }
    MainMenu1->AttachTo(this);
    Realign();  // the menu bar took room from the client area
    ApplyListFontSize(ReadNumber(setting::FontSize));
    SampleString = ReadSetting(setting::FontString);
    LB1->SetItemHeight(std::clamp(ReadNumber(setting::FontHeight), 1, kMaxItemHeight));
    LoadFontList();
}

void TfGlyphwell::LoadFontList() {
    const int set = ReadNumber(setting::FontSetForList);
    if (set == 0) {
        LB1->SetItems(ScreenFontNames());
        StatusBar1->SetPanelText(0, FontCountText(static_cast<size_t>(LB1->Count()), false));
    } else if (set == 1) {
        bool none = false;
        LB1->SetItems(PrinterFontNames(&none));
        printerMissing_ = none;
        // Without a printer the list stays empty and the status line says why.
        StatusBar1->SetPanelText(0, FontCountText(static_cast<size_t>(LB1->Count()), true));
    }
    if (LB1->Count() > 0) LB1->SetItemIndex(0);
}

void TfGlyphwell::LB1DrawItem(forms::Component*, int index, HDC dc, const RECT& rect, unsigned state) {
    const bool selected = (state & forms::odSelected) != 0;
    HBRUSH brush = CreateSolidBrush(selected ? GetSysColor(COLOR_HIGHLIGHT) : forms::ColorToRGB(LB1->GetColor()));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    if (index < 0 || index >= LB1->Count()) return;
    const std::string& name = LB1->Items(index);
    forms::Font face(name, LB1->GetFont().Height());
    forms::SelectGuard guard(dc, face.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : forms::ColorToRGB(LB1->GetFont().GetColor()));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    // A pixel of room above the name, as for the list's own font.
    const int baseline = reports::BaselineInBox(
        rect.top + 1, rect.bottom - rect.top - 1,
        reports::FontCell{metrics.tmHeight, metrics.tmAscent, metrics.tmDescent, metrics.tmInternalLeading});
    // Drawn as it is (an "&" in a name or in the sample is a character, not a prefix) and cut
    // at the row's edges, so that no face draws into its neighbours.
    const std::string line = name + " " + SampleString;
    const UINT align = SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    ExtTextOutA(dc, rect.left + 1, baseline, ETO_CLIPPED, &rect, line.data(), static_cast<UINT>(line.size()), nullptr);
    SetTextAlign(dc, align);
}

void TfGlyphwell::LB1Click(forms::Component*) {
    const std::string name = SelectedFontName();
    if (name.empty()) return;
    SetCaption(name);
    if (fCharSet->Visible()) fCharSet->FollowFont(name);
    if (fWholeSet->Visible()) fWholeSet->FollowFont(name);
}

void TfGlyphwell::LB1DblClick(forms::Component*) {
    const std::string name = SelectedFontName();
    if (name.empty()) return;
    fCharSet->SetCaption(name);
    fCharSet->Show();
}

void TfGlyphwell::CharacterSet1Click(forms::Component*) {
    if (SelectedFontName().empty()) return;
    fCharSet->Show();
}

void TfGlyphwell::ResetCharacterSet1Click(forms::Component*) {
    fCharSet->SetLeft(2);
    fCharSet->SetTop(2);
}

void TfGlyphwell::CloseCharacterSet1Click(forms::Component*) { fCharSet->Close(); }

void TfGlyphwell::WholeCharacterSet2Click(forms::Component*) { fWholeSet->Show(); }

void TfGlyphwell::CompareCharacterSets1Click(forms::Component*) { fCompare->ShowModal(); }

void TfGlyphwell::PrinterSetup1Click(forms::Component*) {
    bool none = false;
    reports::CurrentPrinter::Instance().Setup(WindowHandle(), &none);
    if (none) forms::MessageDlg("No printer is installed.", forms::mtInformation, forms::mbOK);
}

void TfGlyphwell::ShowReportPreview(reports::ReportPrinter& printer) { CustPreview->ShowPages(printer); }

namespace {
// Generates a report with the preview hook pointing at the preview window, then clears it.
void PreviewReport(TfGlyphwell* main, reports::Report& report) {
    report.onPreview = [main](reports::ReportPrinter& printer) { main->ShowReportPreview(printer); };
    report.Preview();
    report.onPreview = nullptr;
}
}  // namespace

void TfGlyphwell::SingleFontCharacterSet1Click(forms::Component*) {
    if (SelectedFontName().empty()) return;
    PreviewReport(this, fqrSingleFont->Report().qrSingleFont);
}

void TfGlyphwell::CharacterSet2Click(forms::Component*) {
    if (SelectedFontName().empty()) return;
    PreviewReport(this, fQRCharSet->Report().qrCharSet);
}

void TfGlyphwell::FontList1Click(forms::Component*) { PreviewReport(this, fQRAllFonts->Report().qrAllFonts); }

void TfGlyphwell::InstalledFontsCondensed1Click(forms::Component*) {
    PreviewReport(this, fqrCondensed->Report().qrCondensed);
}

void TfGlyphwell::SetString1Click(forms::Component*) {
    if (fConfiguration->ShowModal() != forms::mrOk) return;
    SampleString = fConfiguration->eString->Text();
    ApplyListFontSize(SettingNumber(fConfiguration->eSize->Text(), setting::FontSize.fallback));
    LB1->Repaint();
    LB1->SetItemHeight(ItemHeightOf(LB1->GetFont()));
    // What the list box took is what is stored.
    WriteSettings({{setting::FontHeight, std::to_string(SendMessageA(LB1->Handle(), LB_GETITEMHEIGHT, 0, 0))}});
    LoadFontList();
}

void TfGlyphwell::Quit1Click(forms::Component*) { Close(); }

void TfGlyphwell::Calcu1Click(forms::Component*) {
    // WinExec answers 31 or less when the program could not be started.
    if (WinExec("calc", SW_SHOWNORMAL) <= 31)
        forms::MessageDlg("Can not find Windows calculator", forms::mtError, forms::mbOK);
}

void TfGlyphwell::Help1Click(forms::Component*) { forms::Application::Instance().HelpContext(10); }

void TfGlyphwell::About2Click(forms::Component*) { AboutBox->ShowModal(); }

void TfGlyphwell::FormClose(forms::Component*, forms::CloseAction&) {
    closing_ = true;
    // The restored bounds, also when the window is minimised or maximised now. They are given
    // in work-area coordinates.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(Handle(), &placement);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r = placement.rcNormalPosition;
    OffsetRect(&r, work.left, work.top);
    WriteSettings({{setting::ScreenLeft, std::to_string(r.left)},
                   {setting::ScreenTop, std::to_string(r.top)},
                   {setting::ScreenWidth, std::to_string(r.right - r.left)},
                   {setting::ScreenHeight, std::to_string(r.bottom - r.top)}});
}

}  // namespace glyphwell
