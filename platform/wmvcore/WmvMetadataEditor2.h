// IWMMetadataEditor2, which mingw's headers lack: IWMMetadataEditor plus OpenEx, with the
// runtime's published interface identifier.
#pragma once

#include <windows.h>
#include <wmsdk.h>

// {203CFFE3-2E18-4FDF-B59D-6E71530534CF}
inline constexpr GUID kIidIWMMetadataEditor2 = {
    0x203CFFE3, 0x2E18, 0x4FDF, {0xB5, 0x9D, 0x6E, 0x71, 0x53, 0x05, 0x34, 0xCF}};

struct IWMMetadataEditor2 : public IWMMetadataEditor {
    virtual HRESULT STDMETHODCALLTYPE OpenEx(const WCHAR* filename, DWORD desiredAccess,
                                             DWORD shareMode) = 0;
};
