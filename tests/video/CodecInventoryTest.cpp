// Codec inventory: accessor bounds, the code descriptions and exclusions, the format texts that
// look codecs up, and a build against the Windows Media runtime that is installed here (which
// may offer no codecs at all: the lists must then say so honestly).
#include "video/CodecInventory.h"
#include "video/DXVideoFunc.h"
#include "video/EngineText.h"
#include "tests/video/MediaTypes.h"
#include "tests/video/TestInstance.h"

#include <gtest/gtest.h>

#include <memory>

using orvane::test::AudioType;
using orvane::test::VideoType;

namespace {

constexpr DWORD kWmv3 = 0x33564D57;

class ScopedInventory {
public:
    ScopedInventory() { SetEngineCodecInventory(&inventory); }
    ~ScopedInventory() { SetEngineCodecInventory(nullptr); }
    ScopedInventory(const ScopedInventory&) = delete;
    ScopedInventory& operator=(const ScopedInventory&) = delete;
    CodecInventory inventory;
};

std::unique_ptr<AudioFormatEntry> FormatEntry(const CMediaType& type, const wchar_t* text)
{
    auto entry = std::make_unique<AudioFormatEntry>();
    entry->description = text;
    EXPECT_EQ(DXVideoFunc::CopyMediaTypeToBlock(&entry->mediaType, &type), L"");
    entry->waveFormat = DXVideoFunc::WaveFormatOf(*entry->mediaType);
    return entry;
}

void FillKnownCodecs(CodecInventory& inventory)
{
    auto video = std::make_unique<VideoCodecEntry>();
    video->index = 0;
    video->code = kWmv3;
    video->name = L"Windows Media Video 9";
    video->codeText = L"WMV3";
    inventory.AddVideoCodec(std::move(video));

    auto audio = std::make_unique<AudioCodecEntry>();
    audio->formatTag = 0x161;
    audio->longName = L"Windows Media Audio V7";
    audio->shortName = L"WMA V7";
    audio->formats.push_back(
        FormatEntry(AudioType(0x161, 44100, 2, 8000), L"64 kbps, 44 kHz, stereo CBR"));
    inventory.AddAudioCodec(std::move(audio));
}

TEST(CodecInventory, AccessorBounds)
{
    ScopedInventory scoped;
    FillKnownCodecs(scoped.inventory);
    EXPECT_EQ(GetVideoCodecCount(), 1);
    EXPECT_NE(GetVideoCodec(0), nullptr);
    EXPECT_EQ(GetVideoCodec(-1), nullptr);
    EXPECT_EQ(GetVideoCodec(1), nullptr);
    EXPECT_EQ(GetAudioCodecCount(), 1);
    EXPECT_EQ(GetAudioCodec(-1), nullptr);
    EXPECT_EQ(GetAudioCodec(1), nullptr);
}

TEST(CodecInventory, NoInventoryMeansNoCodecs)
{
    SetEngineCodecInventory(nullptr);
    EXPECT_EQ(GetVideoCodecCount(), 0);
    EXPECT_EQ(GetVideoCodec(0), nullptr);
    EXPECT_EQ(GetAudioCodecCount(), 0);
    EXPECT_EQ(GetAudioCodec(0), nullptr);
}

TEST(CodecInventory, DescriptionsAndExclusions)
{
    EXPECT_EQ(CodecInventory::DescriptionOfCode(L"WMV3"), EngineString(208));
    EXPECT_EQ(CodecInventory::DescriptionOfCode(L"MSS2"), EngineString(210));
    EXPECT_EQ(CodecInventory::DescriptionOfCode(L"wmv3"), L"");
    EXPECT_EQ(CodecInventory::DescriptionOfCode(L"WVC1"), L"");
    for (const wchar_t* code : {L"WMVP", L"WVP2", L"MP43", L"MP4S", L"WVC1"}) {
        EXPECT_TRUE(CodecInventory::IsExcludedCode(code)) << code;
    }
    EXPECT_FALSE(CodecInventory::IsExcludedCode(L"WMV3"));
}

TEST(CodecInventory, FormatTextsUseTheListedCodecs)
{
    ScopedInventory scoped;
    FillKnownCodecs(scoped.inventory);
    const CMediaType video = VideoType(kWmv3, 320, 240, 666666);
    EXPECT_EQ(DXVideoFunc::FourCcText(video, TRUE), L"Windows Media Video 9");
    EXPECT_EQ(DXVideoFunc::FourCcText(video, FALSE), L"WMV3");
    EXPECT_EQ(DXVideoFunc::AudioParamsText(AudioType(0x161, 44100, 2, 8000)),
              L"64 kbps, 44 kHz, stereo CBR");
    // A quality-based rate matches a listed format whatever its byte rate.
    EXPECT_EQ(DXVideoFunc::AudioParamsText(AudioType(0x161, 44100, 2, 0x7FFFFF32)),
              L"64 kbps, 44 kHz, stereo CBR");
    EXPECT_EQ(DXVideoFunc::AudioParamsText(AudioType(0x161, 22050, 2, 8000)),
              L"64 kbps, 22 kHz, 2 ch");
}

TEST(CodecInventory, BuildFromTheInstalledRuntime)
{
    ScopedCallback log;
    CodecInventory inventory;
    const int videoCount = inventory.GetVideoCodecCount();
    for (int i = 0; i < videoCount; ++i) {
        const VideoCodecEntry* entry = inventory.GetVideoCodec(i);
        ASSERT_NE(entry, nullptr);
        EXPECT_GE(entry->index, 0);
        EXPECT_FALSE(CodecInventory::IsExcludedCode(entry->codeText)) << entry->codeText;
        EXPECT_EQ(entry->description, CodecInventory::DescriptionOfCode(entry->codeText));
    }
    if (videoCount == 0) {
        // Nothing found is said in the log, and every access tries again.
        EXPECT_TRUE(log.instance.Logged(L"V.Unexp.cond.(")) << log.instance.All();
        const size_t lines = log.instance.lines.size();
        EXPECT_EQ(inventory.GetVideoCodecCount(), 0);
        EXPECT_GT(log.instance.lines.size(), lines);
    }

    const int audioCount = inventory.GetAudioCodecCount();
    ASSERT_EQ(audioCount, 2) << log.instance.All();
    EXPECT_EQ(inventory.GetAudioCodec(0)->formatTag, 0x161);
    EXPECT_EQ(inventory.GetAudioCodec(0)->shortName, L"WMA V7");
    EXPECT_EQ(inventory.GetAudioCodec(1)->formatTag, 0x000A);
    EXPECT_EQ(inventory.GetAudioCodec(1)->longName, L"Windows Media Audio 9 Voice");
    for (int i = 0; i < audioCount; ++i) {
        for (const auto& format : inventory.GetAudioCodec(i)->formats) {
            EXPECT_EQ(format->passes, 1);
            ASSERT_NE(format->mediaType, nullptr);
            EXPECT_EQ(format->mediaType->subtype.Data1, inventory.GetAudioCodec(i)->formatTag);
        }
    }
}

}  // namespace
