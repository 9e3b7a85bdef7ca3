// TMixerVolume: the non-visual component that binds the volume of one auxiliary audio device.
#pragma once

#include "core/MixerVolume.h"

#include <Component.h>

#include <memory>

namespace platterly {

class TMixerVolume : public forms::Component {
public:
    explicit TMixerVolume(forms::Component* owner);
    ~TMixerVolume() override;

    TDeviceTypes DeviceType() const { return core_.DeviceType(); }
    void SetDeviceType(TDeviceTypes t) { core_.SetDeviceType(t); }
    TChannel Channel() const { return core_.Channel(); }
    void SetChannel(TChannel c) { core_.SetChannel(c); }
    bool Mute() const { return core_.Mute(); }
    void SetMute(bool m) { core_.SetMute(m); }
    bool AllowModify() const { return core_.AllowModify(); }
    void SetAllowModify(bool a) { core_.SetAllowModify(a); }
    uint8_t Volume() const { return core_.Volume(); }
    void SetVolume(uint8_t v) { core_.SetVolume(v); }
    bool SupportVolume() const { return core_.SupportVolume(); }
    bool SupportChannels() const { return core_.SupportChannels(); }
    uint32_t DriverVersion() const { return core_.DriverVersion(); }
    const std::string& Manufacturer() const { return core_.Manufacturer(); }
    const std::string& ProductName() const { return core_.ProductName(); }
    uint32_t NumberOfDevices() { return core_.NumberOfDevices(); }
    uint8_t ReadDevice() { return core_.ReadDevice(); }
    bool Bind(TDeviceTypes wanted) { return core_.Bind(wanted); }

protected:
    void Loaded() override;

private:
    std::unique_ptr<AuxDevices> aux_;
    MixerVolume core_;
};

} // namespace platterly
