// Streaming wrapper: nothing before Init, partial input blocks wait, the start-up skip, the
// queue and its reads, and a fresh start on a second Init.
#include <gtest/gtest.h>

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

}  // namespace
