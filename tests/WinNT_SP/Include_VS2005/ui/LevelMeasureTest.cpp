// Level measurement of PCM and float blocks, the stored-level lists and the percent read-out.
#include "WinNT_SP/Include_VS2005/ui/LevelIndicator.h"
#include "WinNT_SP/Include_VS2005/ui/LevelPercInd.h"
#include "WinNT_SP/Include_VS2005/ui/StdSmplClasses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

WAVEFORMATEX Format(WORD tag, WORD channels, WORD bits)
{
    WAVEFORMATEX f = {};
    f.wFormatTag = tag;
    f.nChannels = channels;
    f.wBitsPerSample = bits;
    f.nSamplesPerSec = 44100;
    f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    return f;
}

template <typename T>
std::vector<BYTE> Bytes(std::initializer_list<T> values)
{
    std::vector<BYTE> out(values.size() * sizeof(T));
    std::memcpy(out.data(), values.begin(), out.size());
    return out;
}

std::vector<BYTE> Pcm24(std::initializer_list<int> values)
{
    std::vector<BYTE> out;
    for (int v : values) {
        out.push_back(static_cast<BYTE>(v));
        out.push_back(static_cast<BYTE>(v >> 8));
        out.push_back(static_cast<BYTE>(v >> 16));
    }
    return out;
}

}  // namespace

TEST(SampleKind, FromFormat)
{
    struct Case {
        WORD tag;
        WORD bits;
        int kind;
    } cases[] = {
        {WAVE_FORMAT_PCM, 8, SMPL_PCM8},           {WAVE_FORMAT_PCM, 16, SMPL_PCM16},
        {WAVE_FORMAT_PCM, 24, SMPL_PCM24},         {WAVE_FORMAT_PCM, 32, SMPL_OTHER},
        {WAVE_FORMAT_IEEE_FLOAT, 32, SMPL_FLOAT32}, {WAVE_FORMAT_IEEE_FLOAT, 64, SMPL_OTHER},
        {0x161, 16, SMPL_OTHER},
    };
    for (const Case& c : cases) {
        const WAVEFORMATEX f = Format(c.tag, 2, c.bits);
        EXPECT_EQ(GetSampleKind(&f), c.kind) << c.tag << "/" << c.bits;
    }
    EXPECT_EQ(GetSampleKind(nullptr), SMPL_OTHER);
}

TEST(MeasureMinMax, EachKindNormalised)
{
    struct Case {
        const char* name;
        std::vector<BYTE> data;
        int kind;
        double min0, max0, min1, max1;
    } cases[] = {
        {"8-bit", {0, 255, 128, 192, 64, 128}, SMPL_PCM8, -1.0, 0.0, 0.0, 127 / 128.0},
        {"16-bit", Bytes<int16_t>({-32768, 100, 16384, -16384}), SMPL_PCM16, -1.0, 0.5,
         -0.5, 100 / 32768.0},
        {"24-bit", Pcm24({-8388608, 4194304, 8388607, -1}), SMPL_PCM24, -1.0, 8388607 / 8388608.0,
         -1 / 8388608.0, 0.5},
        {"float", Bytes<float>({-0.25f, 1.5f, 0.75f, -2.0f}), SMPL_FLOAT32, -0.25, 0.75, -2.0,
         1.5},
    };
    for (const Case& c : cases) {
        CHANNEL_STATS stats[2];
        EXPECT_EQ(MeasureMinMax(stats, static_cast<long>(c.data.size()), c.data.data(), c.kind, 2),
                  2 + (c.kind == SMPL_PCM8 ? 1 : 0))
            << c.name;
        EXPECT_DOUBLE_EQ(stats[0].minimum, c.min0) << c.name;
        EXPECT_DOUBLE_EQ(stats[0].maximum, c.max0) << c.name;
        EXPECT_DOUBLE_EQ(stats[1].minimum, c.min1) << c.name;
        EXPECT_DOUBLE_EQ(stats[1].maximum, c.max1) << c.name;
    }
}

TEST(MeasureMinMax, TrailingPartialFrameIsNotRead)
{
    // Two whole 16-bit stereo frames and three stray bytes that would read as full scale.
    std::vector<BYTE> data = Bytes<int16_t>({10, -20, 30, -40});
    data.insert(data.end(), {0x00, 0x80, 0x00});
    CHANNEL_STATS stats[2];
    EXPECT_EQ(MeasureMinMax(stats, static_cast<long>(data.size()), data.data(), SMPL_PCM16, 2), 2);
    EXPECT_DOUBLE_EQ(stats[0].minimum, 10 / 32768.0);
    EXPECT_DOUBLE_EQ(stats[1].minimum, -40 / 32768.0);
}

TEST(MeasureMinMax, LessThanOneFrameMeasuresNothing)
{
    const BYTE data[3] = {0xFF, 0x7F, 0x00};
    CHANNEL_STATS stats[2];
    EXPECT_EQ(MeasureMinMax(stats, 3, data, SMPL_PCM16, 2), 0);
    EXPECT_DOUBLE_EQ(stats[0].maximum, 0.0);
    EXPECT_DOUBLE_EQ(stats[1].minimum, 0.0);
}

