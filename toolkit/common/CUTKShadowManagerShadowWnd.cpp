// One shadow window: paints or renders its strip and follows its owner through the hook.
#include "toolkit/common/CUTKShadowManager.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKHookManager.h"
#include "toolkit/common/ShadowPixels.h"

#include "platform/base/CSelectGuard.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CUTKShadowManager::CShadowWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_PAINT()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CUTKShadowManager::CShadowWnd::CShadowWnd(CUTKShadowManager* manager, HWND owner, LPVOID group,
                                          BOOL rectangleShadow)
    : m_owner(owner), m_group(group), m_rectangleShadow(rectangleShadow), m_manager(manager)
{
    m_manager->InternalAddRef();
}

CUTKShadowManager::CShadowWnd::~CShadowWnd()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    m_manager->InternalRelease();
}

int CUTKShadowManager::CShadowWnd::OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam,
                                                 LPARAM& /*lParam*/, LRESULT& /*result*/)
{
    switch (message) {
    case WM_SHOWWINDOW:
        ShowWindow(wParam != 0 ? SW_SHOWNA : SW_HIDE);
        break;
    case WM_DESTROY:
        // Both calls end this object's life; the sink dispatching this message skips the slot
        // it leaves.
        GetHookManager()->RemoveHook(hWnd, this);
        m_manager->DestroyShadow(this);
        return hookContinue;
    default:
        break;
    }
    return hookContinue;
}

BOOL CUTKShadowManager::CShadowWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

LRESULT CUTKShadowManager::CShadowWnd::OnNcHitTest(CPoint /*point*/)
{
    return HTTRANSPARENT;
}

void CUTKShadowManager::CShadowWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_manager->m_alphaShadows ? RGB(0, 0, 0)
                                                         : GetColorManager()->GetColor(16));
}

void CUTKShadowManager::CShadowWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (cx > 0 && cy > 0 && m_manager->m_alphaShadows &&
        m_manager->m_updateLayeredWindow != nullptr && m_owner != nullptr) {
        UpdateLayered(cx, cy);
    }
}

void CUTKShadowManager::CShadowWnd::UpdateLayered(int cx, int cy)
{
    const std::vector<DWORD> pixels =
        ShadowPixels::Render(m_kind, cx, cy, (m_manager->m_options & optionAlways) != 0,
                             m_manager->m_shadowColor);
    HDC windowDC = ::GetDC(m_hWnd);
    CDC memoryDC;
    const BOOL created = memoryDC.CreateCompatibleDC(CDC::FromHandle(windowDC));
    ::ReleaseDC(m_hWnd, windowDC);
    if (!created || pixels.empty()) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap bitmap;
    if (!bitmap.Attach(::CreateDIBSection(memoryDC.m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr,
                                          0)) ||
        bits == nullptr) {
        return;
    }
    auto* rows = static_cast<DWORD*>(bits);
    const size_t stride = static_cast<size_t>(cx);
    for (int y = 0; y < cy; ++y) {
        std::memcpy(rows + static_cast<size_t>(cy - 1 - y) * stride,
                    pixels.data() + static_cast<size_t>(y) * stride, stride * sizeof(DWORD));
    }
    CSelectGuard select(memoryDC.m_hDC, bitmap.m_hObject);
    SIZE size{cx, cy};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    m_manager->m_updateLayeredWindow(m_hWnd, nullptr, nullptr, &size, memoryDC.m_hDC, &source, 0,
                                     &blend, ULW_ALPHA);
}

void CUTKShadowManager::CShadowWnd::ExcludeRect(const CRect& rect)
{
    const CRect window = [this] {
        CRect r;
        GetWindowRect(&r);
        return r;
    }();
    CRect cut;
    if (!cut.IntersectRect(&window, &rect)) {
        return;
    }
    cut.OffsetRect(-window.left, -window.top);
    // Cuts add up: a shadow beside two popups of its group stays off both.
    CRgn region;
    CRgn removed;
    if (!region.CreateRectRgn(0, 0, window.Width(), window.Height()) ||
        !removed.CreateRectRgnIndirect(&cut)) {
        return;
    }
    if (m_regionSet) {
        ::GetWindowRgn(m_hWnd, static_cast<HRGN>(region.m_hObject));
    }
    ::CombineRgn(static_cast<HRGN>(region.m_hObject), static_cast<HRGN>(region.m_hObject),
                 static_cast<HRGN>(removed.m_hObject), RGN_DIFF);
    // The window owns the region from here on.
    ::SetWindowRgn(m_hWnd, static_cast<HRGN>(region.Detach()), TRUE);
    m_regionSet = TRUE;
}
