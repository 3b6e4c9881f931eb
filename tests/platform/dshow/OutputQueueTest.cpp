// COutputQueue against a recording sink pin: order of samples, segments and end of stream
// under load for each batching mode, flushing, error propagation and the destructor.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "platform/dshow/streams.h"

#include "tests/platform/dshow/TestMediaTypes.h"
#include "tests/platform/dshow/TestSinkFilter.h"
#include "tests/platform/dshow/TestWait.h"

namespace {

constexpr int kPool = 8;

class OutputQueueTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_before = CBaseObject::ObjectsActive();
        m_sink = new TestSinkFilter();
        m_sink->NonDelegatingAddRef();
        ASSERT_EQ(m_sink->Pause(), S_OK) << "the sink takes samples only while active";
        HRESULT hr = S_OK;
        auto* allocator = new CMemAllocator(L"queue test", nullptr, &hr);
        allocator->NonDelegatingQueryInterface(IID_IMemAllocator,
                                               reinterpret_cast<void**>(&m_allocator));
        ALLOCATOR_PROPERTIES request{kPool, 64, 1, 0};
        ALLOCATOR_PROPERTIES actual{};
        ASSERT_EQ(m_allocator->SetProperties(&request, &actual), S_OK);
        ASSERT_EQ(m_allocator->Commit(), S_OK);
    }

    void TearDown() override
    {
        m_allocator->Decommit();
        m_allocator->Release();
        m_sink->Stop();
        m_sink->NonDelegatingRelease();
        EXPECT_EQ(CBaseObject::ObjectsActive(), m_before) << "something was left alive";
    }

    // A sample stamped with start = index, with the caller's reference.
    IMediaSample* Sample(REFERENCE_TIME index)
    {
        IMediaSample* sample = nullptr;
        EXPECT_EQ(m_allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
        REFERENCE_TIME stop = index + 1;
        sample->SetTime(&index, &stop);
        return sample;
    }

    IPin* SinkPin() { return m_sink->Pin(); }

    LONG m_before = 0;
    TestSinkFilter* m_sink = nullptr;
    IMemAllocator* m_allocator = nullptr;
};

struct ModeCase {
    const char* name;
    BOOL bAuto;
    HRESULT sinkCanBlock;
    BOOL bQueue;
    LONG batch;
    BOOL exact;
    bool expectThread;
};

const ModeCase kModes[] = {
    {"queued, batch 1", FALSE, S_OK, TRUE, 1, FALSE, true},
    {"queued, batch 4 exact", FALSE, S_OK, TRUE, 4, TRUE, true},
    {"queued, batch 5 inexact", FALSE, S_OK, TRUE, 5, FALSE, true},
    {"auto, sink may block", TRUE, S_OK, FALSE, 1, FALSE, true},
    {"auto, sink never blocks", TRUE, S_FALSE, TRUE, 1, FALSE, false},
    {"direct", FALSE, S_OK, FALSE, 1, FALSE, false},
};

