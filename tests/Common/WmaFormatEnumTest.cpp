// The audio format walk over whatever codecs the Windows Media runtime here offers: it must
// end, report consistent entries, honour its subtype filter and never report passes 2 as a
// refused setting.
#include "Common/WmaFormatEnum.h"
#include "Common/WmFormatHelpers.h"

#include <gtest/gtest.h>

#include <uuids.h>

namespace {

TEST(WmaFormatEnum, NextBeforeInitIsTheEnd)
{
    WmaFormatEnum walk;
    WmaFormatEntry entry;
    EXPECT_FALSE(walk.Next(entry));
    EXPECT_FALSE(walk.IsReady());
}

TEST(WmaFormatEnum, WalkEndsAndEntriesAreConsistent)
{
    WmaFormatEnum walk;
    walk.Init(nullptr);
    WmaFormatEntry entry;
    int formats = 0;
    while (walk.Next(entry)) {
        ASSERT_NE(entry.mediaType, nullptr);
        EXPECT_TRUE(entry.passes == 1 || entry.passes == 2);
        EXPECT_TRUE(entry.variableBitRate == FALSE || entry.variableBitRate == TRUE);
        if (entry.waveFormat) {
            EXPECT_EQ(reinterpret_cast<BYTE*>(entry.waveFormat), entry.mediaType->pbFormat);
        }
        ASSERT_LT(++formats, 100000) << "the walk does not end";
    }
    // An exhausted walk stays at its end.
    EXPECT_FALSE(walk.IsReady());
    EXPECT_FALSE(walk.Next(entry));
    EXPECT_EQ(entry.mediaType, nullptr);
}

TEST(WmaFormatEnum, SubtypeFilterYieldsOnlyThatSubtype)
{
    // WMA 9 Voice: {0000000A-0000-0010-8000-00AA00389B71}.
    const GUID voice = {0x0000000A, 0x0000, 0x0010,
                        {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    WmaFormatEnum walk;
    walk.Init(&voice);
    WmaFormatEntry entry;
    int formats = 0;
    while (walk.Next(entry) && formats < 100000) {
        ++formats;
        EXPECT_TRUE(IsEqualGUID(entry.mediaType->subtype, voice));
    }
}

TEST(WmFormatHelpers, NullArgumentsAreRefused)
{
    EXPECT_EQ(GetMediaTypeBlob(nullptr), nullptr);
    wchar_t text[128] = L"stale";
    EXPECT_FALSE(GetAudioFormatDesc(nullptr, 0, 0, text));
    EXPECT_STREQ(text, L"");
}

}  // namespace
