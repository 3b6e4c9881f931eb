// The toolkit's own tooltip window: tools, timing, placement, the mouse hook, measuring and
// drawing.
#include "toolkit/common/CUTKToolTipContextToolTip.h"

#include <cwchar>

#include "platform/base/CSelectGuard.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/MultiMonitorApi.h"
#include "toolkit/common/OSVersionInfo.h"
#include "toolkit/common/TooltipImageSeam.h"
#include "toolkit/common/TooltipLayout.h"
#include "toolkit/common/TooltipThemeSeam.h"
#include "toolkit/common/UTKDrawFunctions.h"

namespace {

// One WH_MOUSE hook per thread's tips, owned by the window that shows a tip.
HHOOK g_hMouseHook = nullptr;
CUTKToolTipContextToolTip* g_pHookOwner = nullptr;

// The dispinfo buffer's size in characters.
constexpr size_t kDispInfoChars = sizeof(NMTTDISPINFOW{}.szText) / sizeof(wchar_t);

bool IsRightToLeft(HWND window)
{
    return window != nullptr && (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

CString TextOfRecord(const TTTOOLINFOW* info, BOOL* callback)
{
    *callback = FALSE;
    CString text;
    if (info->lpszText == LPSTR_TEXTCALLBACKW) {
        *callback = TRUE;
    } else if (info->lpszText != nullptr && IS_INTRESOURCE(info->lpszText)) {
        // A string-table id in the tool's module.
        CUTKResourceManager::LoadStringFromBlock(
            info->hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info->lpszText)), text);
    } else if (info->lpszText != nullptr) {
        text = info->lpszText;
    }
    return text;
}

}  // namespace

BOOL CUTKToolTipContextToolTip::IsSameToolInfo(const TOOLITEM* a, const TOOLITEM* b) noexcept
{
    const bool aNone = a == nullptr || a->hWnd == nullptr;
    const bool bNone = b == nullptr || b->hWnd == nullptr;
    if (aNone || bNone) {
        return aNone && bNone;
    }
    return a->hWnd == b->hWnd && a->uId == b->uId;
}

CUTKToolTipContextToolTip::CUTKToolTipContextToolTip(CUTKToolTipContext* context)
    : m_pContext(context)
{
}

CUTKToolTipContextToolTip::~CUTKToolTipContextToolTip()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    RemoveMouseHook();
}

void CUTKToolTipContextToolTip::CreateToolTipWindow(CWnd* owner, DWORD style)
{
    UINT classStyle = CS_SAVEBITS | CS_OWNDC;
    if (!(style & UTK_TTS_NOSHADOW) && GetOSVersionInfo()->IsWinXPOrGreater()) {
        classStyle |= CS_DROPSHADOW;
    }
    LPCTSTR className =
        AfxRegisterWndClass(classStyle, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    if (className == nullptr) {
        return;
    }
    if (CreateEx(WS_EX_TOOLWINDOW, className, nullptr, style | WS_POPUP, CW_USEDEFAULT,
                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CWnd::HwndOf(owner), nullptr)) {
        SetOwner(owner);
    }
}

int CUTKToolTipContextToolTip::GetMaxTipWidth() const
{
    const int width = m_pContext->GetMaxTipWidth();
    return width == -1 ? ::GetSystemMetrics(SM_CXSCREEN) : width;
}

DWORD CUTKToolTipContextToolTip::GetTickCountNow() const
{
    return ::GetTickCount();
}

BOOL CUTKToolTipContextToolTip::OwnsMouseHook() const noexcept
{
    return g_hMouseHook != nullptr && g_pHookOwner == this;
}

CString CUTKToolTipContextToolTip::GetToolText(TOOLITEM* item)
{
    if (item->bTextCallback) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = m_hWnd;
        info.hdr.idFrom = item->uId;
        info.hdr.code = TTN_GETDISPINFOW;
        info.lpszText = info.szText;
        info.uFlags = item->uFlags;
        ::SendMessageW(item->hWnd, WM_NOTIFY, item->uId, reinterpret_cast<LPARAM>(&info));
        CString text;
        if (info.lpszText == info.szText) {
            // The answer in our own buffer counts only within it, terminated or not.
            text = CString(info.szText, static_cast<int>(wcsnlen(info.szText, kDispInfoChars)));
        } else if (reinterpret_cast<UINT_PTR>(info.lpszText) > 0xFFFF) {
            text = info.lpszText;
        } else {
            CUTKResourceManager::LoadStringFromBlock(
                info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), text);
        }
        if (!(m_pContext->GetToolTipStyle() & TTS_NOPREFIX)) {
            StripMnemonics(text);
        }
        item->strText = text;
        item->bTextCallback = FALSE;
    }
    return item->strText;
}

