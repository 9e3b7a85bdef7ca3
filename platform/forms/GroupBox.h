// A painted container framed by an etched line, with its caption in the top edge.
#pragma once

#include "Control.h"

namespace forms {

class GroupBox : public Control {
public:
    explicit GroupBox(Component* owner);

protected:
    void Paint(HDC dc) override;
};

} // namespace forms
