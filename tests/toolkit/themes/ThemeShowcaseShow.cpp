// Draws the sample bars with one theme into a 32-bit DIB and saves it as a BMP file: a menu
// bar whose File menu is open (check, radio, shortcut, separator, submenu, disabled items),
// a docked toolbar with normal, hot, pressed, checked, checked-hot, disabled and split
// buttons, and a floating bar. Usage: toolkit_theme_showcase <theme number> <file.bmp>.
#include <windows.h>

#include "tests/toolkit/themes/ThemeShowcase.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using orvane::test::DrawBar;
using orvane::test::DrawCanvas;
using orvane::test::MakeShowcaseIcons;
using orvane::test::TestControl;
using PM = CUTKPaintManager;

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 250;

// A bar with a window, so that the slots reading its client rectangle see its size.
class WindowBar : public DrawBar {
public:
    WindowBar(int type, int position, int cx, int cy) : DrawBar(type, position)
    {
        static ATOM atom = 0;
        if (atom == 0) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"OrvaneThemeShowcaseBar";
            atom = ::RegisterClassW(&wc);
        }
        CreateEx(0, L"OrvaneThemeShowcaseBar", L"Bar", WS_POPUP, CRect(0, 0, cx, cy), nullptr, 0);
        m_cues = TRUE;
    }
    ~WindowBar() override { DestroyWindow(); }
};

// Draws with the DC's origin moved to (x, y).
struct Origin {
    Origin(CDC* dc, int x, int y) : m_dc(dc) { ::SetViewportOrgEx(dc->GetSafeHdc(), x, y, &m_old); }
    ~Origin() { ::SetViewportOrgEx(m_dc->GetSafeHdc(), m_old.x, m_old.y, nullptr); }
    CDC* m_dc;
    POINT m_old{};
};

using Controls = std::vector<std::unique_ptr<TestControl>>;

TestControl* Add(Controls& list, CUTKCommandBar* bar, int type, LPCWSTR caption, int id = 0)
{
    list.push_back(std::make_unique<TestControl>(bar, type, caption, CRect(0, 0, 0, 0)));
    list.back()->SetID(id);
    return list.back().get();
}

