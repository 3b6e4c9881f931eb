// The splitter window: painting through the docking paint manager, the resize cursor, the
// drag range, and the outline or live drag that moves space between two neighbours.
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"

#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/SplitterTracker.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/DockingSplitLayout.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUTKDockingPaneSplitterWnd, CWnd)

namespace {

constexpr UINT kCursorHorizontalResize = 9970;
constexpr UINT kCursorVerticalResize = 9971;
constexpr int kDefaultSplitterSize = 4;

}  // namespace

BEGIN_MESSAGE_MAP(CUTKDockingPaneSplitterWnd, CWnd)
    // void OnPaint()
    ON_WM_PAINT()
    // LRESULT OnPrintClient(WPARAM hdc, LPARAM flags)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    // BOOL OnEraseBkgnd(CDC*)
    ON_WM_ERASEBKGND()
    // BOOL OnSetCursor(CWnd*, UINT hitTest, UINT message)
    ON_WM_SETCURSOR()
    // void OnLButtonDown(UINT flags, CPoint point)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CUTKDockingPaneSplitterWnd::CUTKDockingPaneSplitterWnd() = default;

CUTKDockingPaneSplitterWnd::~CUTKDockingPaneSplitterWnd()
{
    if (GetSafeHwnd()) {
        DestroyWindow();
    }
}

BOOL CUTKDockingPaneSplitterWnd::Create(CUTKDockingPaneManager* manager, CWnd* parent,
                                        CUTKDockingPaneSplitterContainer* container,
                                        CUTKDockingPaneBase* first, CUTKDockingPaneBase* second,
                                        BOOL vertical)
{
    m_pManager = manager;
    m_pContainer = container;
    m_pFirst = first;
    m_pSecond = second;
    m_bVertical = vertical;
    m_hCursor = GetResourceManager()->LoadCursor(vertical ? kCursorVerticalResize
                                                          : kCursorHorizontalResize);
    if (!m_hCursor) {
        m_hCursor = ::LoadCursorW(nullptr, vertical ? IDC_SIZENS : IDC_SIZEWE);
    }
    if (!parent || !parent->GetSafeHwnd()) {
        return FALSE;
    }
    RegisterWndClass(nullptr, L"UTKDockingPaneSplitter", 0);
    return CreateEx(0, L"UTKDockingPaneSplitter", L"Splitter",
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                    CRect(0, 0, 0, 0), parent, 0);
}

int CUTKDockingPaneSplitterWnd::GetSplitterIndent() const
{
    const CUTKDockingPanePaintManager* paint =
        m_pManager ? m_pManager->GetPaintManager() : nullptr;
    return paint && paint->m_bShowCaption ? paint->m_nCaptionSplitterIndent : 0;
}

BOOL CUTKDockingPaneSplitterWnd::SplittersLocked() const
{
    return m_pManager && m_pManager->m_bLockSplitters;
}

void CUTKDockingPaneSplitterWnd::Draw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    CUTKDockingPanePaintManager* paint = m_pManager ? m_pManager->GetPaintManager() : nullptr;
    if (!paint) {
        dc->FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
        return;
    }
    CWnd* site = m_pManager->GetSite();
    paint->DrawSplitter(dc, client, m_bVertical, m_hWnd, site ? site->GetSafeHwnd() : nullptr);
}

void CUTKDockingPaneSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

LRESULT CUTKDockingPaneSplitterWnd::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = reinterpret_cast<HDC>(wParam);
    Draw(&dc);
    dc.m_hDC = dc.m_hAttribDC = nullptr;
    return 0;
}

BOOL CUTKDockingPaneSplitterWnd::OnEraseBkgnd(CDC* dc)
{
    (void)dc;
    return TRUE;
}

BOOL CUTKDockingPaneSplitterWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_pContainer && !SplittersLocked() && !GetTrackRect().IsRectEmpty()) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

CRect CUTKDockingPaneSplitterWnd::GetTrackRect() const
{
    if (!m_pManager || !m_pFirst || !m_pSecond) {
        return CRect(0, 0, 0, 0);
    }
    const CRect first = m_pFirst->GetWindowRect();
    const CRect second = m_pSecond->GetWindowRect();
    CRect bounds;
    bounds.UnionRect(first, second);
    MINMAXINFO one;
    MINMAXINFO two;
    m_pFirst->GetMinMaxInfo(&one);
    m_pSecond->GetMinMaxInfo(&two);
    const CUTKDockingPanePaintManager* paint = m_pManager->GetPaintManager();
    const int splitter = paint ? paint->m_nSplitterSize : kDefaultSplitterSize;
    const int minFree = m_pManager->m_nSplitterGap;

    if (!m_bVertical) {
        const auto range = DockingSplitLayout::DragRange(
            bounds.left, bounds.right, one.ptMinTrackSize.x, one.ptMaxTrackSize.x,
            two.ptMinTrackSize.x, two.ptMaxTrackSize.x, minFree, splitter);
        return range.valid() ? CRect(range.low, bounds.top, range.high, bounds.bottom)
                             : CRect(0, 0, 0, 0);
    }
    const auto range = DockingSplitLayout::DragRange(
        bounds.top, bounds.bottom, one.ptMinTrackSize.y, one.ptMaxTrackSize.y,
        two.ptMinTrackSize.y, two.ptMaxTrackSize.y, minFree, splitter);
    return range.valid() ? CRect(bounds.left, range.low, bounds.right, range.high)
                         : CRect(0, 0, 0, 0);
}

