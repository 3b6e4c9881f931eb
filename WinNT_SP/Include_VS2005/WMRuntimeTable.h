// The Windows Media runtime's eight creation functions, bound late to "wmvcore.dll", and the
// readers of header attributes: any single attribute, the duration and twelve metadata texts.
// This table is the one binding of the runtime; the rest of the program and the engine ask it.
#pragma once

#include "WinNT_SP/Include_VS2005/DynLoadFuncs.h"
#include "WinNT_SP/Include_VS2005/ErrInfo.h"

#include <windows.h>
#include <wmsdkidl.h>

// The runtime's library, as bound, searched for and named in messages.
constexpr wchar_t kWMRuntimeLibrary[] = L"wmvcore.dll";

// The table, in bind order; the library is named when it is bound.
struct WMRuntimeTable {
    DynLoadFuncs createReader{"WMCreateReader", L"", DLF_FIRST};
    DynLoadFuncs createSyncReader{"WMCreateSyncReader", L"", DLF_MIDDLE};
    DynLoadFuncs createProfileManager{"WMCreateProfileManager", L"", DLF_MIDDLE};
    DynLoadFuncs createIndexer{"WMCreateIndexer", L"", DLF_MIDDLE};
    DynLoadFuncs createEditor{"WMCreateEditor", L"", DLF_MIDDLE};
    DynLoadFuncs createWriterNetworkSink{"WMCreateWriterNetworkSink", L"", DLF_MIDDLE};
    DynLoadFuncs createWriterPushSink{"WMCreateWriterPushSink", L"", DLF_MIDDLE};
    DynLoadFuncs createWriter{"WMCreateWriter", L"", DLF_LAST};
};

// The types to call the bound entries through (As<...>()).
using WMCreateReaderFn = HRESULT(WINAPI*)(IUnknown*, DWORD, IWMReader**);
using WMCreateSyncReaderFn = HRESULT(WINAPI*)(IUnknown*, DWORD, IWMSyncReader**);
using WMCreateProfileManagerFn = HRESULT(WINAPI*)(IWMProfileManager**);

WMRuntimeTable& WMRuntime();
ERR_INFO& WMRuntimeError();
// TRUE at once when bound; otherwise binds the table to "wmvcore.dll" (or libraryName).
BOOL LoadWMRuntime(const wchar_t* libraryName = nullptr);

constexpr int kWMMetadataCount = 12;
struct WM_METADATA {
    wchar_t text[kWMMetadataCount][256];
    wchar_t spare;
};
extern const wchar_t* const kWMMetadataNames[kWMMetadataCount];

// text (freed by the caller with delete[]) or number is filled, as isNumber tells.
BOOL GetWMAttribute(IWMHeaderInfo* header, const wchar_t* name, BOOL* isNumber, wchar_t** text,
                    LONGLONG* number);
LONGLONG GetWMDuration(IWMHeaderInfo* header);
void GetWMMetadata(WM_METADATA* record, IWMHeaderInfo* header);
