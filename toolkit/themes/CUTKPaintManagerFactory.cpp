// CUTKPaintManager: the theme factory and the process-wide theme. The process-wide pointer
// holds the one reference its object was created with; installing another theme releases it,
// and the process releases the last one among its static destructors.
#include "toolkit/themes/CUTKPaintManager.h"

#include "toolkit/themes/CUTKDefaultTheme.h"
#include "toolkit/themes/CUTKNativeXPTheme.h"

namespace {

CUTKPaintManager* g_globalPaintManager = nullptr;

// Releases the process-wide theme when the program's statics are destroyed.
struct GlobalPaintManagerRelease {
    ~GlobalPaintManagerRelease() { CUTKPaintManager::Done(); }
} g_globalPaintManagerRelease;

}  // namespace

CUTKPaintManager* CUTKPaintManager::CreateTheme(int theme)
{
    CUTKPaintManager* created = nullptr;
    switch (theme) {
    case utkThemeNativeXP:
        created = new CUTKNativeXPTheme();
        break;
    default:
        // Themes not built here (and unknown numbers) are the Default theme with the number
        // recorded.
        created = new CUTKDefaultTheme();
        break;
    }
    created->m_nThemeNumber = theme;
    return created;
}

void CUTKPaintManager::SetTheme(int theme)
{
    SetCustomTheme(CreateTheme(theme));
    if (g_globalPaintManager != nullptr) {
        g_globalPaintManager->m_nThemeNumber = theme;
    }
}

void CUTKPaintManager::SetCustomTheme(CUTKPaintManager* pTheme)
{
    // Installing the installed object again must not free it first: it is only refreshed.
    if (pTheme != nullptr && pTheme == g_globalPaintManager) {
        pTheme->RefreshMetrics();
        return;
    }
    CUTKPaintManager* previous = g_globalPaintManager;
    g_globalPaintManager = pTheme;
    if (previous != nullptr) {
        previous->InternalRelease();
    }
    if (pTheme != nullptr) {
        pTheme->m_nThemeNumber = utkThemeCustom;
        pTheme->RefreshMetrics();
    }
}

void CUTKPaintManager::Done()
{
    CUTKPaintManager* previous = g_globalPaintManager;
    g_globalPaintManager = nullptr;
    if (previous != nullptr) {
        previous->InternalRelease();
    }
}

CUTKPaintManager* CUTKPaintManager::GetGlobalPaintManager()
{
    if (g_globalPaintManager == nullptr) {
        SetTheme(utkThemeDefault);
    }
    return g_globalPaintManager;
}

CUTKPaintManager* CUTKPaintManager::PeekGlobalPaintManager() noexcept
{
    return g_globalPaintManager;
}
