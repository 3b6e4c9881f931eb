// Wait cursor: counted through the application object, or the thread when there is none.
#include "platform/framework/window/CWaitCursor.h"

#include "platform/framework/window/AfxState.h"
#include "platform/framework/window/CWinApp.h"

namespace {

void WaitCursor(int nCode)
{
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(nCode);
        return;
    }
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (nCode > 0) {
        if (state->m_nWaitCursorCount++ == 0) {
            state->m_hcurWaitCursorRestore = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        }
    } else if (nCode < 0) {
        if (state->m_nWaitCursorCount > 0 && --state->m_nWaitCursorCount == 0) {
            ::SetCursor(state->m_hcurWaitCursorRestore);
        }
    } else if (state->m_nWaitCursorCount > 0) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    }
}

}  // namespace

CWaitCursor::CWaitCursor()
{
    WaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    WaitCursor(-1);
}

void CWaitCursor::Restore()
{
    WaitCursor(0);
}
