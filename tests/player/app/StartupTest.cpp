// Runs of the program itself under Wine: the start-up order in the trace file, opening and
// playing the command line's file, shut-down order, the failure branches of start-up, and the
// hand-over from a second copy to a running one.
#include "tests/player/PlayerTestEnv.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using namespace playertest;

constexpr DWORD kStartMs = 30000;

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

std::wstring ReadRegistryRecent()
{
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER,
                     L"Software\\Tamsel\\OrvanePresentationPlayer\\Recent File List", L"File1",
                     RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return L"";
    }
    return value;
}

std::wstring ReadText(const std::wstring& path)
{
    const CHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    if (!file) {
        return L"";
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    return std::wstring(bytes.begin(), bytes.begin() + read);
}

void CloseAndWait(const CHandle& process)
{
    HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitPlayer(process, kStartMs), 0);
}

TEST(Startup, OpensAndPlaysTheCommandLineFileAndShutsDownInOrder)
{
    const PlayerRun run = PrepareRun(L"play", Engine::Fake);
    const std::wstring sample = orvane::test::MediaPath(L"sample.wmv");
    CHandle process = StartPlayer(run, Quoted(sample) + L" /P");
    ASSERT_NE(process, nullptr);
    EXPECT_TRUE(WaitTrace(run, L"FakeEngine: Play", kStartMs));
    HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    ASSERT_NE(main, nullptr);
    wchar_t title[600] = {};
    GetWindowTextW(main, title, 600);
    const std::wstring caption = title;
    EXPECT_NE(caption.find(L"sample.wmv ("), std::wstring::npos);
    EXPECT_NE(caption.find(L" / 0:00:20]"), std::wstring::npos);
    RECT rc;
    GetWindowRect(main, &rc);
    EXPECT_EQ(rc.left, 0) << "without a stored placement the window goes to the top left";
    EXPECT_EQ(rc.top, 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitPlayer(process, kStartMs), 0);

    const std::wstring trace = ReadTrace(run);
    ExpectInOrder(trace, {
        L"Init: trace header", L"Init: toolkit sounds off", L"Init: registry key",
        L"Init: recent file list",
        L"Init: document template", L"Init: title", L"Init: icons",
        L"Init: main window class", L"Init: command line", L"Init: hidden owner window",
        L"WMA=", L"Init: callback object", L"FakeEngine: created", L"Init: engine library",
        L"Init: player core services", L"Init: settings", L"Init: trace file",
        L"Init: system dump", L"Init: audio devices",
        L"FakeEngine: SetSettingsText 0 []", L"Init: engine settings", L"Init: step list",
        L"FakeEngine: SetVideoWindows 1 1", L"Init: main frame", L"Init: shown",
        L"Open \"", L"File open: ", L"FakeEngine: Open", L"(ASF)", L"File chars: ",
        L"FakeEngine: Play x1", L"Play started",
        // Closing the frame stops playback before the program winds down.
        L"FakeEngine: Stop", L"Init: exit", L"FakeEngine: released", L"Exit: engine released",
        L"Exit: callback object destroyed", L"Exit: settings saved",
    });
    const std::wstring settings = ReadText(run.settings + L"\\QVPSettings.xml");
    EXPECT_NE(settings.find(L"LastUsedDir"), std::wstring::npos);
    EXPECT_EQ(_wcsicmp(ReadRegistryRecent().c_str(), sample.c_str()), 0)
        << std::string(sample.begin(), sample.end());
}

struct FailureCase {
    const char* name;
    Engine engine;
    const wchar_t* args;
    const wchar_t* env;
    const wchar_t* message;  // start of the text after "Mess: "
    bool runtimeLoaded;
    bool runtimeWithoutEntries = false;
};

class StartupFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(StartupFailure, EndsWithTheMessageAndSavesNothing)
{
    const FailureCase& c = GetParam();
    const std::wstring name(c.name, c.name + strlen(c.name));
    const PlayerRun run = PrepareRun(name.c_str(), c.engine);
    if (c.runtimeWithoutEntries) {
        // A library of that name beside the program, without the runtime's entry points.
        CopyFileW((TestDir() + L"\\playerfakes\\FakeEngineOneExport.dll").c_str(),
                  (run.dir + L"\\wmvcore.dll").c_str(), FALSE);
    }
    std::vector<std::wstring> env;
    if (c.env) {
        env.push_back(c.env);
    }
    CHandle process = StartPlayer(run, c.args, env);
    ASSERT_NE(process, nullptr);
    WaitPlayer(process, kStartMs);
    const std::wstring trace = ReadTrace(run);
    EXPECT_NE(trace.find(std::wstring(L"Mess: ") + c.message), std::wstring::npos)
        << std::string(trace.begin(), trace.end());
    EXPECT_EQ(trace.find(L"Init: settings"), std::wstring::npos);
    EXPECT_EQ(trace.find(L"FakeEngine: created") != std::wstring::npos, false);
    EXPECT_EQ(trace.find(L"WMA=") != std::wstring::npos, c.runtimeLoaded);
    EXPECT_FALSE(FileExistsAt(run.settings + L"\\QVPSettings.xml"));
}

