// A test site window and a toolbar window made with CreateEx under it, for the control tests
// that need a real bar: the site counts control notifications (0x2862) and WM_COMMAND ids and
// can be told to handle the notifications itself.
#pragma once

#include <windows.h>

#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

#include <functional>
#include <vector>

namespace orvane::test {

class ControlSite {
public:
    ControlSite()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ControlSite::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvaneControlSite";
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(0, wc.lpszClassName, L"site", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     50, 50, 700, 400, nullptr, nullptr, wc.hInstance, this);
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ControlSite() { ::DestroyWindow(m_window); }
    ControlSite(const ControlSite&) = delete;
    ControlSite& operator=(const ControlSite&) = delete;

    HWND m_window = nullptr;
    int m_notifications = 0;      // 0x2862 with code 100
    std::vector<int> m_commands;  // WM_COMMAND ids
    bool m_handleNotify = false;
    std::function<void(int)> m_onCommand;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<ControlSite*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self != nullptr && message == kUtkControlNotifyMessage) {
            const auto* record = reinterpret_cast<const NMHDR*>(lParam);
            if (record != nullptr && record->code == static_cast<UINT>(kUtkNotifyExecute)) {
                ++self->m_notifications;
            }
            return self->m_handleNotify ? 1 : 0;
        }
        if (self != nullptr && message == WM_COMMAND) {
            self->m_commands.push_back(static_cast<int>(LOWORD(wParam)));
            if (self->m_onCommand) {
                self->m_onCommand(static_cast<int>(LOWORD(wParam)));
            }
            return 0;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
};

// A toolbar window owned by the site (the bar finds its site as its owner).
class BarWindow {
public:
    explicit BarWindow(const ControlSite& site, int type = utkBarTypeNormal,
                       int position = utkBarTop, CUTKCommandBar* bar = nullptr)
        : m_bar(bar != nullptr ? bar : new CUTKCommandBar())
    {
        m_bar->SetType(type);
        m_bar->SetPosition(position);
        m_bar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 100, 100, 500,
                        120, site.m_window, nullptr);
    }
    ~BarWindow()
    {
        if (m_bar->GetSafeHwnd() != nullptr) {
            m_bar->DestroyWindow();
        }
        m_bar->InternalRelease();
    }
    BarWindow(const BarWindow&) = delete;
    BarWindow& operator=(const BarWindow&) = delete;

    CUTKControls* Controls() const { return m_bar->GetControls(); }
    HWND Hwnd() const { return m_bar->GetSafeHwnd(); }
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        ::PostMessageW(Hwnd(), message, wParam, lParam);
    }
    void Move(CPoint point) const { Post(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y)); }
    void Up(CPoint point) const { Post(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y)); }

    CUTKCommandBar* m_bar;
};

inline void DrainMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace orvane::test