TEST(MeasureBlockPeaks, LevelsPerSide)
{
    struct Case {
        const char* name;
        WAVEFORMATEX format;
        std::vector<BYTE> data;
        WORD left, right;
    } cases[] = {
        {"full scale 16-bit", Format(WAVE_FORMAT_PCM, 2, 16),
         Bytes<int16_t>({-32768, 32767, 0, -32768}), 65535, 65535},
        {"silence", Format(WAVE_FORMAT_PCM, 2, 16), Bytes<int16_t>({0, 0, 0, 0}), 0, 0},
        {"mono raises both", Format(WAVE_FORMAT_PCM, 1, 16), Bytes<int16_t>({16384, -8192}),
         32767, 32767},
        {"half scale left only", Format(WAVE_FORMAT_PCM, 2, 16), Bytes<int16_t>({-16384, 0}),
         32767, 0},
        {"float above 1 capped", Format(WAVE_FORMAT_IEEE_FLOAT, 2, 32),
         Bytes<float>({3.0f, 0.5f}), 65535, 32767},
        {"4 channels: 0,2 left 1,3 right", Format(WAVE_FORMAT_PCM, 4, 16),
         Bytes<int16_t>({0, 100, 16384, 0}), 32767, 200},
        {"unknown kind", Format(0x161, 2, 16), Bytes<int16_t>({32767, 32767}), 0, 0},
        {"partial frame only", Format(WAVE_FORMAT_PCM, 2, 24), {0xFF, 0xFF, 0x7F, 0xFF}, 0, 0},
        {"empty", Format(WAVE_FORMAT_PCM, 2, 16), {}, 0, 0},
    };
    for (const Case& c : cases) {
        WORD left = 1;
        WORD right = 1;
        LevelIndicator::MeasureBlockPeaks(&c.format, c.data.empty() ? nullptr : c.data.data(),
                                          static_cast<long>(c.data.size()), &left, &right);
        EXPECT_EQ(left, c.left) << c.name;
        EXPECT_EQ(right, c.right) << c.name;
    }
}

TEST(MeasureBlockPeaks, MoreThan32ChannelsIsNotMeasured)
{
    const WAVEFORMATEX f = Format(WAVE_FORMAT_PCM, 40, 16);
    std::vector<BYTE> data(40 * 2 * 4, 0x7F);
    WORD left = 1;
    WORD right = 1;
    LevelIndicator::MeasureBlockPeaks(&f, data.data(), static_cast<long>(data.size()), &left,
                                      &right);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 0);
}

TEST(LevelIndicator, PlayingShowsTheLatencyWindowAndRemovesOldEntries)
{
    LevelIndicator levels;
    levels.StoreLevel(1000, 1, 100, 200);  // age 400 at 1400: counted and removed
    levels.StoreLevel(1200, 1, 300, 50);   // age 200: counted, kept
    levels.StoreLevel(1300, 1, 900, 900);  // age 100: too young, kept
    levels.StoreLevel(1300, 2, 999, 999);  // second source: dropped while playing
    WORD left = 0;
    WORD right = 0;
    levels.GetLevelsAt(1400, TRUE, FALSE, &left, &right);
    EXPECT_EQ(left, 300);
    EXPECT_EQ(right, 200);
    EXPECT_EQ(levels.List(1).size(), 2u);
    EXPECT_TRUE(levels.List(2).empty());
}

TEST(LevelIndicator, PausedReadsTheSecondList)
{
    LevelIndicator levels;
    levels.StoreLevel(1000, 1, 100, 100);
    levels.StoreLevel(1000, 2, 400, 500);
    levels.StoreLevel(1050, 2, 600, 10);
    WORD left = 0;
    WORD right = 0;
    levels.GetLevelsAt(1100, TRUE, TRUE, &left, &right);
    EXPECT_EQ(left, 600);
    EXPECT_EQ(right, 500);
    EXPECT_TRUE(levels.List(1).empty());
    EXPECT_EQ(levels.List(2).size(), 1u);  // the entry of age 100 is gone
}

TEST(LevelPercInd, RisesAtOnceFallsOncePerSecond)
{
    CLevelPercInd ind;
    ind.AddLevelAt(10000, 65535);
    EXPECT_EQ(ind.CombinedText(), L"+0 dB, 100%");
    EXPECT_EQ(ind.PercentText(), L"100%");
    EXPECT_EQ(ind.DecibelText(), L"+0 dB");
    // The loud sample stays within the second; a quiet one changes nothing.
    ind.AddLevelAt(10500, 100);
    EXPECT_EQ(ind.PercentText(), L"100%");
    // After a second the loud sample has gone: the fall shows.
    ind.AddLevelAt(11200, 32768);
    EXPECT_EQ(ind.PercentText(), L"50%");
    EXPECT_EQ(ind.DecibelText(), L"-6 dB");
    // A second fall within a second of the last change waits.
    ind.AddLevelAt(12300, 6554);
    ind.UpdateTexts(12300);
    EXPECT_EQ(ind.PercentText(), L"10%");
    ind.AddLevelAt(12400, 0);
    EXPECT_EQ(ind.PercentText(), L"10%");
    // A rise shows at once.
    ind.AddLevelAt(12500, 65535);
    EXPECT_EQ(ind.PercentText(), L"100%");
}

TEST(LevelPercInd, QuietLevelsHideDecibels)
{
    CLevelPercInd ind;
    ind.AddLevelAt(5000, 0);
    EXPECT_EQ(ind.CombinedText(), L"");
    EXPECT_EQ(ind.DecibelText(), L"");
    EXPECT_EQ(ind.PercentText(), L"0%");
}
