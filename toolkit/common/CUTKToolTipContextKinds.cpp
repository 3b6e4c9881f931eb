// The context's tooltip kinds: the common-controls tooltip with the toolkit's window-from-point
// rule, the Luna look, rich text, markup text and HTML text.
#include "toolkit/common/CUTKToolTipContextKinds.h"

#include <cwchar>

#include "platform/base/CSelectGuard.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/common/TooltipLayout.h"

// ---- common-controls tooltip -----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUTKToolTipContext::CStandardToolTip, CToolTipCtrl)
ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
END_MESSAGE_MAP()

LRESULT CUTKToolTipContext::CStandardToolTip::OnWindowFromPoint(WPARAM, LPARAM)
{
    auto window = reinterpret_cast<HWND>(Default());
    if (window != nullptr && (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) &&
        ::SendMessageW(window, UTK_WM_TOOLTIPUSEPARENT, 0, 0) == 1) {
        window = ::GetParent(window);
    }
    return reinterpret_cast<LRESULT>(window);
}

// ---- Luna ------------------------------------------------------------------------------------

void CUTKToolTipContext::CLunaToolTip::DrawBackground(CDC* dc, TOOLITEM* /*tool*/, CRect rect)
{
    const int scheme = GetColorManager()->GetCurrentSystemTheme();
    if (scheme >= CUTKColorManager::schemeLunaBlue && scheme <= CUTKColorManager::schemeAero) {
        GetDrawHelpers()->GradientFill(dc, &rect, RGB(255, 212, 151), RGB(255, 242, 200), FALSE);
        COLORREF frame = RGB(0, 0, 128);
        if (scheme == CUTKColorManager::schemeLunaOlive) {
            frame = RGB(63, 93, 56);
        } else if (scheme == CUTKColorManager::schemeLunaSilver) {
            frame = RGB(75, 75, 111);
        }
        dc->Draw3dRect(&rect, frame, frame);
        return;
    }
    GetDrawHelpers()->GradientFill(dc, &rect, GetContext()->GetTipBkColor(), RGB(255, 255, 255),
                                   FALSE);
    dc->Draw3dRect(&rect, RGB(0, 0, 0), RGB(0, 0, 0));
}

// ---- rich text -------------------------------------------------------------------------------

SIZE CUTKToolTipContext::CRichEditToolTip::CalcToolTipSize(TOOLITEM* tool)
{
    const CString text = GetToolText(tool);
    if (!m_richRender.HasTextServices() || text.IsEmpty()) {
        return SIZE{0, 0};
    }
    CUTKToolTipContext* context = GetContext();
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask =
        CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
    format.crTextColor = context->GetTipTextColor();
    LOGFONTW font{};
    CClientDC dc(this);
    if (context->GetFont()->GetLogFont(&font) != 0) {
        format.yHeight = ::MulDiv(-font.lfHeight, 1440, dc.GetDeviceCaps(LOGPIXELSY));
        static_assert(sizeof(format.szFaceName) == sizeof(font.lfFaceName));
        std::wmemcpy(format.szFaceName, font.lfFaceName, LF_FACESIZE);
        format.szFaceName[LF_FACESIZE - 1] = 0;
        format.dwMask |= CFM_SIZE | CFM_FACE;
    }
    m_richRender.SetText(L"");
    m_richRender.SetDefaultCharFormat(&format);
    m_richRender.SetText(text);
    const RECT& margin = context->GetMargin();
    const int hm = margin.left + margin.right + 2 * TooltipLayout::kInnerSpace;
    const int vm = margin.top + margin.bottom + 2 * TooltipLayout::kInnerSpace;
    const SIZE extent = m_richRender.GetTextExtent(&dc, GetMaxTipWidth() - hm);
    return SIZE{extent.cx + hm, extent.cy + vm};
}

void CUTKToolTipContext::CRichEditToolTip::DrawContent(CDC* dc, TOOLITEM* /*tool*/, CRect rect)
{
    const RECT& margin = GetContext()->GetMargin();
    const int inner = TooltipLayout::kInnerSpace;
    CRect content(rect.left + margin.left + inner, rect.top + margin.top + inner,
                  rect.right - margin.right - inner, rect.bottom - margin.bottom - inner);
    m_richRender.DrawText(dc, &content);
}

// ---- markup ----------------------------------------------------------------------------------

