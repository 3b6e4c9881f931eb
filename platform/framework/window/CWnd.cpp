// CWnd core: handle maps, creation through the framework hook, the window procedure with its
// exception barrier, message-map dispatch, command and notification routing with reflection
// to controls, modal loops, tooltips and descendant walks.
#include "platform/framework/window/CWnd.h"

#include "platform/framework/window/AfxThreadData.h"
#include "platform/framework/window/CCmdUI.h"
#include "platform/framework/window/CDC.h"
#include "platform/framework/window/CFont.h"
#include "platform/framework/window/CHandleMap.h"
#include "platform/framework/window/CMenu.h"
#include "platform/framework/window/CRgn.h"
#include "platform/framework/window/CToolTipCtrl.h"
#include "platform/framework/window/CWinApp.h"

#include <cstdlib>
#include <new>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

CHandleMap<CWnd, HWND>& WndMap()
{
    return AfxGetThreadData()->wndMap;
}

// Update-UI probe used before a menu or accelerator command runs: disabled commands are
// dropped, as the user could not have chosen them.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}

    BOOL m_bEnabled = TRUE;
};

bool IsCtlColor(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

}  // namespace

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd()
{
    // A permanent window still alive when its object goes away is destroyed with it.
    if (m_hWnd != nullptr && WndMap().LookupPermanent(m_hWnd) == this) {
        ::DestroyWindow(m_hWnd);
        if (m_hWnd != nullptr) {
            Detach();
        }
    }
}

HWND CWnd::GetSafeHwnd() const
{
    // Callers pass optional windows as null objects; keep the compiler from assuming a
    // non-null this.
    const CWnd* self = this;
    asm("" : "+r"(self));
    return self == nullptr ? nullptr : self->m_hWnd;
}

// ---- handle maps ---------------------------------------------------------------------------

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return WndMap().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != nullptr ? WndMap().LookupPermanent(hWnd) : nullptr;
}

void CWnd::DeleteTempMap()
{
    WndMap().DeleteTemp();
}

size_t CWnd::GetTempMapCount()
{
    return WndMap().TemporaryCount();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr) {
        return FALSE;
    }
    m_hWnd = hWndNew;
    WndMap().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && WndMap().LookupPermanent(hWnd) == this) {
        WndMap().RemoveHandle(hWnd);
    }
    m_hWnd = nullptr;
    return hWnd;
}

// ---- creation ------------------------------------------------------------------------------

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state->m_pWndInit != nullptr) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        ::GetClassNameW(hWnd, cls, 16);
        // Input-method windows can be created ahead of ours; they are not the window we wait
        // for.
        if (lstrcmpiW(cls, L"IME") != 0 && lstrcmpiW(cls, L"MSCTFIME UI") != 0) {
            CWnd* pWndInit = state->m_pWndInit;
            state->m_pWndInit = nullptr;
            pWndInit->Attach(hWnd);
            pWndInit->PreSubclassWindow();
            auto oldProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
            if (oldProc != AfxWndProc) {
                ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
                pWndInit->m_pfnSuper = oldProc;
            }
        }
    }
    return ::CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_hHookOldCbtFilter == nullptr) {
        state->m_hHookOldCbtFilter =
            ::SetWindowsHookExW(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    }
    state->m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_hHookOldCbtFilter != nullptr) {
        ::UnhookWindowsHookEx(state->m_hHookOldCbtFilter);
        state->m_hHookOldCbtFilter = nullptr;
    }
    if (state->m_pWndInit != nullptr) {
        state->m_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    }
    return TRUE;
}

