// Toolbars as bands of a frame's rebar: moved out of their dock bar into a band named by their
// bar id, found again and taken out, and bars made by the manager offered to the rebar.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "tests/toolkit/commandbars/CommandBarsManagerTestDocks.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKDockBar.h"
#include "toolkit/commandbars/CUTKReBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

class ReBarHost {
public:
    explicit ReBarHost(BOOL withReBar = TRUE)
    {
        m_frame = new CFrameWnd;
        m_frame->Create(nullptr, L"rebar host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        CRect(60, 60, 700, 460));
        if (withReBar) {
            m_reBar = new CUTKReBar;
            m_reBar->Create(m_frame);
        }
        m_bars = new CUTKCommandBars;
        m_bars->SetSite(m_frame);
        orvane::test::GiveDockBars(m_bars, m_frame);
    }
    ~ReBarHost()
    {
        m_bars->InternalRelease();
        m_frame->DestroyWindow();
        delete m_reBar;
    }
    ReBarHost(const ReBarHost&) = delete;
    ReBarHost& operator=(const ReBarHost&) = delete;

    CUTKToolBar* AddBar(UINT id)
    {
        CUTKToolBar* bar = m_bars->Add(L"Tools", utkBarTop);
        if (bar == nullptr)
            return nullptr;
        bar->SetBarID(id);
        for (int i = 0; i < 3; ++i)
            bar->GetControls()->Add(utkControlButton, static_cast<int>(id * 10 + i))->SetCaption(L"Button");
        m_frame->RecalcLayout();
        return bar;
    }
    UINT BandId(int band) const
    {
        REBARBANDINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = RBBIM_ID;
        m_reBar->GetBandInfo(static_cast<UINT>(band), &info);
        return info.wID;
    }

    CFrameWnd* m_frame = nullptr;
    CUTKReBar* m_reBar = nullptr;
    CUTKCommandBars* m_bars = nullptr;
};

TEST(ReBar, ToolbarMovedIntoABandLeavesItsDockBar)
{
    ReBarHost host;
    ASSERT_EQ(host.m_reBar, host.m_bars->GetReBar());
    CUTKToolBar* first = host.AddBar(300);
    CUTKToolBar* second = host.AddBar(301);
    ASSERT_TRUE(first && second);
    CUTKDockBar* top = host.m_bars->GetDockBar(utkBarTop);
    ASSERT_GT(top->FindBar(first), 0);
    first->SetFlags(first->GetFlags() | 0x1F);

    ASSERT_TRUE(host.m_bars->DockInReBar(first));
    EXPECT_EQ(-1, top->FindBar(first)) << "no longer listed by the dock bar";
    EXPECT_EQ(nullptr, first->GetDockBar());
    EXPECT_EQ(0u, first->GetFlags() & 0x1F);
    EXPECT_EQ(host.m_reBar->GetSafeHwnd(), ::GetParent(first->GetSafeHwnd()));
    ASSERT_EQ(1u, host.m_reBar->GetBandCount());
    EXPECT_EQ(300u, host.BandId(0)) << "band id = bar id";
    EXPECT_EQ(first, host.m_reBar->GetBandToolBar(0));
    EXPECT_EQ(0, host.m_reBar->FindBand(first));

    ASSERT_TRUE(host.m_bars->DockInReBar(second));
    EXPECT_EQ(2u, host.m_reBar->GetBandCount());
    EXPECT_EQ(301u, host.BandId(1));
    EXPECT_EQ(1, host.m_reBar->FindBand(second));
    EXPECT_EQ(nullptr, host.m_reBar->GetBandToolBar(5));

    // Taking one out deletes its band only.
    host.m_bars->RemoveFromReBar(first);
    EXPECT_EQ(1u, host.m_reBar->GetBandCount());
    EXPECT_EQ(0, host.m_reBar->FindBand(second));
    EXPECT_EQ(-1, host.m_reBar->FindBand(first));
    // A toolbar in no band: nothing found, nothing deleted.
    host.m_bars->RemoveFromReBar(first);
    EXPECT_EQ(1u, host.m_reBar->GetBandCount());

    // The rebar takes its room at the top of the frame.
    host.m_frame->RecalcLayout();
    CRect rc;
    host.m_reBar->GetWindowRect(&rc);
    EXPECT_GT(rc.Height(), 0);
}

TEST(ReBar, RemovingABarDeletesItsBand)
{
    ReBarHost host;
    CUTKToolBar* bar = host.AddBar(310);
    ASSERT_NE(nullptr, bar);
    ASSERT_TRUE(host.m_bars->DockInReBar(bar));
    ASSERT_EQ(1u, host.m_reBar->GetBandCount());
    host.m_bars->Remove(bar);
    EXPECT_EQ(0u, host.m_reBar->GetBandCount());
    EXPECT_EQ(0, host.m_bars->GetCount());
}

TEST(ReBar, CustomBarsGoIntoTheRebar)
{
    ReBarHost host;
    CUTKToolBar* custom = host.m_bars->AddCustomBar(L"Mine", 0x1000005, FALSE);
    ASSERT_NE(nullptr, custom);
    EXPECT_FALSE(custom->IsBuiltIn());
    EXPECT_EQ(0x1000005u, custom->GetBarID());
    ASSERT_EQ(1u, host.m_reBar->GetBandCount());
    EXPECT_EQ(0x1000005u, host.BandId(0));
}

TEST(ReBar, WithoutARebarNothingMoves)
{
    ReBarHost host(FALSE);
    EXPECT_EQ(nullptr, host.m_bars->GetReBar());
    CUTKToolBar* bar = host.AddBar(320);
    ASSERT_NE(nullptr, bar);
    EXPECT_FALSE(host.m_bars->DockInReBar(bar));
    EXPECT_GT(host.m_bars->GetDockBar(utkBarTop)->FindBar(bar), 0);
    host.m_bars->RemoveFromReBar(bar);
}

} // namespace
