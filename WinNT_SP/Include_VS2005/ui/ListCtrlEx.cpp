// Drag-reorder with auto-scroll and drop mark, and the custom row colours of the report list.
#include "WinNT_SP/Include_VS2005/ui/ListCtrlEx.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CListCtrlEx, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

std::vector<int> CListCtrlEx::ComputeNewOrder(const std::vector<bool>& selected, int drop)
{
    const int count = static_cast<int>(selected.size());
    int selectedTotal = 0;
    int unselectedAbove = 0;
    for (int j = 0; j < count; ++j) {
        selectedTotal += selected[j] ? 1 : 0;
        unselectedAbove += (!selected[j] && j < drop) ? 1 : 0;
    }
    std::vector<int> order(count);
    int nextSelected = unselectedAbove;
    int selectedBefore = 0;
    for (int j = 0; j < count; ++j) {
        if (selected[j]) {
            order[j] = nextSelected++;
            ++selectedBefore;
        } else {
            order[j] = j - selectedBefore + (j >= drop ? selectedTotal : 0);
        }
    }
    return order;
}

int CListCtrlEx::RowCount() const
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

int CListCtrlEx::HitRow(POINT client) const
{
    LVHITTESTINFO hit = {};
    hit.pt = client;
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void CListCtrlEx::OnBeginDrag(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (!m_dropMessage) {
        return;
    }
    m_dropPosition = -1;
    const UINT selectedCount = static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT));
    const UINT bitmapId = selectedCount < 2 ? m_oneRowBitmap : m_rowsBitmap;
    POINT cursor;
    ::GetCursorPos(&cursor);
    if (bitmapId) {
        HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(
            AfxGetResourceHandle(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, 0));
        BITMAP info = {};
        if (bitmap && ::GetObjectW(bitmap, sizeof(info), &info)) {
            m_dragImage = ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK,
                                           1, 0);
            ImageList_AddMasked(m_dragImage, bitmap, 0x808000);
        }
        if (bitmap) {
            ::DeleteObject(bitmap);
        }
    }
    if (m_dragImage) {
        ImageList_BeginDrag(m_dragImage, 0, -10, -14);
        ImageList_DragEnter(::GetDesktopWindow(), cursor.x, cursor.y);
    }
    m_dragging = true;
    SetCapture();
}

void CListCtrlEx::UpdateDropPosition(POINT client)
{
    RECT rc;
    GetClientRect(&rc);
    const int count = RowCount();
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    RECT headerRect = {};
    if (header && ::IsWindowVisible(header)) {
        ::GetWindowRect(header, &headerRect);
    }
    const int top = rc.top + (headerRect.bottom - headerRect.top);
    const int topRow = static_cast<int>(SendMessage(LVM_GETTOPINDEX));
    int position;
    int scroll = 0;
    if (client.x < rc.left || client.x >= rc.right) {
        position = -1;
    } else if (client.y < top) {
        position = topRow;
        scroll = 1;
    } else if (client.y >= rc.bottom) {
        const int perPage = static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
        position = topRow + perPage < count ? topRow + perPage : count;
        scroll = 2;
    } else {
        POINT screen = client;
        ClientToScreen(&screen);
        position = count;
        if (::WindowFromPoint(screen) == m_hWnd) {
            int row = HitRow(client);
            if (row < 0) {
                row = HitRow({8, client.y});
            }
            if (row >= 0) {
                position = row;
            }
        }
    }
    m_scrollDirection = scroll;
    if (scroll && !m_scrollTimer) {
        m_scrollTimer = SetTimer(kScrollTimer, 100, nullptr);
    } else if (!scroll && m_scrollTimer) {
        KillTimer(kScrollTimer);
        m_scrollTimer = 0;
    }
    ::SetCursor(::LoadCursorW(nullptr, position < 0 ? IDC_NO : IDC_ARROW));
    if (position != m_dropPosition) {
        DrawMark(false);
        m_dropPosition = position;
        DrawMark(true);
    }
}

void CListCtrlEx::DrawMark(bool draw)
{
    const int position = draw ? m_dropPosition : m_markPosition;
    if (position < 0) {
        m_markPosition = -1;
        return;
    }
    const int count = RowCount();
    const int row = position < count ? position : count - 1;
    if (row < 0) {
        return;
    }
    if (!draw) {
        SendMessage(LVM_REDRAWITEMS, row, row);
        if (row > 0) {
            SendMessage(LVM_REDRAWITEMS, row - 1, row - 1);
        }
        UpdateWindow();
        m_markPosition = -1;
        return;
    }
    SendMessage(LVM_ENSUREVISIBLE, row, FALSE);
    RECT item = {};
    item.left = LVIR_BOUNDS;
    SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
    RECT client;
    GetClientRect(&client);
    const int y = position < count ? item.top : item.bottom;
    if (m_dragImage) {
        ImageList_DragShowNolock(FALSE);
    }
    HDC dc = ::GetDC(m_hWnd);
    RECT line = {client.left, y - 1, client.right, y + 1};
    ::FillRect(dc, &line, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::ReleaseDC(m_hWnd, dc);
    if (m_dragImage) {
        ImageList_DragShowNolock(TRUE);
    }
    m_markPosition = position;
}

void CListCtrlEx::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging) {
        Default();
        return;
    }
    if (m_dragImage) {
        POINT screen = point;
        ClientToScreen(&screen);
        ImageList_DragMove(screen.x, screen.y);
    }
    UpdateDropPosition(point);
}

