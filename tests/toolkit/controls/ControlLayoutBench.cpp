// Layout of command-bar controls: 100 buttons with 16-pixel icons and captions in one row,
// wrapped at 400 pixels and as a balanced floating shape, and a 100-item popup bar, each laid
// out (measured through the paint manager and committed) on a screen-compatible DC. The
// baseline in the same run is a system toolbar with the same buttons sized by TB_AUTOSIZE,
// wrapping (TBSTYLE_WRAPABLE) at 32767 pixels (one row) and at 400 pixels. Prints
// microseconds per layout and the ratios.
#include <windows.h>
#include <commctrl.h>

#include "platform/framework/window/CBitmap.h"
#include "platform/framework/window/CDC.h"
#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/controls/ControlLayout.h"

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kButtons = 100;
constexpr int kRounds = 50;

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
}

double TimePerRun(const std::function<void()>& run)
{
    run(); // warm caches (fonts, icons)
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i) {
        run();
    }
    ::QueryPerformanceCounter(&end);
    return Microseconds(start, end) / kRounds;
}

// A strip of 100 distinct 16 x 16 images.
HBITMAP MakeStrip()
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 16 * kButtons;
    info.bmiHeader.biHeight = 16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP strip = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (strip == nullptr) {
        return nullptr;
    }
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, strip);
    for (int i = 0; i < kButtons; ++i) {
        RECT cell{i * 16 + 2, 2, i * 16 + 14, 14};
        HBRUSH brush = ::CreateSolidBrush(RGB(i * 2, 255 - i * 2, 128));
        ::FillRect(dc, &cell, brush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return strip;
}

void Fill(CUTKCommandBar* bar)
{
    for (int i = 1; i <= kButtons; ++i) {
        auto* button = new CUTKControlButton();
        bar->GetControls()->InsertAt(button);
        button->SetID(i);
        wchar_t caption[32];
        wsprintfW(caption, L"Item %d", i);
        button->SetCaption(caption);
        button->SetStyle(utkButtonIconAndCaption);
        button->SetBeginGroup(i % 10 == 1 && i > 1);
    }
}

CUTKCommandBar* MakeBar(HWND owner, int type, int position)
{
    auto* bar = new CUTKCommandBar();
    bar->SetType(type);
    bar->SetPosition(position);
    bar->CreateEx(0, AfxRegisterWndClass(0), L"bench", WS_POPUP, 0, 0, 400, 100, owner, nullptr);
    Fill(bar);
    return bar;
}

double TimeSystemToolBar(HWND owner, int width, bool wrap, HIMAGELIST images)
{
    HWND toolbar = ::CreateWindowExW(
        0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN |
                                       TBSTYLE_FLAT | TBSTYLE_LIST | (wrap ? TBSTYLE_WRAPABLE : 0),
        0, 0, width, 200, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    std::vector<TBBUTTON> buttons;
    std::vector<std::vector<wchar_t>> texts;
    for (int i = 1; i <= kButtons; ++i) {
        if (i % 10 == 1 && i > 1) {
            TBBUTTON separator{};
            separator.fsStyle = BTNS_SEP;
            buttons.push_back(separator);
        }
        texts.emplace_back(32);
        wsprintfW(texts.back().data(), L"Item %d", i);
        TBBUTTON button{};
        button.iBitmap = i - 1;
        button.idCommand = i;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        button.iString = reinterpret_cast<INT_PTR>(texts.back().data());
        buttons.push_back(button);
    }
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    const double us = TimePerRun([toolbar] { ::SendMessageW(toolbar, TB_AUTOSIZE, 0, 0); });
    RECT rc{};
    ::SendMessageW(toolbar, TB_GETITEMRECT, buttons.size() - 1, reinterpret_cast<LPARAM>(&rc));
    std::printf("    (system toolbar: last button ends at %ld,%ld)\n", rc.right, rc.bottom);
    ::DestroyWindow(toolbar);
    return us;
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 800, 600, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);

    HBITMAP strip = MakeStrip();
    std::vector<UINT> ids;
    for (int i = 1; i <= kButtons; ++i) {
        ids.push_back(static_cast<UINT>(i));
    }
    {
        CBitmap bitmap;
        bitmap.Attach(strip);
        if (!GetImageManager()->SetIconsFromBitmap(&bitmap, ids.data(), kButtons, 16, 16, 0,
                                                   FALSE)) {
            std::printf("icons could not be set\n");
        }
        bitmap.Detach();
    }
    HIMAGELIST images = ::ImageList_Create(16, 16, ILC_COLOR24, kButtons, 0);
    ::ImageList_Add(images, strip, nullptr);

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    CDC* dc = CDC::FromHandle(memory);

    CUTKCommandBar* toolbar = MakeBar(owner, utkBarTypeNormal, utkBarTop);
    CUTKControls* controls = toolbar->GetControls();
    const CRect borders(2, 2, 2, 2);
    CSize shape;
    const DWORD dock = CUTKControls::kLayoutHorzDock | CUTKControls::kLayoutCommit;
    const double oneRow = TimePerRun([&] {
        DWORD flags = dock;
        shape = controls->CalcToolBarLayout(dc, 32767, flags, borders);
    });
    std::printf("toolkit layout, 100 buttons in one row:       %8.1f us  (%ld x %ld)\n", oneRow,
                shape.cx, shape.cy);
    const double wrapped = TimePerRun([&] {
        DWORD flags = dock;
        shape = controls->CalcToolBarLayout(dc, 400, flags, borders);
    });
    std::printf("toolkit layout, wrapped at 400 px:            %8.1f us  (%ld x %ld)\n", wrapped,
                shape.cx, shape.cy);
    toolbar->SetWidth(0);
    const double balanced = TimePerRun([&] {
        DWORD flags = CUTKControls::kLayoutPopupShape | CUTKControls::kLayoutCommit;
        shape = controls->CalcToolBarLayout(dc, 0, flags, borders);
    });
    std::printf("toolkit layout, balanced floating shape:      %8.1f us  (%ld x %ld)\n", balanced,
                shape.cx, shape.cy);

    // The placement alone, on records holding the sizes just measured: what the wrapping and
    // the bisections cost without the paint manager's measuring.
    std::vector<ControlLayoutRecord> measured;
    for (int i = 0; i < controls->GetCount(); ++i) {
        CUTKControl* control = controls->GetAt(i);
        ControlLayoutRecord record;
        record.visible = true;
        record.beginGroup = control->GetBeginGroup() != FALSE;
        const CSize size = control->GetSize(dc);
        record.size = SIZE{size.cx, size.cy};
        measured.push_back(record);
    }
    const CSize separator(6, 6);
    auto placeOnly = [&](int length, DWORD flags) {
        std::vector<ControlLayoutRecord> records = measured;
        ControlLayout::ToolBarParams params;
        params.length = length;
        params.flags = flags;
        params.borders = borders;
        params.separator = SIZE{separator.cx, separator.cy};
        const SIZE size = ControlLayout::CalcToolBar(records, params);
        shape = CSize(size.cx, size.cy);
    };
    const double coreWrapped = TimePerRun([&] { placeOnly(400, dock); });
    std::printf("  placement alone, wrapped at 400 px:         %8.1f us\n", coreWrapped);
    const double coreBalanced = TimePerRun([&] {
        placeOnly(0, CUTKControls::kLayoutPopupShape | CUTKControls::kLayoutCommit);
    });
    std::printf("  placement alone, balanced floating shape:   %8.1f us  (%ld x %ld)\n",
                coreBalanced, shape.cx, shape.cy);

    CUTKCommandBar* popup = MakeBar(owner, utkBarTypePopup, utkBarPopup);
    const double popupUs = TimePerRun(
        [&] { shape = popup->GetControls()->CalcPopupLayout(dc, 0, 0, CRect(3, 3, 3, 3)); });
    std::printf("toolkit layout, 100-item popup bar:           %8.1f us  (%ld x %ld)\n", popupUs,
                shape.cx, shape.cy);

    // Without TBSTYLE_WRAPABLE the system toolbar keeps its layout through TB_AUTOSIZE; a
    // wrapable one 32767 pixels wide lays its single row out again each time.
    const double systemRow = TimeSystemToolBar(owner, 32767, true, images);
    std::printf("system toolbar TB_AUTOSIZE, one row:          %8.1f us\n", systemRow);
    const double systemWrapped = TimeSystemToolBar(owner, 400, true, images);
    std::printf("system toolbar TB_AUTOSIZE, wrapable at 400:  %8.1f us\n", systemWrapped);
    if (systemRow > 0 && systemWrapped > 0) {
        std::printf("ratio toolkit / system: one row %.2f, wrapped %.2f\n", oneRow / systemRow,
                    wrapped / systemWrapped);
    }

    toolbar->DestroyWindow();
    toolbar->InternalRelease();
    popup->DestroyWindow();
    popup->InternalRelease();
    ::DeleteDC(memory);
    ::ImageList_Destroy(images);
    ::DeleteObject(strip);
    ::DestroyWindow(owner);
    return 0;
}
