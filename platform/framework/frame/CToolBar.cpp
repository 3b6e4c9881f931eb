// Toolbars over the system control: resource loading, button access, fixed layout and the
// update-UI pass.
#include "platform/framework/frame/CToolBar.h"

#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CToolCmdUI.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

// RT_TOOLBAR layout: WORD version (1), WORD width, WORD height, WORD count, WORD ids[count].
struct ToolBarResourceHeader {
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};

// The same data as the binutils resource compiler writes it for a TOOLBAR statement:
// DWORD width, DWORD height, DWORD count, DWORD ids[count] (no version).
struct WideToolBarResourceHeader {
    DWORD dwWidth;
    DWORD dwHeight;
    DWORD dwItemCount;
};

constexpr int kSeparatorWidth = 8;

BOOL ParseToolBarResource(const void* data, DWORD bytes, std::vector<UINT>& ids, CSize& sizeImage)
{
    if (data == nullptr) {
        return FALSE;
    }
    const auto* header = static_cast<const ToolBarResourceHeader*>(data);
    if (bytes >= sizeof(ToolBarResourceHeader) && header->wVersion == 1 &&
        bytes >= sizeof(ToolBarResourceHeader) + header->wItemCount * sizeof(WORD)) {
        const auto* items = reinterpret_cast<const WORD*>(header + 1);
        ids.assign(items, items + header->wItemCount);
        sizeImage = CSize(header->wWidth, header->wHeight);
        return TRUE;
    }
    const auto* wide = static_cast<const WideToolBarResourceHeader*>(data);
    if (bytes >= sizeof(WideToolBarResourceHeader) && wide->dwItemCount <= 0xFFFF &&
        bytes == sizeof(WideToolBarResourceHeader) + wide->dwItemCount * sizeof(DWORD) &&
        wide->dwWidth > 0 && wide->dwWidth <= 0xFFFF && wide->dwHeight <= 0xFFFF) {
        const auto* items = reinterpret_cast<const DWORD*>(wide + 1);
        ids.assign(items, items + wide->dwItemCount);
        sizeImage = CSize(static_cast<int>(wide->dwWidth), static_cast<int>(wide->dwHeight));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

CToolBar::CToolBar()
{
    m_cxLeftBorder = 4;
    m_cxRightBorder = 4;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 2;
}

CToolBar::~CToolBar()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        DestroyWindow();
    }
    if (m_hbmImageWell != nullptr) {
        ::DeleteObject(m_hbmImageWell);
    }
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder,
                                                  m_cxRightBorder, m_cyBottomBorder),
                    nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders,
                        UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    SetBorders(&rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;
    // The bar styles share bits with the control's styles, so they stay out of the window
    // style; the frame, not the control, decides where the bar goes.
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN |
                        CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (dwStyle & CBRS_TOOLTIPS) {
        windowStyle |= TBSTYLE_TOOLTIPS;  // the bar style asks for tips as well
    }
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEW, nullptr, windowStyle, CRect(0, 0, 100, 30),
                        pParentWnd, nID)) {
        return FALSE;
    }
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->DelayRecalcLayout();
    }
    return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    if (m_hWnd == nullptr || lpszResourceName == nullptr) {
        return FALSE;
    }
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceW(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRsrc == nullptr) {
        return FALSE;
    }
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const void* data = ::LockResource(hGlobal);
    const DWORD bytes = ::SizeofResource(hInst, hRsrc);
    std::vector<UINT> ids;
    CSize sizeImage;
    if (!ParseToolBarResource(data, bytes, ids, sizeImage)) {
        return FALSE;  // a truncated or unknown resource is refused, not read past its end
    }
    SetSizes(CSize(sizeImage.cx + 7, sizeImage.cy + 7), sizeImage);
    if (!SetButtons(ids.data(), static_cast<int>(ids.size()))) {
        return FALSE;
    }
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    // Grey shades of the bitmap become the user's button colours.
    auto hbm = static_cast<HBITMAP>(::LoadImageW(AfxGetResourceHandle(), lpszResourceName,
                                                 IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    if (hbm == nullptr) {
        return FALSE;
    }
    return SetBitmap(hbm);
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    BITMAP bm{};
    if (hbmImageWell == nullptr || ::GetObjectW(hbmImageWell, sizeof(bm), &bm) == 0) {
        return FALSE;
    }
    const int count = m_sizeImage.cx > 0 ? bm.bmWidth / m_sizeImage.cx : 0;
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(hbmImageWell)};
    if (SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&add)) ==
        -1) {
        ::DeleteObject(hbmImageWell);
        return FALSE;
    }
    if (m_hbmImageWell != nullptr && m_hbmImageWell != hbmImageWell) {
        ::DeleteObject(m_hbmImageWell);
    }
    m_hbmImageWell = hbmImageWell;
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd != nullptr) {
        SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
        SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
    }
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == nullptr || nIDCount < 0) {
        return FALSE;
    }
    while (SendMessage(TB_BUTTONCOUNT) > 0) {
        SendMessage(TB_DELETEBUTTON, 0);
    }
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& b = buttons[static_cast<size_t>(i)];
        b = TBBUTTON{};
        b.fsState = TBSTATE_ENABLED;
        const UINT id = lpIDArray != nullptr ? lpIDArray[i] : 0;
        if (id == 0) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = kSeparatorWidth;
        } else {
            b.fsStyle = BTNS_BUTTON;
            b.idCommand = static_cast<int>(id);
            b.iBitmap = image++;
        }
        b.iString = -1;
    }
    if (nIDCount > 0 && !SendMessage(TB_ADDBUTTONSW, static_cast<WPARAM>(nIDCount),
                                     reinterpret_cast<LPARAM>(buttons.data()))) {
        return FALSE;
    }
    if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->DelayRecalcLayout();
    }
    return TRUE;
}

