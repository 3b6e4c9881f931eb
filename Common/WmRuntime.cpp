// The profile manager through the support library's runtime table.
#include "Common/WmRuntime.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"

bool WmRuntime::Bind()
{
    TRACE_FUNCTION();
    return LoadWMRuntime() != FALSE;
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
    return WMRuntime().createProfileManager.As<WMCreateProfileManagerFn>()(manager);
}