void CListCtrlEx::OnTimer(UINT_PTR id)
{
    if (id != kScrollTimer || !m_dragging) {
        Default();
        return;
    }
    const int count = RowCount();
    int position = m_dropPosition;
    if (m_scrollDirection == 1 && position > 0) {
        --position;
    } else if (m_scrollDirection == 2 && position < count) {
        ++position;
    }
    if (m_dragImage) {
        ImageList_DragShowNolock(FALSE);
    }
    DrawMark(false);
    SendMessage(WM_VSCROLL, m_scrollDirection == 1 ? SB_LINEUP : SB_LINEDOWN, 0);
    m_dropPosition = position;
    DrawMark(true);
    if (m_dragImage) {
        ImageList_DragShowNolock(TRUE);
    }
}

void CListCtrlEx::EndDrag()
{
    if (m_scrollTimer) {
        KillTimer(kScrollTimer);
        m_scrollTimer = 0;
    }
    m_dragging = false;
    ::ReleaseCapture();
    if (m_dragImage) {
        ImageList_DragLeave(::GetDesktopWindow());
        ImageList_EndDrag();
        ImageList_Destroy(m_dragImage);
        m_dragImage = nullptr;
    }
    DrawMark(false);
}

void CListCtrlEx::OnLButtonUp(UINT, CPoint)
{
    if (!m_dragging) {
        Default();
        return;
    }
    EndDrag();
    const int count = RowCount();
    std::vector<int> order;
    if (m_dropPosition >= 0) {
        std::vector<bool> selected(count);
        for (int j = 0; j < count; ++j) {
            selected[j] = (SendMessage(LVM_GETITEMSTATE, j, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        }
        order = ComputeNewOrder(selected, m_dropPosition);
    }
    ::SendMessageW(::GetParent(m_hWnd), m_dropMessage, static_cast<WPARAM>(m_dropPosition),
                   order.empty() ? 0 : reinterpret_cast<LPARAM>(order.data()));
    m_dropPosition = -1;
}

void CListCtrlEx::RefreshColors()
{
    if (!m_colorsStale) {
        return;
    }
    m_colorsStale = FALSE;
    m_markBack = static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR));
    m_markSelectedBack = ::GetSysColor(COLOR_HIGHLIGHT);
    auto shift = [](COLORREF c) {
        return RGB(static_cast<BYTE>(GetRValue(c) + 50), static_cast<BYTE>(GetGValue(c) + 90),
                   static_cast<BYTE>(GetBValue(c) - 16));
    };
    if (m_dimmedFocusColors) {
        m_markText = shift(m_markBack);
        m_markSelectedText = shift(m_markSelectedBack);
    } else {
        m_markText = static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR));
        m_markSelectedText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
}

void CListCtrlEx::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    *result = CDRF_DODEFAULT;
    if (!m_customColors) {
        return;
    }
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) {
        return;
    }
    RefreshColors();
    const int row = static_cast<int>(draw->nmcd.dwItemSpec);
    const bool selected = (SendMessage(LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    draw->clrText = static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR));
    draw->clrTextBk = static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR));
    if (selected) {
        draw->clrText =
            row == m_markedRow ? m_markSelectedText : ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw->clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
        // The list would paint its own highlight over these colours.
        draw->nmcd.uItemState &= ~CDIS_SELECTED;
    } else if (row == m_markedRow) {
        draw->clrText = m_markText;
        draw->clrTextBk = m_markBack;
    }
    if (m_stripedRows && (row & 1)) {
        auto darker = [](BYTE v) { return static_cast<BYTE>(v >= 10 ? v - 10 : v); };
        const COLORREF c = draw->clrTextBk;
        draw->clrTextBk = RGB(darker(GetRValue(c)), darker(GetGValue(c)), darker(GetBValue(c)));
    }
    *result = CDRF_NOTIFYPOSTPAINT;
}

BOOL CListCtrlEx::OnEraseBkgnd(CDC* dc)
{
    const int count = RowCount();
    if (count == 0) {
        return static_cast<BOOL>(Default());
    }
    // Only the parts without rows are erased, so the rows do not flicker.
    RECT client;
    GetClientRect(&client);
    RECT first = {};
    RECT last = {};
    first.left = last.left = LVIR_BOUNDS;
    const int top = static_cast<int>(SendMessage(LVM_GETTOPINDEX));
    SendMessage(LVM_GETITEMRECT, top, reinterpret_cast<LPARAM>(&first));
    SendMessage(LVM_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
    if (SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_CHECKBOXES) {
        first.left -= ::GetSystemMetrics(SM_CXEDGE) + 16;
    }
    HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)));
    HDC hdc = dc->GetSafeHdc();
    const RECT left = {client.left, first.top, first.left, last.bottom};
    const RECT right = {first.right, first.top, client.right, last.bottom};
    const RECT below = {client.left, last.bottom, client.right, client.bottom};
    for (const RECT& r : {left, right, below}) {
        if (r.right > r.left && r.bottom > r.top) {
            ::FillRect(hdc, &r, brush);
        }
    }
    ::DeleteObject(brush);
    return TRUE;
}

void CListCtrlEx::OnSysColorChange()
{
    m_colorsStale = TRUE;
    Default();
}
