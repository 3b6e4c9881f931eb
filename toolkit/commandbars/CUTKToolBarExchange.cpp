// Saving and loading a toolbar's own values after those of the bar base, and merging a bar
// loaded from saved state into the running bar of the same id.
#include "toolkit/commandbars/CUTKToolBar.h"

#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/controls/CUTKControls.h"
#include "platform/framework/frame/CFrameWnd.h"

void CUTKToolBar::DoPropExchange(CUTKPropExchange* pPX)
{
    if (pPX == nullptr)
        return;
    CUTKCommandBar::DoPropExchange(pPX);
    const BOOL defTrue = TRUE, defFalse = FALSE;
    const int schema = pPX->m_nSchema;
    (void)pPX->ExchangeValue(L"BuiltIn", VT_BOOL, &m_bBuiltIn, &defTrue);
    (void)pPX->ExchangeValue(L"TearOff", VT_BOOL, &m_bTearOff, &defFalse);
    if (schema > 6)
        (void)pPX->ExchangeValue(L"Closeable", VT_BOOL, &m_bCloseable, &defTrue);
    if (schema > 7)
        (void)pPX->ExchangeValue(L"ContextMenuPresent", VT_BOOL, &m_bContextMenuPresent, &defTrue);
    if (schema > 16) {
        (void)pPX->ExchangeValue(L"CustomizeDialogPresent", VT_BOOL, &m_bCustomizeDialogPresent,
                                 &defTrue);
    }
    // Old data knew no closeable menu bar.
    if (pPX->IsLoading() && schema <= 16 && m_barType == utkBarTypeMenuBar)
        m_bCloseable = FALSE;
}

BOOL CUTKToolBar::MergeToolBar(CUTKCommandBar* pCommandBar, BOOL bSilent)
{
    auto* loaded = DYNAMIC_DOWNCAST(CUTKToolBar, pCommandBar);
    if (loaded == nullptr || loaded == this || m_pControls == nullptr ||
        loaded->m_pControls == nullptr) {
        return FALSE;
    }
    CUTKControls* mine = m_pControls->GetOriginalControls();
    CUTKControls* theirs = loaded->m_pControls->GetOriginalControls();
    BOOL keepOriginal = theirs == nullptr;
    if (mine != nullptr && theirs != nullptr && !mine->Compare(theirs)) {
        // The built-in buttons changed since the customisation was saved.
        if (bSilent || !loaded->m_pControls->IsChanged())
            return FALSE;
        CString format;
        CString question;
        if (!format.LoadString(kMergeQuestionId))
            format = L"%s";
        question.Format(format, static_cast<LPCWSTR>(m_strTitle));
        CWnd* owner = GetFrameSite();
        if (::MessageBoxW(owner != nullptr ? owner->GetSafeHwnd() : nullptr, question, m_strTitle,
                          MB_YESNO | MB_ICONQUESTION) == IDYES) {
            return FALSE;
        }
        keepOriginal = TRUE;
    }
    if (keepOriginal && mine != nullptr)
        mine->InternalAddRef();  // Copy replaces the snapshot; this one comes back after it
    Copy(loaded, FALSE);
    if (keepOriginal && mine != nullptr)
        m_pControls->SetOriginalControls(mine);
    return TRUE;
}
