// The host frame: bars as children of a plain frame, commands recorded, update answered.
#include "tests/toolkit/commandbars/BarsHostFrame.h"

#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControls.h"

#include <cstdio>

CBarsHostFrame::CBarsHostFrame() = default;

CBarsHostFrame::~CBarsHostFrame()
{
    if (m_pMenuBar != nullptr) {
        m_pMenuBar->InternalRelease();
    }
    if (m_pToolBar != nullptr) {
        m_pToolBar->InternalRelease();
    }
}

BOOL CBarsHostFrame::CreateHost(const RECT& rc, BOOL withMenuBar, BOOL withToolBar)
{
    if (!Create(nullptr, L"Command bars host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rc, nullptr,
                MAKEINTRESOURCEW(128))) {
        return FALSE;
    }
    m_hMenuAtStart = ::GetMenu(m_hWnd);
    if (withMenuBar) {
        m_pMenuBar = new CUTKMenuBar;
        m_pMenuBar->SetTitle(L"Menu Bar");
        m_pMenuBar->SetBarPosition(utkBarTop);
        if (!m_pMenuBar->Create(this, FALSE) || !m_pMenuBar->LoadMenu(128)) {
            return FALSE;
        }
    }
    if (withToolBar) {
        m_pToolBar = new CUTKToolBar;
        m_pToolBar->SetTitle(L"Standard");
        m_pToolBar->SetBarPosition(utkBarTop);
        if (!m_pToolBar->Create(this, FALSE) || !m_pToolBar->LoadToolBar(128)) {
            return FALSE;
        }
    }
    RecalcLayout();
    Idle();
    return TRUE;
}

void CBarsHostFrame::Idle()
{
    if (m_hWnd != nullptr) {
        SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
}

void CBarsHostFrame::Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

BOOL CBarsHostFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == 0 || lParam == 0) {
        const UINT id = LOWORD(wParam);
        m_commands.push_back(id);
        if (m_bPrintCommands) {
            std::printf("command %u\n", id);
            std::fflush(stdout);
        }
        return TRUE;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CBarsHostFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == CN_UPDATE_COMMAND_UI && pExtra != nullptr && pHandlerInfo == nullptr) {
        auto* cmdUI = static_cast<CCmdUI*>(pExtra);
        if (nID == m_disabledId && nID != 0) {
            cmdUI->Enable(FALSE);
            return TRUE;
        }
        if (nID == m_checkedId && nID != 0) {
            cmdUI->Enable(TRUE);
            cmdUI->SetCheck(1);
            return TRUE;
        }
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CBarsHostFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == UTK_WM_CREATECONTROL) {
        auto* request = reinterpret_cast<CreateControlNotify*>(lParam);
        if (request != nullptr && m_supplyId != 0 && static_cast<UINT>(request->nID) == m_supplyId) {
            m_pSupplied = new CUTKControlButton;
            request->pControl = m_pSupplied;
            request->nID = static_cast<int>(m_supplyNewId);
            *pResult = 1;
            return TRUE;
        }
        *pResult = 0;
        return TRUE;
    }
    if (message == UTK_WM_INITPOPUP || message == UTK_WM_UNINITPOPUP) {
        ++(message == UTK_WM_INITPOPUP ? m_popupsOpening : m_popupsClosed);
        *pResult = 0;
        return TRUE;
    }
    if (message == UTK_WM_CONTROLCREATED) {
        ++m_createdNotices;
        *pResult = 0;
        return TRUE;
    }
    return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CBarsHostFrame::PostNcDestroy()
{
    if (m_bDeleteOnDestroy) {
        delete this;
    }
}