BOOL CWnd::CreateWithHook(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int cx, int cy, HWND hWndParent,
                          HMENU hMenu, LPVOID lpParam)
{
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                                  hWndParent, hMenu, AfxGetInstanceHandle(), lpParam);
    if (!AfxUnhookWindowCreate()) {
        PostNcDestroy();  // never attached: let the owner clean up as after a destroy
    }
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    return CreateWithHook(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                          cs.cy, cs.hwndParent, cs.hMenu, cs.lpCreateParams);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, CWnd::HwndOf(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    const bool permanent = FromHandlePermanent(m_hWnd) == this;
    HWND hWnd = m_hWnd;
    const BOOL ok = ::DestroyWindow(hWnd);
    // A permanent object was detached by WM_NCDESTROY (and may be gone already).
    if (!permanent) {
        m_hWnd = nullptr;
    }
    return ok;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd)) {
        return FALSE;
    }
    PreSubclassWindow();
    auto oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (oldProc != AfxWndProc) {
        m_pfnSuper = oldProc;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(CWnd::HwndOf(pParent), static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    if (m_pfnSuper != nullptr) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0) {
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    }
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

// ---- the window procedure ------------------------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC) {
        return 1;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr) {
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    const MSG saved = state->m_lastSentMsg;
    state->m_lastSentMsg.hwnd = hWnd;
    state->m_lastSentMsg.message = nMsg;
    state->m_lastSentMsg.wParam = wParam;
    state->m_lastSentMsg.lParam = lParam;
    LRESULT lResult = 0;
    // No exception may cross the system's window-procedure frames.
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        lResult = AfxProcessWndProcException(e, &state->m_lastSentMsg);
        e->Delete();
    } catch (const std::bad_alloc&) {
        CMemoryException memory;
        lResult = AfxProcessWndProcException(&memory, &state->m_lastSentMsg);
    } catch (...) {
        CException unknown(FALSE);
        lResult = AfxProcessWndProcException(&unknown, &state->m_lastSentMsg);
    }
    state->m_lastSentMsg = saved;
    // A WM_NCDESTROY handler that did not pass the message on to CWnd::OnNcDestroy still
    // leaves no object attached to the dead window.
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        pWnd->OnNcDestroyDefault();
    }
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult)) {
        lResult = DefWindowProc(message, wParam, lParam);
    }
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    state->m_lastSentMsg.time = static_cast<DWORD>(::GetMessageTime());
    const DWORD pos = static_cast<DWORD>(::GetMessagePos());
    state->m_lastSentMsg.pt.x = static_cast<short>(LOWORD(pos));
    state->m_lastSentMsg.pt.y = static_cast<short>(HIWORD(pos));
    return &state->m_lastSentMsg;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) {
            return FALSE;
        }
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr ||
            !OnNotify(wParam, lParam, &lResult)) {
            return FALSE;
        }
    } else {
        const bool ctlColor = IsCtlColor(message);
        const AFX_MSGMAP_ENTRY* found = nullptr;
        for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr && found == nullptr;
             map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
            for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
                if ((e->nSig == AfxSig_msg &&
                     (e->nMessage == message || (ctlColor && e->nMessage == WM_CTLCOLOR))) ||
                    (e->nSig == AfxSig_regmsg && e->pnMessage != nullptr &&
                     *e->pnMessage == message && message != 0)) {
                    found = e;
                    break;
                }
            }
        }
        if (found == nullptr) {
            return FALSE;
        }
        AFX_MSGCALL call;
        call.message = message;
        call.wParam = wParam;
        call.lParam = lParam;
        if (!found->pfn(this, call)) {
            return FALSE;
        }
        lResult = call.result;
    }
    if (pResult != nullptr) {
        *pResult = lResult;
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        if (nID == 0) {
            return FALSE;
        }
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled) {
            return TRUE;  // a disabled command is swallowed
        }
        nCode = CN_COMMAND;
    } else {
        if (ReflectLastMsg(hWndCtrl)) {
            return TRUE;
        }
        if (nID == 0) {
            return FALSE;
        }
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    const UINT nID = static_cast<WORD>(::GetDlgCtrlID(hWndCtrl));
    const int nCode = static_cast<int>(pNMHDR->code);
    if (ReflectLastMsg(hWndCtrl, pResult)) {
        return TRUE;
    }
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(nCode, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == nullptr) {
        return FALSE;
    }
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT local = 0;
    if (pResult == nullptr) {
        pResult = &local;
    }
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        const int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND)),
                                 nullptr, nullptr)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        const int nCode = static_cast<int>(pNMHDR->code);
        AFX_NOTIFY notify{pResult, pNMHDR};
        return CCmdTarget::OnCmdMsg(
            0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_NOTIFY)), &notify, nullptr);
    }
    default:
        break;
    }
    if (IsCtlColor(message)) {
        AFX_CTLCOLOR ctl{m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
        return OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl),
                        pResult);
    }
    return FALSE;
}

