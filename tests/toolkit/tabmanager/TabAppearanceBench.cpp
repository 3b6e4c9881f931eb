// Layout and drawing of a 100-tab scrolling strip into a 32-bit DIB section for each
// appearance 0-9, in the appearance's own colour set and in the native one: microseconds per
// layout-and-redraw and the ratio to the property page in the default set. Run it twice (with
// WINEDLLOVERRIDES=uxtheme=d for the classic figures).
#include <windows.h>

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include <cstdio>

namespace {

constexpr int kTabs = 100;
constexpr int kRounds = 40;
constexpr int kWidth = 800;
constexpr int kHeight = 200;

class BenchStrip : public CUTKTabManager {
public:
    explicit BenchStrip(CUTKTabPaintManager* paint) : m_paint(paint) {}
    CUTKTabPaintManager* GetPaintManager() const override { return m_paint; }
    void Reposition() override {}
    void RedrawControl(const RECT* rect, BOOL leaving) override
    {
        (void)rect;
        (void)leaving;
    }
    BOOL DrawIcon(CDC* dc, CPoint point, CUTKTabManagerItem* item, BOOL draw,
                  CSize& size) const override
    {
        (void)dc;
        (void)point;
        (void)item;
        (void)draw;
        (void)size;
        return FALSE;
    }

private:
    CUTKTabPaintManager* m_paint;
};

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
}

// Microseconds per layout and redraw of the strip, or -1 when the surface cannot be made.
double TimeStrip(int appearance, int color)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = ::CreateCompatibleDC(nullptr);
    if (bitmap == nullptr || memory == nullptr) {
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
        if (memory != nullptr) {
            ::DeleteDC(memory);
        }
        return -1;
    }
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    double result = 0;
    {
        CUTKTabPaintManager* paint = new CUTKTabPaintManager();
        paint->SetAppearance(appearance);
        if (color > 0) {
            paint->SetColor(color);
        }
        BenchStrip strip(paint);
        for (int i = 0; i < kTabs; ++i) {
            wchar_t caption[32];
            wsprintfW(caption, L"Slide %d", i + 1);
            strip.AddItem(-1)->SetCaption(caption);
        }
        strip.SetCurSel(3);
        CDC dc;
        dc.Attach(memory);
        const CRect bounds(0, 0, kWidth, kHeight);
        // One untimed round warms the caches (fonts, theme parts).
        paint->RepositionTabControl(&strip, &dc, bounds);
        paint->DrawTabControl(&strip, &dc, bounds);
        LARGE_INTEGER from;
        LARGE_INTEGER to;
        ::QueryPerformanceCounter(&from);
        for (int round = 0; round < kRounds; ++round) {
            paint->RepositionTabControl(&strip, &dc, bounds);
            paint->DrawTabControl(&strip, &dc, bounds);
        }
        ::GdiFlush();
        ::QueryPerformanceCounter(&to);
        result = Microseconds(from, to) / kRounds;
        dc.Detach();
        strip.DeleteAllItems();
        paint->InternalRelease();
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
    return result;
}

}  // namespace

int main()
{
    const double base = TimeStrip(0, 1);
    std::printf("tab appearances, %d tabs, layout + redraw into a %dx%d DIB (us; ratio to "
                "appearance 0 in set 1 = %.1f us)\n",
                kTabs, kWidth, kHeight, base);
    for (int appearance = 0; appearance < 10; ++appearance) {
        const double own = TimeStrip(appearance, 0);
        const double native = TimeStrip(appearance, 8);
        std::printf("  appearance %d: own set %8.1f us (x%.2f)   native set %8.1f us (x%.2f)\n",
                    appearance, own, base > 0 ? own / base : 0.0, native,
                    base > 0 ? native / base : 0.0);
    }
    return 0;
}
