// Run-time binding of the Windows Media runtime (wmvcore.dll): the library is loaded on first
// use and its profile-manager entry point looked up once per process.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

class WmRuntime {
public:
    // True when the library is loaded and WMCreateProfileManager was found.
    static bool Bind();
    // WMCreateProfileManager through the bound entry; E_FAIL when the runtime is not bound.
    static HRESULT CreateProfileManager(IWMProfileManager** manager);
};
