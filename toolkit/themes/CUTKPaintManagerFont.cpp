// CUTKPaintManagerFont: a paint manager's font that follows the system until a caller sets one.
#include "toolkit/themes/CUTKPaintManagerFont.h"

IMPLEMENT_DYNAMIC(CUTKPaintManagerFont, CFont)

BOOL CUTKPaintManagerFont::SetCustomFont(const LOGFONT* logFont)
{
    DeleteObject();
    if (logFont == nullptr) {
        m_bStandardFont = TRUE;
        return FALSE;
    }
    m_bStandardFont = FALSE;
    return CreateFontIndirect(logFont);
}

BOOL CUTKPaintManagerFont::SetStandardFont(const LOGFONT* logFont)
{
    if (!NeedsRefresh() || logFont == nullptr) {
        return FALSE;
    }
    DeleteObject();
    // A failed creation leaves no handle, so the next refresh tries again.
    return CreateFontIndirect(logFont);
}
