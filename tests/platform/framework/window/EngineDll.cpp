// A DLL with its own application object, as the engine library has: it gets the DLL's
// instance and resource handles, runs InitInstance on load, shows dialogs from its own
// resources and pre-translates messages for them through its own application object.
#include "platform/framework/window/FrameworkWindows.h"

#define IDD_DLL_DIALOG 300
#define IDC_DLL_EDIT 3001

namespace {

class EngineApp : public CWinApp {
public:
    EngineApp() : CWinApp(L"Engine library") {}
    BOOL InitInstance() override
    {
        ++initCount;
        return TRUE;
    }
    int initCount = 0;
};

EngineApp g_engineApp;
CDialog* g_dialog = nullptr;

}  // namespace

extern "C" __declspec(dllexport) CWinApp* EngineGetApp()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxGetApp();
}

extern "C" __declspec(dllexport) int EngineInitCount()
{
    return g_engineApp.initCount;
}

extern "C" __declspec(dllexport) HINSTANCE EngineResourceHandle()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxGetResourceHandle();
}

extern "C" __declspec(dllexport) HWND EngineShowDialog()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (g_dialog == nullptr) {
        g_dialog = new CDialog;
        if (!g_dialog->Create(IDD_DLL_DIALOG, nullptr)) {
            delete g_dialog;
            g_dialog = nullptr;
            return nullptr;
        }
        g_engineApp.m_pMainWnd = g_dialog;
    }
    return g_dialog->m_hWnd;
}

extern "C" __declspec(dllexport) BOOL EnginePreTranslate(MSG* pMsg)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxGetApp()->PreTranslateMessage(pMsg);
}

extern "C" __declspec(dllexport) void EngineCloseDialog()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (g_dialog != nullptr) {
        g_dialog->DestroyWindow();
        delete g_dialog;
        g_dialog = nullptr;
        g_engineApp.m_pMainWnd = nullptr;
    }
}
