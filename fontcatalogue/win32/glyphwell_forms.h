// The program's windows, each created once at start-up and reached through its one global
// variable; they read the main window's font list and its selection directly.
#pragma once

#include <windows.h>

namespace glyphwell {

class TfGlyphwell;
class TfConfiguration;
class TAboutBox;
class TfCharSet;
class TfMagnify;
class TfCompare;
class TfWholeSet;
class TfQRAllFonts;
class TCustPreview;
class TfqrSingleFont;
class TfQRCharSet;
class TfqrCondensed;

extern TfGlyphwell* fGlyphwell;
extern TfConfiguration* fConfiguration;
extern TAboutBox* AboutBox;
extern TfCharSet* fCharSet;
extern TfMagnify* fMagnify;
extern TfCompare* fCompare;
extern TfWholeSet* fWholeSet;
extern TfQRAllFonts* fQRAllFonts;
extern TCustPreview* CustPreview;
extern TfqrSingleFont* fqrSingleFont;
extern TfQRCharSet* fQRCharSet;
extern TfqrCondensed* fqrCondensed;

// Creates every window in start-up order, the main window first.
void CreateGlyphwellForms();
// Frees them at exit, last created first (their destroy handlers store what they keep).
void FreeGlyphwellForms();

// The program's own icon (the system's application icon should the resource be missing).
HICON ProgramIcon();

// The font height of a point size on the screen.
int PointsToHeight(int points);
int HeightToPoints(int height);

}  // namespace glyphwell
