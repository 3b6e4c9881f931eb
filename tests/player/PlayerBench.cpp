// Start-up benchmark: time from process creation to a visible main window, for the player
// (with the engine test double beside it, until the engine object exists) and for a bare Win32
// program that only shows a window, measured alternately in the same run. Prints both medians
// and their ratio (target: the player within twice the bare program).
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
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int wmain()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring testDir = Folder(self);
    const std::wstring binDir = Folder(Folder(testDir)) + L"\\bin";
    const std::wstring runDir = testDir + L"\\playerbench";
    CreateDirectoryW(runDir.c_str(), nullptr);
    CreateDirectoryW((runDir + L"\\settings").c_str(), nullptr);
    const std::wstring player = runDir + L"\\QVP.exe";
    CopyFileW((binDir + L"\\QVP.exe").c_str(), player.c_str(), FALSE);
    CopyFileW((testDir + L"\\playerfakes\\FakeEngine.dll").c_str(),
              (runDir + L"\\QVPVideo.dll").c_str(), FALSE);
    const std::wstring bare = testDir + L"\\bare_window.exe";
    constexpr int kRounds = 7;
    std::vector<double> playerTimes, bareTimes;
    // One unmeasured start of each warms the file cache and the Wine server.
    TimeToWindow(bare, testDir, L"", runDir + L"\\settings");
    TimeToWindow(player, runDir, L"", runDir + L"\\settings");
    for (int i = 0; i < kRounds; ++i) {
        const double b = TimeToWindow(bare, testDir, L"", runDir + L"\\settings");
        const double p = TimeToWindow(player, runDir, L"", runDir + L"\\settings");
        if (b >= 0) {
            bareTimes.push_back(b);
        }
        if (p >= 0) {
            playerTimes.push_back(p);
        }
    }
    const double bareMs = Median(bareTimes);
    const double playerMs = Median(playerTimes);
    wprintf(L"player start-up to shown window: %.1f ms (median of %zu)\n", playerMs,
            playerTimes.size());
    wprintf(L"bare Win32 window program:       %.1f ms (median of %zu)\n", bareMs,
            bareTimes.size());
    if (bareMs > 0 && playerMs > 0) {
        wprintf(L"ratio: %.2f (target: at most 2.00) %ls\n", playerMs / bareMs,
                playerMs <= 2 * bareMs ? L"OK" : L"OVER");
    }
    return 0;
}
