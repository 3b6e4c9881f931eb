// The press-and-hold loop of a toolbar button: captures the mouse for the bar window, pumps the
// thread's messages one at a time, tracks whether the pointer is over the pressed part, repeats
// the command on timer 4269, and tells whether the release accepts the press. It knows nothing
// of controls: a sink answers for the control, so the loop runs on any window in the tests.
#pragma once

#include <windows.h>

// What the loop asks of the pressed control.
class IControlPressSink {
public:
    virtual ~IControlPressSink() = default;
    virtual bool IsPressSelected() = 0;          // the control is selected
    virtual void SetPressSelected(bool selected) = 0; // redraws when it changed
    virtual void ExecuteRepeat() = 0;            // the execute notification of repeat mode
    virtual bool HasBar() = 0;                   // the control still stands in its bar
};

class ControlPressLoop {
public:
    static constexpr UINT_PTR kRepeatTimer = 4269;

    struct Result {
        bool accepted = false; // released over the control
        bool quit = false;     // WM_QUIT arrived (and was posted again)
        bool lost = false;     // the window, the capture or the bar went away
    };

    // Runs the loop on `window` for the rectangle (client coordinates of the window). With an
    // interval above 0 the command repeats every interval while the control is selected, and
    // once at once.
    static Result Run(HWND window, const RECT& rect, UINT interval, IControlPressSink& sink);
};
