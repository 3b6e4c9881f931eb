// Test doubles for the command bar base: a bar whose parent bar and visibility the test sets,
// a site window that records what bars and controls send it, and helpers that make a bar
// window with CreateEx and read its client area back by WM_PRINTCLIENT.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

namespace bartest {

class TestBar : public CUTKCommandBar {
public:
    CUTKCommandBar* m_parentBar = nullptr;
    BOOL m_visibleBar = TRUE;
    COLORREF m_fill = CLR_INVALID;  // when set, the background is this colour
    int m_fills = 0;
    BOOL m_layoutByLength = FALSE;  // the dynamic layout answers the asked length
    std::vector<CUTKCommandBar*> m_rbuttonUpFrom;  // bars that passed a release up to this root

    CUTKCommandBar* GetParentCommandBar() const override { return m_parentBar; }
    BOOL IsVisible() const override { return m_visibleBar; }
    void OnPopupRButtonUp(CUTKCommandBar* pCommandBar, CPoint) override { m_rbuttonUpFrom.push_back(pCommandBar); }
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        if (!m_layoutByLength)
            return CUTKCommandBar::CalcDynamicLayout(nLength, dwMode);
        const int length = nLength < 20 ? 20 : nLength;
        return (dwMode & 0x20) != 0 ? CSize(200, length) : CSize(length, 40);
    }
    void FillCommandBarEntry(CDC* pDC) override
    {
        ++m_fills;
        if (m_fill == CLR_INVALID) {
            CUTKCommandBar::FillCommandBarEntry(pDC);
            return;
        }
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        HBRUSH brush = ::CreateSolidBrush(m_fill);
        ::FillRect(pDC->GetSafeHdc(), &rc, brush);
        ::DeleteObject(brush);
    }
    // Controls of type 1 (buttons) with the given captions, laid out in one row of 40 x 22
    // (or one column when vertical).
    void AddButtons(const std::vector<const wchar_t*>& captions, int firstId = 100, BOOL vertical = FALSE)
    {
        int i = 0;
        for (const wchar_t* caption : captions) {
            CUTKControl* control = GetControls()->Add(1, firstId + i);
            control->SetCaption(caption);
            control->SetRect(vertical ? CRect(2, 2 + 22 * i, 42, 24 + 22 * i)
                                      : CRect(2 + 40 * i, 2, 42 + 40 * i, 24));
            ++i;
        }
    }
};

// A top-level window that records WM_COMMAND ids and the bars' site notifications.
class Site {
public:
    Site()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Site::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvaneBarTestSite";
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(0, wc.lpszClassName, L"bar site", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     60, 60, 640, 400, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Site() { ::DestroyWindow(m_window); }
    Site(const Site&) = delete;
    Site& operator=(const Site&) = delete;

    HWND m_window = nullptr;
    std::vector<int> m_commands;
    std::vector<UINT> m_keys;       // keys reported with 0x285A
    int m_menuBarTracking = 0;      // 0x2858
    std::vector<std::wstring> m_messages;  // WM_SETMESSAGESTRING texts ("" for the idle pop)
    int m_rbuttonUps = 0;           // 0x2859
    LRESULT m_rbuttonUpAnswer = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<Site*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self != nullptr) {
            switch (message) {
            case WM_COMMAND:
                // Child windows' notifications carry their window; commands do not.
                if (lParam == 0)
                    self->m_commands.push_back(LOWORD(wParam));
                return 0;
            case UTK_WM_TRACKINGKEY:
                self->m_keys.push_back(static_cast<UINT>(reinterpret_cast<const LPARAM*>(wParam)[0]));
                return 0;
            case UTK_WM_CONTROLRBUTTONUP:
                ++self->m_rbuttonUps;
                return self->m_rbuttonUpAnswer;
            case UTK_WM_MENUBARTRACKING:
                ++self->m_menuBarTracking;
                return 0;
            case 0x0362:
                self->m_messages.emplace_back(reinterpret_cast<LPCWSTR>(lParam));
                return 0;
            case 0x0375:
                self->m_messages.emplace_back(L"");
                return 0;
            default:
                break;
            }
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
};

// Makes the bar's window: a popup owned by the site (so the site is found as its owner).
inline BOOL CreateBarWindow(CUTKCommandBar* bar, HWND site, CRect rc, DWORD exStyle = 0)
{
    return bar->CreateEx(exStyle, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW)),
                         L"bar", WS_POPUP | WS_VISIBLE, rc.left, rc.top, rc.Width(), rc.Height(), site,
                         nullptr);
}

// The client area of a window as 32-bit pixels (top-down, 0x00RRGGBB) drawn by WM_PRINTCLIENT.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> bits;
    COLORREF At(int x, int y) const
    {
        const DWORD v = bits[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

inline Pixels PrintClient(HWND hwnd, LRESULT* answer = nullptr)
{
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    Pixels out;
    out.width = rc.right;
    out.height = rc.bottom;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = out.width;
    bmi.bmiHeader.biHeight = -out.height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, dib);
    const LRESULT r = ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    if (answer != nullptr)
        *answer = r;
    ::GdiFlush();
    out.bits.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + out.width * out.height);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(dib);
    return out;
}

inline void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace bartest
