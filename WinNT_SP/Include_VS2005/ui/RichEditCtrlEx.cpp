// Appending through EM_STREAMIN into the selection at the end, and RTF through EM_STREAMOUT.
#include "WinNT_SP/Include_VS2005/ui/RichEditCtrlEx.h"

#include <cstring>

CRichEditCtrlEx::CRichEditCtrlEx()
{
    std::memset(&m_charFormat, 0, sizeof(m_charFormat));
    m_charFormat.cbSize = sizeof(m_charFormat);
    m_charFormat.dwMask = CFM_COLOR | CFM_BOLD | CFM_UNDERLINE;
    std::memset(&m_paraFormat, 0, sizeof(m_paraFormat));
    m_paraFormat.cbSize = sizeof(m_paraFormat);
    m_paraFormat.dwMask = PFM_ALIGNMENT | PFM_NUMBERING;
    m_paraFormat.wAlignment = PFA_LEFT;
}

void CRichEditCtrlEx::SetNextTextColor(COLORREF color)
{
    m_charFormat.crTextColor = color;
}

void CRichEditCtrlEx::SetNextTextBold()
{
    m_charFormat.dwEffects |= CFE_BOLD;
}

DWORD CALLBACK CRichEditCtrlEx::StreamIn(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* done)
{
    auto* self = reinterpret_cast<CRichEditCtrlEx*>(cookie);
    // Whole characters only: an even number of bytes per call.
    const size_t room = static_cast<size_t>(count) / sizeof(wchar_t);
    const size_t left = self->m_pending.size() - self->m_pendingOffset;
    const size_t n = room < left ? room : left;
    std::memcpy(buffer, self->m_pending.data() + self->m_pendingOffset, n * sizeof(wchar_t));
    self->m_pendingOffset += n;
    *done = static_cast<LONG>(n * sizeof(wchar_t));
    return 0;
}

DWORD CALLBACK CRichEditCtrlEx::StreamOut(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* done)
{
    auto* self = reinterpret_cast<CRichEditCtrlEx*>(cookie);
    self->m_out.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(count));
    *done = count;
    return 0;
}

void CRichEditCtrlEx::Stream(UINT flags)
{
    m_pendingOffset = 0;
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(this);
    stream.pfnCallback = StreamIn;
    SendMessage(EM_STREAMIN, flags, reinterpret_cast<LPARAM>(&stream));
    m_pending.clear();
}

void CRichEditCtrlEx::AppendText(const wchar_t* text, BOOL scroll)
{
    SetSel(-1, -1);
    SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&m_charFormat));
    SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&m_paraFormat));
    m_pending = text ? text : L"";
    Stream(SF_TEXT | SF_UNICODE | SFF_SELECTION);
    if (scroll) {
        SendMessage(EM_SCROLLCARET);
    }
}

void CRichEditCtrlEx::AppendColoredText(COLORREF color, const wchar_t* text, BOOL scroll)
{
    SetNextTextColor(color);
    AppendText(text, scroll);
}

void CRichEditCtrlEx::ClearText()
{
    m_pending.clear();
    Stream(SF_TEXT);
}

std::string CRichEditCtrlEx::GetRtf()
{
    m_out.clear();
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(this);
    stream.pfnCallback = StreamOut;
    SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    std::string rtf;
    rtf.swap(m_out);
    return rtf;
}

LRESULT CRichEditCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CRichEditCtrl::WindowProc(message, wParam, lParam);
    if (message == WM_GETDLGCODE && !m_selectAllOnFocus) {
        result &= ~DLGC_HASSETSEL;
    }
    return result;
}
