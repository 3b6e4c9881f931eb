// CUTKColorManager: the process-wide table of the toolkit's paint colours: the system colours
// (0-29), 32 colours derived from them (30-61) by fixed mixes and a perceptual distance model
// that keeps a minimum contrast, ten two-colour gradients, and the detected Windows colour
// scheme (Luna blue, olive, silver, Royale, Aero), which selects fixed gradient colours.
// What the manager asks of the system (colours, screen depth, visual style) goes through
// replaceable hooks, so the whole derivation runs headless with injected values.
#pragma once

#include "toolkit/common/CUTKPaintManagerColorGradient.h"

#include "platform/framework/window/FrameworkWindows.h"

class CUTKColorManager : public CCmdTarget {
public:
    enum { colorCount = 63, gradientCount = 10 };
    enum Scheme {
        schemeNone = 0,
        schemeLunaBlue = 1,
        schemeLunaOlive = 2,
        schemeLunaSilver = 3,
        schemeRoyale = 4,
        schemeAero = 5,
        schemeAuto = 6,
    };

    // The system as the colour manager sees it. Null members ask the real system.
    struct SystemHooks {
        // GetSysColor's shape.
        COLORREF (*pfnSysColor)(int index) = nullptr;
        // Bits per pixel of the screen.
        int (*pfnScreenBitsPerPixel)() = nullptr;
        // The active visual style's file and colour names (260 characters each); FALSE when
        // no style is active or the names cannot be read.
        BOOL (*pfnThemeName)(LPWSTR fileName, LPWSTR colorName) = nullptr;
        // The border colour of the tree-view theme class; FALSE when the application is not
        // themed or the class has none.
        BOOL (*pfnTreeViewBorderColor)(COLORREF* color) = nullptr;
    };

    // Refreshes from the real system (or the hooks), then sets gradients 8-10.
    CUTKColorManager();
    explicit CUTKColorManager(const SystemHooks& hooks);
    ~CUTKColorManager() override;

    // Attributes
    // Index 0-62: the custom colour when set, else the standard one. Any other value (an RGB
    // colour above 62, or -1 for "unset") is returned unchanged.
    COLORREF GetColor(int index) const noexcept;
    void SetCustomColor(int index, COLORREF color) noexcept;
    COLORREF GetStandardColor(int index) const noexcept;
    // Gradient 1-10.
    const CUTKPaintManagerColorGradient& GetGradient(int number) const;
    BOOL IsLunaColorsDisabled() const noexcept { return m_bDisableLunaColors; }
    void DisableLunaColors(BOOL disable) noexcept { m_bDisableLunaColors = disable; }
    int GetDetectedWinTheme() const noexcept { return m_nDetectedTheme; }
    // The selected scheme, or the detected one when the selection is automatic (6 or 7).
    int GetCurrentSystemTheme() const noexcept;
    void SetSystemTheme(int theme) noexcept { m_nSelectedTheme = theme; }
    void SetHooks(const SystemHooks& hooks) noexcept { m_hooks = hooks; }
    // TRUE for 1 to 8 bits per pixel: of dc, or of the screen without one.
    BOOL IsLowResolution(HDC dc = nullptr) const;

    // Operations
    void RefreshColors();

    // Colour arithmetic
    // Per channel (w*a + (d-w)*b + d/2) / d; d = 100 below weight 100, else 1000.
    static COLORREF MixColors(COLORREF a, COLORREF b, int weight) noexcept;
    static BOOL ColorDistanceExceeds(COLORREF a, COLORREF b, BOOL scaled,
                                     float threshold) noexcept;
    // Distance from black in the weighted space (white: about 440.9).
    static float Brightness(COLORREF color) noexcept;
    static float SquaredDistance(COLORREF a, COLORREF b) noexcept;
    // The threshold a colour of a's brightness needs: twice for black, plain from 220 on.
    static float ScaledThreshold(COLORREF a, float threshold) noexcept;
    // b moved until it lies at the scaled threshold from a.
    static COLORREF PushAway(COLORREF a, COLORREF b, float threshold) noexcept;
    // b moved toward a until it lies at the scaled threshold from a.
    static COLORREF PullToward(COLORREF a, COLORREF b, float threshold) noexcept;
    // Scheme of a visual style's file and colour names.
    static int DetectScheme(LPCWSTR fileName, LPCWSTR colorName, BOOL royale, BOOL aero);

private:
    COLORREF SysColor(int index) const;
    int ScreenBitsPerPixel() const;
    int DetectWinTheme() const;
    void RefreshGradients();
    void SetStandard(int index, COLORREF color) noexcept { m_arrStandardColor[index] = color; }

    CUTKPaintManagerColorGradient m_grc[gradientCount];
    BOOL m_bEnableRoyaleDetection = TRUE;
    BOOL m_bEnableAeroDetection = TRUE;
    BOOL m_bDisableLunaColors = FALSE;
    COLORREF m_arrStandardColor[colorCount] = {};
    COLORREF m_arrCustomColor[colorCount] = {};
    SystemHooks m_hooks;
    int m_nSelectedTheme = schemeAuto;
    int m_nDetectedTheme = schemeNone;
};

// The process-wide colour manager, made (and refreshed) on first use.
CUTKColorManager* GetColorManager();
// Rebuilds the process-wide colours after a system colour or theme change.
void RefreshGlobalColors();
// The colour manager's low-resolution test for dc (null: the screen).
BOOL IsLowResolutionDC(HDC dc);
