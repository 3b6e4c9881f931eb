// The application base of framework-based shared libraries: the library's own application
// object, initialised by the framework's library entry.
#pragma once

#include "platform/framework/window/CWinApp.h"

class CAoAfxDll : public CWinApp {
public:
    CAoAfxDll() = default;
    ~CAoAfxDll() override = default;

    // Switches off thread attach and detach notifications for the library's module.
    BOOL InitInstance() override;
    int ExitInstance() override;

    DECLARE_MESSAGE_MAP()
};
