// What the program was asked to do when it started: open one presentation (and play it), and
// whether to hand that request to a copy that is already running.
#pragma once

#include <windows.h>

#include <string>

class CmdLineParams {
public:
    enum Mode { kNothing = 0, kOpen = 1, kOpenAndPlay = 2 };

    CmdLineParams() = default;
    virtual ~CmdLineParams() = default;

    // Parses the arguments after the program name. FALSE for an invalid line; errorText then
    // holds the message to show. The fields keep what was set before the invalid item.
    BOOL Parse(int argc, const wchar_t* const* argv, std::wstring* errorText);

    int mode = kNothing;
    BOOL inPlayer = FALSE;
    std::wstring path;
};

// The program's one command line.
CmdLineParams& TheCmdLine();
// Parses the process's own arguments into TheCmdLine(); shows the message and returns FALSE
// when the line is invalid.
BOOL ParseCommandLine();
