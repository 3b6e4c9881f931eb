// Creation of the Windows Media readers through the runtime the support library binds
// (WMRuntimeTable.h) on first use.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

#include <string>

class WmReaderFactory {
public:
    // The asynchronous reader; E_FAIL with *error set when the runtime cannot be bound.
    static HRESULT CreateReader(IWMReader** reader, std::wstring* error);
    // The synchronous reader, likewise.
    static HRESULT CreateSyncReader(IWMSyncReader** reader, std::wstring* error);
};
