// A window for the screenshots: every docking theme's caption, active above inactive, with
// its buttons and title, and a floating frame of a few of them. Closes itself after a few
// seconds.
#include <windows.h>

#include "tests/toolkit/dockingpane/TestCaptionOwner.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"

#include <memory>
#include <vector>

using orvane::test::TestCaptionOwner;

namespace {

constexpr int kThemes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19};
constexpr int kCellWidth = 390;
constexpr int kCellHeight = 96;
constexpr int kCaptionWidth = 370;

struct Entry {
    int number = 0;
    CUTKDockingPanePaintManager* theme = nullptr;
    TestCaptionOwner active;
    TestCaptionOwner inactive;
};

std::vector<std::unique_ptr<Entry>>* g_entries = nullptr;

void Paint(HWND hwnd, CDC* dc)
{
    RECT client;
    ::GetClientRect(hwnd, &client);
    dc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    for (size_t i = 0; i < g_entries->size(); ++i) {
        Entry& entry = *(*g_entries)[i];
        const int left = 8 + static_cast<int>(i % 2) * kCellWidth;
        const int top = 6 + static_cast<int>(i / 2) * kCellHeight;
        CString label;
        label.Format(L"Docking theme %d", entry.number);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(RGB(0, 0, 0));
        dc->TextOut(left, top, label);
        TestCaptionOwner* owners[2] = {&entry.active, &entry.inactive};
        for (int k = 0; k < 2; ++k) {
            const int y = top + 18 + k * 38;
            const int saved = dc->SaveDC();
            dc->IntersectClipRect(left, y, left + kCaptionWidth, y + 36);
            const CPoint old = dc->SetViewportOrg(left, y);
            entry.theme->DrawCaption(dc, owners[k], CRect(0, 0, kCaptionWidth, 36));
            dc->SetViewportOrg(old);
            dc->RestoreDC(saved);
        }
    }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC paintDC = ::BeginPaint(hwnd, &ps);
        CDC dc;
        dc.Attach(paintDC);
        Paint(hwnd, &dc);
        dc.Detach();
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_TIMER:
        ::DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int main()
{
    std::vector<std::unique_ptr<Entry>> entries;
    for (int number : kThemes) {
        auto entry = std::make_unique<Entry>();
        entry->number = number;
        entry->theme = CreateDockingPanePaintTheme(number);
        entry->theme->RefreshMetrics();
        entry->active.m_title = L"Slides";
        entry->inactive.m_title = L"Notes";
        entry->inactive.m_active = FALSE;
        entries.push_back(std::move(entry));
    }
    g_entries = &entries;

    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneDockingThemesShowcase";
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Docking themes",
                                    WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0,
                                    2 * kCellWidth + 24, 10 * kCellHeight + 40, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    ::SetTimer(window, 1, 6000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    g_entries = nullptr;
    for (auto& entry : entries) {
        entry->theme->InternalRelease();
    }
    return 0;
}