SIZE CUTKToolTipContextToolTip::GetImageSize() const
{
    return TooltipImageSeam::GetImageSize(m_pImage);
}

SIZE CUTKToolTipContextToolTip::CalcToolTipSize(TOOLITEM* tool)
{
    return CalcPlainSize(tool);
}

SIZE CUTKToolTipContextToolTip::CalcPlainSize(TOOLITEM* tool)
{
    const CString text = GetToolText(tool);
    if (text.IsEmpty()) {
        return SIZE{0, 0};
    }
    CClientDC dc(this);
    CSelectGuard font(dc.m_hDC, m_pContext->GetFont()->m_hObject);
    SIZE title{0, 0};
    const bool hasTitle = !m_strTitle.IsEmpty();
    if (hasTitle) {
        CSelectGuard titleFont(dc.m_hDC, m_pContext->GetTitleFont()->m_hObject);
        CRect extent(0, 0, 0, 0);
        dc.DrawText(m_strTitle, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
        title = SIZE{extent.Width(), extent.Height()};
    }
    return TooltipLayout::CalcSize(
        GetMaxTipWidth(), m_pContext->GetMargin(), hasTitle ? &title : nullptr, GetImageSize(),
        [&](int limit) {
            CRect extent(0, 0, limit, 0);
            dc.DrawText(text, &extent, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
            return SIZE{extent.Width(), extent.Height()};
        });
}

void CUTKToolTipContextToolTip::DrawContent(CDC* dc, TOOLITEM* tool, CRect rect)
{
    DrawPlainContent(dc, tool, rect);
}

void CUTKToolTipContextToolTip::DrawPlainContent(CDC* dc, TOOLITEM* tool, CRect rect)
{
    const bool rtl = IsRightToLeft(tool->hWnd);
    UINT format = DT_NOPREFIX | DT_EXPANDTABS;
    if (rtl) {
        format |= DT_RIGHT | DT_RTLREADING;
    }
    const bool hasTitle = !m_strTitle.IsEmpty();
    int titleHeight = 0;
    if (hasTitle) {
        CSelectGuard titleFont(dc->m_hDC, m_pContext->GetTitleFont()->m_hObject);
        CRect extent(0, 0, 0, 0);
        dc->DrawText(m_strTitle, &extent,
                     DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
        titleHeight = extent.Height();
    }
    const SIZE image = GetImageSize();
    TooltipLayout::Content c =
        TooltipLayout::LayoutContent(rect, m_pContext->GetMargin(), hasTitle, titleHeight, image);
    if (rtl) {
        // Mirror every part about the client rectangle's middle.
        const LONG sum = rect.left + rect.right;
        auto mirrorRect = [sum](RECT& r) {
            const LONG left = sum - r.right;
            r.right = sum - r.left;
            r.left = left;
        };
        mirrorRect(c.title);
        mirrorRect(c.text);
        c.smallImage.x = sum - c.smallImage.x - image.cx;
        c.largeImage.x = sum - c.largeImage.x - image.cx;
    }
    const bool hasImage = m_pImage != nullptr && image.cx > 0 && image.cy > 0;
    if (hasImage && image.cy <= TooltipLayout::kSmallImageHeight) {
        TooltipImageSeam::DrawImage(dc, m_pImage, c.smallImage);
    }
    if (hasTitle) {
        CSelectGuard titleFont(dc->m_hDC, m_pContext->GetTitleFont()->m_hObject);
        dc->DrawText(m_strTitle, &c.title, format | DT_SINGLELINE);
    }
    if (hasImage && image.cy > TooltipLayout::kSmallImageHeight) {
        TooltipImageSeam::DrawImage(dc, m_pImage, c.largeImage);
    }
    dc->DrawText(tool->strText, &c.text, format | DT_WORDBREAK);
}

void CUTKToolTipContextToolTip::DrawBackground(CDC* dc, TOOLITEM* /*tool*/, CRect rect)
{
    const DWORD style = m_pContext->GetToolTipStyle();
    if (style & UTK_TTS_OFFICE2007) {
        const COLORREF light =
            TooltipThemeSeam::GetWindowColor(L"TooltipLight", RGB(255, 255, 255));
        const COLORREF dark = TooltipThemeSeam::GetWindowColor(L"TooltipDark", RGB(201, 217, 239));
        GetDrawHelpers()->GradientFill(dc, &rect, light, dark, FALSE);
        if (TooltipThemeSeam::DrawTooltipFrame(dc, rect)) {
            return;
        }
        const COLORREF border =
            TooltipThemeSeam::GetWindowColor(L"TooltipBorder", RGB(118, 118, 118));
        dc->Draw3dRect(&rect, border, border);
        return;
    }
    dc->FillSolidRect(&rect, m_pContext->GetTipBkColor());
    const COLORREF topLeft =
        (style & UTK_TTS_FRAMED) ? GetColorManager()->GetColor(COLOR_BTNFACE) : RGB(0, 0, 0);
    dc->Draw3dRect(&rect, topLeft, RGB(0, 0, 0));
}

void CUTKToolTipContextToolTip::OnVisibilityChanged(BOOL /*shown*/) {}

HWND CUTKToolTipContextToolTip::WindowFromPointRule(POINT point)
{
    HWND window = ::WindowFromPoint(point);
    if (window != nullptr && (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) &&
        ::SendMessageW(window, UTK_WM_TOOLTIPUSEPARENT, 0, 0) == 1) {
        return ::GetParent(window);
    }
    return window;
}

CUTKToolTipContextToolTip::TOOLITEM* CUTKToolTipContextToolTip::ToolFromCursor()
{
    if (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 ||
        ::GetKeyState(VK_MBUTTON) < 0) {
        return nullptr;
    }
    POINT cursor;
    if (!::GetCursorPos(&cursor)) {
        return nullptr;
    }
    for (const auto& item : m_arrTools) {
        if (!::IsWindow(item->hWnd)) {
            continue;
        }
        RECT area = item->rect;
        const bool isWindow = (item->uFlags & TTF_IDISHWND) != 0;
        if (isWindow) {
            ::GetWindowRect(reinterpret_cast<HWND>(item->uId), &area);
        } else {
            ::MapWindowPoints(item->hWnd, nullptr, reinterpret_cast<POINT*>(&area), 2);
        }
        if (!::PtInRect(&area, cursor)) {
            continue;
        }
        if (isWindow || WindowFromPointRule(cursor) == item->hWnd) {
            return item.get();
        }
    }
    return nullptr;
}

CUTKToolTipContextToolTip::TOOLITEM* CUTKToolTipContextToolTip::FindTool(const TTTOOLINFOW* info)
{
    for (const auto& item : m_arrTools) {
        if (item->hWnd == info->hwnd && item->uId == info->uId) {
            return item.get();
        }
    }
    return nullptr;
}

void CUTKToolTipContextToolTip::KillDelayTimer()
{
    if (m_nDelayTimer != 0) {
        if (m_hWnd != nullptr) {
            KillTimer(m_nDelayTimer);
        }
        m_nDelayTimer = 0;
    }
}

void CUTKToolTipContextToolTip::Relay(const MSG* msg)
{
    if (!m_bActive || msg == nullptr) {
        return;
    }
    const UINT message = msg->message;
    const bool client = message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL;
    const bool nonClient = message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK;
    if (!client && !nonClient) {
        return;
    }
    TOOLITEM* q = ToolFromCursor();
    if (message == WM_LBUTTONDOWN) {
        if (q != nullptr) {
            m_clickedTool = *q;
            q = nullptr;
        }
    } else if (q != nullptr && IsSameToolInfo(q, &m_clickedTool)) {
        q = nullptr;
    }
    if (m_nDelayTimer != 0 && !IsSameToolInfo(q, &m_pendingTool)) {
        KillDelayTimer();
        m_pendingTool = TOOLITEM();
    }
    if (q != nullptr) {
        if (IsSameToolInfo(q, &m_currentTool)) {
            return;
        }
        const DWORD elapsed = GetTickCountNow() - m_dwLastChange;
        if (!m_bChanged || elapsed >= static_cast<DWORD>(m_nReshowDelay)) {
            if (IsSameToolInfo(q, &m_pendingTool)) {
                return;
            }
            m_pendingTool = *q;
            m_nDelayTimer = SetTimer(kDelayTimer, static_cast<UINT>(m_nInitialDelay));
            return;
        }
    }
    ShowTool(q);
}

void CUTKToolTipContextToolTip::ShowTool(TOOLITEM* tool, bool keepPending)
{
    if (tool != nullptr && tool->IsEmpty()) {
        tool = nullptr;
    }
    if (tool == nullptr ? m_currentTool.IsEmpty() : IsSameToolInfo(tool, &m_currentTool)) {
        return;
    }
    SIZE size{0, 0};
    if (tool != nullptr) {
        size = CalcToolTipSize(tool);
        if (size.cx == 0 && size.cy == 0) {
            tool = nullptr;
        }
    }
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER |
                     SWP_NOOWNERZORDER);
    if (m_bRegionSet) {
        SetWindowRgn(nullptr, FALSE);
        m_bRegionSet = FALSE;
    }
    if (tool != nullptr) {
        POINT cursor{0, 0};
        ::GetCursorPos(&cursor);
        POINT excludeCorner{tool->rect.left, tool->rcExclude.bottom};
        const bool hasExclude = !::IsRectEmpty(&tool->rcExclude);
        if (hasExclude) {
            ::ClientToScreen(tool->hWnd, &excludeCorner);
        }
        RECT workArea{};
        GetMultiMonitorApi()->GetWorkAreaFromCursor(&workArea);
        const RECT r = TooltipLayout::Place(size, cursor, TooltipLayout::CurrentCursorHeight(),
                                            IsRightToLeft(tool->hWnd),
                                            hasExclude ? &excludeCorner : nullptr, workArea);
        SetWindowPos(&CWnd::wndTop, r.left, r.top, size.cx, size.cy,
                     SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        NMHDR show{m_hWnd, tool->uId, static_cast<UINT>(TTN_SHOW)};
        ::SendMessageW(tool->hWnd, WM_NOTIFY, tool->uId, reinterpret_cast<LPARAM>(&show));
        if (m_pContext->GetToolTipStyle() & UTK_TTS_OFFICE2007) {
            // The four corner pixels are cut.
            HRGN region = ::CreateRectRgn(1, 0, size.cx - 1, 1);
            HRGN middle = ::CreateRectRgn(0, 1, size.cx, size.cy - 1);
            HRGN bottom = ::CreateRectRgn(1, size.cy - 1, size.cx - 1, size.cy);
            ::CombineRgn(region, region, middle, RGN_OR);
            ::CombineRgn(region, region, bottom, RGN_OR);
            ::DeleteObject(middle);
            ::DeleteObject(bottom);
            // The window owns the region from here on.
            if (SetWindowRgn(region, FALSE) != 0) {
                m_bRegionSet = TRUE;
            } else {
                ::DeleteObject(region);
            }
        }
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        Invalidate(FALSE);
        InstallMouseHook();
        m_clickedTool = TOOLITEM();
        m_currentTool = *tool;
    } else {
        RemoveMouseHook();
        if (!keepPending) {
            m_pendingTool = TOOLITEM();
        }
        m_currentTool = TOOLITEM();
    }
    m_dwLastChange = GetTickCountNow();
    m_bChanged = TRUE;
    OnVisibilityChanged(tool != nullptr);
}

void CUTKToolTipContextToolTip::InstallMouseHook()
{
    if (g_hMouseHook != nullptr) {
        return;
    }
    g_hMouseHook = ::SetWindowsHookExW(WH_MOUSE, &MouseHookProc, nullptr, ::GetCurrentThreadId());
    if (g_hMouseHook != nullptr) {
        g_pHookOwner = this;
    }
}

void CUTKToolTipContextToolTip::RemoveMouseHook()
{
    if (g_hMouseHook == nullptr || g_pHookOwner != this) {
        return;
    }
    ::UnhookWindowsHookEx(g_hMouseHook);
    g_hMouseHook = nullptr;
    g_pHookOwner = nullptr;
}

LRESULT CALLBACK CUTKToolTipContextToolTip::MouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // The relay below may hide the tip and remove this hook: keep the handle for the chain.
    HHOOK hook = g_hMouseHook;
    CUTKToolTipContextToolTip* owner = g_pHookOwner;
    if (code == HC_ACTION && owner != nullptr && !owner->m_currentTool.IsEmpty()) {
        const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (WindowFromPointRule(info->pt) != owner->m_currentTool.hWnd) {
            MSG msg{};
            msg.hwnd = info->hwnd;
            msg.message = WM_MOUSEMOVE;
            msg.pt = info->pt;
            msg.lParam = MAKELPARAM(info->pt.x, info->pt.y);
            // Nothing may unwind through the system's hook call.
            try {
                owner->Relay(&msg);
            } catch (CException* e) {
                e->Delete();
                ::OutputDebugStringA(__FILE__ ": the mouse hook's relay failed\n");
            } catch (...) {
                ::OutputDebugStringA(__FILE__ ": the mouse hook's relay failed\n");
            }
        }
    }
    return ::CallNextHookEx(hook, code, wParam, lParam);
}

void CUTKToolTipContextToolTip::Cleanup()
{
    m_currentTool = TOOLITEM();
    m_clickedTool = TOOLITEM();
    m_pendingTool = TOOLITEM();
    m_arrTools.clear();
    m_strTitle.Empty();
    m_pImage = nullptr;
    m_bActive = FALSE;
    KillDelayTimer();
    RemoveMouseHook();
}

void CUTKToolTipContextToolTip::OnPaintTip()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    DrawBackground(&dc, &m_currentTool, rect);
    dc.SetTextColor(m_pContext->GetTipTextColor());
    dc.SetBkMode(TRANSPARENT);
    CSelectGuard font(dc.m_hDC, m_pContext->GetFont()->m_hObject);
    DrawContent(&dc, &m_currentTool, rect);
}

LRESULT CUTKToolTipContextToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TTM_ADDTOOLW: {
        const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
        if (info == nullptr || info->cbSize < TTTOOLINFOW_V1_SIZE) {
            return FALSE;
        }
        auto item = std::make_unique<TOOLITEM>();
        item->hWnd = info->hwnd;
        item->uFlags = info->uFlags;
        item->uId = info->uId;
        item->rect = info->rect;
        item->hInst = info->hinst;
        item->strText = TextOfRecord(info, &item->bTextCallback);
        if (info->cbSize == TTTOOLINFOW_V2_SIZE && info->lParam != 0) {
            item->rcExclude =
                reinterpret_cast<const UTK_TOOLTIP_EXTRAINFO*>(info->lParam)->rcExclude;
        }
        m_arrTools.push_back(std::move(item));
        return TRUE;
    }
    case TTM_DELTOOLW: {
        const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
        if (info == nullptr) {
            return 0;
        }
        for (auto it = m_arrTools.begin(); it != m_arrTools.end(); ++it) {
            TOOLITEM* item = it->get();
            if (item->hWnd != info->hwnd || item->uId != info->uId) {
                continue;
            }
            if (IsSameToolInfo(item, &m_currentTool)) {
                // The context deletes the old tool after relaying the move onto the next one:
                // that one keeps waiting for its delay.
                Hide(true);
            }
            if (IsSameToolInfo(item, &m_clickedTool)) {
                m_clickedTool = TOOLITEM();
            }
            if (IsSameToolInfo(item, &m_pendingTool)) {
                KillDelayTimer();
                m_pendingTool = TOOLITEM();
            }
            m_arrTools.erase(it);
            break;
        }
        return 0;
    }
    case TTM_UPDATETIPTEXTW: {
        const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
        if (info == nullptr) {
            return 0;
        }
        if (TOOLITEM* item = FindTool(info)) {
            item->strText = TextOfRecord(info, &item->bTextCallback);
        }
        return 0;
    }
    case TTM_ACTIVATE:
        m_bActive = wParam != 0;
        if (!m_bActive) {
            KillDelayTimer();
            m_pendingTool = TOOLITEM();
            if (!m_currentTool.IsEmpty()) {
                Hide();
            }
        }
        return 0;
    case TTM_RELAYEVENT:
        Relay(reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_SETTITLEW:
        m_strTitle = lParam != 0 ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        return 0;
    case TTM_SETDELAYTIME:
        if (wParam == TTDT_RESHOW) {
            m_nReshowDelay = LOWORD(lParam);
        } else if (wParam == TTDT_INITIAL) {
            m_nInitialDelay = LOWORD(lParam);
        }
        return 0;
    case TTM_WINDOWFROMPOINT:
        if (lParam == 0) {
            return 0;
        }
        return reinterpret_cast<LRESULT>(
            WindowFromPointRule(*reinterpret_cast<const POINT*>(lParam)));
    case UTK_TTM_SETIMAGE:
        m_pImage = reinterpret_cast<CUTKImageManagerIcon*>(lParam);
        return 0;
    case WM_PAINT:
        OnPaintTip();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        Hide();
        return 0;
    case WM_TIMER:
        if (wParam == kDelayTimer && m_nDelayTimer != 0) {
            TOOLITEM* q = ToolFromCursor();
            if (!m_pendingTool.IsEmpty() && q != nullptr && IsSameToolInfo(q, &m_pendingTool)) {
                ShowTool(q);
            }
            KillDelayTimer();
            m_pendingTool = TOOLITEM();
        }
        break;
    case WM_DESTROY:
        Cleanup();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
