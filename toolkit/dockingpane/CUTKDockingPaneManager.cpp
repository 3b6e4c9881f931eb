// The docking pane manager: installation in the site frame, the object factory, themes,
// notifications to the owner, activation, the frame layout pass and the pane holders.
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"

#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include "platform/framework/frame/CFrameWnd.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneClientContainer.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

IMPLEMENT_DYNAMIC(CUTKDockingPaneManager, CWnd)

BEGIN_MESSAGE_MAP(CUTKDockingPaneManager, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_DESTROY()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CUTKDockingPaneManager::CUTKDockingPaneManager()
{
    SetTheme(0);
    m_pImageManager = new CUTKImageManager();
    m_pToolTipContext = new CUTKToolTipContext();
    if (HMODULE user32 = ::GetModuleHandleW(L"USER32")) {
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<SetLayeredWindowAttributesFn>(
            reinterpret_cast<void*>(::GetProcAddress(user32, "SetLayeredWindowAttributes")));
    }
    RegisterWndClass(nullptr, L"UTKDockingPaneSplitter", 0);
    RegisterWndClass(nullptr, L"UTKDockingPaneTabbedContainer", CS_DBLCLKS);
    RegisterWndClass(nullptr, L"UTKDockingPaneManager", 0);
    RegisterWndClass(nullptr, L"UTKDockingPaneAutoHidePanel", 0);
    RegisterWndClass(nullptr, L"UTKDockingPaneMiniWnd", CS_DBLCLKS);
    RegisterWndClass(nullptr, L"UTKDockingPaneSidePanel", CS_DBLCLKS);
    // A thread already in another apartment answers RPC_E_CHANGED_MODE: then this manager
    // owes no OleUninitialize.
    m_bOleInitialized = SUCCEEDED(::OleInitialize(nullptr));
}

CUTKDockingPaneManager::~CUTKDockingPaneManager()
{
    if (m_pLayout != nullptr) {
        m_pLayout->InternalRelease();
        m_pLayout = nullptr;
    }
    if (m_pActivePane != nullptr) {
        m_pActivePane->InternalRelease();
        m_pActivePane = nullptr;
    }
    if (m_pPaintManager != nullptr) {
        m_pPaintManager->InternalRelease();
        m_pPaintManager = nullptr;
    }
    if (m_pToolTipContext != nullptr) {
        m_pToolTipContext->InternalRelease();
        m_pToolTipContext = nullptr;
    }
    if (m_pImageManager != nullptr) {
        m_pImageManager->InternalRelease();
        m_pImageManager = nullptr;
    }
    if (m_bOleInitialized)
        ::OleUninitialize();
}

// ---- factory and layouts ----

CUTKDockingPaneLayout* CUTKDockingPaneManager::CreateLayout()
{
    return new CUTKDockingPaneLayout(this);
}

CUTKDockingPaneBase* CUTKDockingPaneManager::CreatePaneObject(DockingPaneType type,
                                                              CUTKDockingPaneLayout* layout)
{
    switch (type) {
    case dockingPaneTypePane: return new CUTKDockingPane(layout);
    case dockingPaneTypeTabbedContainer: return new CUTKDockingPaneTabbedContainer(layout);
    case dockingPaneTypeSplitterContainer: return new CUTKDockingPaneSplitterContainer(layout);
    case dockingPaneTypeClientContainer: return new CUTKDockingPaneClientContainer(layout);
    default:
        // Floating frames, auto-hide and side panels have no class yet.
        return nullptr;
    }
}

BOOL CUTKDockingPaneManager::InstallDockingPanes(CWnd* site, BOOL clipChildren)
{
    if (site == nullptr || site->GetSafeHwnd() == nullptr || m_pSite != nullptr)
        return FALSE;
    if (clipChildren) {
        const DWORD style = site->GetStyle();
        if ((style & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS)) != (WS_CLIPCHILDREN | WS_CLIPSIBLINGS))
            site->ModifyStyle(0, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    }
    if (!CreateEx(0, L"UTKDockingPaneManager", L"", WS_CHILD, CRect(0, 0, 0, 0), site, 0))
        return FALSE;
    m_pSite = site;
    m_pLayout = CreateLayout();
    m_pLayout->SetUserLayout(FALSE);

    m_strMove.Empty();
    if (HMENU menu = ::GetSystemMenu(site->GetSafeHwnd(), FALSE)) {
        wchar_t text[128] = {};
        if (::GetMenuStringW(menu, SC_MOVE, text, static_cast<int>(std::size(text)),
                             MF_BYCOMMAND) > 0)
            m_strMove = text;
    }
    if (m_strMove.IsEmpty())
        m_strMove = L"&Move";
    return TRUE;
}

void CUTKDockingPaneManager::SetTheme(int theme)
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = CreateDockingPanePaintTheme(theme);
    m_nTheme = theme;
    m_pPaintManager->m_nThemeNumber = theme;
    m_pPaintManager->RefreshMetrics();
    RecalcAllLayouts();
}