INT_PTR CToolBar::GetCount() const
{
    return m_hWnd != nullptr ? static_cast<INT_PTR>(SendMessage(TB_BUTTONCOUNT)) : 0;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    const INT_PTR count = GetCount();
    for (int i = 0; i < count; ++i) {
        if (GetItemID(i) == nIDFind) {
            return i;
        }
    }
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex),
                     reinterpret_cast<LPARAM>(&button))) {
        return 0;
    }
    return (button.fsStyle & BTNS_SEP) ? 0 : static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex),
                     reinterpret_cast<LPARAM>(&button))) {
        return 0;
    }
    return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    info.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
    info.fsState = static_cast<BYTE>(HIWORD(nStyle));
    SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex),
                     reinterpret_cast<LPARAM>(&button))) {
        nID = 0;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = static_cast<UINT>(button.idCommand);
    nStyle = MAKELONG(button.fsStyle, button.fsState);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE | TBIF_STATE;
    info.idCommand = static_cast<int>(nID);
    info.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
    info.fsState = static_cast<BYTE>(HIWORD(nStyle));
    if (info.fsStyle & BTNS_SEP) {
        info.dwMask |= TBIF_SIZE;  // a separator's "image" is its width
        info.cx = static_cast<WORD>(iImage);
    } else {
        info.dwMask |= TBIF_IMAGE;
        info.iImage = iImage;
    }
    SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
    if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->DelayRecalcLayout();
    }
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    CString text = lpszText != nullptr ? lpszText : L"";
    info.pszText = text.GetBuffer();
    const BOOL ok = SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nIndex),
                                reinterpret_cast<LPARAM>(&info)) != 0;
    text.ReleaseBuffer();
    return ok;
}

CString CToolBar::GetButtonText(int nIndex) const
{
    wchar_t text[256] = {};
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = text;
    info.cchText = 256;
    SendMessage(TB_GETBUTTONINFOW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
    return text;
}

CToolTipCtrl* CToolBar::GetToolTips() const
{
    HWND hWndTip = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS));
    return reinterpret_cast<CToolTipCtrl*>(CWnd::FromHandle(hWndTip));
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    return *reinterpret_cast<CToolBarCtrl*>(const_cast<CToolBar*>(this));
}

DWORD CToolBar::SetExtendedStyle(DWORD dwExStyle)
{
    return static_cast<DWORD>(SendMessage(TB_SETEXTENDEDSTYLE, 0, dwExStyle));
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(0, 0);
    const INT_PTR count = GetCount();
    for (int i = 0; i < count; ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        size.cx = std::max<LONG>(size.cx, rect.right);
        size.cy = std::max<LONG>(size.cy, rect.bottom);
    }
    if (count == 0) {
        size = m_sizeButton;
        size.cx = 0;
    }
    size.cy = std::max<LONG>(size.cy, m_sizeButton.cy);
    size.cx += m_cxLeftBorder + m_cxRightBorder;
    size.cy += m_cyTopBorder + m_cyBottomBorder;
    if (bStretch) {
        if (bHorz) {
            size.cx = 32767;
        } else {
            size.cy = 32767;
        }
    }
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        const UINT style = GetButtonStyle(static_cast<int>(state.m_nIndex));
        if (LOWORD(style) & BTNS_SEP) {
            continue;
        }
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID != 0) {
            state.DoUpdate(pTarget, bDisableIfNoHndler);
        }
    }
    // Controls placed on the bar are updated like dialog controls.
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
