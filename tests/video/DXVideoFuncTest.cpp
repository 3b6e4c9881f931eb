// Media-type text form and its faults, the format checks, the display texts and the media-type
// readers of the engine's helpers.
#include "video/CodecInventory.h"
#include "video/DXVideoFunc.h"
#include "video/EngineText.h"
#include "tests/video/MediaTypes.h"
#include "tests/video/TestInstance.h"
#include "WinNT_SP/Include_VS2005/TypedValue.h"

#include <gtest/gtest.h>

#include <cstring>

using orvane::test::AudioType;
using orvane::test::VideoType;

namespace {

constexpr DWORD kWmv3 = 0x33564D57;

bool SameType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b)
{
    return IsEqualGUID(a.majortype, b.majortype) && IsEqualGUID(a.subtype, b.subtype) &&
           IsEqualGUID(a.formattype, b.formattype) &&
           a.bFixedSizeSamples == b.bFixedSizeSamples &&
           a.bTemporalCompression == b.bTemporalCompression &&
           // The sample size of variable-size samples carries no meaning.
           (!a.bFixedSizeSamples || a.lSampleSize == b.lSampleSize) &&
           a.cbFormat == b.cbFormat &&
           (a.cbFormat == 0 || std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0);
}

bool IsEmptyType(const AM_MEDIA_TYPE& t)
{
    return IsEqualGUID(t.majortype, GUID_NULL) && IsEqualGUID(t.formattype, GUID_NULL) &&
           t.cbFormat == 0 && t.pbFormat == nullptr && t.bFixedSizeSamples && t.lSampleSize == 1;
}

// A media-type text with freely chosen member sizes, for the reader's fault paths.
std::wstring CraftedText(size_t majorBytes, const GUID& major, size_t formatBytes)
{
    enum { kHeader, kMajor, kSub, kFt, kFix, kTmp, kSs, kFmt, kEnd, kCount };
    TypedValue v[kCount];
    InitBinaryValue(v[kMajor], L"Majortype");
    InitBinaryValue(v[kSub], L"Subtype");
    InitBinaryValue(v[kFt], L"FormatType");
    InitIntValue(v[kFix], L"IsFixSzSmpls");
    InitIntValue(v[kTmp], L"IsTmprlCmprs");
    InitIntValue(v[kSs], L"SampleSize");
    InitBinaryValue(v[kFmt], L"Format");
    InitEndMarker(v[kEnd]);
    InitRecordHeader(v[kHeader], nullptr, kCount, false);
    const BYTE zeros[128] = {};
    v[kMajor].SetBinary(static_cast<uint32_t>(majorBytes), &major);
    v[kSub].SetBinary(16, zeros);
    v[kFt].SetBinary(16, zeros);
    v[kFmt].SetBinary(static_cast<uint32_t>(formatBytes), zeros);
    for (int i = kMajor; i <= kFmt; ++i) {
        v[i].MarkSet();
    }
    std::wstring text = v[kHeader].ToText(1);
    v[kHeader].Reset();
    return text;
}

TEST(MediaTypeText, RoundTripsVideoAndAudio)
{
    CMediaType video = VideoType(kWmv3, 640, 480, 2000000);
    video.bTemporalCompression = TRUE;
    video.bFixedSizeSamples = FALSE;  // variable-size samples carry a sample size of 0
    video.lSampleSize = 0;
    CMediaType audio = AudioType(0x161, 44100, 2, 8000);
    audio.SetSampleSize(4);
    for (const CMediaType* type : {&video, &audio}) {
        const std::wstring text = DXVideoFunc::MediaTypeToText(*type);
        EXPECT_EQ(text.rfind(L"(Majortype=", 0), 0u) << text;
        for (const wchar_t* key : {L",Subtype=", L",FormatType=", L",IsFixSzSmpls=",
                                   L",IsTmprlCmprs=", L",SampleSize=", L",Format="}) {
            EXPECT_NE(text.find(key), std::wstring::npos) << key;
        }
        CMediaType back;
        ScopedCallback log;
        DXVideoFunc::TextToMediaType(text.c_str(), back);
        EXPECT_TRUE(SameType(*type, back)) << text;
        EXPECT_TRUE(log.instance.lines.empty()) << log.instance.All();
    }
}

