// The tooltip context: settings, the lazily made tooltip window, and the filter that registers
// the tool under the mouse with it.
#include "toolkit/common/CUTKToolTipContext.h"

#include <cstddef>
#include <cstdlib>
#include <cwchar>

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKModuleHandle.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/CUTKToolTipContextKinds.h"
#include "toolkit/common/CUTKToolTipContextToolTip.h"
#include "toolkit/common/TooltipImageSeam.h"
#include "toolkit/common/UTKDrawFunctions.h"

namespace {

// The module filter serves the context installed last.
CUTKToolTipContext* g_pActiveContext = nullptr;

// The form of NONCLIENTMETRICS without the padded border width.
constexpr UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

LPWSTR HeapCopy(LPCWSTR text)
{
    const size_t length = std::wcslen(text);
    auto* copy = static_cast<LPWSTR>(std::malloc((length + 1) * sizeof(wchar_t)));
    if (copy != nullptr) {
        std::wmemcpy(copy, text, length + 1);
    }
    return copy;
}

// A text pointer the filter may read and free: not a callback marker nor a resource id.
bool IsOwnText(LPCWSTR text)
{
    return text != nullptr && text != LPSTR_TEXTCALLBACKW && !IS_INTRESOURCE(text);
}

UTK_TOOLTIP_EXTRAINFO* ExtraOf(const TOOLINFO* record)
{
    if (record->cbSize != TTTOOLINFOW_V2_SIZE) {
        return nullptr;
    }
    return reinterpret_cast<UTK_TOOLTIP_EXTRAINFO*>(record->lParam);
}

// The top-level window a host sits in (the parent chain's last window that is not a child).
HWND ParentOwnerOf(HWND window)
{
    while (window != nullptr && (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) {
        HWND parent = ::GetParent(window);
        if (parent == nullptr) {
            break;
        }
        window = parent;
    }
    return window;
}

bool IsClientButtonOrKey(UINT message)
{
    switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return true;
    default:
        return message >= WM_KEYFIRST && message <= WM_KEYFIRST + 8;
    }
}

}  // namespace

CUTKToolTipContext::CUTKToolTipContext()
    : m_dwComCtlVersion(::GetComCtlVersion()), m_nMaxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = kNonClientMetricsSize;
    LOGFONTW font{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
        font = metrics.lfStatusFont;
    }
    font.lfCharSet = GetResourceManager()->GetFontCharset();
    font.lfWeight = FW_NORMAL;
    m_fntTip.CreateFontIndirect(&font);
    font.lfWeight = FW_BOLD;
    m_fntTitle.CreateFontIndirect(&font);
}

CUTKToolTipContext::~CUTKToolTipContext()
{
    DestroyToolTip();
    if (g_pActiveContext == this) {
        g_pActiveContext = nullptr;
    }
    m_fntTip.DeleteObject();
    m_fntTitle.DeleteObject();
}

void CUTKToolTipContext::DestroyToolTip()
{
    // The next window knows no tool: the tool under the mouse must be registered again.
    m_lastInfo = TTTOOLINFOW{};
    if (m_pToolTip != nullptr) {
        if (m_pToolTip->m_hWnd != nullptr) {
            m_pToolTip->DestroyWindow();
        }
        delete m_pToolTip;
        m_pToolTip = nullptr;
    }
}

CWnd* CUTKToolTipContext::CreateToolTip(CWnd* /*owner*/)
{
    switch (m_nKind) {
    case kindFramed:
    case kindOffice2007:
        return new CUTKToolTipContextToolTip(this);
    case kindRichEdit:
        return new CRichEditToolTip(this);
    case kindLuna:
        return new CLunaToolTip(this);
    case kindHTML:
        return new CHTMLToolTip(this);
    case kindMarkup:
        return new CMarkupToolTip(this);
    default:
        return new CStandardToolTip;
    }
}

INT_PTR CUTKToolTipContext::OnToolHitTest(CWnd* host, CPoint point, TOOLINFO* record)
{
    return host->OnToolHitTest(point, record);
}

