// Windowless bars and controls for the theme drawing tests: a bar whose type, position,
// keyboard cues and dialog-bar answer the test chooses, a control whose popup can be shown
// open, a DIB canvas with a theme whose tested colour indexes get distinct custom colours.
#pragma once

#include <windows.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <memory>

namespace orvane::test {

class DrawBar : public CUTKCommandBar {
public:
    DrawBar(int type, int position)
    {
        m_barType = type;
        m_barPosition = position;
    }
    BOOL IsKeyboardCuesVisible() const override { return m_cues; }
    BOOL IsDialogBar() const override { return m_dialogBar; }
    BOOL m_cues = FALSE;
    BOOL m_dialogBar = FALSE;
};

class TestControl : public CUTKControl {
public:
    TestControl(CUTKCommandBar* bar, int type, LPCWSTR caption, CRect rc)
    {
        SetType(type);
        SetCaption(caption);
        m_parent = bar;
        m_rcControl = rc;
    }
    BOOL IsPopupOpen() const override { return m_open; }
    BOOL m_open = FALSE;
};

// Distinct colours for the indexes the Default and Native XP themes draw with, so a wrong
// index shows (in Wine's scheme 16 equals 17 and 5 equals 20).
struct TestColours {
    static constexpr COLORREF k2 = RGB(0, 0, 120);        // active caption
    static constexpr COLORREF k4 = RGB(250, 240, 230);    // menu
    static constexpr COLORREF k5 = RGB(255, 255, 250);    // window
    static constexpr COLORREF k7 = RGB(10, 20, 30);       // menu text
    static constexpr COLORREF k13 = RGB(40, 80, 160);     // highlight
    static constexpr COLORREF k14 = RGB(250, 250, 200);   // highlight text
    static constexpr COLORREF k15 = RGB(200, 190, 180);   // face
    static constexpr COLORREF k16 = RGB(120, 110, 100);   // shadow
    static constexpr COLORREF k17 = RGB(150, 150, 170);   // grey text
    static constexpr COLORREF k18 = RGB(20, 0, 40);       // button text
    static constexpr COLORREF k20 = RGB(245, 245, 235);   // highlight (3D)
    static constexpr COLORREF k21 = RGB(30, 30, 30);      // dark shadow
    static constexpr COLORREF k22 = RGB(225, 220, 215);   // 3D light
    static constexpr COLORREF k29 = RGB(60, 100, 180);    // menu highlight

    static void Apply(CUTKPaintManager* paint)
    {
        const int indexes[] = {2, 4, 5, 7, 13, 14, 15, 16, 17, 18, 20, 21, 22, 29};
        const COLORREF colours[] = {k2, k4, k5, k7, k13, k14, k15, k16, k17, k18, k20, k21, k22, k29};
        for (size_t i = 0; i < sizeof(indexes) / sizeof(indexes[0]); ++i) {
            paint->GetColorEntry(indexes[i])->SetCustomValue(colours[i]);
        }
    }
};

// A theme made by number and refreshed, released at the end of the test.
struct ThemeHolder {
    explicit ThemeHolder(int number, bool testColours = true)
        : paint(CUTKPaintManager::CreateTheme(number))
    {
        paint->RefreshMetrics();
        if (testColours) {
            // Colours the refresh derives (the floating caption's) follow the custom ones.
            TestColours::Apply(paint);
            paint->RefreshMetrics();
        }
    }
    ~ThemeHolder() { paint->InternalRelease(); }
    ThemeHolder(const ThemeHolder&) = delete;
    ThemeHolder& operator=(const ThemeHolder&) = delete;
    CUTKPaintManager* operator->() const { return paint; }
    CUTKPaintManager* paint;
};

// Whether every pixel of two canvases of the same size is equal.
inline bool SamePixels(const DrawCanvas& a, const DrawCanvas& b, int width, int height,
                       int* firstX = nullptr, int* firstY = nullptr)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (a.At(x, y) != b.At(x, y)) {
                if (firstX != nullptr) {
                    *firstX = x;
                    *firstY = y;
                }
                return false;
            }
        }
    }
    return true;
}

inline int CountColour(const DrawCanvas& canvas, CRect rc, COLORREF colour)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            n += canvas.At(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

}  // namespace orvane::test
