// Appends each non-empty line, after a CR LF, to the stored graph text of its index.
#include "video/CInternalGraphDebug.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/EngineGlobals.h"

void CInternalGraphDebug::Output(unsigned /*flags*/, const wchar_t* text)
{
    TRACE_FUNCTION();
    if (!text || !*text || m_textIndex != 0) {
        return;
    }
    std::wstring& stored = StoredGraphText();
    stored += L"\r\n";
    stored += text;
}
