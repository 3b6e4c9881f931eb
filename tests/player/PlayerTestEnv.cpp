// Program runs and trace reading for the player tests.
#include "tests/player/PlayerTestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace playertest {

namespace {

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

void RemoveTree(const std::wstring& dir)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = dir + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(dir.c_str());
}

struct MainWindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<MainWindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process == search->process && wcscmp(name, L"OrvanePresentationPlayerWndClass") == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring TestDir()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOf(path);
}

std::wstring BinDir() { return FolderOf(FolderOf(TestDir())) + L"\\bin"; }

bool FileExistsAt(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

PlayerRun PrepareRun(const wchar_t* name, Engine engine)
{
    PlayerRun run;
    const std::wstring root = TestDir() + L"\\playerruns";
    CreateDirectoryW(root.c_str(), nullptr);
    run.dir = root + L"\\" + name;
    RemoveTree(run.dir);
    CreateDirectoryW(run.dir.c_str(), nullptr);
    run.settings = run.dir + L"\\settings";
    CreateDirectoryW(run.settings.c_str(), nullptr);
    run.exe = run.dir + L"\\QVP.exe";
    EXPECT_TRUE(CopyFileW((BinDir() + L"\\QVP.exe").c_str(), run.exe.c_str(), FALSE));
    std::wstring engineFile;
    switch (engine) {
    case Engine::Fake:
        engineFile = TestDir() + L"\\playerfakes\\FakeEngine.dll";
        break;
    case Engine::FakeOneExport:
        engineFile = TestDir() + L"\\playerfakes\\FakeEngineOneExport.dll";
        break;
    case Engine::Real:
        engineFile = BinDir() + L"\\QVPVideo.dll";
        break;
    case Engine::None:
        break;
    }
    if (!engineFile.empty()) {
        EXPECT_TRUE(CopyFileW(engineFile.c_str(), (run.dir + L"\\QVPVideo.dll").c_str(), FALSE))
            << "missing " << std::string(engineFile.begin(), engineFile.end());
    }
    return run;
}

CHandle StartPlayer(const PlayerRun& run, const std::wstring& args,
                    const std::vector<std::wstring>& env)
{
    std::vector<std::wstring> vars = env;
    vars.push_back(L"ORVANE_SETTINGS_DIR=" + run.settings);
    // Boxes answer OK without a window unless the caller names the variable itself.
    const std::wstring answerKey = L"ORVANE_MSGBOX_ANSWER=";
    if (std::none_of(env.begin(), env.end(), [&](const std::wstring& v) {
            return v.compare(0, answerKey.size(), answerKey) == 0;
        })) {
        vars.push_back(answerKey + L"1");
    }
    std::wstring block;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* p = current; *p; p += wcslen(p) + 1) {
        const std::wstring entry = p;
        const std::wstring key = entry.substr(0, entry.find(L'=') + 1);
        const bool replaced = std::any_of(vars.begin(), vars.end(), [&](const std::wstring& v) {
            return key.size() > 1 && _wcsnicmp(v.c_str(), key.c_str(), key.size()) == 0;
        });
        if (!replaced) {
            block += entry;
            block += L'\0';
        }
    }
    FreeEnvironmentStringsW(current);
    for (const std::wstring& v : vars) {
        block += v;
        block += L'\0';
    }
    block += L'\0';
    std::wstring line = L"\"" + run.exe + L"\"";
    if (!args.empty()) {
        line += L" " + args;
    }
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(run.exe.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, block.data(), run.dir.c_str(), &si, &pi)) {
        ADD_FAILURE() << "CreateProcess failed: " << GetLastError();
        return CHandle();
    }
    const CHandle thread(pi.hThread);
    return CHandle(pi.hProcess);
}

int WaitPlayer(const CHandle& process, DWORD ms)
{
    if (!process) {
        return -1;
    }
    if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return static_cast<int>(code);
}

HWND WaitMainWindow(DWORD processId, DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MainWindowSearch search = {processId, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            return search.found;
        }
        Sleep(50);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

std::wstring ReadTrace(const PlayerRun& run)
{
    const std::wstring folder = run.settings + L"\\DebInfo";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\QVR_trc_*.txt").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return L"";
    }
    std::wstring newest;
    do {
        if (newest.empty() || wcscmp(data.cFileName, newest.c_str()) > 0) {
            newest = data.cFileName;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    const CHandle file(CreateFileW((folder + L"\\" + newest).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) {
        return L"";
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    std::wstring text(bytes.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

bool WaitTrace(const PlayerRun& run, const wchar_t* text, DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        if (ReadTrace(run).find(text) != std::wstring::npos) {
            return true;
        }
        Sleep(50);
    } while (GetTickCount() - start < ms);
    return false;
}

void ExpectInOrder(const std::wstring& trace, const std::vector<std::wstring>& texts)
{
    size_t at = 0;
    for (const std::wstring& text : texts) {
        const size_t found = trace.find(text, at);
        if (found == std::wstring::npos) {
            const bool anywhere = trace.find(text) != std::wstring::npos;
            ADD_FAILURE() << "\"" << std::string(text.begin(), text.end()) << "\" "
                          << (anywhere ? "out of order" : "missing") << " in the trace:\n"
                          << std::string(trace.begin(), trace.end());
            return;
        }
        at = found + text.size();
    }
}

}  // namespace playertest