// ---- pre-translation, descendants, update UI -----------------------------------------------

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    AFX_MODULE_THREAD_STATE* state = AfxGetModuleThreadState();
    if (state->m_pfnFilterToolTipMessage != nullptr) {
        state->m_pfnFilterToolTipMessage(pMsg, this);
    } else {
        FilterToolTipMessage(pMsg);
    }
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
        if (hWnd == hWndStop) {
            break;
        }
    }
    return FALSE;
}

CWnd* CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    if (HWND hChild = ::GetDlgItem(hWnd, nID)) {
        // A grandchild with the same id as its parent wins over the parent.
        if (::GetTopWindow(hChild) != nullptr) {
            if (CWnd* pWnd = GetDescendantWindow(hChild, nID, bOnlyPerm)) {
                return pWnd;
            }
        }
        CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hChild) : FromHandle(hChild);
        if (pWnd != nullptr) {
            return pWnd;
        }
    }
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (CWnd* pWnd = GetDescendantWindow(hChild, nID, bOnlyPerm)) {
            return pWnd;
        }
    }
    return nullptr;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* pWnd = FromHandlePermanent(hChild)) {
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
            }
        } else {
            ::SendMessageW(hChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hChild) && ::GetTopWindow(hChild) != nullptr) {
            SendMessageToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
        }
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hCtl = ::GetTopWindow(m_hWnd); hCtl != nullptr;
         hCtl = ::GetWindow(hCtl, GW_HWNDNEXT)) {
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hCtl));
        state.m_pOther = FromHandle(hCtl);
        // Automatic check boxes, radio buttons and group boxes work without a handler.
        BOOL bDisable = bDisableIfNoHndler;
        if (::SendMessageW(hCtl, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) {
            const LONG style = ::GetWindowLongW(hCtl, GWL_STYLE) & 0x0F;
            if (style == BS_AUTOCHECKBOX || style == BS_AUTO3STATE || style == BS_GROUPBOX ||
                style == BS_AUTORADIOBUTTON) {
                bDisable = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisable);
    }
}

// ---- modal loops ---------------------------------------------------------------------------

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;
    HWND hWndSelf = m_hWnd;

    while (ContinueModal()) {
        while (bIdle && !::PeekMessageW(pMsg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0) {
                ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX,
                               reinterpret_cast<LPARAM>(hWndSelf));
            }
            if ((dwFlags & MLF_NOKICKIDLE) ||
                !::SendMessageW(hWndSelf, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++)) {
                bIdle = FALSE;
            }
            if (!ContinueModal()) {
                break;
            }
        }
        if (!ContinueModal()) {
            break;
        }
        if (!AfxPumpMessage()) {
            // The application is quitting: end the loop and leave WM_QUIT for the outer pump.
            ::PostQuitMessage(static_cast<int>(pMsg->wParam));
            m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
            return -1;
        }
        if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN)) {
            ShowWindow(SW_SHOWNORMAL);
            UpdateWindow();
            bShowIdle = FALSE;
        }
        if (AfxIsIdleMessage(pMsg)) {
            bIdle = TRUE;
            lIdleCount = 0;
        }
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

// ---- relations -----------------------------------------------------------------------------

int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID));
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, CWnd::HwndOf(pWndNewParent)));
}

CWnd* CWnd::GetOwner() const
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner == nullptr && (GetStyle() & WS_CHILD)) {
        hOwner = ::GetParent(m_hWnd);
    }
    return FromHandle(hOwner);
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT,
                        reinterpret_cast<LONG_PTR>(CWnd::HwndOf(pOwnerWnd)));
}

