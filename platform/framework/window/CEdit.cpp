// CEdit wrapper.
#include "platform/framework/window/CEdit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(dwExStyle, L"EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (lpszBuffer == nullptr || nMaxLength <= 0) {
        return 0;
    }
    // The control reads the buffer size from the first word of the buffer.
    *reinterpret_cast<WORD*>(lpszBuffer) =
        static_cast<WORD>(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
    return static_cast<int>(
        SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    // The caller's buffer holds at least the line (its first word gives the room).
    return static_cast<int>(
        SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}
