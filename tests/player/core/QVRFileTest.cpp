// Open presentation over the engine double and the sample file: what an open builds, the
// format texts, a failed open's key, seeking and frame steps across the timeline.
#include "tests/support/EngineDouble.h"
#include "player/core/QVRFile.h"
#include "player/core/SingleOpenFile.h"
#include "tests/support/TestEnv.h"
#include "player/core/VideoReader.h"
#include "player/core/WMTag.h"

#include <gtest/gtest.h>

namespace {

using orvane::test::EngineDouble;
using orvane::test::ReaderDouble;

std::wstring Sample() { return orvane::test::MediaPath(L"sample.wmv"); }

TEST(QVRFile, OpenBuildsFormatsBlocksAndBookmarks)
{
    EngineDouble engine;
    QVRFile file(&engine);
    file.SetReaderMode(0);
    ASSERT_EQ(file.Open(Sample().c_str()), L"");
    EXPECT_NEAR(file.GetDuration(), 12.34568, 1e-9);
    EXPECT_NEAR(file.GetMainFileDuration(), 12.34568, 1e-9);
    ASSERT_EQ(file.Blocks().Count(), 1);
    EXPECT_EQ(file.Blocks().Block(0).length, 1659648);
    ASSERT_NE(file.GetBookmarks(), nullptr);
    EXPECT_EQ(file.GetBookmarks()->Count(), 5);
    EXPECT_EQ(file.GetFormatText(0), L"Short WMA 2");
    EXPECT_EQ(file.GetFormatText(1), L"Params WMA 2");
    EXPECT_EQ(file.GetFormatText(2), L"Alt WMA 2");
    EXPECT_EQ(file.GetFormatText(3), L"Short WMA 2; Params WMA 2");
    EXPECT_EQ(file.GetFormatText(4), L"Short WMV 2 cam");
    EXPECT_EQ(file.GetFormatText(10), L"-");
    EXPECT_EQ(file.GetFormatText(12), L"");
    EXPECT_TRUE(file.HasVideo());
    EXPECT_EQ(file.GetTitle(), L"Engine title");
    EXPECT_EQ(file.GetFilePath(), Sample());
    file.Close();
    EXPECT_EQ(file.Key(), 0);
    EXPECT_EQ(engine.readersAlive, 0);
    EXPECT_EQ(engine.formatsCreated, engine.formatsReleased);
}

TEST(QVRFile, AudioOnlyHasNoVideo)
{
    EngineDouble engine;
    engine.withCamera = false;
    QVRFile file(&engine);
    ASSERT_EQ(file.Open(Sample().c_str()), L"");
    EXPECT_FALSE(file.HasVideo());
    EXPECT_EQ(file.GetFormatText(6), L"-");
}

TEST(QVRFile, FailedOpenGivesItsKeyBackOnce)
{
    EngineDouble engine;
    engine.nextOpenError = L"engine cannot read";
    const int before = GetSOF().InstanceCount();
    auto* file = new QVRFile(&engine);
    EXPECT_EQ(file->Open(Sample().c_str()), L"engine cannot read");
    EXPECT_EQ(GetSOF().InstanceCount(), before);
    EXPECT_EQ(file->Key(), 0);
    int other = 0;
    ASSERT_EQ(GetSOF().OpenSFile(&other, Sample().c_str(), 0, -1), L"");
    delete file;
    EXPECT_EQ(GetSOF().GetSFileName(other), Sample());
    GetSOF().CloseSFile(other);
    EXPECT_EQ(engine.readersAlive, 0);
}

TEST(QVRFile, MissingFileGivesTheRegistryText)
{
    EngineDouble engine;
    QVRFile file(&engine);
    EXPECT_NE(file.Open((Sample() + L".none").c_str()), L"");
    EXPECT_EQ(engine.readers.size(), 0u);
}

TEST(QVRFile, SeekAndPlayOnAfterTheOnlyBlock)
{
    EngineDouble engine;
    QVRFile file(&engine);
    file.SetReaderMode(0);
    ASSERT_EQ(file.Open(Sample().c_str()), L"");
    ReaderDouble& r = *engine.readers.back();
    EXPECT_EQ(file.Seek(2.5), L"");
    EXPECT_EQ(file.CurrentBlock(), 0);
    EXPECT_EQ(r.rangeStart, 25000000);
    EXPECT_EQ(r.rangeLength, static_cast<LONGLONG>((12.34568 - 2.5) * 10000000.0 + 0.499999));
    EXPECT_EQ(r.shows, 1);
    EXPECT_EQ(engine.readers.size(), 1u);  // same source: the reader stays
    EXPECT_EQ(file.Seek(file.GetDuration()), L"");
    EXPECT_NEAR(file.BlockOffset(), 12.34568, 1e-9);
    EXPECT_EQ(file.NextBlock(), 1);
    EXPECT_EQ(file.PlayNextBlock(), L"");
}

TEST(QVRFile, FrameSteps)
{
    EngineDouble engine;
    engine.findRelative = true;
    engine.findResult = 400000;
    QVRFile file(&engine);
    ASSERT_EQ(file.Open(Sample().c_str()), L"");
    double position = -1;
    EXPECT_EQ(file.StepFrame(FALSE, &position, 2.0), L"");
    EXPECT_NEAR(position, 2.04, 1e-9);
    engine.readers.back()->findResult = -1;
    EXPECT_EQ(file.StepFrame(TRUE, &position, 0), L"");
    EXPECT_EQ(position, 0);
    EXPECT_EQ(file.StepFrame(FALSE, &position, 12.0), L"");
    EXPECT_NEAR(position, file.GetDuration(), 1e-9);
    EXPECT_EQ(engine.readersAlive, 1);
}

TEST(QVRFile, BackwardStepCrossesIntoThePreviousBlock)
{
    EngineDouble engine;
    engine.findResult = -1;  // no frame before the start of the later block
    QVRFile file(&engine);
    file.SetReaderMode(0);
    ASSERT_EQ(file.Open(Sample().c_str()), L"");
    MediaBlock later = file.Blocks().Block(0);
    const MediaBlock whole = later;
    file.EditBlocks().Build(&file, whole.source, whole.length, 10);
    later.start = 20;
    later.duration = 5;
    file.EditBlocks().Append(later);
    ReaderDouble& r = *engine.readers.back();
    r.frameTimeError = nullptr;
    r.frameTimeOffset = -400000;
    double position = -1;
    ASSERT_EQ(file.StepFrame(TRUE, &position, 10.0), L"");
    EXPECT_NEAR(position, 9.96, 1e-9);
    r.frameTimeError = L"engine failed";
    EXPECT_EQ(file.StepFrame(TRUE, &position, 10.0), L"engine failed");
    EXPECT_EQ(engine.readersAlive, 1);
}

TEST(QVRFile, TitleFromFileNameWithoutTag)
{
    EngineDouble engine;
    engine.title = nullptr;
    QVRFile file(&engine);
    ASSERT_EQ(file.Open(Sample().c_str()), L"");
    EXPECT_EQ(file.GetTitle(), L"sample");
}

TEST(QVRFile, BlockOfAnotherSourceGetsItsOwnReader)
{
    EngineDouble engine;
    QVRFile file(&engine);
    file.SetReaderMode(0);
    ASSERT_EQ(file.Open(Sample().c_str()), L"");
    int other = 0;
    int64_t size = 0;
    const std::wstring otherPath = orvane::test::MediaPath(L"one-video.wmv");
    ASSERT_EQ(GetSOF().OpenSFile(&other, otherPath.c_str(), 0, -1, &size), L"");
    MediaBlock b;
    b.source = other;
    b.length = size;
    b.start = 2;
    b.timeBase = 1;
    b.duration = 3;
    file.EditBlocks().Append(b);
    EXPECT_NEAR(file.GetDuration(), 15.34568, 1e-9);
    EXPECT_NEAR(file.GetMainFileDuration(), 12.34568, 1e-9);

    ASSERT_EQ(file.Seek(13.34568), L"");
    EXPECT_EQ(file.CurrentBlock(), 1);
    ASSERT_EQ(engine.readers.size(), 2u);
    EXPECT_EQ(engine.readersAlive, 1);
    EXPECT_EQ(engine.readers[1]->rangeStart, 20000000);  // source 3 s, time base 1 s
    EXPECT_NEAR(file.RangePosition(), 13.34568, 1e-9);
    EXPECT_EQ(GetSOF().GetSFileName(file.Reader()->MainAccess().sofId), otherPath);

    ASSERT_EQ(file.Seek(1), L"");
    EXPECT_EQ(engine.readers.size(), 3u);
    EXPECT_EQ(engine.readersAlive, 1);

    // A block whose source is gone: the error comes back and the reader in use stays.
    MediaBlock gone = b;
    gone.source = 9999;
    file.EditBlocks().Append(gone);
    VideoReader* before = file.Reader();
    EXPECT_NE(file.Seek(16), L"");
    EXPECT_EQ(file.Reader(), before);
    file.Close();
    GetSOF().CloseSFile(other);
    EXPECT_EQ(engine.readersAlive, 0);
}

TEST(QVRFile, FileBaseNames)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\x\\talk.wmv", L"talk"}, {L"", L""},          {L"noext", L"noext"},
        {L"C:\\a.b\\c", L"c"},         {L"a.b.c", L"a.b"},
    };
    for (const auto& [path, base] : cases) {
        EXPECT_EQ(GetFileBaseName(path), base) << testing::PrintToString(path);
    }
}

TEST(QVRFile, NoOpenPresentation)
{
    EXPECT_EQ(GetOpenFileFormatText(3), L"");
    EXPECT_EQ(GetOpenFilePath(), L"");
    EXPECT_FALSE(IsOpenFileModified());
    EXPECT_FALSE(GetOpenFileTitle().empty());
}

}  // namespace