BOOL CUTKDockingPaneSplitterWnd::ApplyBarPosition(int position)
{
    if (!m_pManager || !m_pFirst || !m_pSecond) {
        return FALSE;
    }
    CRect bounds;
    bounds.UnionRect(m_pFirst->GetWindowRect(), m_pSecond->GetWindowRect());
    const CUTKDockingPanePaintManager* paint = m_pManager->GetPaintManager();
    const int splitter = paint ? paint->m_nSplitterSize : kDefaultSplitterSize;
    const BOOL horizontal = !m_bVertical;
    LONG& first = horizontal ? m_pFirst->m_szDocking.cx : m_pFirst->m_szDocking.cy;
    LONG& second = horizontal ? m_pSecond->m_szDocking.cx : m_pSecond->m_szDocking.cy;
    const bool rtl = horizontal && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    int newFirst = 0;
    int newSecond = 0;
    if (!DockingSplitLayout::BarSizes(first + second, splitter, position, GetSplitterIndent(),
                                      horizontal ? bounds.left : bounds.top,
                                      horizontal ? bounds.Width() : bounds.Height(), rtl,
                                      newFirst, newSecond)) {
        return FALSE;
    }
    first = newFirst;
    second = newSecond;
    return TRUE;
}

void CUTKDockingPaneSplitterWnd::OnLButtonDown(UINT flags, CPoint point)
{
    (void)flags;
    if (!m_pContainer || SplittersLocked()) {
        return;
    }
    CRect bar;
    CWnd::GetWindowRect(&bar);
    const CRect range = GetTrackRect();
    if (range.IsRectEmpty() || m_pContainer->NotifyAllPanes(actionSplitterResizing)) {
        return;
    }
    m_pContainer->SyncDockingSizes();
    CUTKDockingPaneSplitterContainer* container = m_pContainer;
    CUTKDockingPaneManager* manager = m_pManager;
    ClientToScreen(&point);

    if (manager->m_bUseSplitterTracker) {
        SplitterTracker tracker(FALSE, TRUE);
        CRect tracked = bar;
        if (tracker.Track(this, range, tracked, point, !m_bVertical)) {
            (void)ApplyBarPosition(m_bVertical ? tracked.top : tracked.left);
            manager->RecalcFrameLayout(container, TRUE);
        }
    } else {
        TrackLive(point, bar, range);
    }
    container->NotifyAllPanes(actionSplitterResized);
}

void CUTKDockingPaneSplitterWnd::TrackLive(CPoint start, CRect bar, CRect range)
{
    const HWND self = m_hWnd;
    CUTKDockingPaneSplitterContainer* container = m_pContainer;
    CUTKDockingPaneManager* manager = m_pManager;
    const BOOL horizontal = !m_bVertical;
    ::SetCapture(self);

    // What was waiting to be painted shows before the first move.
    MSG msg = {};
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }

    const int grab = horizontal ? start.x - bar.left : start.y - bar.top;
    const int low = horizontal ? range.left : range.top;
    const int high = horizontal ? range.right : range.bottom;
    int current = horizontal ? bar.left : bar.top;

    while (::IsWindow(self) && ::GetCapture() == self) {
        // Waiting without blocking in GetMessage: a capture taken away while no message comes
        // must still end the loop.
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            // Whoever runs the outer loop still has to see the quit request.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            CPoint point(static_cast<short>(LOWORD(msg.lParam)),
                         static_cast<short>(HIWORD(msg.lParam)));
            ::ClientToScreen(msg.hwnd, &point);
            const int position =
                std::max(low, std::min(high, static_cast<int>((horizontal ? point.x : point.y) - grab)));
            if (position != current) {
                current = position;
                if (ApplyBarPosition(position)) {
                    manager->RecalcFrameLayout(container, FALSE);
                }
            }
        } else if (msg.message == WM_LBUTTONUP ||
                   (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
            break;
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (::GetCapture() == self) {
        ::ReleaseCapture();
    }
}
