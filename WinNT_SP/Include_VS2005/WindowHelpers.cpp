// Window and dialog helpers (see WindowHelpers.h).
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "platform/framework/Framework.h"
#include "WinNT_SP/Include_VS2005/ListText.h"
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "platform/base/CSelectGuard.h"

#include <shellapi.h>

#include <cstdarg>
#include <cpl.h>
#include <vector>

namespace {

// The framework's private tool-info flags for child-window tools.
constexpr UINT kToolNotButton = 0x80000000;
constexpr UINT kToolAlwaysTip = 0x40000000;

}  // namespace

std::wstring GetWindowPlacementText(HWND window)
{
    TRACE_FUNCTION();
    if (!window || !IsWindow(window)) {
        return std::wstring();
    }
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (!GetWindowPlacement(window, &wp)) {
        return std::wstring();
    }
    HDC screen = GetDC(nullptr);
    const int width = GetDeviceCaps(screen, HORZRES);
    const int height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    const RECT& r = wp.rcNormalPosition;
    return FormatNewString(L"%u,%u,%s,%i,%i,%i,%i", unsigned(width), unsigned(height),
                           wp.showCmd == SW_SHOWMAXIMIZED ? L"M" : L"m", int(r.left), int(r.top),
                           int(r.right - r.left), int(r.bottom - r.top));
}

BOOL SetWindowPlacementText(HWND window, const wchar_t* text)
{
    TRACE_FUNCTION();
    ListTextItem items[7];
    if (!window || !IsWindow(window) || SplitListText(text, L',', L'\'', 7, items) != 7) {
        return FALSE;
    }
    long values[7] = {};
    for (int i = 0; i < 7; ++i) {
        if (i == 2) {
            continue;
        }
        const std::wstring item(items[i].start, items[i].length);
        wchar_t* end = nullptr;
        values[i] = std::wcstol(item.c_str(), &end, 10);
        if (item.empty() || *end) {
            return FALSE;
        }
    }
    if (items[2].length != 1 || (items[2].start[0] != L'M' && items[2].start[0] != L'm')) {
        return FALSE;
    }
    HDC screen = GetDC(nullptr);
    const long width = GetDeviceCaps(screen, HORZRES);
    const long height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    if (values[0] != width || values[1] != height) {
        return FALSE;  // saved at another resolution
    }
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    wp.showCmd = SW_HIDE;
    wp.rcNormalPosition = {values[3], values[4], values[3] + values[5], values[4] + values[6]};
    if (!SetWindowPlacement(window, &wp)) {
        return FALSE;
    }
    if (items[2].start[0] == L'M') {
        SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    }
    return TRUE;
}

