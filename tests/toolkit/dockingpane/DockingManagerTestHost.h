// The docking manager tests' host, shaped like the player's main frame: a framework frame with
// a view (the client) and the docking manager installed in theme 3. It records the docking
// notifications in order, answers the close notification as told, and on notification 1
// attaches a small window to a pane that has none, with options 0x24 and track sizes, as the
// player does.
#pragma once

#include <windows.h>

#include "platform/framework/frame/FrameworkFrame.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"

#include <map>
#include <string>
#include <vector>

namespace dockingtest {

class HostFrame : public CFrameWnd {
public:
    struct Notice {
        WPARAM code;
        int value;  // the pane id (codes 1 and 3), the action (code 4)
        int paneId;
        bool operator==(const Notice& other) const
        {
            return code == other.code && value == other.value && paneId == other.paneId;
        }
    };

    ~HostFrame() override { Destroy(); }

    BOOL CreateHost(const RECT& rc, BOOL visible, int theme = 3)
    {
        if (!Create(nullptr, L"Docking host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rc))
            return FALSE;
        CRect client;
        GetClientRect(&client);
        if (!m_view.CreateEx(WS_EX_CLIENTEDGE, L"STATIC", L"view", WS_CHILD | WS_VISIBLE,
                             client, this, AFX_IDW_PANE_FIRST))
            return FALSE;
        m_pManager = new CUTKDockingPaneManager();
        if (!m_pManager->InstallDockingPanes(this))
            return FALSE;
        m_pManager->SetTheme(theme);
        if (visible)
            ShowWindow(SW_SHOWNORMAL);
        RecalcLayout();
        Pump();
        return TRUE;
    }

    void Destroy()
    {
        if (m_pManager != nullptr) {
            m_pManager->DestroyWindow();
            delete m_pManager;
            m_pManager = nullptr;
        }
        for (auto& [id, window] : m_windows)
            ::DestroyWindow(window);
        m_windows.clear();
        if (m_hWnd != nullptr)
            DestroyWindow();
    }

    // Dispatches what is queued, then the idle pass: delayed layouts and focus tracking.
    void Pump()
    {
        for (int round = 0; round < 3; ++round) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (m_hWnd != nullptr) {
                if (m_nIdleFlags & idleLayout)
                    RecalcLayout(FALSE);
                SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
            }
        }
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message != WM_DOCKINGPANE_NOTIFY)
            return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
        LRESULT answer = 0;
        if (wParam == DOCKINGPANE_SHOWWINDOW) {
            auto* pane = reinterpret_cast<CUTKDockingPane*>(lParam);
            m_notices.push_back({wParam, pane->GetID(), pane->GetID()});
            if (m_bAttach && !pane->HasWindow())
                AttachWindow(pane);
        } else if (wParam == DOCKINGPANE_PANECLOSED) {
            auto* pane = reinterpret_cast<CUTKDockingPane*>(lParam);
            m_notices.push_back({wParam, pane->GetID(), pane->GetID()});
            answer = m_closeAnswer;
        } else if (wParam == DOCKINGPANE_ACTION) {
            auto* record = reinterpret_cast<DOCKINGPANE_ACTION_RECORD*>(lParam);
            m_notices.push_back(
                {wParam, record->action, record->pane ? record->pane->GetID() : 0});
        } else {
            m_notices.push_back({wParam, 0, 0});
        }
        if (pResult != nullptr)
            *pResult = answer;
        return TRUE;
    }

    void PostNcDestroy() override {}

    void AttachWindow(CUTKDockingPane* pane)
    {
        // The player keeps one window per pane id and gives it again to a new pane object.
        HWND& window = m_windows[pane->GetID()];
        if (window == nullptr) {
            const std::wstring text = L"pane " + std::to_wstring(pane->GetID());
            window = ::CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | SS_CENTER, 0, 0,
                                       10, 10, m_hWnd, nullptr, nullptr, nullptr);
        }
        pane->SetOptions(0x24);
        pane->m_ptMinTrackSize = CPoint(pane->GetID() == 4002 ? 0 : 120,
                                        pane->GetID() == 4002 ? 80 : 0);
        pane->Attach(window);
    }

    // Where a window lies in the frame's client area, empty when hidden.
    CRect ClientRectOf(HWND window) const
    {
        if (window == nullptr || !::IsWindowVisible(window))
            return CRect();
        CRect rect;
        ::GetWindowRect(window, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    CUTKDockingPaneManager* m_pManager = nullptr;
    CWnd m_view;
    std::vector<Notice> m_notices;
    std::map<int, HWND> m_windows;
    LRESULT m_closeAnswer = 0;
    BOOL m_bAttach = TRUE;
};

}  // namespace dockingtest