TEST(MediaTypeText, SampleSizeDecidesFixedSize)
{
    CMediaType type = AudioType(1, 8000, 1, 16000);
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = 0;
    CMediaType back;
    DXVideoFunc::TextToMediaType(DXVideoFunc::MediaTypeToText(type).c_str(), back);
    EXPECT_FALSE(back.bFixedSizeSamples);
    EXPECT_EQ(back.lSampleSize, 1u);
}

TEST(MediaTypeText, VariableSizeSamplesSurviveRepeatedRoundTrips)
{
    CMediaType type = VideoType(kWmv3, 320, 240, 666666);
    type.bFixedSizeSamples = FALSE;
    type.lSampleSize = 1;
    std::wstring text = DXVideoFunc::MediaTypeToText(type);
    EXPECT_NE(text.find(L",IsFixSzSmpls=0,IsTmprlCmprs=0,SampleSize=0,"), std::wstring::npos);
    for (int i = 0; i < 3; ++i) {
        CMediaType back;
        DXVideoFunc::TextToMediaType(text.c_str(), back);
        EXPECT_FALSE(back.bFixedSizeSamples) << i;
        const std::wstring again = DXVideoFunc::MediaTypeToText(back);
        EXPECT_EQ(again, text);
        text = again;
    }
}

TEST(MediaTypeText, TypeWithoutFormatBlockReadsBackEmpty)
{
    CMediaType type;
    type.majortype = MEDIATYPE_Text;
    const std::wstring text = DXVideoFunc::MediaTypeToText(type);
    ScopedCallback log;
    CMediaType back = VideoType(0, 1, 1, 1);
    DXVideoFunc::TextToMediaType(text.c_str(), back);
    EXPECT_TRUE(IsEmptyType(back));
    EXPECT_TRUE(log.instance.Logged(L"Format Size")) << log.instance.All();
}

TEST(MediaTypeText, BadTextsLeaveAnEmptyTypeAndALogLine)
{
    struct Case {
        std::wstring text;
        const wchar_t* logged;  // null: no log line at all
    };
    const Case cases[] = {
        {L"", nullptr},
        {L"(Majortype=", L"DescrSize: -1 != 11"},
        {L"no typed value", L"DescrSize: -1"},
        {CraftedText(4, MEDIATYPE_Video, 88), L"GUID Size"},
        {CraftedText(16, MEDIATYPE_Video, 87), L"VFormatLength 87"},
        {CraftedText(16, MEDIATYPE_Audio, 16), L"AFormatLength 16"},
        {CraftedText(16, MEDIATYPE_Interleaved, 31), L"DvFormatLength 31"},
        {CraftedText(16, MEDIATYPE_Video, 0), L"Format Size"},
    };
    for (const Case& c : cases) {
        ScopedCallback log;
        CMediaType out = AudioType(1, 1, 1, 1);
        DXVideoFunc::TextToMediaType(c.text.c_str(), out);
        EXPECT_TRUE(IsEmptyType(out)) << c.text;
        if (c.logged) {
            EXPECT_TRUE(log.instance.Logged(c.logged)) << c.text << "\n" << log.instance.All();
            EXPECT_TRUE(log.instance.Logged(L"V.Unexp.cond.(DXVideoFunc, "));
        } else {
            EXPECT_TRUE(log.instance.lines.empty());
        }
    }
    // Other major types have no minimum format size.
    CMediaType text;
    DXVideoFunc::TextToMediaType(CraftedText(16, MEDIATYPE_Text, 1).c_str(), text);
    EXPECT_EQ(text.cbFormat, 1u);
}

TEST(FormatChecks, AudioTypes)
{
    EXPECT_EQ(DXVideoFunc::CheckAudioType(AudioType(1, 44100, 2, 176400)), L"");

    CMediaType video = VideoType(0, 320, 240, 400000);
    EXPECT_EQ(DXVideoFunc::CheckAudioType(video),
              L"Invalid audio format: unsupported AM_MEDIA_TYPE::format type "
              L"(05589F80-C356-11CE-BF0100AA0055595A).");

    CMediaType noBlock = AudioType(1, 44100, 2, 176400);
    DXVideoFunc::AllocZeroedFormat(noBlock, 0);
    EXPECT_NE(DXVideoFunc::CheckAudioType(noBlock).find(L"Function: Format ()"),
              std::wstring::npos);

    CMediaType shortBlock = AudioType(1, 44100, 2, 176400);
    shortBlock.cbFormat = 10;
    EXPECT_NE(DXVideoFunc::CheckAudioType(shortBlock).find(L"Function: Format (cbFormat=10)"),
              std::wstring::npos);
}

