// The engine object: readers and format records it hands out, the settings text, the graph
// dump markers, the volume routed to a playing reader, and the display slots without video.
#include "video/engine/IVideo.h"
#include "video/reader/IVideoReader.h"
#include "tests/video/reader/ReaderTestInstance.h"
#include "tests/support/TestEnv.h"
#include "tests/video/splitter/TestFileCallbacks.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <gtest/gtest.h>

#include <uuids.h>

#include <string>
#include <vector>

namespace {

class LineSink : public CReleaseModeDebug {
public:
    void Output(unsigned, const wchar_t* text) override { lines.emplace_back(text); }
    std::vector<std::wstring> lines;
};

struct EngineRig {
    IQVRVideo* engine = IVideo::Create();
    ~EngineRig() { engine->Destroy(); }
};

TEST(EngineObject, HandsOutAndTakesBackRecords)
{
    ReaderTestInstance callback;
    EngineRig rig;
    IQVRAudioFormat* audio = rig.engine->CreateAudioFormat();
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(audio->GetChannels(), 2u) << "the default record: PCM stereo";
    rig.engine->ReleaseAudioFormat(audio);
    IQVRVideoFormat* video = rig.engine->CreateVideoFormat();
    ASSERT_NE(video, nullptr);
    rig.engine->ReleaseVideoFormat(video);
    IQVRVideoReader* reader = rig.engine->CreateReader();
    ASSERT_NE(reader, nullptr);
    rig.engine->ReleaseReader(reader);
    // Null is ignored by every release slot.
    rig.engine->ReleaseReader(nullptr);
    rig.engine->ReleaseAudioFormat(nullptr);
    rig.engine->ReleaseVideoFormat(nullptr);
    rig.engine->ReleaseNetReceiver(nullptr);
}

TEST(EngineObject, SettingsTextOnlyForKindZero)
{
    ReaderTestInstance callback;
    EngineRig rig;
    IVideo* engine = static_cast<IVideo*>(rig.engine);
    rig.engine->SetSettingsText(0, L"(PlaySettingsVer=10000)");
    rig.engine->SetSettingsText(1, L"other");
    EXPECT_EQ(engine->SettingsText(), L"(PlaySettingsVer=10000)");
    rig.engine->SetSettingsText(0, nullptr);
    EXPECT_EQ(engine->SettingsText(), L"");
    EXPECT_EQ(rig.engine->CreateSettingsDlg(1, L"", nullptr, nullptr), nullptr);
}

TEST(EngineObject, DisplaySlotsWithoutVideo)
{
    ReaderTestInstance callback;
    EngineRig rig;
    EXPECT_FALSE(rig.engine->CanFullScreen());
    EXPECT_FALSE(rig.engine->IsFullScreen());
    EXPECT_EQ(rig.engine->SetFullScreen(TRUE), nullptr) << "nothing to show: refused silently";
    EXPECT_FALSE(rig.engine->IsFullScreen());
    EXPECT_EQ(rig.engine->SetFullScreen(FALSE), nullptr);
    // Two null windows while no board holds one: nothing changes.
    rig.engine->SetVideoWindows(nullptr, nullptr);
    IVideo* engine = static_cast<IVideo*>(rig.engine);
    EXPECT_EQ(engine->View().GetBoardWindow(0), nullptr);
    EXPECT_EQ(engine->View().GetBoardWindow(1), nullptr);
    IQVRNetReceiver* receiver = rig.engine->CreateNetReceiver();
    EXPECT_NE(receiver, nullptr);
    rig.engine->ReleaseNetReceiver(receiver);
    EXPECT_FALSE(rig.engine->PreTranslateMessage(nullptr, nullptr));
}

TEST(EngineObject, DumpGraphsBeforePlaybackWritesTheMarkers)
{
    ReaderTestInstance callback;
    EngineRig rig;
    LineSink sink;
    rig.engine->DumpGraphs(nullptr);
    rig.engine->DumpGraphs(&sink);
    ASSERT_EQ(sink.lines.size(), 2u);
    EXPECT_NE(sink.lines[0].find(L"--- Graphs list"), std::wstring::npos);
    EXPECT_NE(sink.lines[1].find(L"--- End of Graphs list"), std::wstring::npos);
}

TEST(EngineObject, VolumeReachesThePlayingReader)
{
    ReaderTestInstance callback;
    EngineRig rig;
    IQVRVideoReader* reader = rig.engine->CreateReader();
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    ASSERT_TRUE(main.OpenFile(orvane::test::MediaPath(L"one-video.wmv")));
    ASSERT_TRUE(scan.OpenFile(orvane::test::MediaPath(L"one-video.wmv")));
    ASSERT_EQ(reader->Open(FALSE, L"one-video.wmv", TestRead, TestSeek, &main, &scan, nullptr),
              nullptr);
    ASSERT_EQ(reader->SetReadRange(0, 0), nullptr);
    ASSERT_EQ(reader->ShowVideo(TRUE), nullptr) << "the volume goes to the shown presentation";
    ASSERT_EQ(reader->Play(1.0, FALSE, nullptr, 0, FALSE), nullptr);
    rig.engine->SetVolume(-3000, FALSE);
    IBaseFilter* renderer = static_cast<IVideoReader*>(reader)->AudioRenderer();
    ASSERT_NE(renderer, nullptr);
    IBasicAudio* audio = nullptr;
    ASSERT_EQ(renderer->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio)), S_OK);
    long volume = 0;
    EXPECT_EQ(audio->get_Volume(&volume), S_OK);
    EXPECT_EQ(volume, -3000);
    rig.engine->SetVolume(-3000, TRUE);
    EXPECT_EQ(audio->get_Volume(&volume), S_OK);
    EXPECT_EQ(volume, -10000);
    audio->Release();
    renderer->Release();
    double at = 0;
    EXPECT_EQ(reader->Stop(FALSE, &at), nullptr);
    rig.engine->ReleaseReader(reader);
}

}  // namespace
