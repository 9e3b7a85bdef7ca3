#include "TMixerVolume.h"

#include <windows.h>

#include <mmsystem.h>

namespace platterly {
namespace {

// The auxiliary-device calls of the multimedia system.
class WinmmAux : public AuxDevices {
public:
    uint32_t GetVolume(uint32_t id, uint32_t& word) override
    {
        DWORD w = 0;
        MMRESULT r = auxGetVolume(id, &w);
        word = w;
        return r;
    }
    uint32_t SetVolume(uint32_t id, uint32_t word) override { return auxSetVolume(id, word); }
    uint32_t GetDevCaps(uint32_t id, AuxCaps& caps) override
    {
        AUXCAPSA c = {};
        MMRESULT r = auxGetDevCapsA(id, &c, sizeof c);
        if (r == MMSYSERR_NOERROR) {
            caps.manufacturerId = c.wMid;
            caps.driverVersion = c.vDriverVersion;
            c.szPname[MAXPNAMELEN - 1] = 0;
            caps.productName = c.szPname;
            caps.support = c.dwSupport;
        }
        return r;
    }
    uint32_t GetNumDevs() override { return auxGetNumDevs(); }
};

} // namespace

// The interface object lives before the logic that reads through it at creation.
TMixerVolume::TMixerVolume(forms::Component* owner)
    : Component(owner), aux_(std::make_unique<WinmmAux>()), core_(*aux_)
{
}

TMixerVolume::~TMixerVolume() = default;

void TMixerVolume::Loaded()
{
    Component::Loaded();
    core_.Loaded();
}

} // namespace platterly
