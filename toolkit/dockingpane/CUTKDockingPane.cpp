// The docking pane: its title parts, options, attached window and how the window follows the
// pane through layout passes and containers; its saved keys.
#include "toolkit/dockingpane/CUTKDockingPane.h"

#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CUTKDockingPane, CCmdTarget)

namespace {

// The holder a stored number names, when it is a tabbed container.
CUTKDockingPaneTabbedContainer* HolderFromIndex(CUTKPropExchange* px, int index)
{
    CUTKDockingPaneBase* object = CUTKDockingPaneLayout::LookupIndex(px, index);
    if (!object || object->GetType() != dockingPaneTypeTabbedContainer) {
        return nullptr;
    }
    return static_cast<CUTKDockingPaneTabbedContainer*>(
        static_cast<CUTKDockingPaneBaseContainer*>(object));
}

int IndexOf(CUTKDockingPaneTabbedContainer* holder)
{
    return holder ? holder->m_nIndex : 0;
}

BOOL CALLBACK SendInitialUpdate(HWND window, LPARAM)
{
    ::SendMessageW(window, WM_INITIALUPDATE, 0, 0);
    return TRUE;
}

}  // namespace

CUTKDockingPane::CUTKDockingPane(CUTKDockingPaneLayout* layout)
    : CUTKDockingPaneBase(dockingPaneTypePane, layout)
{
    EnableAutomation();
}

CUTKDockingPane::~CUTKDockingPane() = default;

void CUTKDockingPane::SetFocus()
{
    if (!m_hwndChild) {
        return;
    }
    const HWND focus = ::GetFocus();
    if (focus != m_hwndChild && !::IsChild(m_hwndChild, focus)) {
        ::SetFocus(m_hwndChild);
    }
}

CString CUTKDockingPane::GetTitle() const
{
    return m_strTitle;
}

CString CUTKDockingPane::GetTabCaption() const
{
    return m_strTabCaption.IsEmpty() ? m_strTitle : m_strTabCaption;
}

CString CUTKDockingPane::GetTitleToolTip() const
{
    return m_strTitleToolTip;
}

CUTKImageManagerIcon* CUTKDockingPane::GetIcon(int width) const
{
    const CUTKDockingPaneManager* manager = GetDockingPaneManager();
    if (!manager) {
        return nullptr;
    }
    return manager->GetIcon(m_nIconID == -1 ? m_nID : m_nIconID, width);
}

COLORREF CUTKDockingPane::GetItemColor() const
{
    if (m_clrItemTab != static_cast<COLORREF>(-1)) {
        return m_clrItemTab;
    }
    if (m_hwndChild) {
        const LRESULT answer = ::SendMessageW(m_hwndChild, WM_DOCKINGPANE_GETTABCOLOR, 0, 0);
        if (answer != 0) {
            return static_cast<COLORREF>(answer);
        }
    }
    // One of the eight automatic colours; a negative id falls below them, a plain colour.
    return static_cast<COLORREF>(0x1000000 + m_nID % 8);
}

void CUTKDockingPane::Copy(CUTKDockingPane* source)
{
    m_szDocking = source->m_szDocking;
    m_strTitle = source->m_strTitle;
    m_strTabCaption = source->m_strTabCaption;
    m_strTitleToolTip = source->m_strTitleToolTip;
    m_nIconID = source->m_nIconID;
    m_dwOptions = source->m_dwOptions;
    m_dwData = source->m_dwData;
    m_nID = source->m_nID;
    m_dwEnabled = source->m_dwEnabled;
    m_ptMinTrackSize = source->m_ptMinTrackSize;
    m_ptMaxTrackSize = source->m_ptMaxTrackSize;
    m_hwndChild = nullptr;
}

void CUTKDockingPane::Copy(CUTKDockingPaneBase* source, CUTKDockingPaneCloneMap* map,
                           DWORD ignoredOptions)
{
    (void)map;
    (void)ignoredOptions;
    if (source && source->GetType() == dockingPaneTypePane) {
        Copy(static_cast<CUTKDockingPane*>(source));
    }
}