TEST_F(OutputQueueTest, KeepsOrderUnderLoad)
{
    constexpr int kSamples = 120;
    for (const ModeCase& mode : kModes) {
        TestSinkFilter* sink = new TestSinkFilter();
        sink->NonDelegatingAddRef();
        ASSERT_EQ(sink->Pause(), S_OK);
        sink->Pin()->SetQueueMode(mode.sinkCanBlock);
        sink->Pin()->SetDelay(1);
        HRESULT hr = S_OK;
        {
            COutputQueue queue(sink->Pin(), &hr, mode.bAuto, mode.bQueue, mode.batch, mode.exact,
                               DEFAULTCACHE, THREAD_PRIORITY_ABOVE_NORMAL);
            ASSERT_EQ(hr, S_OK) << mode.name;
            EXPECT_EQ(queue.IsQueued() != FALSE, mode.expectThread) << mode.name;
            for (int i = 0; i < kSamples; ++i) {
                if (i % 25 == 0) {
                    queue.NewSegment(i, kSamples, 1.0);
                }
                // More samples than the pool: the producer waits for the queue to send.
                EXPECT_EQ(queue.Receive(Sample(i)), S_OK) << mode.name;
            }
            queue.EOS();
        }
        const std::vector<SinkEvent> events = sink->Pin()->Events();
        int next = 0;
        size_t e = 0;
        for (; e < events.size() && next < kSamples; ++e) {
            if (next % 25 == 0 && events[e].kind == SinkEvent::NewSegment) {
                EXPECT_EQ(events[e].start, next) << mode.name;
                continue;
            }
            ASSERT_EQ(events[e].kind, SinkEvent::Sample) << mode.name << " at event " << e;
            EXPECT_EQ(events[e].start, next) << mode.name;
            ++next;
        }
        EXPECT_EQ(next, kSamples) << mode.name;
        ASSERT_EQ(e + 1, events.size()) << mode.name;
        EXPECT_EQ(events[e].kind, SinkEvent::EndOfStream) << mode.name;
        sink->Stop();
        sink->NonDelegatingRelease();
        EXPECT_EQ(static_cast<CBaseAllocator*>(m_allocator)->FreeCount(), kPool) << mode.name;
    }
}

TEST_F(OutputQueueTest, ExactBatchWaitsUntilFullOrSent)
{
    HRESULT hr = S_OK;
    COutputQueue queue(SinkPin(), &hr, FALSE, TRUE, 3, TRUE);
    ASSERT_EQ(hr, S_OK);
    queue.Receive(Sample(0));
    queue.Receive(Sample(1));
    Sleep(100);
    EXPECT_EQ(m_sink->Pin()->CountOf(SinkEvent::Sample), 0) << "a part batch waits";
    queue.SendAnyway();
    for (int i = 0; i < 100 && !queue.IsIdle(); ++i) {
        Sleep(10);
    }
    EXPECT_EQ(m_sink->Pin()->CountOf(SinkEvent::Sample), 2);
}

TEST_F(OutputQueueTest, FlushDropsQueuedSamples)
{
    m_sink->Pin()->SetDelay(20);
    HRESULT hr = S_OK;
    COutputQueue queue(SinkPin(), &hr, FALSE, TRUE, 1, FALSE);
    ASSERT_EQ(hr, S_OK);
    for (int i = 0; i < kPool; ++i) {
        ASSERT_EQ(queue.Receive(Sample(i)), S_OK);
    }
    queue.BeginFlush();
    EXPECT_EQ(queue.Receive(Sample(100)), S_FALSE) << "refused while flushing";
    queue.EndFlush();
    EXPECT_TRUE(queue.IsIdle());
    EXPECT_EQ(static_cast<CBaseAllocator*>(m_allocator)->FreeCount(), kPool)
        << "every queued sample was released";

    const std::vector<SinkEvent> events = m_sink->Pin()->Events();
    bool flushing = false;
    int delivered = 0;
    for (const SinkEvent& event : events) {
        if (event.kind == SinkEvent::BeginFlush) {
            flushing = true;
        } else if (event.kind == SinkEvent::EndFlush) {
            flushing = false;
        } else if (event.kind == SinkEvent::Sample) {
            EXPECT_FALSE(flushing) << "a sample reached the sink during the flush";
            ++delivered;
        }
    }
    EXPECT_LT(delivered, kPool) << "the flush dropped samples still queued";
    EXPECT_EQ(m_sink->Pin()->CountOf(SinkEvent::EndFlush), 1);

    ASSERT_EQ(queue.Receive(Sample(200)), S_OK) << "the queue works again after the flush";
    queue.EOS();
    for (int i = 0; i < 100 && !queue.IsIdle(); ++i) {
        Sleep(10);
    }
    EXPECT_EQ(m_sink->Pin()->Events().back().kind, SinkEvent::EndOfStream);
}

