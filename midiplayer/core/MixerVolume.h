// The auxiliary-device volume component's logic over an interface to the system's auxiliary
// audio calls. The system's volume word holds the left channel in its low 16 bits and the right
// one in its high 16 bits; the component works on a 0 to 255 scale.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platterly {

enum class TDeviceTypes { dtWave, dtMidi, dtCDAudio, dtLineIn, dtMicrophone, dTMixerVolume, dtPCSpeaker };
enum class TChannel { chLeft, chRight, chBoth };

class EDeviceTypeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct AuxCaps {
    uint16_t manufacturerId = 0;
    uint32_t driverVersion = 0;
    std::string productName;
    uint32_t support = 0;  // bit 0: volume, bit 1: separate left and right
};

// The four auxiliary calls; results are the system's codes (0 success, 2 bad device id).
class AuxDevices {
public:
    virtual ~AuxDevices() = default;
    virtual uint32_t GetVolume(uint32_t id, uint32_t& word) = 0;
    virtual uint32_t SetVolume(uint32_t id, uint32_t word) = 0;
    virtual uint32_t GetDevCaps(uint32_t id, AuxCaps& caps) = 0;
    virtual uint32_t GetNumDevs() = 0;
};

constexpr uint32_t kBadDeviceId = 2;

uint32_t PackVolume(uint8_t v, TChannel channel);
uint8_t UnpackVolume(uint32_t word, TChannel channel);
const char* DeviceTypeMessage(TDeviceTypes type);
std::string ManufacturerText(uint16_t id);

class MixerVolume {
public:
    // Creation reads device 0 as the initial device type says; it never raises.
    explicit MixerVolume(AuxDevices& aux);

    // After the form description was read: the chosen device again; never raises (a missing
    // device reads as one without volume support).
    void Loaded();
    // Explicit read of capabilities and volume; raises EDeviceTypeError for a missing device.
    uint8_t ReadDevice();
    // Whether the component drives device `wanted` and that device has volume control. A
    // missing or volume-less device leaves the component on device 0 (the wave device), whose
    // capabilities it then reports: support alone does not say which device a slider would set.
    bool Drives(TDeviceTypes wanted) const { return deviceType_ == wanted && supportVolume_; }
    // Binds a slider at start-up: only when the component drives `wanted`, reads that device's
    // volume and allows writes from then on. False leaves the component untouched.
    bool Bind(TDeviceTypes wanted);

    TDeviceTypes DeviceType() const { return deviceType_; }
    void SetDeviceType(TDeviceTypes t);
    TChannel Channel() const { return channel_; }
    void SetChannel(TChannel c);
    bool Mute() const { return mute_; }
    void SetMute(bool m);
    bool AllowModify() const { return allowModify_; }
    void SetAllowModify(bool a) { allowModify_ = a; }
    uint8_t Volume() const { return volume_; }
    void SetVolume(uint8_t v);

    bool SupportVolume() const { return supportVolume_; }
    bool SupportChannels() const { return supportChannels_; }
    uint32_t DriverVersion() const { return driverVersion_; }
    const std::string& Manufacturer() const { return manufacturer_; }
    const std::string& ProductName() const { return productName_; }
    uint32_t NumberOfDevices() { return aux_.GetNumDevs(); }

private:
    // raise: whether a missing device raises (explicit calls) or reads as unsupported.
    bool ReadCaps(TDeviceTypes id, bool raise);
    uint8_t ReadVolume(bool raise);

    AuxDevices& aux_;
    TDeviceTypes deviceType_ = TDeviceTypes::dtWave;
    TChannel channel_ = TChannel::chBoth;
    bool mute_ = false;
    bool allowModify_ = false;
    uint8_t volume_ = 25;
    bool supportVolume_ = false;
    bool supportChannels_ = false;
    uint32_t driverVersion_ = 0;
    std::string manufacturer_;
    std::string productName_;
};

} // namespace platterly
