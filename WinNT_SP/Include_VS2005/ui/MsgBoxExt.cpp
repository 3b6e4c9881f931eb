// The extended message box: buttons and icon by style, layout that follows the text, the
// details fold, the copy button with its tooltip, and the owner handling around the modal run.
#include "WinNT_SP/Include_VS2005/ui/MsgBoxExt.h"

#include "WinNT_SP/Include_VS2005/ui/SupportUiResource.h"
#include "WinNT_SP/Include_VS2005/ui/UiStrings.h"
#include "platform/base/CSelectGuard.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kMaxTextChars = 32767;
constexpr int kMaxGrowth = 320;
constexpr int kMinWidth = 250;
constexpr UINT kBcmSetShield = BCM_FIRST + 0x000C;
const int kButtonIds[4] = {IDC_MBX_BUTTON1, IDC_MBX_BUTTON2, IDC_MBX_BUTTON3, IDC_MBX_BUTTON4};

RECT ChildRect(HWND dialog, int id)
{
    RECT rc = {};
    HWND child = ::GetDlgItem(dialog, id);
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void PlaceChild(HWND dialog, int id, int x, int y, int cx, int cy)
{
    ::SetWindowPos(::GetDlgItem(dialog, id), nullptr, x, y, cx, cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShiftChild(HWND dialog, int id, int dx, int dy, int dw = 0, int dh = 0)
{
    const RECT rc = ChildRect(dialog, id);
    PlaceChild(dialog, id, rc.left + dx, rc.top + dy, rc.right - rc.left + dw,
               rc.bottom - rc.top + dh);
}

void ResizeDialog(HWND dialog, int dw, int dh)
{
    RECT rc;
    ::GetWindowRect(dialog, &rc);
    ::SetWindowPos(dialog, nullptr, 0, 0, rc.right - rc.left + dw, rc.bottom - rc.top + dh,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int WindowWidth(HWND window)
{
    RECT rc;
    ::GetWindowRect(window, &rc);
    return rc.right - rc.left;
}

void ReplaceAll(std::wstring& text, const wchar_t* from, const wchar_t* to)
{
    const size_t n = wcslen(from);
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at)) {
        text.replace(at, n, to);
        at += wcslen(to);
    }
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(),
                                                     static_cast<int>(text.size()))));
    return text;
}

bool IsOwnedBy(HWND candidate, HWND owner)
{
    for (HWND p = candidate; p; ) {
        if (p == owner) {
            return true;
        }
        p = (::GetWindowLongW(p, GWL_STYLE) & WS_CHILD) ? ::GetParent(p)
                                                          : ::GetWindow(p, GW_OWNER);
    }
    return false;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMsgBoxExt, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMsgBoxExt::CMsgBoxExt(CWnd* parent) : CDialog(IDD_MSGBOX_EXT, parent) {}

CMsgBoxExt::~CMsgBoxExt() = default;

INT_PTR CMsgBoxExt::Run(const wchar_t* caption, const wchar_t* details, const wchar_t* text,
                        UINT style, DWORD boxFlags, MSGBOX_EXT_OPTIONS* options)
{
    m_boxFlags = boxFlags;
    m_text = PrepareText(text);
    m_details = details ? details : L"";
    m_style = style;
    m_options = options;
    if (caption && *caption) {
        m_caption = caption;
    } else {
        wchar_t path[MAX_PATH];
        const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring name(path, n);
        name = name.substr(name.find_last_of(L'\\') + 1);
        m_caption = name.substr(0, name.find_last_of(L'.'));
    }
    return DoModal();
}

std::wstring CMsgBoxExt::PrepareText(const wchar_t* text)
{
    std::wstring source = text ? text : L"";
    if (source.size() > kMaxTextChars) {
        source.resize(kMaxTextChars - 4);
        source += L"...";
    }
    // A bare LF would show as a box in the edit control.
    std::wstring fixed;
    fixed.reserve(source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        if (source[i] == L'\n' && (i == 0 || source[i - 1] != L'\r')) {
            fixed += L'\r';
        }
        fixed += source[i];
    }
    return fixed;
}

void CMsgBoxExt::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MBX_COPY, m_copyButton);
    DDX_Control(pDX, IDC_MBX_TEXT, m_messageEdit);
    DDX_Control(pDX, IDC_MBX_EXTRA, m_extraEdit);
    DDX_Control(pDX, IDC_MBX_ICON, m_iconStatic);
}

