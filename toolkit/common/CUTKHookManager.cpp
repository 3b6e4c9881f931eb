// The hook manager: one subclassing sink per watched window. See the header for the contract.
#include "toolkit/common/CUTKHookManager.h"

#include "platform/framework/window/AfxState.h"
#include "platform/framework/CException.h"
#include "platform/framework/CMemoryException.h"
#include "platform/framework/window/CWinThread.h"

#include <new>
#include <vector>

namespace {

// Asks the sink above ours (another module's copy of this manager) to take our previous
// procedure as its own, so that our sink can leave the middle of the chain.
UINT SinkRemovedMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"WM_HOOKMANAGER_SINKREMOVED");
    return message;
}

}  // namespace

// ---- CHookSink ------------------------------------------------------------------------------

CUTKHookManager::CHookSink::CHookSink(HWND hWnd) : m_hWnd(hWnd), m_wide(::IsWindowUnicode(hWnd))
{
    // An ANSI window stays ANSI: its procedure is read and replaced through the A functions,
    // which makes the system hand our procedure (and the previous one) ANSI messages.
    const LONG_PTR hook = reinterpret_cast<LONG_PTR>(&HookWndProc);
    if (m_wide) {
        m_previousProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, hook);
    } else {
        m_previousProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, hook);
    }
}

CUTKHookManager::CHookSink::~CHookSink()
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        CUTKHookManagerHookAble* client = GetAt(i);
        if (client != nullptr && client->m_autoDelete) {
            delete client;
        }
    }
}

INT_PTR CUTKHookManager::CHookSink::GetClientCount() const noexcept
{
    INT_PTR count = 0;
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (GetAt(i) != nullptr) {
            ++count;
        }
    }
    return count;
}

INT_PTR CUTKHookManager::CHookSink::FindClient(const CUTKHookManagerHookAble* client) const noexcept
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (GetAt(i) == client) {
            return i;
        }
    }
    return -1;
}

void CUTKHookManager::CHookSink::AddClient(CUTKHookManagerHookAble* client)
{
    Add(client);
}

void CUTKHookManager::CHookSink::RemoveClient(INT_PTR index)
{
    CUTKHookManagerHookAble* client = GetAt(index);
    if (m_dispatchDepth > 0) {
        // A dispatch walks this array by index: leave a hole, closed when it ends.
        SetAt(index, nullptr);
        m_holesLeft = TRUE;
    } else {
        RemoveAt(index);
    }
    if (client != nullptr && client->m_autoDelete) {
        delete client;
    }
}

void CUTKHookManager::CHookSink::Compact()
{
    for (INT_PTR i = GetSize() - 1; i >= 0; --i) {
        if (GetAt(i) == nullptr) {
            RemoveAt(i);
        }
    }
    m_holesLeft = FALSE;
}

BOOL CUTKHookManager::CHookSink::Unsubclass()
{
    const LONG_PTR hook = reinterpret_cast<LONG_PTR>(&HookWndProc);
    if (!m_destroying) {
        const WPARAM wParam = reinterpret_cast<WPARAM>(&HookWndProc);
        const LPARAM lParam = reinterpret_cast<LPARAM>(m_previousProc);
        const LRESULT takenOver = m_wide
                                      ? ::SendMessageW(m_hWnd, SinkRemovedMessage(), wParam, lParam)
                                      : ::SendMessageA(m_hWnd, SinkRemovedMessage(), wParam, lParam);
        if (takenOver != 0) {
            return TRUE;
        }
        const LONG_PTR current = m_wide ? ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)
                                        : ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
        if (current != hook) {
            // Someone subclassed the window after us and points at our procedure: putting the
            // old one back would cut them off, so the sink stays and passes messages through.
            return FALSE;
        }
    }
    const LONG_PTR previous = reinterpret_cast<LONG_PTR>(m_previousProc);
    if (m_wide) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, previous);
    } else {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, previous);
    }
    return TRUE;
}

LRESULT CUTKHookManager::CHookSink::CallPrevious(UINT message, WPARAM wParam,
                                                 LPARAM lParam) const
{
    // The procedure was read with the window's own character set, and the messages we got are
    // in that set: hand them on with the matching call.
    if (m_wide) {
        return ::CallWindowProcW(m_previousProc, m_hWnd, message, wParam, lParam);
    }
    return ::CallWindowProcA(m_previousProc, m_hWnd, message, wParam, lParam);
}

LRESULT CUTKHookManager::CHookSink::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        m_destroying = TRUE;
        static_cast<void>(Unsubclass());
        GetHookManager()->DropSink(this);
        return CallPrevious(message, wParam, lParam);
    }
    if (message == SinkRemovedMessage() &&
        wParam == reinterpret_cast<WPARAM>(m_previousProc)) {
        m_previousProc = reinterpret_cast<WNDPROC>(lParam);
        return 1;
    }
    // Newest client first. Clients added meanwhile sit above the start and wait for the next
    // message; removed ones leave null slots.
    for (INT_PTR i = GetSize() - 1; i >= 0; --i) {
        CUTKHookManagerHookAble* client = GetAt(i);
        if (client == nullptr) {
            continue;
        }
        LRESULT result = 0;
        const int answer = client->OnHookMessage(m_hWnd, message, wParam, lParam, result);
        if (answer == CUTKHookManagerHookAble::hookHandled) {
            return result;
        }
        if (answer == CUTKHookManagerHookAble::hookPassOn || m_detached) {
            break;
        }
    }
    return CallPrevious(message, wParam, lParam);
}

