// Module ranges through Psapi (bound at run time, all or nothing) and readable-memory tests.
#include "WinNT_SP/Include_VS2005/ui/ModuleTable.h"

#include "WinNT_SP/Include_VS2005/DynLoadFuncs.h"
#include "platform/base/CHandle.h"

#include <psapi.h>

#include <cwchar>

namespace {

// One binding table: the two Psapi procedures the crash report needs.
DynLoadFuncs g_enumProcessModules("EnumProcessModules", L"Psapi.dll", DLF_FIRST);
DynLoadFuncs g_getModuleInformation("GetModuleInformation", L"Psapi.dll", DLF_LAST);

using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, LPDWORD);
using GetModuleInformationFn = BOOL(WINAPI*)(HANDLE, HMODULE, LPMODULEINFO, DWORD);

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

DWORD ProgramFileSize()
{
    wchar_t path[MAX_PATH];
    if (!GetModuleFileNameW(nullptr, path, MAX_PATH)) {
        return 0;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(path, GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

}  // namespace

bool IsReadableMemory(const void* address, size_t length)
{
    if (!address) {
        return false;
    }
    const auto* p = static_cast<const BYTE*>(address);
    const BYTE* end = p + length;
    if (end < p) {
        return false;
    }
    while (p < end || length == 0) {
        MEMORY_BASIC_INFORMATION mbi;
        if (VirtualQuery(p, &mbi, sizeof(mbi)) != sizeof(mbi) || mbi.State != MEM_COMMIT ||
            (mbi.Protect & (PAGE_GUARD | PAGE_NOACCESS)) || !(mbi.Protect & kReadable)) {
            return false;
        }
        const BYTE* regionEnd = static_cast<const BYTE*>(mbi.BaseAddress) + mbi.RegionSize;
        if (length == 0 || regionEnd >= end) {
            return true;
        }
        p = regionEnd;
    }
    return true;
}

void ModuleTable::Build()
{
    m_built = true;
    m_count = 1;
    HMODULE program = GetModuleHandleW(nullptr);
    m_entries[0].start = reinterpret_cast<uintptr_t>(program);
    m_entries[0].end = m_entries[0].start + ProgramFileSize();

    ERR_INFO err;
    if (!g_enumProcessModules.Address() && !g_enumProcessModules.LoadFailed()) {
        g_enumProcessModules.Load(&err);
    }
    auto enumModules = g_enumProcessModules.As<EnumProcessModulesFn>();
    auto moduleInfo = g_getModuleInformation.As<GetModuleInformationFn>();
    if (!enumModules || !moduleInfo) {
        return;
    }
    const CHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                                      GetCurrentProcessId()));
    if (!process) {
        return;
    }
    MODULEINFO info;
    if (moduleInfo(process, program, &info, sizeof(info))) {
        m_entries[0].end = m_entries[0].start + info.SizeOfImage;
    }
    HMODULE handles[kMaxModules - 1];
    DWORD needed = 0;
    if (enumModules(process, handles, sizeof(handles), &needed)) {
        int count = static_cast<int>(needed / sizeof(HMODULE)) + 1;
        if (count > kMaxModules) {
            count = kMaxModules;
        }
        for (int i = 1; i < count; ++i) {
            if (!moduleInfo(process, handles[i - 1], &info, sizeof(info))) {
                continue;
            }
            const uintptr_t start = reinterpret_cast<uintptr_t>(info.lpBaseOfDll);
            m_entries[m_count++] = {start, start + info.SizeOfImage};
        }
    }
}

AddressInfo ModuleTable::Lookup(uintptr_t address)
{
    AddressInfo result = {};
    result.path[0] = 0;
    result.fileName = result.path;
    const void* p = reinterpret_cast<const void*>(address);
    if (address <= 0xFFFF || !IsReadableMemory(p, 1)) {
        result.kind = ADDR_NOT_POINTER;
        return result;
    }
    if (!m_built) {
        Build();
    }
    result.kind = ADDR_UNOWNED;
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].start <= address && address < m_entries[i].end) {
            result.kind = i == 0 ? ADDR_PROGRAM : ADDR_OTHER_MODULE;
            result.moduleStart = m_entries[i].start;
            result.offset = static_cast<DWORD>(address - m_entries[i].start);
            HMODULE module = reinterpret_cast<HMODULE>(m_entries[i].start);
            if (!GetModuleFileNameW(module, result.path, MAX_PATH)) {
                std::wcscpy(result.path, L"?");
            }
            const wchar_t* slash = std::wcsrchr(result.path, L'\\');
            result.fileName = slash ? slash + 1 : result.path;
            break;
        }
    }
    return result;
}
