// Holds Wine's desktop open for a whole test (or run) session; the scripts start it once, with no
// pipe attached, and the server's shutdown ends it.
//
// Wine closes the desktop a second after its last process leaves and starts it again for the
// next process that needs it, handing that process's standard error to the new desktop process.
// Under ctest that handle is the test's output pipe: the test ends, but the pipe stays open in
// the desktop process until every other test has left the desktop too, and ctest waits for it
// until the test's time-out. With this process on the desktop it never closes, so no test starts
// it.
//
// Usage: desktop_keeper.exe READY_FILE   (once the desktop is up, writes its process id there)
//        desktop_keeper.exe --touch       (joins the desktop, prints its process id, exits)
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

// The desktop window's process: it stays the same for as long as the desktop is not restarted.
DWORD DesktopProcessId()
{
    // Starts the desktop if it is not up yet, and makes this thread one of its users.
    HWND desktop = ::GetDesktopWindow();
    DWORD pid = 0;
    if (desktop != nullptr) {
        ::GetWindowThreadProcessId(desktop, &pid);
    }
    return pid;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fputs("usage: desktop_keeper READY_FILE | --touch\n", stderr);
        return 2;
    }
    const DWORD pid = DesktopProcessId();
    if (pid == 0) {
        std::fputs("desktop_keeper: no desktop window\n", stderr);
        return 1;
    }
    if (std::wcscmp(argv[1], L"--touch") == 0) {
        std::printf("%lu\n", static_cast<unsigned long>(pid));
        return 0;
    }
    std::FILE* ready = _wfopen(argv[1], L"w");
    if (ready == nullptr) {
        std::fputs("desktop_keeper: cannot create the ready file\n", stderr);
        return 1;
    }
    std::fprintf(ready, "%lu\n", static_cast<unsigned long>(pid));
    std::fclose(ready);
    for (;;) {
        ::Sleep(INFINITE);
    }
}
