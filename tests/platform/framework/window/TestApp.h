// The application object of the window tests: records message boxes and window-procedure
// exceptions instead of showing them, and counts idle passes.
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

#include <string>
#include <vector>

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp(L"FrameworkWindowTests") {}

    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
    LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override;
    BOOL OnIdle(LONG lCount) override;
    void WinHelpInternal(DWORD_PTR dwData, UINT nCmd) override;

    std::vector<std::pair<DWORD_PTR, UINT>> helpRequests;

    std::vector<std::wstring> messageBoxes;
    int messageBoxAnswer = IDOK;
    std::vector<UINT> exceptionMessages;
    std::wstring lastExceptionText;
    std::vector<LONG> idleCounts;
};

TestApp& TheTestApp();

// Pumps the thread's queue until it is empty (no idle processing).
void PumpPending();