void CUTKDockingPaneManager::GetLayout(CUTKDockingPaneLayout* layout) const
{
    if (layout != nullptr && m_pLayout != nullptr)
        layout->Copy(m_pLayout);
}

void CUTKDockingPaneManager::SetLayout(CUTKDockingPaneLayout* layout)
{
    if (layout == nullptr || !layout->IsValid() || m_pLayout == nullptr || layout == m_pLayout)
        return;
    // The windows belong to the application: they survive the old objects.
    DetachAllPanes();
    // The active pane is one of the objects about to go.
    if (m_pActivePane != nullptr) {
        m_pActivePane->InternalRelease();
        m_pActivePane = nullptr;
    }
    m_pLayout->Copy(layout);
    m_hwndLastFocus = nullptr;
    RecalcAllLayouts();
}

CUTKDockingPane* CUTKDockingPaneManager::FindPane(int id) const
{
    if (m_pLayout == nullptr)
        return nullptr;
    for (POSITION pos = m_pLayout->m_lstPanes.GetHeadPosition(); pos;) {
        CUTKDockingPane* pane = m_pLayout->m_lstPanes.GetNext(pos).pPane;
        if (pane != nullptr && pane->GetID() == id)
            return pane;
    }
    return nullptr;
}

CUTKDockingPaneInfoList& CUTKDockingPaneManager::GetPaneList() const
{
    return m_pLayout->GetPaneList();
}

CUTKDockingPaneBaseList& CUTKDockingPaneManager::GetPaneObjects() const
{
    return m_pLayout->GetPaneObjects();
}

CUTKDockingPaneClientContainer* CUTKDockingPaneManager::GetClientContainer() const
{
    return m_pLayout ? m_pLayout->GetClientContainer() : nullptr;
}

CUTKDockingPaneBase* CUTKDockingPaneManager::GetTopContainer() const
{
    if (m_pLayout == nullptr || m_pLayout->GetTopContainer() == nullptr)
        return nullptr;
    return m_pLayout->GetTopContainer();
}

CUTKImageManagerIcon* CUTKDockingPaneManager::GetIcon(int iconId, int width) const
{
    return m_pImageManager ? m_pImageManager->GetImage(static_cast<UINT>(iconId), width) : nullptr;
}

BOOL CUTKDockingPaneManager::IsLayoutRTL() const
{
    return m_pSite != nullptr && m_pSite->GetSafeHwnd() != nullptr &&
           (m_pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

int CUTKDockingPaneManager::MapDirectionRTL(int direction) const
{
    if (IsLayoutRTL() && (direction == 0 || direction == 1))
        return 1 - direction;
    return direction;
}

int CUTKDockingPaneManager::GetAutoHideSide(CUTKDockingPaneBase* object) const
{
    return m_pLayout ? m_pLayout->GetAutoHideSide(object) : 2;
}

// ---- notifications and activation ----

LRESULT CUTKDockingPaneManager::NotifyOwner(WPARAM code, LPARAM data)
{
    HWND target = m_hWnd ? ::GetWindow(m_hWnd, GW_OWNER) : nullptr;
    if (target == nullptr && m_pSite != nullptr)
        target = m_pSite->GetSafeHwnd();
    if (target == nullptr)
        return 0;
    return ::SendMessageW(target, WM_DOCKINGPANE_NOTIFY, code, data);
}

BOOL CUTKDockingPaneManager::NotifyAction(int action, CUTKDockingPane* pane,
                                          CUTKDockingPaneBase* container, void* extra)
{
    DOCKINGPANE_ACTION_RECORD record;
    record.action = action;
    record.cancel = (pane != nullptr && (pane->GetEnabled() & PaneActionsEnabled) == 0) ? 1 : 0;
    record.pane = pane;
    record.container = container;
    record.extra = extra;
    NotifyOwner(DOCKINGPANE_ACTION, reinterpret_cast<LPARAM>(&record));
    return record.cancel;
}

void CUTKDockingPaneManager::SetActivePane(BOOL active, CUTKDockingPane* pane)
{
    if (active) {
        if (pane == m_pActivePane)
            return;
        if (m_pActivePane != nullptr) {
            CUTKDockingPane* old = m_pActivePane;
            m_pActivePane = nullptr;
            NotifyAction(actionDeactivated, old);
            old->InternalRelease();
        }
        m_pActivePane = pane;
        if (pane != nullptr) {
            pane->InternalAddRef();
            NotifyAction(actionActivated, pane);
        }
        return;
    }
    if (pane != nullptr && pane == m_pActivePane) {
        m_pActivePane = nullptr;
        NotifyAction(actionDeactivated, pane);
        pane->InternalRelease();
    }
}

// ---- layout passes ----

void CUTKDockingPaneManager::RecalcFrameLayout(CUTKDockingPaneBase* object, BOOL delayed)
{
    CWnd* window = object ? object->GetDockingSite() : m_pSite;
    if (window == nullptr || !::IsWindow(window->GetSafeHwnd()))
        return;
    if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, window)) {
        if (delayed) {
            frame->m_nIdleFlags |= CFrameWnd::idleLayout;
            frame->PostMessage(WM_IDLEUPDATECMDUI);
        } else {
            frame->RecalcLayout(FALSE);
        }
        return;
    }
    CRect client;
    window->GetClientRect(&client);
    const LPARAM size = MAKELPARAM(client.Width(), client.Height());
    if (!delayed) {
        window->SendMessage(WM_SIZE, SIZE_RESTORED, size);
        return;
    }
    MSG pending;
    if (!::PeekMessageW(&pending, window->GetSafeHwnd(), WM_SIZE, WM_SIZE, PM_NOREMOVE))
        window->PostMessage(WM_SIZE, SIZE_RESTORED, size);
}

