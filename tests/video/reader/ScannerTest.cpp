// The key-frame scanner against the packet list an independent reader (ffprobe) wrote for
// the generated presentations: next, previous and key-frame answers for every video frame.
#include "video/reader/KeyScanner.h"
#include "tests/video/splitter/SplitterRig.h"
#include "tests/support/TestEnv.h"
#include "tests/video/splitter/TestFileCallbacks.h"
#include "tests/video/TestInstance.h"

#include <gtest/gtest.h>

namespace {

constexpr LONGLONG kSecond = 10000000;

struct ScannerRig {
    READER_CB_PARAMS context;
    KeyScanner scanner;
    std::wstring Open(const wchar_t* name)
    {
        if (!context.OpenFile(orvane::test::MediaPath(name))) {
            return L"cannot open the test file";
        }
        return scanner.Open(name, &context, TestRead, TestSeek);
    }
};

std::vector<ExpectedPacket> StreamPackets(const wchar_t* name, int index)
{
    std::vector<ExpectedPacket> out;
    for (const ExpectedPacket& p : ExpectedPackets(name)) {
        if (p.streamIndex == index) {
            out.push_back(p);
        }
    }
    return out;
}

TEST(Scanner, EveryFrameMatchesThePacketList)
{
    ScopedCallback callback;
    ScannerRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    const std::vector<ExpectedPacket> frames = StreamPackets(L"one-video.wmv", 0);
    ASSERT_GT(frames.size(), 10u);
    const WORD stream = 1;
    const LONGLONG end = frames.back().time + kSecond;
    for (size_t i = 0; i < frames.size(); ++i) {
        LONGLONG t = -2;
        BOOL key = 2;
        ASSERT_EQ(rig.scanner.FrameProp(&t, stream, frames[i].time, &key), L"");
        EXPECT_EQ(t, frames[i].time) << i;
        EXPECT_EQ(key != FALSE, frames[i].key) << i;
        ASSERT_EQ(rig.scanner.NextFrame(&t, stream, end, frames[i].time, FALSE), L"");
        EXPECT_EQ(t, i + 1 < frames.size() ? frames[i + 1].time : -1) << i;
        ASSERT_EQ(rig.scanner.PrevFrame(&t, stream, 0, frames[i].time, FALSE), L"");
        EXPECT_EQ(t, i > 0 ? frames[i - 1].time : -1) << i;
    }
    // Key frames only: the next key frame after the first frame.
    LONGLONG nextKey = -1;
    for (size_t i = 1; i < frames.size() && nextKey < 0; ++i) {
        nextKey = frames[i].key ? frames[i].time : -1;
    }
    LONGLONG t = -2;
    ASSERT_EQ(rig.scanner.NextFrame(&t, stream, end, frames[0].time, TRUE), L"");
    EXPECT_EQ(t, nextKey);
}

TEST(Scanner, EdgeCases)
{
    ScopedCallback callback;
    ScannerRig rig;
    ASSERT_EQ(rig.Open(L"one-video.wmv"), L"");
    const std::vector<ExpectedPacket> frames = StreamPackets(L"one-video.wmv", 0);
    LONGLONG t = -2;
    // No time lies strictly between equal bounds: -1 at once, not a scan of the file.
    EXPECT_EQ(rig.scanner.NextFrame(&t, 1, frames[3].time, frames[3].time, FALSE), L"");
    EXPECT_EQ(t, -1);
    // A sample exactly at the end bound is not the answer.
    EXPECT_EQ(rig.scanner.NextFrame(&t, 1, frames[4].time, frames[3].time, FALSE), L"");
    EXPECT_EQ(t, -1);
    EXPECT_EQ(rig.scanner.PrevFrame(&t, 1, frames[2].time, frames[2].time, FALSE), L"");
    EXPECT_EQ(t, -1);
    // Between two frames: the later one.
    BOOL key = FALSE;
    EXPECT_EQ(rig.scanner.FrameProp(&t, 1, frames[5].time + 1, &key), L"");
    EXPECT_EQ(t, frames[6].time);
    // Before the first frame there is none: -1, distinct from any frame time.
    EXPECT_EQ(rig.scanner.PrevFrame(&t, 1, 0, frames[1].time, FALSE), L"");
    EXPECT_EQ(t, frames[0].time);
    EXPECT_EQ(rig.scanner.PrevFrame(&t, 1, 0, frames[0].time, FALSE), L"");
    EXPECT_EQ(t, -1);
    // Bad arguments name the query and the stream number.
    const std::wstring bad = rig.scanner.NextFrame(&t, 0, kSecond, 0, FALSE);
    EXPECT_NE(bad.find(L"NextFrame"), std::wstring::npos) << bad;
    EXPECT_EQ(t, -1);
    EXPECT_NE(rig.scanner.FrameProp(&t, 1, -5, &key).find(L"FrameProp"), std::wstring::npos);
    EXPECT_NE(rig.scanner.NextFrame(&t, 1, 0, kSecond, FALSE), L"");
    rig.scanner.Close();
    EXPECT_NE(rig.scanner.PrevFrame(&t, 1, 0, kSecond, FALSE).find(L"PrevFrame"),
              std::wstring::npos);
}

TEST(Scanner, PrevFrameReadsBackOverSeveralWindows)
{
    ScopedCallback callback;
    ScannerRig rig;
    ASSERT_EQ(rig.Open(L"sample.wmv"), L"");
    // The screen stream has 5 frames a second; key frames are rarer: the previous key frame
    // may lie more than a second back.
    const std::vector<ExpectedPacket> frames = StreamPackets(L"sample.wmv", 1);
    ASSERT_FALSE(frames.empty());
    for (size_t i = frames.size() - 1; i > 0 && i + 40 > frames.size(); --i) {
        LONGLONG expected = -1;
        for (size_t k = 0; k < i; ++k) {
            expected = frames[k].key ? frames[k].time : expected;
        }
        LONGLONG t = -2;
        ASSERT_EQ(rig.scanner.PrevFrame(&t, 2, 0, frames[i].time, TRUE), L"");
        EXPECT_EQ(t, expected) << i;
    }
}

TEST(Scanner, DamagedFileFailsToOpen)
{
    ScopedCallback callback;
    ScannerRig rig;
    const std::wstring error = rig.Open(L"damaged-header-flipped.wmv");
    EXPECT_NE(error.find(L"OpenStream"), std::wstring::npos) << error;
    LONGLONG t = 0;
    EXPECT_NE(rig.scanner.NextFrame(&t, 1, kSecond, 0, FALSE), L"");
}

}  // namespace
