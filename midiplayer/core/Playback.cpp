#include "Playback.h"

#include <utility>

namespace platterly {
namespace {
const uint32_t kGaugeStepMs = 3000;

std::string TwoDigits(uint32_t v)
{
    std::string s = std::to_string(v);
    return v < 10 ? "0" + s : s;
}

bool Blank(const std::string& s)
{
    return s.find_first_not_of(" \t\r\n") == std::string::npos;
}
} // namespace

Playback::Playback(PlaybackDevice& device, PlayerView& view, FileExists exists)
    : device_(device), view_(view), exists_(std::move(exists))
{
}

std::string Playback::MsToMinSec(uint32_t ms)
{
    uint32_t minutes = ms / 60000;
    uint32_t seconds = ms / 1000;
    while (seconds >= 60)
        seconds -= 60;
    return TwoDigits(minutes) + ":" + TwoDigits(seconds);
}

std::string Playback::FileNamePart(const std::string& path)
{
    size_t cut = path.find_last_of(":\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void Playback::ShowNowPlaying(const std::string& path)
{
    std::string name = FileNamePart(path);
    view_.SetNowPlaying(name);
    view_.SetTitle(Blank(path) ? "Platterly " : "Platterly [" + name + "]");
}

void Playback::Add(const std::string& folder, const std::vector<std::string>& names)
{
    for (const std::string& n : names) {
        queue_.Append(folder, n);
        view_.QueueItemAdded(n);
    }
}

void Playback::RemoveSelected(const std::vector<bool>& selected)
{
    for (size_t n = queue_.Count(); n-- > 0;) {
        if (n < selected.size() && selected[n]) {
            queue_.RemoveAt(n);
            view_.QueueItemRemoved(static_cast<int>(n));
        }
    }
}

void Playback::RemoveAll()
{
    view_.QueueCleared();
    queue_.Clear();
}

void Playback::SetState(PlayState s)
{
    state_ = s;
    switch (s) {
    case PlayState::Stopped: view_.SetStatusText("Stopped"); break;
    case PlayState::Playing: view_.SetStatusText("Playing"); break;
    case PlayState::Paused: view_.SetStatusText("Paused"); break;
    }
}

void Playback::PlayClick()
{
    // Play lies under Stop while a file plays; its shortcut must not restart the queue then.
    if (state_ != PlayState::Stopped)
        return;
    SetState(PlayState::Playing);
    view_.SetStopVisible(true);
    view_.Repaint();
    PlayNext();
    view_.Repaint();
}

void Playback::PlayNext()
{
    if (queue_.Empty()) {
        StopPlaying();
        return;
    }
    std::string path = queue_.Paths().front();
    queue_.RemoveAt(0);
    view_.QueueItemRemoved(0);
    ShowNowPlaying(path);
    if (!exists_(path)) {
        view_.ShowInformation("Unable to play the file: \r\n" + path);
        StopPlaying();
        return;
    }
    current_ = path;
    try {
        device_.Open(path);
    } catch (const DeviceError& e) {
        // The system's own text, then a consistent stop; the rest of the queue stays.
        view_.ShowError(e.what());
        StopPlaying();
        return;
    }
    try {
        device_.SetTimeFormatMilliseconds();
        device_.Play(true);
    } catch (const DeviceError&) {
        view_.ShowError("Unable to play midi file");
    }
}

void Playback::StopPlaying()
{
    view_.SetStopVisible(false);
    view_.SetResumeVisible(false);
    view_.Repaint();
    SetState(PlayState::Stopped);
    gaugeMax_ = 10;
    view_.SetGaugeMax(10);
    view_.SetGaugePosition(0);
    ShowNowPlaying(std::string());
    ReleaseDevice();
    current_.clear();
}

void Playback::ReleaseDevice()
{
    if (!device_.IsOpen())
        return;
    // Neither failure is passed on: a device that will not stop is closed all the same, and one
    // that will not close is given up, so the player never stays half-stopped.
    try {
        device_.Stop();
    } catch (const std::exception&) {
    }
    try {
        device_.Close();
    } catch (const std::exception&) {
    }
}

void Playback::StopClick()
{
    if (state_ == PlayState::Stopped)
        return;
    StopPlaying();
}

void Playback::PauseClick()
{
    // Pause lies under Resume while paused; pausing again would resume the device unseen.
    if (state_ != PlayState::Playing)
        return;
    SetState(PlayState::Paused);
    device_.Pause();
    view_.SetResumeVisible(true);
}

void Playback::ResumeClick()
{
    if (state_ != PlayState::Paused)
        return;
    SetState(PlayState::Playing);
    device_.Play(true);
    view_.SetResumeVisible(false);
}

void Playback::SkipClick()
{
    if (state_ == PlayState::Stopped)
        return;
    view_.SetResumeVisible(false);
    SetState(PlayState::Playing);
    ReleaseDevice();
    PlayNext();
}

void Playback::DeviceNotice(Notice notice)
{
    view_.Repaint();
    // A notice can only mean something while a file is being played.
    if (state_ == PlayState::Stopped)
        return;
    switch (notice) {
    case Notice::Successful:
        if (state_ == PlayState::Playing)
            PlayNext();
        break;
    case Notice::Failure:
        StopPlaying();
        break;
    case Notice::Superseded:
    case Notice::Aborted:
        break;
    }
}

void Playback::TimerTick()
{
    if (!device_.IsOpen()) {
        view_.SetLengthText("00:00");
        view_.SetPositionText("00:00");
        return;
    }
    uint32_t length = 0, position = 0;
    try {
        length = device_.Length();
        position = device_.Position();
    } catch (const DeviceError& e) {
        // A device that stops answering is let go of once, not reported every 200 ms.
        StopPlaying();
        view_.ShowError(e.what());
        return;
    }
    view_.SetLengthText(MsToMinSec(length));
    view_.SetPositionText(MsToMinSec(position));
    int steps = static_cast<int>(length / kGaugeStepMs);
    if (steps <= 0) {
        if (gaugeMax_ != 10) {
            gaugeMax_ = 10;
            view_.SetGaugeMax(10);
        }
        view_.SetGaugePosition(0);
    } else {
        if (gaugeMax_ != steps) {
            gaugeMax_ = steps;
            view_.SetGaugeMax(steps);
        }
        view_.SetGaugePosition(static_cast<int>(position / kGaugeStepMs));
    }
}

void Playback::Shutdown()
{
    ReleaseDevice();
    current_.clear();
    state_ = PlayState::Stopped;
}

} // namespace platterly
