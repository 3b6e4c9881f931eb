// Demonstration program (not a test): shows a window with a matrix of icons, one row per state
// (normal, disabled, hot, checked, pressed, faded, shadow) and one column per kind (alpha PNG
// and classic, 16 and 32 pixels), drawn by the image manager; with a path argument it also
// writes the saved record of the 16-pixel alpha icon there.
#include "toolkit/common/CUTKImageManager.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

namespace {

CUTKImageManager* g_manager = nullptr;
const UINT kAlphaIds[] = {1001, 1002, 1003};
const UINT kClassicId = 3001;

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC hdc = ::BeginPaint(window, &paint);
    CDC* dc = CDC::FromHandle(hdc);
    RECT client;
    ::GetClientRect(window, &client);
    ::FillRect(hdc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SetBkMode(hdc, TRANSPARENT);
    const wchar_t* rows[] = {L"normal", L"disabled", L"hot", L"checked", L"pressed", L"faded",
                             L"shadow"};
    const wchar_t* columns[] = {L"PNG 16", L"PNG 32", L"classic 16", L"classic 32"};
    for (int c = 0; c < 4; ++c) {
        ::TextOutW(hdc, 90 + c * 80, 8, columns[c], static_cast<int>(wcslen(columns[c])));
    }
    for (int r = 0; r < 7; ++r) {
        const int y = 34 + r * 40;
        ::TextOutW(hdc, 8, y + 10, rows[r], static_cast<int>(wcslen(rows[r])));
        for (int c = 0; c < 4; ++c) {
            const bool alpha = c < 2;
            const int width = c % 2 == 0 ? 16 : 32;
            CUTKImageManagerIcon* icon = g_manager->GetImage(alpha ? kAlphaIds[1] : kClassicId,
                                                             width);
            if (icon == nullptr) {
                continue;
            }
            IconImageHandle& image = r == 5   ? icon->GetFadedIcon()
                                     : r == 6 ? icon->GetShadowIcon()
                                              : icon->GetIconForState(r);
            icon->DrawImage(dc, CPoint(90 + c * 80, y), image, CSize(width, 0));
        }
    }
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

void SaveRecord(const wchar_t* path)
{
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store);
        g_manager->GetImage(kAlphaIds[0], 16)->Serialize(ar);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(memory.GetLength());
    BYTE* data = memory.Detach();
    if (FILE* out = _wfopen(path, L"wb")) {
        std::fwrite(data, 1, length, out);
        std::fclose(out);
    }
    std::free(data);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    g_manager = new CUTKImageManager;
    // Alpha icons: the group of 16- and 32-pixel images, under three ids; a hot image from a
    // second colour.
    bool ok = g_manager->SetIconFromResource(MAKEINTRESOURCEW(130), kAlphaIds[1], 0, 0, 0);
    ok = ok && g_manager->SetIconFromResource(MAKEINTRESOURCEW(130), kAlphaIds[0], 16, 16, 0);
    // Classic icons: the masked strip's first cell at 16, and scaled to 32.
    BOOL alpha = FALSE;
    HBITMAP strip = LoadResourceBitmap(MAKEINTRESOURCEW(132), &alpha);
    CBitmap bitmap;
    bitmap.Attach(strip);
    const UINT classic[] = {kClassicId, 3002, 3003};
    ok = ok && g_manager->SetIconsFromBitmap(&bitmap, classic, 3, 16, 16, 0, alpha);
    ok = ok && g_manager->SetIconsFromBitmap(&bitmap, classic + 1, 1, 16, 16, 2, alpha);
    HICON small = nullptr;
    if (CUTKImageManagerIcon* icon = g_manager->GetImage(3002, 16)) {
        IconImageHandle detached;
        detached.CopyHandle(icon->GetIcon());
        small = detached.GetIcon() != nullptr ? ::CopyIcon(detached.GetIcon()) : nullptr;
    }
    if (small != nullptr) {
        IconImageHandle hot;
        hot = ResizeIcon(small, 16, 16, 16);
        ok = ok && g_manager->SetIconImage(hot, kClassicId, 16, 16, 2);
        IconImageHandle large;
        large = ResizeIcon(small, 16, 16, 32);
        ok = ok && g_manager->SetIconImage(large, kClassicId, 32, 32, 0);
        ::DestroyIcon(small);
    }
    if (argc > 1) {
        SaveRecord(argv[1]);
    }
    std::printf("matrix: icons %s\n", ok ? "loaded" : "NOT all loaded");
    std::fflush(stdout);

    WNDCLASSW type = {};
    type.lpfnWndProc = WindowProc;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = L"OrvaneIconMatrix";
    ::RegisterClassW(&type);
    HWND window = ::CreateWindowW(L"OrvaneIconMatrix", L"Icon matrix",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 440, 360, nullptr,
                                  nullptr, type.hInstance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    g_manager->InternalRelease();
    return ok ? 0 : 1;
}
