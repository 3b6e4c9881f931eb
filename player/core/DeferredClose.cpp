// Deferral of a close request while the main window is disabled by a modal window.
#include "player/core/DeferredClose.h"

bool DeferredClose::Request(bool windowEnabled)
{
    if (windowEnabled) {
        m_pending = false;
        return true;
    }
    m_pending = true;
    return false;
}

bool DeferredClose::OnEnabled(bool enabled)
{
    if (!enabled || !m_pending) {
        return false;
    }
    m_pending = false;
    return true;
}
