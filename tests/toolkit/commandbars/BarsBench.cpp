// Figures of the command bars (a benchmark program, not a test): a 50-item popup bar from
// PopupAt until it is painted and the queue is idle, beside Win32 TrackPopupMenu until the
// owner's WM_ENTERIDLE; and a host frame from creation until its menu bar and toolbar are
// painted, beside a frame with the Win32 menu and the framework's CToolBar. Medians of 20.
#include "tests/toolkit/commandbars/BarsBenchClock.h"
#include "tests/toolkit/commandbars/BarsHostFrame.h"

#include "platform/framework/frame/CToolBar.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 20;
constexpr int kItems = 50;

using barsbench::Median;
using barsbench::Now;
using barsbench::PumpUntilIdle;

// ---- Win32 TrackPopupMenu until the owner's WM_ENTERIDLE ----
double g_menuStart = 0;
double g_menuIdle = 0;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && g_menuIdle == 0) {
        g_menuIdle = Now();
        ::EndMenu();
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

std::vector<double> MeasureTrackPopupMenu()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneBarsBenchOwner";
    ::RegisterClassW(&wc);
    HWND owner = ::CreateWindowExW(0, wc.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   0, 0, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetForegroundWindow(owner);
    PumpUntilIdle();
    HMENU menu = ::CreatePopupMenu();
    for (int i = 0; i < kItems; ++i) {
        const std::wstring text = L"Command number " + std::to_wstring(i + 1);
        ::AppendMenuW(menu, MF_STRING, 1000 + i, text.c_str());
    }
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        g_menuIdle = 0;
        g_menuStart = Now();
        ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 40, 40, 0, owner, nullptr);
        if (g_menuIdle > 0) {
            times.push_back(g_menuIdle - g_menuStart);
        }
        PumpUntilIdle();
    }
    ::DestroyMenu(menu);
    ::DestroyWindow(owner);
    return times;
}

std::vector<double> MeasurePopupAt(CBarsHostFrame* host)
{
    CUTKPopupBar* popup = CUTKPopupBar::CreatePopupBar(nullptr);
    popup->SetOwnerWindow(host);
    for (int i = 0; i < kItems; ++i) {
        const std::wstring text = L"Command number " + std::to_wstring(i + 1);
        if (CUTKControl* control = popup->GetControls()->Add(1, 1000 + i, L"", -1, FALSE)) {
            control->SetCaption(text.c_str());
        }
    }
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Now();
        if (!popup->PopupAt(40, 40)) {
            break;
        }
        popup->UpdateWindow();
        PumpUntilIdle();
        times.push_back(Now() - start);
        popup->SetTrackingMode(FALSE, TRUE, FALSE);
        PumpUntilIdle();
    }
    popup->InternalRelease();
    return times;
}

std::vector<double> MeasureHost()
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Now();
        auto* host = new CBarsHostFrame;
        if (!host->CreateHost(RECT{0, 0, 560, 300})) {
            delete host;
            break;
        }
        host->ShowWindow(SW_SHOWNA);
        host->UpdateWindow();
        PumpUntilIdle();
        times.push_back(Now() - start);
        host->DestroyWindow();
        delete host;
        PumpUntilIdle();
    }
    return times;
}

class BaselineFrame : public CFrameWnd {
public:
    void PostNcDestroy() override {}
    CToolBar m_toolBar;
};

std::vector<double> MeasureBaseline()
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Now();
        auto* frame = new BaselineFrame;
        if (!frame->Create(nullptr, L"Baseline", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           CRect(0, 0, 560, 300), nullptr, MAKEINTRESOURCEW(128)) ||
            !frame->m_toolBar.Create(frame) || !frame->m_toolBar.LoadToolBar(128)) {
            delete frame;
            break;
        }
        frame->RecalcLayout();
        frame->ShowWindow(SW_SHOWNA);
        frame->UpdateWindow();
        PumpUntilIdle();
        times.push_back(Now() - start);
        frame->DestroyWindow();
        delete frame;
        PumpUntilIdle();
    }
    return times;
}

void Report(const char* what, const std::vector<double>& ours, const char* baselineName,
            const std::vector<double>& baseline)
{
    if (ours.size() < 2 || baseline.size() < 2) {
        std::printf("%s: not measured (%zu and %zu runs)\n", what, ours.size(), baseline.size());
        return;
    }
    const double a = Median(ours);
    const double b = Median(baseline);
    std::printf("%s: median %.0f us over %zu runs; %s median %.0f us; ratio %.2f\n", what, a,
                ours.size(), baselineName, b, a / b);
}

} // namespace

int wmain()
{
    auto* host = new CBarsHostFrame;
    if (!host->CreateHost(RECT{300, 300, 700, 500}, FALSE, FALSE)) {
        std::printf("bars bench: no host frame\n");
        return 1;
    }
    host->ShowWindow(SW_SHOW);
    host->SetForegroundWindow();
    PumpUntilIdle();
    const std::vector<double> popup = MeasurePopupAt(host);
    host->DestroyWindow();
    delete host;
    PumpUntilIdle();
    const std::vector<double> menu = MeasureTrackPopupMenu();
    Report("50-item popup, PopupAt to painted and idle", popup,
           "Win32 TrackPopupMenu to WM_ENTERIDLE", menu);
    const std::vector<double> frames = MeasureHost();
    const std::vector<double> baseline = MeasureBaseline();
    Report("host frame, creation to menu bar and toolbar painted", frames,
           "Win32 menu with the framework's CToolBar", baseline);
    return 0;
}