CWnd* CWnd::GetParentOwner() const
{
    HWND hWnd = m_hWnd;
    HWND hParent = hWnd;
    while (hParent != nullptr && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)) {
        hWnd = hParent;
        hParent = ::GetParent(hParent);
    }
    return FromHandle(hParent != nullptr ? hParent : hWnd);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    HWND hWnd = m_hWnd;
    HWND hParent;
    while ((hParent = ::GetParent(hWnd)) != nullptr &&
           (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)) {
        hWnd = hParent;
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    HWND hWnd = m_hWnd;
    HWND hOwner;
    while ((hOwner = ::GetWindow(hWnd, GW_OWNER)) != nullptr || ::GetParent(hWnd) != nullptr) {
        hWnd = hOwner != nullptr ? hOwner : ::GetParent(hWnd);
    }
    return FromHandle(hWnd);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    // Frame windows say so through IsFrameWnd; CFrameWnd derives from CWnd alone, so the
    // object address is the frame's address.
    for (CWnd* pWnd = GetParent(); pWnd != nullptr; pWnd = pWnd->GetParent()) {
        if (pWnd->IsFrameWnd()) {
            return reinterpret_cast<CFrameWnd*>(pWnd);
        }
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    CWnd* pFrame = IsFrameWnd() ? const_cast<CWnd*>(this)
                                : reinterpret_cast<CWnd*>(GetParentFrame());
    while (pFrame != nullptr) {
        CWnd* pNext = reinterpret_cast<CWnd*>(pFrame->GetParentFrame());
        if (pNext == nullptr) {
            break;
        }
        pFrame = pNext;
    }
    return reinterpret_cast<CFrameWnd*>(pFrame);
}

HWND CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop)
{
    HWND hWnd = hParent;
    if (hWnd == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = CWnd::HwndOf(pMain);
    }
    while (hWnd != nullptr && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)) {
        hWnd = ::GetParent(hWnd);
    }
    HWND hWndTop = hWnd;
    if (hParent == nullptr && hWnd != nullptr) {
        hWnd = ::GetLastActivePopup(hWnd);
    }
    if (pWndTop != nullptr) {
        // The top window is disabled while the caller's modal UI runs; the caller enables it
        // again.
        if (hWndTop != nullptr && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        } else {
            *pWndTop = nullptr;
        }
    }
    return hWnd;
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    return FromHandle(GetSafeOwner_(CWnd::HwndOf(pParent), pWndTop));
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE));
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) {
        return FALSE;
    }
    ::SetWindowLongW(hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
    if (nFlags != 0) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_EXSTYLE));
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) {
        return FALSE;
    }
    ::SetWindowLongW(hWnd, GWL_EXSTYLE, static_cast<LONG>(newStyle));
    if (nFlags != 0) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

