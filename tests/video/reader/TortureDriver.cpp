// The damaged-presentation campaign's in-process driver (run by scripts/torture.sh, not a test).
// For each file named on its list it runs the engine's whole road: open, play 2 s at speed 1,
// seek to the middle, play 2 s at speed 2, step a frame forward and back, close; and prints one
// line per file: how it ended, the slowest step and the close time. A watchdog ends the process
// (exit code 3) when one step hangs, naming the file, so the script can go on after it.
//   video_torture.exe LIST [FIRST]   LIST holds one Windows path per line
//   video_torture.exe --repeat N FILE   opens and closes FILE N times; prints thread and handle
//                                       counts before and after
#include "video/reader/IVideoReader.h"
#include "tests/video/reader/ReaderTestInstance.h"
#include "tests/video/splitter/TestFileCallbacks.h"

#include <windows.h>
#include <strmif.h>
#include <uuids.h>
#include <tlhelp32.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr LONGLONG kSecond = 10000000;
constexpr DWORD kStepLimitMs = 20000;

std::atomic<DWORD> g_stepStart{0};
std::atomic<const wchar_t*> g_stepName{L""};
std::wstring g_file;

int ThreadCount()
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL ok = Thread32First(snap, &entry); ok; ok = Thread32Next(snap, &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    }
    CloseHandle(snap);
    return count;
}

int HandleCount()
{
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) {
        return static_cast<int>(count);
    }
    // Wine answers 0: count the handle values that name an object instead.
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
        }
    }
    return static_cast<int>(count);
}

void Watchdog()
{
    for (;;) {
        Sleep(250);
        const DWORD start = g_stepStart.load();
        if (start != 0 && GetTickCount() - start > kStepLimitMs) {
            std::wprintf(L"HANG %ls step=%ls\n", g_file.c_str(), g_stepName.load());
            std::fflush(stdout);
            ExitProcess(3);
        }
    }
}

// Times the steps of one file.
class Steps {
public:
    void Begin(const wchar_t* name)
    {
        g_stepName = name;
        m_start = GetTickCount();
        g_stepStart = m_start ? m_start : 1;
    }
    DWORD End()
    {
        const DWORD ms = GetTickCount() - m_start;
        g_stepStart = 0;
        if (ms > m_slowest) {
            m_slowest = ms;
            m_slowestName = g_stepName.load();
        }
        return ms;
    }
    DWORD Slowest() const { return m_slowest; }
    const wchar_t* SlowestName() const { return m_slowestName; }

private:
    DWORD m_start = 0;
    DWORD m_slowest = 0;
    const wchar_t* m_slowestName = L"-";
};

std::wstring Text(const wchar_t* text) { return text != nullptr ? text : L""; }

std::wstring OneLine(std::wstring text)
{
    for (wchar_t& c : text) {
        if (c == L'\r' || c == L'\n' || c == L'\t') {
            c = L' ';
        }
    }
    return text.substr(0, 160);
}

// Plays for up to ms; true when the end of play came first.
bool PlayFor(IVideoReader& reader, ReaderTestInstance& callback, double speed, DWORD ms,
             std::wstring* error)
{
    callback.Clear();
    *error = Text(reader.Play(speed, FALSE, nullptr, 0, FALSE));
    if (!error->empty()) {
        return false;
    }
    const bool ended = callback.WaitPlayEnd(ms);
    double at = 0;
    const std::wstring stop = Text(reader.Stop(FALSE, &at));
    if (error->empty()) {
        *error = stop;
    }
    return ended;
}

