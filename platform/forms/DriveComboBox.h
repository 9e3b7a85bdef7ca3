// A drop-down list of the system's drives ("c: volume"). Drive() is the lower-case letter of
// the chosen drive; OnChange fires when the user chooses another one.
#pragma once

#include "Control.h"

#include <vector>

namespace forms {

class DriveComboBox : public Control {
public:
    explicit DriveComboBox(Component* owner);
    char Drive() const { return drive_; }
    // Shows that drive; raises no OnChange.
    void SetDrive(char letter);
    const std::vector<std::string>& Items() const { return items_; }
    NotifyEvent OnChange;

protected:
    void GetWindowParams(WindowParams& p) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void ReadDrives();
    void SelectDrive();
    std::vector<std::string> items_;
    std::vector<char> letters_;
    char drive_ = 0;
};

} // namespace forms
