// CUTKPaintManagerFont: a font of a paint manager that follows the system until a caller sets
// its own. While the standard flag is set (or the font has no handle) every font refresh
// deletes and recreates it from the system's metrics; a caller's font survives refreshes.
#pragma once

#include <windows.h>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKPaintManagerFont : public CFont {
    DECLARE_DYNAMIC(CUTKPaintManagerFont)

public:
    CUTKPaintManagerFont() = default;
    ~CUTKPaintManagerFont() override = default;

    // A caller's own font: replaces the current one and keeps it across refreshes. A null
    // LOGFONT returns the font to the system's (recreated at the next refresh).
    BOOL SetCustomFont(const LOGFONT* logFont);
    // Recreates a standard font (or one without a handle) from the system's LOGFONT; a
    // caller's font is left alone. FALSE when nothing was (re)created.
    BOOL SetStandardFont(const LOGFONT* logFont);
    // TRUE while the next refresh would recreate the font.
    BOOL NeedsRefresh() const noexcept { return m_bStandardFont || m_hObject == nullptr; }

    BOOL m_bStandardFont = TRUE;
};
