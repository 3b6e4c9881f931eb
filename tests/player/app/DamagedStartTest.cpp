// Runs of the program on a presentation whose header the reader refuses: the message comes, the
// player keeps answering, and it ends normally; opened in a running player, that player can
// open and play another file afterwards.
#include "tests/player/PlayerTestEnv.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace playertest;

constexpr DWORD kStartMs = 30000;
constexpr wchar_t kCorrupt[] = L"may be corrupted or it may have an invalid video format";

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

bool Answers(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

bool RealEngineBuilt() { return FileExistsAt(BinDir() + L"\\QVPVideo.dll"); }

// The process's top-level windows: its message box (a visible dialog) and all the others.
struct ProcessWindows {
    DWORD process;
    HWND box = nullptr;
    std::vector<HWND> others;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<ProcessWindows*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != found->process) {
        return TRUE;
    }
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") == 0 && IsWindowVisible(window)) {
        found->box = window;
    } else {
        found->others.push_back(window);
    }
    return TRUE;
}

ProcessWindows WaitMessageBox(DWORD process, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        ProcessWindows found{process};
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
        if (found.box != nullptr || GetTickCount() - start >= ms) {
            return found;
        }
        Sleep(50);
    }
}

TEST(DamagedStart, RefusedHeaderOnTheCommandLineGivesTheMessageAndTheProgramEnds)
{
    if (!RealEngineBuilt()) {
        GTEST_SKIP() << "engine library not built";
    }
    const std::wstring damaged = orvane::test::MediaPath(L"damaged-header-ff.wmv");
    // The failure came in a race: a few starts show it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE(attempt);
        const PlayerRun run = PrepareRun(L"damaged-header", Engine::Real);
        CHandle process = StartPlayer(run, Quoted(damaged) + L" /P");
        ASSERT_NE(process, nullptr);
        EXPECT_TRUE(WaitTrace(run, kCorrupt, kStartMs));
        HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
        if (main == nullptr) {
            WaitPlayer(process, 0);
            FAIL() << "no main window after the message";
        }
        EXPECT_TRUE(Answers(main));
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitPlayer(process, kStartMs), 0);
        const std::wstring trace = ReadTrace(run);
        ExpectInOrder(trace, {L"File open: ", L"Mess: ", kCorrupt, L"Answ: 1", L"Init: exit",
                              L"Exit: engine released", L"Exit: settings saved"});
    }
}

// A close asked of every window of the program (as the task manager or the end of a session
// does) while the message about the refused header is still up: the program neither closes
// its document under the open that waits for the answer nor crashes; it answers, and once the
// message is answered it ends normally.
TEST(DamagedStart, CloseWhileTheMessageIsUpEndsTheProgramAfterTheAnswer)
{
    if (!RealEngineBuilt()) {
        GTEST_SKIP() << "engine library not built";
    }
    const std::wstring damaged = orvane::test::MediaPath(L"damaged-header-ff.wmv");
    const PlayerRun run = PrepareRun(L"damaged-close-under-box", Engine::Real);
    CHandle process = StartPlayer(run, Quoted(damaged) + L" /P", {L"ORVANE_MSGBOX_ANSWER="});
    ASSERT_NE(process, nullptr);
    const HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    const ProcessWindows windows = WaitMessageBox(GetProcessId(process), kStartMs);
    if (main == nullptr || windows.box == nullptr) {
        WaitPlayer(process, 0);
        FAIL() << "no main window or no message box";
    }
    EXPECT_TRUE(WaitTrace(run, kCorrupt, kStartMs));
    // The main window and the hidden owner first, the box only once they have been told.
    for (HWND window : windows.others) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(WaitTrace(run, L"Close: deferred", kStartMs));
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(Answers(main));
    PostMessageW(windows.box, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitPlayer(process, kStartMs), 0);
    ExpectInOrder(ReadTrace(run), {L"File open: ", L"Mess: ", kCorrupt, L"Close: deferred",
                                   L"Answ: ", L"Init: exit", L"Exit: engine released",
                                   L"Exit: settings saved"});
}

TEST(DamagedStart, RunningPlayerStaysUsableAfterARefusedHeader)
{
    if (!RealEngineBuilt()) {
        GTEST_SKIP() << "engine library not built";
    }
    const PlayerRun first = PrepareRun(L"damaged-running", Engine::Real);
    const PlayerRun second = PrepareRun(L"damaged-handover", Engine::Fake);
    CHandle running = StartPlayer(first, L"");
    ASSERT_NE(running, nullptr);
    HWND main = WaitMainWindow(GetProcessId(running), kStartMs);
    if (main == nullptr) {
        WaitPlayer(running, 0);
        FAIL() << "the player shows no window";
    }
    EXPECT_TRUE(WaitTrace(first, L"Init: shown", kStartMs));

    // The damaged file, handed over as a second copy started from the shell would.
    const std::wstring damaged = orvane::test::MediaPath(L"damaged-header-ff.wmv");
    EXPECT_EQ(WaitPlayer(StartPlayer(second, L"/InPlayer " + Quoted(damaged) + L" /P"),
                         kStartMs),
              0);
    EXPECT_TRUE(WaitTrace(first, kCorrupt, kStartMs));
    EXPECT_TRUE(Answers(main));

    // Then the intact presentation: it opens and plays.
    const std::wstring sample = orvane::test::MediaPath(L"sample-video1.wmv");
    EXPECT_EQ(WaitPlayer(StartPlayer(second, L"/InPlayer " + Quoted(sample) + L" /P"),
                         kStartMs),
              0);
    EXPECT_TRUE(WaitTrace(first, L"Play started", kStartMs));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitPlayer(running, kStartMs), 0);
    ExpectInOrder(ReadTrace(first), {L"Init: shown", kCorrupt, L"Answ: 1", L"File chars: ",
                                     L"Play started", L"Init: exit", L"Exit: engine released",
                                     L"Exit: settings saved"});
}

}  // namespace
