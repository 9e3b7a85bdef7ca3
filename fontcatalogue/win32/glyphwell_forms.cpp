#include "win32/glyphwell_forms.h"

#include <windows.h>

#include "Application.h"
#include "win32/charset_form.h"
#include "win32/compare_form.h"
#include "win32/configuration_form.h"
#include "win32/magnify_form.h"
#include "win32/main_form.h"
#include "win32/preview_form.h"
#include "win32/report_forms.h"
#include "win32/simple_forms.h"
#include "win32/wholeset_form.h"

namespace glyphwell {

TfGlyphwell* fGlyphwell = nullptr;
TfConfiguration* fConfiguration = nullptr;
TAboutBox* AboutBox = nullptr;
TfCharSet* fCharSet = nullptr;
TfMagnify* fMagnify = nullptr;
TfCompare* fCompare = nullptr;
TfWholeSet* fWholeSet = nullptr;
TfQRAllFonts* fQRAllFonts = nullptr;
TCustPreview* CustPreview = nullptr;
TfqrSingleFont* fqrSingleFont = nullptr;
TfQRCharSet* fQRCharSet = nullptr;
TfqrCondensed* fqrCondensed = nullptr;

void CreateGlyphwellForms() {
    auto& app = forms::Application::Instance();
    app.CreateForm(fGlyphwell);
    app.CreateForm(fConfiguration);
    app.CreateForm(AboutBox);
    app.CreateForm(fCharSet);
    app.CreateForm(fMagnify);
    app.CreateForm(fCompare);
    app.CreateForm(fWholeSet);
    app.CreateForm(fQRAllFonts);
    app.CreateForm(CustPreview);
    app.CreateForm(fqrSingleFont);
    app.CreateForm(fQRCharSet);
    app.CreateForm(fqrCondensed);
}

namespace {
template <class T>
void FreeForm(T*& form) {
    if (form) form->Free();
    form = nullptr;
}
}  // namespace

void FreeGlyphwellForms() {
    FreeForm(fqrCondensed);
    FreeForm(fQRCharSet);
    FreeForm(fqrSingleFont);
    FreeForm(CustPreview);
    FreeForm(fQRAllFonts);
    FreeForm(fWholeSet);
    FreeForm(fCompare);
    FreeForm(fMagnify);
    FreeForm(fCharSet);
    FreeForm(AboutBox);
    FreeForm(fConfiguration);
    FreeForm(fGlyphwell);
}

HICON ProgramIcon() {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

int PointsToHeight(int points) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return height;
}

int HeightToPoints(int height) {
    HDC screen = GetDC(nullptr);
    const int points = MulDiv(height < 0 ? -height : height, 72, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return points;
}

}  // namespace glyphwell
