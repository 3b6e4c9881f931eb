// NotifySink: a listener of a notification connection; OnEvent is called for every event code
// the sink is registered for.
#pragma once

#include <windows.h>

class NotifySink {
public:
    virtual ~NotifySink() = default;
    virtual void OnEvent(UINT code, WPARAM wParam, LPARAM lParam, DWORD_PTR extra) = 0;
};
