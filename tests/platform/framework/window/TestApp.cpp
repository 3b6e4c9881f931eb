// The tests' application object.
#include "tests/platform/framework/window/TestApp.h"

namespace {

TestApp g_app;

}  // namespace

TestApp& TheTestApp()
{
    static const bool initialised = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_SHOW);
        return true;
    }();
    (void)initialised;
    return g_app;
}

int TestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    messageBoxes.emplace_back(lpszPrompt != nullptr ? lpszPrompt : L"");
    return messageBoxAnswer;
}

LRESULT TestApp::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    exceptionMessages.push_back(pMsg->message);
    wchar_t text[256] = {};
    if (e != nullptr && e->GetErrorMessage(text, 256)) {
        lastExceptionText = text;
    } else {
        lastExceptionText.clear();
    }
    return pMsg->message == WM_CREATE ? -1 : 0x5A5A;
}

BOOL TestApp::OnIdle(LONG lCount)
{
    idleCounts.push_back(lCount);
    return CWinApp::OnIdle(lCount);
}

void TestApp::WinHelpInternal(DWORD_PTR dwData, UINT nCmd)
{
    helpRequests.emplace_back(dwData, nCmd);
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
