// Tearing a popup off into a floating toolbar: the drag loop (capture, its own message loop,
// every exit restoring the lock and the capture) and the torn toolbar that follows the cursor.
#include "toolkit/commandbars/CUTKPopupBar.h"

#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"
#include "platform/framework/frame/AfxFrameDefs.h"

namespace {

// Lowers the lock and lets the capture go however the loop ends.
class TearOffScope {
public:
    TearOffScope(CUTKMouseManager* manager, HWND wnd) : m_manager(manager), m_wnd(wnd)
    {
        m_manager->LockTracking();
        ::SetCapture(m_wnd);
    }
    ~TearOffScope()
    {
        if (::GetCapture() == m_wnd) {
            ::ReleaseCapture();
        }
        m_manager->UnlockTracking();
    }
    TearOffScope(const TearOffScope&) = delete;
    TearOffScope& operator=(const TearOffScope&) = delete;

private:
    CUTKMouseManager* m_manager;
    HWND m_wnd;
};

constexpr int kTearOffMargin = 10;

} // namespace

LRESULT CUTKPopupBar::OnLButtonDownMessage(WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOffGripper.PtInRect(pt)) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
        TrackTearOff();
        GetThreadMouseManager()->RefreshCursorPosition();
        return 0;
    }
    OnLButtonDown(static_cast<UINT>(wParam), pt);
    return 0;
}

void CUTKPopupBar::ShowTornBar()
{
    CUTKCommandBars* bars = GetCommandBars();
    CUTKToolBar* torn = nullptr;
    for (int i = 0; bars != nullptr && i < bars->GetCount(); ++i) {
        auto* bar = DYNAMIC_DOWNCAST(CUTKToolBar, bars->GetAt(i));
        if (bar != nullptr && m_nTearOffID != 0 && bar->GetBarID() == m_nTearOffID) {
            torn = bar;
            break;
        }
    }
    if (bars == nullptr) {
        torn = m_pTornBarKept;
    }
    if (torn == nullptr) {
        torn = new CUTKToolBar;
        torn->SetCommandBars(bars);
        torn->SetTearOff(TRUE);
        torn->SetTitle(m_strTearOffCaption);
        torn->SetBarID(m_nTearOffID);
        torn->SetWidth(m_nTearOffWidth);
        for (int i = 0; i < GetControlCount(); ++i) {
            CUTKControl* control = GetControl(i);
            if (control == nullptr || control->GetID() == kExpandItemId) {
                continue;
            }
            if (CUTKControl* copy = torn->GetControls()->AddClone(control, -1, TRUE)) {
                copy->SetHideFlags(copy->GetHideFlags() & ~(utkHideDynamic | utkHideExpand));
            }
        }
        // The creation reference goes to the manager's list, or stays with this popup.
        if (bars != nullptr) {
            bars->Add(torn);
        } else {
            m_pTornBarKept = torn;
        }
    }
    if (torn->GetSafeHwnd() == nullptr) {
        torn->SetBarPosition(utkBarFloating);
        if (!torn->Create(GetSite(), TRUE)) {
            return;
        }
    }
    torn->InternalAddRef();
    m_pTearOffBar = torn;
    ShowWindow(SW_HIDE);
    torn->SetVisible(TRUE);
    torn->ShowWindow(SW_SHOWNA);
    if (bars != nullptr && bars->GetSite() != nullptr && bars->GetSite()->GetSafeHwnd() != nullptr) {
        bars->GetSite()->SendMessage(UTK_WM_TEAROFF, reinterpret_cast<WPARAM>(torn),
                                     reinterpret_cast<LPARAM>(this));
    }
    m_szTearOffBar = torn->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    torn->SetWindowPos(nullptr, 0, 0, m_szTearOffBar.cx, m_szTearOffBar.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUTKPopupBar::HideTornBar()
{
    if (m_pTearOffBar == nullptr) {
        return;
    }
    CUTKToolBar* torn = m_pTearOffBar;
    m_pTearOffBar = nullptr;
    ShowWindow(SW_SHOWNA);
    torn->SetVisible(FALSE);
    if (torn == m_pTornBarKept && torn->GetSafeHwnd() != nullptr) {
        torn->DestroyWindow();  // a hidden torn-off bar goes; the object is made again later
    }
    torn->InternalRelease();
}

void CUTKPopupBar::TrackTearOff()
{
    if (m_hWnd == nullptr || ::GetCapture() != nullptr) {
        return;
    }
    CRect margin = m_rcTearOffGripper;
    ClientToScreen(&margin);
    margin.InflateRect(kTearOffMargin, kTearOffMargin);
    BOOL keepTorn = FALSE;
    {
        TearOffScope scope(GetThreadMouseManager(), m_hWnd);
        m_bTearOffTracking = TRUE;
        MSG msg;
        BOOL done = FALSE;
        while (!done && ::GetCapture() == m_hWnd) {
            // One waiting paint first, so that the popup and the torn bar stay drawn while
            // dragging; only one per round, so a window that never validates cannot hold the
            // loop.
            // (The system may hand out WM_QUIT whatever the filter: it is kept, not dispatched.)
            BOOL got = TRUE;
            if (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
                if (msg.message != WM_QUIT) {
                    ::DispatchMessageW(&msg);
                    got = ::GetMessageW(&msg, nullptr, 0, 0);
                }
            } else {
                got = ::GetMessageW(&msg, nullptr, 0, 0);
            }
            if (!got || msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            switch (msg.message) {
            case WM_LBUTTONUP:
                done = TRUE;
                break;
            case WM_KEYDOWN:
                done = msg.wParam == VK_ESCAPE;  // other keys are dropped
                break;
            case WM_MOUSEMOVE: {
                CPoint pt;
                ::GetCursorPos(&pt);
                const BOOL inside = margin.PtInRect(pt);
                if (!inside && m_pTearOffBar == nullptr) {
                    ShowTornBar();
                } else if (inside && m_pTearOffBar != nullptr) {
                    HideTornBar();
                }
                if (m_pTearOffBar != nullptr && m_pTearOffBar->GetSafeHwnd() != nullptr) {
                    m_pTearOffBar->SetWindowPos(nullptr, pt.x - m_szTearOffBar.cx / 2,
                                                pt.y - kTearOffMargin, 0, 0,
                                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                }
                break;
            }
            default:
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
                break;
            }
        }
        m_bTearOffTracking = FALSE;
        keepTorn = m_pTearOffBar != nullptr;
    }
    if (keepTorn) {
        m_pTearOffBar->InternalRelease();
        m_pTearOffBar = nullptr;
        if (CUTKCommandBars* bars = GetCommandBars()) {
            bars->ClosePopups();
        } else {
            GetRootParent()->SetTrackingMode(FALSE, TRUE, FALSE);
        }
    }
}
