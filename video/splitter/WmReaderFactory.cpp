// The readers through the support library's runtime table (WMRuntimeTable.h), which binds
// wmvcore.dll; a failed bind becomes the engine's error text, and is tried again on the next
// call.
#include "video/splitter/WmReaderFactory.h"

#include "video/EngineText.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"

namespace {

// The table's own record of the failed bind, as the engine words a failed call.
std::wstring BindFailure()
{
    const ERR_INFO& info = WMRuntimeError();
    return CALL_FAILURE(info.function, HRESULT_FROM_WIN32(info.code), info.object);
}

}  // namespace

HRESULT WmReaderFactory::CreateReader(IWMReader** reader, std::wstring* error)
{
    *reader = nullptr;
    if (!LoadWMRuntime()) {
        *error = BindFailure();
        return E_FAIL;
    }
    return WMRuntime().createReader.As<WMCreateReaderFn>()(nullptr, 0, reader);
}

HRESULT WmReaderFactory::CreateSyncReader(IWMSyncReader** reader, std::wstring* error)
{
    *reader = nullptr;
    if (!LoadWMRuntime()) {
        *error = BindFailure();
        return E_FAIL;
    }
    return WMRuntime().createSyncReader.As<WMCreateSyncReaderFn>()(nullptr, 0, reader);
}
