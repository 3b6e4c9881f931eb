// The worker-thread crash report. Everything it reads comes from a faulting process, so each
// record, dump and stack word is tested as readable before it is touched.
#include "WinNT_SP/Include_VS2005/ui/CrashReport.h"

#include "WinNT_SP/Include_VS2005/ui/ModuleTable.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

struct ExceptionNameEntry {
    DWORD code;
    const wchar_t* name;
};

const ExceptionNameEntry kNames[] = {
    {0x80000001, L"GUARD_PAGE"},
    {0x80000002, L"DATATYPE_MISALIGNMENT"},
    {0x80000003, L"BREAKPOINT"},
    {0x80000004, L"SINGLE_STEP"},
    {0xC0000005, L"ACCESS_VIOLATION"},
    {0xC0000006, L"IN_PAGE_ERROR"},
    {0xC0000008, L"INVALID_HANDLE"},
    {0xC000001D, L"ILLEGAL_INSTRUCTION"},
    {0xC0000025, L"NONCONTINUABLE_EXCEPTION"},
    {0xC0000026, L"INVALID_DISPOSITION"},
    {0xC000008C, L"ARRAY_BOUNDS_EXCEEDED"},
    {0xC000008D, L"FLT_DENORMAL_OPERAND"},
    {0xC000008E, L"FLT_DIVIDE_BY_ZERO"},
    {0xC000008F, L"FLT_INEXACT_RESULT"},
    {0xC0000090, L"FLT_INVALID_OPERATION"},
    {0xC0000091, L"FLT_OVERFLOW"},
    {0xC0000092, L"FLT_STACK_CHECK"},
    {0xC0000093, L"FLT_UNDERFLOW"},
    {0xC0000094, L"INT_DIVIDE_BY_ZERO"},
    {0xC0000095, L"INT_OVERFLOW"},
    {0xC0000096, L"PRIV_INSTRUCTION"},
    {0xC00000FD, L"STACK_OVERFLOW"},
};

constexpr DWORD kTraceRecordBytes = sizeof(TRACE_SCOPE);
constexpr uintptr_t kWordBytes = sizeof(uintptr_t);
constexpr int kMaxRemembered = 49;
constexpr int kKindLimits[4] = {0, 4, 8, 4};

const BYTE* Ptr(uintptr_t address)
{
    return reinterpret_cast<const BYTE*>(address);
}

void ModuleLine(CReleaseModeDebug* sink, const AddressInfo& info)
{
    LogPrintf(sink, RMD_CONTINUATION, L" = %s + %08X, %s", AddressText(info.moduleStart).text,
              static_cast<unsigned>(info.offset), info.fileName);
}

// Where the thread's stack continues above the context record: just past the last section the
// record's flags mark present.
uintptr_t StackStart(const CONTEXT* context)
{
    const uintptr_t base = reinterpret_cast<uintptr_t>(context);
#ifdef _WIN64
    // The x64 record is always whole.
    return base + sizeof(CONTEXT);
#else
    const DWORD flags = context->ContextFlags;
    auto has = [flags](DWORD section) { return (flags & section) == section; };
    size_t end;
    if (has(CONTEXT_EXTENDED_REGISTERS)) {
        end = sizeof(CONTEXT);
    } else if (has(CONTEXT_CONTROL)) {
        end = offsetof(CONTEXT, SegSs) + sizeof(DWORD);
    } else if (has(CONTEXT_INTEGER)) {
        end = offsetof(CONTEXT, Eax) + sizeof(DWORD);
    } else if (has(CONTEXT_SEGMENTS)) {
        end = offsetof(CONTEXT, SegDs) + sizeof(DWORD);
    } else if (has(CONTEXT_FLOATING_POINT)) {
        end = offsetof(CONTEXT, FloatSave) + sizeof(FLOATING_SAVE_AREA);
    } else if (has(CONTEXT_DEBUG_REGISTERS)) {
        end = offsetof(CONTEXT, Dr7) + sizeof(DWORD);
    } else {
        end = sizeof(DWORD);
    }
    return base + end;
#endif
}

