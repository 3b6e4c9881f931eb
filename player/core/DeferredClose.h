// When a request to close the main window may go ahead. A close that arrives while a modal
// window owned by the main window is up (a message box shown from inside an open, a file
// dialog) would tear the document and the frame down under the code waiting for the answer;
// it waits instead until the main window is enabled again, and then goes ahead once.
#pragma once

class DeferredClose {
public:
    // A close was asked for. True: close now. False: it is kept until the window is enabled.
    [[nodiscard]] bool Request(bool windowEnabled);
    // The window was enabled or disabled. True once when a kept close must now be asked again.
    [[nodiscard]] bool OnEnabled(bool enabled);
    bool Pending() const { return m_pending; }

private:
    bool m_pending = false;
};
