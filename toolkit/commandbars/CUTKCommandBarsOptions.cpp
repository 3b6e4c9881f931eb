// CUTKCommandBarsOptions: the keyboard-cues mode and its effect on the owning command bars,
// and the exchange of the options with archives and the profile.
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"

#include "platform/framework/CArchive.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/themes/CUTKPaintManager.h"

CUTKCommandBarsOptions::CUTKCommandBarsOptions() : mapHiddenCommands(10), mapUsedCommands(10)
{
    mapHiddenCommands.InitHashTable(17, FALSE);
    mapUsedCommands.InitHashTable(17, FALSE);
}

void CUTKCommandBarsOptions::SetShowKeyboardCues(int mode)
{
    keyboardCuesShow = mode;
    if (pCommandBars == nullptr)
        return;
    BOOL visible = mode != 1;
    BOOL hiddenUntilAlt = FALSE;
    BOOL systemCues = TRUE;
    if (mode == 2 && ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &systemCues, 0) && !systemCues) {
        hiddenUntilAlt = TRUE;
        visible = FALSE;
    }
    pCommandBars->SetKeyboardCuesState(visible, hiddenUntilAlt);
}

void CUTKCommandBarsOptions::Serialize(CArchive& ar)
{
    CUTKPropExchangeArchive px(ar);
    DoPropExchange(&px, FALSE);
}

void CUTKCommandBarsOptions::ExchangeCommandSet(CUTKPropExchange* pPX, LPCWSTR name,
                                                CUTKCommandSet& set)
{
    if (pPX->StoresBinary()) {
        (void)ExchangeSerializedObject(pPX, name, &set);
        return;
    }
    CUTKPropExchange* section = pPX->GetSection(name);
    if (section == nullptr)
        return;
    // Items are read only while present: a damaged count reads no further than the data.
    section->UseDefaultOnLoad(FALSE);
    section->UseDefaultOnSave(FALSE);
    wchar_t itemName[32];
    if (section->IsStoring()) {
        int count = static_cast<int>(set.GetCount());
        (void)ExchangeIntProp(section, L"Count", count);
        int index = 0;
        for (POSITION pos = set.GetStartPosition(); pos != nullptr; ++index) {
            UINT id = 0;
            BOOL value = FALSE;
            set.GetNextAssoc(pos, id, value);
            int item = static_cast<int>(id);
            ::wsprintfW(itemName, L"Item%i", index);
            (void)ExchangeIntProp(section, itemName, item);
        }
    } else {
        set.RemoveAll();
        int count = 0;
        if (ExchangeIntProp(section, L"Count", count)) {
            for (int i = 0; i < count; ++i) {
                int item = 0;
                ::wsprintfW(itemName, L"Item%i", i);
                if (!ExchangeIntProp(section, itemName, item))
                    break;
                set.SetAt(static_cast<UINT>(item), TRUE);
            }
        }
    }
    section->InternalRelease();
}

void CUTKCommandBarsOptions::DoPropExchange(CUTKPropExchange* pPX, BOOL bUserOptionsOnly)
{
    // Every value is written, and a missing one leaves its field as it is.
    pPX->UseDefaultOnLoad(FALSE);
    pPX->UseDefaultOnSave(FALSE);

    int schema = kSchema;
    if (!ExchangeIntPropDefault(pPX, L"Schema", schema, kSchema))
        schema = kSchema;

    (void)ExchangeBoolProp(pPX, L"AlwaysShowFullMenus", bAlwaysShowFullMenus, TRUE);
    (void)ExchangeBoolProp(pPX, L"ShowFullAfterDelay", bShowFullAfterDelay, TRUE);
    (void)ExchangeBoolProp(pPX, L"ToolBarScreenTips", bToolBarScreenTips, TRUE);
    (void)ExchangeBoolProp(pPX, L"ToolBarAccelTips", bToolBarAccelTips, FALSE);
    (void)ExchangeBoolProp(pPX, L"LargeIcons", bLargeIcons, FALSE);

    if (schema > 7 && (pPX->IsLoading() || !pPX->CanOmitValues() || !mapUsedCommands.IsEmpty()))
        ExchangeCommandSet(pPX, L"UsedCommands", mapUsedCommands);
    if (schema > 7 || bUserOptionsOnly)
        (void)ExchangeIntPropDefault(pPX, L"Animation", animationType, 0);
    if (bUserOptionsOnly)
        return;

    (void)ExchangeBoolProp(pPX, L"SyncFloatingBars", bSyncFloatingBars, TRUE);
    (void)ExchangeBoolProp(pPX, L"ShowExpandButtonAlways", bShowExpandButtonAlways, TRUE);
    (void)ExchangeSizeProp(pPX, L"IconsSize", szIcons, CSize(0, 0));
    (void)ExchangeSizeProp(pPX, L"LargeIconsSize", szLargeIcons, CSize(0, 0));
    if (schema > 7 && (pPX->IsLoading() || !pPX->CanOmitValues() || !mapHiddenCommands.IsEmpty()))
        ExchangeCommandSet(pPX, L"HiddenCommands", mapHiddenCommands);

    CUTKPaintManager* paintManager = pCommandBars != nullptr
                                         ? pCommandBars->GetPaintManager()
                                         : CUTKPaintManager::GetGlobalPaintManager();
    UTK_ICONS_INFO scratch;
    UTK_ICONS_INFO* icons = paintManager != nullptr ? paintManager->GetIconDrawOptions() : &scratch;
    (void)ExchangeBoolProp(pPX, L"IconsWithShadow", icons->bIconsWithShadow, FALSE);
    (void)ExchangeBoolProp(pPX, L"UseDisabledIcons", icons->bUseDisabledIcons, TRUE);
    (void)ExchangeBoolProp(pPX, L"UseFadedIcons", icons->bUseFadedIcons, TRUE);

    if (schema > 7) {
        // Written a second time: archives of this schema carry both twice.
        (void)ExchangeBoolProp(pPX, L"SyncFloatingBars", bSyncFloatingBars, TRUE);
        (void)ExchangeBoolProp(pPX, L"ShowExpandButtonAlways", bShowExpandButtonAlways, TRUE);
        (void)ExchangeBoolProp(pPX, L"DblClickFloat", bDblClickFloat, FALSE);
        (void)ExchangeBoolProp(pPX, L"ShowTextBelowIcons", bShowTextBelowIcons, FALSE);
        (void)ExchangeBoolProp(pPX, L"AltDragCustomization", bAltDragCustomization, TRUE);
        (void)ExchangeBoolProp(pPX, L"AutoHideUnusedPopups", bAutoHideUnusedPopups, TRUE);
        (void)ExchangeSizeProp(pPX, L"PopupIconsSize", szPopupIcons, CSize(0, 0));
    }
    if (schema > 8) {
        (void)ExchangeIntPropDefault(pPX, L"KeyboardCuesUse", keyboardCuesUse, 1);
        int cues = keyboardCuesShow;
        (void)ExchangeIntPropDefault(pPX, L"KeyboardCuesShow", cues, 0);
        if (pPX->IsLoading())
            SetShowKeyboardCues(cues);
    }
}
