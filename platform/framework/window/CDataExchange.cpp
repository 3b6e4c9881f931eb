// Dialog data exchange and validation.
#include "platform/framework/window/CDataExchange.h"

#include "platform/framework/window/CWinApp.h"

#include <cerrno>
#include <cwchar>
#include <limits>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(CWnd::HwndOf(m_pDlgWnd), nIDC);
    if (hWndCtrl == nullptr) {
        AfxThrowNotSupportedException();
    }
    m_idLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate) {
        throw new CUserException;
    }
    if (m_idLastControl != nullptr) {
        m_pDlgWnd->SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_idLastControl), 1);
        if (m_bEditLastControl) {
            ::SendMessageW(m_idLastControl, EM_SETSEL, 0, -1);
        }
    }
    throw new CUserException;
}

namespace {

CString ControlText(HWND hWnd)
{
    CString text;
    const int length = ::GetWindowTextLengthW(hWnd);
    LPTSTR buffer = text.GetBuffer(length + 1);
    ::GetWindowTextW(hWnd, buffer, length + 1);
    text.ReleaseBuffer();
    return text;
}

// Sets the text only when it differs, so the control neither flickers nor sends a change.
void SetControlText(HWND hWnd, LPCTSTR text)
{
    if (ControlText(hWnd) != text) {
        ::SetWindowTextW(hWnd, text);
    }
}

[[noreturn]] void FailWith(CDataExchange* pDX, LPCTSTR message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <class T>
void TextNumber(CDataExchange* pDX, int nIDC, T& value, bool isSigned, LPCTSTR error)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        wchar_t text[32];
        if (isSigned) {
            swprintf(text, 32, L"%ld", static_cast<long>(value));
        } else {
            swprintf(text, 32, L"%lu", static_cast<unsigned long>(value));
        }
        SetControlText(hWnd, text);
        return;
    }
    CString text = ControlText(hWnd);
    text.Trim();
    const wchar_t* begin = text;
    wchar_t* end = nullptr;
    errno = 0;
    long long parsed = isSigned ? std::wcstoll(begin, &end, 10)
                                : static_cast<long long>(std::wcstoull(begin, &end, 10));
    const bool negativeUnsigned = !isSigned && text.Find(L'-') >= 0;
    if (text.IsEmpty() || end == begin || *end != 0 || errno == ERANGE || negativeUnsigned ||
        parsed < static_cast<long long>(std::numeric_limits<T>::min()) ||
        parsed > static_cast<long long>(std::numeric_limits<T>::max())) {
        FailWith(pDX, error);
    }
    value = static_cast<T>(parsed);
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr) {
        return;  // already subclassed by an earlier exchange
    }
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl)) {
        AfxThrowNotSupportedException();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ControlText(hWnd);
    } else {
        SetControlText(hWnd, value);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    TextNumber(pDX, nIDC, value, true, L"Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    TextNumber(pDX, nIDC, value, true, L"Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    TextNumber(pDX, nIDC, value, false, L"Please enter a positive integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    TextNumber(pDX, nIDC, value, false, L"Please enter a positive integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        wchar_t text[64];
        swprintf(text, 64, L"%.15g", value);
        SetControlText(hWnd, text);
        return;
    }
    CString text = ControlText(hWnd);
    text.Trim();
    const wchar_t* begin = text;
    wchar_t* end = nullptr;
    errno = 0;
    const double parsed = std::wcstod(begin, &end);
    if (text.IsEmpty() || end == begin || *end != 0 || errno == ERANGE) {
        FailWith(pDX, L"Please enter a number.");
    }
    value = parsed;
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(hWnd, BM_GETCHECK, 0, 0));
    } else {
        const int state = value < 0 || value > 2 ? 0 : value;
        ::SendMessageW(hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndFirst = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
    }
    // The group runs from the first button to the next control with WS_GROUP.
    int index = 0;
    HWND hWnd = hWndFirst;
    do {
        if (::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageW(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                    value = index;
                }
            } else {
                ::SendMessageW(hWnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd != nullptr && !(::GetWindowLongW(hWnd, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageW(hWnd, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageW(hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ControlText(hWnd);
        return;
    }
    if (::SendMessageW(hWnd, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) == CB_ERR) {
        SetControlText(hWnd, value);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageW(hWnd, LB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageW(hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const LRESULT sel = ::SendMessageW(hWnd, LB_GETCURSEL, 0, 0);
        value.Empty();
        if (sel != LB_ERR) {
            const LRESULT length = ::SendMessageW(hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
            if (length != LB_ERR) {
                LPTSTR buffer = value.GetBuffer(static_cast<int>(length) + 1);
                ::SendMessageW(hWnd, LB_GETTEXT, static_cast<WPARAM>(sel),
                               reinterpret_cast<LPARAM>(buffer));
                value.ReleaseBuffer();
            }
        }
        return;
    }
    ::SendMessageW(hWnd, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(hWnd, TBM_GETPOS, 0, 0));
    } else {
        ::SendMessageW(hWnd, TBM_SETPOS, TRUE, value);
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString message;
            message.Format(L"Enter no more than %d characters.", nChars);
            FailWith(pDX, message);
        }
    } else if (pDX->m_idLastControl != nullptr && pDX->m_bEditLastControl) {
        ::SendMessageW(pDX->m_idLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString message;
        message.Format(L"Enter an integer between %d and %d.", minVal, maxVal);
        FailWith(pDX, message);
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString message;
        message.Format(L"Enter an integer between %u and %u.", minVal, maxVal);
        FailWith(pDX, message);
    }
}