// The top of the current thread's stack; the scan never walks past it.
uintptr_t StackTop()
{
    uintptr_t top;
    // NT_TIB.StackBase of the current thread.
#ifdef _WIN64
    asm volatile("movq %%gs:8, %0" : "=r"(top));
#else
    asm volatile("movl %%fs:4, %0" : "=r"(top));
#endif
    return top;
}

}  // namespace

const wchar_t* ExceptionName(DWORD code)
{
    for (const ExceptionNameEntry& e : kNames) {
        if (e.code == code) {
            return e.name;
        }
    }
    return L"?";
}

void HexDump16(CReleaseModeDebug* sink, const wchar_t* prefix, uintptr_t address, DWORD length)
{
    if (!prefix) {
        prefix = L"";
    }
    if (address == 0 || !IsReadableMemory(Ptr(address), 1)) {
        LogPrintf(sink, RMD_CONTINUATION, L"%s%s", prefix, AddressText(address).text);
        return;
    }
    for (DWORD line = 0; line < length; line += 16) {
        wchar_t hex[16 * 4 + 1];
        wchar_t chars[17];
        size_t h = 0;
        size_t c = 0;
        bool stop = false;
        for (DWORD i = 0; i < 16; ++i) {
            const uintptr_t at = address + line + i;
            if (line + i >= length || stop) {
                hex[h++] = L' ';
                hex[h++] = L' ';
            } else if (!IsReadableMemory(Ptr(at), 1)) {
                hex[h++] = L'.';
                hex[h++] = L'.';
                chars[c++] = L'.';
                stop = true;
            } else {
                const BYTE b = *Ptr(at);
                std::swprintf(hex + h, 3, L"%02X", b);
                h += 2;
                chars[c++] = (b < 32 || b == 127) ? L'.' : static_cast<wchar_t>(b);
            }
            if (i < 15) {
                hex[h++] = L' ';
                if (i % 4 == 3) {
                    hex[h++] = L' ';
                }
            }
        }
        hex[h] = 0;
        chars[c] = 0;
        LogPrintf(sink, RMD_CONTINUATION, L"%s%s: %s  %s", prefix, AddressText(address + line).text,
                  hex, chars);
        if (stop) {
            return;
        }
    }
}

bool PrintTraceScope(uintptr_t address, const wchar_t* prefix, CReleaseModeDebug* sink)
{
    if (!IsReadableMemory(Ptr(address), kTraceRecordBytes)) {
        return false;
    }
    TRACE_SCOPE record;
    std::memcpy(&record, Ptr(address), sizeof(record));
    if (record.magic != kTraceScopeOpen && record.magic != kTraceScopeClosed) {
        return false;
    }
    if (record.fileLength < 1 || record.fileLength > 259 ||
        !IsReadableMemory(record.file, record.fileLength + 1) ||
        record.file[record.fileLength] != 0 ||
        std::strlen(record.file) != record.fileLength) {
        return false;
    }
    // The compiler may name the file with either separator.
    const char* name = record.file;
    for (const char* p = record.file; *p; ++p) {
        if ((*p == '\\' || *p == '/') && p[1]) {
            name = p + 1;
        }
    }
    LogPrintf(sink, RMD_CONTINUATION, L"%s%s %S %u %s D=%u=%X", prefix ? prefix : L"",
              record.magic == kTraceScopeOpen ? L"Enter" : L"Leave", name,
              static_cast<unsigned>(record.line), AddressText(record.frameWord).text,
              static_cast<unsigned>(record.data), static_cast<unsigned>(record.data));
    return true;
}

