// The unhandled-exception filter behind WorkerCrashScope and the process-wide report settings.
#include "WinNT_SP/Include_VS2005/ui/WorkerCrashScope.h"

#include "WinNT_SP/Include_VS2005/ui/CrashReport.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"

#include <mutex>

namespace {

std::mutex g_settingsLock;
CRASH_REPORT_SETTINGS g_settings = {nullptr, nullptr, nullptr, nullptr};
bool g_settingsSet = false;
LPTOP_LEVEL_EXCEPTION_FILTER g_previous = nullptr;
std::once_flag g_installed;
thread_local int t_workerDepth = 0;

CRASH_REPORT_SETTINGS CurrentSettings()
{
    std::lock_guard<std::mutex> guard(g_settingsLock);
    if (!g_settingsSet) {
        g_settings = {&TraceLog(), nullptr, nullptr, nullptr};
        g_settingsSet = true;
    }
    return g_settings;
}

LONG WINAPI WorkerExceptionFilter(EXCEPTION_POINTERS* pointers)
{
    if (t_workerDepth == 0 || !pointers || !pointers->ExceptionRecord) {
        return g_previous ? g_previous(pointers) : EXCEPTION_CONTINUE_SEARCH;
    }
    // A fault inside the report itself must not come back here.
    t_workerDepth = 0;
    const CRASH_REPORT_SETTINGS settings = CurrentSettings();
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    const std::wstring text =
        FormatUnexpectedException(settings.sink, code, pointers, settings.format);
    if (settings.callback) {
        settings.callback(text.c_str(), settings.context);
    }
    // The thread's own state is unknown after the fault: end it, keep the process.
    ExitThread(code);
}

}  // namespace

void SetCrashReportSettings(const CRASH_REPORT_SETTINGS& settings)
{
    std::lock_guard<std::mutex> guard(g_settingsLock);
    g_settings = settings;
    g_settingsSet = true;
}

CRASH_REPORT_SETTINGS GetCrashReportSettings()
{
    return CurrentSettings();
}

void ResetCrashReportSettings()
{
    std::lock_guard<std::mutex> guard(g_settingsLock);
    g_settingsSet = false;
}

WorkerCrashScope::WorkerCrashScope()
{
    std::call_once(g_installed,
                   [] { g_previous = SetUnhandledExceptionFilter(WorkerExceptionFilter); });
    ++t_workerDepth;
}

WorkerCrashScope::~WorkerCrashScope()
{
    if (t_workerDepth > 0) {
        --t_workerDepth;
    }
}
