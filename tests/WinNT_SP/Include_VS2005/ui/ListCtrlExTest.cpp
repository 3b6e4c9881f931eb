// The drag-reorder list: the new order as a table, and a real drag under Xvfb (SendInput) from
// the selected rows to the top and outside the list.
#include "WinNT_SP/Include_VS2005/ui/ListCtrlEx.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestApp.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestWindow.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

using namespace orvane::test;

namespace {

constexpr UINT kDropMessage = WM_APP + 50;

class DropHost : public CWnd {
public:
    bool dropped = false;
    int position = -2;
    std::vector<int> order;
    bool orderMissing = false;

protected:
    LRESULT OnDrop(WPARAM wParam, LPARAM lParam)
    {
        dropped = true;
        position = static_cast<int>(wParam);
        orderMissing = lParam == 0;
        if (lParam) {
            const int* p = reinterpret_cast<const int*>(lParam);
            order.assign(p, p + 5);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DropHost, CWnd)
    ON_MESSAGE(kDropMessage, OnDrop)
END_MESSAGE_MAP()

void MoveTo(POINT p)
{
    SetCursorPos(p.x, p.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(in));
    PumpMessages(40);
}

void Button(DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof(in));
    PumpMessages(40);
}

class ListDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureUiTestApp();
        ASSERT_TRUE(m_host.CreateEx(
            0,
            AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW),
                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
            L"Bookmarks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 360, 260, nullptr, nullptr));
        HWND list = CreateWindowExW(
            0, WC_LISTVIEWW, L"",
            WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, 10, 10, 300, 200,
            m_host.m_hWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(m_list.SubclassWindow(list));
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = 200;
        column.pszText = const_cast<wchar_t*>(L"Bookmark");
        m_list.SendMessage(LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        const wchar_t* names[] = {L"Intro", L"Agenda", L"Demo", L"Questions", L"Close"};
        for (int i = 0; i < 5; ++i) {
            LVITEMW item = {};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<wchar_t*>(names[i]);
            m_list.SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        m_list.m_dropMessage = kDropMessage;
        SetForegroundWindow(m_host.m_hWnd);
        PumpMessages(50);
    }
    void TearDown() override
    {
        Button(MOUSEEVENTF_LEFTUP);
        m_list.UnsubclassWindow();
        m_host.DestroyWindow();
    }
    void Select(std::initializer_list<int> rows)
    {
        LVITEMW clear = {};
        clear.stateMask = LVIS_SELECTED;
        m_list.SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(&clear));
        for (int row : rows) {
            LVITEMW item = {};
            item.stateMask = LVIS_SELECTED;
            item.state = LVIS_SELECTED;
            m_list.SendMessage(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
        }
    }
    POINT RowPoint(int row, int dy = 0)
    {
        RECT rc = {};
        rc.left = LVIR_LABEL;
        m_list.SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
        POINT p = {rc.left + 20, (rc.top + rc.bottom) / 2 + dy};
        ClientToScreen(m_list.m_hWnd, &p);
        return p;
    }
    void Drag(POINT from, POINT to)
    {
        MoveTo(from);
        Button(MOUSEEVENTF_LEFTDOWN);
        for (int i = 1; i <= 4; ++i) {
            MoveTo({from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4});
        }
        Button(MOUSEEVENTF_LEFTUP);
    }

    DropHost m_host;
    CListCtrlEx m_list;
};

}  // namespace

TEST(ListReorder, NewIndicesPerRow)
{
    struct Case {
        std::vector<bool> selected;
        int drop;
        std::vector<int> order;
    } cases[] = {
        {{false, false, true, true, false}, 0, {2, 3, 0, 1, 4}},
        {{true, false, false, false, false}, 5, {4, 0, 1, 2, 3}},
        {{true, false, true, false, false}, 4, {2, 0, 3, 1, 4}},
        {{false, true, false, false, false}, 1, {0, 1, 2, 3, 4}},
        {{false, false, false, false, true}, 2, {0, 1, 3, 4, 2}},
        {{true, true, true, true, true}, 3, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CListCtrlEx::ComputeNewOrder(c.selected, c.drop), c.order) << c.drop;
    }
}

TEST_F(ListDrag, SelectedRowsDroppedOnTheFirstRow)
{
    Select({2, 3});
    Drag(RowPoint(2), RowPoint(0, -2));
    ASSERT_TRUE(m_host.dropped);
    EXPECT_EQ(m_host.position, 0);
    EXPECT_EQ(m_host.order, (std::vector<int>{2, 3, 0, 1, 4}));
    EXPECT_FALSE(m_list.IsDragging());
}

TEST_F(ListDrag, ReleasedBesideTheListSendsNoOrder)
{
    Select({1});
    POINT outside = RowPoint(1);
    RECT rc;
    GetWindowRect(m_list.m_hWnd, &rc);
    outside.x = rc.right + 20;
    Drag(RowPoint(1), outside);
    ASSERT_TRUE(m_host.dropped);
    EXPECT_EQ(m_host.position, -1);
    EXPECT_TRUE(m_host.orderMissing);
}
