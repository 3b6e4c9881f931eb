// Draws a progress bar for a command-bar control: the "PROGRESS" visual style with its chunks
// when the theme uses visual styles and they are active, else a flat face framed in shadow and
// filled in the highlight colour.
#pragma once

#include <windows.h>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKWinThemeWrapper.h"

class CUTKPaintManager;
class CUTKProgressBase;

class CUTKProgressPaintManager {
public:
    explicit CUTKProgressPaintManager(CUTKPaintManager* paintManager);
    virtual ~CUTKProgressPaintManager();
    CUTKProgressPaintManager(const CUTKProgressPaintManager&) = delete;
    CUTKProgressPaintManager& operator=(const CUTKProgressPaintManager&) = delete;

    virtual void DrawProgressBar(CDC* dc, CUTKProgressBase* progressBar);
    virtual void RefreshMetrics();

    // The owning paint manager's base theme number; 0 without one.
    int GetBaseTheme() const;
    CUTKPaintManager* GetPaintManager() const { return m_pPaintManager; }

    int m_cyProgress = 16;  // bar height of a control without its own

protected:
    CUTKWinThemeWrapper m_themeProgress;
    CUTKPaintManager* m_pPaintManager;
};
