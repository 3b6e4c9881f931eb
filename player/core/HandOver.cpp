// Sending side of the hand-over. SendMessageTimeout keeps a hung copy from blocking a new start.
#include "player/core/HandOver.h"

#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"

#include <cwchar>

namespace {

constexpr int kMaxCandidates = 64;
constexpr size_t kClassChars = sizeof kMainWindowClass / sizeof kMainWindowClass[0] - 1;

struct Candidates {
    HWND windows[kMaxCandidates];
    int count;
};

BOOL CALLBACK CollectCandidate(HWND window, LPARAM param)
{
    auto* list = reinterpret_cast<Candidates*>(param);
    wchar_t name[kClassChars + 2] = {};
    const int n = GetClassNameW(window, name, static_cast<int>(kClassChars + 2));
    if (n == static_cast<int>(kClassChars) && wcscmp(name, kMainWindowClass) == 0) {
        list->windows[list->count++] = window;
    }
    return list->count < kMaxCandidates;
}

}  // namespace

int HandOverToRunningInstance(const std::wstring& path, BOOL play)
{
    Candidates list = {};
    EnumWindows(CollectCandidate, reinterpret_cast<LPARAM>(&list));
    if (list.count == 0) {
        return 0;
    }
    if (path.size() >= static_cast<size_t>(kHandOverPathChars)) {
        TraceLine(0, L"Hand-over: %u characters do not fit the record",
                  static_cast<unsigned>(path.size()));
        return kHandOverTooLong;
    }
    HAND_OVER_RECORD record = {};
    record.play = play ? 1 : 0;
    wcsncpy(record.path, path.c_str(), kHandOverPathChars - 1);
    record.path[kHandOverPathChars - 1] = 0;
    COPYDATASTRUCT data = {};
    data.dwData = kHandOverTag;
    data.cbData = sizeof record;
    data.lpData = &record;
    for (int i = 0; i < list.count; ++i) {
        HWND window = list.windows[i];
        if (!IsWindow(window)) {
            continue;
        }
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == 0) {
            TraceLine(0, L"Err: %s!",
                      FormatSystemError(GetLastError(), L"GetWindowThreadProcessId").c_str());
        } else if (!AllowSetForegroundWindow(process)) {
            TraceLine(0, L"Err: %s!",
                      FormatSystemError(GetLastError(), L"AllowSetForegroundWindow").c_str());
        }
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                 SMTO_ABORTIFHUNG | SMTO_BLOCK, kHandOverTimeoutMs, &answer)) {
            TraceLine(0, L"Hand-over: no answer from window %p", static_cast<void*>(window));
            continue;
        }
        if (answer != 0) {
            return 1;
        }
    }
    return 0;
}

bool ReadHandOverRecord(const COPYDATASTRUCT* data, std::wstring* path, bool* play)
{
    if (!data || data->dwData != kHandOverTag || data->cbData != sizeof(HAND_OVER_RECORD) ||
        !data->lpData) {
        return false;
    }
    HAND_OVER_RECORD record;
    memcpy(&record, data->lpData, sizeof record);
    record.path[kHandOverPathChars - 1] = 0;
    if (path) {
        *path = record.path;
    }
    if (play) {
        *play = record.play == 1;
    }
    return true;
}
