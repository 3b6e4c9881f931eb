// The eight creation functions of the Windows Media runtime, plus one private export by which
// a process can tell that this stand-in (and not the system's runtime) was loaded. Readers,
// the editor and the profile manager work; writing and indexing are not supported here.
#include <windows.h>
#include <wmsdk.h>
#include <nserror.h>

#include "platform/wmvcore/WmvAsyncReader.h"
#include "platform/wmvcore/WmvMetadataEditor.h"
#include "platform/wmvcore/WmvProfileManager.h"
#include "platform/wmvcore/WmvStandIn.h"
#include "platform/wmvcore/WmvSyncReader.h"

using namespace orvane::wmv;

namespace {

template <typename T, typename I>
HRESULT Hand(T* object, I** out)
{
    if (object == nullptr) {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
    *out = object;
    return S_OK;
}

HRESULT NotSupported(void** out)
{
    if (out != nullptr) {
        *out = nullptr;
    }
    // The runtime's answer for a feature this installation lacks.
    return NS_E_NOT_CONFIGURED;
}

}  // namespace

extern "C" {

HRESULT WINAPI WMCreateReader(IUnknown*, DWORD, IWMReader** reader)
{
    if (reader == nullptr) {
        return E_POINTER;
    }
    try {
        return Hand(WmvAsyncReader::Create(), reader);
    } catch (...) {
        *reader = nullptr;
        return E_OUTOFMEMORY;
    }
}

HRESULT WINAPI WMCreateSyncReader(IUnknown*, DWORD, IWMSyncReader** reader)
{
    if (reader == nullptr) {
        return E_POINTER;
    }
    try {
        return Hand(WmvSyncReader::Create(), reader);
    } catch (...) {
        *reader = nullptr;
        return E_OUTOFMEMORY;
    }
}

HRESULT WINAPI WMCreateEditor(IWMMetadataEditor** editor)
{
    if (editor == nullptr) {
        return E_POINTER;
    }
    try {
        return Hand(WmvMetadataEditor::Create(), editor);
    } catch (...) {
        *editor = nullptr;
        return E_OUTOFMEMORY;
    }
}

HRESULT WINAPI WMCreateProfileManager(IWMProfileManager** manager)
{
    if (manager == nullptr) {
        return E_POINTER;
    }
    return Hand(WmvProfileManager::Create(), manager);
}

HRESULT WINAPI WMCreateIndexer(void** indexer) { return NotSupported(indexer); }
HRESULT WINAPI WMCreateWriterNetworkSink(void** sink) { return NotSupported(sink); }
HRESULT WINAPI WMCreateWriterPushSink(void** sink) { return NotSupported(sink); }

HRESULT WINAPI WMCreateWriter(IUnknown*, IWMWriter** writer)
{
    return NotSupported(reinterpret_cast<void**>(writer));
}

DWORD WINAPI OrvaneWmvcoreStandIn() { return kStandInMagic; }

}  // extern "C"
