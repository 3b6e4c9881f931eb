// A window for the screenshots: the tab appearances 0 to 9, each as a small strip of four tabs
// with the second selected and the third hot, in the default colour set and the native one side
// by side, labelled. Closes itself after a few seconds.
#include <windows.h>

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kCellWidth = 290;
constexpr int kCellHeight = 100;
constexpr int kLabelHeight = 16;
constexpr int kAppearances = 10;

class ShowStrip : public CUTKTabManager {
public:
    explicit ShowStrip(CUTKTabPaintManager* paint) : m_paint(paint) {}
    CUTKTabPaintManager* GetPaintManager() const override { return m_paint; }
    void Reposition() override
    {
        CDC dc;
        if (dc.CreateCompatibleDC(nullptr)) {
            m_paint->RepositionTabControl(this, &dc, m_bounds);
        }
    }
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
    void SetHot(CUTKTabManagerItem* item) { m_pHighlighted = item; }

    CRect m_bounds;

private:
    CUTKTabPaintManager* m_paint;
};

struct Cell {
    std::unique_ptr<ShowStrip> strip;
    CUTKTabPaintManager* paint = nullptr;
    std::wstring label;
    CRect bounds;
};

std::vector<Cell>* g_cells = nullptr;

void BuildCells(std::vector<Cell>& cells)
{
    const int colours[] = {1, 8};
    for (int appearance = 0; appearance < kAppearances; ++appearance) {
        for (int column = 0; column < 2; ++column) {
            Cell cell;
            cell.paint = new CUTKTabPaintManager();
            cell.paint->SetAppearance(appearance);
            cell.paint->SetColor(colours[column]);
            cell.paint->m_bHotTracking = TRUE;
            // Appearances 0-4 in the left pair of columns, 5-9 in the right pair.
            const int slot = (appearance / 5) * 2 + column;
            const int x = 8 + slot * (kCellWidth + 8);
            const int y = 8 + (appearance % 5) * (kCellHeight + kLabelHeight);
            cell.bounds.SetRect(x, y + kLabelHeight, x + kCellWidth, y + kLabelHeight + kCellHeight);
            cell.label = L"appearance " + std::to_wstring(appearance) + L", colour set " +
                         std::to_wstring(colours[column]);
            cell.strip = std::make_unique<ShowStrip>(cell.paint);
            cell.strip->m_bounds = cell.bounds;
            const wchar_t* captions[] = {L"Slides", L"Notes", L"Media", L"Timing"};
            for (const wchar_t* caption : captions) {
                cell.strip->AddItem(-1)->SetCaption(caption);
            }
            cell.strip->SetCurSel(1);
            cell.strip->SetHot(cell.strip->GetItem(2));
            cell.strip->Reposition();
            cells.push_back(std::move(cell));
        }
    }
}

void Paint(HWND wnd)
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(wnd, &ps);
    CDC dc;
    dc.Attach(hdc);
    CRect client;
    ::GetClientRect(wnd, &client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    HGDIOBJ oldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
    dc.SetBkMode(TRANSPARENT);
    for (Cell& cell : *g_cells) {
        dc.SetTextColor(RGB(0, 0, 0));
        ::TextOutW(hdc, cell.bounds.left, cell.bounds.top - kLabelHeight + 1, cell.label.c_str(),
                   static_cast<int>(cell.label.size()));
        const int saved = dc.SaveDC();
        dc.IntersectClipRect(&cell.bounds);
        cell.paint->DrawTabControl(cell.strip.get(), &dc, cell.bounds);
        dc.RestoreDC(saved);
    }
    ::SelectObject(hdc, oldFont);
    dc.Detach();
    ::EndPaint(wnd, &ps);
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(wnd);
        return 0;
    case WM_TIMER:
        ::DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(wnd, message, wParam, lParam);
    }
}

}  // namespace

int main()
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    std::vector<Cell> cells;
    BuildCells(cells);
    g_cells = &cells;

    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = L"OrvaneTabAppearanceShowcase";
    ::RegisterClassW(&wc);
    RECT frame = {0, 0, 8 + 4 * (kCellWidth + 8), 8 + (kAppearances / 2) * (kCellHeight + kLabelHeight)};
    ::AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND wnd = ::CreateWindowW(wc.lpszClassName, L"Tab appearances", WS_OVERLAPPEDWINDOW, 0, 0,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr,
                               nullptr, instance, nullptr);
    if (wnd == nullptr) {
        return 1;
    }
    ::ShowWindow(wnd, SW_SHOW);
    ::UpdateWindow(wnd);
    ::SetTimer(wnd, 1, 6000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    for (Cell& cell : cells) {
        cell.strip->DeleteAllItems();
        cell.strip.reset();
        cell.paint->InternalRelease();
    }
    return 0;
}
