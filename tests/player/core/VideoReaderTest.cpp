// Reader wrapper over the engine double: registrations, callbacks through the shared-file
// registry, durations and format texts, error texts, and the callbacks' HRESULTs.
#include "tests/support/ComPrinters.h"
#include "tests/support/EngineDouble.h"
#include "player/core/SingleOpenFile.h"
#include "tests/support/TestEnv.h"
#include "player/core/VideoReader.h"

#include <gtest/gtest.h>

namespace {

using orvane::test::EngineDouble;
using orvane::test::ReaderDouble;

const std::wstring& Sample()
{
    static const std::wstring path = orvane::test::MediaPath(L"sample.wmv");
    return path;
}

TEST(VideoReader, OpenReadsThroughTheRegistry)
{
    EngineDouble engine;
    const int before = GetSOF().InstanceCount();
    {
        VideoReader reader(&engine);
        ASSERT_EQ(reader.Open(0, Sample().c_str(), 0, -1, 3), L"");
        ReaderDouble& r = *engine.readers.back();
        ASSERT_EQ(r.firstBytes.size(), 8u);
        EXPECT_EQ(r.firstBytes[0], 0x30);  // ASF header object id
        EXPECT_EQ(r.scanEnd, 1659648);
        EXPECT_EQ(reader.WindowLength(), 1659648);
        EXPECT_NE(r.main->sofId, r.scan->sofId);
        EXPECT_EQ(GetSOF().InstanceCount(), before + 2);
        EXPECT_NEAR(reader.Duration(), 12.34568, 1e-9);
        EXPECT_EQ(reader.AudioFormatText(), L"WMA 2");
        EXPECT_EQ(reader.CameraFormatText(), L"WMV 2 cam");
        EXPECT_EQ(reader.ScreenFormatText(), L"");
        EXPECT_STREQ(reader.Tags().text[3], L"Engine title");
        EXPECT_TRUE(reader.IsOtherSource(0, reader.MainAccess().sofId, 0, -1));
        EXPECT_FALSE(reader.IsOtherSource(0, reader.MainAccess().sofId, 0, 1659648));
        EXPECT_TRUE(reader.IsOtherSource(1, reader.MainAccess().sofId, 0, 1659648));
        EXPECT_TRUE(reader.IsOtherSource(0, 999, 0, 1659648));
    }
    EXPECT_EQ(GetSOF().InstanceCount(), before);
    EXPECT_EQ(engine.readersAlive, 0);
}

TEST(VideoReader, FlagsZeroSkipFormatsAndTags)
{
    EngineDouble engine;
    VideoReader reader(&engine);
    ASSERT_EQ(reader.Open(0, Sample().c_str(), 1000, 5000, 0), L"");
    EXPECT_EQ(engine.readers.back()->tags, nullptr);
    EXPECT_EQ(engine.readers.back()->scanEnd, 5000);
    EXPECT_EQ(reader.AudioFormatText(), L"");
}

TEST(VideoReader, FailedRegistrationLeavesNothing)
{
    EngineDouble engine;
    const int before = GetSOF().InstanceCount();
    VideoReader reader(&engine);
    EXPECT_NE(reader.Open(0, (Sample() + L".none").c_str(), 0, -1, 3), L"");
    EXPECT_EQ(GetSOF().InstanceCount(), before);
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(engine.readers.size(), 0u);
}

TEST(VideoReader, NullEngineReaderIsAnError)
{
    EngineDouble engine;
    engine.failReaders = true;
    const int before = GetSOF().InstanceCount();
    VideoReader reader(&engine);
    EXPECT_NE(reader.Open(0, Sample().c_str(), 0, -1, 3), L"");
    EXPECT_EQ(GetSOF().InstanceCount(), before);
    EXPECT_EQ(reader.SetReadRange(0, 10), L"");
    EXPECT_EQ(reader.ShowVideo(), L"");
}

TEST(VideoReader, EngineErrorAndCloseDoNotTouchReusedIds)
{
    EngineDouble engine;
    engine.nextOpenError = L"cannot read";
    VideoReader reader(&engine);
    EXPECT_EQ(reader.Open(0, Sample().c_str(), 0, -1, 3), L"cannot read");
    const int mainId = reader.MainAccess().sofId;
    reader.Close();
    // Another reader gets the freed ids; closing the first again must leave them alone.
    int other = 0;
    ASSERT_EQ(GetSOF().OpenSFile(&other, Sample().c_str(), 0, -1), L"");
    EXPECT_EQ(other, mainId);
    reader.Close();
    EXPECT_EQ(GetSOF().GetSFileName(other).empty(), false);
    GetSOF().CloseSFile(other);
}

TEST(VideoReader, PlaybackOperations)
{
    EngineDouble engine;
    VideoReader reader(&engine);
    ASSERT_EQ(reader.Open(0, Sample().c_str(), 0, -1, 0), L"");
    ReaderDouble& r = *engine.readers.back();
    EXPECT_EQ(reader.Play(nullptr, TRUE, FALSE, 1.5, 1.0), L"");
    EXPECT_EQ(r.playVolume, 0);
    EXPECT_FALSE(r.playFilter);
    EXPECT_EQ(reader.Play(nullptr, TRUE, FALSE, 1.0, 0.0), L"");
    EXPECT_EQ(r.playVolume, -10000);
    double pos = 0;
    EXPECT_EQ(reader.Stop(&pos), L"");
    EXPECT_EQ(r.stopArgument, TRUE);
    EXPECT_EQ(pos, 4.5);
    EXPECT_EQ(reader.Pause(), L"cannot pause");
    int64_t found = 0;
    EXPECT_EQ(reader.FindFrame(0, 100, 50, FALSE, &found), L"");
    EXPECT_EQ(found, 5);
    BOOL ok = FALSE;
    EXPECT_EQ(reader.GetFrameTime(0, &ok, &found), L"no frames");
}

TEST(VideoReader, CallbackOfUnregisteredIdReportsAnError)
{
    READER_CB_PARAMS gone;
    gone.sofId = 4242;
    unsigned char buffer[4];
    HRESULT hr = S_OK;
    EXPECT_EQ(VideoReader::ReadCallback(buffer, 4, &gone, &hr), 0xFFFFFFFFu);
    EXPECT_HR(static_cast<HRESULT>(0x80070000u | ERROR_INVALID_HANDLE), hr);
    EXPECT_EQ(VideoReader::SeekCallback(0, 0, &gone, &hr), -1);
}

}  // namespace
