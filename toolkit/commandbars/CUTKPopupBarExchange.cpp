// Saving and loading a popup bar's own values after those of the bar base: tear-off
// settings, the popup toolbar's borders, the shadow and the context-menu mark.
#include "toolkit/commandbars/CUTKPopupBar.h"

#include "toolkit/common/CUTKPropExchange.h"

void CUTKPopupBar::DoPropExchange(CUTKPropExchange* pPX)
{
    if (pPX == nullptr)
        return;
    CUTKCommandBar::DoPropExchange(pPX);
    const BOOL defTrue = TRUE, defFalse = FALSE;
    const int defZero = 0;
    const int schema = pPX->m_nSchema;
    int tearOffId = static_cast<int>(m_nTearOffID);
    (void)pPX->ExchangeValue(L"TearOffPopup", VT_BOOL, &m_bTearOffPopup, &defFalse);
    (void)pPX->ExchangeValue(L"TearOffCaption", VT_UTK_STRING, &m_strTearOffCaption, L"");
    (void)pPX->ExchangeValue(L"TearOffId", VT_I4, &tearOffId, &defZero);
    (void)pPX->ExchangeValue(L"TearOffWidth", VT_I4, &m_nTearOffWidth, &defZero);
    if (schema > 3) {
        (void)ExchangeRectProp(pPX, L"Borders", m_rcBorders, CRect(2, 4, 2, 4));
        (void)pPX->ExchangeValue(L"ShowShadow", VT_BOOL, &m_bShowShadow, &defTrue);
    }
    if (schema > 8)
        (void)pPX->ExchangeValue(L"DoubleGripper", VT_BOOL, &m_bDoubleGripper, &defFalse);
    if (pPX->IsLoading()) {
        m_nTearOffID = static_cast<UINT>(tearOffId);
        if (schema < 20)
            SetStyleBit22(TRUE);
    }
    if (schema > 18)
        (void)pPX->ExchangeValue(L"ContextMenu", VT_BOOL, &m_bContextMenu, &defFalse);
}