LRESULT CALLBACK CUTKHookManager::CHookSink::HookWndProc(HWND hWnd, UINT message, WPARAM wParam,
                                                        LPARAM lParam)
{
    // Clients ask the framework for the current message, as a framework window would.
    AFX_THREAD_STATE* state = AfxGetThreadState();
    const MSG saved = state->m_lastSentMsg;
    state->m_lastSentMsg.hwnd = hWnd;
    state->m_lastSentMsg.message = message;
    state->m_lastSentMsg.wParam = wParam;
    state->m_lastSentMsg.lParam = lParam;

    LRESULT result = 0;
    CHookSink* sink = GetHookManager()->Lookup(hWnd);
    if (sink != nullptr) {
        ++sink->m_dispatchDepth;
        try {
            result = sink->Dispatch(message, wParam, lParam);
        } catch (CException* e) {
            result = AfxProcessWndProcException(e, &state->m_lastSentMsg);
            e->Delete();
        } catch (const std::bad_alloc&) {
            CMemoryException memory;
            result = AfxProcessWndProcException(&memory, &state->m_lastSentMsg);
        } catch (...) {
            CException unknown(FALSE);
            result = AfxProcessWndProcException(&unknown, &state->m_lastSentMsg);
        }
        if (--sink->m_dispatchDepth == 0) {
            if (sink->m_detached) {
                delete sink;
            } else if (sink->m_holesLeft) {
                sink->Compact();
            }
        }
    }
    state->m_lastSentMsg = saved;
    return result;
}

// ---- CUTKHookManager ------------------------------------------------------------------------

CUTKHookManager::CUTKHookManager()
{
    m_sinks.InitHashTable(17);
}

CUTKHookManager::~CUTKHookManager()
{
    POSITION pos = m_sinks.GetStartPosition();
    while (pos != nullptr) {
        HWND hWnd = nullptr;
        CHookSink* sink = nullptr;
        m_sinks.GetNextAssoc(pos, hWnd, sink);
        if (::IsWindow(hWnd)) {
            static_cast<void>(sink->Unsubclass());
        }
        delete sink;
    }
    m_sinks.RemoveAll();
}

CUTKHookManager::CHookSink* CUTKHookManager::Lookup(HWND hWnd) const
{
    CHookSink* sink = nullptr;
    return m_sinks.Lookup(hWnd, sink) ? sink : nullptr;
}

void CUTKHookManager::SetHook(HWND hWnd, CUTKHookManagerHookAble* client)
{
    if (client == nullptr || !::IsWindow(hWnd)) {
        return;
    }
    CHookSink* sink = Lookup(hWnd);
    if (sink == nullptr) {
        // Only a window of this process can be subclassed.
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hWnd, &processId);
        if (processId != ::GetCurrentProcessId()) {
            return;
        }
        sink = new CHookSink(hWnd);
        m_sinks.SetAt(hWnd, sink);
    }
    if (sink->FindClient(client) < 0) {
        sink->AddClient(client);
    }
}

void CUTKHookManager::RemoveHook(HWND hWnd, CUTKHookManagerHookAble* client)
{
    CHookSink* sink = Lookup(hWnd);
    if (sink == nullptr) {
        return;
    }
    const INT_PTR index = sink->FindClient(client);
    if (index < 0) {
        return;
    }
    sink->RemoveClient(index);
    if (sink->GetClientCount() == 0 && sink->Unsubclass()) {
        DropSink(sink);
    }
}

void CUTKHookManager::RemoveAll(CUTKHookManagerHookAble* client)
{
    // Removing a hook may drop a sink from the map: collect the windows first.
    std::vector<HWND> windows;
    POSITION pos = m_sinks.GetStartPosition();
    while (pos != nullptr) {
        HWND hWnd = nullptr;
        CHookSink* sink = nullptr;
        m_sinks.GetNextAssoc(pos, hWnd, sink);
        if (sink->FindClient(client) >= 0) {
            windows.push_back(hWnd);
        }
    }
    for (HWND hWnd : windows) {
        RemoveHook(hWnd, client);
    }
}

void CUTKHookManager::DropSink(CHookSink* sink)
{
    m_sinks.RemoveKey(sink->m_hWnd);
    if (sink->m_dispatchDepth > 0) {
        sink->m_detached = TRUE;
    } else {
        delete sink;
    }
}

CUTKHookManager* GetHookManager()
{
    static CUTKHookManager manager;
    return &manager;
}
