// The COM server's exports: the class object, and registration of the decoder under the class
// and the DirectX Media Object category of the system's WMV decoder, so that a graph's
// intelligent connect finds it in that decoder's place.
#include <windows.h>
#include <dmoreg.h>

#include <string>

#include "platform/wmvdecdmo/WmvDecoderDmo.h"
#include "platform/wmvdecdmo/WmvDecoderFactory.h"

namespace {

HMODULE g_module = nullptr;

const wchar_t kClassKey[] = L"CLSID\\{82D353DF-90BD-4382-8BC2-3F6192B76E34}";

LSTATUS SetString(HKEY key, const wchar_t* name, const std::wstring& value)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

HRESULT RegisterClassKey()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(g_module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return E_FAIL;
    }
    HKEY classKey = nullptr;
    LSTATUS rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, kClassKey, 0, nullptr, 0, KEY_WRITE,
                                 nullptr, &classKey, nullptr);
    if (rc != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(rc);
    }
    rc = SetString(classKey, nullptr, WmvDecoderDmo::kName);
    HKEY server = nullptr;
    if (rc == ERROR_SUCCESS) {
        rc = RegCreateKeyExW(classKey, L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr,
                             &server, nullptr);
    }
    RegCloseKey(classKey);
    if (rc != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(rc);
    }
    rc = SetString(server, nullptr, path);
    if (rc == ERROR_SUCCESS) {
        rc = SetString(server, L"ThreadingModel", L"Both");
    }
    RegCloseKey(server);
    return HRESULT_FROM_WIN32(rc);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (clsid != WmvDecoderDmo::kClassId) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return WmvDecoderFactory::Instance().QueryInterface(riid, ppv);
}

HRESULT WINAPI DllCanUnloadNow()
{
    return WmvDecoderFactory::InUse() ? S_FALSE : S_OK;
}

HRESULT WINAPI DllRegisterServer()
{
    HRESULT hr = RegisterClassKey();
    if (FAILED(hr)) {
        return hr;
    }
    return DMORegister(WmvDecoderDmo::kName, WmvDecoderDmo::kClassId,
                       DMOCATEGORY_VIDEO_DECODER, 0, WmvDecoderDmo::kInputTypeCount,
                       WmvDecoderDmo::kInputTypes, WmvDecoderDmo::kOutputTypeCount,
                       WmvDecoderDmo::kOutputTypes);
}

HRESULT WINAPI DllUnregisterServer()
{
    const HRESULT hr = DMOUnregister(WmvDecoderDmo::kClassId, DMOCATEGORY_VIDEO_DECODER);
    const LSTATUS rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
    if (FAILED(hr)) {
        return hr;
    }
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(rc);
}

}  // extern "C"