void CUTKDockingPane::GetMinMaxInfo(LPMINMAXINFO minMaxInfo) const
{
    ZeroMemory(minMaxInfo, sizeof(MINMAXINFO));
    minMaxInfo->ptMinTrackSize = m_ptMinTrackSize;
    minMaxInfo->ptMaxTrackSize = m_ptMaxTrackSize;
}

CWnd* CUTKDockingPane::GetDockingSite() const
{
    return m_pParentContainer ? m_pParentContainer->GetDockingSite() : nullptr;
}

BOOL CUTKDockingPane::IsHidden() const
{
    return m_pParentContainer ? m_pParentContainer->IsHidden() : FALSE;
}

void CUTKDockingPane::OnSizeParent(CWnd* parent, CRect rect, LPVOID layoutParams)
{
    m_pDockingSite = parent;
    auto* params = static_cast<AFX_SIZEPARENTPARAMS*>(layoutParams);
    if (params && !params->hDWP) {
        return;  // a size query
    }
    m_rcWindow = rect;
    ShowWindow(!rect.IsRectEmpty());

    if (m_hwndChild && m_pParentContainer && !rect.IsRectEmpty()) {
        const HWND from = parent ? parent->GetSafeHwnd() : nullptr;
        const HWND to = m_pParentContainer->GetPaneHwnd();
        if (from && to && from != to) {
            ::MapWindowPoints(from, to, reinterpret_cast<POINT*>(&rect), 2);
        }
        ::MoveWindow(m_hwndChild, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
        ::EnableWindow(m_hwndChild, (m_dwEnabled & PaneEnabled) ? TRUE : FALSE);
    }
}

void CUTKDockingPane::SetParentContainer(CUTKDockingPaneBase* container)
{
    m_pParentContainer = container;
    if (!m_hwndChild) {
        return;
    }
    if (container) {
        if (const HWND holder = container->GetPaneHwnd()) {
            ::SetParent(m_hwndChild, holder);
        }
        return;
    }
    // Closed or moving out: the window waits hidden under the manager.
    ::ShowWindow(m_hwndChild, SW_HIDE);
    if (CUTKDockingPaneManager* manager = GetDockingPaneManager();
        manager && manager->GetSafeHwnd()) {
        ::SetParent(m_hwndChild, manager->GetSafeHwnd());
    }
    m_pDockingSite = nullptr;
}

BOOL CUTKDockingPane::DoPropExchange(CUTKPropExchange* px)
{
    CUTKDockingPaneBase::DoPropExchange(px);

    CString title;
    if (px->IsStoring()) {
        title = m_strTitle + L"\n" + m_strTabCaption + L"\n" + m_strTitleToolTip;
    }
    ExchangeStringProp(px, L"Title", title);
    ExchangeIntPropDefault(px, L"ID", m_nID, 0);
    ExchangeIntPropDefault(px, L"IconID", m_nIconID, -1);
    int options = static_cast<int>(m_dwOptions);
    ExchangeIntPropDefault(px, L"Options", options, 0);
    m_dwOptions = static_cast<DWORD>(options);

    if (px->IsStoring()) {
        // Written for every pane, 0 without a pane-list entry, so that a stream that holds
        // every value in order stays in step.
        UTK_DOCKINGPANE_INFO* info = m_pLayout ? m_pLayout->FindPaneInfo(this) : nullptr;
        int docking = info ? IndexOf(info->pDockingHolder) : 0;
        int floating = info ? IndexOf(info->pFloatingHolder) : 0;
        int last = info ? IndexOf(info->pLastHolder) : 0;
        ExchangeIntPropDefault(px, L"DockingHolder", docking, 0);
        ExchangeIntPropDefault(px, L"FloatingHolder", floating, 0);
        ExchangeIntPropDefault(px, L"LastHolder", last, 0);
    } else {
        int docking = 0;
        int floating = 0;
        int last = 0;
        ExchangeIntPropDefault(px, L"DockingHolder", docking, 0);
        ExchangeIntPropDefault(px, L"FloatingHolder", floating, 0);
        ExchangeIntPropDefault(px, L"LastHolder", last, 0);
        if (m_pLayout && !m_pLayout->FindPaneInfo(this)) {
            UTK_DOCKINGPANE_INFO info;
            info.pPane = this;
            info.pFloatingHolder = HolderFromIndex(px, floating);
            info.pDockingHolder = HolderFromIndex(px, docking);
            info.pLastHolder = HolderFromIndex(px, last);
            m_pLayout->m_lstPanes.AddTail(info);
        }
    }

    int minX = m_ptMinTrackSize.x;
    int minY = m_ptMinTrackSize.y;
    int maxX = m_ptMaxTrackSize.x;
    int maxY = m_ptMaxTrackSize.y;
    ExchangeIntPropDefault(px, L"MinTrackX", minX, 0);
    ExchangeIntPropDefault(px, L"MinTrackY", minY, 0);
    ExchangeIntPropDefault(px, L"MaxTrackX", maxX, 32000);
    ExchangeIntPropDefault(px, L"MaxTrackY", maxY, 32000);
    m_ptMinTrackSize = CPoint(minX, minY);
    m_ptMaxTrackSize = CPoint(maxX, maxY);

    if (px->m_nSchema > 9) {
        int color = static_cast<int>(m_clrItemTab);
        int help = static_cast<int>(m_nHelpId);
        int tag = static_cast<int>(m_dwData);
        ExchangeIntPropDefault(px, L"TabColor", color, -1);
        ExchangeIntPropDefault(px, L"HelpId", help, 0);
        ExchangeIntPropDefault(px, L"Tag", tag, 0);
        m_clrItemTab = static_cast<COLORREF>(color);
        m_nHelpId = static_cast<DWORD>(help);
        m_dwData = static_cast<DWORD>(tag);
    }

    if (px->IsLoading()) {
        // Title, tab caption and tooltip; missing parts are empty.
        const int first = title.Find(L'\n');
        if (first < 0) {
            m_strTitle = title;
            m_strTabCaption.Empty();
            m_strTitleToolTip.Empty();
        } else {
            m_strTitle = title.Left(first);
            const CString rest = title.Mid(first + 1);
            const int second = rest.Find(L'\n');
            m_strTabCaption = second < 0 ? rest : rest.Left(second);
            m_strTitleToolTip = second < 0 ? CString() : rest.Mid(second + 1);
        }
    }
    return m_nID > 0;
}

void CUTKDockingPane::DeletePane()
{
    InternalRelease();
}

void CUTKDockingPane::SetTitle(LPCWSTR title)
{
    const CString text = title ? title : L"";
    if (text == m_strTitle) {
        return;
    }
    const int first = text.Find(L'\n');
    if (first < 0) {
        m_strTitle = text;
    } else {
        m_strTitle = text.Left(first);
        const CString rest = text.Mid(first + 1);
        const int second = rest.Find(L'\n');
        m_strTabCaption = second < 0 ? rest : rest.Left(second);
    }
    RefreshPane(FALSE);
}

void CUTKDockingPane::SetID(int id)
{
    m_nID = id;
    CString text;
    if (id > 0 && GetResourceManager()->LoadString(&text, static_cast<UINT>(id)) &&
        !text.IsEmpty()) {
        SetTitle(text);
    }
}

void CUTKDockingPane::SetTabCaption(LPCWSTR caption)
{
    m_strTabCaption = caption ? caption : L"";
    RefreshPane(FALSE);
}

DWORD CUTKDockingPane::GetOptions() const
{
    const CUTKDockingPaneManager* manager = GetDockingPaneManager();
    return m_dwOptions | (manager ? manager->m_dwDefaultPaneOptions : 0);
}

void CUTKDockingPane::Attach(HWND window)
{
    if (!window) {
        return;
    }
    m_hwndChild = window;
    CUTKDockingPaneManager* manager = GetDockingPaneManager();
    if (manager) {
        manager->RecalcAllLayouts();
    }
    if (m_pParentContainer) {
        if (const HWND holder = m_pParentContainer->GetPaneHwnd()) {
            ::SetParent(m_hwndChild, holder);
        }
    }
    if (manager && manager->m_bInitialUpdateCalled && manager->m_bSendInitialUpdate) {
        ::SendMessageW(m_hwndChild, WM_INITIALUPDATE, 0, 0);
        ::EnumChildWindows(m_hwndChild, SendInitialUpdate, 0);
    }
}

void CUTKDockingPane::Attach(CWnd* window)
{
    Attach(window ? window->GetSafeHwnd() : nullptr);
}

void CUTKDockingPane::Detach()
{
    CUTKDockingPaneManager* manager = GetDockingPaneManager();
    if (m_hwndChild) {
        ::ShowWindow(m_hwndChild, SW_HIDE);
        CWnd* site = manager ? manager->GetSite() : nullptr;
        if (site && site->GetSafeHwnd()) {
            ::SetParent(m_hwndChild, site->GetSafeHwnd());
        }
        m_hwndChild = nullptr;
    }
    if (manager) {
        manager->RecalcAllLayouts();
    }
}

void CUTKDockingPane::SetPaneRect(CRect rect)
{
    m_rcWindow = rect;
    m_szDocking = CSize(rect.Width(), rect.Height());
}

BOOL CUTKDockingPane::IsSelected() const
{
    if (!m_pParentContainer || m_pParentContainer->GetType() != dockingPaneTypeTabbedContainer) {
        return FALSE;
    }
    const auto* holder = static_cast<const CUTKDockingPaneTabbedContainer*>(
        static_cast<const CUTKDockingPaneBaseContainer*>(m_pParentContainer));
    return holder->GetSelected() == this;
}

BOOL CUTKDockingPane::IsFloating() const
{
    if (!m_pParentContainer || IsHidden() || !m_pParentContainer->GetPaneHwnd()) {
        return FALSE;
    }
    // Floating frames are known by their class name: their class lives beside the
    // floating code, which this file does not depend on.
    CWnd* site = GetDockingSite();
    for (const CRuntimeClass* cls = site ? site->GetRuntimeClass() : nullptr; cls;
         cls = cls->m_pBaseClass) {
        if (std::strcmp(cls->m_lpszClassName, "CUTKDockingPaneMiniWnd") == 0) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CUTKDockingPane::HasFocus() const
{
    if (!m_hwndChild) {
        return FALSE;
    }
    const HWND focus = ::GetFocus();
    return focus && (focus == m_hwndChild || ::IsChild(m_hwndChild, focus));
}

void CUTKDockingPane::Select()
{
    if (CUTKDockingPaneManager* manager = GetDockingPaneManager()) {
        manager->ShowPane(this, TRUE);
    }
}

void CUTKDockingPane::Close()
{
    if (CUTKDockingPaneManager* manager = GetDockingPaneManager()) {
        manager->ClosePane(this);
    }
}

void CUTKDockingPane::Hide()
{
    if (CUTKDockingPaneManager* manager = GetDockingPaneManager()) {
        manager->HidePane(this);
    }
}

void CUTKDockingPane::ShowWindow(BOOL show)
{
    if (show) {
        if (CUTKDockingPaneManager* manager = GetDockingPaneManager()) {
            manager->NotifyOwner(DOCKINGPANE_SHOWWINDOW, reinterpret_cast<LPARAM>(this));
        }
    }
    if (m_hwndChild) {
        ::ShowWindow(m_hwndChild, show ? SW_SHOW : SW_HIDE);
    }
}
