// A fresh temporary folder per test, removed with its files afterwards.
#pragma once

#include <windows.h>

#include <string>

namespace orvane::test {

class TempFolder {
public:
    explicit TempFolder(const wchar_t* tag)
    {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        m_path = std::wstring(tmp) + L"orvane-" + tag + L"-" +
                 std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++Counter());
        Remove(m_path);
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TempFolder() { Remove(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

    static void Remove(const std::wstring& dir)
    {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..") {
                    continue;
                }
                const std::wstring full = dir + L"\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(full);
                } else {
                    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(full.c_str());
                }
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(dir.c_str());
    }

private:
    static int& Counter()
    {
        static int n = 0;
        return n;
    }
    std::wstring m_path;
};

inline std::string ReadFileBytes(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    std::string data;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) {
        data.append(buf, n);
    }
    CloseHandle(h);
    return data;
}

inline void WriteFileBytes(const std::wstring& path, const std::string& data)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, data.data(), DWORD(data.size()), &n, nullptr);
    CloseHandle(h);
}

}  // namespace orvane::test
