// Binds WMCreateReader and WMCreateSyncReader from wmvcore.dll on first use; a failed bind is
// remembered as a text so every later caller gets the same answer.
#include "WmReaderFactory.h"

#include "EngineText.h"

#include <mutex>

namespace {

using CreateReaderFn = HRESULT(WINAPI*)(IUnknown*, DWORD, IWMReader**);
using CreateSyncReaderFn = HRESULT(WINAPI*)(IUnknown*, DWORD, IWMSyncReader**);

struct Binding {
    CreateReaderFn createReader = nullptr;
    CreateSyncReaderFn createSyncReader = nullptr;
    std::wstring error;
};

const Binding& Bound()
{
    static Binding binding;
    static std::once_flag once;
    std::call_once(once, [] {
        HMODULE module = LoadLibraryW(L"wmvcore.dll");
        if (module == nullptr) {
            binding.error = CALL_FAILURE(L"LoadLibrary",
                                         HRESULT_FROM_WIN32(GetLastError()), L"wmvcore.dll");
            return;
        }
        binding.createReader =
            reinterpret_cast<CreateReaderFn>(reinterpret_cast<void*>(
                GetProcAddress(module, "WMCreateReader")));
        binding.createSyncReader =
            reinterpret_cast<CreateSyncReaderFn>(reinterpret_cast<void*>(
                GetProcAddress(module, "WMCreateSyncReader")));
        if (binding.createReader == nullptr || binding.createSyncReader == nullptr) {
            binding.error = CALL_FAILURE(L"GetProcAddress", HRESULT_FROM_WIN32(GetLastError()),
                                         L"WMCreateReader");
            binding.createReader = nullptr;
            binding.createSyncReader = nullptr;
        }
    });
    return binding;
}

}  // namespace

HRESULT WmReaderFactory::CreateReader(IWMReader** reader, std::wstring* error)
{
    *reader = nullptr;
    const Binding& b = Bound();
    if (b.createReader == nullptr) {
        *error = b.error;
        return E_FAIL;
    }
    return b.createReader(nullptr, 0, reader);
}

HRESULT WmReaderFactory::CreateSyncReader(IWMSyncReader** reader, std::wstring* error)
{
    *reader = nullptr;
    const Binding& b = Bound();
    if (b.createSyncReader == nullptr) {
        *error = b.error;
        return E_FAIL;
    }
    return b.createSyncReader(nullptr, 0, reader);
}
