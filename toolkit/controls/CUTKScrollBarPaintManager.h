// Draws a command-bar control's own scroll bar: the "SCROLLBAR" visual style, a flat look with
// Marlett arrows, or the classic frame controls, as the scroll base's style asks. Keeps the
// system's arrow and bar sizes, read at construction and on every refresh.
#pragma once

#include <windows.h>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKWinThemeWrapper.h"

class CUTKPaintManager;
class CUTKScrollBase;

class CUTKScrollBarPaintManager {
public:
    explicit CUTKScrollBarPaintManager(CUTKPaintManager* paintManager);
    virtual ~CUTKScrollBarPaintManager();
    CUTKScrollBarPaintManager(const CUTKScrollBarPaintManager&) = delete;
    CUTKScrollBarPaintManager& operator=(const CUTKScrollBarPaintManager&) = delete;

    virtual void DrawScrollBar(CDC* dc, CUTKScrollBase* scrollBar);
    virtual void RefreshMetrics();

    // The owning paint manager's base theme number; 0 without one.
    int GetBaseTheme() const;
    CUTKPaintManager* GetPaintManager() const { return m_pPaintManager; }

    // A Marlett arrow glyph centred in rc: nothing when its smaller side is under 6 pixels.
    static void DrawArrowGlyph(CDC* dc, CRect rc, BOOL horizontal, BOOL first, BOOL enabled);

    int m_cxHScroll = 0;  // horizontal arrow width
    int m_cyHScroll = 0;  // horizontal bar height
    int m_cyVScroll = 0;  // vertical arrow height
    int m_cxVScroll = 0;  // vertical bar width
    int m_nThumbLength = 0;  // fixed thumb length, 0 = proportional

protected:
    CUTKPaintManager* m_pPaintManager;
    CUTKWinThemeWrapper m_themeScrollBar;
};
