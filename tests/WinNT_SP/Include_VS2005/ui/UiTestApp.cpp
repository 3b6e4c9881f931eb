// The tests' application object (no main window, no message-box override).
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestApp.h"

#include "platform/framework/window/FrameworkWindows.h"

void orvane::test::EnsureUiTestApp()
{
    // Made on first use, after every static of the framework exists.
    static CWinApp app(L"OrvaneUiTests");
    static const bool initialised = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_SHOW);
        // A hidden main window, as the program has one: the framework's message filter walks
        // from it on every message of a modal loop.
        static CWnd mainWnd;
        mainWnd.CreateEx(0, L"STATIC", L"Orvane UI tests", WS_POPUP, 0, 0, 10, 10, nullptr,
                         nullptr);
        app.m_pMainWnd = &mainWnd;
        return true;
    }();
    (void)initialised;
}
