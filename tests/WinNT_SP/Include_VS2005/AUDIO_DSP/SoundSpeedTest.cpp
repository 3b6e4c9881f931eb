// Streaming wrapper: nothing before Init, partial input blocks wait, the start-up skip, the
// queue and its reads, a fresh start on a second Init, and the drain at the end of a stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SoundSpeed.h"

namespace {

std::vector<float> Ramp(size_t count)
{
    std::vector<float> v(count);
    for (size_t i = 0; i < count; ++i) {
        v[i] = static_cast<float>(std::sin(0.001 * static_cast<double>(i)) * 0.5);
    }
    return v;
}

std::vector<float> Drain(SoundSpeed& s)
{
    std::vector<float> out(s.GetQueuedCount());
    out.resize(s.Read(static_cast<unsigned>(out.size()), out.data()));
    return out;
}

TEST(SoundSpeed, ProcessBeforeInitDoesNothing)
{
    SoundSpeed s;
    const std::vector<float> in = Ramp(5000);
    EXPECT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    EXPECT_EQ(s.GetQueuedCount(), 0u);
    float dest[4];
    EXPECT_EQ(s.Read(4, dest), 0u);
}

TEST(SoundSpeed, FailedInitIgnoresInput)
{
    SoundSpeed s;
    EXPECT_FALSE(s.Init(44100, 3, 1.0));
    const std::vector<float> in = Ramp(9000);
    EXPECT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    EXPECT_EQ(s.GetQueuedCount(), 0u);
}

TEST(SoundSpeed, PartialBlockWaits)
{
    SoundSpeed s;
    ASSERT_TRUE(s.Init(44100, 2, 1.0));
    const std::vector<float> in = Ramp(799);
    EXPECT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    EXPECT_EQ(s.GetPendingInput(), 799u);
    EXPECT_EQ(s.GetQueuedCount(), 0u);
    EXPECT_TRUE(s.Process(in.data(), 1));
    EXPECT_EQ(s.GetPendingInput(), 0u);
}

TEST(SoundSpeed, UnitSpeedKeepsTheInputStartAndLength)
{
    SoundSpeed s;
    ASSERT_TRUE(s.Init(44100, 1, 1.0));
    EXPECT_EQ(s.GetStartSkip(), 1248);
    const std::vector<float> in = Ramp(400 * 50 + 123);
    // Fed in uneven pieces: the result must not depend on how the input is cut.
    size_t pos = 0;
    for (unsigned piece = 1; pos < in.size(); piece = piece * 3 % 1001 + 1) {
        const unsigned n = static_cast<unsigned>(std::min<size_t>(piece, in.size() - pos));
        ASSERT_TRUE(s.Process(in.data() + pos, n));
        pos += n;
    }
    const std::vector<float> out = Drain(s);
    // Every 400 input frames give 400 output frames; the history (B - L = 1248 frames) and the
    // unfinished block are held back.
    EXPECT_EQ(out.size(), 400u * 50 - 1248);
    EXPECT_EQ(s.GetPendingInput(), 123u);
    EXPECT_EQ(out[0], in[0]);
    for (int j = 0; j < 352; ++j) {
        ASSERT_EQ(out[j], in[j]) << j;
    }
}

TEST(SoundSpeed, ReadCopiesFromTheFrontAndKeepsTheRest)
{
    SoundSpeed s;
    ASSERT_TRUE(s.Init(44100, 1, 1.0));
    const std::vector<float> in = Ramp(400 * 10);
    ASSERT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    const unsigned queued = s.GetQueuedCount();
    ASSERT_EQ(queued, 400u * 10 - 1248);

    std::vector<float> first(100);
    EXPECT_EQ(s.Read(100, first.data()), 100u);
    EXPECT_EQ(s.GetQueuedCount(), queued - 100);
    EXPECT_EQ(s.Read(0, first.data()), 0u);
    EXPECT_EQ(s.Read(10, nullptr), 0u);
    const std::vector<float> rest = Drain(s);
    EXPECT_EQ(rest.size(), queued - 100);
    EXPECT_EQ(first[0], in[0]);
    EXPECT_EQ(rest[0], in[100]);
    EXPECT_EQ(s.Read(10, first.data()), 0u);
}

TEST(SoundSpeed, QueueGrowsWhenNobodyReads)
{
    SoundSpeed s;
    ASSERT_TRUE(s.Init(44100, 2, 0.5));
    const std::vector<float> in = Ramp(2 * 44100);
    ASSERT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    // 44100 frames at hop 200 make 220 blocks of 400 frames, less the 2848-frame start skip.
    EXPECT_EQ(s.GetQueuedCount(), 2u * (220 * 400 - 2848));
}

TEST(SoundSpeed, SecondInitStartsAgain)
{
    SoundSpeed s;
    ASSERT_TRUE(s.Init(44100, 1, 1.0));
    const std::vector<float> in = Ramp(400 * 10 + 7);
    ASSERT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    const std::vector<float> firstRun = Drain(s);
    ASSERT_TRUE(s.Process(in.data(), 3));

    ASSERT_TRUE(s.Init(44100, 1, 1.0));
    EXPECT_EQ(s.GetQueuedCount(), 0u);
    EXPECT_EQ(s.GetPendingInput(), 0u);
    ASSERT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    EXPECT_EQ(Drain(s), firstRun);
}

// Silence, then a 1 kHz burst in the last 50 ms: where the burst lands shows whether the end of
// the input reached the output.
std::vector<float> SilenceThenBurst(int rate, int channels, size_t frames)
{
    const size_t burst = static_cast<size_t>(rate / 20);
    std::vector<float> v(frames * static_cast<size_t>(channels), 0.0f);
    for (size_t f = frames > burst ? frames - burst : 0; f < frames; ++f) {
        const double t = static_cast<double>(f) / rate;
        const float value = static_cast<float>(0.8 * std::sin(2 * std::numbers::pi * 1000 * t));
        for (int c = 0; c < channels; ++c) {
            v[f * static_cast<size_t>(channels) + static_cast<size_t>(c)] = value;
        }
    }
    return v;
}

float Peak(const std::vector<float>& v, size_t from, size_t to)
{
    float peak = 0;
    for (size_t i = from; i < to && i < v.size(); ++i) {
        peak = std::max(peak, std::fabs(v[i]));
    }
    return peak;
}

struct DrainCase {
    int rate;
    int channels;
    double speed;
    size_t frames;
};

// The drain passes on what the stretch still holds: the output covers the whole input at the
// realised speed (to the frame), and the burst at the input's end is in the output's last part.
TEST(SoundSpeed, DrainPassesOnTheTailAtEverySpeed)
{
    const DrainCase cases[] = {
        {44100, 2, 0.3, 30000},   {44100, 2, 0.5, 26460}, {44100, 1, 0.75, 17777},
        {22050, 1, 1.0, 11025},   {44100, 2, 2.0, 44100}, {22050, 2, 3.0, 22051},
        {48000, 1, 0.334, 24000},
    };
    for (const DrainCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " ch, speed "
                                        << c.speed << ", " << c.frames << " frames");
        SoundSpeed s;
        ASSERT_TRUE(s.Init(c.rate, c.channels, c.speed));
        const std::vector<float> in = SilenceThenBurst(c.rate, c.channels, c.frames);
        std::vector<float> out;
        std::vector<float> piece(4096);
        size_t pos = 0;
        for (unsigned n = 1; pos < in.size(); n = n * 7 % 5003 + 1) {
            const unsigned take = static_cast<unsigned>(std::min<size_t>(n, in.size() - pos));
            ASSERT_TRUE(s.Process(in.data() + pos, take));
            pos += take;
            const unsigned got = s.Read(static_cast<unsigned>(piece.size()), piece.data());
            out.insert(out.end(), piece.begin(), piece.begin() + got);
        }
        const size_t heldBack = out.size() + s.GetQueuedCount();
        ASSERT_TRUE(s.Drain());
        const std::vector<float> rest = Drain(s);
        out.insert(out.end(), rest.begin(), rest.end());
        EXPECT_GT(out.size(), heldBack);

        const double exact = static_cast<double>(c.frames) * s.GetOverlapLen() / s.GetHopIn();
        const size_t frames = out.size() / static_cast<size_t>(c.channels);
        EXPECT_EQ(out.size() % static_cast<size_t>(c.channels), 0u);
        EXPECT_GE(static_cast<double>(frames), exact);
        EXPECT_LT(static_cast<double>(frames), exact + 1);

        // The burst, stretched, fills the output's end (the last block fades out); before it
        // the output is silent. A segment's place may be off by the search width, and a block
        // step reads a search width and two blocks of input ahead of what it writes.
        const size_t ch = static_cast<size_t>(c.channels);
        const size_t burstOut = static_cast<size_t>((c.frames - c.rate / 20) / c.speed);
        const double search = 2.0 * s.GetSearchHalf();
        const size_t late = static_cast<size_t>(s.GetOverlapLen() + search / c.speed);
        const size_t early = static_cast<size_t>((search + 2 * s.GetOverlapLen()) / c.speed);
        EXPECT_GT(Peak(out, (frames - c.rate / 100) * ch, out.size()), 0.25f) << "last 10 ms";
        EXPECT_GT(Peak(out, (burstOut + late) * ch, out.size()), 0.4f);
        EXPECT_LT(Peak(out, 0, (burstOut - early) * ch), 0.01f);
    }
}

