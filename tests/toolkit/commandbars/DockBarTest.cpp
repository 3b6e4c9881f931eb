// Dock bars on real windows: a frame with its four dock bars and toolbars of fixed sizes docked
// into them, laid out by the frame; rows chosen by drop points, separators kept, stretched bars
// alone, and the room each dock bar takes.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/framework/CInvalidArgException.h"
#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "toolkit/commandbars/CUTKDockBar.h"
#include "toolkit/commandbars/CUTKDockContext.h"
#include "toolkit/commandbars/CUTKToolBar.h"

#include <string>
#include <vector>

namespace {

// A toolbar of fixed size: `length` along its dock bar and 26 across.
class FixedBar : public CUTKToolBar {
public:
    explicit FixedBar(int length) : m_length(length) {}
    CSize CalcDockingLayout(int nLength, DWORD dwMode, int) override
    {
        const int along = (dwMode & 1) ? nLength : m_length;
        return (dwMode & LM_VERTDOCK) ? CSize(26, along) : CSize(along, 26);
    }
    int m_length;
};

constexpr UINT kDockIds[4] = {0xE81B, 0xE81C, 0xE81D, 0xE81E};
constexpr DWORD kDockStyles[4] = {CBRS_TOP, CBRS_BOTTOM, CBRS_LEFT, CBRS_RIGHT};

class DockHost {
public:
    DockHost()
    {
        m_frame = new CFrameWnd;
        m_frame->Create(nullptr, L"dock host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                        CRect(30, 30, 630, 430));
        for (int i = 0; i < 4; ++i) {
            m_docks[i] = new CUTKDockBar;
            m_docks[i]->Create(m_frame, WS_CHILD | WS_VISIBLE | kDockStyles[i], kDockIds[i]);
        }
        // The view stand-in: the frame's left-over child.
        m_view = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                   m_frame->GetSafeHwnd(), reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST),
                                   nullptr, nullptr);
        m_frame->RecalcLayout();
    }
    ~DockHost()
    {
        for (FixedBar* bar : m_bars) {
            bar->DestroyWindow();
            bar->InternalRelease();
        }
        for (CUTKDockBar* dock : m_docks)
            delete dock;
        m_frame->DestroyWindow();
    }
    DockHost(const DockHost&) = delete;
    DockHost& operator=(const DockHost&) = delete;

