#include "media_session.h"

#include <algorithm>
#include <cctype>

namespace mediacontrol {

namespace {

std::string LowerExtension(std::string_view path)
{
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of("\\/:");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot))
        return {};
    std::string ext(path.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

}  // namespace

DeviceKind DeviceForFile(std::string_view path)
{
    std::string ext = LowerExtension(path);
    if (ext == "wav")
        return DeviceKind::WaveAudio;
    if (ext == "mid" || ext == "midi" || ext == "rmi")
        return DeviceKind::Sequencer;
    if (ext == "avi")
        return DeviceKind::AviVideo;
    if (ext == "mpg" || ext == "mpeg" || ext == "mpe")
        return DeviceKind::MpegVideo;
    return DeviceKind::ByPlatform;
}

const char* DeviceTypeName(DeviceKind kind)
{
    switch (kind) {
    case DeviceKind::WaveAudio:
        return "waveaudio";
    case DeviceKind::Sequencer:
        return "sequencer";
    case DeviceKind::AviVideo:
        return "avivideo";
    case DeviceKind::MpegVideo:
        return "mpegvideo";
    case DeviceKind::ByPlatform:
        return nullptr;
    }
    return nullptr;
}

MediaSession::~MediaSession()
{
    CloseDevice();
}

void MediaSession::CloseDevice()
{
    if (m_device)
        m_backend.Close(m_device);
    m_device = 0;
    m_state = PlayState::Stopped;
}

MediaEvent MediaSession::Error(int code, std::string description) const
{
    MediaEvent event;
    event.kind = MediaEvent::Kind::Error;
    event.generation = m_generation;
    event.oldState = event.newState = m_state;
    event.code = code;
    event.description = std::move(description);
    return event;
}

std::vector<MediaEvent> MediaSession::SetFileName(const std::string& name)
{
    // A new generation first: events already posted for the old file are dropped on arrival.
    ++m_generation;
    CloseDevice();
    m_fileName = name;
    if (name.empty())
        return {};

    DeviceKind kind = DeviceForFile(name);
    // Without a MIDI output the platform's sequencer "plays" for ever at position 0 and never
    // ends: that is an error, not a file that plays.
    if (kind == DeviceKind::Sequencer && m_backend.MidiOutputCount() == 0)
        return {Error(kErrorNoMidiDevice, "There is no MIDI output device to play the file")};
    int error = 0;
    unsigned device = m_backend.Open(kind, name, error);
    if (!device)
        return {Error(error, m_backend.ErrorText(error))};
    m_device = device;
    if (int playError = m_backend.Play(device)) {
        CloseDevice();
        return {Error(playError, m_backend.ErrorText(playError))};
    }
    MediaEvent started;
    started.generation = m_generation;
    started.oldState = PlayState::Stopped;
    started.newState = m_state = PlayState::Running;
    return {started};
}

std::optional<MediaEvent> MediaSession::OnNotice(Notice notice, unsigned device)
{
    if (!m_device || device != m_device || m_state != PlayState::Running)
        return std::nullopt;
    switch (notice) {
    case Notice::Successful: {
        CloseDevice();
        MediaEvent ended;
        ended.generation = m_generation;
        ended.oldState = PlayState::Running;
        ended.newState = PlayState::Stopped;
        return ended;
    }
    case Notice::Failure:
        CloseDevice();
        return Error(kErrorPlayFailed, "The device could not play the file");
    case Notice::Superseded:
    case Notice::Aborted:
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace mediacontrol
