// The test MIDI files: what the writer makes, the duration the test sequencer reads from them,
// and files it must refuse.
#include "smf/Smf.h"

#include <gtest/gtest.h>

namespace {

TEST(Smf, DurationFollowsTicksDivisionAndTempoChanges)
{
    // 96 ticks per quarter at the default 120 bpm: a quarter lasts 500 ms.
    auto one = smf::WriteSmf(96, {{96, 60}, {192, 62}});
    EXPECT_EQ(smf::SmfDurationMs(one.data(), one.size()), 1500u);
    // Doubling the tempo (250000 us per quarter) halves the second note.
    auto two = smf::WriteSmf(96, {{96, 60}, {192, 62, 250000}});
    EXPECT_EQ(smf::SmfDurationMs(two.data(), two.size()), 1000u);
    auto tiny = smf::WriteSmf(480, {{1, 60}});
    EXPECT_EQ(smf::SmfDurationMs(tiny.data(), tiny.size()), 1u);
}

TEST(Smf, RefusesBrokenOrTruncatedFilesWithoutReadingPastTheEnd)
{
    auto good = smf::WriteSmf(96, {{96, 60}, {96, 64}});
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(smf::SmfDurationMs(good.data(), n).has_value()) << "truncated at " << n;
    auto bad = good;
    bad[0] = 'X';
    EXPECT_FALSE(smf::SmfDurationMs(bad.data(), bad.size()).has_value());
    auto smpte = good;
    smpte[12] = 0xE7;  // a time-code division is not played here
    EXPECT_FALSE(smf::SmfDurationMs(smpte.data(), smpte.size()).has_value());
}

} // namespace
