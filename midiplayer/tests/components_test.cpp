// The arithmetic of platterly's own components: volume words and the volume component against
// a fake auxiliary device, the caption gradient, the toolbar button's layout, the about box's
// hidden sequence and the single-instance names.
#include "core/AboutSequence.h"
#include "core/ButtonLayout.h"
#include "core/CaptionMath.h"
#include "core/InstanceName.h"
#include "core/MixerVolume.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace platterly {
namespace {

struct FakeAux : AuxDevices {
    struct Dev { uint32_t word = 0; uint32_t support = 1; uint16_t mid = 1; };
    std::map<uint32_t, Dev> devices;
    std::vector<std::pair<uint32_t, uint32_t>> writes;
    uint32_t GetVolume(uint32_t id, uint32_t& word) override
    {
        auto it = devices.find(id);
        if (it == devices.end()) return kBadDeviceId;
        word = it->second.word;
        return 0;
    }
    uint32_t SetVolume(uint32_t id, uint32_t word) override
    {
        auto it = devices.find(id);
        if (it == devices.end()) return kBadDeviceId;
        it->second.word = word;
        writes.emplace_back(id, word);
        return 0;
    }
    uint32_t GetDevCaps(uint32_t id, AuxCaps& caps) override
    {
        auto it = devices.find(id);
        if (it == devices.end()) return kBadDeviceId;
        caps.support = it->second.support;
        caps.manufacturerId = it->second.mid;
        caps.productName = "Fake aux";
        caps.driverVersion = 0x0100;
        return 0;
    }
    uint32_t GetNumDevs() override { return static_cast<uint32_t>(devices.size()); }
};

TEST(VolumeWord, PacksAndReadsEachChannelFromItsOwnHalf)
{
    EXPECT_EQ(PackVolume(255, TChannel::chBoth), 0xFF00FF00u);
    EXPECT_EQ(PackVolume(1, TChannel::chLeft), 257u);
    EXPECT_EQ(PackVolume(1, TChannel::chRight), 257u << 16);
    EXPECT_EQ(UnpackVolume(0xFF00FF00u, TChannel::chBoth), 255);
    EXPECT_EQ(UnpackVolume(0x8000C000u, TChannel::chBoth), 192);
    // The right channel is read from the high half (here 0x8000), not from a low byte of it.
    EXPECT_EQ(UnpackVolume(0x8000C000u, TChannel::chRight), 128);
    for (int v : {0, 1, 128, 255})
        for (TChannel c : {TChannel::chLeft, TChannel::chRight, TChannel::chBoth})
            EXPECT_EQ(UnpackVolume(PackVolume(static_cast<uint8_t>(v), c), c), v);
    EXPECT_EQ(ManufacturerText(1), "Microsoft");
    EXPECT_EQ(ManufacturerText(7), "7 = Unknown");
}

TEST(MixerVolume, WithoutAuxiliaryDevicesCreationGoesOnWithNoVolumeSupport)
{
    FakeAux aux;  // no devices, as under Wine
    MixerVolume v(aux);
    v.SetDeviceType(TDeviceTypes::dtMidi);
    v.SetAllowModify(false);
    v.SetVolume(140);
    v.Loaded();
    EXPECT_FALSE(v.SupportVolume());
    EXPECT_EQ(v.Volume(), 25);
    // Explicit reads and writes still report the missing device.
    try {
        v.ReadDevice();
        ADD_FAILURE();
    } catch (const EDeviceTypeError& e) {
        EXPECT_STREQ(e.what(), "No Wave device available");
    }
    v.SetAllowModify(true);
    EXPECT_THROW(v.SetVolume(10), EDeviceTypeError);
}

TEST(MixerVolume, LoadsLikeTheMainFormAndWritesOnlyWhenAllowedAndChanged)
{
    FakeAux aux;
    aux.devices[0].word = PackVolume(10, TChannel::chBoth);
    aux.devices[1].word = PackVolume(200, TChannel::chBoth);
    MixerVolume v(aux);
    EXPECT_EQ(v.Volume(), 10);  // device 0 read at creation
    v.SetDeviceType(TDeviceTypes::dtMidi);
    v.SetAllowModify(false);
    v.SetVolume(140);  // the stored value is ignored while not allowed
    v.Loaded();
    EXPECT_EQ(v.DeviceType(), TDeviceTypes::dtMidi);
    EXPECT_EQ(v.Volume(), 200);
    EXPECT_TRUE(aux.writes.empty());
    EXPECT_TRUE(v.SupportVolume());
    EXPECT_EQ(v.Manufacturer(), "Microsoft");
    v.SetAllowModify(true);
    v.SetVolume(200);  // unchanged: no write
    EXPECT_TRUE(aux.writes.empty());
    v.SetVolume(255);
    ASSERT_EQ(aux.writes.size(), 1u);
    EXPECT_EQ(aux.writes[0], std::make_pair(1u, 0xFF00FF00u));
    // Another program's mixer changes the device; the poll reads it.
    aux.devices[1].word = 0x8000C000u;
    EXPECT_EQ(v.ReadDevice(), 192);
}

// The main form's slider binds only to the MIDI auxiliary device with volume control; on any
// other list it stays unbound and the slider's moves reach no device at all.
TEST(MixerVolume, TheSliderBindsOnlyToTheMidiDeviceWithVolumeControl)
{
    struct Case {
        const char* name;
        std::map<uint32_t, FakeAux::Dev> devices;
        bool bound;
    };
    const FakeAux::Dev wave{PackVolume(10, TChannel::chBoth), 1, 1};
    const Case cases[] = {
        {"MIDI with volume", {{0, wave}, {1, {PackVolume(200, TChannel::chBoth), 1, 1}}}, true},
        {"MIDI without volume", {{0, wave}, {1, {PackVolume(200, TChannel::chBoth), 0, 1}}}, false},
        {"wave only", {{0, wave}}, false},
        {"none", {}, false},
    };
    for (const Case& c : cases) {
        FakeAux aux;
        aux.devices = c.devices;
        MixerVolume v(aux);  // loaded as the main form loads it
        v.SetDeviceType(TDeviceTypes::dtMidi);
        v.SetAllowModify(false);
        v.SetVolume(140);
        v.Loaded();
        EXPECT_EQ(v.Bind(TDeviceTypes::dtMidi), c.bound) << c.name;
        EXPECT_EQ(v.AllowModify(), c.bound) << c.name;
        v.SetVolume(77);  // the user moves the slider
        if (c.bound) {
            EXPECT_EQ(aux.writes, (std::vector<std::pair<uint32_t, uint32_t>>{{1u, PackVolume(77, TChannel::chBoth)}}))
                << c.name;
        } else {
            EXPECT_TRUE(aux.writes.empty()) << c.name;
        }
    }
}

TEST(MixerVolume, MuteSilencesOnceAndHoldsLaterWrites)
{
    FakeAux aux;
    aux.devices[0].word = PackVolume(100, TChannel::chBoth);
    MixerVolume v(aux);
    v.SetAllowModify(true);
    v.SetMute(true);
    EXPECT_EQ(v.Volume(), 0);
    EXPECT_EQ(aux.devices[0].word, 0u);
    v.SetVolume(50);
    EXPECT_EQ(v.Volume(), 0);
    v.SetMute(false);
    v.SetVolume(50);
    EXPECT_EQ(aux.devices[0].word, PackVolume(50, TChannel::chBoth));
}

TEST(MixerVolume, DeviceTypeAndChannelFollowTheCapabilities)
{
    FakeAux aux;
    aux.devices[0].support = 3;
    aux.devices[2].support = 0;  // no volume control
    aux.devices[0].word = PackVolume(90, TChannel::chLeft) | PackVolume(30, TChannel::chRight);
    MixerVolume v(aux);
    v.SetDeviceType(TDeviceTypes::dtCDAudio);
    EXPECT_EQ(v.DeviceType(), TDeviceTypes::dtWave);
    EXPECT_FALSE(v.SupportVolume());
    v.SetDeviceType(TDeviceTypes::dtWave);
    v.SetChannel(TChannel::chRight);
    EXPECT_EQ(v.Channel(), TChannel::chRight);
    EXPECT_EQ(v.Volume(), 30);
    v.SetChannel(TChannel::chRight);  // the same again falls back to both
    EXPECT_EQ(v.Channel(), TChannel::chBoth);
    v.SetAllowModify(true);
    v.SetChannel(TChannel::chLeft);
    v.SetVolume(1);
    EXPECT_EQ(aux.devices[0].word, 257u);  // the right channel silenced
}

TEST(CaptionMath, GradientRunsFromBlackToTheColourInSixtyFourBands)
{
    auto t = GradientTable(Rgb{0, 0, 128});
    EXPECT_EQ(t[0], (Rgb{0, 0, 0}));
    EXPECT_EQ(t[63], (Rgb{0, 0, 128}));
    EXPECT_EQ(t[1].b, 2);  // 128/63 = 2.03
    EXPECT_EQ(RoundHalfEven(5, 2), 2);
    EXPECT_EQ(RoundHalfEven(7, 2), 4);
    for (int w : {1, 40, 64, 427}) {
        EXPECT_EQ(BandEdge(0, w), 0);
        EXPECT_EQ(BandEdge(64, w), w) << w;
        for (int i = 0; i < 64; ++i)
            EXPECT_LE(BandEdge(i, w), BandEdge(i + 1, w));
    }
    EXPECT_EQ(BandEdge(1, 32), 0);  // 0.5 rounds to even
    EXPECT_EQ(BandEdge(3, 32), 2);  // 1.5 rounds to even
}

TEST(ButtonLayout, CaptionWithoutGlyphAndTheDropDownMark)
{
    ButtonLayoutInput in;
    in.width = 33;
    in.height = 20;
    in.textWidth = 16;
    in.textHeight = 13;
    in.popupMark = true;
    in.alignment = TextAlign::taLeftJustify;
    ButtonLayoutResult r = LayoutButton(in);
    EXPECT_EQ(r.tx, 3);
    EXPECT_EQ(r.ty, 3);
    EXPECT_EQ(r.tw, 16);
    in.alignment = TextAlign::taCenter;
    EXPECT_EQ(LayoutButton(in).tx, (33 - 26) / 2);
    in.glyphWidth = 16;
    in.glyphHeight = 16;
    in.popupMark = false;
    in.height = 40;
    r = LayoutButton(in);  // glyph above the caption
    EXPECT_EQ(r.gy, (40 - 13 - 16 - 2) / 2);
    EXPECT_EQ(r.ty, 2 + 16 + (40 - 13 - 16 - 2) / 2);
    EXPECT_EQ(StripAccelerators("&File"), "File");
    EXPECT_EQ(StripAccelerators("Tom && &Jerry&"), "Tom & Jerry&");
}

TEST(AboutSequence, OnlyTheRightOrderEndsInTheJoke)
{
    AboutSequence s;
    EXPECT_EQ(s.State(), 9);
    using S = AboutSequence;
    for (S::Step step : {S::Logo, S::Logo, S::Name, S::Version, S::Author})
        EXPECT_FALSE(s.Advance(step));
    EXPECT_TRUE(s.Advance(S::AuthorButton));
    EXPECT_TRUE(s.Complete());
    AboutSequence t;
    t.Advance(S::Logo);
    t.Advance(S::Logo);
    t.Advance(S::Version);  // out of order
    EXPECT_EQ(t.State(), 0);
    EXPECT_FALSE(t.Advance(S::AuthorButton));
}

TEST(InstanceName, BaseNameNeedsTheUpperCaseExtensionAndTheMutexIgnoresCase)
{
    EXPECT_EQ(ProgramFileName("C:\\Apps\\PLATTERLY.EXE"), "PLATTERLY.EXE");
    EXPECT_EQ(ProgramFileName("C:platterly.exe"), "platterly.exe");
    EXPECT_EQ(InstanceBaseName("PLATTERLY.EXE"), "PLATTERLY");
    EXPECT_EQ(InstanceBaseName("platterly.exe"), "");
    EXPECT_EQ(InstanceMutexName("platterly.exe"), InstanceMutexName("PlatterLy.EXE"));
    EXPECT_NE(InstanceMutexName("platterly.exe"), InstanceMutexName("player2.exe"));
}

} // namespace
} // namespace platterly
