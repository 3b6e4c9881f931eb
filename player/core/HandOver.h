// Hand-over to a running copy: the path and play request go by WM_COPYDATA to the main windows
// of the copies that are already running, found by their window class.
#pragma once

#include <windows.h>

#include <string>

constexpr ULONG_PTR kHandOverTag = 4861;
constexpr int kHandOverPathChars = 520;

#pragma pack(push, 1)
struct HAND_OVER_RECORD {
    int32_t play;
    wchar_t path[kHandOverPathChars];
};
#pragma pack(pop)
static_assert(sizeof(HAND_OVER_RECORD) == 1044);

// How long one running copy may take to answer before the next one is tried.
constexpr UINT kHandOverTimeoutMs = 5000;

// A path or URL that the record cannot carry whole: refused, never cut to another address.
constexpr int kHandOverTooLong = -1;

// 1 when a running copy took the request, 0 when none did (or none runs), kHandOverTooLong
// when a copy runs but the path does not fit the record (nothing is sent then).
int HandOverToRunningInstance(const std::wstring& path, BOOL play);

// The receiving side's check of a record: the tag and the size must match. On success the
// path (always terminated within its 520 characters) and the play flag are returned.
bool ReadHandOverRecord(const COPYDATASTRUCT* data, std::wstring* path, bool* play);
