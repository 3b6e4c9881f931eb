// The module handles that resource lookups use: the exe until start-up code says otherwise.
#include "FrameworkDefs.h"

#include <atomic>

namespace {

std::atomic<HINSTANCE> g_resourceHandle{nullptr};
std::atomic<HINSTANCE> g_instanceHandle{nullptr};

}  // namespace

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    HINSTANCE handle = g_resourceHandle.load();
    return handle ? handle : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE instance)
{
    g_resourceHandle.store(instance);
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    HINSTANCE handle = g_instanceHandle.load();
    return handle ? handle : ::GetModuleHandleW(nullptr);
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE instance)
{
    g_instanceHandle.store(instance);
}
