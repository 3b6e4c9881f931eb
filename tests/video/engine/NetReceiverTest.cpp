// The network receiver through the engine object, fed with the compressed samples of a
// generated presentation as the stand-in runtime gives them: the pins sorted into camera and
// screen, samples refused unless playing, positions reported while it plays, and a push that
// waits for a free buffer never holding up Stop.
#include "tests/video/ReaderOpenWaiter.h"
#include "video/engine/CQVRNetReceiver.h"
#include "video/engine/IVideo.h"
#include "tests/video/reader/ReaderTestInstance.h"
#include "tests/support/TestEnv.h"
#include "video/splitter/WmReaderFactory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct Sample {
    WORD stream = 0;
    QWORD time = 0;
    QWORD duration = 0;
    DWORD flags = 0;
    INSSBuffer* buffer = nullptr;
};

class NetReceiverTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_engine = IVideo::Create();
        ASSERT_NE(m_engine, nullptr);
        std::wstring error;
        ASSERT_EQ(WmReaderFactory::CreateReader(&m_reader, &error), S_OK) << error;
        const std::wstring path = orvane::test::MediaPath(L"sample-video1.wmv");
        ASSERT_EQ(m_reader->Open(path.c_str(), &m_waiter, nullptr), S_OK);
        ASSERT_EQ(WaitForSingleObject(m_waiter.opened, 20000), WAIT_OBJECT_0);
        ASSERT_EQ(m_waiter.result, S_OK);
        IWMProfile* profile = nullptr;
        ASSERT_EQ(m_reader->QueryInterface(IID_IWMProfile, reinterpret_cast<void**>(&profile)),
                  S_OK);
        DWORD count = 0;
        profile->GetStreamCount(&count);
        for (DWORD i = 0; i < count; ++i) {
            IWMStreamConfig* config = nullptr;
            profile->GetStream(i, &config);
            WORD number = 0;
            GUID major = GUID_NULL;
            config->GetStreamNumber(&number);
            config->GetStreamType(&major);
            (major == MEDIATYPE_Audio ? m_audio : m_video).push_back(number);
            config->Release();
        }
        profile->Release();
        ASSERT_EQ(m_audio.size(), 1u);
        ASSERT_EQ(m_video.size(), 2u);
        IWMSyncReader* sync = nullptr;
        ASSERT_EQ(WmReaderFactory::CreateSyncReader(&sync, &error), S_OK) << error;
        ASSERT_EQ(sync->Open(path.c_str()), S_OK);
        for (WORD n : {m_audio[0], m_video[0], m_video[1]}) {
            sync->SetReadStreamSamples(n, TRUE);
        }
        for (;;) {
            Sample s;
            DWORD output = 0;
            if (sync->GetNextSample(0, &s.buffer, &s.time, &s.duration, &s.flags, &output,
                                    &s.stream) != S_OK) {
                break;
            }
            m_samples.push_back(s);
        }
        sync->Close();
        sync->Release();
        ASSERT_GT(m_samples.size(), 100u);
        m_receiver = m_engine->CreateNetReceiver();
        ASSERT_NE(m_receiver, nullptr);
    }
    void TearDown() override
    {
        if (m_receiver != nullptr) {
            m_engine->ReleaseNetReceiver(m_receiver);
        }
        for (Sample& s : m_samples) {
            s.buffer->Release();
        }
        if (m_reader != nullptr) {
            // Closing is asynchronous: the waiter must outlive the reader's report of it.
            EXPECT_TRUE(m_waiter.CloseAndWait(m_reader));
            m_reader->Release();
        }
        if (m_engine != nullptr) {
            m_engine->Destroy();
        }
    }
    HRESULT Push(const Sample& s)
    {
        return m_receiver->PushSample(s.stream, static_cast<LONGLONG>(s.time),
                                      static_cast<LONGLONG>(s.duration), s.flags, s.buffer);
    }
    CQVRNetReceiver* Receiver() { return static_cast<CQVRNetReceiver*>(m_receiver); }

    ReaderTestInstance m_callback;
    IQVRVideo* m_engine = nullptr;
    ReaderOpenWaiter m_waiter;
    IWMReader* m_reader = nullptr;
    std::vector<WORD> m_audio;
    std::vector<WORD> m_video;
    std::vector<Sample> m_samples;
    IQVRNetReceiver* m_receiver = nullptr;
};

