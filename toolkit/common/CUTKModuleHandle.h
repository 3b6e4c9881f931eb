// CUTKModuleHandle: one system module, found already loaded or loaded by the object (and then
// freed by it), with its DllGetVersion record and entry-point lookup that can demand a minimum
// module version. GetComCtlVersion asks the common controls once per process.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <string>

// winbase.h's obsolete FreeModule macro would take the operation's name.
#undef FreeModule

class CUTKModuleHandle {
public:
    enum class Mode { none = 0, found = 1, loaded = 2 };

    CUTKModuleHandle() noexcept;
    explicit CUTKModuleHandle(LPCWSTR moduleName);
    virtual ~CUTKModuleHandle();
    CUTKModuleHandle(const CUTKModuleHandle&) = delete;
    CUTKModuleHandle& operator=(const CUTKModuleHandle&) = delete;

    // Attributes
    HMODULE GetHandle() const noexcept { return m_hModule; }
    Mode GetMode() const noexcept { return m_mode; }
    const std::wstring& GetName() const noexcept { return m_name; }

    // Operations
    // An already loaded module, else LoadLibraryW.
    BOOL Init(LPCWSTR moduleName);
    BOOL OpenLoadedModule(LPCWSTR moduleName);
    BOOL LoadModule(LPCWSTR moduleName);
    // FreeLibrary only for a module this object loaded; the result of that, else TRUE.
    BOOL FreeModule();
    BOOL QueryDllVersion();
    // (major << 16) | minor; 0 when the module has no usable DllGetVersion.
    DWORD GetModuleVersion();
    // Looks an entry point up by name. With a minimum version ((major << 16) | minor) the
    // module must be at least that version; otherwise proc is set to null and FALSE returned.
    BOOL FindProc(FARPROC& proc, LPCSTR procName, DWORD minimumVersion = 0);
    template <class T>
    BOOL FindProc(T& proc, LPCSTR procName, DWORD minimumVersion = 0)
    {
        FARPROC found = nullptr;
        const BOOL ok = FindProc(found, procName, minimumVersion);
        proc = reinterpret_cast<T>(reinterpret_cast<void*>(found));
        return ok;
    }

private:
    std::wstring m_name;
    HMODULE m_hModule = nullptr;
    Mode m_mode = Mode::none;
    DLLVERSIONINFO m_version{};
};

// The common-controls version as (major << 16) | minor, 0x40000 when it cannot be asked;
// cached for the process.
DWORD GetComCtlVersion();