TEST(FormatChecks, VideoTypes)
{
    EXPECT_EQ(DXVideoFunc::CheckVideoType(VideoType(0, 320, 240, 400000)), L"");
    EXPECT_EQ(DXVideoFunc::CheckVideoType(VideoType(0, 320, -240, 400000)), L"");
    EXPECT_EQ(DXVideoFunc::CheckVideoType(VideoType(0, -5, 240, 0)),
              L"Invalid video size: -5*240");
    EXPECT_EQ(DXVideoFunc::CheckVideoType(VideoType(0, 320, 0, 0)), L"Invalid video size: 320*0");

    CMediaType shortBlock = VideoType(0, 320, 240, 400000);
    shortBlock.cbFormat = 40;
    EXPECT_EQ(DXVideoFunc::CheckVideoType(shortBlock), L"Invalid video size: 0*0");

    for (const GUID* formatType : {&FORMAT_MPEG2Video, &FORMAT_DvInfo, &GUID_NULL}) {
        CMediaType other = VideoType(0, 320, 240, 400000);
        other.formattype = *formatType;
        EXPECT_EQ(DXVideoFunc::CheckVideoType(other).rfind(
                      L"Invalid video format: unsupported AM_MEDIA_TYPE::format type (", 0),
                  0u);
    }
}

TEST(FormatTexts, AudioCodecNames)
{
    struct Case {
        WORD tag;
        const wchar_t* longName;
        const wchar_t* shortName;
    };
    const Case cases[] = {
        {0x0001, L"PCM", L"PCM"},
        {0x0055, L"MPEG Layer-3", L"MP3"},
        {0x0130, L"Sipro Labs ACELP", L"Sipro Labs ACELP"},
        {0x0161, L"Windows Media Audio V7", L"WMA V7"},
        {0x0162, L"Windows Media Audio 9 Professional", L"WMA 9 Prof."},
        {0x0163, L"Windows Media Audio 9 Lossless", L"WMA Lossless"},
        {0x000A, L"Windows Media Audio 9 Voice", L"WMA Voice"},
        {0x1234, L"?", L"?"},
    };
    for (const Case& c : cases) {
        const CMediaType type = AudioType(c.tag, 44100, 2, 16000);
        EXPECT_EQ(DXVideoFunc::AudioCodecName(type, TRUE), c.longName) << c.tag;
        EXPECT_EQ(DXVideoFunc::AudioCodecName(type, FALSE), c.shortName) << c.tag;
    }
    CMediaType none;
    EXPECT_EQ(DXVideoFunc::AudioCodecName(none, TRUE), L"?");
    EXPECT_EQ(DXVideoFunc::AudioParamsText(none), L"?");
}

TEST(FormatTexts, AudioParameters)
{
    struct Case {
        DWORD bytes;
        DWORD rate;
        WORD channels;
        const wchar_t* text;
    };
    const Case cases[] = {
        {176400, 44100, 2, L"1411 kbps, 44 kHz, 2 ch"},
        {8000, 22050, 1, L"64 kbps, 22 kHz, 1 ch"},
        {0, 44100, 2, L", 44 kHz, 2 ch"},
        {16000, 300000, 12, L"128 kbps"},
        {0, 0, 0, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DXVideoFunc::AudioParamsText(AudioType(1, c.rate, c.channels, c.bytes)),
                  c.text);
    }
}

TEST(FormatTexts, VideoParameters)
{
    const CMediaType ntsc = VideoType(kWmv3, 320, 240, 333667, 24);
    EXPECT_EQ(DXVideoFunc::VideoParamsText(ntsc, TRUE), L"320x240, 24 bit, 29.97 fps");
    EXPECT_EQ(DXVideoFunc::VideoParamsText(ntsc, FALSE), L"320x240, 30 fps");
    EXPECT_EQ(DXVideoFunc::VideoParamsText(VideoType(0, 640, -480, 400000, 32), TRUE),
              L", 32 bit, 25.00 fps");
    EXPECT_EQ(DXVideoFunc::VideoParamsText(VideoType(0, 640, 480, 0, 0), TRUE), L"640x480");
    EXPECT_EQ(DXVideoFunc::FourCcText(ntsc, FALSE), L"WMV3");
    EXPECT_EQ(DXVideoFunc::FourCcText(VideoType(0, 1, 1, 1), TRUE), L"RGB");
}

