// Format holders: description copies after each load, release on null and on destruction.
#include "tests/support/EngineDouble.h"
#include "player/core/VideoAudFmt.h"
#include "player/core/VideoVidFmt.h"

#include <gtest/gtest.h>

namespace {

using orvane::test::EngineDouble;

TEST(FormatWrappers, NeverLoadedDescriptionIsTwoEmptyTexts)
{
    EngineDouble engine;
    VideoAudFmt audio(&engine);
    EXPECT_EQ(audio.GetDescriptionText(), L"; ");
    EXPECT_EQ(engine.formatsCreated, 0);
}

TEST(FormatWrappers, LoadsReuseTheRecordAndNullReleasesIt)
{
    EngineDouble engine;
    {
        VideoAudFmt audio(&engine);
        audio.SetText(L"a1");
        IQVRAudioFormat* first = audio.Record();
        audio.SetText(L"a2");
        EXPECT_EQ(audio.Record(), first);
        EXPECT_EQ(engine.formatsCreated, 1);
        EXPECT_EQ(audio.GetDescriptionText(), L"Long a2; Params a2");
        EXPECT_STREQ(audio.Description(1), L"Short a2");
        audio.SetText(nullptr);
        EXPECT_EQ(audio.Record(), nullptr);
        EXPECT_EQ(engine.formatsReleased, 1);
        EXPECT_EQ(audio.GetDescriptionText(), L"Long a2; Params a2");
        audio.SetFromMediaProps(nullptr);
        EXPECT_EQ(engine.formatsCreated, 2);
        EXPECT_STREQ(audio.Description(3), L"Alt props");
    }
    EXPECT_EQ(engine.formatsReleased, 2);
}

TEST(FormatWrappers, VideoHolderReleasesOnDestruction)
{
    EngineDouble engine;
    {
        VideoVidFmt video(&engine);
        video.SetText(L"v");
        EXPECT_EQ(video.GetDescriptionText(), L"Long v; Params v");
    }
    EXPECT_EQ(engine.formatsCreated, 1);
    EXPECT_EQ(engine.formatsReleased, 1);
}

}  // namespace