TEST_F(NetReceiverTest, VideoPinsSortIntoCameraAndScreen)
{
    // Stream 2 is the camera's wherever it is listed; the other takes the free screen slot.
    ASSERT_EQ(m_receiver->BuildGraph(m_reader, m_audio[0], m_video[0], m_video[1]), nullptr);
    ASSERT_NE(Receiver()->GetVideoPin(0), nullptr);
    ASSERT_NE(Receiver()->GetVideoPin(1), nullptr);
    EXPECT_EQ(Receiver()->GetVideoPin(2), nullptr);
    EXPECT_FALSE(Receiver()->IsAudioOnly());
    const struct {
        WORD number;
        bool screenFree;
        int index;
    } cases[] = {{2, true, 0}, {2, false, 0}, {3, true, 1}, {3, false, 0}, {1, true, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(CQVRNetReceiver::VideoIndexFor(c.number, c.screenFree), c.index) << c.number;
    }
    ASSERT_EQ(m_receiver->BuildGraph(m_reader, m_audio[0], 0, 0), nullptr);
    EXPECT_TRUE(Receiver()->IsAudioOnly());
}

TEST_F(NetReceiverTest, AReaderWithoutTheNamedStreamsFailsToBuild)
{
    const wchar_t* error = m_receiver->BuildGraph(m_reader, 77, 78, 79);
    ASSERT_NE(error, nullptr);
    EXPECT_NE(std::wstring(error).find(L"CountFilterPins"), std::wstring::npos) << error;
}

TEST_F(NetReceiverTest, SamplesAreTakenOnlyWhilePlaying)
{
    ASSERT_EQ(m_receiver->BuildGraph(m_reader, m_audio[0], m_video[0], m_video[1]), nullptr);
    std::vector<const Sample*> sound;
    for (const Sample& s : m_samples) {
        if (s.stream == m_audio[0]) {
            sound.push_back(&s);
        }
    }
    ASSERT_GT(sound.size(), 60u);
    EXPECT_EQ(Push(*sound[0]), S_FALSE) << "before Start";
    m_receiver->Start(0, nullptr);
    ASSERT_TRUE(Receiver()->IsRunning());
    // Audio always plays (through the engine's decoder); video only where the player shows it,
    // and no windows are named here: those samples are dropped, not failures.
    for (size_t i = 0; i < 80; ++i) {
        const HRESULT hr = Push(m_samples[i]);
        EXPECT_EQ(hr, m_samples[i].stream == m_audio[0] ? S_OK : S_FALSE) << i;
    }
    ReaderTestInstance::Pump(500);
    {
        std::lock_guard<std::mutex> hold(m_callback.lock);
        EXPECT_FALSE(m_callback.positions.empty()) << "the position timer reports while playing";
    }
    m_receiver->Pause();
    EXPECT_EQ(Push(*sound[40]), S_FALSE) << "after Pause";
    m_receiver->Resume();
    EXPECT_EQ(Push(*sound[41]), S_OK) << "after Resume";
    m_receiver->Stop();
    EXPECT_EQ(Push(*sound[42]), S_FALSE) << "after Stop";
    // Played again from a later stream time.
    m_receiver->Start(static_cast<LONGLONG>(sound[50]->time), nullptr);
    EXPECT_EQ(Push(*sound[50]), S_OK);
    m_receiver->Stop();
    std::lock_guard<std::mutex> hold(m_callback.lock);
    EXPECT_TRUE(m_callback.errors.empty()) << m_callback.errors.front();
}

TEST_F(NetReceiverTest, StopIsNotHeldUpByAPushWaitingForABuffer)
{
    ASSERT_EQ(m_receiver->BuildGraph(m_reader, m_audio[0], m_video[0], m_video[1]), nullptr);
    m_receiver->Start(0, nullptr);
    // Twenty seconds pushed at once: the renderers take them in real time, so the pins'
    // buffers run out and a push waits.
    std::atomic<size_t> pushed{0};
    std::atomic<bool> finished{false};
    std::atomic<HRESULT> last{S_OK};
    std::thread pusher([&] {
        for (const Sample& s : m_samples) {
            last = Push(s);
            ++pushed;
            if (last == S_FALSE && !Receiver()->IsRunning()) {
                break;
            }
        }
        finished = true;
    });
    size_t seen = SIZE_MAX;
    for (int i = 0; i < 100 && seen != pushed && !finished; ++i) {
        seen = pushed;
        ReaderTestInstance::Pump(150);
    }
    ASSERT_FALSE(finished) << "pushing never had to wait";
    m_receiver->Stop();  // returns: the waiting push does not hold the receiver's lock
    for (int i = 0; i < 500 && !finished; ++i) {
        Sleep(10);
    }
    EXPECT_TRUE(finished) << "the waiting push did not end with the stop";
    pusher.join();
    EXPECT_EQ(last.load(), S_FALSE);
    EXPECT_LT(pushed.load(), m_samples.size());
}

}  // namespace