const FailureCase kFailures[] = {
    {"NoEngineLibrary", Engine::None, L"", nullptr,
     L"Failed to load Dynamic Link Library \"", true},
    {"EngineWithoutReleaseExport", Engine::FakeOneExport, L"", nullptr, L"The video dll \"",
     true},
    {"NullEngineObject", Engine::Fake, L"", L"ORVANE_FAKE_ENGINE=null", L"The video dll \"",
     true},
    {"RuntimeWithoutEntries", Engine::Fake, L"", nullptr,
     L"Failed to load Dynamic Link Library \"wmvcore.dll\".\nSystem error 127 (", false, true},
    {"InvalidCommandLine", Engine::Fake, L"/x", nullptr,
     L"Invalid command line parameters:\r\n\"/x\".", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, StartupFailure, testing::ValuesIn(kFailures),
                         [](const testing::TestParamInfo<FailureCase>& info) {
                             return std::string(info.param.name);
                         });

// The title's position, "[h:mm:ss / ", in seconds; -1 when the title has none.
int TitleSeconds(const std::wstring& title)
{
    const size_t open = title.rfind(L'[');
    int h = 0, m = 0, sec = 0;
    if (open == std::wstring::npos ||
        swscanf(title.c_str() + open, L"[%d:%d:%d /", &h, &m, &sec) != 3) {
        return -1;
    }
    return h * 3600 + m * 60 + sec;
}

std::wstring WindowTitle(HWND window)
{
    wchar_t text[600] = {};
    GetWindowTextW(window, text, 600);
    return text;
}

struct OwnedSearch {
    HWND owner;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchOwnedTitle(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    if (GetWindow(window, GW_OWNER) == search->owner && std::wcscmp(text, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The video windows of the interim view are windows the main window owns.
HWND FindOwnedTitled(HWND owner, const wchar_t* title)
{
    OwnedSearch search{owner, title, nullptr};
    EnumWindows(MatchOwnedTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// How many different colours a grid of points inside the window shows on the screen: one for
// an empty window, many for the test pattern.
int DistinctColours(HWND window)
{
    RECT rc;
    GetClientRect(window, &rc);
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> seen;
    for (int y = 1; y < 8; ++y) {
        for (int x = 1; x < 8; ++x) {
            POINT point{rc.right * x / 8, rc.bottom * y / 8};
            ClientToScreen(window, &point);
            const COLORREF colour = GetPixel(screen, point.x, point.y);
            if (std::find(seen.begin(), seen.end(), colour) == seen.end()) {
                seen.push_back(colour);
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return static_cast<int>(seen.size());
}

TEST(Startup, RealEngineOpensAndPlaysTheCommandLineFile)
{
    if (!FileExistsAt(BinDir() + L"\\QVPVideo.dll")) {
        GTEST_SKIP() << "engine library not built";
    }
    const PlayerRun run = PrepareRun(L"realengine", Engine::Real);
    const std::wstring sample = orvane::test::MediaPath(L"sample.wmv");
    CHandle process = StartPlayer(run, Quoted(sample) + L" /P");
    ASSERT_NE(process, nullptr);
    HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitTrace(run, L"Play started", kStartMs));
    // The position in the title advances while the engine plays.
    int seconds = -1;
    for (int i = 0; i < 150 && seconds < 2; ++i) {
        Sleep(100);
        seconds = TitleSeconds(WindowTitle(main));
    }
    const std::wstring title = WindowTitle(main);
    EXPECT_GE(seconds, 2) << std::string(title.begin(), title.end());
    EXPECT_NE(title.find(L"sample.wmv ("), std::wstring::npos);
    EXPECT_NE(title.find(L" / 0:00:20]"), std::wstring::npos);
    // Both videos play in the view's two windows.
    const HWND camera = FindOwnedTitled(main, L"Camera");
    const HWND screen = FindOwnedTitled(main, L"Screen");
    ASSERT_NE(camera, nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_GT(DistinctColours(camera), 4);
    EXPECT_GT(DistinctColours(screen), 4);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitPlayer(process, kStartMs), 0);

    const std::wstring trace = ReadTrace(run);
    ExpectInOrder(trace, {
        L"Init: player core services", L"Init: settings", L"Init: system dump",
        L"Init: audio devices", L"Init: engine settings", L"Init: step list",
        L"Init: main frame", L"Init: shown", L"File open: ", L"File chars: A=(",
        L"Play started", L"Init: exit", L"Exit: engine released", L"Exit: settings saved",
    });
    EXPECT_EQ(trace.find(L"OpenQVRFile exc"), std::wstring::npos);
}

TEST(Startup, VideoWithoutDecoderIsReportedAndThePlayerStaysUsable)
{
    if (!FileExistsAt(BinDir() + L"\\QVPVideo.dll")) {
        GTEST_SKIP() << "engine library not built";
    }
    const PlayerRun run = PrepareRun(L"nocodec", Engine::Real);
    // The sample with a FourCC that no decoder takes.
    const std::wstring sample = orvane::test::MediaPath(L"unknown-codec.wmv");
    CHandle process = StartPlayer(run, Quoted(sample) + L" /P");
    ASSERT_NE(process, nullptr);
    HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitTrace(run, L"no codec for the QZ99 video format", kStartMs));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitPlayer(process, kStartMs), 0);
    const std::wstring trace = ReadTrace(run);
    EXPECT_EQ(trace.find(L"Play started"), std::wstring::npos);
    ExpectInOrder(trace, {L"File open: ", L"no codec for the QZ99 video format", L"Init: exit",
                          L"Exit: engine released", L"Exit: settings saved"});
}

TEST(Startup, DamagedSettingsGoOnAndAreSavedAtExit)
{
    const PlayerRun run = PrepareRun(L"damaged", Engine::Fake);
    const std::wstring file = run.settings + L"\\QVPSettings.xml";
    {
        const CHandle h(
            CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const char junk[] = "<QVPSettings><LastUsedDir>unterminated";
        DWORD written = 0;
        WriteFile(h, junk, sizeof junk - 1, &written, nullptr);
    }
    CHandle process = StartPlayer(run, L"");
    ASSERT_NE(process, nullptr);
    CloseAndWait(process);
    EXPECT_TRUE(FileExistsAt(file + L".bad"));
    const std::wstring trace = ReadTrace(run);
    ExpectInOrder(trace, {L"Init: settings", L"Init: shown", L"Exit: settings saved"});
    EXPECT_NE(ReadText(file).find(L"LastUsedDir"), std::wstring::npos);
}

TEST(Startup, UnusableTraceFolderDoesNotStopTheStart)
{
    const PlayerRun run = PrepareRun(L"notrace", Engine::Fake);
    // A file where the trace folder should be: the trace file cannot be created.
    CHandle(CreateFileW((run.settings + L"\\DebInfo").c_str(), GENERIC_WRITE, 0, nullptr,
                        CREATE_ALWAYS, 0, nullptr))
        .Close();
    CHandle process = StartPlayer(run, L"");
    ASSERT_NE(process, nullptr);
    CloseAndWait(process);
    EXPECT_TRUE(FileExistsAt(run.settings + L"\\QVPSettings.xml")) << "settings still saved";
}

TEST(Startup, SecondCopyHandsItsFileToTheRunningOne)
{
    const PlayerRun first = PrepareRun(L"handover-a", Engine::Fake);
    const PlayerRun second = PrepareRun(L"handover-b", Engine::Fake);
    CHandle running = StartPlayer(first, L"");
    ASSERT_NE(running, nullptr);
    if (!WaitMainWindow(GetProcessId(running), kStartMs)) {
        WaitPlayer(running, 0);
        FAIL() << "the first copy shows no window";
    }
    EXPECT_TRUE(WaitTrace(first, L"Init: shown", kStartMs));
    const std::wstring sample = orvane::test::MediaPath(L"sample.wmv");
    CHandle starting = StartPlayer(second, L"/InPlayer " + Quoted(sample) + L" /P");
    ASSERT_NE(starting, nullptr);
    const DWORD start = GetTickCount();
    WaitPlayer(starting, kStartMs);
    EXPECT_LT(GetTickCount() - start, 15000u);
    EXPECT_EQ(ReadTrace(second), L"") << "the copy that handed over leaves no trace";
    EXPECT_TRUE(WaitTrace(first, L"FakeEngine: Play", kStartMs));
    ExpectInOrder(ReadTrace(first), {L"Init: shown", L"Hand-over received: \"", L"play=1",
                                     L"FakeEngine: Open", L"FakeEngine: Play x1"});
    CloseAndWait(running);
}

// The interim view's video windows are not children of the frame: they follow its moves and
// sizes, and go and come back with it when it is minimised and restored.
TEST(Startup, VideoWindowsFollowTheMainWindow)
{
    const PlayerRun run = PrepareRun(L"follow", Engine::Fake);
    CHandle process = StartPlayer(run, L"");
    ASSERT_NE(process, nullptr);
    HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    ASSERT_NE(main, nullptr);
    const HWND camera = FindOwnedTitled(main, L"Camera");
    const HWND screen = FindOwnedTitled(main, L"Screen");
    ASSERT_NE(camera, nullptr);
    ASSERT_NE(screen, nullptr);
    auto settle = [] { Sleep(400); };
    settle();
    RECT frame{}, before{};
    GetWindowRect(main, &frame);
    GetWindowRect(camera, &before);
    EXPECT_TRUE(IsWindowVisible(camera));
    EXPECT_TRUE(PtInRect(&frame, POINT{before.left, before.top}));

    SetWindowPos(main, nullptr, frame.left + 60, frame.top + 30, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle();
    RECT moved{};
    GetWindowRect(camera, &moved);
    EXPECT_EQ(moved.left, before.left + 60);
    EXPECT_EQ(moved.top, before.top + 30);

    // Wider: the screen video takes the extra width.
    RECT screenBefore{};
    GetWindowRect(screen, &screenBefore);
    SetWindowPos(main, nullptr, 0, 0, frame.right - frame.left + 120, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle();
    RECT wider{};
    GetWindowRect(screen, &wider);
    EXPECT_GT(wider.right - wider.left, screenBefore.right - screenBefore.left);

    ShowWindow(main, SW_MINIMIZE);
    settle();
    EXPECT_FALSE(IsWindowVisible(camera));
    ShowWindow(main, SW_RESTORE);
    settle();
    EXPECT_TRUE(IsWindowVisible(camera));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitPlayer(process, kStartMs), 0);
}

TEST(Startup, InPlayerWithoutRunningCopyStartsNormally)
{
    const PlayerRun run = PrepareRun(L"inplayer-alone", Engine::Fake);
    CHandle process = StartPlayer(run, L"/InPlayer");
    ASSERT_NE(process, nullptr);
    CloseAndWait(process);
    ExpectInOrder(ReadTrace(run), {L"Init: no running copy took the request", L"Init: shown"});
}

}  // namespace
