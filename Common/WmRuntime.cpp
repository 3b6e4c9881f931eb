// Binds wmvcore.dll once per process; the module stays loaded for the process's lifetime.
#include "WmRuntime.h"
#include "TraceScope.h"

#include <mutex>

namespace {

typedef HRESULT(WINAPI* CreateProfileManagerFn)(IWMProfileManager**);

std::once_flag g_bindOnce;
CreateProfileManagerFn g_createProfileManager = nullptr;

void BindOnce()
{
    TRACE_FUNCTION();
    HMODULE module = LoadLibraryW(L"wmvcore.dll");
    if (module) {
        g_createProfileManager = reinterpret_cast<CreateProfileManagerFn>(
            reinterpret_cast<void*>(GetProcAddress(module, "WMCreateProfileManager")));
    }
}

}  // namespace

bool WmRuntime::Bind()
{
    TRACE_FUNCTION();
    std::call_once(g_bindOnce, BindOnce);
    return g_createProfileManager != nullptr;
}

HRESULT WmRuntime::CreateProfileManager(IWMProfileManager** manager)
{
    TRACE_FUNCTION();
    if (!manager) {
        return E_POINTER;
    }
    *manager = nullptr;
    if (!Bind()) {
        return E_FAIL;
    }
    return g_createProfileManager(manager);
}
