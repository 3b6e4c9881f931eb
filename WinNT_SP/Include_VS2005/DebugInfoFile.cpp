// Debug-information file (see DebugInfoFile.h).
#include "WinNT_SP/Include_VS2005/DebugInfoFile.h"

#include "WinNT_SP/Include_VS2005/PlayerCoreServices.h"
#include "WinNT_SP/Include_VS2005/RecentLogText.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"

std::wstring WriteDebugInfoFile()
{
    TRACE_FUNCTION();
    std::wstring error;
    const std::wstring folder = GetDebugInfoFolder(&error);
    if (!error.empty()) {
        return error;
    }
    std::wstring path;
    error = CreateLogFile(LOGFILE_DEBUGINFO, folder + L"\\" + kDebugInfoPrefix, &path);
    if (!error.empty()) {
        return error;
    }
    RMDQVR file;
    file.EnableFile(path);
    error = AppSettings().Save(path.c_str(), true);
    if (!error.empty()) {
        return error;
    }
    if (!file.WriteLine(L"\n--- QVR internal debug info ---\n", &error)) {
        return error;
    }
    // The first failure of the remaining writes is the one reported.
    std::wstring first;
    const std::wstring parts[] = {RecentLogText().Text(), DebugInfoSource().DumpPlayDevices(),
                                  L"--- Video info ---\n"};
    for (const std::wstring& part : parts) {
        if (!file.WriteLine(part.c_str(), &error) && first.empty()) {
            first = error;
        }
    }
    DebugInfoSource().DumpGraphs(&file);
    return first;
}