void CUTKToolTipContext::SetStyle(int kind)
{
    if (kind == m_nKind || (kind == kindBalloon && !IsBalloonSupported())) {
        return;
    }
    m_nKind = kind;
    DestroyToolTip();
    if (kind == kindFramed) {
        ModifyToolTipStyle(0, UTK_TTS_FRAMED | UTK_TTS_NOSHADOW);
    } else {
        ModifyToolTipStyle(UTK_TTS_FRAMED | UTK_TTS_NOSHADOW, 0);
    }
    if (kind == kindOffice2007) {
        ModifyToolTipStyle(0, UTK_TTS_OFFICE2007);
    } else {
        ModifyToolTipStyle(UTK_TTS_OFFICE2007, 0);
    }
}

void CUTKToolTipContext::ModifyToolTipStyle(DWORD remove, DWORD add)
{
    const DWORD style = (m_dwStyle & ~remove) | add;
    if (style == m_dwStyle) {
        return;
    }
    m_dwStyle = style;
    DestroyToolTip();
}

COLORREF CUTKToolTipContext::GetTipBkColor() const
{
    if (m_clrTipBack != static_cast<COLORREF>(-1)) {
        return m_clrTipBack;
    }
    return GetColorManager()->GetColor(COLOR_INFOBK);
}

COLORREF CUTKToolTipContext::GetTipTextColor() const
{
    if (m_clrTipText != static_cast<COLORREF>(-1)) {
        return m_clrTipText;
    }
    if (m_dwStyle & UTK_TTS_OFFICE2007) {
        return RGB(76, 76, 76);
    }
    return GetColorManager()->GetColor(COLOR_INFOTEXT);
}

void CUTKToolTipContext::FilterToolTipMessage(CWnd* host, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    MSG msg{};
    msg.hwnd = host->GetSafeHwnd();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = static_cast<DWORD>(::GetMessageTime());
    ::GetCursorPos(&msg.pt);
    Filter(host, &msg, FALSE);
}

void CUTKToolTipContext::FilterToolTipMessage(CWnd* host, MSG* msg)
{
    Filter(host, msg, FALSE);
}

CUTKToolTipContext* CUTKToolTipContext::GetActiveContext() noexcept
{
    return g_pActiveContext;
}

void CUTKToolTipContext::InstallToolTipFilter()
{
    g_pActiveContext = this;
    AfxGetModuleThreadState()->m_pfnFilterToolTipMessage = &CUTKToolTipContext::FrameworkFilter;
}

void CUTKToolTipContext::FrameworkFilter(MSG* msg, CWnd* window)
{
    if (g_pActiveContext != nullptr) {
        g_pActiveContext->Filter(window, msg, TRUE);
    } else {
        window->FilterToolTipMessage(msg);
    }
}

void CUTKToolTipContext::DeactivateToolTip()
{
    if (m_pToolTip != nullptr && m_pToolTip->m_hWnd != nullptr) {
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    }
}

// Walks from the message's window up through its parents. The host is served when the first
// window met that enabled tooltips is the host, or (hostReached) when the walk meets the host.
BOOL CUTKToolTipContext::IsServedHost(CWnd* host, HWND messageWindow, BOOL hostReached)
{
    for (HWND wnd = messageWindow; wnd != nullptr; wnd = ::GetParent(wnd)) {
        CWnd* candidate = CWnd::FromHandlePermanent(wnd);
        const bool enabled = candidate != nullptr &&
                             (candidate->m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)) != 0;
        if (wnd == host->m_hWnd) {
            return hostReached || enabled;
        }
        if (enabled) {
            return FALSE;
        }
        if (!(::GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD)) {
            break;
        }
    }
    return FALSE;
}

void CUTKToolTipContext::RelayToolTipMessage(CWnd* toolTip, MSG* msg)
{
    if (toolTip == nullptr || toolTip->m_hWnd == nullptr || msg == nullptr) {
        return;
    }
    MSG copy = *msg;
    POINT point = msg->pt;
    copy.hwnd = reinterpret_cast<HWND>(
        toolTip->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&point)));
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSEWHEEL && copy.hwnd != nullptr) {
        ::ScreenToClient(copy.hwnd, &point);
    }
    copy.lParam = MAKELPARAM(point.x, point.y);
    toolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