// ---- text, font, geometry, painting --------------------------------------------------------

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLengthW(m_hWnd);
    LPTSTR buffer = rString.GetBuffer(length + 1);
    ::GetWindowTextW(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (hItem != nullptr) {
        CWnd(hItem).GetWindowText(rString);
    }
    return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL) {
        std::swap(lpRect->left, lpRect->right);
    }
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL) {
        std::swap(lpRect->left, lpRect->right);
    }
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const DWORD style = GetStyle();
    HWND hCenter = CWnd::HwndOf(pAlternateOwner);
    if (hCenter == nullptr) {
        hCenter = (style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    }
    RECT rcDlg;
    GetWindowRect(&rcDlg);
    RECT rcArea;
    RECT rcCenter;
    if (!(style & WS_CHILD)) {
        if (hCenter != nullptr &&
            (!::IsWindowVisible(hCenter) || ::IsIconic(hCenter))) {
            hCenter = nullptr;
        }
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        HMONITOR monitor = ::MonitorFromWindow(hCenter != nullptr ? hCenter : m_hWnd,
                                               MONITOR_DEFAULTTONEAREST);
        ::GetMonitorInfoW(monitor, &mi);
        rcArea = mi.rcWork;
        if (hCenter != nullptr) {
            ::GetWindowRect(hCenter, &rcCenter);
        } else {
            rcCenter = rcArea;
        }
    } else {
        HWND hParent = ::GetParent(m_hWnd);
        ::GetClientRect(hParent, &rcArea);
        ::GetClientRect(hCenter, &rcCenter);
        ::MapWindowPoints(hCenter, hParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
    }
    const int w = rcDlg.right - rcDlg.left;
    const int h = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - w / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - h / 2;
    if (x + w > rcArea.right) {
        x = rcArea.right - w;
    }
    if (x < rcArea.left) {
        x = rcArea.left;
    }
    if (y + h > rcArea.bottom) {
        y = rcArea.bottom - h;
    }
    if (y < rcArea.top) {
        y = rcArea.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hParent = ::GetParent(hWnd);
    RECT current;
    ::GetWindowRect(hWnd, &current);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&current), 2);
    if (::EqualRect(&current, lpRect)) {
        return;
    }
    if (lpLayout != nullptr && lpLayout->hDWP != nullptr) {
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                          lpRect->right - lpRect->left,
                                          lpRect->bottom - lpRect->top,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch;
    layout.hDWP = (nFlag & reposQuery) ? nullptr : ::BeginDeferWindowPos(8);
    if (lpRectClient != nullptr) {
        layout.rect = *lpRectClient;
    } else {
        GetClientRect(&layout.rect);
    }
    HWND hLeftOver = nullptr;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const UINT nID = static_cast<WORD>(::GetDlgCtrlID(hChild));
        if (nID == nIDLeftOver) {
            hLeftOver = hChild;
        } else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(hChild) != nullptr) {
            ::SendMessageW(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
        }
    }
    if (nFlag & reposQuery) {
        if (lpRectParam != nullptr) {
            if (bStretch) {
                *lpRectParam = layout.rect;
            } else {
                lpRectParam->left = lpRectParam->top = 0;
                lpRectParam->right = layout.sizeTotal.cx;
                lpRectParam->bottom = layout.sizeTotal.cy;
            }
        }
        return;
    }
    if (nIDLeftOver != 0 && hLeftOver != nullptr && !(nFlag & reposNoPosLeftOver)) {
        if ((nFlag & reposExtra) && lpRectParam != nullptr) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (CWnd* pLeftOver = FromHandle(hLeftOver)) {
            pLeftOver->CalcWindowRect(&layout.rect);
        }
        AfxRepositionWindow(&layout, hLeftOver, &layout.rect);
    }
    if (layout.hDWP != nullptr) {
        ::EndDeferWindowPos(layout.hDWP);
    }
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, static_cast<HRGN>(pRgn->GetSafeHandle()), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate,
                          static_cast<HRGN>(prgnUpdate->GetSafeHandle()), flags);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(
        ::GetDCEx(m_hWnd, static_cast<HRGN>(prgnClip->GetSafeHandle()), flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

void CWnd::Print(CDC* pDC, DWORD dwFlags) const
{
    SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                static_cast<LPARAM>(dwFlags));
}

void CWnd::PrintClient(CDC* pDC, DWORD dwFlags) const
{
    SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                static_cast<LPARAM>(dwFlags));
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID) {
        if (IsDlgButtonChecked(nID)) {
            return nID;
        }
    }
    return 0;
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == nullptr) {
        lpszCaption = AfxGetAppName();
    }
    return ::MessageBoxW(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelpInternal(dwData, nCmd);
    }
}

// ---- tooltips ------------------------------------------------------------------------------

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    const BOOL old = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable) {
        m_nFlags |= WF_TOOLTIPS;
    } else {
        m_nFlags &= ~WF_TOOLTIPS;
        CancelToolTips();
    }
    return old;
}

BOOL CWnd::EnableTrackingToolTips(BOOL bEnable)
{
    const BOOL old = (m_nFlags & WF_TRACKINGTOOLTIPS) != 0;
    if (bEnable) {
        m_nFlags |= WF_TRACKINGTOOLTIPS;
    } else {
        m_nFlags &= ~WF_TRACKINGTOOLTIPS;
    }
    return old;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // Default: the child control under the point, identified by its window handle.
    HWND hWndChild =
        ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == nullptr || hWndChild == m_hWnd) {
        return -1;
    }
    const INT_PTR nHit = static_cast<WORD>(::GetDlgCtrlID(hWndChild));
    if (pTI != nullptr && pTI->cbSize >= TTTOOLINFOW_V1_SIZE) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKW;
        pTI->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
    }
    return nHit;
}

