// The hyperlink edit control and the opening of an address.
#include "WinNT_SP/Include_VS2005/ui/LinkInter.h"

#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/ui/UiStrings.h"

#include <shellapi.h>

#include <vector>

BEGIN_MESSAGE_MAP(CLinkInter, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CLinkInter::CLinkInter() = default;

CLinkInter::~CLinkInter()
{
    if (m_underlined) {
        ::DeleteObject(m_underlined);
    }
}

void CLinkInter::SetHomePageLink()
{
    m_url = LoadUiText(IDS_HOME_PAGE_URL);
    SetWindowText(m_url.c_str());
    m_hand = ::LoadCursorW(nullptr, IDC_HAND);
    m_errorTemplate = LoadUiText(IDS_LINK_OPEN_FAILED);
    m_useBrowser = TRUE;
}

HBRUSH CLinkInter::CtlColor(CDC* dc, UINT ctlColor)
{
    if (!m_fontReady) {
        m_fontReady = TRUE;
        LOGFONTW font = {};
        HFONT current = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
        ::GetObjectW(current ? current : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
        font.lfUnderline = TRUE;
        m_underlined = ::CreateFontIndirectW(&font);
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_underlined), TRUE);
        m_default = ::LoadCursorW(nullptr, IDC_IBEAM);
    }
    // The parent's own answer keeps its background; only the text turns blue.
    HDC hdc = dc->GetSafeHdc();
    const UINT message = ctlColor == CTLCOLOR_STATIC ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        ::DefWindowProcW(::GetParent(m_hWnd), message, reinterpret_cast<WPARAM>(hdc),
                         reinterpret_cast<LPARAM>(m_hWnd)));
    ::SetTextColor(hdc, RGB(0, 0, 255));
    return brush;
}

bool CLinkInter::OverText(CPoint point) const
{
    const LRESULT pos = SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y));
    const int index = LOWORD(pos);
    return index > 0 && index < GetWindowTextLength();
}

BOOL CLinkInter::OnSetCursor(CWnd*, UINT, UINT)
{
    POINT p;
    ::GetCursorPos(&p);
    ScreenToClient(&p);
    if (!m_hand) {
        m_hand = ::LoadCursorW(nullptr, IDC_HAND);
    }
    HCURSOR cursor = OverText(CPoint(p)) ? m_hand : m_default;
    ::SetCursor(cursor ? cursor : ::LoadCursorW(nullptr, IDC_IBEAM));
    return TRUE;
}

void CLinkInter::OnLButtonDown(UINT, CPoint point)
{
    m_pressed = TRUE;
    m_lastPoint = point;
}

void CLinkInter::OnMouseMove(UINT, CPoint point)
{
    if (point != m_lastPoint) {
        m_pressed = FALSE;
        m_lastPoint = point;
    }
}

void CLinkInter::OnLButtonUp(UINT, CPoint point)
{
    const bool click = m_pressed && OverText(point);
    m_pressed = FALSE;
    if (!click) {
        return;
    }
    if (m_notifyWindow) {
        ::PostMessageW(m_notifyWindow, m_notifyMessage, 0, 0);
    } else if (m_helpId) {
        if (CWnd* main = AfxGetMainWnd()) {
            main->SendMessage(WM_COMMANDHELP, 0, m_helpId + 0x20000);
        }
    } else {
        std::wstring url = m_url;
        if (url.empty()) {
            std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLength()) + 1);
            GetWindowText(text.data(), static_cast<int>(text.size()));
            url = text.data();
        }
        OpenLinkUrl(url.c_str(), m_errorTemplate.c_str(), m_useBrowser);
    }
}

std::wstring BrowserFromCommand(const std::wstring& command)
{
    // The program ends at the quote that closes the first one: a quoted "%1" after it is an
    // argument, not part of the program's path.
    const size_t first = command.find(L'"');
    const size_t last = first == std::wstring::npos ? first : command.find(L'"', first + 1);
    if (first != std::wstring::npos && last != std::wstring::npos) {
        return command.substr(first + 1, last - first - 1);
    }
    const size_t slash = command.rfind(L'\\');
    const size_t blank = command.find(L' ', slash == std::wstring::npos ? 0 : slash);
    if (blank != std::wstring::npos) {
        return command.substr(0, blank);
    }
    return command;
}

INT_PTR OpenLinkUrl(const wchar_t* url, const wchar_t* errorTemplate, BOOL useBrowser)
{
    INT_PTR result = 0;
    if (useBrowser) {
        HKEY key;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", 0, KEY_QUERY_VALUE,
                            &key) == ERROR_SUCCESS) {
            wchar_t value[1024] = L"";
            DWORD size = sizeof(value) - sizeof(wchar_t);
            if (::RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                                   &size) == ERROR_SUCCESS) {
                value[size / sizeof(wchar_t)] = 0;
                const std::wstring browser = BrowserFromCommand(value);
                // Quoted, so an address with blanks reaches the browser as one argument.
                const std::wstring argument = L"\"" + std::wstring(url) + L"\"";
                result = reinterpret_cast<INT_PTR>(::ShellExecuteW(
                    nullptr, nullptr, browser.c_str(), argument.c_str(), nullptr, SW_SHOWNORMAL));
            }
            ::RegCloseKey(key);
            if (result > 32) {
                return result;
            }
        }
    }
    // Shown normally: a hidden start would leave the page invisible.
    result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, nullptr, url, nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32 && errorTemplate && *errorTemplate) {
        const DWORD code = ShellExecuteResultToError(result);
        const std::wstring system = GetSystemErrorText(code);
        const DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(url), static_cast<DWORD_PTR>(result),
                                  reinterpret_cast<DWORD_PTR>(system.c_str())};
        wchar_t* text = nullptr;
        if (::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                 FORMAT_MESSAGE_ARGUMENT_ARRAY,
                             errorTemplate, 0, 0, reinterpret_cast<wchar_t*>(&text), 0,
                             reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(args)))) {
            TracedMessageBox(MB_ICONEXCLAMATION, text, nullptr, 0);
            ::LocalFree(text);
        }
    }
    return result;
}

INT_PTR OpenHomePage(const wchar_t* url)
{
    return OpenLinkUrl(url, LoadUiText(IDS_LINK_OPEN_FAILED).c_str(), TRUE);
}
