// The audio format walk, the format descriptions, the complexity reader and the codec
// inventory against made-up codec information with known codecs and settings behaviour.
#include "video/CodecInventory.h"
#include "video/DXVideoFunc.h"
#include "video/EngineText.h"
#include "tests/video/FakeCodecInfo.h"
#include "tests/video/MediaTypes.h"
#include "tests/video/TestInstance.h"
#include "Common/WmFormatHelpers.h"
#include "Common/WmaFormatEnum.h"

#include <gtest/gtest.h>

#include <nserror.h>

#include <string>
#include <vector>

using orvane::test::AudioType;
using orvane::test::VideoType;

namespace {

constexpr WORD kWma = 0x161;
constexpr WORD kVoice = 0x000A;

GUID WaveSubtype(WORD tag)
{
    return {tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

FakeFormat Format(WORD tag, DWORD rate, const wchar_t* description)
{
    FakeFormat f;
    f.type = AudioType(tag, rate, 2, rate / 2);
    f.description = description;
    return f;
}

FakeCodec AudioCodec(WORD tag, int formats)
{
    FakeCodec codec;
    codec.name = L"codec";
    for (int i = 0; i < formats; ++i) {
        codec.formats.push_back(Format(tag, 8000u * (i + 1), L"format"));
    }
    return codec;
}

struct Visit {
    DWORD codec;
    DWORD format;
    DWORD passes;
    BOOL vbr;
    bool operator==(const Visit& o) const
    {
        return codec == o.codec && format == o.format && passes == o.passes && vbr == o.vbr;
    }
};

std::vector<Visit> Walk(FakeCodecInfo* info, const GUID* filter)
{
    WmaFormatEnum walk;
    walk.InitWith(info, filter);
    EXPECT_TRUE(walk.IsReady());
    std::vector<Visit> visits;
    WmaFormatEntry entry;
    while (walk.Next(entry) && visits.size() < 1000) {
        EXPECT_NE(entry.waveFormat, nullptr);
        EXPECT_NE(entry.streamConfig, nullptr);
        visits.push_back({entry.codecIndex, entry.formatIndex, entry.passes,
                          entry.variableBitRate});
    }
    EXPECT_FALSE(walk.IsReady());
    return visits;
}

TEST(WmaFormatWalk, EveryCombinationInOrder)
{
    FakeCodecInfo* info = new FakeCodecInfo();
    info->audio.push_back(AudioCodec(kWma, 2));
    const std::vector<Visit> expected = {
        {0, 0, 1, FALSE}, {0, 1, 1, FALSE}, {0, 0, 2, FALSE}, {0, 1, 2, FALSE},
        {0, 0, 1, TRUE},  {0, 1, 1, TRUE},  {0, 0, 2, TRUE},  {0, 1, 2, TRUE},
    };
    EXPECT_EQ(Walk(info, nullptr), expected);
    info->Release();
}

TEST(WmaFormatWalk, RefusedSettings)
{
    struct Case {
        HRESULT vbr;
        HRESULT passes;
        std::vector<Visit> visits;
    };
    const Case cases[] = {
        // Unsupported passes setting: walked once per bit-rate mode, reported as one pass.
        {S_OK, NS_E_UNSUPPORTED_PROPERTY, {{0, 0, 1, FALSE}, {0, 0, 1, TRUE}}},
        // Unsupported bit-rate setting: walked once per passes value, reported as constant.
        {NS_E_UNSUPPORTED_PROPERTY, S_OK, {{0, 0, 1, FALSE}, {0, 0, 2, FALSE}}},
        // Any other refusal skips the codec's remaining combinations.
        {E_FAIL, S_OK, {}},
        {S_OK, E_FAIL, {}},
    };
    for (const Case& c : cases) {
        FakeCodecInfo* info = new FakeCodecInfo();
        info->audio.push_back(AudioCodec(kWma, 1));
        info->audio[0].vbrResult = c.vbr;
        info->audio[0].passesResult = c.passes;
        info->audio.push_back(AudioCodec(kVoice, 1));
        std::vector<Visit> visits = Walk(info, nullptr);
        // The second codec accepts everything and always follows with its four combinations.
        ASSERT_GE(visits.size(), 4u);
        visits.resize(visits.size() - 4);
        EXPECT_EQ(visits, c.visits) << std::hex << c.vbr << " " << c.passes;
        info->Release();
    }
}

TEST(WmaFormatWalk, SubtypeFilter)
{
    FakeCodecInfo* info = new FakeCodecInfo();
    info->audio.push_back(AudioCodec(kWma, 2));
    info->audio.push_back(AudioCodec(kVoice, 1));
    const GUID voice = WaveSubtype(kVoice);
    const std::vector<Visit> voiceOnly = {
        {1, 0, 1, FALSE}, {1, 0, 2, FALSE}, {1, 0, 1, TRUE}, {1, 0, 2, TRUE}};
    EXPECT_EQ(Walk(info, &voice), voiceOnly);

    // The first format of another subtype ends that codec's part of the walk.
    FakeCodecInfo* mixed = new FakeCodecInfo();
    FakeCodec codec = AudioCodec(kVoice, 1);
    codec.formats.push_back(Format(kWma, 8000, L"other"));
    codec.formats.push_back(Format(kVoice, 16000, L"later"));
    mixed->audio.push_back(std::move(codec));
    const std::vector<Visit> firstOnly = {{0, 0, 1, FALSE}};
    EXPECT_EQ(Walk(mixed, &voice), firstOnly);
    info->Release();
    mixed->Release();
}

TEST(WmaFormatWalk, NoCodecsEndsAtOnce)
{
    FakeCodecInfo* info = new FakeCodecInfo();
    WmaFormatEnum walk;
    walk.InitWith(info, nullptr);
    WmaFormatEntry entry;
    EXPECT_FALSE(walk.Next(entry));
    EXPECT_FALSE(walk.IsReady());
    info->Release();
}

TEST(WmaFormatWalk, DescriptionIsCut)
{
    FakeCodecInfo* info = new FakeCodecInfo();
    info->audio.push_back(AudioCodec(kWma, 1));
    info->audio[0].formats[0].description = std::wstring(200, L'd');
    wchar_t text[128];
    EXPECT_TRUE(GetAudioFormatDesc(info, 0, 0, text));
    EXPECT_EQ(std::wstring(text), std::wstring(127, L'd'));
    EXPECT_FALSE(GetAudioFormatDesc(info, 0, 5, text));
    EXPECT_STREQ(text, L"");
    info->Release();
}

TEST(CodecComplexity, ReadsWhatTheCodecHas)
{
    FakeCodecInfo* info = new FakeCodecInfo();
    FakeCodec full;
    full.props = {{L"_COMPLEXITYEXMAX", 4}, {L"_COMPLEXITYEXLIVE", 2},
                  {L"_COMPLEXITYEXOFFLINE", 3}};
    FakeCodec maxOnly;
    maxOnly.props = {{L"_COMPLEXITYEXMAX", 5}};
    info->video = {full, maxOnly, FakeCodec()};
    struct Case {
        DWORD codec;
        DWORD max;
        DWORD live;
        DWORD offline;
        size_t logLines;
    };
    const Case cases[] = {{0, 4, 2, 3, 0}, {1, 5, 0, 0, 2}, {2, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        ScopedCallback log;
        DWORD max = 9;
        DWORD live = 9;
        DWORD offline = 9;
        EXPECT_EQ(DXVideoFunc::GetWMCodecComplexity(info, c.codec, &max, &live, &offline), S_OK);
        EXPECT_EQ(max, c.max);
        EXPECT_EQ(live, c.live);
        EXPECT_EQ(offline, c.offline);
        EXPECT_EQ(log.instance.lines.size(), c.logLines) << log.instance.All();
    }
    info->Release();
    EXPECT_EQ(DXVideoFunc::GetIWMCodecInfo3(nullptr), E_POINTER);
}

FakeCodec VideoCodec(const wchar_t* name, DWORD code)
{
    FakeCodec codec;
    codec.name = name;
    FakeFormat format;
    format.type = VideoType(code, 320, 240, 400000);
    codec.formats.push_back(std::move(format));
    codec.props = {{L"_COMPLEXITYEXMAX", 4}, {L"_COMPLEXITYEXLIVE", 1},
                   {L"_COMPLEXITYEXOFFLINE", 2}};
    return codec;
}

TEST(CodecInventoryBuild, VideoCodecs)
{
    FakeCodecInfo* info = new FakeCodecInfo();
    info->video.push_back(VideoCodec(L"Windows Media Video 9", 0x33564D57));  // WMV3
    info->video.push_back(VideoCodec(L"Windows Media Video 9 Advanced", 0x31435657));  // WVC1
    info->video.push_back(FakeCodec());  // no format at all
    FakeCodec audioLike;
    audioLike.name = L"odd";
    audioLike.formats.push_back(Format(kWma, 8000, L""));
    info->video.push_back(std::move(audioLike));
    info->video.push_back(VideoCodec(L"Windows Media Screen 9", 0x3253534D));  // MSS2

    ScopedCallback log;
    CodecInventory inventory;
    inventory.UseCodecInfo(info);
    ASSERT_EQ(inventory.GetVideoCodecCount(), 2) << log.instance.All();
    const VideoCodecEntry* wmv3 = inventory.GetVideoCodec(0);
    EXPECT_EQ(wmv3->index, 0);
    EXPECT_EQ(wmv3->codeText, L"WMV3");
    EXPECT_EQ(wmv3->name, L"Windows Media Video 9");
    EXPECT_EQ(wmv3->description, EngineString(208));
    EXPECT_EQ(wmv3->complexityMax, 4);
    EXPECT_EQ(wmv3->complexityLive, 1);
    EXPECT_EQ(wmv3->complexityOffline, 2);
    const VideoCodecEntry* mss2 = inventory.GetVideoCodec(1);
    EXPECT_EQ(mss2->index, 4);
    EXPECT_EQ(mss2->description, EngineString(210));
    EXPECT_TRUE(log.instance.Logged(L"V.Info.(CodecInventory, ")) << log.instance.All();
    EXPECT_TRUE(log.instance.Logged(L"Miss WMV codec WVC1"));
    EXPECT_TRUE(log.instance.Logged(L"GetCodecFormat[2]"));
    EXPECT_TRUE(log.instance.Logged(L"VIDEOINFOHEADER[3]"));

    // Built once: a second access reads the list without asking the codecs again.
    const size_t lines = log.instance.lines.size();
    EXPECT_EQ(inventory.GetVideoCodecCount(), 2);
    EXPECT_EQ(log.instance.lines.size(), lines);
    info->Release();
}

TEST(CodecInventoryBuild, NoVideoCodecsIsLoggedOnEveryAccess)
{
    FakeCodecInfo* info = new FakeCodecInfo();
    ScopedCallback log;
    CodecInventory inventory;
    inventory.UseCodecInfo(info);
    EXPECT_EQ(inventory.GetVideoCodecCount(), 0);
    EXPECT_EQ(inventory.GetVideoCodec(0), nullptr);
    EXPECT_TRUE(log.instance.Logged(L"HR=0x80004005 No WMVCodecs")) << log.instance.All();
    EXPECT_EQ(log.instance.lines.size(), 2u);
    info->Release();
}

TEST(CodecInventoryBuild, AudioFormatsOfTheTwoListedCodecs)
{
    FakeCodecInfo* info = new FakeCodecInfo();
    FakeCodec wma = AudioCodec(kWma, 2);
    wma.formats[0].description = L"  48 kbps, 44 kHz, stereo  ";
    info->audio.push_back(std::move(wma));
    info->audio.push_back(AudioCodec(0x162, 3));  // not listed
    info->audio.push_back(AudioCodec(kVoice, 1));

    CodecInventory inventory;
    inventory.UseCodecInfo(info);
    ASSERT_EQ(inventory.GetAudioCodecCount(), 2);
    const AudioCodecEntry* first = inventory.GetAudioCodec(0);
    EXPECT_EQ(first->formatTag, kWma);
    EXPECT_EQ(first->longName, L"Windows Media Audio V7");
    // Single-pass formats only: each format under both bit-rate modes.
    ASSERT_EQ(first->formats.size(), 4u);
    EXPECT_EQ(first->formats[0]->description, L"48 kbps, 44 kHz, stereo");
    EXPECT_EQ(first->formats[0]->vbr, 0);
    EXPECT_EQ(first->formats[2]->vbr, 1);
    for (const auto& format : first->formats) {
        EXPECT_EQ(format->passes, 1);
        EXPECT_EQ(format->codecIndex, 0);
        ASSERT_NE(format->waveFormat, nullptr);
        EXPECT_EQ(format->waveFormat->wFormatTag, kWma);
        EXPECT_NE(format->streamConfig, nullptr);
    }
    const AudioCodecEntry* voice = inventory.GetAudioCodec(1);
    EXPECT_EQ(voice->formatTag, kVoice);
    ASSERT_EQ(voice->formats.size(), 2u);
    EXPECT_EQ(voice->formats[0]->codecIndex, 2);
    info->Release();
}

}  // namespace