void CWnd::CancelToolTips(BOOL bKeys)
{
    AFX_MODULE_THREAD_STATE* state = AfxGetModuleThreadState();
    if (state->m_pToolTip != nullptr && state->m_pToolTip->m_hWnd != nullptr) {
        state->m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    }
    if (bKeys && ::GetCapture() != nullptr) {
        ::SendMessageW(::GetCapture(), WM_CANCELMODE, 0, 0);
    }
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    const bool mouse = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE ||
                       message == WM_LBUTTONUP || message == WM_RBUTTONUP ||
                       message == WM_MBUTTONUP || message == WM_MOUSELEAVE;
    if (!mouse || !(m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS))) {
        return;
    }
    // Tips only while the user is not dragging.
    if (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 ||
        ::GetKeyState(VK_MBUTTON) < 0) {
        return;
    }
    AFX_MODULE_THREAD_STATE* state = AfxGetModuleThreadState();
    CWnd* pOwner = GetParentOwner();
    // A tooltip of another top-level window (or one destroyed with its owner) is replaced.
    if (state->m_pToolTip != nullptr && (state->m_pToolTip->m_hWnd == nullptr ||
                                         state->m_pToolTip->GetOwner() != pOwner)) {
        if (state->m_pToolTip->m_hWnd != nullptr) {
            state->m_pToolTip->DestroyWindow();
        }
        delete state->m_pToolTip;
        delete state->m_pLastInfo;
        state->m_pLastInfo = nullptr;
        state->m_pToolTip = nullptr;
        state->m_pLastHit = nullptr;
        state->m_nLastHit = -1;
    }
    if (state->m_pToolTip == nullptr) {
        state->m_pToolTip = new CToolTipCtrl;
        if (!state->m_pToolTip->Create(pOwner, TTS_ALWAYSTIP)) {
            delete state->m_pToolTip;
            state->m_pToolTip = nullptr;
            return;
        }
        state->m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    }
    CToolTipCtrl* pToolTip = state->m_pToolTip;

    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    TOOLINFO ti{};
    ti.cbSize = sizeof(TTTOOLINFOW);
    const INT_PTR nHit = message == WM_MOUSELEAVE ? -1 : OnToolHitTest(CPoint(pt), &ti);
    const bool changed = state->m_nLastHit != nHit || state->m_pLastHit != this;
    if (changed) {
        if (state->m_pLastInfo != nullptr) {
            pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(state->m_pLastInfo));
        }
        if (nHit != -1) {
            if (state->m_pLastInfo == nullptr) {
                state->m_pLastInfo = new TOOLINFO{};
            }
            ti.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
            pToolTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
            *state->m_pLastInfo = ti;
            state->m_pLastInfo->lpszText = nullptr;
            pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
        } else {
            pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
            delete state->m_pLastInfo;
            state->m_pLastInfo = nullptr;
        }
        state->m_pLastHit = this;
        state->m_nLastHit = nHit;
    }
    // A text the hit test allocated has been copied by the tooltip window.
    if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACKW) {
        std::free(ti.lpszText);
    }
    if (nHit != -1) {
        MSG relay = *pMsg;
        pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
}

// ---- framework handlers --------------------------------------------------------------------

LRESULT CWnd::OnNcDestroyDefault()
{
    const LRESULT result = Default();
    AFX_MODULE_THREAD_STATE* state = AfxGetModuleThreadState();
    if (state->m_pLastHit == this) {
        state->m_pLastHit = nullptr;
        state->m_nLastHit = -1;
    }
    if (m_nFlags & WF_CONTINUEMODAL) {
        EndModalLoop(IDCANCEL);  // the modal window went away under its loop
    }
    // Give the window back its original procedure before the object lets go of it.
    if (m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == AfxWndProc) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
    return result;
}

void CWnd::OnNcDestroy()
{
    OnNcDestroyDefault();
}

LRESULT CWnd::OnDisplayTooltipText(WPARAM, LPARAM)
{
    return Default();
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_DELETEITEM()
    ON_WM_COMPAREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()