void CUTKDockingPaneManager::RecalcAllLayouts()
{
    if (m_hWnd == nullptr || m_pLayout == nullptr)
        return;
    for (POSITION pos = m_pLayout->m_lstPanes.GetHeadPosition(); pos;) {
        CUTKDockingPane* pane = m_pLayout->m_lstPanes.GetNext(pos).pPane;
        if (pane == nullptr)
            continue;
        RecalcFrameLayout(pane, TRUE);
        if (CUTKDockingPaneBase* parent = pane->GetContainer())
            parent->RefreshPane(FALSE);
    }
}

void CUTKDockingPaneManager::SyncSplitterSizes()
{
    if (m_pLayout == nullptr)
        return;
    for (POSITION pos = m_pLayout->m_lstObjects.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* object = m_pLayout->m_lstObjects.GetNext(pos);
        if (object->GetType() == dockingPaneTypeSplitterContainer)
            static_cast<CUTKDockingPaneSplitterContainer*>(object)->SyncDockingSizes();
    }
}

void CUTKDockingPaneManager::UpdatePaneHolders()
{
    if (m_pLayout == nullptr)
        return;
    for (POSITION pos = m_pLayout->m_lstPanes.GetHeadPosition(); pos;) {
        UTK_DOCKINGPANE_INFO& entry = m_pLayout->m_lstPanes.GetNext(pos);
        CUTKDockingPane* pane = entry.pPane;
        if (pane == nullptr)
            continue;
        CWnd* site = pane->GetDockingSite();
        CUTKDockingPaneBase* parent = pane->GetContainer();
        if (site == nullptr || parent == nullptr ||
            parent->GetType() != dockingPaneTypeTabbedContainer)
            continue;
        CUTKDockingPaneBase* grandParent = parent->GetContainer();
        if (grandParent != nullptr && grandParent->GetType() == dockingPaneTypeAutoHidePanel)
            continue;
        auto* holder = static_cast<CUTKDockingPaneTabbedContainer*>(parent);
        entry.pLastHolder = holder;
        // Floating frames are the only sites besides the frame itself.
        if (site != m_pSite)
            entry.pFloatingHolder = holder;
        else
            entry.pDockingHolder = holder;
    }
}

// ---- messages ----

LRESULT CUTKDockingPaneManager::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* params = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (params != nullptr && m_pLayout != nullptr && m_pLayout->GetTopContainer() != nullptr) {
        m_pLayout->OnSizeParent(m_pSite, CRect(params->rect), params);
        UpdatePaneHolders();
        m_bLayoutCreated = TRUE;
    }
    return 0;
}

void CUTKDockingPaneManager::UpdateFocus()
{
    if (m_pLayout == nullptr)
        return;
    HWND focus = ::GetFocus();
    if (focus == m_hwndLastFocus)
        return;
    m_hwndLastFocus = focus;
    for (POSITION pos = m_pLayout->m_lstObjects.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* object = m_pLayout->m_lstObjects.GetNext(pos);
        const DockingPaneType type = object->GetType();
        if (type == dockingPaneTypeTabbedContainer || type == dockingPaneTypeMiniWnd ||
            type == dockingPaneTypeSidePanel)
            object->OnFocusChanged();
    }
}

LRESULT CUTKDockingPaneManager::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    UpdateFocus();
    return 0;
}

LRESULT CUTKDockingPaneManager::OnInitialUpdate(WPARAM, LPARAM)
{
    if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, m_pSite)) {
        if ((frame->m_nIdleFlags & CFrameWnd::idleLayout) != 0)
            frame->RecalcLayout(FALSE);
    }
    UpdateFocus();
    m_bInitialUpdateCalled = TRUE;
    return 0;
}

