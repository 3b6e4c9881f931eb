// Trace scopes and the log line. Every own function opens a TRACE_SCOPE (24 bytes in the 32-bit
// build) on its stack and marks it closed on every exit; the crash report finds them by scanning
// a thread's stack.
// LogPrintf formats one line (at most 3999 characters) and hands it to a log sink.
#pragma once

#include <cstdint>

constexpr uint32_t kTraceScopeOpen = 0xA4B32A1C;
constexpr uint32_t kTraceScopeClosed = 0x1B272E7B;

// Layout fixed: read from raw stack memory by the crash report.
struct TRACE_SCOPE {
    uint32_t magic;
    const char* file;
    uint32_t fileLength;
    uint32_t line;
    uintptr_t frameWord;  // the caller's return address, read from the stack at entry
    uint32_t data;
};
static_assert(sizeof(void*) != 4 || sizeof(TRACE_SCOPE) == 24);

void EnterTraceScope(TRACE_SCOPE* scope, const char* file, uint32_t fileLength, uint32_t line);
inline void LeaveTraceScope(TRACE_SCOPE* scope)
{
    *static_cast<volatile uint32_t*>(&scope->magic) = kTraceScopeClosed;
}

// Opens the record on construction and closes it on every exit, unwinding included.
class TraceScopeGuard {
public:
    TraceScopeGuard(const char* file, uint32_t fileLength, uint32_t line)
    {
        EnterTraceScope(&m_scope, file, fileLength, line);
    }
    ~TraceScopeGuard() { LeaveTraceScope(&m_scope); }
    TraceScopeGuard(const TraceScopeGuard&) = delete;
    TraceScopeGuard& operator=(const TraceScopeGuard&) = delete;
    const TRACE_SCOPE* Record() const { return &m_scope; }

private:
    TRACE_SCOPE m_scope;
};

#define TRACE_FUNCTION() \
    TraceScopeGuard traceScope_(__FILE__, static_cast<uint32_t>(sizeof(__FILE__) - 1), __LINE__)

// Flags of a log line.
enum RmdLineFlags : unsigned {
    RMD_STAMPED = 0,
    RMD_CONTINUATION = 1,  // no time stamp and no separating space
};

// A log sink. Sinks are destroyed as their concrete class.
class CReleaseModeDebug {
public:
    virtual void Output(unsigned flags, const wchar_t* text) = 0;

protected:
    CReleaseModeDebug() = default;
    ~CReleaseModeDebug() = default;
};

constexpr int kLogLineChars = 4000;

// Addresses in log lines: upper-case hex, 8 digits in the 32-bit build and 16 in the 64-bit one.
// Formatted here, without the heap, so that a crash report can use it and every printf flavour
// prints it alike.
constexpr int kAddressDigits = 2 * sizeof(uintptr_t);
struct AddressText {
    explicit AddressText(uintptr_t value)
    {
        for (int i = kAddressDigits - 1; i >= 0; --i) {
            text[i] = L"0123456789ABCDEF"[value & 0xF];
            value >>= 4;
        }
        text[kAddressDigits] = 0;
    }
    explicit AddressText(const void* p) : AddressText(reinterpret_cast<uintptr_t>(p)) {}
    wchar_t text[kAddressDigits + 1];
};

// Formats into a 4000-character stack buffer (cut, never failing) and calls sink->Output.
// The format follows the program's convention: %s is a wide string.
void LogPrintf(CReleaseModeDebug* sink, unsigned flags, const wchar_t* format, ...);
