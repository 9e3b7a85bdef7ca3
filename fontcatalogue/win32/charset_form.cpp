#include "win32/charset_form.h"

#include "Clipboard.h"
#include "MessageDialog.h"
#include "core/char_grids.h"
#include "core/rich_text.h"
#include "win32/glyphwell_forms.h"
#include "win32/magnify_form.h"
#include "win32/main_form.h"

namespace glyphwell {

using forms::Bind;

TfCharSet::TfCharSet(forms::Component* owner) : forms::Form(owner) {
    SetName("fCharSet");
    SetBorderStyle(forms::bsSingle);
    SetBorderIcons(forms::biSystemMenu);
    SetBounds(224, 2, 620, 165);
    SetIcon(ProgramIcon());
    sg1 = new forms::StringGrid(this);
    sg1->SetName("sg1");
    sg1->SetColCount(kCharSetColumns);
    sg1->SetRowCount(kCharSetRows);
    sg1->SetDefaultColWidth(kCharSetCellSize);
    sg1->SetDefaultRowHeight(kCharSetCellSize);
    sg1->SetFont(forms::Font("News Gothic MT", PointsToHeight(8)));
    sg1->SetAlign(forms::alClient);
    sg1->OnSelectCell = Bind(this, &TfCharSet::sg1SelectCell);
    sg1->OnMouseDown = Bind(this, &TfCharSet::sg1MouseDown);
    sg1->OnMouseUp = Bind(this, &TfCharSet::sg1MouseUp);
    sg1->SetParent(this);
    OnCreate = Bind(this, &TfCharSet::FormCreate);
    OnShow = Bind(this, &TfCharSet::FormShow);
    OnDestroy = Bind(this, &TfCharSet::FormDestroy);
}

void TfCharSet::FormCreate(forms::Component*) {
    for (int row = 0; row < kCharSetRows; ++row)
        for (int col = 0; col < kCharSetColumns; ++col) sg1->SetCells(col, row, CharacterText(CharSetCellCode(col, row)));
    SetLeft(fGlyphwell->ReadNumber(setting::CharSetLeft));
    SetTop(fGlyphwell->ReadNumber(setting::CharSetTop));
}

void TfCharSet::FollowFont(const std::string& name) {
    forms::Font font = sg1->GetFont();
    font.SetName(name);
    sg1->SetFont(font);
    SetCaption(name);
    fMagnify->SetFontName(name);
}

void TfCharSet::FormShow(forms::Component*) {
    const std::string name = fGlyphwell->SelectedFontName();
    if (!name.empty()) FollowFont(name);
}

void TfCharSet::sg1SelectCell(forms::Component*, int col, int row, bool&) {
    col_ = col;
    row_ = row;
}

void TfCharSet::sg1MouseDown(forms::Component*, forms::MouseButton button, unsigned, int x, int y) {
    if (button == forms::mbLeft) {
        const Point at = MagnifierPosition(Point{Left(), Top()}, Point{x, y}, fMagnify->Width(), fMagnify->Height());
        fMagnify->SetLeft(at.x);
        fMagnify->SetTop(at.y);
        fMagnify->Panel1->SetCaption(RecordedCellText());
        // The view keeps the activation, so its arrow keys still move the selection.
        fMagnify->ShowNoActivate();
    } else if (button == forms::mbRight) {
        const std::string text = RecordedCellText();
        const int points = HeightToPoints(fGlyphwell->LB1->GetFont().Height());
        const std::string rtf =
            CharacterRichText(sg1->GetFont().Name(), points, static_cast<unsigned char>(text.empty() ? 0 : text[0]));
        if (!forms::clipboard::SetRichText(rtf, text, WindowHandle()))
            forms::MessageDlg("The character could not be copied to the clipboard.", forms::mtError, forms::mbOK);
        else
            MessageBeep(0);
    }
}

void TfCharSet::sg1MouseUp(forms::Component*, forms::MouseButton, unsigned, int, int) { fMagnify->Close(); }

void TfCharSet::FormDestroy(forms::Component*) {
    fGlyphwell->WriteSettings({{setting::CharSetLeft, std::to_string(Left())}, {setting::CharSetTop, std::to_string(Top())}});
}

}  // namespace glyphwell