CUTKToolTipContext::CMarkupToolTip::CMarkupToolTip(CUTKToolTipContext* context)
    : CUTKToolTipContextToolTip(context), m_pMarkupContext(MarkupCreateContext(nullptr))
{
}

CUTKToolTipContext::CMarkupToolTip::~CMarkupToolTip()
{
    MarkupReleaseElement(&m_pUIElement);
    MarkupReleaseContext(&m_pMarkupContext);
}

SIZE CUTKToolTipContext::CMarkupToolTip::CalcToolTipSize(TOOLITEM* tool)
{
    MarkupReleaseElement(&m_pUIElement);
    const CString text = GetToolText(tool);
    if (text.IsEmpty()) {
        return SIZE{0, 0};
    }
    CUTKToolTipContext* context = GetContext();
    MarkupSetDefaultFont(m_pMarkupContext, static_cast<HFONT>(context->GetFont()->m_hObject),
                         context->GetTipTextColor());
    m_pUIElement = MarkupParseText(m_pMarkupContext, text);
    if (m_pUIElement == nullptr) {
        return CalcPlainSize(tool);
    }
    const RECT& margin = context->GetMargin();
    const int hm = margin.left + margin.right + 2 * TooltipLayout::kInnerSpace;
    const int vm = margin.top + margin.bottom + 2 * TooltipLayout::kInnerSpace;
    const SIZE desired = MarkupMeasureElement(m_pUIElement, GetMaxTipWidth() - hm, 0x7FFFFFFF);
    return SIZE{desired.cx + hm, desired.cy + vm};
}

void CUTKToolTipContext::CMarkupToolTip::DrawContent(CDC* dc, TOOLITEM* tool, CRect rect)
{
    if (m_pUIElement == nullptr) {
        DrawPlainContent(dc, tool, rect);
        return;
    }
    const RECT& margin = GetContext()->GetMargin();
    const int inner = TooltipLayout::kInnerSpace;
    const RECT content = {rect.left + margin.left + inner, rect.top + margin.top + inner,
                          rect.right - margin.right - inner, rect.bottom - margin.bottom - inner};
    MarkupRenderElement(m_pUIElement, dc->m_hDC, &content);
}

// ---- HTML ------------------------------------------------------------------------------------

CUTKToolTipContext::CHTMLToolTip::CHTMLToolTip(CUTKToolTipContext* context)
    : CUTKToolTipContextToolTip(context)
{
    AfxEnableControlContainer();
}

CUTKToolTipContext::CHTMLToolTip::~CHTMLToolTip() = default;

BOOL CUTKToolTipContext::CHTMLToolTip::CreateBrowser()
{
    // The framework here hosts no OLE controls (and Wine runs without a browser engine), so
    // the web browser control cannot be sited in the tip.
    return FALSE;
}

SIZE CUTKToolTipContext::CHTMLToolTip::CalcToolTipSize(TOOLITEM* tool)
{
    if (!m_bBrowserTried) {
        m_bBrowserTried = TRUE;
        m_bBrowserReady = CreateBrowser();
    }
    m_bPlainFallback = !m_bBrowserReady;
    if (m_bPlainFallback) {
        return CalcPlainSize(tool);
    }
    // A browser that came up shows nothing until its document can be measured.
    return SIZE{0, 0};
}

void CUTKToolTipContext::CHTMLToolTip::DrawContent(CDC* dc, TOOLITEM* tool, CRect rect)
{
    if (m_bPlainFallback) {
        DrawPlainContent(dc, tool, rect);
    }
}

int CUTKToolTipContext::CHTMLToolTip::FindNarrowestWidth(
    int maxWidth, int fullHeight, const std::function<int(int width, int* height)>& measure)
{
    int lo = 0;
    int hi = 2 * maxWidth;
    int best = maxWidth;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        int height = 0;
        const int scrollWidth = measure(mid, &height);
        if (scrollWidth > mid) {
            if (height <= fullHeight) {
                return scrollWidth;
            }
            lo = mid + 1;
        } else if (height > fullHeight) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            best = mid;
        }
    }
    return best;
}

BOOL CUTKToolTipContext::CHTMLToolTip::WaitUntilReady(const std::function<BOOL()>& ready,
                                                      DWORD timeoutMs,
                                                      const std::function<DWORD()>& clock)
{
    const DWORD start = clock();
    while (!ready()) {
        if (clock() - start >= timeoutMs) {
            return FALSE;
        }
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The application is ending: leave that to its own loop.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return FALSE;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return TRUE;
}