void CMsgBoxExt::SetUpButtons()
{
    struct Button {
        UINT caption;
        int result;
    };
    std::vector<Button> buttons;
    switch (m_style & 0xF) {
    case MB_OKCANCEL:
        buttons = {{IDS_MB_OK, IDOK}, {IDS_MB_CANCEL, IDCANCEL}};
        m_escapeResult = IDCANCEL;
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{IDS_MB_ABORT, IDABORT}, {IDS_MB_RETRY, IDRETRY}, {IDS_MB_IGNORE, IDIGNORE}};
        m_escapeAllowed = FALSE;
        break;
    case MB_YESNOCANCEL:
        buttons = {{IDS_MB_YES, IDYES}, {IDS_MB_NO, IDNO}, {IDS_MB_CANCEL, IDCANCEL}};
        m_escapeResult = IDCANCEL;
        break;
    case MB_YESNO:
        buttons = {{IDS_MB_YES, IDYES}, {IDS_MB_NO, IDNO}};
        m_escapeAllowed = FALSE;
        break;
    case MB_RETRYCANCEL:
        buttons = {{IDS_MB_RETRY, IDRETRY}, {IDS_MB_CANCEL, IDCANCEL}};
        m_escapeResult = IDCANCEL;
        break;
    default:
        buttons = {{IDS_MB_OK, IDOK}};
        m_escapeResult = IDOK;
        break;
    }
    const bool custom = m_options && !m_options->captions[0].empty();
    for (size_t i = 0; i < buttons.size(); ++i) {
        m_slots[i].result = buttons[i].result;
        m_slots[i].caption = custom && i < 3 ? m_options->captions[i]
                                             : LoadUiText(buttons[i].caption);
    }
    m_buttonCount = static_cast<int>(buttons.size());
    if (m_options && m_options->helpContext) {
        m_slots[m_buttonCount].result = IDHELP;
        m_slots[m_buttonCount].caption = LoadUiText(IDS_MB_HELP);
        ++m_buttonCount;
    }
    // Only the boxes with a Cancel-like answer keep the title bar's close command.
    if (!m_escapeAllowed || m_escapeResult == IDOK) {
        ::EnableMenuItem(::GetSystemMenu(m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    }
}

int CMsgBoxExt::MeasureTextWidth(HWND control, const std::wstring& text, bool fixedFont) const
{
    HDC dc = ::GetDC(control);
    if (!dc) {
        return 0;
    }
    HFONT font = fixedFont ? static_cast<HFONT>(::GetStockObject(ANSI_FIXED_FONT))
                           : reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    SIZE size = {0, 0};
    {
        const CSelectGuard select(dc, font);
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    ::ReleaseDC(control, dc);
    return size.cx;
}

int CMsgBoxExt::WidestLine(HWND edit, bool fixedFont) const
{
    HDC dc = ::GetDC(edit);
    if (!dc) {
        return 1;
    }
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0));
    (void)fixedFont;  // the edit carries the fixed font already when it is asked for
    int widest = 0;
    {
        const CSelectGuard select(dc, font);
        const int lines = static_cast<int>(::SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
        for (int i = 0; i < lines; ++i) {
            wchar_t line[1025];
            *reinterpret_cast<WORD*>(line) = 1024;
            const int n = static_cast<int>(
                ::SendMessageW(edit, EM_GETLINE, i, reinterpret_cast<LPARAM>(line)));
            SIZE size = {0, 0};
            ::GetTextExtentPoint32W(dc, line, n, &size);
            widest = std::max(widest, static_cast<int>(size.cx));
        }
    }
    ::ReleaseDC(edit, dc);
    return widest;
}

// Height of the edit's text: where a final "L" on a line of its own would start.
int CMsgBoxExt::TextHeight(HWND edit) const
{
    const std::wstring text = WindowText(edit);
    const std::wstring probe = text + L"\r\nL";
    ::SetWindowTextW(edit, probe.c_str());
    const LRESULT first = ::SendMessageW(edit, EM_POSFROMCHAR, 0, 0);
    const LRESULT last = ::SendMessageW(edit, EM_POSFROMCHAR, probe.size() - 1, 0);
    ::SetWindowTextW(edit, text.c_str());
    return static_cast<short>(HIWORD(last)) - static_cast<short>(HIWORD(first));
}

BOOL CMsgBoxExt::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND dlg = m_hWnd;
    HWND edit = ::GetDlgItem(dlg, IDC_MBX_TEXT);
    SetWindowText(m_caption.c_str());

    // 1. Frame of the message edit.
    if (m_boxFlags & MBXF_NO_CLIENT_EDGE) {
        ::SetWindowLongW(edit, GWL_EXSTYLE,
                         ::GetWindowLongW(edit, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
        ::SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    // 2.-3. Reserves left and right of the button row.
    RECT dlgRect;
    ::GetWindowRect(dlg, &dlgRect);
    RECT copyRect;
    ::GetWindowRect(::GetDlgItem(dlg, IDC_MBX_COPY), &copyRect);
    int left = copyRect.left - dlgRect.left;
    if (m_boxFlags & MBXF_COPY_BUTTON) {
        if (!m_copyIcon) {
            m_copyIcon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(),
                                                         MAKEINTRESOURCEW(IDI_COPY_TO_CLIPBOARD),
                                                         IMAGE_ICON, 16, 16, 0));
        }
        m_copyButton.SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_copyIcon));
        m_toolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                      WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, dlg, nullptr,
                                      AfxGetInstanceHandle(), nullptr);
        TOOLINFOW info = {};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = dlg;
        info.uId = reinterpret_cast<UINT_PTR>(m_copyButton.m_hWnd);
        std::wstring tip = LoadUiText(IDS_MB_COPY_MESSAGE);
        info.lpszText = tip.data();
        ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        left += copyRect.right - copyRect.left + 50;
    } else {
        m_copyButton.ShowWindow(SW_HIDE);
    }
    HWND toggle = ::GetDlgItem(dlg, IDC_MBX_DETAILS_TOGGLE);
    RECT toggleRect;
    ::GetWindowRect(toggle, &toggleRect);
    int right = dlgRect.right - toggleRect.right;
    if (!m_details.empty()) {
        right = dlgRect.right - toggleRect.left + 50;
    } else {
        ::ShowWindow(toggle, SW_HIDE);
    }
    ::ShowWindow(::GetDlgItem(dlg, IDC_MBX_DETAILS), SW_HIDE);
    const int margin = std::max(left, right);

    // 4. Buttons, icon, close command.
    SetUpButtons();
    for (int i = 0; i < 3 && m_options; ++i) {
        HWND button = ::GetDlgItem(dlg, kButtonIds[i]);
        if (m_options->disabledMask & (1u << i)) {
            ::EnableWindow(button, FALSE);
        }
        if (m_options->shieldMask & (1u << i)) {
            ::SendMessageW(button, kBcmSetShield, 0, TRUE);
        }
    }
    const UINT defaultBox = m_style & 0xF00;
    int defaultIndex = defaultBox == MB_DEFBUTTON2 ? 1 : defaultBox == MB_DEFBUTTON3 ? 2 : 0;
    if (defaultIndex >= m_buttonCount) {
        defaultIndex = 0;
    }
    for (int i = 0; i < 4; ++i) {
        ::SendMessageW(::GetDlgItem(dlg, kButtonIds[i]), BM_SETSTYLE,
                       i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, FALSE);
    }
    SetDefID(kButtonIds[defaultIndex]);
    switch (m_style & 0xF0) {
    case MB_ICONHAND:
        m_iconId = IDI_HAND;
        break;
    case MB_ICONQUESTION:
        m_iconId = IDI_QUESTION;
        break;
    case MB_ICONEXCLAMATION:
        m_iconId = IDI_EXCLAMATION;
        break;
    case MB_ICONASTERISK:
        m_iconId = IDI_ASTERISK;
        break;
    default:
        m_iconId = nullptr;
        break;
    }
    if (m_iconId) {
        m_iconStatic.SendMessage(STM_SETICON,
                                 reinterpret_cast<WPARAM>(::LoadIconW(nullptr, m_iconId)));
    } else {
        m_iconStatic.ShowWindow(SW_HIDE);
        const RECT iconRect = ChildRect(dlg, IDC_MBX_ICON);
        const RECT editRect = ChildRect(dlg, IDC_MBX_TEXT);
        const int dx = iconRect.left - editRect.left;
        ShiftChild(dlg, IDC_MBX_TEXT, dx, 0, -dx, 0);
    }

    // 5. Help.
    if (m_options && m_options->helpContext) {
        m_nIDHelp = m_options->helpContext;
        ::SetWindowContextHelpId(dlg, m_options->helpContext);
        m_text += L"\r\n\r\n" + LoadUiText(IDS_MB_HELP_SENTENCE);
    }

    // 6. Check box.
    int checkWidth = 0;
    HWND check = ::GetDlgItem(dlg, IDC_MBX_CHECK);
    HWND extra = ::GetDlgItem(dlg, IDC_MBX_EXTRA);
    const bool showCheck = m_options && m_options->showCheckBox;
    const int rowMovers[] = {IDC_MBX_BUTTON1, IDC_MBX_BUTTON2, IDC_MBX_BUTTON3, IDC_MBX_BUTTON4,
                             IDC_MBX_COPY,    IDC_MBX_DETAILS_TOGGLE, IDC_MBX_DETAILS};
    if (showCheck) {
        ::SetWindowTextW(check, m_options->checkBoxText.c_str());
        ::SetWindowTextW(extra, m_options->extraText.c_str());
        m_options->checked = 0;
        RECT checkRect;
        ::GetWindowRect(check, &checkRect);
        checkWidth = checkRect.left - dlgRect.left + ::GetSystemMetrics(SM_CXMENUCHECK) + 10 +
                     MeasureTextWidth(check, m_options->checkBoxText, false);
    } else {
        ::ShowWindow(check, SW_HIDE);
        ::ShowWindow(extra, SW_HIDE);
        const int up = ChildRect(dlg, IDC_MBX_BUTTON1).top - ChildRect(dlg, IDC_MBX_CHECK).top;
        for (int id : rowMovers) {
            ShiftChild(dlg, id, 0, -up);
        }
        ResizeDialog(dlg, 0, -up);
    }

    // 7. Width.
    const RECT b1 = ChildRect(dlg, IDC_MBX_BUTTON1);
    const int buttonWidth = b1.right - b1.left;
    int width = m_buttonCount * (buttonWidth + 10) + 2 * margin - 10;
    width = std::max(width, MeasureTextWidth(dlg, m_caption, false) +
                                ::GetSystemMetrics(SM_CXSIZE));
    width = std::max(width, checkWidth);
    width = std::max(width, kMinWidth);
    const int dialogWidth = WindowWidth(dlg);
    width = std::min(width, dialogWidth);

    // 8. Shrink to the widest line of the message.
    const bool fixedFont = (m_boxFlags & MBXF_FIXED_FONT) != 0;
    if (fixedFont) {
        ::SendMessageW(edit, WM_SETFONT,
                       reinterpret_cast<WPARAM>(::GetStockObject(ANSI_FIXED_FONT)), FALSE);
    }
    ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(5, 5));
    ::SetWindowTextW(edit, m_text.c_str());
    RECT format;
    ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    int shrink = (format.right - format.left) - WidestLine(edit, fixedFont);
    shrink = std::max(0, std::min(shrink, dialogWidth - width));
    if (shrink > 0) {
        ResizeDialog(dlg, -shrink, 0);
        ShiftChild(dlg, IDC_MBX_TEXT, 0, 0, -shrink, 0);
        ShiftChild(dlg, IDC_MBX_EXTRA, 0, 0, -shrink, 0);
        ShiftChild(dlg, IDC_MBX_DETAILS, 0, 0, -shrink, 0);
        ShiftChild(dlg, IDC_MBX_DETAILS_TOGGLE, -shrink, 0);
    }

    // 9. Button row, centred between the reserves.
    RECT newRect;
    ::GetWindowRect(dlg, &newRect);
    POINT origin = {0, 0};
    ::ClientToScreen(dlg, &origin);
    const int frameLeft = origin.x - newRect.left;
    const int newWidth = newRect.right - newRect.left;
    const int rowLeft =
        margin + (newWidth - 2 * margin - m_buttonCount * (buttonWidth + 10) + 10) / 2;
    for (int i = 0; i < 4; ++i) {
        HWND button = ::GetDlgItem(dlg, kButtonIds[i]);
        if (i >= m_buttonCount) {
            ::ShowWindow(button, SW_HIDE);
            continue;
        }
        const RECT rc = ChildRect(dlg, kButtonIds[i]);
        PlaceChild(dlg, kButtonIds[i], rowLeft + i * (buttonWidth + 10) - frameLeft, rc.top,
                   buttonWidth, rc.bottom - rc.top);
        ::SetWindowTextW(button, m_slots[i].caption.c_str());
    }

    // 10. Extra text sized to its lines.
    int extraGrowth = 0;
    if (showCheck) {
        const RECT rc = ChildRect(dlg, IDC_MBX_EXTRA);
        const int height = TextHeight(extra);
        extraGrowth = height - (rc.bottom - rc.top);
        ShiftChild(dlg, IDC_MBX_EXTRA, 0, 0, 0, extraGrowth);
    }

    // 11. Message height; a one-line message stands one line lower.
    int textHeight = TextHeight(edit);
    if (::SendMessageW(edit, EM_GETLINECOUNT, 0, 0) == 1) {
        m_text = L"\r\n" + m_text;
        ::SetWindowTextW(edit, m_text.c_str());
        textHeight = TextHeight(edit);
    }
    ::SetDlgItemTextW(dlg, IDC_MBX_DETAILS, m_details.c_str());
    m_detailsHeight = ChildRect(dlg, IDC_MBX_DETAILS).bottom -
                      ChildRect(dlg, IDC_MBX_DETAILS_TOGGLE).bottom;

    // 12. Growth for a long message (scrolls beyond the cap).
    ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int editHeight = format.bottom - format.top;
    if (textHeight > editHeight || extraGrowth > 0) {
        const int cap = m_details.empty() ? kMaxGrowth : kMaxGrowth - m_detailsHeight;
        const int growth = std::max(0, std::min(textHeight - editHeight, cap));
        ShiftChild(dlg, IDC_MBX_CHECK, 0, growth);
        ShiftChild(dlg, IDC_MBX_EXTRA, 0, growth);
        ShiftChild(dlg, IDC_MBX_TEXT, 0, 0, 0, growth);
        for (int id : rowMovers) {
            ShiftChild(dlg, id, 0, growth + extraGrowth);
        }
        ResizeDialog(dlg, 0, growth + extraGrowth);
    }

    // 13.-14. Details folded; keep the unfolded dialog on the screen.
    ResizeDialog(dlg, 0, -m_detailsHeight);
    if (!m_details.empty()) {
        RECT rc;
        ::GetWindowRect(dlg, &rc);
        const int excess = rc.bottom + m_detailsHeight - ::GetSystemMetrics(SM_CYMAXIMIZED);
        if (excess > 0) {
            ::SetWindowPos(dlg, nullptr, rc.left, rc.top - excess, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    ::SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    GotoDlgCtrl(CWnd::FromHandle(::GetDlgItem(dlg, kButtonIds[defaultIndex])));
    return FALSE;
}

void CMsgBoxExt::ToggleDetails()
{
    HWND dlg = m_hWnd;
    HWND toggle = ::GetDlgItem(dlg, IDC_MBX_DETAILS_TOGGLE);
    std::wstring caption = WindowText(toggle);
    m_detailsVisible = !m_detailsVisible;
    if (m_detailsVisible) {
        ResizeDialog(dlg, 0, m_detailsHeight);
        ::ShowWindow(::GetDlgItem(dlg, IDC_MBX_DETAILS), SW_SHOW);
        ReplaceAll(caption, L">>", L"<<");
    } else {
        ResizeDialog(dlg, 0, -m_detailsHeight);
        ::ShowWindow(::GetDlgItem(dlg, IDC_MBX_DETAILS), SW_HIDE);
        ReplaceAll(caption, L"<<", L">>");
    }
    ::SetWindowTextW(toggle, caption.c_str());
    UpdateToolTip();
}

void CMsgBoxExt::UpdateToolTip()
{
    if (!m_toolTip) {
        return;
    }
    std::wstring tip = LoadUiText(m_detailsVisible ? IDS_MB_COPY_DETAILS : IDS_MB_COPY_MESSAGE);
    if (tip.size() > 100) {
        tip.resize(100);
    }
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = m_hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(m_copyButton.m_hWnd);
    info.lpszText = tip.data();
    ::SendMessageW(m_toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CMsgBoxExt::CopyToClipboard()
{
    HWND source = ::GetDlgItem(m_hWnd, m_detailsVisible ? IDC_MBX_DETAILS : IDC_MBX_TEXT);
    ::SendMessageW(source, EM_SETSEL, 0, -1);
    ::SendMessageW(source, WM_COPY, 0, 0);
}

BOOL CMsgBoxExt::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDCANCEL) {
        if (m_escapeAllowed) {
            EndDialog(m_escapeResult);
        }
        return TRUE;
    }
    if (id >= IDC_MBX_BUTTON1 && id <= IDC_MBX_BUTTON4 && code == BN_CLICKED) {
        const int result = m_slots[id - IDC_MBX_BUTTON1].result;
        if (result == IDHELP) {
            WinHelp(m_nIDHelp, HELP_CONTEXT);
        } else {
            EndDialog(result);
        }
        return TRUE;
    }
    if (id == IDOK) {
        // Enter without a default button: the default slot answers.
        return TRUE;
    }
    if (id == IDC_MBX_DETAILS_TOGGLE && code == BN_CLICKED) {
        ToggleDetails();
        return TRUE;
    }
    if (id == IDC_MBX_CHECK && code == BN_CLICKED && m_options) {
        m_options->checked =
            ::IsDlgButtonChecked(m_hWnd, IDC_MBX_CHECK) == BST_CHECKED ? TRUE : FALSE;
        const int index = m_options->disableWhenChecked;
        if (index >= 0 && index < 4) {
            ::EnableWindow(::GetDlgItem(m_hWnd, kButtonIds[index]), !m_options->checked);
        }
        return TRUE;
    }
    if (id == IDC_MBX_COPY && code == BN_CLICKED) {
        CopyToClipboard();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CMsgBoxExt::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMANDHELP && !(m_options && m_options->helpContext)) {
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CMsgBoxExt::OnDestroy()
{
    if (m_toolTip) {
        ::DestroyWindow(m_toolTip);
        m_toolTip = nullptr;
    }
    m_copyButton.SendMessage(BM_SETIMAGE, IMAGE_ICON, 0);
    if (m_copyIcon) {
        ::DestroyIcon(m_copyIcon);
        m_copyIcon = nullptr;
    }
    CDialog::OnDestroy();
}

HWND FindActiveOwnedPopup(HWND window, BOOL requireVisible, BOOL requireEnabled)
{
    HWND found = nullptr;
    if (!::IsWindow(window)) {
        return nullptr;
    }
    for (HWND w = ::GetWindow(window, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV)) {
        if (!IsOwnedBy(w, window) || w == window) {
            continue;
        }
        if ((requireVisible && !::IsWindowVisible(w)) ||
            (requireEnabled && !::IsWindowEnabled(w)) ||
            (::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
            continue;
        }
        wchar_t className[64];
        if (::GetClassNameW(w, className, 64) > 0 &&
            (_wcsicmp(className, L"IME") == 0 || wcscmp(className, L"MSCTFIME UI") == 0)) {
            continue;
        }
        found = w;
        if (requireEnabled) {
            break;
        }
    }
    return found;
}

int ShowMsgBoxExt(MSGBOX_EXT_OPTIONS* options, const wchar_t* text, const wchar_t* caption,
                  UINT style, DWORD boxFlags, const wchar_t* details)
{
    if (options && options->owner && !::IsWindow(options->owner)) {
        options->owner = nullptr;
    }
    HWND owner = options ? options->owner : nullptr;
    if (!owner) {
        if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) {
            HWND safe = CWnd::GetSafeOwner_(nullptr, nullptr);
            HWND base = safe ? safe : main->GetSafeHwnd();
            HWND popup = FindActiveOwnedPopup(base, FALSE, TRUE);
            owner = popup ? popup : base;
        } else {
            owner = CWnd::GetSafeOwner_(nullptr, nullptr);
        }
    }
    if (::IsWindow(owner)) {
        if (HWND popup = FindActiveOwnedPopup(owner, FALSE, TRUE)) {
            owner = popup;
        }
    }
    const bool wasEnabled = owner && ::IsWindowEnabled(owner);
    CWnd* ownerWnd = owner ? CWnd::FromHandlePermanent(owner) : nullptr;
    if (ownerWnd) {
        ownerWnd->m_nFlags |= WF_STAYDISABLED;
    }
    CMsgBoxExt box(owner ? CWnd::FromHandle(owner) : nullptr);
    const INT_PTR result = box.Run(caption, details, text, style, boxFlags, options);
    if (owner && ::IsWindow(owner)) {
        if (ownerWnd) {
            ownerWnd->m_nFlags &= ~WF_STAYDISABLED;
        }
        if ((::IsWindowEnabled(owner) != FALSE) != wasEnabled) {
            ::EnableWindow(owner, wasEnabled);
            ::SendMessageW(owner, WM_NCACTIVATE, wasEnabled, 0);
        }
    }
    return static_cast<int>(result);
}

namespace {

class MsgBoxExtPresenter : public IMessageBoxPresenter {
public:
    int Show(const wchar_t* caption, const wchar_t* text, UINT style, UINT boxFlags,
             const wchar_t* details, const MSGBOX_OPTIONS& options) override
    {
        MSGBOX_EXT_OPTIONS ext;
        ext.owner = options.owner;
        ext.helpContext = options.helpId;
        return ShowMsgBoxExt(&ext, text, caption, style, boxFlags, details);
    }
};

}  // namespace

void InstallMsgBoxExtPresenter()
{
    static MsgBoxExtPresenter presenter;
    SetMessageBoxPresenter(&presenter);
}