    FixedBar* MakeBar(int length, int position = 0, DWORD flags = 0x3F)
    {
        auto* bar = new FixedBar(length);
        bar->SetFlags(flags);
        bar->SetBarPosition(position);
        bar->Create(m_docks[position], FALSE);
        m_bars.push_back(bar);
        return bar;
    }
    CRect RectIn(int position, CUTKToolBar* bar) const
    {
        CRect rc;
        ::GetWindowRect(bar->GetSafeHwnd(), &rc);
        ::MapWindowPoints(nullptr, m_docks[position]->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
        return rc;
    }
    CRect DockRect(int position) const
    {
        CRect rc;
        ::GetWindowRect(m_docks[position]->GetSafeHwnd(), &rc);
        ::MapWindowPoints(nullptr, m_frame->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
        return rc;
    }
    CRect ViewRect() const
    {
        CRect rc;
        ::GetWindowRect(m_view, &rc);
        ::MapWindowPoints(nullptr, m_frame->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
        return rc;
    }
    // A screen rectangle of the bar's size centred on a client point of the dock bar.
    CRect ScreenRectAt(int position, CPoint centre, CSize size) const
    {
        CPoint pt = centre;
        ::ClientToScreen(m_docks[position]->GetSafeHwnd(), &pt);
        return CRect(pt.x - size.cx / 2, pt.y - size.cy / 2, pt.x - size.cx / 2 + size.cx,
                     pt.y - size.cy / 2 + size.cy);
    }
    // The array as text: "|" for a separator, the bar's index in m_bars otherwise.
    std::string Rows(int position) const
    {
        std::string out;
        CUTKDockBar* dock = m_docks[position];
        for (int i = 0; i < dock->GetCount(); ++i) {
            CUTKToolBar* bar = dock->GetAt(i);
            if (bar == nullptr) {
                out += "|";
                continue;
            }
            for (size_t k = 0; k < m_bars.size(); ++k) {
                if (m_bars[k] == bar)
                    out += std::to_string(k);
            }
        }
        return out;
    }

    CFrameWnd* m_frame = nullptr;
    CUTKDockBar* m_docks[4] = {};
    HWND m_view = nullptr;
    std::vector<FixedBar*> m_bars;
};

} // namespace

TEST(DockBar, PositionsNamesAndStyles)
{
    DockHost host;
    const wchar_t* names[] = {L"utkBarTop", L"utkBarBottom", L"utkBarLeft", L"utkBarRight"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(host.m_docks[i]->GetPosition(), i);
        wchar_t text[32] = {};
        ::GetWindowTextW(host.m_docks[i]->GetSafeHwnd(), text, 32);
        EXPECT_STREQ(text, names[i]);
        wchar_t cls[32] = {};
        ::GetClassNameW(host.m_docks[i]->GetSafeHwnd(), cls, 32);
        EXPECT_STREQ(cls, L"UTKDockBar");
        EXPECT_TRUE(host.m_docks[i]->GetStyle() & WS_CLIPSIBLINGS);
        EXPECT_EQ(host.m_docks[i]->GetCount(), 1) << "a new dock bar holds its leading separator";
    }
    struct Case {
        DWORD style;
        int want;
    } cases[] = {
        {CBRS_ALIGN_TOP, 0}, {CBRS_BORDER_BOTTOM, 0}, {CBRS_ALIGN_BOTTOM, 1}, {CBRS_BORDER_TOP, 1},
        {CBRS_ALIGN_LEFT, 2}, {CBRS_BORDER_RIGHT, 2}, {CBRS_ALIGN_RIGHT, 3}, {0, 3},
        {CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM, 0},  // tested in that order
    };
    for (const Case& c : cases)
        EXPECT_EQ(CUTKDockBar::PositionOfStyle(c.style), c.want) << std::hex << c.style;
}

TEST(DockBar, EmptyDockBarsTakeNoRoom)
{
    DockHost host;
    CRect client;
    host.m_frame->GetClientRect(&client);
    EXPECT_EQ(host.ViewRect(), client);
    EXPECT_EQ(host.DockRect(0).Height(), 0);
    EXPECT_EQ(host.DockRect(2).Width(), 0);
}

TEST(DockBar, DockedRowsLaidOutByTheFrame)
{
    DockHost host;
    FixedBar* a = host.MakeBar(100);
    FixedBar* b = host.MakeBar(150);
    FixedBar* c = host.MakeBar(120, 2);
    host.m_docks[0]->DockBar(a, nullptr);
    host.m_docks[0]->DockBar(b, nullptr);
    host.m_docks[2]->DockBar(c, nullptr);
    EXPECT_EQ(host.Rows(0), "|0|1|");
    EXPECT_EQ(a->GetDockBar(), host.m_docks[0]);
    host.m_frame->RecalcLayout();

    CRect client;
    host.m_frame->GetClientRect(&client);
    EXPECT_EQ(host.DockRect(0), CRect(0, 0, client.right, 52));
    EXPECT_EQ(host.RectIn(0, a), CRect(0, 0, 100, 26));
    EXPECT_EQ(host.RectIn(0, b), CRect(0, 26, 150, 52));
    EXPECT_EQ(host.DockRect(2), CRect(0, 52, 26, client.bottom));
    EXPECT_EQ(host.RectIn(2, c), CRect(0, 0, 26, 120));
    EXPECT_EQ(host.ViewRect(), CRect(26, 52, client.right, client.bottom));
    EXPECT_EQ(a->GetDockContext()->m_uMRUDockID, 0);
    EXPECT_EQ(c->GetDockContext()->m_uMRUDockID, 2);

    // A hidden toolbar takes no room; its row closes up.
    a->SetVisible(FALSE);
    host.m_frame->RecalcLayout();
    EXPECT_EQ(host.DockRect(0).Height(), 26);
    EXPECT_EQ(host.RectIn(0, b).top, 0);
}

TEST(DockBar, DropPointChoosesTheRow)
{
    // Two rows of one toolbar each (y 0-26 and 26-52); a third toolbar dropped at various
    // heights.
    struct Case {
        int y;
        const char* want;
    } cases[] = {
        {10, "|20|1|"},   // inside the first row: its start
        {40, "|0|21|"},   // inside the second row
        {26, "|0|2|1|"},  // on the boundary: a row of its own between them
        {0, "|2|0|1|"},   // on the leading edge: a row before the first
        {60, "|0|1|2|"},  // below every row: a new last row
    };
    for (const Case& c : cases) {
        DockHost host;
        FixedBar* a = host.MakeBar(100);
        FixedBar* b = host.MakeBar(100);
        FixedBar* d = host.MakeBar(80);
        host.m_docks[0]->DockBar(a, nullptr);
        host.m_docks[0]->DockBar(b, nullptr);
        host.m_frame->RecalcLayout();
        ASSERT_EQ(host.RectIn(0, b), CRect(0, 26, 100, 52));
        const CRect drop = host.ScreenRectAt(0, CPoint(300, c.y), CSize(80, 26));
        host.m_docks[0]->DockBar(d, drop);
        EXPECT_EQ(host.Rows(0), c.want) << "drop at y " << c.y;
        CRect docked = drop;
        ::MapWindowPoints(nullptr, host.m_docks[0]->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&docked), 2);
        EXPECT_EQ(d->GetDockContext()->m_rectMRUDockPos, docked);
    }
}

TEST(DockBar, DockedPlaceKeptAlongTheRowAndMovesWithinTheDockBar)
{
    DockHost host;
    FixedBar* a = host.MakeBar(100);
    FixedBar* b = host.MakeBar(100);
    host.m_docks[0]->DockBar(a, nullptr);
    host.m_docks[0]->DockBar(b, host.ScreenRectAt(0, CPoint(290, 13), CSize(100, 26)));
    host.m_frame->RecalcLayout();
    EXPECT_EQ(host.Rows(0), "|10|");
    EXPECT_EQ(host.RectIn(0, a), CRect(0, 0, 100, 26));
    EXPECT_EQ(host.RectIn(0, b), CRect(240, 0, 340, 26));

    // Docking it again at the same place changes nothing; at another row it moves there alone.
    CRect same;
    ::GetWindowRect(b->GetSafeHwnd(), &same);
    host.m_docks[0]->DockBar(b, same);
    EXPECT_EQ(host.Rows(0), "|10|");
    host.m_docks[0]->DockBar(b, host.ScreenRectAt(0, CPoint(50, 40), CSize(100, 26)));
    EXPECT_EQ(host.Rows(0), "|0|1|");

    // Into another dock bar: out of this one, its empty row gone, re-parented.
    host.m_docks[1]->DockBar(b, nullptr);
    EXPECT_EQ(host.Rows(0), "|0|");
    EXPECT_EQ(host.Rows(1), "|1|");
    EXPECT_EQ(::GetParent(b->GetSafeHwnd()), host.m_docks[1]->GetSafeHwnd());
    EXPECT_EQ(b->GetDockBar(), host.m_docks[1]);
}

TEST(DockBar, StretchedToolbarStandsAlone)
{
    DockHost host;
    FixedBar* a = host.MakeBar(100);
    FixedBar* wide = host.MakeBar(100, 0, 0x3F | 0x40);
    FixedBar* b = host.MakeBar(100);
    host.m_docks[0]->DockBar(a, nullptr);
    host.m_docks[0]->DockBar(b, host.ScreenRectAt(0, CPoint(200, 13), CSize(100, 26)));
    EXPECT_EQ(host.Rows(0), "|20|");
    host.m_docks[0]->DockBar(wide, host.ScreenRectAt(0, CPoint(400, 13), CSize(100, 26)));
    EXPECT_EQ(host.Rows(0), "|1|20|");
    host.m_frame->RecalcLayout();
    CRect client;
    host.m_frame->GetClientRect(&client);
    EXPECT_EQ(host.RectIn(0, wide), CRect(0, 0, client.right, 26));
}

TEST(DockBar, RemovalDropsEmptyRowsAndBadIndexesAreRefused)
{
    DockHost host;
    FixedBar* a = host.MakeBar(100);
    FixedBar* b = host.MakeBar(100);
    FixedBar* stranger = host.MakeBar(100);
    host.m_docks[0]->DockBar(a, nullptr);
    host.m_docks[0]->DockBar(b, nullptr);
    EXPECT_FALSE(host.m_docks[0]->RemoveBar(stranger));
    EXPECT_FALSE(host.m_docks[0]->RemoveBar(nullptr)) << "the leading separator is no bar";
    EXPECT_TRUE(host.m_docks[0]->RemoveBar(a));
    EXPECT_EQ(host.Rows(0), "|1|");
    EXPECT_EQ(a->GetDockBar(), nullptr);
    EXPECT_EQ(host.m_docks[0]->FindBar(b), 1);
    EXPECT_EQ(host.m_docks[0]->FindBar(b, 1), -1);

    BOOL thrown = FALSE;
    try {
        host.m_docks[0]->GetAt(3);
    } catch (CException* e) {
        thrown = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
        e->Delete();
    }
    EXPECT_TRUE(thrown) << "an index outside the array is an error";

    // Stored indexes are clamped into the array, after the leading separator.
    EXPECT_EQ(host.m_docks[0]->InsertAt(-5, a), 1);
    const int count = host.m_docks[0]->GetCount();
    EXPECT_EQ(host.m_docks[0]->InsertAt(1000, nullptr), count);
    EXPECT_EQ(host.Rows(0), "|01||");
}

TEST(DockBar, VisibleRowInScreenOrder)
{
    DockHost host;
    FixedBar* a = host.MakeBar(100);
    FixedBar* b = host.MakeBar(100);
    FixedBar* c = host.MakeBar(100);
    host.m_docks[0]->DockBar(a, host.ScreenRectAt(0, CPoint(300, 13), CSize(100, 26)));
    host.m_docks[0]->DockBar(b, host.ScreenRectAt(0, CPoint(60, 13), CSize(100, 26)));
    host.m_docks[0]->DockBar(c, host.ScreenRectAt(0, CPoint(170, 13), CSize(100, 26)));
    host.m_frame->RecalcLayout();
    EXPECT_EQ(host.Rows(0), "|210|");
    CUTKDockBar::CBarArray row;
    host.m_docks[0]->GetVisibleRow(2, row);
    ASSERT_EQ(row.GetSize(), 3);
    EXPECT_EQ(row[0], b);
    EXPECT_EQ(row[1], c);
    EXPECT_EQ(row[2], a);
    c->SetVisible(FALSE);
    host.m_docks[0]->GetVisibleRow(1, row);
    EXPECT_EQ(row.GetSize(), 2);
    host.m_docks[0]->GetVisibleRow(99, row);
    EXPECT_EQ(row.GetSize(), 0);
}