// One file through the whole road; prints its line.
void RunFile(const std::wstring& path)
{
    g_file = path;
    ReaderTestInstance callback;
    Steps steps;
    READER_CB_PARAMS main;
    READER_CB_PARAMS scan;
    if (!main.OpenFile(path) || !scan.OpenFile(path)) {
        std::wprintf(L"SKIP %ls cannot open\n", path.c_str());
        return;
    }
    auto reader = std::make_unique<IVideoReader>();
    steps.Begin(L"open");
    const std::wstring openError =
        Text(reader->Open(FALSE, path.c_str(), TestRead, TestSeek, &main, &scan, nullptr));
    steps.End();
    std::wstring outcome;
    std::wstring detail;
    if (!openError.empty()) {
        outcome = L"message";
        detail = openError;
    } else {
        BYTE info[QVR_READER_INFO_BYTES];
        reader->GetInfo(info);
        double d[3];
        memcpy(d, info + QVR_READER_INFO_AUDIO_DURATION, sizeof(d));
        const double duration = std::max(d[0], std::max(d[1], d[2]));
        std::wstring error;
        int ended = 0;
        steps.Begin(L"play x1");
        ended += PlayFor(*reader, callback, 1.0, 2000, &error) ? 1 : 0;
        steps.End();
        if (error.empty()) {
            steps.Begin(L"seek");
            error = Text(reader->SetReadRange(static_cast<LONGLONG>(duration * kSecond / 2), 0));
            steps.End();
        }
        if (error.empty()) {
            steps.Begin(L"play x2");
            ended += PlayFor(*reader, callback, 2.0, 2000, &error) ? 1 : 0;
            steps.End();
        }
        if (error.empty()) {
            steps.Begin(L"frame step");
            LONGLONG frame = 0;
            const LONGLONG end = static_cast<LONGLONG>(duration * kSecond) + 1;
            error = Text(reader->FindFrame(0, end, end / 2, FALSE, FALSE, &frame));
            if (error.empty()) {
                error = Text(reader->FindFrame(0, end, frame, FALSE, TRUE, &frame));
            }
            steps.End();
        }
        {
            std::lock_guard<std::mutex> hold(callback.lock);
            if (error.empty() && !callback.errors.empty()) {
                error = callback.errors.front();
            }
        }
        if (!error.empty()) {
            outcome = L"message";
            detail = error;
        } else {
            outcome = ended > 0 ? L"played-to-end" : L"played";
        }
    }
    steps.Begin(L"close");
    reader.reset();
    const DWORD closeMs = steps.End();
    std::wprintf(L"DONE %ls outcome=%ls slowest=%lu(%ls) close=%lu detail=%ls\n", path.c_str(),
                 outcome.c_str(), static_cast<unsigned long>(steps.Slowest()),
                 steps.SlowestName(), static_cast<unsigned long>(closeMs),
                 OneLine(detail).c_str());
    std::fflush(stdout);
}

int Repeat(int times, const std::wstring& path)
{
    g_file = path;
    ReaderTestInstance callback;
    Steps steps;
    // The first open loads the libraries and starts the runtime's threads for good.
    auto once = [&] {
        READER_CB_PARAMS main;
        READER_CB_PARAMS scan;
        if (!main.OpenFile(path) || !scan.OpenFile(path)) {
            return;
        }
        IVideoReader reader;
        steps.Begin(L"open");
        reader.Open(FALSE, path.c_str(), TestRead, TestSeek, &main, &scan, nullptr);
        steps.End();
    };
    once();
    ReaderTestInstance::Pump(500);
    const int threads = ThreadCount();
    const int handles = HandleCount();
    for (int i = 0; i < times; ++i) {
        once();
    }
    ReaderTestInstance::Pump(500);
    const int threadsAfter = ThreadCount();
    const int handlesAfter = HandleCount();
    // Wine's filter graph keeps one handle per graph made and released: the same number of
    // bare graphs shows how much of the growth is the platform's.
    for (int i = 0; i < times; ++i) {
        IUnknown* graph = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IUnknown, reinterpret_cast<void**>(&graph)))) {
            graph->Release();
        }
    }
    std::wprintf(L"REPEAT %ls opens=%d threads=%d->%d handles=%d->%d bare-graphs=+%d "
                 L"slowest=%lu\n",
                 path.c_str(), times, threads, threadsAfter, handles, handlesAfter,
                 HandleCount() - handlesAfter, static_cast<unsigned long>(steps.Slowest()));
    std::fflush(stdout);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::thread(Watchdog).detach();
    if (argc >= 4 && std::wcscmp(argv[1], L"--repeat") == 0) {
        return Repeat(_wtoi(argv[2]), argv[3]);
    }
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: video_torture LIST [FIRST] | --repeat N FILE\n");
        return 2;
    }
    FILE* list = _wfopen(argv[1], L"r");
    if (list == nullptr) {
        std::fwprintf(stderr, L"cannot read %ls\n", argv[1]);
        return 2;
    }
    const int first = argc >= 3 ? _wtoi(argv[2]) : 0;
    wchar_t buffer[1024];
    for (int index = 0; std::fgetws(buffer, 1024, list) != nullptr; ++index) {
        std::wstring line = buffer;
        while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) {
            line.pop_back();
        }
        if (index < first || line.empty()) {
            continue;
        }
        std::wprintf(L"FILE %d %ls\n", index, line.c_str());
        std::fflush(stdout);
        RunFile(line);
    }
    std::fclose(list);
    CoUninitialize();
    return 0;
}
