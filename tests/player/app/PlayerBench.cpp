// Start-up benchmark: time from process creation to a visible main window, for the player with
// its engine library beside it and for a bare Win32 program that only shows a window, measured
// alternately in the same run. Prints both medians and their ratio (target: the player within
// twice the bare program); the player with the engine test double is a second, informative line.
#include "platform/base/CHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds to the first visible window, or -1.
double TimeToWindow(const std::wstring& exe, const std::wstring& dir, const std::wstring& args,
                    const std::wstring& settings)
{
    SetEnvironmentVariableW(L"ORVANE_SETTINGS_DIR", settings.c_str());
    SetEnvironmentVariableW(L"ORVANE_MSGBOX_ANSWER", L"1");
    std::wstring line = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    LARGE_INTEGER freq, start, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.c_str(), &si, &pi)) {
        return -1;
    }
    const CHandle thread(pi.hThread);
    const CHandle process(pi.hProcess);
    double ms = -1;
    for (;;) {
        Search search = {pi.dwProcessId, nullptr};
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        const double elapsed =
            double(now.QuadPart - start.QuadPart) * 1000.0 / double(freq.QuadPart);
        if (search.found) {
            ms = elapsed;
            PostMessageW(search.found, WM_CLOSE, 0, 0);
            break;
        }
        if (elapsed > 30000 || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
        Sleep(1);
    }
    if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
    }
    return ms;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

void PrintLine(const wchar_t* what, const std::vector<double>& times)
{
    wprintf(L"%-40ls %.1f ms (median of %zu)\n", what, Median(times), times.size());
}

void PrintRatio(const wchar_t* what, double playerMs, double bareMs)
{
    if (bareMs > 0 && playerMs > 0) {
        wprintf(L"%-40ls %.2f (target: at most 2.00) %ls\n", what, playerMs / bareMs,
                playerMs <= 2 * bareMs ? L"OK" : L"OVER");
    }
}

}  // namespace

int wmain()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring testDir = Folder(self);
    const std::wstring binDir = Folder(Folder(testDir)) + L"\\bin";
    // Each player copy has its own folder, so that each loads its own engine library.
    const std::wstring benchDir = testDir + L"\\playerbench";
    const std::wstring realDir = benchDir + L"\\engine";
    const std::wstring fakeDir = benchDir + L"\\fake";
    const std::wstring settings = benchDir + L"\\settings";
    // Trace files of earlier bench runs would make every start list a longer folder.
    const std::wstring traces = settings + L"\\DebInfo";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((traces + L"\\QVR_*.txt").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileW((traces + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    for (const std::wstring& dir : {benchDir, realDir, fakeDir, settings}) {
        CreateDirectoryW(dir.c_str(), nullptr);
    }
    const std::wstring player = realDir + L"\\QVP.exe";
    const std::wstring fakePlayer = fakeDir + L"\\QVP.exe";
    const bool haveEngine =
        CopyFileW((binDir + L"\\QVPVideo.dll").c_str(), (realDir + L"\\QVPVideo.dll").c_str(),
                  FALSE) &&
        CopyFileW((binDir + L"\\QVP.exe").c_str(), player.c_str(), FALSE);
    if (!haveEngine) {
        wprintf(L"engine library or player missing in %ls\n", binDir.c_str());
        return 1;
    }
    const bool haveFake =
        CopyFileW((testDir + L"\\playerfakes\\FakeEngine.dll").c_str(),
                  (fakeDir + L"\\QVPVideo.dll").c_str(), FALSE) &&
        CopyFileW((binDir + L"\\QVP.exe").c_str(), fakePlayer.c_str(), FALSE);
    const std::wstring bare = testDir + L"\\bare_window.exe";
    constexpr int kRounds = 7;
    std::vector<double> playerTimes, fakeTimes, bareTimes;
    // One unmeasured start of each warms the file cache and the Wine server.
    TimeToWindow(bare, testDir, L"", settings);
    TimeToWindow(player, realDir, L"", settings);
    if (haveFake) {
        TimeToWindow(fakePlayer, fakeDir, L"", settings);
    }
    for (int i = 0; i < kRounds; ++i) {
        const double b = TimeToWindow(bare, testDir, L"", settings);
        const double p = TimeToWindow(player, realDir, L"", settings);
        const double f = haveFake ? TimeToWindow(fakePlayer, fakeDir, L"", settings) : -1;
        if (b >= 0) {
            bareTimes.push_back(b);
        }
        if (p >= 0) {
            playerTimes.push_back(p);
        }
        if (f >= 0) {
            fakeTimes.push_back(f);
        }
    }
    const double bareMs = Median(bareTimes);
    PrintLine(L"player start-up to shown window:", playerTimes);
    PrintLine(L"bare Win32 window program:", bareTimes);
    PrintRatio(L"ratio:", Median(playerTimes), bareMs);
    if (!fakeTimes.empty()) {
        PrintLine(L"(player with the engine test double:", fakeTimes);
        PrintRatio(L" its ratio, for comparison)", Median(fakeTimes), bareMs);
    }
    return 0;
}
