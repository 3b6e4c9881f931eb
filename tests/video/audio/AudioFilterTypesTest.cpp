// Media types the level tap and the sound-speed filter take and refuse, the format copy of the
// tap, and the calls that need a connection.
#include <gtest/gtest.h>

#include "video/audio/CAudioGrabberFilter.h"
#include "video/audio/CSoundSpeedFlt.h"
#include "tests/video/audio/RecordingSink.h"
#include "tests/video/audio/TestMediaTypes.h"

using audio_test::MakeType;
using audio_test::PcmFormat;

namespace {

struct SpeedTypeCase {
    const char* name;
    PcmFormat expected;
    PcmFormat offered;
    HRESULT want;
};

TEST(SoundSpeedFilterTypes, AcceptsOnlyWhatItConverts)
{
    const PcmFormat stereo16{};
    const PcmFormat mono8{22050, 1, 8};
    const SpeedTypeCase cases[] = {
        {"creation type", stereo16, stereo16, S_OK},
        {"8-bit mono creation type", mono8, mono8, S_OK},
        {"3 channels even when expected", {44100, 3, 16}, {44100, 3, 16},
         VFW_E_TYPE_NOT_ACCEPTED},
        {"24 bits even when expected", {44100, 2, 24}, {44100, 2, 24}, VFW_E_TYPE_NOT_ACCEPTED},
        {"12 bits even when expected", {44100, 1, 12}, {44100, 1, 12}, VFW_E_TYPE_NOT_ACCEPTED},
        {"2000 Hz even when expected", {2000, 2, 16}, {2000, 2, 16}, VFW_E_TYPE_NOT_ACCEPTED},
        {"float tag", {44100, 2, 16, 3}, {44100, 2, 16, 3}, VFW_E_TYPE_NOT_ACCEPTED},
        {"inconsistent byte rate", {44100, 2, 16, 1, 4}, {44100, 2, 16, 1, 4},
         VFW_E_TYPE_NOT_ACCEPTED},
        {"inconsistent alignment", {44100, 2, 16, 1, 0, 2}, {44100, 2, 16, 1, 0, 2},
         VFW_E_TYPE_NOT_ACCEPTED},
        {"format block too short", stereo16, {44100, 2, 16, 1, 0, 0, 8},
         VFW_E_TYPE_NOT_ACCEPTED},
        {"other rate", stereo16, {48000, 2, 16}, VFW_E_TYPE_NOT_ACCEPTED},
        {"other channels", stereo16, {44100, 1, 16}, VFW_E_TYPE_NOT_ACCEPTED},
        {"plain PCMWAVEFORMAT of the same format", stereo16, {44100, 2, 16, 1, 0, 0, 16}, S_OK},
    };
    for (const SpeedTypeCase& c : cases) {
        HRESULT hr = E_FAIL;
        CSoundSpeedFlt* filter = CSoundSpeedFlt::Create(1.5, MakeType(c.expected), nullptr, &hr);
        ASSERT_NE(filter, nullptr) << c.name;
        const CMediaType offered = MakeType(c.offered);
        EXPECT_EQ(filter->CheckInputType(&offered), c.want) << c.name;
        EXPECT_EQ(filter->CheckTransform(&offered, &offered), c.want) << c.name;
        filter->Release();
    }
}

TEST(SoundSpeedFilterTypes, NullAndUnconnectedCalls)
{
    HRESULT hr = E_FAIL;
    CSoundSpeedFlt* filter = CSoundSpeedFlt::Create(2.0, MakeType({}), nullptr, &hr);
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(hr, S_OK);
    CMediaType type;
    EXPECT_EQ(filter->CheckInputType(nullptr), E_POINTER);
    EXPECT_EQ(filter->GetMediaType(0, nullptr), E_POINTER);
    EXPECT_EQ(filter->GetMediaType(0, &type), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(filter->SetMediaType(PINDIR_INPUT, nullptr), E_POINTER);
    const CMediaType valid = MakeType({});
    EXPECT_EQ(filter->SetMediaType(static_cast<PIN_DIRECTION>(7), &valid), E_FAIL);
    EXPECT_EQ(filter->GetNextOutputTime(), 0);
    EXPECT_EQ(filter->Release(), 0u);
}

struct TapTypeCase {
    const char* name;
    PcmFormat offered;
    HRESULT want;
};

TEST(LevelTapTypes, ComparesOnlyTheFieldsThatMatter)
{
    const TapTypeCase cases[] = {
        {"same type", {}, S_OK},
        {"other byte rate", {44100, 2, 16, 1, 8}, S_OK},
        {"other alignment", {44100, 2, 16, 1, 0, 2}, S_OK},
        {"plain PCMWAVEFORMAT", {44100, 2, 16, 1, 0, 0, 16}, S_OK},
        {"other rate", {22050, 2, 16}, VFW_E_TYPE_NOT_ACCEPTED},
        {"other bits", {44100, 2, 8}, VFW_E_TYPE_NOT_ACCEPTED},
        {"other channels", {44100, 1, 16}, VFW_E_TYPE_NOT_ACCEPTED},
        {"format block too short", {44100, 2, 16, 1, 0, 0, 6}, VFW_E_TYPE_NOT_ACCEPTED},
    };
    for (const TapTypeCase& c : cases) {
        HRESULT hr = E_FAIL;
        CAudioGrabberFilter* tap = CAudioGrabberFilter::Create(MakeType({}), nullptr, &hr);
        ASSERT_NE(tap, nullptr) << c.name;
        const CMediaType offered = MakeType(c.offered);
        EXPECT_EQ(tap->CheckInputType(&offered), c.want) << c.name;
        tap->Release();
    }
}

TEST(LevelTapTypes, CopiesOnlyTheFormatBytesThatExist)
{
    RecordingSink sink;
    HRESULT hr = E_FAIL;
    CAudioGrabberFilter* tap = CAudioGrabberFilter::Create(MakeType({}), &sink, &hr);
    ASSERT_NE(tap, nullptr);
    // A 16-byte PCMWAVEFORMAT has no cbSize: the copy must not read beyond the block.
    const CMediaType shortType = MakeType({22050, 1, 8, 1, 0, 0, 16});
    EXPECT_EQ(tap->SetMediaType(PINDIR_INPUT, &shortType), S_OK);
    EXPECT_EQ(tap->ConnectedFormat().nSamplesPerSec, 22050u);
    EXPECT_EQ(tap->ConnectedFormat().nChannels, 1);
    EXPECT_EQ(tap->ConnectedFormat().wBitsPerSample, 8);
    EXPECT_EQ(tap->ConnectedFormat().cbSize, 0);
    const CMediaType tiny = MakeType({44100, 2, 16, 1, 0, 0, 4});
    EXPECT_EQ(tap->SetMediaType(PINDIR_INPUT, &tiny), S_OK);
    EXPECT_EQ(tap->ConnectedFormat().nSamplesPerSec, 0u);
    ASSERT_EQ(sink.Lines().size(), 2u);
    EXPECT_NE(sink.Lines()[0].find(L"): AudioGrabberFilter Format: "), std::wstring::npos);
    EXPECT_EQ(sink.Lines()[0].rfind(L"V.Info.(CAudioGrabberFilter.cpp, ", 0), 0u);
    EXPECT_EQ(sink.MediaTypeLines(), 2);
    EXPECT_EQ(tap->Release(), 0u);
}

}  // namespace

namespace {

struct ConversionCase {
    float value;
    int pcm8;
    int pcm16;
};

TEST(SoundSpeedFilterConversion, ClampsAndRoundsHalvesTowardZero)
{
    const ConversionCase cases[] = {
        {0.0f, 128, 0},       {1.0f, 255, 32767},    {-1.0f, 0, -32768},
        {1.5f, 255, 32767},   {-1.5f, 0, -32768},    {0.5f, 192, 16384},
        {-0.5f, 64, -16384},  {1.5f / 32768.0f, 128, 1},  {-1.5f / 32768.0f, 128, -1},
        {2.5f / 32768.0f, 128, 2},  {2.6f / 32768.0f, 128, 3}, {1.5f / 128.0f, 129, 384},
    };
    for (const ConversionCase& c : cases) {
        EXPECT_EQ(CSoundSpeedFlt::FloatToPcm8(c.value), c.pcm8) << c.value;
        EXPECT_EQ(CSoundSpeedFlt::FloatToPcm16(c.value), c.pcm16) << c.value;
    }
}

}  // namespace
