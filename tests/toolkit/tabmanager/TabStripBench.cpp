// Layout and redraw of a 100-tab strip in a window: the pane strip (size to fit, bottom) and
// a scrolling strip (layout 0), each laid out and repainted through InvalidateRect and
// UpdateWindow, beside a system tab control with 100 items repainted the same way. Prints
// microseconds per redraw and the ratio, and the layout, the drawing and the themed page and
// tab fills apart on a memory DC. Run it twice (with WINEDLLOVERRIDES=uxtheme=d for the
// classic figures).
#include <windows.h>
#include <commctrl.h>

#include "toolkit/common/CUTKBufferDC.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"

#include <cstdio>

namespace {

constexpr int kTabs = 100;
constexpr int kRounds = 10;

class BenchStrip : public CUTKTabManager {
public:
    explicit BenchStrip(CUTKTabPaintManager* paint) : m_paint(paint) {}
    CUTKTabPaintManager* GetPaintManager() const override { return m_paint; }
    void Reposition() override {}
    void RedrawControl(const RECT* rect, BOOL leaving) override
    {
        (void)leaving;
        if (m_window != nullptr) {
            ::InvalidateRect(m_window, rect, FALSE);
        }
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
    HWND m_window = nullptr;

private:
    CUTKTabPaintManager* m_paint;
};

BenchStrip* g_strip = nullptr;

LRESULT CALLBACK StripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT && g_strip != nullptr) {
        // Through a buffer, as the toolkit's hosts paint.
        PAINTSTRUCT ps;
        HDC paintDC = ::BeginPaint(hwnd, &ps);
        RECT client;
        ::GetClientRect(hwnd, &client);
        {
            CUTKBufferDC dc(paintDC, CRect(client));
            CUTKTabPaintManager* paint = g_strip->GetPaintManager();
            paint->RepositionTabControl(g_strip, &dc, client);
            paint->DrawTabControl(g_strip, &dc, client);
        }
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
}

double TimeRedraws(HWND window)
{
    ::UpdateWindow(window);
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i) {
        ::InvalidateRect(window, nullptr, FALSE);
        ::UpdateWindow(window);
    }
    ::QueryPerformanceCounter(&end);
    return Microseconds(start, end) / kRounds;
}

double BenchStripLayout(int layout, int position)
{
    CUTKTabPaintManager* paint = new CUTKTabPaintManager();
    paint->SetColor(8);
    paint->SetLayout(layout);
    paint->SetPosition(position);
    BenchStrip strip(paint);
    for (int i = 0; i < kTabs; ++i) {
        CString caption;
        caption.Format(L"Tab %d", i);
        strip.AddItem(-1)->SetCaption(caption);
    }
    strip.SetCurSel(3);
    {
        // Layout alone and drawing alone, on a memory DC.
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.Attach(::CreateBitmap(800, 120, 1, 32, nullptr));
        HGDIOBJ old = memory.SelectObject(bitmap.m_hObject);
        const CRect bounds(0, 0, 800, 120);
        LARGE_INTEGER a;
        LARGE_INTEGER b;
        LARGE_INTEGER c;
        ::QueryPerformanceCounter(&a);
        for (int i = 0; i < kRounds; ++i) {
            paint->RepositionTabControl(&strip, &memory, bounds);
        }
        ::QueryPerformanceCounter(&b);
        for (int i = 0; i < kRounds; ++i) {
            paint->DrawTabControl(&strip, &memory, bounds);
        }
        ::QueryPerformanceCounter(&c);
        std::printf("  (layout %.1f us, drawing %.1f us on a memory DC)\n",
                    Microseconds(a, b) / kRounds, Microseconds(b, c) / kRounds);
        {
            // The colour set's two themed fills on their own: the page and one tab face.
            LARGE_INTEGER d;
            LARGE_INTEGER e;
            ::QueryPerformanceCounter(&d);
            for (int i = 0; i < kRounds; ++i) {
                (void)paint->GetColorSet()->FillClient(&memory, CRect(0, 0, 800, 90), &strip);
            }
            ::QueryPerformanceCounter(&e);
            std::printf("  (page %.1f us)\n", Microseconds(d, e) / kRounds);
            ::QueryPerformanceCounter(&d);
            for (int i = 0; i < kRounds; ++i) {
                (void)paint->GetColorSet()->FillPropertyButton(&memory, CRect(10, 10, 70, 30),
                                                               strip.GetItem(5));
            }
            ::QueryPerformanceCounter(&e);
            std::printf("  (one tab face %.1f us)\n", Microseconds(d, e) / kRounds);
        }
        memory.SelectObject(old);
    }
    HWND window = ::CreateWindowExW(0, L"OrvaneTabBench", L"bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                    800, 120, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                                    nullptr);
    strip.m_window = window;
    g_strip = &strip;
    const double us = TimeRedraws(window);
    g_strip = nullptr;
    ::DestroyWindow(window);
    strip.DeleteAllItems();
    paint->InternalRelease();
    return us;
}

double BenchSystemTabs()
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&init);
    // The tab control as a child, as applications hold it.
    HWND host = ::CreateWindowExW(0, L"OrvaneTabBench", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 800,
                                  120, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    HWND window = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 800, 120,
                                    host, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < kTabs; ++i) {
        wchar_t caption[32];
        wsprintfW(caption, L"Tab %d", i);
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        ::SendMessageW(window, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(window, TCM_SETCURSEL, 3, 0);
    const double us = TimeRedraws(window);
    ::DestroyWindow(host);
    return us;
}

}  // namespace

int main()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = StripProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneTabBench";
    ::RegisterClassW(&wc);
    const bool themed = ::LoadLibraryW(L"uxtheme.dll") != nullptr;
    const char* style = themed ? "themed" : "classic";
    // Wine's tab control cannot be created without uxtheme (it aborts), so the classic run
    // measures the strips only.
    const double system = themed ? BenchSystemTabs() : 0.0;
    const double pane = BenchStripLayout(CUTKTabPaintManager::layoutSizeToFit,
                                         CUTKTabPaintManager::positionBottom);
    const double scrolling = BenchStripLayout(CUTKTabPaintManager::layoutAutoSize,
                                              CUTKTabPaintManager::positionTop);
    if (themed) {
        std::printf("tab strip, %d tabs, %s: system tab control %.1f us/redraw\n", kTabs, style,
                    system);
    }
    std::printf("tab strip, %d tabs, %s: pane strip (size to fit) %.1f us/redraw", kTabs, style,
                pane);
    std::printf(themed ? ", ratio %.2f\n" : "\n", pane / (themed ? system : 1.0));
    std::printf("tab strip, %d tabs, %s: scrolling strip (layout 0) %.1f us/redraw", kTabs, style,
                scrolling);
    std::printf(themed ? ", ratio %.2f\n" : "\n", scrolling / (themed ? system : 1.0));
    return 0;
}
