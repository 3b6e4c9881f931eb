// CUTKControl's saved state: its keys in a fixed order, each gated by the exchange's schema,
// defaults left out where the storage allows. Stored id lists are bounded on loading, and a
// damaged custom icon in a keyed storage loses only the icon.
#include "toolkit/controls/CUTKControl.h"

#include <memory>

#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

// More document templates than any program has; a larger stored count is damage.
constexpr int kMaxStoredTemplates = 1024;

struct SectionRelease {
    void operator()(CUTKPropExchange* section) const
    {
        if (section) {
            section->InternalRelease();
        }
    }
};
using SectionPtr = std::unique_ptr<CUTKPropExchange, SectionRelease>;

}  // namespace

void CUTKControl::ExchangeTemplateMap(CUTKPropExchange* px, LPCWSTR name,
                                      CMap<UINT, UINT, BOOL, BOOL>& map)
{
    SectionPtr section(px->GetSection(name));
    if (!section) {
        return;
    }
    if (px->IsStoring()) {
        int count = static_cast<int>(map.GetCount());
        (void)ExchangeIntPropDefault(section.get(), L"Count", count, 0);
        int index = 0;
        UINT key = 0;
        BOOL value = FALSE;
        for (POSITION pos = map.GetStartPosition(); pos; ++index) {
            map.GetNextAssoc(pos, key, value);
            CString keyName;
            keyName.Format(L"Id%i", index);
            int id = static_cast<int>(key);
            (void)ExchangeIntProp(section.get(), keyName, id);
        }
        return;
    }
    map.RemoveAll();
    int count = 0;
    (void)ExchangeIntPropDefault(section.get(), L"Count", count, 0);
    if (count < 0 || count > kMaxStoredTemplates) {
        AfxThrowArchiveException(CArchiveException::badIndex);
    }
    for (int index = 0; index < count; ++index) {
        CString keyName;
        keyName.Format(L"Id%i", index);
        int id = 0;
        if (!ExchangeIntProp(section.get(), keyName, id)) {
            break;  // a missing item ends the list; what was read stays
        }
        map.SetAt(static_cast<UINT>(id), TRUE);
    }
}

void CUTKControl::DoPropExchange(CUTKPropExchange* px)
{
    if (!px) {
        return;
    }
    const int schema = px->m_nSchema;
    const BOOL loading = px->IsLoading();

    (void)ExchangeIntPropDefault(px, L"Type", m_controlType, utkControlButton);
    (void)ExchangeIntPropDefault(px, L"Id", m_id, -1);
    if (loading && !m_action) {
        // Bound before the texts are read, so the texts stored with the control stay its own.
        CUTKCommandBars* bars = GetCommandBars();
        if (CUTKControlAction* action = bars ? bars->FindAction(m_id) : nullptr) {
            SetAction(action);
        }
    }
    (void)ExchangeIntPropDefault(px, L"IconId", m_iconId, 0);
    (void)ExchangeBoolProp(px, L"BeginGroup", m_beginGroup, FALSE);
    int tag = static_cast<int>(m_tag);
    (void)ExchangeIntPropDefault(px, L"Tag", tag, 0);
    m_tag = static_cast<DWORD_PTR>(static_cast<UINT>(tag));
    int flags = static_cast<int>(m_flags);
    (void)ExchangeIntPropDefault(px, L"Flags", flags, 0);
    m_flags = static_cast<DWORD>(flags);
    int hideFlags = static_cast<int>(m_hideFlags);
    (void)ExchangeIntPropDefault(px, L"HideFlags", hideFlags, 0);
    m_hideFlags = static_cast<DWORD>(hideFlags);
    (void)ExchangeStringPropDefault(px, L"Caption", m_caption, L"");
    (void)ExchangeStringPropDefault(px, L"ShortcutText", m_shortcutText, L"");
    (void)ExchangeStringPropDefault(px, L"TooltipText", m_tooltipText, L"");
    (void)ExchangeStringPropDefault(px, L"DescriptionText", m_descriptionText, L"");
    (void)ExchangeStringPropDefault(px, L"Parameter", m_parameter, L"");
    (void)ExchangeIntPropDefault(px, L"CustomIconId", m_customIconId, 0);
    (void)ExchangeStringPropDefault(px, L"CustomCaption", m_customCaption, L"");
    if (schema > 1) {
        (void)ExchangeStringPropDefault(px, L"Category", m_category, L"");
    }
    if (m_customIconId > 0) {
        SectionPtr section(px->GetSection(L"CustomIcon"));
        CUTKImageManager* images = GetImageManager();
        if (section && images) {
            if (!loading || !px->CanOmitValues()) {
                images->ExchangeIconSet(static_cast<UINT>(m_customIconId), section.get());
            } else {
                // Keyed storage: a damaged icon section costs the icon, not the control.
                try {
                    images->ExchangeIconSet(static_cast<UINT>(m_customIconId), section.get());
                } catch (CException* e) {
                    e->Delete();
                    m_customIconId = 0;
                }
            }
        }
    }
    if (schema > 3) {
        if (loading || !px->CanOmitValues() || m_templatesExcluded.GetCount() > 0) {
            ExchangeTemplateMap(px, L"DocTemplatesExcluded", m_templatesExcluded);
        }
        if (loading || !px->CanOmitValues() || m_templatesAssigned.GetCount() > 0) {
            ExchangeTemplateMap(px, L"DocTemplatesAssigned", m_templatesAssigned);
        }
        (void)ExchangeBoolProp(px, L"DefaultItem", m_defaultItem, FALSE);
    }
    if (schema > 6) {
        (void)ExchangeBoolProp(px, L"CloseSubMenuOnClick", m_closeSubMenuOnClick, TRUE);
    }
    if (schema > 7) {
        (void)ExchangeIntPropDefault(px, L"CustomStyle", m_customStyle, -1);
        if (loading && schema < 18 && m_customStyle == 0) {
            m_customStyle = -1;
        }
    }
    if (schema > 16) {
        (void)ExchangeIntPropDefault(px, L"HelpId", m_helpId, 0);
    }
    if (schema > 17) {
        (void)ExchangeIntPropDefault(px, L"Style", m_style, 0);
    }
    if (schema > 18) {
        (void)ExchangeIntPropDefault(px, L"Width", m_width, 0);
        (void)ExchangeIntPropDefault(px, L"Height", m_height, 0);
        (void)ExchangeIntPropDefault(px, L"ExecuteOnPressInterval", m_executeOnPressInterval, 0);
    }
    if (schema > 22) {
        (void)ExchangeStringPropDefault(px, L"ShortcutTextAuto", m_shortcutTextAuto, L"");
    }
    if (schema > 23) {
        (void)ExchangeStringPropDefault(px, L"KeyboardTip", m_keyboardTip, L"");
    }
    if (schema > 25) {
        (void)ExchangeSizeProp(px, L"IconSize", m_iconSize, CSize(0, 0));
    }

    if (loading) {
        OnCaptionChanged();
    }
}
