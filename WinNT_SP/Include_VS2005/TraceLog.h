// The program's trace log: every line is time-stamped, kept in the recent-log buffer and
// appended to "DebInfo\QVR_trc_<date>_<time>.txt" under the settings folder (one file per run,
// opened and closed per line). File errors never reach the caller: the line waits in a pending
// text and goes out in front of the next line that can be written.
#pragma once

#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <windows.h>

#include <string>

class RMDQVR : public CReleaseModeDebug {
public:
    static constexpr size_t kPendingLimit = 102400;

    RMDQVR();
    ~RMDQVR();
    RMDQVR(const RMDQVR&) = delete;
    RMDQVR& operator=(const RMDQVR&) = delete;

    // Stamps the line, appends it to the recent log and writes it to the file.
    void Output(unsigned flags, const wchar_t* text) override;
    // Appends text + CR LF to the file. With error, a failure is returned there and nothing is
    // buffered; without, it is logged and kept pending. Returns false on a failure.
    bool WriteLine(const wchar_t* text, std::wstring* error);

    // A writer of its own file (debug-information files).
    void EnableFile(const std::wstring& path);
    std::wstring Start();  // StartTraceFile of this object
    void Stop();           // StopTraceFile of this object
    bool Enabled() const;
    std::wstring FilePath() const;
    std::wstring Pending() const;

private:
    mutable CRITICAL_SECTION m_lock;  // recursive: a failing write logs through Output
    int m_enabled = 0;
    std::wstring m_filePath;
    int m_nesting = 0;
    std::wstring m_prefix;
    std::wstring m_pending;
};

// The program-wide trace log (never destroyed, so late static destructors may still log).
RMDQVR& TraceLog();
// LogPrintf into the program-wide trace log.
void TraceLine(unsigned flags, const wchar_t* format, ...);

std::wstring StartTraceFile();  // error text, empty on success
void StopTraceFile();

// Settings folder + "\DebInfo", created (with missing parents) at every call; cached.
std::wstring GetDebugInfoFolder(std::wstring* error);

enum LogFileKind { LOGFILE_TRACE, LOGFILE_DEBUGINFO };
constexpr wchar_t kTracePrefix[] = L"QVR_trc_";
constexpr wchar_t kDebugInfoPrefix[] = L"QVR_sys_";

// Removes old files of the kind (beyond 10 trace or 50 debug-information files, those dated
// over 50 days ago) and creates a new empty file prefix + date_time + ".txt". Error text.
std::wstring CreateLogFile(LogFileKind kind, const std::wstring& prefix, std::wstring* path);

// Clock seams (tests): milliseconds since start-up and the local time.
struct TraceClock {
    DWORD (*tickCount)();
    void (*localTime)(SYSTEMTIME*);
};
void SetTraceClock(const TraceClock* clock);  // null restores the system clock

// Local time in milliseconds (Julian day number * 86400000 + milliseconds of the day).
int64_t LocalTimeMs(const SYSTEMTIME& time);
SYSTEMTIME MsToLocalTime(int64_t ms);