TEST_F(OutputQueueTest, FlushDoesNotWaitForAnEndOfStreamTheSinkHolds)
{
    // A running renderer holds the end of stream until its sound has played; stopping the
    // graph frees it, and the stop comes after the flush, so the flush must not wait for it.
    HANDLE release = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(release, nullptr);
    m_sink->Pin()->HoldEndOfStream(release);
    HRESULT hr = S_OK;
    {
        COutputQueue queue(SinkPin(), &hr, FALSE, TRUE, 1, FALSE);
        ASSERT_EQ(hr, S_OK);
        queue.EOS();
        ASSERT_TRUE(dshowtest::WaitUntil(
            [&] { return m_sink->Pin()->CountOf(SinkEvent::EndOfStream) == 1; }, 5000));
        std::atomic<bool> flushed{false};
        std::thread flusher([&] {
            queue.BeginFlush();
            queue.EndFlush();
            flushed = true;
        });
        const bool returned = dshowtest::WaitUntil([&] { return flushed.load(); }, 5000);
        SetEvent(release);  // frees the flush too when it did wait, so the test can end
        flusher.join();
        EXPECT_TRUE(returned) << "the flush waited for the held end of stream";

        ASSERT_EQ(queue.Receive(Sample(7)), S_OK) << "the queue takes samples after the flush";
        ASSERT_TRUE(dshowtest::WaitUntil([&] { return queue.IsIdle() != FALSE; }, 5000));
        EXPECT_EQ(m_sink->Pin()->Events().back().kind, SinkEvent::Sample)
            << "the sample follows the end of stream that was in progress";
    }
    m_sink->Pin()->HoldEndOfStream(nullptr);
    CloseHandle(release);
}

TEST_F(OutputQueueTest, DownstreamFailureIsReturnedToLaterCalls)
{
    for (BOOL queued : {FALSE, TRUE}) {
        m_sink->Stop();  // the sink now answers VFW_E_WRONG_STATE
        HRESULT hr = S_OK;
        COutputQueue queue(SinkPin(), &hr, FALSE, queued, 1, FALSE);
        ASSERT_EQ(hr, S_OK);
        const HRESULT first = queue.Receive(Sample(0));
        for (int i = 0; i < 100 && !queue.IsIdle(); ++i) {
            Sleep(10);
        }
        EXPECT_EQ(queue.LastResult(), VFW_E_WRONG_STATE);
        EXPECT_EQ(queue.Receive(Sample(1)), VFW_E_WRONG_STATE);
        if (!queued) {
            EXPECT_EQ(first, VFW_E_WRONG_STATE);
        }
        queue.BeginFlush();
        queue.EndFlush();
        EXPECT_EQ(queue.LastResult(), S_OK) << "a flush clears the error";
        EXPECT_EQ(static_cast<CBaseAllocator*>(m_allocator)->FreeCount(), kPool);
        m_sink->Pause();
    }
}

TEST_F(OutputQueueTest, DestructorDeliversAndJoins)
{
    m_sink->Pin()->SetDelay(5);
    {
        HRESULT hr = S_OK;
        auto queue = std::make_unique<COutputQueue>(SinkPin(), &hr, FALSE, TRUE, 2, TRUE);
        ASSERT_EQ(hr, S_OK);
        for (int i = 0; i < 5; ++i) {
            queue->Receive(Sample(i));
        }
    }
    // The part batch went out too, and nothing is left on the queue's thread.
    EXPECT_EQ(m_sink->Pin()->CountOf(SinkEvent::Sample), 5);
    EXPECT_EQ(static_cast<CBaseAllocator*>(m_allocator)->FreeCount(), kPool);
}

TEST_F(OutputQueueTest, RefusesAPinWithoutMemInput)
{
    HRESULT hr = S_OK;
    COutputQueue queue(nullptr, &hr);
    EXPECT_EQ(hr, E_POINTER);
    EXPECT_EQ(queue.Receive(Sample(0)), E_UNEXPECTED);
}

}  // namespace
