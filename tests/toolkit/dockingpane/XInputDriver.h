// The test side of tab_real_input.sh: a test writes one action ("click x y", "drag ...",
// "shot ...") as the request file and handles its own messages until the script answers with
// the done file, so the X events reach its windows while it waits.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace orvane::test {

// The folder the script shares with the test; empty when the test was not started by it.
inline std::wstring XInputDir()
{
    wchar_t dir[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"ORVANE_XINPUT_DIR", dir, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(dir) : std::wstring();
}

// Asks for one action; pump(ms) handles messages for about that long. After the answer, the
// events the action caused are handled for settleMs before the caller checks anything.
inline bool DriveXInput(const std::string& action, const std::function<void(DWORD)>& pump,
                        DWORD settleMs)
{
    const std::wstring dir = XInputDir();
    const std::wstring temp = dir + L"/request.tmp";
    const std::wstring request = dir + L"/request";
    const std::wstring done = dir + L"/done";
    FILE* file = _wfopen(temp.c_str(), L"wb");
    if (file == nullptr) {
        return false;
    }
    fprintf(file, "%s\n", action.c_str());
    fclose(file);
    if (!::MoveFileExW(temp.c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return false;
    }
    const ULONGLONG end = ::GetTickCount64() + 20000;
    while (::GetTickCount64() < end) {
        pump(20);
        if (::GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ::DeleteFileW(done.c_str());
            pump(settleMs);
            return true;
        }
    }
    return false;
}

}  // namespace orvane::test
