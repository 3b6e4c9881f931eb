// CAMThread and CAMEvent: the request/reply handshake, polling for requests while working,
// calls without a worker, and event states.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/dshow/streams.h"

namespace {

// Worker that echoes requests doubled; request 0 ends it; request 1 starts a busy loop that
// polls CheckRequest and counts its rounds.
class EchoThread : public CAMThread {
public:
    ~EchoThread() override { Close(); }

    DWORD ThreadProc() override
    {
        for (;;) {
            const DWORD request = GetRequest();
            if (request == 0) {
                Reply(0);
                return 0;
            }
            if (request == 1) {
                Reply(1);
                DWORD next = 0;
                while (!CheckRequest(&next)) {
                    ++rounds;
                    Sleep(1);
                }
                continue;  // the pending request is served by GetRequest above
            }
            Reply(request * 2);
        }
    }

    std::atomic<int> rounds{0};
};

TEST(AMThread, RequestsAreAnsweredInTurn)
{
    EchoThread thread;
    EXPECT_EQ(thread.CallWorker(21), static_cast<DWORD>(E_FAIL)) << "no worker yet";
    ASSERT_TRUE(thread.Create());
    EXPECT_FALSE(thread.Create()) << "one worker at a time";
    for (DWORD i = 2; i < 50; ++i) {
        EXPECT_EQ(thread.CallWorker(i), i * 2);
    }
    EXPECT_EQ(thread.CallWorker(1), 1u);
    Sleep(50);
    EXPECT_GT(thread.rounds.load(), 0) << "the worker keeps working between requests";
    EXPECT_EQ(thread.CallWorker(5), 10u) << "a request interrupts the work";
    EXPECT_EQ(thread.CallWorker(0), 0u);
    thread.Close();
    EXPECT_FALSE(thread.ThreadExists());
    EXPECT_EQ(thread.CallWorker(3), static_cast<DWORD>(E_FAIL));
    ASSERT_TRUE(thread.Create()) << "a closed worker can be started again";
    EXPECT_EQ(thread.CallWorker(4), 8u);
    EXPECT_EQ(thread.CallWorker(0), 0u);
}

TEST(AMThread, CallerIsNotLeftWaitingWhenTheWorkerEnds)
{
    class Quitter : public CAMThread {
    public:
        ~Quitter() override { Close(); }
        DWORD ThreadProc() override
        {
            GetRequest();
            return 0;  // ends without replying
        }
    };
    Quitter thread;
    ASSERT_TRUE(thread.Create());
    EXPECT_EQ(thread.CallWorker(7), static_cast<DWORD>(E_FAIL));
}

TEST(AMEvent, AutoAndManualReset)
{
    CAMEvent autoReset;
    EXPECT_FALSE(autoReset.Check());
    autoReset.Set();
    EXPECT_TRUE(autoReset.Check());
    EXPECT_FALSE(autoReset.Check()) << "an auto-reset event is consumed";

    CAMEvent manual(TRUE);
    manual.Set();
    EXPECT_TRUE(manual.Wait(0));
    EXPECT_TRUE(manual.Wait(0)) << "a manual-reset event stays set";
    manual.Reset();
    EXPECT_FALSE(manual.Wait(10));
}

}  // namespace