void CUTKToolTipContext::FillToolInfo(TOOLINFO* record, HWND window, CRect rect, INT_PTR hit,
                                      LPCWSTR text)
{
    if (record == nullptr || record->cbSize < TTTOOLINFOW_V1_SIZE) {
        return;
    }
    record->hwnd = window;
    record->rect = rect;
    record->uId = static_cast<UINT_PTR>(hit);
    record->lpszText = HeapCopy(text != nullptr ? text : L"");
}

void CUTKToolTipContext::FillToolInfoEx(TOOLINFO* record, HWND window, CRect rect, INT_PTR hit,
                                        LPCWSTR text, LPCWSTR title, LPCWSTR description,
                                        CUTKImageManager* imageManager)
{
    FillToolInfo(record, window, rect, hit, text);
    if (record == nullptr) {
        return;
    }
    UTK_TOOLTIP_EXTRAINFO* extra = ExtraOf(record);
    if (extra == nullptr) {
        return;
    }
    if (description != nullptr && *description != 0 && title != nullptr && *title != 0) {
        extra->lpszDescription = HeapCopy(description);
        extra->lpszTitle = HeapCopy(title);
    }
    extra->pImageManager = imageManager;
}

BOOL CUTKToolTipContext::CreateToolTipSystemWindow(CWnd* owner)
{
    const DWORD style = m_dwStyle | TTS_ALWAYSTIP | TTS_NOPREFIX;
    if (auto* own = dynamic_cast<CUTKToolTipContextToolTip*>(m_pToolTip)) {
        own->CreateToolTipWindow(owner, style);
    } else if (auto* standard = dynamic_cast<CToolTipCtrl*>(m_pToolTip)) {
        standard->Create(owner, style | (m_nKind == kindBalloon ? TTS_BALLOON : 0));
    } else {
        return FALSE;
    }
    if (m_pToolTip->m_hWnd == nullptr) {
        return FALSE;
    }
    m_pToolTip->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fntTip.m_hObject), TRUE);
    m_pToolTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    m_pToolTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_rcMargin));
    if (m_clrTipBack != static_cast<COLORREF>(-1)) {
        m_pToolTip->SendMessage(TTM_SETTIPBKCOLOR, m_clrTipBack);
    }
    if (m_clrTipText != static_cast<COLORREF>(-1)) {
        m_pToolTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrTipText);
    }
    const struct {
        int delay;
        WPARAM code;
    } delays[] = {{m_nReshowDelay, TTDT_RESHOW},
                  {m_nInitialDelay, TTDT_INITIAL},
                  {m_nAutoPopDelay, TTDT_AUTOPOP}};
    for (const auto& d : delays) {
        if (d.delay != -1) {
            m_pToolTip->SendMessage(TTM_SETDELAYTIME, d.code, LOWORD(d.delay));
        }
    }
    m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    return TRUE;
}

