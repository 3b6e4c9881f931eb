// Figures of the frame integration (a benchmark program, not a test): a frame built through the
// player's sequence (InitCommandBars, SetMenu, Add with LoadToolBar, the dialog bar when there
// is one) from creation until all its bars are painted and the queue is idle, beside a
// framework frame with the Win32 menu, the framework's CToolBar and a child dialog. Medians.
#include "tests/toolkit/commandbars/BarsBenchClock.h"
#include "tests/toolkit/commandbars/BarsFrameHost.h"

#include "platform/framework/frame/CToolBar.h"
#include "platform/framework/window/CDialog.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 20;

using barsbench::Median;
using barsbench::Now;
using barsbench::PumpUntilIdle;

std::vector<double> MeasurePlayerSequence()
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Now();
        auto* frame = new CBarsManagedFrame;
        CBarsManagedFrame::Options options;
        options.secondToolBar = FALSE;
        options.dialogBar = TRUE;
        if (!frame->CreateHost(RECT{0, 0, 640, 420}, options)) {
            frame->DestroyWindow();
            delete frame;
            break;
        }
        frame->ShowWindow(SW_SHOWNA);
        frame->UpdateWindow();
        PumpUntilIdle();
        frame->Idle();
        PumpUntilIdle();
        times.push_back(Now() - start);
        frame->DestroyWindow();
        delete frame;
        PumpUntilIdle();
    }
    return times;
}

class BaselineFrame : public CFrameWnd {
public:
    void PostNcDestroy() override {}
    CToolBar m_toolBar;
    CDialog m_panel;
};

std::vector<double> MeasureBaseline()
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Now();
        auto* frame = new BaselineFrame;
        if (!frame->Create(nullptr, L"Baseline", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           CRect(0, 0, 640, 420), nullptr, MAKEINTRESOURCEW(128)) ||
            !frame->m_toolBar.Create(frame) || !frame->m_toolBar.LoadToolBar(128) ||
            !frame->m_panel.Create(130, frame)) {
            frame->DestroyWindow();
            delete frame;
            break;
        }
        CRect client;
        frame->GetClientRect(&client);
        CRect panel;
        frame->m_panel.GetWindowRect(&panel);
        frame->m_panel.SetWindowPos(nullptr, 0, client.bottom - panel.Height(), client.Width(),
                                    panel.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        frame->m_panel.ShowWindow(SW_SHOWNA);
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
    // One run of each first, so that classes, fonts and themes are loaded before timing.
    {
        CBarsManagedFrame warm;
        CBarsManagedFrame::Options options;
        options.dialogBar = TRUE;
        if (warm.CreateHost(RECT{0, 0, 640, 420}, options)) {
            warm.ShowWindow(SW_SHOWNA);
            PumpUntilIdle();
        }
        if (warm.GetSafeHwnd() != nullptr) {
            warm.DestroyWindow();
        }
        PumpUntilIdle();
    }
    const std::vector<double> ours = MeasurePlayerSequence();
    const std::vector<double> baseline = MeasureBaseline();
    Report("frame through the player's sequence, creation to all bars painted", ours,
           "framework frame with the Win32 menu, CToolBar and a child dialog", baseline);
    return 0;
}