void CUTKDockingPaneManager::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    if (m_pPaintManager != nullptr)
        m_pPaintManager->RefreshMetrics();
    RecalcAllLayouts();
}

void CUTKDockingPaneManager::OnSettingChange(UINT flags, LPCTSTR section)
{
    CWnd::OnSettingChange(flags, section);
    if (m_pPaintManager != nullptr)
        m_pPaintManager->RefreshMetrics();
    if (m_pSite != nullptr && m_pSite->GetSafeHwnd() != nullptr && m_pSite->IsWindowVisible() &&
        !m_pSite->IsIconic())
        RecalcAllLayouts();
}

void CUTKDockingPaneManager::OnDestroy()
{
    // No keyboard hook is installed by this system; the options are only cleared.
    m_nKeyboardNavigation = 0;
    CWnd::OnDestroy();
}

void CUTKDockingPaneManager::OnSysCommand(UINT nID, LPARAM lParam)
{
    const UINT command = nID & 0xFFF0;
    if (command == SC_NEXTWINDOW || command == SC_PREVWINDOW) {
        ActivateNextPane(m_pActivePane, command == SC_NEXTWINDOW);
        return;
    }
    if (command == SC_KEYMENU && lParam == L'-') {
        if (m_pActivePane != nullptr && !m_pActivePane->IsClosed() && !m_pActivePane->IsHidden())
            ShowPaneMenu(m_pActivePane);
        return;
    }
    Default();
}

LRESULT CUTKDockingPaneManager::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) == OBJID_CLIENT)
        return LresultFromObject(IID_IAccessible, wParam, GetAccessible());
    return Default();
}

// ---- accessibility ----

LPUNKNOWN CUTKDockingPaneManager::GetInterfaceHook(const void* iid)
{
    const IID& riid = *static_cast<const IID*>(iid);
    if (riid == IID_IAccessible || riid == IID_IDispatch || riid == IID_IUnknown)
        return GetAccessible();
    return CWnd::GetInterfaceHook(iid);
}

HRESULT CUTKDockingPaneManager::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    if (m_hWnd == nullptr)
        return E_FAIL;
    return AccessibleObjectFromWindow(m_hWnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(ppdispParent));
}

HRESULT CUTKDockingPaneManager::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_INVALIDARG;
    *pcountChildren = m_pLayout ? static_cast<long>(m_pLayout->m_lstPanes.GetCount()) : 0;
    return S_OK;
}

HRESULT CUTKDockingPaneManager::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    const long child = GetChildIndex(&varChild);
    if (child <= 0 || m_pLayout == nullptr || child > m_pLayout->m_lstPanes.GetCount())
        return E_INVALIDARG;
    POSITION pos = m_pLayout->m_lstPanes.GetHeadPosition();
    for (long i = 1; i < child; ++i)
        m_pLayout->m_lstPanes.GetNext(pos);
    CUTKDockingPane* pane = m_pLayout->m_lstPanes.GetNext(pos).pPane;
    if (pane == nullptr)
        return E_INVALIDARG;
    IAccessible* accessible = pane->GetAccessible();
    accessible->AddRef();
    *ppdispChild = accessible;
    return S_OK;
}

HRESULT CUTKDockingPaneManager::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == nullptr)
        return E_INVALIDARG;
    *pszName = nullptr;
    if (GetChildIndex(&varChild) != 0)
        return E_INVALIDARG;
    *pszName = ::SysAllocString(L"UTKDockingPaneManager");
    return *pszName ? S_OK : E_OUTOFMEMORY;
}

HRESULT CUTKDockingPaneManager::get_accRole(VARIANT, VARIANT* pvarRole)
{
    if (pvarRole == nullptr)
        return E_INVALIDARG;
    ::VariantInit(pvarRole);
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_PROPERTYPAGE;
    return S_OK;
}

HRESULT CUTKDockingPaneManager::get_accState(VARIANT, VARIANT* pvarState)
{
    if (pvarState == nullptr)
        return E_INVALIDARG;
    ::VariantInit(pvarState);
    pvarState->vt = VT_I4;
    pvarState->lVal = 0;
    return S_OK;
}

HRESULT CUTKDockingPaneManager::accLocation(long* pxLeft, long* pyTop, long* pcxWidth,
                                            long* pcyHeight, VARIANT)
{
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_INVALIDARG;
    *pxLeft = 0;
    *pyTop = 0;
    *pcxWidth = 10;
    *pcyHeight = 10;
    return S_OK;
}

HRESULT CUTKDockingPaneManager::accHitTest(long, long, VARIANT* pvarChild)
{
    if (pvarChild == nullptr)
        return E_INVALIDARG;
    ::VariantInit(pvarChild);
    return S_FALSE;
}
