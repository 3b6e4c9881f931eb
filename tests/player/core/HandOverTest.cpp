// Hand-over to running copies, played against windows of the main window class in this
// process: answers in turn, a hung copy, the path limit, class name matching, record checks.
#include "player/core/HandOver.h"
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"

#include "platform/base/CHandle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

int g_sequence = 0;

struct Received {
    std::wstring path;
    bool play = false;
    int count = 0;
    int order = 0;
};

LRESULT CALLBACK CandidateProc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_COPYDATA) {
        auto* received = reinterpret_cast<Received*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        const LONG_PTR answer = GetWindowLongPtrW(window, 0);
        std::wstring path;
        bool play = false;
        if (received && ReadHandOverRecord(reinterpret_cast<COPYDATASTRUCT*>(lp), &path, &play)) {
            received->path = path;
            received->play = play;
            ++received->count;
            received->order = ++g_sequence;
        }
        return answer;
    }
    return DefWindowProcW(window, message, wp, lp);
}

void RegisterClassNamed(const wchar_t* name)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CandidateProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

HWND MakeCandidate(const wchar_t* className, LONG_PTR answer, Received* received)
{
    HWND w = CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(w, 0, answer);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(received));
    return w;
}

class HandOverTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterClassNamed(kMainWindowClass);
        RegisterClassNamed(L"OrvanePresentationPlayerWndClassX");
    }
    void TearDown() override
    {
        for (HWND w : windows) {
            DestroyWindow(w);
        }
    }
    std::vector<HWND> windows;
};

TEST_F(HandOverTest, NoRunningCopy) { EXPECT_EQ(HandOverToRunningInstance(L"a.wmv", TRUE), 0); }

TEST_F(HandOverTest, AskedInTurnUntilOneTakesIt)
{
    Received a, b, longer;
    windows.push_back(MakeCandidate(L"OrvanePresentationPlayerWndClassX", 1, &longer));
    windows.push_back(MakeCandidate(kMainWindowClass, 0, &a));
    windows.push_back(MakeCandidate(kMainWindowClass, 0, &b));
    EXPECT_EQ(HandOverToRunningInstance(L"C:\\a b.wmv", TRUE), 0);
    EXPECT_EQ(longer.count, 0) << "a longer class name is not a candidate";
    ASSERT_EQ(a.count, 1);
    ASSERT_EQ(b.count, 1);
    // The one asked first answers 0 again, the other takes the request.
    const bool aFirst = a.order < b.order;
    SetWindowLongPtrW(aFirst ? windows[2] : windows[1], 0, 1);
    EXPECT_EQ(HandOverToRunningInstance(L"C:\\a b.wmv", TRUE), 1);
    EXPECT_EQ(a.count, 2);
    EXPECT_EQ(b.count, 2);
    EXPECT_EQ(b.path, L"C:\\a b.wmv");
    EXPECT_TRUE(b.play);
}

TEST_F(HandOverTest, NobodyTakesIt)
{
    Received r;
    windows.push_back(MakeCandidate(kMainWindowClass, 0, &r));
    EXPECT_EQ(HandOverToRunningInstance(L"", FALSE), 0);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.path, L"") << "an empty path is sent as an empty string";
    EXPECT_FALSE(r.play);
}

TEST_F(HandOverTest, PathsThatDoNotFitAreRefusedNotCut)
{
    Received r;
    windows.push_back(MakeCandidate(kMainWindowClass, 1, &r));
    const struct {
        size_t length;
        int result;
        int received;  // how many records the running copy has seen after the call
    } cases[] = {
        {519, 1, 1},
        {520, kHandOverTooLong, 1},
        {600, kHandOverTooLong, 1},
        {70000, kHandOverTooLong, 1},
    };
    for (const auto& c : cases) {
        const std::wstring path(c.length, L'p');
        EXPECT_EQ(HandOverToRunningInstance(path, FALSE), c.result) << c.length;
        EXPECT_EQ(r.count, c.received) << c.length;
        EXPECT_EQ(r.path, std::wstring(519, L'p')) << "only the path that fitted arrived";
    }
}

TEST_F(HandOverTest, HungCopyDoesNotBlockANewStart)
{
    // A copy whose user-interface thread does not pump messages any more.
    std::atomic<HWND> hung{nullptr};
    const CHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread copy([&] {
        Received r;
        hung = MakeCandidate(kMainWindowClass, 1, &r);
        WaitForSingleObject(release, 30000);
        DestroyWindow(hung);
    });
    while (!hung) {
        Sleep(10);
    }
    const DWORD start = GetTickCount();
    EXPECT_EQ(HandOverToRunningInstance(L"x.wmv", TRUE), 0);
    EXPECT_LT(GetTickCount() - start, kHandOverTimeoutMs + 3000);
    SetEvent(release);
    copy.join();
}

TEST(HandOverRecord, ChecksTagAndSizeAndTerminatesThePath)
{
    HAND_OVER_RECORD record;
    record.play = 1;
    for (wchar_t& c : record.path) {
        c = L'z';
    }
    COPYDATASTRUCT data = {kHandOverTag, sizeof record, &record};
    std::wstring path;
    bool play = false;
    ASSERT_TRUE(ReadHandOverRecord(&data, &path, &play));
    EXPECT_EQ(path.size(), 519u) << "an unterminated path ends at 520 characters";
    EXPECT_TRUE(play);
    data.cbData = sizeof record - 2;
    EXPECT_FALSE(ReadHandOverRecord(&data, &path, &play));
    data.cbData = sizeof record;
    data.dwData = 4862;
    EXPECT_FALSE(ReadHandOverRecord(&data, &path, &play));
    data.dwData = kHandOverTag;
    data.lpData = nullptr;
    EXPECT_FALSE(ReadHandOverRecord(&data, &path, &play));
    EXPECT_FALSE(ReadHandOverRecord(nullptr, &path, &play));
    record.play = 2;
    data.lpData = &record;
    ASSERT_TRUE(ReadHandOverRecord(&data, &path, &play));
    EXPECT_FALSE(play) << "only 1 asks to play";
}

}  // namespace
