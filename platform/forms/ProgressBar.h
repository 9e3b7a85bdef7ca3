// The system progress bar; its range and position are 16-bit values.
#pragma once

#include "Control.h"

namespace forms {

class ProgressBar : public Control {
public:
    explicit ProgressBar(Component* owner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetMin(int v);
    void SetMax(int v);
    void SetPosition(int v);

protected:
    void GetWindowParams(WindowParams& p) override;
    void HandleCreated() override;

private:
    int min_ = 0, max_ = 100, position_ = 0;
};

} // namespace forms
