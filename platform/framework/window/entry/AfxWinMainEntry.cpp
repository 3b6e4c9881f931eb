// The program entry point of an executable built on the framework: hands over to
// AfxWinMain, which runs the application object's InitInstance, Run and ExitInstance.
// Programs link the `framework_winmain` object library to get it.
#include "platform/framework/window/CWinApp.h"

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine,
                               int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow)
{
    // The ANSI entry (used without -municode) passes the wide command line on.
    LPWSTR cmdLine = ::GetCommandLineW();
    // Skip the program name, quoted or not.
    bool quoted = false;
    while (*cmdLine != 0 && (quoted || (*cmdLine != L' ' && *cmdLine != L'\t'))) {
        if (*cmdLine == L'"') {
            quoted = !quoted;
        }
        ++cmdLine;
    }
    while (*cmdLine == L' ' || *cmdLine == L'\t') {
        ++cmdLine;
    }
    return AfxWinMain(hInstance, hPrevInstance, cmdLine, nCmdShow);
}
