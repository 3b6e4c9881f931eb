// CUTKHookManager: lets any number of toolkit objects watch the messages of one window without
// each of them subclassing it. The first client of a window subclasses it with one sink; the
// sink offers every message to the clients and unsubclasses the window when the last client
// goes or the window is destroyed. User-interface thread only; no lock.
#pragma once

#include "toolkit/common/CUTKHookManagerHookAble.h"

#include "platform/framework/CMap.h"
#include "platform/framework/CTypedPtrArray.h"

class CUTKHookManager {
public:
    // One hooked window: its clients in the order of registration. A client removed while the
    // sink dispatches a message leaves a null slot until the dispatch ends, so the running
    // dispatch never reaches a freed client; a sink taken off its window meanwhile is deleted
    // when the outermost dispatch returns.
    class CHookSink : public CTypedPtrArray<CPtrArray, CUTKHookManagerHookAble*> {
    public:
        explicit CHookSink(HWND hWnd);
        ~CHookSink() override;
        CHookSink(const CHookSink&) = delete;
        CHookSink& operator=(const CHookSink&) = delete;

        HWND GetHwnd() const noexcept { return m_hWnd; }
        WNDPROC GetPreviousProc() const noexcept { return m_previousProc; }
        BOOL IsUnicode() const noexcept { return m_wide; }
        // Clients still registered (null slots of a running dispatch not counted).
        INT_PTR GetClientCount() const noexcept;
        INT_PTR FindClient(const CUTKHookManagerHookAble* client) const noexcept;
        void AddClient(CUTKHookManagerHookAble* client);
        // Deletes the client when it asked for that.
        void RemoveClient(INT_PTR index);
        // Puts the window's procedure back unless a sink above this one took over the chain
        // or something else subclassed the window after us (which would be cut off): then
        // FALSE, and the sink stays in place passing messages through.
        BOOL Unsubclass();

        // The window procedure of every hooked window.
        static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    private:
        LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
        LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const;
        void Compact();

        WNDPROC m_previousProc = nullptr;
        HWND m_hWnd = nullptr;
        BOOL m_wide = FALSE;
        BOOL m_destroying = FALSE;
        // Nesting depth of the hook procedure on this sink, and whether the sink left the map
        // while a dispatch ran (it is then deleted when the depth returns to 0).
        int m_dispatchDepth = 0;
        BOOL m_detached = FALSE;
        BOOL m_holesLeft = FALSE;

        friend class CUTKHookManager;
    };

    CUTKHookManager();
    ~CUTKHookManager();
    CUTKHookManager(const CUTKHookManager&) = delete;
    CUTKHookManager& operator=(const CUTKHookManager&) = delete;

    // Adds the client to the window's sink (subclassing the window on first use) unless it is
    // already registered there.
    void SetHook(HWND hWnd, CUTKHookManagerHookAble* client);
    void RemoveHook(HWND hWnd, CUTKHookManagerHookAble* client);
    // RemoveHook of the client on every window.
    void RemoveAll(CUTKHookManagerHookAble* client);

    CHookSink* Lookup(HWND hWnd) const;
    INT_PTR GetSinkCount() const { return m_sinks.GetCount(); }

private:
    // Takes the sink out of the map and deletes it, or leaves the deletion to its running
    // dispatch.
    void DropSink(CHookSink* sink);

    CMap<HWND, HWND, CHookSink*, CHookSink*> m_sinks;

    friend class CHookSink;
};

// The process-wide hook manager, destroyed at exit.
CUTKHookManager* GetHookManager();