void MoveWindowBy(HWND window, int dx, int dy, int dw, int dh)
{
    RECT r;
    GetWindowRect(window, &r);
    if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    }
    SetWindowPos(window, nullptr, r.left + dx, r.top + dy, r.right - r.left + dw,
                 r.bottom - r.top + dh, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

bool IsWindowOfClass(HWND window, const wchar_t* className)
{
    if (!window || !IsWindow(window) || !className) {
        return false;
    }
    wchar_t name[257];
    const int n = GetClassNameW(window, name, 257);
    return n > 0 && std::wstring(name, size_t(n)) == className;
}

void FormatWindowText(HWND window, const wchar_t* argument)
{
    const int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> format(size_t(length) + 1);
    GetWindowTextW(window, format.data(), length + 1);
    SetWindowTextW(window, FormatNewString(format.data(), argument).c_str());
}

void DiscardQueuedStatusMessages(HWND window)
{
    MSG msg;
    while (PeekMessageW(&msg, window, WM_APP_NET_STATUS, WM_APP_NET_STATUS, PM_REMOVE)) {
    }
}

BOOL SetThreadPriorityAboveNormal(int high)
{
    if (SetThreadPriority(GetCurrentThread(),
                          high == 1 ? THREAD_PRIORITY_ABOVE_NORMAL : THREAD_PRIORITY_NORMAL)) {
        return TRUE;
    }
    ShowSystemErrorMessage(GetLastError(), L"SetThreadPriority(GetCurrentThread())");
    return FALSE;
}

HRESULT GetPropertyStoreString(IPropertyStore* store, const PROPERTYKEY& key, wchar_t** out)
{
    PROPVARIANT value;
    PropVariantInit(&value);
    HRESULT hr = store->GetValue(key, &value);
    if (FAILED(hr)) {
        return hr;
    }
    if (value.vt != VT_LPWSTR) {
        PropVariantClear(&value);
        return E_FAIL;
    }
    CoTaskMemFree(*out);
    *out = value.pwszVal;  // ownership passes to the caller
    return S_OK;
}

HFONT CreateUiFont(const wchar_t* face, int weight)
{
    LOGFONTW lf = {};
    HDC screen = GetDC(nullptr);
    lf.lfHeight = -MulDiv(90, GetDeviceCaps(screen, LOGPIXELSY), 720);
    lf.lfCharSet = static_cast<BYTE>(GetTextCharset(screen));
    ReleaseDC(nullptr, screen);
    lf.lfWeight = weight;
    const TypedValue& clearType = AppSettings().Item(SETT_ClearTypeFonts);
    if (clearType.IsSet() && clearType.GetInt(0) == 1) {
        lf.lfQuality = CLEARTYPE_QUALITY;
    }
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

INT_PTR ToolHitTestChildAt(HWND dialog, TOOLINFOW* info, POINT point)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (!IsWindowVisible(child) || id == 0 || id == -1) {
            continue;
        }
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        if (!PtInRect(&r, point)) {
            continue;
        }
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (IsWindowOfClass(child, L"Button") && (style & BS_TYPEMASK) == BS_GROUPBOX) {
            continue;
        }
        if (info && info->cbSize >= 40) {
            info->hwnd = dialog;
            info->uId = reinterpret_cast<UINT_PTR>(child);
            info->uFlags |= TTF_IDISHWND;
            info->uFlags &= ~TTF_CENTERTIP;
            info->lpszText = LPSTR_TEXTCALLBACKW;
            if (!(SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
                info->uFlags |= kToolNotButton;
            }
            info->uFlags |= kToolAlwaysTip;
        }
        return id;
    }
    return -1;
}

void ListCtrlSelectOnly(HWND list, int index)
{
    ListCtrlClearSelection(list);
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, index);
    SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
}

void ListCtrlClearSelection(HWND list)
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&item));
}

void FitSpinBuddyWidths(HWND dialog, ...)
{
    TRACE_FUNCTION();
    HDC dc = GetDC(dialog);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    INT widths[10] = {};
    {
        const CSelectGuard select(dc, font);
        if (!GetCharWidth32W(dc, L'0', L'9', widths)) {
            GetCharWidthW(dc, L'0', L'9', widths);
        }
    }
    ReleaseDC(dialog, dc);
    int w = 0;
    for (int v : widths) {
        w = v > w ? v : w;
    }
    if (w < 1) {
        return;
    }
    va_list args;
    va_start(args, dialog);
    for (int id = va_arg(args, int); id != 0; id = va_arg(args, int)) {
        const int digits = va_arg(args, int);
        HWND spin = GetDlgItem(dialog, id);
        HWND buddy =
            spin ? reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)) : nullptr;
        if (!buddy) {
            continue;
        }
        RECT format = {};
        SendMessageW(buddy, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        int grow = digits * w - (format.right - format.left) + 1;
        if (grow <= 0) {
            continue;
        }
        RECT spinClient;
        GetClientRect(spin, &spinClient);
        if (grow > spinClient.right - 11) {
            grow = spinClient.right - 11;
        }
        if (grow > 0) {
            MoveWindowBy(buddy, 0, 0, grow, 0);
            MoveWindowBy(spin, grow, 0, -grow, 0);
        }
    }
    va_end(args);
}

