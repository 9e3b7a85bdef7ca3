// The playback state machine that drains the play queue one file at a time through a device:
// Stopped, Playing and Paused, the button handlers, the device's completion notices and the
// 200 ms display of length, position and progress.
#pragma once

#include "PlayQueue.h"
#include "PlaybackDevice.h"
#include "PlayerView.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platterly {

enum class PlayState { Stopped, Playing, Paused };

class Playback {
public:
    using FileExists = std::function<bool(const std::string&)>;
    Playback(PlaybackDevice& device, PlayerView& view, FileExists exists);

    PlayState State() const { return state_; }
    const PlayQueue& Queue() const { return queue_; }
    const std::string& CurrentFile() const { return current_; }

    // Filling the queue from the file list (folder text and entry names).
    void Add(const std::string& folder, const std::vector<std::string>& names);
    // Removes the queued entries whose flag is set, from the last one down.
    void RemoveSelected(const std::vector<bool>& selected);
    void RemoveAll();

    void PlayClick();
    void StopClick();
    void PauseClick();
    void ResumeClick();
    void SkipClick();
    void DeviceNotice(Notice notice);
    void TimerTick();
    // Ends playback before the program ends: the device is stopped and closed.
    void Shutdown();

    void PlayNext();
    void StopPlaying();
    void ShowNowPlaying(const std::string& path);

    static std::string MsToMinSec(uint32_t ms);
    // The text after the last ":" or "\".
    static std::string FileNamePart(const std::string& path);

private:
    void SetState(PlayState s);
    void ReleaseDevice();

    PlaybackDevice& device_;
    PlayerView& view_;
    FileExists exists_;
    PlayQueue queue_;
    PlayState state_ = PlayState::Stopped;
    std::string current_;
    int gaugeMax_ = 100;
};

} // namespace platterly
