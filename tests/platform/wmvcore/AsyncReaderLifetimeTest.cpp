// The asynchronous reader's commands outlive the application's references: a close (or a stop)
// asked for just before the last release still runs and still reports its status, after an
// open that succeeded and after one the reader refused, so no caller is left waiting for it.
#include <windows.h>
#include <wmsdk.h>

#include <gtest/gtest.h>

#include "tests/platform/wmvcore/ReaderCallbackRecorder.h"
#include "tests/support/TestEnv.h"
#include "tests/platform/wmvcore/WmvTestSupport.h"

namespace orvane::test {
namespace {

struct LifetimeCase {
    const wchar_t* fixture;
    bool opens;
};

class AsyncReaderLifetime : public testing::TestWithParam<LifetimeCase> {};

TEST_P(AsyncReaderLifetime, CloseAskedJustBeforeTheLastReleaseStillReportsClosed)
{
    const LifetimeCase& c = GetParam();
    ASSERT_NE(Runtime().createReader, nullptr);
    for (int attempt = 0; attempt < 20; ++attempt) {
        ReaderCallbackRecorder callback;
        {
            IWMReader* reader = nullptr;
            ASSERT_EQ(Runtime().createReader(nullptr, 0, &reader), S_OK);
            ASSERT_EQ(reader->Open(MediaPath(c.fixture).c_str(), &callback, nullptr), S_OK);
            ASSERT_TRUE(callback.WaitFor(WMT_OPENED));
            EXPECT_EQ(SUCCEEDED(callback.ResultOf(WMT_OPENED)), c.opens);
            if (c.opens) {
                // A user clock that never advances: started, and only what lies at the start
                // time can be delivered (as stream samples, which the recorder takes).
                IWMReaderAdvanced* advanced = nullptr;
                ASSERT_EQ(reader->QueryInterface(IID_IWMReaderAdvanced,
                                                 reinterpret_cast<void**>(&advanced)),
                          S_OK);
                ASSERT_EQ(advanced->SetUserProvidedClock(TRUE), S_OK);
                for (WORD stream = 1; stream <= 3; ++stream) {
                    ASSERT_EQ(advanced->SetReceiveStreamSamples(stream, TRUE), S_OK);
                }
                advanced->Release();
                ASSERT_EQ(reader->Start(0, 0, 1.0f, nullptr), S_OK);
                ASSERT_EQ(reader->Stop(), S_OK);
            }
            ASSERT_EQ(reader->Close(), S_OK);
            reader->Release();
        }
        ASSERT_TRUE(callback.WaitFor(WMT_CLOSED, 5000)) << "attempt " << attempt;
        if (c.opens) {
            ASSERT_TRUE(callback.WaitFor(WMT_STOPPED, 0));
        }
        for (int i = 0; i < 200 && callback.References() != 0; ++i) {
            Sleep(10);
        }
        EXPECT_EQ(callback.References(), 0u);
        EXPECT_EQ(callback.ProtocolFaults(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, AsyncReaderLifetime,
                         testing::Values(LifetimeCase{L"sample.wmv", true},
                                         LifetimeCase{L"damaged-header-ff.wmv", false}));

}  // namespace
}  // namespace orvane::test
