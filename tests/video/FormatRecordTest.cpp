// Audio and video format records: default formats and their texts, descriptors that are
// accepted or replaced by the default, connected media types, and the stream-object path.
#include "video/CQVRAudioFormat.h"
#include "video/CQVRVideoFormat.h"
#include "video/DXVideoFunc.h"
#include "tests/video/MediaTypes.h"
#include "tests/video/TestInstance.h"
#include "WinNT_SP/Include_VS2005/TypedValue.h"

#include <gtest/gtest.h>

#include <string>

using orvane::test::AudioType;
using orvane::test::VideoType;

namespace {

struct Description {
    std::wstring text[4];
};

template <class Record>
Description DescriptionOf(Record& record)
{
    wchar_t block[4 * 256];
    record.GetDescription(block);
    Description d;
    for (int i = 0; i < 4; ++i) {
        d.text[i] = block + i * 256;
    }
    return d;
}

// A descriptor built through the typed-value form; an empty version leaves the member out.
std::wstring Descriptor(const wchar_t* versionKey, const std::wstring& version,
                        const AM_MEDIA_TYPE& type)
{
    TypedValue v[4];
    InitIntValue(v[1], versionKey);
    InitStringValue(v[2], L"MediaType");
    InitEndMarker(v[3]);
    InitRecordHeader(v[0], nullptr, 4, false);
    if (!version.empty()) {
        v[1].SetInt(_wtoi(version.c_str()));
        v[1].MarkSet();
    }
    v[2].SetStringValue(DXVideoFunc::MediaTypeToText(type).c_str());
    std::wstring text = v[0].ToText(1);
    v[0].Reset();
    return text;
}

TEST(AudioFormatRecord, EmptyOrNullTextGivesTheDefault)
{
    for (const wchar_t* text : {static_cast<const wchar_t*>(nullptr), L""}) {
        ScopedCallback log;
        CQVRAudioFormat record;
        record.SetText(text);
        EXPECT_EQ(record.GetSamplesPerSec(), 44100u);
        EXPECT_EQ(record.GetAvgBytesPerSec(), 176400u);
        EXPECT_EQ(record.GetChannels(), 2u);
        EXPECT_EQ(std::wstring(record.GetText()).rfind(L"(QVRAFmtVer=10000,MediaType=", 0), 0u)
            << record.GetText();
        EXPECT_TRUE(log.instance.lines.empty()) << log.instance.All();
        const Description d = DescriptionOf(record);
        EXPECT_EQ(d.text[0], L"PCM");
        EXPECT_EQ(d.text[1], L"PCM");
        EXPECT_EQ(d.text[2], L"1411 kbps, 44 kHz, 2 ch");
        EXPECT_EQ(d.text[3], L"1411 kbps, 44 kHz, 2 ch");
    }
}

TEST(VideoFormatRecord, EmptyTextGivesTheDefault)
{
    CQVRVideoFormat record;
    record.SetText(L"");
    EXPECT_DOUBLE_EQ(record.GetFrameRate(), 25.0);
    int w = 0;
    int h = 0;
    record.GetFrameSize(&w, &h);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    const Description d = DescriptionOf(record);
    EXPECT_EQ(d.text[0], L"RGB");
    EXPECT_EQ(d.text[1], L"RGB");
    EXPECT_EQ(d.text[2], L"320x240, 25.00 fps");
    EXPECT_EQ(d.text[3], L"320x240, 25 fps");
    EXPECT_EQ(std::wstring(record.GetText()).rfind(L"(QVRVFmtVer=10000,MediaType=", 0), 0u);
}

TEST(FormatRecord, NewRecordTextIsEmptyUntilAGetterRuns)
{
    CQVRVideoFormat video;
    EXPECT_STREQ(video.GetText(), L"");
    DescriptionOf(video);
    EXPECT_NE(std::wstring(video.GetText()), L"");
    CQVRAudioFormat audio;
    EXPECT_STREQ(audio.GetText(), L"");
    EXPECT_EQ(audio.GetChannels(), 2u);
}

TEST(FormatRecord, DescriptorVersions)
{
    const CMediaType type = AudioType(0x161, 22050, 1, 2000);
    struct Case {
        const wchar_t* version;
        bool accepted;
    };
    const Case cases[] = {{L"10000", true}, {L"5", true}, {L"1", true},
                          {L"0", false},    {L"-3", false}, {L"", false}};
    for (const Case& c : cases) {
        ScopedCallback log;
        CQVRAudioFormat record;
        record.SetText(Descriptor(L"QVRAFmtVer", c.version, type).c_str());
        EXPECT_EQ(record.GetSamplesPerSec(), c.accepted ? 22050u : 44100u) << c.version;
        if (c.accepted) {
            EXPECT_TRUE(log.instance.lines.empty()) << log.instance.All();
            // The stored descriptor is the record's own normalised form.
            EXPECT_EQ(std::wstring(record.GetText()),
                      Descriptor(L"QVRAFmtVer", L"10000", type));
        } else {
            EXPECT_TRUE(log.instance.Logged(L"Function: Inv.ver (")) << log.instance.All();
            EXPECT_TRUE(log.instance.Logged(L"Inv.descr: [("));
        }
    }
}

TEST(FormatRecord, UnreadableDescriptorsFallBackToTheDefault)
{
    const CMediaType mpeg2 = [] {
        CMediaType t = VideoType(0, 720, 576, 400000);
        t.formattype = FORMAT_MPEG2Video;
        DXVideoFunc::AllocZeroedFormat(t, 200);
        return t;
    }();
    struct Case {
        std::wstring text;
        const wchar_t* logged;
    };
    const Case cases[] = {
        {L"not a descriptor", L"Function: AdsUnpackFromString (not a descriptor)"},
        {L"(QVRVFmtVer=10000)", L"Function: UnpackFromString ()"},
        {L"(QVRVFmtVer=10000,MediaType=)", L"Function: UnpackFromString ()"},
        {L"(QVRVFmtVer=10000,MediaType=junk)",
         L"Invalid video format: unsupported AM_MEDIA_TYPE::format type "
         L"(00000000-0000-0000-0000000000000000)."},
        {Descriptor(L"QVRVFmtVer", L"1", mpeg2), L"Invalid video format"},
        {Descriptor(L"QVRVFmtVer", L"1", VideoType(0, -1, 240, 0)),
         L"Invalid video size: -1*240"},
        {Descriptor(L"QVRVFmtVer", L"1", AudioType(1, 8000, 1, 16000)), L"Invalid video format"},
    };
    for (const Case& c : cases) {
        ScopedCallback log;
        CQVRVideoFormat record;
        record.SetText(c.text.c_str());
        int w = 0;
        int h = 0;
        record.GetFrameSize(&w, &h);
        EXPECT_EQ(w, 320) << c.text;
        EXPECT_EQ(h, 240);
        EXPECT_TRUE(log.instance.Logged(c.logged)) << c.text << "\n" << log.instance.All();
        EXPECT_TRUE(log.instance.Logged(L"Inv.descr: [")) << c.text;
        EXPECT_EQ(std::wstring(record.GetText()).rfind(L"(QVRVFmtVer=10000,", 0), 0u);
    }
}

TEST(FormatRecord, ZeroTimePerFrameReportsTwentyFive)
{
    CQVRVideoFormat record;
    const CMediaType type = VideoType(0x33564D57, 640, 480, 0, 24);
    record.SetText(Descriptor(L"QVRVFmtVer", L"10000", type).c_str());
    EXPECT_DOUBLE_EQ(record.GetFrameRate(), 25.0);
    const Description d = DescriptionOf(record);
    EXPECT_EQ(d.text[2], L"640x480, 24 bit");
    EXPECT_EQ(d.text[3], L"640x480");
    EXPECT_EQ(d.text[1], L"WMV3");
}

TEST(FormatRecord, ConnectedMediaTypes)
{
    CQVRAudioFormat audio;
    EXPECT_EQ(audio.SetMediaType(AudioType(0x161, 48000, 2, 24000)), L"");
    EXPECT_EQ(audio.GetSamplesPerSec(), 48000u);
    EXPECT_EQ(DescriptionOf(audio).text[1], L"WMA V7");

    // A type of the wrong kind is refused and the record keeps what it had.
    const std::wstring error = audio.SetMediaType(VideoType(0, 320, 240, 400000));
    EXPECT_EQ(error.rfind(L"Invalid audio format", 0), 0u);
    EXPECT_EQ(audio.GetSamplesPerSec(), 48000u);

    CQVRVideoFormat video;
    EXPECT_EQ(video.SetMediaType(VideoType(0x32564D57, 640, 480, 2000000, 24)), L"");
    EXPECT_DOUBLE_EQ(video.GetFrameRate(), 5.0);
    EXPECT_NE(video.SetMediaType(VideoType(0, 640, 0, 0)), L"");
    int w = 0;
    int h = 0;
    video.GetFrameSize(&w, &h);
    EXPECT_EQ(h, 480);
}

TEST(FormatRecord, StreamObjectWithoutMediaPropsKeepsTheRecord)
{
    ScopedCallback log;
    CQVRAudioFormat record;
    ASSERT_EQ(record.SetMediaType(AudioType(0x161, 32000, 1, 2000)), L"");
    const std::wstring before = record.GetText();
    IUnknown* noProps = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, reinterpret_cast<IStream**>(&noProps)),
              S_OK);
    record.SetFromMediaProps(noProps);
    noProps->Release();
    record.SetFromMediaProps(nullptr);
    EXPECT_EQ(std::wstring(record.GetText()), before);
    EXPECT_EQ(record.GetSamplesPerSec(), 32000u);
    EXPECT_TRUE(log.instance.Logged(L"Function: QueryInterface (IID_IWMMediaProps)"));
}

TEST(FormatRecord, NullArgumentsAreHarmless)
{
    CQVRAudioFormat audio;
    audio.GetDescription(nullptr);
    EXPECT_STREQ(audio.GetText(), L"");
    CQVRVideoFormat video;
    int w = 0;
    video.GetFrameSize(&w, nullptr);
    EXPECT_EQ(w, 320);
}

}  // namespace
