// Entry point of a DLL built on the framework: the DLL's own application object (if it has
// one) gets the DLL's instance and resource handles and runs InitInstance on load and
// ExitInstance on unload. Linked in only when the DLL defines no DllMain of its own.
#include "platform/framework/window/AfxState.h"
#include "platform/framework/window/CWinApp.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        AfxGetModuleState()->m_bDLL = TRUE;
        CWinApp* app = AfxGetApp();
        AfxSetInstanceHandle(hInstance);
        AfxSetResourceHandle(hInstance);
        if (app != nullptr) {
            app->m_hInstance = hInstance;
            AfxWinInit(hInstance, nullptr, const_cast<LPTSTR>(L""), SW_SHOWNORMAL);
            if (!app->InitInstance()) {
                app->ExitInstance();
                return FALSE;
            }
        }
    } else if (dwReason == DLL_PROCESS_DETACH) {
        if (CWinApp* app = AfxGetApp()) {
            app->ExitInstance();
        }
    }
    return TRUE;
}
