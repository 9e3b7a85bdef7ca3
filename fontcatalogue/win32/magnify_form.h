// The borderless magnifier: one character, large, in a white square over a grey shadow.
#pragma once

#include "Form.h"
#include "Shape.h"

namespace glyphwell {

// A white, single-bordered square showing its caption centred, drawn as it is (no prefixes).
class CharacterPanel : public forms::Control {
public:
    explicit CharacterPanel(forms::Component* owner);

protected:
    void Paint(HDC dc) override;
};

class TfMagnify : public forms::Form {
public:
    explicit TfMagnify(forms::Component* owner);
    forms::Shape* Shape1;
    CharacterPanel* Panel1;
    void FormCreate(forms::Component* sender);
    // The magnified character's font follows the selection.
    void SetFontName(const std::string& name);
};

}  // namespace glyphwell
