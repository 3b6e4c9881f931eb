// A window for the screenshots: the native docking theme's bottom pane strip and an edge
// panel strip, its caption active and inactive with buttons, and the property-page tabs in
// the default and native colour sets. Closes itself after a few seconds.
#include <windows.h>

#include "tests/toolkit/dockingpane/TestCaptionOwner.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include <memory>
#include <vector>

using orvane::test::TestCaptionOwner;

namespace {

class ShowStrip : public CUTKTabManager {
public:
    explicit ShowStrip(CUTKTabPaintManager* paint) : m_paint(paint) {}
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
    CRect m_bounds;

private:
    CUTKTabPaintManager* m_paint;
};

struct Scene {
    CUTKDockingPanePaintManager* theme = nullptr;
    std::vector<std::unique_ptr<ShowStrip>> strips;
    std::vector<CUTKTabPaintManager*> ownPaint;
    TestCaptionOwner active;
    TestCaptionOwner inactive;
};

Scene* g_scene = nullptr;

ShowStrip* AddStrip(Scene& scene, CUTKTabPaintManager* paint, CRect bounds, int tabs,
                    const wchar_t* prefix)
{
    scene.strips.push_back(std::make_unique<ShowStrip>(paint));
    ShowStrip* strip = scene.strips.back().get();
    strip->m_bounds = bounds;
    for (int i = 0; i < tabs; ++i) {
        CString caption;
        caption.Format(L"%s %d", prefix, i + 1);
        strip->AddItem(-1)->SetCaption(caption);
    }
    strip->SetCurSel(1);
    return strip;
}

void Paint(HWND hwnd, CDC* dc)
{
    RECT client;
    ::GetClientRect(hwnd, &client);
    dc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    Scene& scene = *g_scene;
    for (auto& strip : scene.strips) {
        CUTKTabPaintManager* paint = strip->GetPaintManager();
        paint->RepositionTabControl(strip.get(), dc, strip->m_bounds);
        paint->DrawTabControl(strip.get(), dc, strip->m_bounds);
    }
    // Captions: translate so that each caption's corner is the origin the theme expects.
    const POINT origins[2] = {{260, 300}, {260, 360}};
    TestCaptionOwner* owners[2] = {&scene.active, &scene.inactive};
    for (int i = 0; i < 2; ++i) {
        const CPoint old = dc->SetViewportOrg(origins[i].x, origins[i].y);
        scene.theme->DrawCaption(dc, owners[i], CRect(0, 0, 300, 40));
        dc->SetViewportOrg(old);
    }
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    dc->TextOut(10, 4, CString(L"Property page, colour set 1 (default) and 8 (native)"));
    dc->TextOut(260, 280, CString(L"Docking theme 3 caption: active, inactive"));
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC paintDC = ::BeginPaint(hwnd, &ps);
        CDC dc;
        dc.Attach(paintDC);
        Paint(hwnd, &dc);
        dc.Detach();
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_TIMER:
        ::DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int main()
{
    Scene scene;
    g_scene = &scene;
    scene.theme = CreateDockingPanePaintTheme(3);
    scene.theme->RefreshMetrics();
    scene.inactive.m_active = FALSE;
    scene.active.m_title = L"Slides";
    scene.inactive.m_title = L"Notes";

    for (int set : {1, 8}) {
        CUTKTabPaintManager* paint = new CUTKTabPaintManager();
        paint->SetColor(set);
        paint->m_bHotTracking = TRUE;
        scene.ownPaint.push_back(paint);
        const int top = set == 1 ? 24 : 140;
        AddStrip(scene, paint, CRect(10, top, 610, top + 100), 5, set == 1 ? L"Default" : L"Native");
    }
    // The bottom pane strip and the left edge panel strip of the native docking theme.
    AddStrip(scene, scene.theme->GetPaneTabPaintManager(), CRect(10, 430, 610, 580), 4, L"Pane");
    CUTKTabPaintManager* panel = scene.theme->GetPanelTabPaintManager();
    panel->SetPosition(CUTKTabPaintManager::positionLeft);
    AddStrip(scene, panel, CRect(640, 24, 780, 580), 4, L"Panel");

    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneDockingShowcase";
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Tabs and docking captions",
                                    WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0, 800, 630,
                                    nullptr, nullptr, wc.hInstance, nullptr);
    ::SetTimer(window, 1, 6000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    g_scene = nullptr;
    scene.strips.clear();
    for (CUTKTabPaintManager* paint : scene.ownPaint) {
        paint->InternalRelease();
    }
    scene.theme->InternalRelease();
    return 0;
}
