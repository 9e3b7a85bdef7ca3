// TAboutForm, the about box: program name, version, author line, a link to the author's page,
// OK and "The Author", and a hidden sequence of double-clicks that ends in a joke.
#pragma once

#include "TMMLabel.h"
#include "core/AboutSequence.h"

#include <Form.h>
#include <GlyphButton.h>
#include <Image.h>
#include <Label.h>

namespace platterly {

class TAboutForm : public forms::Form {
public:
    explicit TAboutForm(forms::Component* owner);

    forms::Label* AppName;
    forms::Image* AppLogo;
    forms::Label* AboutVer;
    forms::Label* Label1;
    TMMLabel* MMLabel1;
    forms::GlyphButton* AOKButt;
    forms::GlyphButton* BitBtn2;

    void FormCreate(forms::Component* sender);
    void AppLogoDblClick(forms::Component* sender);
    void AppNameDblClick(forms::Component* sender);
    void AboutVerDblClick(forms::Component* sender);
    void Label1DblClick(forms::Component* sender);
    void BitBtn2Click(forms::Component* sender);
    void AOKButtClick(forms::Component* sender);
    void MMLabel1Click(forms::Component* sender);

    const AboutSequence& Sequence() const { return sequence_; }

private:
    AboutSequence sequence_;
};

extern TAboutForm* AboutForm;
// The author's page the link shows and opens.
extern const char kAuthorPage[];

} // namespace platterly
