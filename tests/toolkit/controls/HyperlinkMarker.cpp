// A program the hyperlink test has the shell open: it leaves a marker file beside itself
// ("<name>.marker") and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    std::wstring marker(path, length);
    const size_t dot = marker.find_last_of(L'.');
    marker = marker.substr(0, dot) + L".marker";
    HANDLE file = ::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    ::WriteFile(file, "opened", 6, &written, nullptr);
    ::CloseHandle(file);
    return 0;
}
