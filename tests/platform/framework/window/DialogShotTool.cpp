// Shows the data-exchange test dialog and the settings-page dialog for a few seconds so a
// screenshot of the display can be taken (run by hand: `wine framework_dialog_shot.exe 8`).
#include "FrameworkWindows.h"
#include "WindowTestResource.h"

#include <cstdio>
#include <cstdlib>

namespace {

class ShotApp : public CWinApp {
public:
    ShotApp() : CWinApp(L"Dialog shot") {}
};

ShotApp g_app;

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

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_SHOW);
    ShotDialog dialog;
    if (!dialog.Create(IDD_DDX_TEST, nullptr)) {
        std::fprintf(stderr, "dialog not created\n");
        return 1;
    }
    dialog.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.ShowWindow(SW_SHOW);
    CDialog parent;
    ShotPage page;
    if (parent.Create(IDD_PARENT_TEST, nullptr) && page.Create(IDD_CHILD_TEST, &parent)) {
        page.SetWindowPos(nullptr, 12, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        page.ShowWindow(SW_SHOW);
        parent.SetWindowPos(nullptr, 520, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        parent.ShowWindow(SW_SHOW);
    }
    std::printf("up\n");
    std::fflush(stdout);
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (::GetTickCount() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        ::Sleep(20);
    }
    parent.DestroyWindow();
    dialog.DestroyWindow();
    return 0;
}
