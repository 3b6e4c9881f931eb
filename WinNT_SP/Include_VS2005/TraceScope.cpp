// Trace-scope records and the formatted log line.
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>

__attribute__((noinline)) void EnterTraceScope(TRACE_SCOPE* scope, const char* file,
                                                uint32_t fileLength, uint32_t line)
{
    scope->file = file;
    scope->fileLength = fileLength;
    scope->line = line;
    scope->magic = kTraceScopeOpen;
    scope->frameWord = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
    scope->data = 0;
}

void LogPrintf(CReleaseModeDebug* sink, unsigned flags, const wchar_t* format, ...)
{
    wchar_t buffer[kLogLineChars];
    va_list args;
    va_start(args, format);
    // The CRT's bounded formatter truncates without a terminator when the text is too long.
    _vsnwprintf(buffer, kLogLineChars, format, args);
    va_end(args);
    buffer[kLogLineChars - 1] = 0;
    if (sink) {
        sink->Output(flags, buffer);
    }
}