std::wstring FormatUnexpectedException(CReleaseModeDebug* sink, DWORD code,
                                       const EXCEPTION_POINTERS* pointers,
                                       const wchar_t* format)
{
    const EXCEPTION_RECORD* record = pointers ? pointers->ExceptionRecord : nullptr;
    const CONTEXT* context = pointers ? pointers->ContextRecord : nullptr;
    const uintptr_t at = record ? reinterpret_cast<uintptr_t>(record->ExceptionAddress) : 0;

    if (sink) {
        ModuleTable modules;
        modules.Build();
        wchar_t detail[64] = L"";
        if (record && code == EXCEPTION_ACCESS_VIOLATION && record->NumberParameters >= 2) {
            std::swprintf(detail, 64, L", %ls %llX", record->ExceptionInformation[0] ? L"Wr" : L"Rd",
                          static_cast<unsigned long long>(record->ExceptionInformation[1]));
        }
        LogPrintf(sink, RMD_STAMPED, L"Thr.%i unexp.prog.exc.%08X (%s) at %s%s", 2,
                  static_cast<unsigned>(code), ExceptionName(code), AddressText(at).text, detail);
        HexDump16(sink, L"", at, 16);
        const AddressInfo where = modules.Lookup(at);
        if (where.kind >= ADDR_PROGRAM) {
            ModuleLine(sink, where);
        }
        if (context) {
            const DWORD flags = context->ContextFlags;
            if ((flags & CONTEXT_CONTROL) == CONTEXT_CONTROL) {
#ifdef _WIN64
                LogPrintf(sink, RMD_CONTINUATION, L"Rsp=%s Rbp=%s Rip=%s EFlags=%08X",
                          AddressText(context->Rsp).text, AddressText(context->Rbp).text,
                          AddressText(context->Rip).text, static_cast<unsigned>(context->EFlags));
#else
                LogPrintf(sink, RMD_CONTINUATION, L"Esp=%08X Ebp=%08X Eip=%08X EFlags=%08X",
                          static_cast<unsigned>(context->Esp), static_cast<unsigned>(context->Ebp),
                          static_cast<unsigned>(context->Eip),
                          static_cast<unsigned>(context->EFlags));
#endif
            }
            if ((flags & CONTEXT_INTEGER) == CONTEXT_INTEGER) {
#ifdef _WIN64
                LogPrintf(sink, RMD_CONTINUATION, L"Rax=%s Rbx=%s Rcx=%s Rdx=%s Rsi=%s Rdi=%s",
                          AddressText(context->Rax).text, AddressText(context->Rbx).text,
                          AddressText(context->Rcx).text, AddressText(context->Rdx).text,
                          AddressText(context->Rsi).text, AddressText(context->Rdi).text);
#else
                LogPrintf(sink, RMD_CONTINUATION,
                          L"Eax=%08X Ebx=%08X Ecx=%08X Edx=%08X Esi=%08X Edi=%08X",
                          static_cast<unsigned>(context->Eax), static_cast<unsigned>(context->Ebx),
                          static_cast<unsigned>(context->Ecx), static_cast<unsigned>(context->Edx),
                          static_cast<unsigned>(context->Esi), static_cast<unsigned>(context->Edi));
#endif
            }
            const uintptr_t start = StackStart(context);
            const uintptr_t top = StackTop();
            LogPrintf(sink, RMD_CONTINUATION, L"Stack:");
            HexDump16(sink, L"", start, 64);
            LogPrintf(sink, RMD_CONTINUATION, L"Stack->:");
            uintptr_t remembered[kMaxRemembered];
            int rememberedCount = 0;
            int shown[4] = {0, 0, 0, 0};
            for (uintptr_t word = start;
                 word + kWordBytes <= top && IsReadableMemory(Ptr(word), kWordBytes);) {
                wchar_t prefix[16];
                std::swprintf(prefix, 16, L"+%03X: ", static_cast<unsigned>(word - start));
                if (PrintTraceScope(word, prefix, sink)) {
                    word += kTraceRecordBytes;
                    continue;
                }
                uintptr_t value;
                std::memcpy(&value, Ptr(word), kWordBytes);
                word += kWordBytes;
                const AddressInfo info = modules.Lookup(value);
                if (info.kind == ADDR_NOT_POINTER || shown[info.kind] >= kKindLimits[info.kind]) {
                    continue;
                }
                bool seen = false;
                for (int i = 0; i < rememberedCount && !seen; ++i) {
                    seen = remembered[i] == value;
                }
                if (seen || rememberedCount >= kMaxRemembered) {
                    continue;
                }
                remembered[rememberedCount++] = value;
                ++shown[info.kind];
                HexDump16(sink, prefix, value, 16);
                if (info.kind >= ADDR_PROGRAM) {
                    ModuleLine(sink, info);
                }
            }
        }
    }
    if (format && *format) {
        return format;
    }
    wchar_t text[128];
    std::swprintf(text, 128, L"Unexpected program exception %08X (%ls) at %ls",
                  static_cast<unsigned>(code), ExceptionName(code), AddressText(at).text);
    return text;
}
