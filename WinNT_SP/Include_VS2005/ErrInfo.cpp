// Error records and the text lookup chain: the system's message table, DirectShow's error
// texts (only when quartz is already loaded), the Windows Media message libraries for their
// facility, WinINet's table, and a "SysErr.0x%08X" fallback that always yields a text.
#include "WinNT_SP/Include_VS2005/ErrInfo.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <cstdio>
#include <cwchar>

namespace {

void CopyCut(wchar_t* dst, size_t cap, const wchar_t* src)
{
    if (!src) {
        src = L"";
    }
    size_t n = std::wcslen(src);
    if (n > cap - 1) {
        n = cap - 1;
    }
    std::wmemcpy(dst, src, n);
    dst[n] = 0;
}

bool FromModule(HMODULE module, DWORD code, wchar_t* text)
{
    const DWORD source = module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                       source,
                                   module, code, 0x400, reinterpret_cast<wchar_t*>(&buffer), 0,
                                   nullptr);
    const bool ok = n > 0 && buffer && buffer[0];
    if (ok) {
        CopyCut(text, 256, buffer);
    }
    if (buffer) {
        LocalFree(buffer);
    }
    return ok;
}

bool FromLibrary(const wchar_t* name, DWORD code, wchar_t* text, bool* loaded)
{
    HMODULE lib = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (loaded) {
        *loaded = lib != nullptr;
    }
    if (!lib) {
        return false;
    }
    const bool ok = FromModule(lib, code, text);
    FreeLibrary(lib);
    return ok;
}

bool FromDirectShow(DWORD code, wchar_t* text)
{
    HMODULE quartz = GetModuleHandleW(L"quartz.dll");
    if (!quartz) {
        return false;
    }
    using GetTextFn = DWORD(WINAPI*)(HRESULT, wchar_t*, DWORD);
    auto fn = reinterpret_cast<GetTextFn>(
        reinterpret_cast<void*>(GetProcAddress(quartz, "AMGetErrorTextW")));
    if (!fn) {
        return false;
    }
    wchar_t buf[160] = {};
    if (!fn(static_cast<HRESULT>(code), buf, 160)) {
        return false;
    }
    buf[159] = 0;
    CopyCut(text, 256, buf);
    return text[0] != 0;
}

bool FromWindowsMedia(DWORD code, wchar_t* text)
{
    if (((code >> 16) & 0x1FFF) != 13) {
        return false;
    }
    bool loaded = false;
    if (FromLibrary(L"WMERROR.DLL", code, text, &loaded)) {
        return true;
    }
    if (!loaded) {
        return false;
    }
    return FromLibrary(L"ASFERROR.DLL", code, text, nullptr);
}

bool FromWinInet(DWORD code, wchar_t* text)
{
    DWORD number;
    if (code >= 0x80072EE0 && code <= 0x80072F8F) {
        number = code - 0x80070000;
    } else if (code >= 12000 && code <= 12175) {
        number = code;
    } else {
        return false;
    }
    return FromLibrary(L"WININET.DLL", number, text, nullptr);
}

}  // namespace

void ClearErrInfo(ERR_INFO* info)
{
    if (!info) {
        return;
    }
    info->kind = ERRK_EMPTY;
    info->code = 0;
    info->line = 0;
    info->text[0] = 0;
    info->function[0] = 0;
    info->object[0] = 0;
    info->sourceFile[0] = 0;
    info->fileNameOffset = 0;
    for (ERR_INFO_NOTE& note : info->notes) {
        note.value = 0;
    }
}

void SetErrInfo(ERR_INFO* info, DWORD code, const wchar_t* function, const wchar_t* object,
                const wchar_t* sourceFile, DWORD line, DWORD noteValue, const wchar_t* noteText)
{
    TRACE_FUNCTION();
    if (!info) {
        return;
    }
    ClearErrInfo(info);
    info->code = code;
    info->kind = ERRK_SYSTEM;
    CopyCut(info->function, 64, function);
    CopyCut(info->object, 256, object);
    GetErrorText(info);
    CopyCut(info->sourceFile, 256, sourceFile);
    info->line = line;
    const wchar_t* slash = std::wcsrchr(info->sourceFile, L'\\');
    info->fileNameOffset = (slash && slash[1]) ? DWORD(slash + 1 - info->sourceFile) : 0;
    info->notes[0].value = noteValue;
    CopyCut(info->notes[0].text, 260, noteText);
    for (int i = 1; i < 3; ++i) {
        info->notes[i].value = 0;
        info->notes[i].text[0] = 0;
    }
}

void GetErrorText(ERR_INFO* info)
{
    if (!info || info->kind != ERRK_SYSTEM) {
        return;
    }
    const DWORD code = info->code;
    if (FromModule(nullptr, code, info->text) || FromDirectShow(code, info->text) ||
        FromWindowsMedia(code, info->text) || FromWinInet(code, info->text)) {
        return;
    }
    std::swprintf(info->text, 256, L"SysErr.0x%08X", static_cast<unsigned>(code));
}
