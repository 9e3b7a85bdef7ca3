#include "win32/wholeset_form.h"

#include <algorithm>

#include "core/char_grids.h"
#include "win32/glyphwell_forms.h"
#include "win32/main_form.h"
#include "win32/preview_form.h"

namespace glyphwell {

using forms::Bind;

TfWholeSet::TfWholeSet(forms::Component* owner) : forms::Form(owner) {
    SetName("fWholeSet");
    SetCaption("Entire Character Set");
    SetFormStyle(forms::fsStayOnTop);
    SetPosition(forms::poScreenCenter);
    SetBounds(0, 0, 800, 575);
    SetIcon(ProgramIcon());
    FontComboBox1 = new TFontComboBox(this);
    FontComboBox1->SetName("FontComboBox1");
    FontComboBox1->SetBounds(8, 8, 161, 21);
    FontComboBox1->SetDropDownCount(16);
    FontComboBox1->SetParent(this);
    FontComboBox1->OnChange = Bind(this, &TfWholeSet::FontComboBox1Change);
    RG1 = new forms::RadioGroup(this);
    RG1->SetName("RG1");
    RG1->SetBounds(184, 0, 185, 36);
    RG1->SetColumns(2);
    RG1->SetItems({"Decimal", "Hex"});
    RG1->SetItemIndex(0);
    RG1->OnClick = Bind(this, &TfWholeSet::RG1Click);
    RG1->SetParent(this);
    sg1 = new forms::StringGrid(this);
    sg1->SetName("sg1");
    sg1->SetColCount(kWholeSetColumns);
    sg1->SetRowCount(kWholeSetRows);
    sg1->SetDefaultColWidth(kWholeSetCellWidth);
    sg1->SetDefaultRowHeight(kWholeSetCellHeight);
    sg1->SetFont(forms::Font("Courier New", PointsToHeight(10)));
    // The grid (cells, their lines and a 2-pixel frame) centred in the window's width.
    const int gridWidth = kWholeSetColumns * (kWholeSetCellWidth + 1) + 4;
    sg1->SetBounds(std::max(0, (ClientWidth() - gridWidth) / 2), 40, gridWidth,
                   kWholeSetRows * (kWholeSetCellHeight + 1) + 4);
    sg1->OnDrawCell = Bind(this, &TfWholeSet::sg1DrawCell);
    sg1->SetParent(this);
    FontComboBox1->SetFontName("Arial");
    OnShow = Bind(this, &TfWholeSet::FormShow);
    OnHide = Bind(this, &TfWholeSet::FormHide);
}

void TfWholeSet::FollowFont(const std::string& name) {
    const int index = FontComboBox1->IndexOf(name);
    if (index < 0) return;
    FontComboBox1->SetItemIndex(index);
    forms::Font font = sg1->GetFont();
    font.SetName(FontComboBox1->FontName());
    sg1->SetFont(font);
}

void TfWholeSet::FormShow(forms::Component*) { FollowFont(fGlyphwell->SelectedFontName()); }

// The preview stayed on top only to stay in front of this view.
void TfWholeSet::FormHide(forms::Component*) {
    if (CustPreview) CustPreview->KeepInFront();
}

void TfWholeSet::FontComboBox1Change(forms::Component*) {
    forms::Font font = sg1->GetFont();
    font.SetName(FontComboBox1->FontName());
    sg1->SetFont(font);
}

void TfWholeSet::RG1Click(forms::Component*) { sg1->Repaint(); }

void TfWholeSet::sg1DrawCell(forms::Component*, int col, int row, RECT rect, unsigned) {
    HDC dc = sg1->Canvas();
    const int code = WholeSetCellCode(col, row);
    SetBkMode(dc, TRANSPARENT);
    {
        forms::Font small("ms sans serif", PointsToHeight(8));
        forms::SelectGuard guard(dc, small.Handle());
        const COLORREF old = SetTextColor(dc, forms::ColorToRGB(forms::clSilver));
        const std::string number = WholeSetCodeText(code, RG1->ItemIndex() == 1);
        TextOutA(dc, rect.left + 2, rect.top, number.data(), static_cast<int>(number.size()));
        SetTextColor(dc, old);
    }
    forms::Font face(sg1->GetFont().Name(), PointsToHeight(12));
    forms::SelectGuard guard(dc, face.Handle());
    SIZE x{};
    GetTextExtentPoint32A(dc, "X", 1, &x);
    const std::string character = CharacterText(code);
    TextOutA(dc, rect.left + 24, CentredCharacterTop(rect.top, rect.bottom, x.cy), character.data(), 1);
}

}  // namespace glyphwell
