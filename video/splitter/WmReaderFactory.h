// Creation of the Windows Media readers through the run-time bound wmvcore.dll: the library is
// loaded on first use and its two reader entry points looked up once per process.
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
