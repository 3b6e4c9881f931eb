// Shows two popups with their drop shadows for a screenshot: layered shadows on the left
// (Xvfb does not composite them, so they read back solid), solid 2-pixel strips on the right.
// Quits by itself after a few seconds.
#include <windows.h>

#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKShadowManager.h"

int main()
{
    HWND back = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 20, 20,
                                  480, 220, nullptr, nullptr, nullptr, nullptr);
    HWND layered = ::CreateWindowExW(0, L"STATIC", L"layered", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                     60, 60, 160, 120, back, nullptr, nullptr, nullptr);
    HWND solid = ::CreateWindowExW(0, L"STATIC", L"solid", WS_POPUP | WS_VISIBLE | WS_BORDER, 300,
                                   60, 160, 120, back, nullptr, nullptr, nullptr);
    auto* manager = new CUTKShadowManager;
    manager->m_options = CUTKShadowManager::optionAlways;
    manager->SetShadow(CWnd::FromHandle(layered), CRect(0, 0, 0, 0), nullptr);
    manager->m_alphaShadows = FALSE;
    manager->SetShadow(CWnd::FromHandle(solid), CRect(0, 0, 0, 0), nullptr);
    ::SetTimer(nullptr, 0, 4000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) {
            break;
        }
        ::DispatchMessageW(&msg);
    }
    ::DestroyWindow(back);
    manager->InternalRelease();
    return 0;
}
