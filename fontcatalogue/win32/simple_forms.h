// The About box: the program's icon, name and version, closed with OK.
#pragma once

#include "Form.h"
#include "GlyphButton.h"

namespace glyphwell {

class TAboutBox : public forms::Form {
public:
    explicit TAboutBox(forms::Component* owner);
    forms::GlyphButton* OKButton;

protected:
    void Paint(HDC dc) override;
};

}  // namespace glyphwell
