// Crash reports for worker threads. g++ has no structured-exception translator, so a process-wide
// unhandled-exception filter stands in: for a thread inside a WorkerCrashScope it writes the
// report into the configured sink (the trace log unless set otherwise), hands the one-line text
// to the callback and ends only that thread; other threads fall through to the previous filter.
#pragma once

#include <windows.h>

#include "WinNT_SP/Include_VS2005/TraceScope.h"

using CrashCallback = void (*)(const wchar_t* text, void* context);

struct CRASH_REPORT_SETTINGS {
    CReleaseModeDebug* sink;  // null: no report, only the text
    const wchar_t* format;    // null or empty: the standard text
    CrashCallback callback;
    void* context;
};

// The settings start with the trace log as sink and no callback.
void SetCrashReportSettings(const CRASH_REPORT_SETTINGS& settings);
CRASH_REPORT_SETTINGS GetCrashReportSettings();
// Back to the trace log, no format, no callback.
void ResetCrashReportSettings();

class WorkerCrashScope {
public:
    // The thread's exit code after a crash is the exception code.
    WorkerCrashScope();
    ~WorkerCrashScope();
    WorkerCrashScope(const WorkerCrashScope&) = delete;
    WorkerCrashScope& operator=(const WorkerCrashScope&) = delete;
};
