// The Windows Media runtime as the engine's format helpers use it: the support library's table
// (WMRuntimeTable.h) binds wmvcore.dll; this asks it for the profile manager.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

class WmRuntime {
public:
    // True when the runtime's table is bound (binding it on first use).
    static bool Bind();
    // WMCreateProfileManager through the bound entry; E_FAIL when the runtime is not bound.
    static HRESULT CreateProfileManager(IWMProfileManager** manager);
};
