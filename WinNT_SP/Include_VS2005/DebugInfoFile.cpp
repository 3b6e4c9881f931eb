// Debug-information file (see DebugInfoFile.h).
#include "DebugInfoFile.h"

#include "PlayerCoreServices.h"
#include "RecentLogText.h"
#include "Sett.h"
#include "TraceLog.h"

std::wstring WriteDebugInfoFile()
{
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
