// The shadow manager: creates, places, joins and removes the shadow windows.
#include "toolkit/common/CUTKShadowManager.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKHookManager.h"
#include "toolkit/common/ShadowPixels.h"

#include <memory>
#include <vector>

namespace {

constexpr UINT kShowNoActivate =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
constexpr UINT kMoveOnly = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

CRect WindowRectOf(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

}  // namespace

CUTKShadowManager::CUTKShadowManager() : m_shadows(new CShadowList)
{
    // Looked up in the already loaded USER32: systems without layered windows lack it.
    HMODULE user32 = ::GetModuleHandleW(L"USER32");
    if (user32 != nullptr) {
        m_updateLayeredWindow = reinterpret_cast<PFNUPDATELAYEREDWINDOW>(
            reinterpret_cast<void*>(::GetProcAddress(user32, "UpdateLayeredWindow")));
    }
    m_alphaShadows = m_updateLayeredWindow != nullptr && !GetColorManager()->IsLowResolution();
}

CUTKShadowManager::~CUTKShadowManager()
{
    // The shadow windows hold references to the manager, so none is left here.
    delete m_shadows;
}

int CUTKShadowManager::GetThickness() const noexcept
{
    return m_alphaShadows ? ShadowPixels::alphaThickness : ShadowPixels::solidThickness;
}

void CUTKShadowManager::SetShadow(CWnd* bar, const CRect& exclusionRect, LPVOID group)
{
    if (bar == nullptr || !::IsWindow(bar->GetSafeHwnd())) {
        return;
    }
    if ((m_options & optionAlways) == 0) {
        BOOL dropShadow = FALSE;
        if (!m_alphaShadows ||
            !::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &dropShadow, 0) || !dropShadow) {
            return;
        }
    }
    const HWND owner = bar->GetSafeHwnd();
    const CRect barRect = WindowRectOf(owner);
    CreateShadow(ShadowPixels::kindBottom, barRect, exclusionRect, owner, FALSE, group);
    CreateShadow(ShadowPixels::kindRight, barRect, exclusionRect, owner, FALSE, group);
    CRgn region;
    if (region.CreateRectRgn(0, 0, 0, 0) && ::GetWindowRgn(owner, region) == COMPLEXREGION) {
        CreateShadow(ShadowPixels::kindCorner, barRect, exclusionRect, owner, FALSE, group);
    }
}

void CUTKShadowManager::SetRectShadow(int left, int top, int right, int bottom, CWnd* owner)
{
    if ((m_options & (optionAlways | optionClipExclusion)) !=
            (optionAlways | optionClipExclusion) ||
        owner == nullptr || !::IsWindow(owner->GetSafeHwnd())) {
        return;
    }
    const CRect rect(left, top, right, bottom);
    const CRect noExclusion(0, 0, 0, 0);
    CreateShadow(ShadowPixels::kindBottom, rect, noExclusion, owner->GetSafeHwnd(), TRUE, nullptr);
    CreateShadow(ShadowPixels::kindRight, rect, noExclusion, owner->GetSafeHwnd(), TRUE, nullptr);
}

