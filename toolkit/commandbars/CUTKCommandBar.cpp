// CUTKCommandBar: construction, services found through the manager or the parent chain, sizes,
// fields and the plain virtual operations of the bar base.
#include "toolkit/commandbars/CUTKCommandBar.h"

#include "toolkit/commandbars/CUTKCommandBarAnimation.h"
#include "toolkit/commandbars/CUTKCommandBars.h"

IMPLEMENT_DYNCREATE(CUTKCommandBar, CWnd)

CUTKCommandBar::CUTKCommandBar() { m_pAnimation = new CUTKCommandBarAnimation(this); }

CUTKCommandBar::~CUTKCommandBar()
{
    delete m_pAnimation;
    m_pAnimation = nullptr;
}

void CUTKCommandBar::DelayRedraw() { m_dwPending |= kPendingRedraw; }
BOOL CUTKCommandBar::SetTrackingMode(int, BOOL, BOOL) { return FALSE; }
BOOL CUTKCommandBar::LoadMenu(HMENU, BOOL) { return FALSE; }
BOOL CUTKCommandBar::SetSelected(int, int) { return FALSE; }
BOOL CUTKCommandBar::LoadToolBar(UINT, BOOL) { return FALSE; }
CSize CUTKCommandBar::GetIconSize() const { return CSize(16, 16); }
CSize CUTKCommandBar::GetButtonSize() const { return CSize(22, 22); }
BOOL CUTKCommandBar::Popup(CUTKControl*, BOOL) { return FALSE; }
void CUTKCommandBar::SetVisible(BOOL) {}
BOOL CUTKCommandBar::IsVisible() const { return FALSE; }
BOOL CUTKCommandBar::SetPosition(int) { return FALSE; }
void CUTKCommandBar::OnCustomizeDragEnter(CUTKControl*, CPoint) {}
void CUTKCommandBar::OnCustomizeDragLeave() {}
DWORD CUTKCommandBar::OnCustomizeDragOver(CUTKControl*, CPoint) { return 0; }
void CUTKCommandBar::OnCustomizeDrop(CUTKControl*, DWORD&, CPoint, CPoint) {}
BOOL CUTKCommandBar::IsCustomizable() const { return m_bCustomizable; }
void CUTKCommandBar::OnRecalcLayout() {}
void CUTKCommandBar::OnTrackLost() { SetTrackingMode(0, TRUE, FALSE); }
void CUTKCommandBar::ResetSelection() { SetSelected(-1, 0); }
void CUTKCommandBar::OnControlSelected(BOOL, CUTKControl*) {}
CUTKCommandBar* CUTKCommandBar::GetParentCommandBar() const { return nullptr; }
BOOL CUTKCommandBar::IsDialogBar() const { return FALSE; }
BOOL CUTKCommandBar::IsRibbonBar() const { return FALSE; }
BOOL CUTKCommandBar::IsPopupBar() const { return FALSE; }
void CUTKCommandBar::DoPropExchange(CUTKPropExchange*) {}
BOOL CUTKCommandBar::IsKeyboardCuesVisible() const { return TRUE; }
void CUTKCommandBar::Redraw(LPCRECT, BOOL) {}
void CUTKCommandBar::DrawCommandBar(CDC*, CRect) {}
void CUTKCommandBar::EnsureControlVisible(CUTKControl*) {}
CRect CUTKCommandBar::GetBorders() { return CRect(0, 0, 0, 0); }
void CUTKCommandBar::FillCommandBarEntry(CDC*) {}
int CUTKCommandBar::GetPopupResizeMode() const { return 0; }
void CUTKCommandBar::CreateKeyboardTips() {}
void CUTKCommandBar::OnKeyboardTip(CUTKCommandBarKeyboardTip*) {}
int CUTKCommandBar::OnHookKeyDown(UINT, LPARAM) { return 1; }
CSize CUTKCommandBar::CalcDynamicLayout(int, DWORD) { return CSize(0, 0); }
BOOL CUTKCommandBar::ProcessSpecialKey(int) { return FALSE; }
void CUTKCommandBar::OnControlsChanged()
{
    m_dwPending |= kPendingRelayout;
    m_nSelected = -1;
    m_nPopuped = -1;
}
void CUTKCommandBar::Copy(CUTKCommandBar*, BOOL) {}
BOOL CUTKCommandBar::IsPointInBar(CPoint) const { return FALSE; }
void CUTKCommandBar::UpdateShortcuts() {}
void CUTKCommandBar::GenerateCommandBarList(DWORD&, CUTKCommandBarList*, void*) {}
void CUTKCommandBar::RestoreCommandBarList(CUTKCommandBarList*) {}
void CUTKCommandBar::DestroyBar() {}
void CUTKCommandBar::FindDropIndex(CUTKControl*, CPoint, CRect& rcMark, int& nDropIndex,
                                   BOOL& bDropAfter)
{
    rcMark.SetRectEmpty();
    nDropIndex = -1;
    bDropAfter = TRUE;
}
LRESULT CUTKCommandBar::OnIdleUpdate(BOOL, LPARAM) { return 0; }
BOOL CUTKCommandBar::PreviewAccel(UINT) { return FALSE; }
void CUTKCommandBar::OnPopupRButtonUp(CUTKCommandBar*, CPoint) {}
CUTKCommandBar* CUTKCommandBar::Clone(BOOL) { return nullptr; }

