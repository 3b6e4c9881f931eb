// The host frame built the way the player builds its main frame.
#include "tests/toolkit/commandbars/BarsFrameHost.h"

#include "platform/framework/frame/AfxFrameDefs.h"
#include "toolkit/commandbars/CUTKDialogBar.h"

#include <cstdio>

CBarsManagedFrame::CBarsManagedFrame() = default;
CBarsManagedFrame::~CBarsManagedFrame() = default;

void CBarsManagedFrame::FixInPlace(CUTKCommandBar* pBar)
{
    if (pBar == nullptr) {
        return;
    }
    pBar->SetStyleBit22(FALSE);
    pBar->ModifyFlags(utkFlagStretched, utkFlagAlignAny | utkFlagFloating);
    if (auto* pToolBar = DYNAMIC_DOWNCAST(CUTKToolBar, pBar)) {
        pToolBar->SetShowExpandButton(FALSE);
    }
    pBar->SetCloseable(FALSE);
}

BOOL CBarsManagedFrame::CreateHost(const RECT& rc, const Options& options)
{
    if (!Create(nullptr, L"Command bars host",
                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rc, nullptr,
                MAKEINTRESOURCEW(options.menuId))) {
        return FALSE;
    }
    m_hMenuDefault = ::GetMenu(m_hWnd);
    if (options.frameAccelerators) {
        m_hAccelTable = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));
    }
    if (!m_view.CreateEx(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE,
                         CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST)) {
        return FALSE;
    }
    if (!InitCommandBars()) {
        return FALSE;
    }
    m_pMenuBar = m_pCommandBars->SetMenu(L"Menu Bar", options.menuId);
    if (m_pMenuBar == nullptr) {
        return FALSE;
    }
    FixInPlace(m_pMenuBar);
    m_pToolBar = m_pCommandBars->Add(L"Standard", utkBarTop);
    if (m_pToolBar == nullptr || !m_pToolBar->LoadToolBar(128)) {
        return FALSE;
    }
    FixInPlace(m_pToolBar);
    if (options.secondToolBar) {
        m_pSecondBar = m_pCommandBars->Add(L"Second", utkBarTop);
        if (m_pSecondBar == nullptr || !m_pSecondBar->LoadToolBar(130)) {
            return FALSE;
        }
        m_pSecondBar->SetBarID(300);
    }
    if (options.dialogBar && !CreateDialogBar()) {
        return FALSE;
    }
    RecalcLayout();
    Idle();
    return TRUE;
}

BOOL CBarsManagedFrame::CreateDialogBar()
{
    auto* pBar = DYNAMIC_DOWNCAST(
        CUTKDialogBar, m_pCommandBars->Add(L"", utkBarBottom, RUNTIME_CLASS(CUTKDialogBar)));
    if (pBar == nullptr) {
        return FALSE;
    }
    m_pDialogBar = pBar;
    // As the player's control panel bar: no caption, gripper, sizing or close button.
    pBar->SetBarID(200);
    pBar->SetStyleBit22(FALSE);
    pBar->SetCloseable(FALSE);
    pBar->SetShowExpandButton(FALSE);
    pBar->SetCaptionVisible(FALSE);
    pBar->SetResizable(FALSE);
    pBar->SetFlags(66);
    pBar->ModifyStyle(0, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    if (!m_panel.Create(130, pBar)) {
        return FALSE;
    }
    CRect rc;
    m_panel.GetWindowRect(&rc);
    pBar->SetSize(rc.Width(), rc.Height());
    m_panel.ShowWindow(SW_SHOW);
    pBar->SetChild(&m_panel);
    return TRUE;
}

void CBarsManagedFrame::Idle()
{
    if (m_hWnd != nullptr) {
        SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        if (m_nIdleFlags & idleLayout) {
            RecalcLayout();
        }
    }
}

BOOL CBarsManagedFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) <= 1 && lParam == 0) {
        const UINT id = LOWORD(wParam);
        m_commands.push_back(id);
        if (m_bPrintCommands) {
            std::printf("command %u\n", id);
            std::fflush(stdout);
        }
        return TRUE;
    }
    return CUTKFrameWnd::OnCommand(wParam, lParam);
}

BOOL CBarsManagedFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SYSCOMMAND) {
        m_sysCommands.emplace_back(wParam, lParam);
    } else if (message == WM_SYSKEYDOWN && wParam == VK_MENU) {
        ++m_sysKeysDown;
    }
    return CUTKFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CBarsManagedFrame::PostNcDestroy()
{
    if (m_bDeleteOnDestroy) {
        delete this;
    }
}