namespace {

INT_PTR CALLBACK EndAtOnce(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

}  // namespace

SIZE GetDialogTemplateSize(HINSTANCE instance, const wchar_t* resource)
{
    TRACE_FUNCTION();
    SIZE size = {0, 0};
    HRSRC info = FindResourceW(instance, resource, MAKEINTRESOURCEW(5));
    HGLOBAL handle = info ? LoadResource(instance, info) : nullptr;
    const auto* data = handle ? static_cast<const WORD*>(LockResource(handle)) : nullptr;
    if (!data) {
        return size;
    }
    RECT r = {0, 0, 0, 0};
    if (data[0] == 1 && data[1] == 0xFFFF) {
        // Extended template: dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy.
        const auto* bytes = reinterpret_cast<const BYTE*>(data);
        r.right = *reinterpret_cast<const short*>(bytes + 22);
        r.bottom = *reinterpret_cast<const short*>(bytes + 24);
    } else {
        // Classic: style, exStyle, cdit, x, y, cx, cy.
        const auto* bytes = reinterpret_cast<const BYTE*>(data);
        r.right = *reinterpret_cast<const short*>(bytes + 14);
        r.bottom = *reinterpret_cast<const short*>(bytes + 16);
    }
    HWND dlg = CreateDialogParamW(instance, resource, GetDesktopWindow(), EndAtOnce, 0);
    if (dlg) {
        MapDialogRect(dlg, &r);
        DestroyWindow(dlg);
    }
    size.cx = r.right;
    size.cy = r.bottom;
    return size;
}

BOOL RegisterMainWindowClass(HICON icon, WNDPROC frameworkWindowProc)
{
    TRACE_FUNCTION();
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = frameworkWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassW(&wc) != 0;
}

BOOL IsWindowsVistaOrLater()
{
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const BOOL result = [] {
        OSVERSIONINFOW info = {};
        info.dwOSVersionInfoSize = sizeof info;
        auto fn = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
        if (!fn || fn(&info) != 0) {
            return FALSE;
        }
        return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 6 ? TRUE
                                                                                      : FALSE;
    }();
    return result;
}

BOOL OpenSoundControlPanel(HWND dialog)
{
    TRACE_FUNCTION();
    const UINT style = MBX_SHOW_LOG | MB_ICONEXCLAMATION;
    if (IsWindowsVistaOrLater()) {
        const INT_PTR r = reinterpret_cast<INT_PTR>(
            ShellExecuteW(dialog, nullptr, L"MmSys.cpl", nullptr, nullptr, SW_SHOWNORMAL));
        const DWORD code = ShellExecuteResultToError(r);
        if (code) {
            DialogMessageBox(dialog, FormatSystemError(code, L"ShellExecute(MmSys.cpl)").c_str(),
                             style);
            return FALSE;
        }
        return TRUE;
    }
    HMODULE applet = LoadLibraryW(L"MmSys.cpl");
    if (!applet) {
        DialogMessageBox(
            dialog, FormatSystemError(GetLastError(), L"LoadLibrary(MmSys.cpl)").c_str(), style);
        return FALSE;
    }
    auto fn = reinterpret_cast<APPLET_PROC>(
        reinterpret_cast<void*>(GetProcAddress(applet, "CPlApplet")));
    BOOL ok = FALSE;
    if (!fn) {
        DialogMessageBox(
            dialog,
            FormatSystemError(GetLastError(), L"GetProcAddress(MmSys.cpl,CPlApplet)").c_str(),
            style);
    } else if (!fn(dialog, CPL_INIT, 0, 0)) {
        DialogMessageBox(dialog, FormatSystemError(1, L"MmSys.cpl.CPlApplet(CPL_INIT)").c_str(),
                         style);
    } else {
        CPLINFO info = {};
        if (fn(dialog, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)) != 0) {
            fn(dialog, CPL_EXIT, 0, 0);
            DialogMessageBox(dialog,
                             FormatSystemError(1, L"MmSys.cpl.CPlApplet(CPL_INQUIRE)").c_str(),
                             style);
        } else {
            fn(dialog, CPL_DBLCLK, 0, info.lData);
            fn(dialog, CPL_STOP, 0, info.lData);
            fn(dialog, CPL_EXIT, 0, 0);
            ok = TRUE;
        }
    }
    FreeLibrary(applet);
    return ok;
}

std::wstring FormatMessageString(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                   format, 0, 0, reinterpret_cast<wchar_t*>(&buffer), 0, &args);
    va_end(args);
    if (n == 0 || !buffer) {
        AfxThrowResourceException();
    }
    std::wstring s(buffer, n);
    LocalFree(buffer);
    return s;
}
