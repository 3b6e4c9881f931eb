// A batch of child-window moves applied together when the batch is destroyed (the playback
// control dialog's resizing), so the windows move in one deferred step.
#pragma once

#include <windows.h>

#include <vector>

struct MOVE_INFO {
    HWND window;
    HWND insertAfter;
    int x;
    int y;
    int cx;
    int cy;
    UINT flags;
};

class WndSizeMove {
public:
    WndSizeMove() = default;
    ~WndSizeMove();
    WndSizeMove(const WndSizeMove&) = delete;
    WndSizeMove& operator=(const WndSizeMove&) = delete;

    // Queues the window's current rectangle moved right by dx and widened by dw.
    void AddShift(HWND window, int dx, int dw);
    // Applies and empties the queue (the destructor does this when the flag is set).
    void Apply();
    size_t Count() const { return m_moves.size(); }

    bool m_applyOnDestroy = true;
    // Tests: pretend DeferWindowPos failed at the given entry (-1: never).
    int m_failDeferAt = -1;

private:
    std::vector<MOVE_INFO> m_moves;
};
