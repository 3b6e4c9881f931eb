// The module handles that resource lookups use. The framework is a static library, so each
// module (exe or DLL) has its own copy of these: by default they name that module itself,
// so a DLL's strings come from the DLL until its start-up code says otherwise.
#include "platform/framework/FrameworkDefs.h"

#include <atomic>

// Provided by the linker: the base address of the module being linked.
extern "C" IMAGE_DOS_HEADER __ImageBase;

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
    return handle ? handle : reinterpret_cast<HINSTANCE>(&__ImageBase);
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE instance)
{
    g_instanceHandle.store(instance);
}