CUTKShadowManager::CShadowWnd* CUTKShadowManager::CreateShadow(int kind, const CRect& barRect,
                                                               const CRect& exclusionRect,
                                                               HWND owner, BOOL rectangleShadow,
                                                               LPVOID group)
{
    auto shadow = std::make_unique<CShadowWnd>(this, owner, group, rectangleShadow);
    shadow->m_kind = kind;
    LPCTSTR className = AfxRegisterWndClass(m_saveBits ? (CS_SAVEBITS | CS_OWNDC) : 0,
                                            ::LoadCursorW(nullptr, IDC_ARROW));
    const DWORD exStyle = m_alphaShadows ? (WS_EX_LAYERED | WS_EX_TOOLWINDOW) : WS_EX_TOOLWINDOW;
    if (!shadow->CreateEx(exStyle, className, L"", WS_POPUP, 0, 0, 0, 0, ::GetParent(owner),
                          nullptr)) {
        return nullptr;
    }
    ::SetWindowRgn(shadow->m_hWnd, nullptr, FALSE);
    CRect rect = ShadowPixels::StripRect(kind, barRect, GetThickness());
    shadow->MoveWindow(&rect, FALSE);

    // Join the strips of a neighbouring popup (a submenu beside its parent menu).
    for (POSITION pos = m_shadows->GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* other = m_shadows->GetNext(pos);
        if (other->m_hWnd == nullptr) {
            continue;
        }
        const CRect joined =
            ShadowPixels::JoinNeighbour(kind, rect, other->m_kind, WindowRectOf(other->m_hWnd));
        if (joined != rect) {
            rect = joined;
            shadow->MoveWindow(&rect, FALSE);
        }
    }

    CShadowWnd* created = shadow.release();
    m_shadows->AddTail(created);
    if ((m_options & optionClipExclusion) != 0) {
        created->ExcludeRect(exclusionRect);
    }
    // Shadows of one group stay off the windows that cast the others.
    for (POSITION pos = m_shadows->GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* other = m_shadows->GetNext(pos);
        if (other->m_group != group || other->m_owner == nullptr) {
            continue;
        }
        if (kind == ShadowPixels::kindCorner && other->m_owner == owner) {
            continue;
        }
        created->ExcludeRect(WindowRectOf(other->m_owner));
    }

    const BOOL topmost = (::GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(created->m_hWnd, topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   kShowNoActivate);
    GetHookManager()->SetHook(owner, created);
    return created;
}

void CUTKShadowManager::OffsetShadow(CWnd* owner, int dx, int dy)
{
    const HWND ownerWnd = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    if (ownerWnd == nullptr) {
        return;
    }
    const BOOL rtl = (::GetWindowLongW(ownerWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    for (POSITION pos = m_shadows->GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* shadow = m_shadows->GetNext(pos);
        if (shadow->m_owner != ownerWnd || shadow->m_hWnd == nullptr ||
            shadow->m_rectangleShadow) {
            continue;
        }
        ::SetWindowRgn(shadow->m_hWnd, nullptr, FALSE);
        shadow->m_regionSet = FALSE;
        const CRect rect = WindowRectOf(shadow->m_hWnd);
        int x = rect.left;
        int y = rect.top;
        int cx = rect.Width();
        int cy = rect.Height();
        switch (shadow->m_kind) {
        case ShadowPixels::kindBottom:
            // Left to right it keeps its left end; mirrored, its right end.
            x -= rtl ? dx : 0;
            y += dy;
            cx += dx;
            break;
        case ShadowPixels::kindRight:
            x += rtl ? 0 : dx;
            cy += dy;
            break;
        default:
            x += rtl ? 0 : dx;
            y += dy;
            break;
        }
        ::SetWindowPos(shadow->m_hWnd, nullptr, x, y, cx, cy, kMoveOnly);
    }
}

void CUTKShadowManager::RemoveShadow(CWnd* owner)
{
    const HWND ownerWnd = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    std::vector<CShadowWnd*> shadows;
    for (POSITION pos = m_shadows->GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* shadow = m_shadows->GetNext(pos);
        if (shadow->m_owner == ownerWnd) {
            shadows.push_back(shadow);
        }
    }
    // The last shadow may hold the last reference to this manager.
    InternalAddRef();
    for (CShadowWnd* shadow : shadows) {
        GetHookManager()->RemoveHook(ownerWnd, shadow);
        DestroyShadow(shadow);
    }
    InternalRelease();
}

void CUTKShadowManager::DestroyShadow(CShadowWnd* shadow)
{
    if (shadow == nullptr) {
        return;
    }
    if (shadow->m_hWnd != nullptr) {
        shadow->ShowWindow(SW_HIDE);
    }
    shadow->m_owner = nullptr;
    for (POSITION pos = m_shadows->GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        if (m_shadows->GetNext(pos) == shadow) {
            m_shadows->RemoveAt(at);
            break;
        }
    }
    if (shadow->m_hWnd != nullptr) {
        shadow->DestroyWindow();
    }
    // Releases the shadow's reference to this manager: nothing of it is touched afterwards.
    delete shadow;
}
