// Layout of every loudspeaker and preamplifier filter table: array sizes,
// b0 = a0 = 1 in every row, unit section gains with the whole scaling in the
// output gain, model indexing and the unused trailing zeros. Also the
// loudspeaker trims' responses.

#include "FilterResponse.h"
#include "tables/Tables.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
/** One section table with its gain vector. */
struct SectionTable
{
    std::string name;
    const float* sos;
    const float* gain;
    int nsec;
};

std::vector<SectionTable> allSectionTables()
{
    using namespace tables;
    std::vector<SectionTable> t;
    for (int m = 0; m < 12; ++m)
    {
        t.push_back ({ "hpsos2_44100 model " + std::to_string (m), hpsos2_44100 + 150 * m, hpgain2_44100 + 26 * m, 25 });
        t.push_back ({ "hpsos2_48000 model " + std::to_string (m), hpsos2_48000 + 150 * m, hpgain2_48000 + 26 * m, 25 });
    }
    t.push_back ({ "noMidBody_44100", noMidBody_44100_sos, noMidBody_44100_gain, 25 });
    t.push_back ({ "noMidBody_48000", noMidBody_48000_sos, noMidBody_48000_gain, 25 });
    t.push_back ({ "MidBody_44100", MidBody_44100_sos, MidBody_44100_gain, 25 });
    t.push_back ({ "MidBody_48000", MidBody_48000_sos, MidBody_48000_gain, 25 });
    t.push_back ({ "noMidDetail_44100", noMidDetail_44100_sos, noMidDetail_44100_gain, 25 });
    t.push_back ({ "noMidDetail_48000", noMidDetail_48000_sos, noMidDetail_48000_gain, 25 });
    t.push_back ({ "MidDetail_44100", MidDetail_44100_sos, MidDetail_44100_gain, 25 });
    t.push_back ({ "MidDetail_48000", MidDetail_48000_sos, MidDetail_48000_gain, 25 });
    t.push_back ({ "hpsoslp2_44100", hpsoslp2_44100, hpgainlp2_44100, 4 });
    t.push_back ({ "hpsoslp2_48000", hpsoslp2_48000, hpgainlp2_48000, 4 });
    t.push_back ({ "hpsoshp2_44100", hpsoshp2_44100, hpgainhp2_44100, 3 });
    t.push_back ({ "hpsoshp2_48000", hpsoshp2_48000, hpgainhp2_48000, 3 });
    return t;
}

TEST (FilterTableFormat, RowsAndGainVectorsFollowTheSectionFormat)
{
    for (const SectionTable& t : allSectionTables())
    {
        SCOPED_TRACE (t.name);
        for (int k = 0; k < t.nsec; ++k)
        {
            EXPECT_EQ (t.sos[6 * k], 1.0f) << "b0 of row " << k;
            EXPECT_EQ (t.sos[6 * k + 3], 1.0f) << "a0 of row " << k;
            EXPECT_EQ (t.gain[k], 1.0f) << "section gain " << k;
        }
        const float out = t.gain[t.nsec];
        EXPECT_TRUE (std::isfinite (out) && out > 0.0f && out != 1.0f) << "output gain " << out;
        for (int i = 0; i < 6 * t.nsec; ++i)
            EXPECT_TRUE (std::isfinite (t.sos[i])) << "coefficient " << i;
    }
}

TEST (FilterTableFormat, SizesMatchTheInventory)
{
    using namespace tables;
    EXPECT_EQ (std::size (hpsos2_44100), 12u * 25u * 6u);
    EXPECT_EQ (std::size (hpsos2_48000), 12u * 25u * 6u);
    EXPECT_EQ (std::size (hpgain2_44100), 12u * 26u);
    EXPECT_EQ (std::size (hpgain2_48000), 12u * 26u);
    EXPECT_EQ (std::size (noMidBody_44100_sos), 150u);
    EXPECT_EQ (std::size (MidDetail_48000_gain), 28u);
    EXPECT_EQ (std::size (hpsoslp2_48000), 24u);
    EXPECT_EQ (std::size (hpgainlp2_44100), 8u);
    EXPECT_EQ (std::size (hpsoshp2_44100), 20u);
    EXPECT_EQ (std::size (hpgainhp2_48000), 4u);
}

