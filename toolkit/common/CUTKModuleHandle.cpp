// Module handle with version-checked entry-point lookup.
#include "toolkit/common/CUTKModuleHandle.h"

CUTKModuleHandle::CUTKModuleHandle() noexcept = default;

CUTKModuleHandle::CUTKModuleHandle(LPCWSTR moduleName)
{
    (void)Init(moduleName);
}

CUTKModuleHandle::~CUTKModuleHandle()
{
    (void)FreeModule();
}

BOOL CUTKModuleHandle::Init(LPCWSTR moduleName)
{
    return OpenLoadedModule(moduleName) || LoadModule(moduleName);
}

BOOL CUTKModuleHandle::OpenLoadedModule(LPCWSTR moduleName)
{
    (void)FreeModule();
    m_hModule = ::GetModuleHandleW(moduleName);
    if (!m_hModule) {
        return FALSE;
    }
    m_name = moduleName;
    m_mode = Mode::found;
    return TRUE;
}

BOOL CUTKModuleHandle::LoadModule(LPCWSTR moduleName)
{
    (void)FreeModule();
    m_hModule = ::LoadLibraryW(moduleName);
    if (!m_hModule) {
        return FALSE;
    }
    m_name = moduleName;
    m_mode = Mode::loaded;
    return TRUE;
}

BOOL CUTKModuleHandle::FreeModule()
{
    BOOL result = TRUE;
    if (m_mode == Mode::loaded && m_hModule) {
        result = ::FreeLibrary(m_hModule);
    }
    m_hModule = nullptr;
    m_mode = Mode::none;
    m_name.clear();
    m_version = DLLVERSIONINFO{};
    return result;
}

BOOL CUTKModuleHandle::QueryDllVersion()
{
    if (!m_hModule) {
        return FALSE;
    }
    m_version = DLLVERSIONINFO{};
    m_version.cbSize = sizeof(DLLVERSIONINFO);
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(::GetProcAddress(m_hModule, "DllGetVersion")));
    if (!getVersion) {
        return FALSE;
    }
    return SUCCEEDED(getVersion(&m_version)) ? TRUE : FALSE;
}

DWORD CUTKModuleHandle::GetModuleVersion()
{
    if (m_version.cbSize == 0 && !QueryDllVersion()) {
        // A failed query is not repeated: the size field stays set and the version 0.
        m_version.cbSize = sizeof(DLLVERSIONINFO);
        m_version.dwMajorVersion = 0;
        m_version.dwMinorVersion = 0;
    }
    return MAKELONG(m_version.dwMinorVersion, m_version.dwMajorVersion);
}

BOOL CUTKModuleHandle::FindProc(FARPROC& proc, LPCSTR procName, DWORD minimumVersion)
{
    if (!m_hModule) {
        return FALSE;
    }
    if (minimumVersion != 0) {
        const DWORD version = GetModuleVersion();
        const bool below = HIWORD(version) < HIWORD(minimumVersion) ||
                           (HIWORD(version) == HIWORD(minimumVersion) &&
                            LOWORD(version) < LOWORD(minimumVersion));
        if (below) {
            proc = nullptr;
            return FALSE;
        }
    }
    proc = ::GetProcAddress(m_hModule, procName);
    return proc != nullptr;
}

DWORD GetComCtlVersion()
{
    static const DWORD version = [] {
        CUTKModuleHandle module(L"COMCTL32.DLL");
        const DWORD asked = module.GetModuleVersion();
        return asked == 0 ? DWORD{0x40000} : asked;
    }();
    return version;
}
