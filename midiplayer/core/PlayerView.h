// What the playback state machine shows: the main form's controls in the program, a recorder
// in the tests.
#pragma once

#include <string>

namespace platterly {

class PlayerView {
public:
    virtual ~PlayerView() = default;
    virtual void SetStatusText(const std::string& text) = 0;       // status panel 1
    virtual void SetStopVisible(bool visible) = 0;                 // covers the Play button
    virtual void SetResumeVisible(bool visible) = 0;               // covers the Pause button
    virtual void SetNowPlaying(const std::string& name) = 0;       // the "Playing:" line
    virtual void SetTitle(const std::string& title) = 0;           // the application title
    virtual void SetLengthText(const std::string& text) = 0;       // status panel 3
    virtual void SetPositionText(const std::string& text) = 0;     // status panel 5
    virtual void SetGaugeMax(int max) = 0;
    virtual void SetGaugePosition(int position) = 0;
    virtual void QueueItemAdded(const std::string& name) = 0;      // appended to the list box
    virtual void QueueItemRemoved(int index) = 0;
    virtual void QueueCleared() = 0;
    virtual void Repaint() = 0;
    virtual void ShowInformation(const std::string& text) = 0;     // modal, OK only
    virtual void ShowError(const std::string& text) = 0;           // modal, OK only
};

} // namespace platterly