bool SaveBitmap(const DrawCanvas& canvas, int width, int height, const char* path)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const int stride = width * 3 + (4 - (width * 3) % 4) % 4;
    BITMAPFILEHEADER header = {};
    BITMAPINFOHEADER info = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = header.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::fwrite(&header, sizeof(header), 1, file);
    std::fwrite(&info, sizeof(info), 1, file);
    std::vector<unsigned char> row(static_cast<size_t>(stride), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = canvas.At(x, y);
            row[static_cast<size_t>(x * 3)] = GetBValue(c);
            row[static_cast<size_t>(x * 3 + 1)] = GetGValue(c);
            row[static_cast<size_t>(x * 3 + 2)] = GetRValue(c);
        }
        std::fwrite(row.data(), 1, row.size(), file);
    }
    std::fclose(file);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: toolkit_theme_showcase <theme> <file.bmp>\n");
        return 2;
    }
    PM::SetTheme(std::atoi(argv[1]));
    CUTKPaintManager* paint = PM::GetGlobalPaintManager();
    CUTKImageManager images;
    MakeShowcaseIcons(images, 1000, 8);
    DrawCanvas canvas(kWidth, kHeight, ::GetSysColor(COLOR_APPWORKSPACE));
    CDC* dc = canvas.dc();
    ::SelectObject(dc->GetSafeHdc(), paint->m_fontRegular.m_hObject);

    // Menu bar with the File menu open.
    WindowBar menuBar(PM::kBarTypeMenuBar, PM::kBarTop, kWidth, 22);
    menuBar.SetImageManager(&images);
    Controls menus;
    int x = 2;
    for (LPCWSTR caption : {L"&File", L"&Edit", L"&View", L"&Help"}) {
        TestControl* menu = Add(menus, &menuBar, utkControlPopup, caption);
        const CSize size = paint->DrawControl(dc, menu, FALSE);
        menu->SetRect(CRect(x, 0, x + size.cx, 22));
        x += size.cx;
    }
    menus[0]->m_open = TRUE;
    menus[0]->m_selected = 1;
    menus[2]->m_selected = 0;
    {
        Origin origin(dc, 0, 0);
        paint->FillCommandBarEntry(dc, &menuBar);
        for (auto& menu : menus) {
            paint->DrawControl(dc, menu.get(), TRUE);
        }
    }

    // Toolbar docked below it, with a gripper, drawn right of where the menu opens.
    WindowBar toolBar(PM::kBarTypeNormal, PM::kBarTop, 300, 28);
    toolBar.SetImageManager(&images);
    Controls buttons;
    x = 2 + paint->DrawCommandBarGripper(dc, &toolBar, FALSE).cx + 2;
    for (int i = 0; i < 8; ++i) {
        const bool split = i == 7;
        TestControl* button = Add(buttons, &toolBar,
                                  split ? utkControlSplitButtonPopup : utkControlButton, L"Tool",
                                  1000 + i);
        button->SetStyle(utkButtonIcon);
        const int width = split ? 35 : 23;
        if (i == 6) {
            x += 6;  // a separator before the disabled button
            button->SetBeginGroup(TRUE);
        }
        button->SetRect(CRect(x, 3, x + width, 25));
        button->SetRowRect(CRect(0, 3, 300, 25));
        x += width + 1;
    }
    buttons[1]->m_selected = 1;                                // hot
    buttons[2]->m_selected = 1, buttons[2]->m_pressed = 1;     // pressed
    buttons[3]->m_checked = 1;                                 // checked
    buttons[4]->m_checked = 1, buttons[4]->m_selected = 1;     // checked and hot
    buttons[6]->m_enabled = FALSE;                             // disabled
    {
        Origin origin(dc, 290, 24);
        paint->FillCommandBarEntry(dc, &toolBar);
        paint->DrawCommandBarGripper(dc, &toolBar, TRUE);
        for (auto& button : buttons) {
            if (button->GetBeginGroup()) {
                paint->DrawCommandBarSeparator(dc, &toolBar, button.get(), TRUE);
            }
            paint->DrawControl(dc, button.get(), TRUE);
        }
    }

    // The File menu's popup.
    WindowBar popup(PM::kBarTypePopup, PM::kBarPopup, 10, 10);
    popup.SetImageManager(&images);
    Controls items;
    TestControl* item = Add(items, &popup, utkControlButton, L"&New", 1000);
    item->SetShortcutText(L"Ctrl+N");
    item = Add(items, &popup, utkControlButton, L"&Open...", 1001);
    item->SetShortcutText(L"Ctrl+O");
    item->m_selected = 1;
    item = Add(items, &popup, utkControlButton, L"&Status Bar");
    item->m_checked = 1;
    item = Add(items, &popup, utkControlRadioButton, L"&Large Icons");
    item->m_checked = 1;
    item = Add(items, &popup, utkControlPopup, L"Recent &Files");
    item->SetBeginGroup(TRUE);
    item = Add(items, &popup, utkControlSplitButtonPopup, L"Save &As");
    item = Add(items, &popup, utkControlButton, L"&Print...", 1002);
    item->SetShortcutText(L"Ctrl+P");
    item->m_enabled = FALSE;
    item = Add(items, &popup, utkControlButton, L"E&xit");
    item->SetBeginGroup(TRUE);
    int popupWidth = 0;
    for (auto& control : items) {
        popupWidth = std::max<int>(popupWidth, paint->DrawControl(dc, control.get(), FALSE).cx);
    }
    popupWidth += 20;
    const CRect borders = paint->GetCommandBarBorders(&popup);
    int y = borders.top;
    for (auto& control : items) {
        if (control->GetBeginGroup()) {
            y += paint->DrawCommandBarSeparator(dc, &popup, control.get(), FALSE).cy;
        }
        const int height = paint->DrawControl(dc, control.get(), FALSE).cy;
        control->SetRect(CRect(borders.left, y, borders.left + popupWidth, y + height));
        control->SetRowRect(CRect(borders.left, borders.top, borders.left + popupWidth, 0));
        y += height;
    }
    popup.SetWindowPos(nullptr, 0, 0, popupWidth + borders.left + borders.right, y + borders.bottom,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    {
        Origin origin(dc, menus[0]->GetRect().left, 22);
        paint->FillCommandBarEntry(dc, &popup);
        paint->DrawCommandBarGripper(dc, &popup, TRUE);
        for (auto& control : items) {
            if (control->GetBeginGroup()) {
                paint->DrawCommandBarSeparator(dc, &popup, control.get(), TRUE);
            }
            paint->DrawControl(dc, control.get(), TRUE);
        }
    }

    // A floating bar with a caption and three buttons.
    WindowBar floating(PM::kBarTypeNormal, PM::kBarFloating, 110, 52);
    floating.SetImageManager(&images);
    floating.SetTitle(L"Tools");
    Controls tools;
    {
        Origin origin(dc, kWidth - 170, 120);
        paint->FillCommandBarEntry(dc, &floating);
        const CSize caption = paint->DrawCommandBarGripper(dc, &floating, TRUE);
        for (int i = 0; i < 3; ++i) {
            TestControl* tool = Add(tools, &floating, utkControlButton, L"Tool", 1003 + i);
            tool->SetStyle(utkButtonIcon);
            tool->SetRect(CRect(6 + i * 24, caption.cy + 8, 29 + i * 24, caption.cy + 30));
            if (i == 1) {
                tool->m_selected = 1;
            }
            paint->DrawControl(dc, tool, TRUE);
        }
    }
    const bool saved = SaveBitmap(canvas, kWidth, kHeight, argv[2]);
    PM::Done();
    return saved ? 0 : 1;
}
