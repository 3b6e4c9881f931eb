// The per-thread record and its clean-up at thread exit through a TLS callback.
#include "platform/framework/window/AfxThreadData.h"

#include "platform/framework/window/CDC.h"
#include "platform/framework/window/CGdiObject.h"
#include "platform/framework/window/CImageList.h"
#include "platform/framework/window/CMenu.h"
#include "platform/framework/window/CNoTrackObject.h"
#include "platform/framework/window/CToolTipCtrl.h"
#include "platform/framework/window/CWnd.h"

namespace {

DWORD g_tlsIndex = ::TlsAlloc();

void NTAPI ThreadDataCallback(PVOID, DWORD reason, PVOID)
{
    // Only threads ending while the process goes on: at process exit the system reclaims
    // everything, and other modules may already be gone.
    if (reason != DLL_THREAD_DETACH || g_tlsIndex == TLS_OUT_OF_INDEXES) {
        return;
    }
    auto* data = static_cast<AFX_THREAD_DATA*>(::TlsGetValue(g_tlsIndex));
    if (data != nullptr) {
        delete data;
        ::TlsSetValue(g_tlsIndex, nullptr);
    }
}

}  // namespace

// Registered in the image's TLS callback table (mingw collects .CRT$XL* entries).
extern "C" {
extern const IMAGE_TLS_DIRECTORY _tls_used;
__attribute__((section(".CRT$XLF"), used)) const PIMAGE_TLS_CALLBACK afxThreadDataCallback =
    ThreadDataCallback;
}

AFX_THREAD_DATA::AFX_THREAD_DATA()
    : wndMap([](CWnd* p, HWND h) { p->m_hWnd = h; }),
      dcMap([](CDC* p, HDC h) {
          p->m_hDC = h;
          p->m_hAttribDC = h;
      }),
      gdiMap([](CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; }),
      menuMap([](CMenu* p, HMENU h) { p->m_hMenu = h; }),
      imageListMap([](CImageList* p, HIMAGELIST h) { p->m_hImageList = h; })
{
}

AFX_THREAD_DATA::~AFX_THREAD_DATA()
{
    // Newest first: later objects may use earlier ones while they go.
    while (!localObjects.empty()) {
        CNoTrackObject* object = localObjects.back().second;
        localObjects.pop_back();
        delete object;
    }
    // The thread's windows die with it; only the tooltip object is ours to free.
    if (CToolTipCtrl* tip = moduleThreadState.m_pToolTip) {
        moduleThreadState.m_pToolTip = nullptr;
        tip->m_hWnd = nullptr;
        delete tip;
    }
    delete moduleThreadState.m_pLastInfo;
    moduleThreadState.m_pLastInfo = nullptr;
}

AFX_THREAD_DATA* AfxGetThreadData()
{
    (void)&_tls_used;  // keeps the TLS directory (and so the callback) in the image
    auto* data = static_cast<AFX_THREAD_DATA*>(::TlsGetValue(g_tlsIndex));
    if (data == nullptr) {
        data = new AFX_THREAD_DATA;
        ::TlsSetValue(g_tlsIndex, data);
    }
    return data;
}