TEST(MediaTypeReaders, DvFormats)
{
    for (bool fifty : {true, false}) {
        CMediaType dv;
        dv.majortype = MEDIATYPE_Interleaved;
        dv.subtype = MEDIASUBTYPE_dvsd;
        dv.formattype = FORMAT_DvInfo;
        DXVideoFunc::AllocZeroedFormat(dv, 32);
        const DWORD aux = fifty ? 0x200000 : 0;
        std::memcpy(dv.pbFormat + 16, &aux, sizeof(aux));
        EXPECT_EQ(DXVideoFunc::WidthOf(dv), 720);
        EXPECT_EQ(DXVideoFunc::HeightOf(dv), fifty ? 576 : 480);
        EXPECT_EQ(DXVideoFunc::BitCountOf(dv), 24);
        EXPECT_DOUBLE_EQ(DXVideoFunc::FrameRateOf(dv), fifty ? 25.0 : 29.97002997002997);
        EXPECT_EQ(DXVideoFunc::FourCcText(dv, FALSE), L"DVSD");
    }
}

TEST(MediaTypeReaders, SameWaveFormat)
{
    WAVEFORMATEX a = {};
    a.wFormatTag = 0x161;
    a.nChannels = 2;
    a.nSamplesPerSec = 44100;
    a.nAvgBytesPerSec = 8000;
    a.nBlockAlign = 2973;
    a.cbSize = 10;
    WAVEFORMATEX b = a;
    EXPECT_TRUE(DXVideoFunc::SameWaveFormat(a, b));
    b.nAvgBytesPerSec = 0x7FFFFF32;
    EXPECT_TRUE(DXVideoFunc::SameWaveFormat(a, b));
    EXPECT_TRUE(DXVideoFunc::SameWaveFormat(b, a));
    b.nAvgBytesPerSec = 8001;
    EXPECT_FALSE(DXVideoFunc::SameWaveFormat(a, b));
    b = a;
    b.cbSize = 0;
    EXPECT_FALSE(DXVideoFunc::SameWaveFormat(a, b));
    b = a;
    b.nChannels = 1;
    EXPECT_FALSE(DXVideoFunc::SameWaveFormat(a, b));
}

TEST(MediaTypeReaders, CopyIntoOneBlock)
{
    AM_MEDIA_TYPE* block = nullptr;
    EXPECT_NE(DXVideoFunc::CopyMediaTypeToBlock(nullptr, nullptr).find(L"CopyMediaType"),
              std::wstring::npos);
    EXPECT_NE(DXVideoFunc::CopyMediaTypeToBlock(&block, nullptr).find(L"Source"),
              std::wstring::npos);
    EXPECT_EQ(block, nullptr);
    const CMediaType audio = AudioType(0x161, 44100, 2, 8000);
    EXPECT_EQ(DXVideoFunc::CopyMediaTypeToBlock(&block, &audio), L"");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->pbFormat, reinterpret_cast<BYTE*>(block) + sizeof(AM_MEDIA_TYPE));
    EXPECT_TRUE(SameType(*block, audio));
    delete[] reinterpret_cast<BYTE*>(block);
}

TEST(MediaTypeReaders, UncompressedAudioType)
{
    CMediaType pcm;
    EXPECT_EQ(DXVideoFunc::SetAudioTypeToUncompressed(pcm, AudioType(0x161, 32000, 2, 4000)),
              S_OK);
    const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(pcm.pbFormat);
    EXPECT_EQ(wave->wFormatTag, 1);
    EXPECT_EQ(wave->nChannels, 2);
    EXPECT_EQ(wave->nSamplesPerSec, 32000u);
    EXPECT_EQ(wave->nBlockAlign, 4);
    EXPECT_EQ(wave->nAvgBytesPerSec, 128000u);
    EXPECT_EQ(pcm.lSampleSize, 4u);
    EXPECT_TRUE(IsEqualGUID(pcm.subtype, MEDIASUBTYPE_PCM));
    CMediaType none;
    EXPECT_EQ(DXVideoFunc::SetAudioTypeToUncompressed(pcm, none), E_POINTER);
}

TEST(MediaTypeReaders, NoStreamObjectIsAnError)
{
    std::wstring error;
    CMediaType out = AudioType(1, 8000, 1, 16000);
    DXVideoFunc::MediaTypeFromProps(nullptr, error, out);
    EXPECT_NE(error.find(L"Function: QueryInterface (IID_IWMMediaProps)"), std::wstring::npos);
    EXPECT_EQ(out.cbFormat, sizeof(WAVEFORMATEX));
}

}  // namespace