TEST(SoundSpeed, AfterTheDrainInputWaitsForTheNextInit)
{
    SoundSpeed s;
    ASSERT_TRUE(s.Init(44100, 2, 0.5));
    const std::vector<float> in = Ramp(2 * 5000);
    ASSERT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    ASSERT_TRUE(s.Drain());
    const unsigned drained = s.GetQueuedCount();
    EXPECT_EQ(drained, 2u * 10000);
    // A second drain and more input change nothing; the queue still reads out.
    ASSERT_TRUE(s.Drain());
    ASSERT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    EXPECT_EQ(s.GetQueuedCount(), drained);
    EXPECT_EQ(s.GetPendingInput(), 0u);

    // A new Init starts a stream again, with the same result for the same input.
    const std::vector<float> first = Drain(s);
    ASSERT_TRUE(s.Init(44100, 2, 0.5));
    EXPECT_EQ(s.GetQueuedCount(), 0u);
    ASSERT_TRUE(s.Process(in.data(), static_cast<unsigned>(in.size())));
    ASSERT_TRUE(s.Drain());
    EXPECT_EQ(Drain(s), first);
}

TEST(SoundSpeed, DrainWithoutInputOrInitGivesNothing)
{
    SoundSpeed unused;
    EXPECT_TRUE(unused.Drain());
    EXPECT_EQ(unused.GetQueuedCount(), 0u);
    SoundSpeed empty;
    ASSERT_TRUE(empty.Init(44100, 1, 0.3));
    EXPECT_TRUE(empty.Drain());
    EXPECT_EQ(empty.GetQueuedCount(), 0u);
}

}  // namespace
