#include "MixerVolume.h"

namespace platterly {

uint32_t PackVolume(uint8_t v, TChannel channel)
{
    uint32_t x = v;
    switch (channel) {
    case TChannel::chLeft: return x + x * 256;
    case TChannel::chRight: return (x + x * 256) * 65536;
    case TChannel::chBoth: return x * 256 + x * 16777216;
    }
    return 0;
}

uint8_t UnpackVolume(uint32_t word, TChannel channel)
{
    // Each channel's value is the high byte of its half of the word.
    if (channel == TChannel::chRight)
        return static_cast<uint8_t>(word >> 24);
    return static_cast<uint8_t>(word >> 8);
}

const char* DeviceTypeMessage(TDeviceTypes type)
{
    switch (type) {
    case TDeviceTypes::dtWave: return "No Wave device available";
    case TDeviceTypes::dtMidi: return "No Midi device available";
    case TDeviceTypes::dtCDAudio: return "No CD-audio device available";
    case TDeviceTypes::dtLineIn: return "No Line-In device available";
    case TDeviceTypes::dtMicrophone: return "No Microfoon device avialable";
    case TDeviceTypes::dTMixerVolume: return "No Volume device available";
    case TDeviceTypes::dtPCSpeaker: return "No Speaker device available";
    }
    return "";
}

std::string ManufacturerText(uint16_t id)
{
    return id == 1 ? std::string("Microsoft") : std::to_string(id) + " = Unknown";
}

MixerVolume::MixerVolume(AuxDevices& aux) : aux_(aux)
{
    volume_ = ReadVolume(false);
    ReadCaps(deviceType_, false);
}

void MixerVolume::Loaded()
{
    volume_ = ReadVolume(false);
    ReadCaps(deviceType_, false);
}

bool MixerVolume::ReadCaps(TDeviceTypes id, bool raise)
{
    AuxCaps caps;
    uint32_t r = aux_.GetDevCaps(static_cast<uint32_t>(id), caps);
    if (r != 0) {
        if (r == kBadDeviceId && raise)
            throw EDeviceTypeError(DeviceTypeMessage(id));
        supportVolume_ = supportChannels_ = false;
        driverVersion_ = 0;
        manufacturer_.clear();
        productName_.clear();
        return false;
    }
    supportVolume_ = (caps.support & 1) != 0;
    supportChannels_ = (caps.support & 2) != 0;
    manufacturer_ = ManufacturerText(caps.manufacturerId);
    driverVersion_ = caps.driverVersion;
    productName_ = caps.productName.substr(0, 31);
    return true;
}

uint8_t MixerVolume::ReadVolume(bool raise)
{
    uint32_t word = 0;
    uint32_t r = aux_.GetVolume(static_cast<uint32_t>(deviceType_), word);
    if (r == kBadDeviceId && raise)
        throw EDeviceTypeError(DeviceTypeMessage(deviceType_));
    // A failed read keeps the last known volume.
    if (r != 0)
        return volume_;
    return UnpackVolume(word, channel_);
}

uint8_t MixerVolume::ReadDevice()
{
    ReadCaps(deviceType_, true);
    volume_ = ReadVolume(true);
    return volume_;
}

bool MixerVolume::Bind(TDeviceTypes wanted)
{
    if (!Drives(wanted))
        return false;
    ReadDevice();
    allowModify_ = true;
    return true;
}

void MixerVolume::SetVolume(uint8_t v)
{
    if (!allowModify_ || v == volume_ || mute_)
        return;
    volume_ = v;
    uint32_t r = aux_.SetVolume(static_cast<uint32_t>(deviceType_), PackVolume(v, channel_));
    if (r == kBadDeviceId)
        throw EDeviceTypeError(DeviceTypeMessage(deviceType_));
}

void MixerVolume::SetDeviceType(TDeviceTypes t)
{
    if (!ReadCaps(t, false))
        return;
    if (t == deviceType_ || !supportVolume_)
        return;
    deviceType_ = t;
    volume_ = ReadVolume(false);
    if (!supportChannels_)
        channel_ = TChannel::chBoth;
}

void MixerVolume::SetChannel(TChannel c)
{
    if (c != channel_ && supportChannels_) {
        channel_ = c;
        volume_ = ReadVolume(true);
    } else {
        channel_ = TChannel::chBoth;
    }
}

void MixerVolume::SetMute(bool m)
{
    if (m == mute_)
        return;
    if (m)
        SetVolume(0);
    mute_ = m;
}

} // namespace platterly