TEST (FilterTableFormat, LastLoudspeakerModelEndsBothFamilies)
{
    // Model 11 starts at float 1650 and gain entry 286; its output gain is
    // the final entry of the gain array and its last row ends the section
    // array.
    for (const float* g : { tables::hpgain2_44100, tables::hpgain2_48000 })
    {
        for (int k = 0; k < 25; ++k)
            EXPECT_EQ (g[286 + k], 1.0f);
        EXPECT_EQ (&g[286 + 25], &g[311]);
        EXPECT_NE (g[311], 1.0f);
        // The entry before model 11 is model 10's output gain, not a 1.
        EXPECT_NE (g[285], 1.0f);
    }
    for (const float* s : { tables::hpsos2_44100, tables::hpsos2_48000 })
    {
        EXPECT_EQ (s[1650], 1.0f);
        EXPECT_EQ (s[1650 + 3], 1.0f);
        EXPECT_EQ (s[1650 + 24 * 6], 1.0f);
    }
}

TEST (FilterTableFormat, TrailingEntriesAreZero)
{
    using namespace tables;
    for (const float* g : { noMidBody_44100_gain, noMidBody_48000_gain, MidBody_44100_gain, MidBody_48000_gain,
                            noMidDetail_44100_gain, noMidDetail_48000_gain, MidDetail_44100_gain, MidDetail_48000_gain })
    {
        EXPECT_EQ (g[26], 0.0f);
        EXPECT_EQ (g[27], 0.0f);
    }
    for (const float* g : { hpgainlp2_44100, hpgainlp2_48000 })
        for (int i = 5; i < 8; ++i)
            EXPECT_EQ (g[i], 0.0f);
    for (const float* s : { hpsoshp2_44100, hpsoshp2_48000 })
    {
        EXPECT_EQ (s[18], 0.0f);
        EXPECT_EQ (s[19], 0.0f);
    }
}

TEST (FilterTableFormat, TrimsBeginWithAFirstOrderSection)
{
    using namespace tables;
    for (const float* s : { hpsoslp2_44100, hpsoslp2_48000, hpsoshp2_44100, hpsoshp2_48000 })
    {
        EXPECT_EQ (s[2], 0.0f);
        EXPECT_EQ (s[5], 0.0f);
    }
}

TEST (LoudspeakerTrims, ShapeTheSpeakerAsDescribed)
{
    using filtertest::magnitudeDb;
    struct Rate
    {
        double fs;
        const float *lp, *lpGain, *hp, *hpGain;
    };
    const Rate rates[] = {
        { 44100.0, tables::hpsoslp2_44100, tables::hpgainlp2_44100, tables::hpsoshp2_44100, tables::hpgainhp2_44100 },
        { 48000.0, tables::hpsoslp2_48000, tables::hpgainlp2_48000, tables::hpsoshp2_48000, tables::hpgainhp2_48000 },
    };
    for (const Rate& r : rates)
    {
        SCOPED_TRACE (r.fs);
        auto lp = [&] (double f) { return magnitudeDb (r.lp, r.lpGain, 4, f, r.fs); };
        auto hp = [&] (double f) { return magnitudeDb (r.hp, r.hpGain, 3, f, r.fs); };

        // Low-pass: flat to 500 Hz, a dip of about 3 dB at 2-3 kHz, back to
        // unity near 5 kHz, a steep cut above 10 kHz.
        for (double f : { 50.0, 100.0, 200.0, 500.0 })
            EXPECT_NEAR (lp (f), 0.0, 0.5) << f;
        EXPECT_NEAR (std::min (lp (2000.0), lp (3000.0)), -3.0, 1.0);
        EXPECT_NEAR (lp (5000.0), 0.0, 1.0);
        EXPECT_NEAR (lp (12000.0), -40.0, 3.0);

        // High-pass: -24 dB at 50 Hz, near unity at 63 and 100 Hz, a dip of
        // about 5 dB at 200 Hz, within 1 dB above 1 kHz.
        EXPECT_NEAR (hp (50.0), -24.0, 2.0);
        EXPECT_NEAR (hp (63.0), 0.0, 1.5);
        EXPECT_NEAR (hp (100.0), 0.0, 1.5);
        EXPECT_NEAR (hp (200.0), -5.0, 1.5);
        for (double f : { 1000.0, 2000.0, 5000.0, 10000.0 })
            EXPECT_NEAR (hp (f), 0.0, 1.0) << f;
    }
}
} // namespace
