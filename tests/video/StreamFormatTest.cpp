// Format records and media-type reading from the stream objects of a real presentation, as the
// Windows Media runtime here reports them (the generated sample: a 320x240 and a 640x480 WMV2
// stream and a stereo WMA2 stream).
#include "video/CQVRAudioFormat.h"
#include "video/CQVRVideoFormat.h"
#include "video/DXVideoFunc.h"
#include "tests/support/TestEnv.h"
#include "tests/video/TestInstance.h"

#include <gtest/gtest.h>

#include <wmsdkidl.h>

#include <uuids.h>

#include <string>
#include <vector>

namespace {

typedef HRESULT(WINAPI* CreateSyncReaderFn)(IUnknown*, DWORD, IWMSyncReader**);

class SampleStreams : public testing::Test {
protected:
    void SetUp() override
    {
        HMODULE runtime = LoadLibraryW(L"wmvcore.dll");
        ASSERT_NE(runtime, nullptr);
        auto create = reinterpret_cast<CreateSyncReaderFn>(
            reinterpret_cast<void*>(GetProcAddress(runtime, "WMCreateSyncReader")));
        ASSERT_NE(create, nullptr);
        ASSERT_EQ(create(nullptr, 0, &reader), S_OK);
        const std::wstring file = orvane::test::MediaPath(L"sample.wmv");
        ASSERT_EQ(reader->Open(file.c_str()), S_OK);
        IWMProfile* profile = nullptr;
        ASSERT_EQ(reader->QueryInterface(__uuidof(IWMProfile),
                                         reinterpret_cast<void**>(&profile)),
                  S_OK);
        DWORD count = 0;
        ASSERT_EQ(profile->GetStreamCount(&count), S_OK);
        for (DWORD i = 0; i < count; ++i) {
            IWMStreamConfig* config = nullptr;
            ASSERT_EQ(profile->GetStream(i, &config), S_OK);
            GUID type = GUID_NULL;
            config->GetStreamType(&type);
            (IsEqualGUID(type, MEDIATYPE_Audio) ? audio : video).push_back(config);
        }
        profile->Release();
        ASSERT_EQ(video.size(), 2u);
        ASSERT_EQ(audio.size(), 1u);
    }
    void TearDown() override
    {
        for (IWMStreamConfig* config : video) {
            config->Release();
        }
        for (IWMStreamConfig* config : audio) {
            config->Release();
        }
        if (reader) {
            reader->Close();
            reader->Release();
        }
    }

    IWMSyncReader* reader = nullptr;
    std::vector<IWMStreamConfig*> video;
    std::vector<IWMStreamConfig*> audio;
};

TEST_F(SampleStreams, VideoRecordsFromStreamObjects)
{
    const int widths[] = {320, 640};
    const int heights[] = {240, 480};
    for (int i = 0; i < 2; ++i) {
        ScopedCallback log;
        CQVRVideoFormat record;
        record.SetFromMediaProps(video[i]);
        EXPECT_TRUE(log.instance.lines.empty()) << log.instance.All();
        int w = 0;
        int h = 0;
        record.GetFrameSize(&w, &h);
        EXPECT_EQ(w, widths[i]);
        EXPECT_EQ(h, heights[i]);
        wchar_t block[4 * 256];
        record.GetDescription(block);
        EXPECT_STREQ(block + 256, L"WMV2");
        EXPECT_EQ(std::wstring(block + 512).rfind(std::to_wstring(widths[i]) + L"x", 0), 0u)
            << (block + 512);

        // The descriptor reads back into the same format.
        CQVRVideoFormat copy;
        copy.SetText(record.GetText());
        EXPECT_STREQ(copy.GetText(), record.GetText());
        EXPECT_TRUE(log.instance.lines.empty()) << log.instance.All();
    }
}

TEST_F(SampleStreams, AudioRecordFromStreamObject)
{
    ScopedCallback log;
    CQVRAudioFormat record;
    record.SetFromMediaProps(audio[0]);
    EXPECT_TRUE(log.instance.lines.empty()) << log.instance.All();
    EXPECT_EQ(record.GetChannels(), 2u);
    EXPECT_GT(record.GetSamplesPerSec(), 0u);
    wchar_t block[4 * 256];
    record.GetDescription(block);
    EXPECT_STREQ(block, L"Windows Media Audio V7");
    EXPECT_STREQ(block + 256, L"WMA V7");
    EXPECT_NE(std::wstring(block + 512).find(L" kHz, 2 ch"), std::wstring::npos)
        << (block + 512);
    CQVRAudioFormat copy;
    copy.SetText(record.GetText());
    EXPECT_EQ(copy.GetSamplesPerSec(), record.GetSamplesPerSec());
    EXPECT_TRUE(log.instance.lines.empty()) << log.instance.All();
}

TEST_F(SampleStreams, MediaTypeFromProps)
{
    std::wstring error = L"stale";
    CMediaType type;
    DXVideoFunc::MediaTypeFromProps(video[0], error, type);
    EXPECT_EQ(error, L"");
    EXPECT_TRUE(IsEqualGUID(type.majortype, MEDIATYPE_Video));
    EXPECT_TRUE(IsEqualGUID(type.formattype, FORMAT_VideoInfo));
    EXPECT_EQ(DXVideoFunc::FourCcText(type, FALSE), L"WMV2");
    EXPECT_EQ(DXVideoFunc::CheckVideoType(type), L"");
    DXVideoFunc::MediaTypeFromProps(audio[0], error, type);
    EXPECT_EQ(error, L"");
    EXPECT_EQ(DXVideoFunc::CheckAudioType(type), L"");
    EXPECT_EQ(DXVideoFunc::AudioCodecName(type, FALSE), L"WMA V7");
}

}  // namespace