INT_PTR CUTKCommandBar::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }
BOOL CUTKCommandBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
void CUTKCommandBar::OnFinalRelease() { CWnd::OnFinalRelease(); }
int CUTKCommandBar::OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&) { return 0; }

HRESULT CUTKCommandBar::get_accParent(IDispatch**) { return E_FAIL; }
HRESULT CUTKCommandBar::get_accChildCount(long*) { return E_NOTIMPL; }
HRESULT CUTKCommandBar::get_accChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
HRESULT CUTKCommandBar::get_accName(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CUTKCommandBar::get_accRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CUTKCommandBar::get_accState(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CUTKCommandBar::accLocation(long*, long*, long*, long*, VARIANT) { return E_NOTIMPL; }
HRESULT CUTKCommandBar::accHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
CCmdTarget* CUTKCommandBar::GetAccessibleOwner() { return this; }
LPUNKNOWN CUTKCommandBar::GetInterfaceHook(const void* iid) { return CWnd::GetInterfaceHook(iid); }

CUTKCommandBars* CUTKCommandBar::GetCommandBars() const { return m_pCommandBars; }
CUTKCommandBar* CUTKCommandBar::GetRootParent() const { return const_cast<CUTKCommandBar*>(this); }
BOOL CUTKCommandBar::IsCustomizeMode() const { return FALSE; }
CUTKPaintManager* CUTKCommandBar::GetPaintManager() const { return m_pPaintManager; }
void CUTKCommandBar::SetPaintManager(CUTKPaintManager* p) { m_pPaintManager = p; }
CUTKImageManager* CUTKCommandBar::GetImageManager() const { return m_pImageManager; }
void CUTKCommandBar::SetImageManager(CUTKImageManager* p) { m_pImageManager = p; }
CWnd* CUTKCommandBar::GetSite() const { return nullptr; }
CWnd* CUTKCommandBar::GetOwnerSite() const { return nullptr; }
CFrameWnd* CUTKCommandBar::GetFrameSite() const { return nullptr; }
UINT CUTKCommandBar::GetActiveDocTemplate() const { return 0; }
void CUTKCommandBar::SetControls(CUTKControls* p) { m_pControls = p; }
int CUTKCommandBar::GetControlCount() const { return 0; }
CUTKControl* CUTKCommandBar::GetControl(int) const { return nullptr; }
int CUTKCommandBar::GetDefaultItem(UINT, BOOL) const { return -1; }
BOOL CUTKCommandBar::IsControlsHidden() const { return FALSE; }
BOOL CUTKCommandBar::SetPopuped(int, BOOL) { return FALSE; }
int CUTKCommandBar::FindAccel(UINT, BOOL& bSelectOnly) const
{
    bSelectOnly = FALSE;
    return -1;
}
int CUTKCommandBar::GetArrowKeyCode(UINT) const { return -1; }
int CUTKCommandBar::ArrowKeyCode(UINT, BOOL, BOOL) { return -1; }
BOOL CUTKCommandBar::IsHorizontalKeys() const { return TRUE; }
void CUTKCommandBar::OnMouseMove(UINT, CPoint) {}
void CUTKCommandBar::OnMouseLeave() {}
void CUTKCommandBar::OnLButtonDown(UINT, CPoint) {}
void CUTKCommandBar::OnLButtonUp(UINT, CPoint) {}
void CUTKCommandBar::OnLButtonDblClk(UINT, CPoint) {}
void CUTKCommandBar::OnRButtonDown(UINT, CPoint) {}
void CUTKCommandBar::OnRButtonUp(UINT, CPoint) {}
void CUTKCommandBar::OnNcMouseMove(UINT, CPoint) {}
void CUTKCommandBar::OnTimer(UINT_PTR) {}
BOOL CUTKCommandBar::IsVerticalPosition() const { return IsVerticalPosition(m_barPosition); }
BOOL CUTKCommandBar::IsVerticalPosition(int position)
{
    return position == utkBarLeft || position == utkBarRight || position == utkBarPopup;
}
void CUTKCommandBar::SetStyleBit22(BOOL bOn)
{
    if (bOn)
        m_dwStyle |= utkBarStyleGripper;
    else
        m_dwStyle &= ~static_cast<DWORD>(utkBarStyleGripper);
}
void CUTKCommandBar::SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
void CUTKCommandBar::UpdatePending() {}
void CUTKCommandBar::SetIconSize(CSize size) { m_szIcons = size; }
void CUTKCommandBar::SetButtonSize(CSize size) { m_szButtons = size; }
CSize CUTKCommandBar::GetLargeIconSize(BOOL) const { return CSize(32, 32); }
CSize CUTKCommandBar::GetDefaultIconSize(BOOL bLarge) const
{
    return bLarge ? CSize(32, 32) : CSize(16, 16);
}
BOOL CUTKCommandBar::IsTextBelowIcons() const { return m_nTextBelowIcons == 1; }
BOOL CUTKCommandBar::IsLayoutRTL() const { return FALSE; }
void CUTKCommandBar::EnableAnimation(BOOL) {}
BOOL CUTKCommandBar::IsAnimationEnabled() const { return FALSE; }
void CUTKCommandBar::SetCachedPaint(BOOL) {}
void CUTKCommandBar::HideKeyboardTips() {}
void CUTKCommandBar::FilterToolTipMessage(UINT, WPARAM, LPARAM) {}
void CUTKCommandBar::RedrawChain() {}
BOOL CUTKCommandBar::IsShown() const { return FALSE; }
void CUTKCommandBar::SetMessageText(LPCTSTR) {}
void CUTKCommandBar::LockRedraw() { ++m_nLockRedraw; }
void CUTKCommandBar::UnlockRedraw() { --m_nLockRedraw; }
void CUTKCommandBar::OnInitialUpdate() {}
void CUTKCommandBar::OnUpdateCmdUI() {}
LRESULT CUTKCommandBar::HelpHitTest(CPoint) const { return 0; }
void CUTKCommandBar::DrawDropIndicator(CDC*, CRect) const {}
CRect CUTKCommandBar::CalcDropMark(CRect, BOOL, BOOL, BOOL) { return CRect(0, 0, 0, 0); }

int CUTKCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CWnd::OnCreate(lpCreateStruct); }
void CUTKCommandBar::OnDestroy() { CWnd::OnDestroy(); }
void CUTKCommandBar::OnPaint() { CWnd::OnPaint(); }
LRESULT CUTKCommandBar::OnPrintClientMessage(WPARAM, LPARAM) { return 1; }
BOOL CUTKCommandBar::OnEraseBkgnd(CDC*) { return TRUE; }
LRESULT CUTKCommandBar::OnNcHitTest(CPoint point) { return CWnd::OnNcHitTest(point); }
void CUTKCommandBar::OnNcLButtonDown(UINT nHitTest, CPoint point) { CWnd::OnNcLButtonDown(nHitTest, point); }
LRESULT CUTKCommandBar::OnHelpHitTest(WPARAM, LPARAM) { return 0; }
LRESULT CUTKCommandBar::OnIdleUpdateCmdUI(WPARAM, LPARAM) { return 0; }
LRESULT CUTKCommandBar::OnInitialUpdateMessage(WPARAM, LPARAM) { return 0; }
LRESULT CUTKCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam) { return Default(); (void)wParam; (void)lParam; }
LRESULT CUTKCommandBar::OnShowKeyboardTips(WPARAM, LPARAM) { return 0; }
void CUTKCommandBar::UpdateDocTemplateControls() {}
BOOL CUTKCommandBar::ProcessGridKey(int) { return FALSE; }
BOOL CUTKCommandBar::IsContextHelpMode() const { return FALSE; }

void CUTKCommandBar::CCommandBarCmdUI::Enable(BOOL bOn) { m_bEnableChanged = TRUE; (void)bOn; }
void CUTKCommandBar::CCommandBarCmdUI::SetCheck(int) { m_bCheckedChanged = TRUE; }
void CUTKCommandBar::CCommandBarCmdUI::SetText(LPCTSTR) {}

BEGIN_MESSAGE_MAP(CUTKCommandBar, CWnd)
END_MESSAGE_MAP()