void CUTKToolTipContext::Filter(CWnd* host, MSG* msg, BOOL frameworkCall)
{
    if (host == nullptr || host->m_hWnd == nullptr || msg == nullptr) {
        return;
    }
    const UINT message = msg->message;
    const bool tracked = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE ||
                         message == WM_MOUSELEAVE || message == WM_LBUTTONUP ||
                         message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    const bool buttonDown = ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 ||
                            ::GetKeyState(VK_MBUTTON) < 0;
    if (!tracked || buttonDown) {
        if (frameworkCall && !IsServedHost(host, msg->hwnd, TRUE)) {
            return;
        }
        if (IsClientButtonOrKey(message)) {
            DeactivateToolTip();
        }
        return;
    }
    if (frameworkCall && !IsServedHost(host, msg->hwnd, FALSE)) {
        return;
    }
    const BOOL active = IsTopParentActive(host->m_hWnd);
    if (m_pToolTip != nullptr && m_pToolTip->m_hWnd != nullptr && m_pToolTip->IsWindowVisible() &&
        !active) {
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        return;
    }
    HWND ownerWnd = ParentOwnerOf(host->m_hWnd);
    CWnd* owner = CWnd::FromHandle(ownerWnd);
    if (m_pToolTip != nullptr && m_pToolTip->m_hWnd != nullptr &&
        ::GetWindow(m_pToolTip->m_hWnd, GW_OWNER) != ownerWnd) {
        m_pToolTip->DestroyWindow();
    }
    if (m_pToolTip != nullptr && m_pToolTip->m_hWnd == nullptr) {
        m_lastInfo = TTTOOLINFOW{};
    }
    if (m_pToolTip == nullptr) {
        m_pToolTip = CreateToolTip(owner);
        if (m_pToolTip == nullptr) {
            return;
        }
    }
    if (m_pToolTip->m_hWnd == nullptr && !CreateToolTipSystemWindow(owner)) {
        return;
    }

    // Hit test.
    POINT point = msg->pt;
    ::ScreenToClient(host->m_hWnd, &point);
    UTK_TOOLTIP_EXTRAINFO extra{};
    TTTOOLINFOW record{};
    record.cbSize =
        (m_bShowTitleAndDescription || m_bShowImage) ? TTTOOLINFOW_V2_SIZE : TTTOOLINFOW_V1_SIZE;
    record.lParam = reinterpret_cast<LPARAM>(&extra);
    const INT_PTR hit = OnToolHitTest(host, CPoint(point), &record);

    if (m_bShowTitleAndDescription && extra.lpszDescription != nullptr &&
        extra.lpszTitle != nullptr && std::wcscmp(extra.lpszDescription, extra.lpszTitle) == 0) {
        std::free(extra.lpszDescription);
        extra.lpszDescription = nullptr;
    }
    if (!(m_dwStyle & TTS_NOPREFIX)) {
        if (IsOwnText(record.lpszText)) {
            StripMnemonicsInPlace(record.lpszText);
        }
        if (extra.lpszTitle != nullptr) {
            StripMnemonicsInPlace(extra.lpszTitle);
        }
    }

    CWnd* tip = m_pToolTip;
    const bool hasLast = m_lastInfo.cbSize != 0;
    const bool sameTool = hasLast && record.uId == m_lastInfo.uId && record.hwnd == m_lastInfo.hwnd;
    bool registered = false;
    if (sameTool && ::EqualRect(&record.rect, &m_lastInfo.rect)) {
        if (hit != -1) {
            RelayToolTipMessage(tip, msg);
        }
    } else {
        if (sameTool && m_lastInfo.cbSize >= TTTOOLINFOW_V1_SIZE) {
            tip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastInfo));
        }
        if (hit == -1) {
            tip->SendMessage(TTM_ACTIVATE, FALSE);
        } else {
            TTTOOLINFOW copy = record;
            copy.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
            tip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&copy));
            const bool titled =
                m_nKind != kindRichEdit && m_nKind != kindHTML && m_nKind != kindMarkup;
            if (titled && (m_dwComCtlVersion >= 0x50050 || m_nKind != kindStandard)) {
                if (m_bShowTitleAndDescription && extra.lpszDescription != nullptr &&
                    extra.lpszTitle != nullptr) {
                    tip->SendMessage(TTM_SETTITLEW, static_cast<WPARAM>(m_nTitleIcon),
                                     reinterpret_cast<LPARAM>(extra.lpszTitle));
                    copy.lpszText = extra.lpszDescription;
                    tip->SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&copy));
                } else {
                    tip->SendMessage(TTM_SETTITLEW, 0, 0);
                }
            }
            if (m_bShowImage) {
                CUTKImageManagerIcon* image = nullptr;
                if (extra.pImageManager != nullptr) {
                    image = TooltipImageSeam::GetImage(
                        extra.pImageManager, static_cast<UINT>(m_nImageBase + hit), m_nImageWidth);
                }
                tip->SendMessage(UTK_TTM_SETIMAGE, 0, reinterpret_cast<LPARAM>(image));
            }
            if ((record.uFlags & TTF_ALWAYSTIP) || active) {
                tip->SendMessage(TTM_ACTIVATE, TRUE);
                tip->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0,
                                  SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            }
        }
        registered = true;
    }
    if (registered) {
        RelayToolTipMessage(tip, msg);
        if (!sameTool && hasLast && m_lastInfo.cbSize >= TTTOOLINFOW_V1_SIZE) {
            tip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastInfo));
        }
        m_lastInfo = record;
    }
    // The window keeps copies of the texts; the last record keeps none.
    if (IsOwnText(record.lpszText) && record.hinst == nullptr) {
        std::free(record.lpszText);
    }
    m_lastInfo.lpszText = nullptr;
    m_lastInfo.lParam = 0;
    std::free(extra.lpszDescription);
    std::free(extra.lpszTitle);
}
