// The board's subclassing, black fill, routing to the view controller and context menu.
#include "video/display/CVideoBoard.h"

#include "video/display/DisplayText.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/display/ViewController.h"

#include <windowsx.h>

namespace {

// The player's video layouts in the engine's numbering.
enum ViewMode { kOnlyCamera = 0, kOnlyScreen = 1, kCameraLeft = 2, kCameraUp = 3 };

int CurrentViewMode()
{
    int mode = 0;
    if (QVRInstance* player = GetEngineCallback()) {
        player->RunCommand(11, reinterpret_cast<INT_PTR>(&mode), 0);
    }
    return mode;
}

}  // namespace

CVideoBoard::CVideoBoard() : m_brush(CreateSolidBrush(RGB(0, 0, 0))) {}

CVideoBoard::~CVideoBoard()
{
    Detach();
    if (m_brush) {
        DeleteObject(m_brush);
    }
}

CVideoBoard* CVideoBoard::FromWindow(HWND window)
{
    if (!window || !IsWindow(window) ||
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) != SharedProc) {
        return nullptr;
    }
    return reinterpret_cast<CVideoBoard*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

BOOL CVideoBoard::Attach(HWND window)
{
    Detach();
    if (!window || !IsWindow(window)) {
        return FALSE;
    }
    if (FromWindow(window)) {
        LOG_UNEXPECTED(FormatText(L"CVideoBoard::Attach: window 0x%p has a board already",
                                  static_cast<void*>(window)));
        return FALSE;
    }
    m_previousUserData = SetWindowLongPtrW(window, GWLP_USERDATA,
                                           reinterpret_cast<LONG_PTR>(this));
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SharedProc)));
    m_window = window;
    return TRUE;
}

void CVideoBoard::Detach()
{
    if (m_window && IsWindow(m_window)) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, m_previousUserData);
        if (m_previousProc) {
            SetWindowLongPtrW(m_window, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(m_previousProc));
        }
        KillTimer(m_window, kRepaintTimer);
    }
    m_window = nullptr;
    m_previousProc = nullptr;
    m_previousUserData = 0;
}

void CVideoBoard::SetFill(BOOL fill)
{
    m_fill = fill;
    if (fill && m_window && IsWindow(m_window)) {
        RedrawWindow(m_window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
    }
}

void CVideoBoard::StartRepaintTimer()
{
    if (m_window) {
        SetTimer(m_window, kRepaintTimer, 500, nullptr);
    }
}

LRESULT CALLBACK CVideoBoard::SharedProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam)
{
    auto* board = reinterpret_cast<CVideoBoard*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return board ? board->WindowProc(message, wParam, lParam) : 0;
}

LRESULT CVideoBoard::PassOn(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_previousProc ? CallWindowProcW(m_previousProc, m_window, message, wParam, lParam)
                          : 0;
}

LRESULT CVideoBoard::OnPaint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_window, &paint);
    if (m_controller) {
        m_controller->RepaintVideo(m_window, dc);
    }
    EndPaint(m_window, &paint);
    return 0;
}

LRESULT CVideoBoard::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY: {
        // The owner's procedure still has to see its window go (it frees its own state there).
        HWND window = m_window;
        WNDPROC previous = m_previousProc;
        Detach();
        return previous ? CallWindowProcW(previous, window, message, wParam, lParam) : 0;
    }
    case WM_MOVE:
        if (m_controller) {
            m_controller->RepaintVideo(m_window, nullptr);
        }
        return 0;
    case WM_SIZE:
        if (m_controller) {
            m_controller->UpdateVideoPosition(m_window);
        }
        return 0;
    case WM_PAINT:
        return OnPaint();
    case WM_ERASEBKGND:
        if (m_fill && wParam) {
            RECT client{};
            GetClientRect(m_window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, m_brush);
        }
        return 1;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam),
                      POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_TIMER:
        if (wParam == kRepaintTimer) {
            KillTimer(m_window, kRepaintTimer);
            if (m_fill) {
                SetFill(m_fill);
            }
        }
        if (m_controller) {
            m_controller->OnBoardTimer(wParam);
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        if (m_controller) {
            const std::wstring error =
                m_controller->SetFullScreen(m_window, !m_controller->IsFullScreen());
            if (!error.empty()) {
                LOG_UNEXPECTED(error);
            }
        }
        return 0;
    case kLeaveFullScreen:
        if (m_controller) {
            const std::wstring error = m_controller->SetFullScreen(nullptr, FALSE);
            if (!error.empty()) {
                LOG_UNEXPECTED(error);
            }
        }
        return 0;
    default:
        return PassOn(message, wParam, lParam);
    }
}

void CVideoBoard::OnContextMenu(HWND owner, POINT at)
{
    const BOOL full = m_controller && m_controller->IsFullScreen();
    const BOOL canFull = m_controller && m_controller->CanFullScreen();
    HMENU menu = CreatePopupMenu();
    if (!menu) {
        return;
    }
    AppendMenuW(menu, MF_STRING | (full ? MF_CHECKED : 0) | (!full && !canFull ? MF_GRAYED : 0),
                1, DisplayString(245));
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    struct LayoutItem {
        UINT command;
        UINT text;
        int mode;
    };
    static constexpr LayoutItem kLayouts[] = {
        {2, 246, kOnlyCamera}, {3, 247, kOnlyScreen}, {4, 248, kCameraUp}, {5, 249, kCameraLeft}};
    for (const LayoutItem& item : kLayouts) {
        const UINT flags = MF_STRING | (CurrentViewMode() == item.mode ? MF_CHECKED : 0) |
                           (full ? MF_GRAYED : 0);
        AppendMenuW(menu, flags, item.command, DisplayString(item.text));
    }
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_VERTICAL | TPM_RIGHTBUTTON,
                       at.x, at.y, 0, owner, nullptr));
    DestroyMenu(menu);
    if (!m_controller || !m_window || command == 0) {
        return;
    }
    if (command == 1) {
        if (full) {
            PostMessageW(m_window, kLeaveFullScreen, 0, 0);
            return;
        }
        const std::wstring error = m_controller->SetFullScreen(m_window, TRUE);
        if (!error.empty()) {
            if (QVRInstance* player = GetEngineCallback()) {
                player->MessageBox(m_window, error.c_str(), 0x40000000, 0, 0);
            }
        }
        return;
    }
    for (const LayoutItem& item : kLayouts) {
        if (item.command == command) {
            if (QVRInstance* player = GetEngineCallback()) {
                player->RunCommand(12, item.mode, 0);
            }
        }
    }
}
