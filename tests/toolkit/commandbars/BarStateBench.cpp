// Benchmark (figures only): restoring the saved state of ten toolbars from the registry, the
// customised bars included and without them, against reading the same profile entries with
// the framework's plain profile calls. Best of several rounds, in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "toolkit/commandbars/CUTKCommandBarsState.h"
#include "tests/toolkit/commandbars/BarStateTestHost.h"

using namespace orvane::test;

namespace {

double BestMs(int rounds, const std::function<void()>& work)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER a, b;
        ::QueryPerformanceCounter(&a);
        work();
        ::QueryPerformanceCounter(&b);
        best = std::min(best, 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) /
                                  static_cast<double>(frequency.QuadPart));
    }
    return best;
}

constexpr int kBars = 10;

void MakeBars(StateHost& host)
{
    for (int i = 0; i < kBars; ++i) {
        const std::wstring title = L"Bar " + std::to_wstring(i);
        host.AddBar(100 + static_cast<UINT>(i), title.c_str(), i % 4 == 3 ? 2 : 0, 8);
    }
}

// Every entry the load reads, through the framework's profile calls.
void PlainReads(CWinApp& app)
{
    int sum = static_cast<int>(app.GetProfileInt(L"Bench-Summary", L"Bars", 0));
    static const wchar_t* const kEntries[] = {
        L"BarID", L"Visible", L"Floating", L"XPos", L"YPos", L"MRUWidth", L"MRUDockID",
        L"MRUDockLeftPos", L"MRUDockTopPos", L"MRUDockRightPos", L"MRUDockBottomPos",
        L"MRUFloatXPos", L"MRUFloatYPos", L"DialogBar"};
    for (int i = 0; i < kBars; ++i) {
        const std::wstring section = L"Bench-Bar" + std::to_wstring(i);
        for (const wchar_t* entry : kEntries)
            sum += static_cast<int>(app.GetProfileInt(section.c_str(), entry, 0));
    }
    for (int d = 0; d < 4; ++d) {
        const std::wstring section = L"Bench-DockBar" + std::to_wstring(d);
        const int count = static_cast<int>(app.GetProfileInt(section.c_str(), L"Bars", 0));
        for (int j = 0; j < count; ++j)
            sum += static_cast<int>(app.GetProfileInt(section.c_str(), (L"Bar#" + std::to_wstring(j)).c_str(), 0));
    }
    BYTE* data = nullptr;
    UINT size = 0;
    if (app.GetProfileBinary(L"Bench-Controls", L"Controls", &data, &size))
        delete[] data;
    if (sum == 0x7FFFFFFF)
        std::printf(" ");
}

}  // namespace

int main()
{
    ProfileApp profile(ProfileApp::kRegistry, L"barstate-bench");
    {
        StateHost host(TRUE);
        MakeBars(host);
        // Customised: every other bar lost a button.
        for (int i = 0; i < kBars; i += 2) {
            CUTKToolBar* bar = host.m_bars->FindCommandBar(100 + static_cast<UINT>(i));
            bar->GetControls()->Remove(bar->GetControls()->GetAt(0));
        }
        host.m_bars->SaveBarState(L"Bench", TRUE);
    }
    StateHost host(TRUE);
    MakeBars(host);
    const int rounds = 15;
    const double full = BestMs(rounds, [&] { host.m_bars->LoadBarState(L"Bench", TRUE); });
    host.m_bars->EnableCustomization(FALSE);
    const double layout = BestMs(rounds, [&] { host.m_bars->LoadBarState(L"Bench", TRUE); });
    const double plain = BestMs(rounds, [&] { PlainReads(profile.m_app); });
    std::printf("bar state of %d toolbars from the registry, best of %d:\n", kBars, rounds);
    std::printf("  LoadBarState with customised bars %8.2f ms\n", full);
    std::printf("  LoadBarState, layout only         %8.2f ms\n", layout);
    std::printf("  baseline: plain profile reads     %8.2f ms   (ratio full/plain %.1f)\n", plain,
                plain > 0 ? full / plain : 0.0);
    return 0;
}
