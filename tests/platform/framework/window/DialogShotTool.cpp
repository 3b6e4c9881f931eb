// Shows the data-exchange test dialog and a settings page inside a parent dialog for a few
// seconds so a screenshot of the display can be taken (run by hand:
// `wine framework_dialog_shot.exe 8`). It has no main of its own: the framework's entry point
// runs the application object's InitInstance and Run, and a timer ends the run.
#include "platform/framework/window/FrameworkWindows.h"
#include "tests/platform/framework/window/WindowTestResource.h"

#include <cwchar>

namespace {

class ShotDialog : public CDialog {
public:
    ShotDialog() : CDialog(IDD_DDX_TEST) {}
    CString m_name = L"Conference talk";
    int m_number = 42;
    int m_check = 1;
    int m_radio = 1;
    int m_combo = 2;

protected:
    BOOL OnInitDialog() override
    {
        for (LPCTSTR item : {L"Slow", L"Normal", L"Fast"}) {
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_NUMBER, m_number);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBIndex(pDX, IDC_COMBO, m_combo);
    }
};

class ShotPage : public CDialog {
public:
    ShotPage() : CDialog(IDD_CHILD_TEST) {}
};

class ShotApp : public CWinApp {
public:
    ShotApp() : CWinApp(L"Dialog shot") {}

    BOOL InitInstance() override
    {
        const int seconds = m_lpCmdLine != nullptr && *m_lpCmdLine != 0 ? _wtoi(m_lpCmdLine) : 5;
        if (!m_dialog.Create(IDD_DDX_TEST, nullptr)) {
            return FALSE;
        }
        m_dialog.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_dialog.ShowWindow(SW_SHOW);
        if (m_parent.Create(IDD_PARENT_TEST, nullptr) && m_page.Create(IDD_CHILD_TEST, &m_parent)) {
            m_page.SetWindowPos(nullptr, 12, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            m_page.ShowWindow(SW_SHOW);
            m_parent.SetWindowPos(nullptr, 520, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            m_parent.ShowWindow(SW_SHOW);
        }
        m_pMainWnd = &m_dialog;
        m_timer = ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_TIMER && pMsg->hwnd == nullptr && pMsg->wParam == m_timer) {
            ::PostQuitMessage(0);
            return TRUE;
        }
        return CWinApp::PreTranslateMessage(pMsg);
    }
    int ExitInstance() override
    {
        m_parent.DestroyWindow();
        m_dialog.DestroyWindow();
        return CWinApp::ExitInstance();
    }

private:
    ShotDialog m_dialog;
    CDialog m_parent;
    ShotPage m_page;
    UINT_PTR m_timer = 0;
};

ShotApp g_app;

}  // namespace
