// Compression-code text.
#include "video/CFourCcDescr.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

std::wstring CFourCcDescr::Describe(DWORD code)
{
    TRACE_FUNCTION();
    static const wchar_t* const kNames[] = {L"RGB", L"RLE8", L"RLE4", L"BITF", L"JPEG", L"PNG"};
    if (code <= 5) {
        m_text = kNames[code];
        return m_text;
    }
    m_text.clear();
    for (int i = 0; i < 4; ++i) {
        const unsigned b = (code >> (8 * i)) & 0xFF;
        m_text += (b < 32 || b >= 127) ? L'.' : static_cast<wchar_t>(b);
    }
    return m_text;
}
