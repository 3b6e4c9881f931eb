// CUTKControls' saved state: the "Control" items (class, then the control's keys), and the
// snapshot before customisation in "OriginalControls". A stored item without a control class
// ends the load with the framework's bad-class archive exception.
#include "toolkit/controls/CUTKControls.h"

#include <memory>

#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/CUTKPropExchangeEnumerator.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKOriginalControls.h"

namespace {

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

void CUTKControls::DoPropExchange(CUTKPropExchange* px)
{
    if (!px) {
        return;
    }
    const auto* param = reinterpret_cast<const UTK_COMMANDBARS_PROPEXCHANGE_PARAM*>(px->m_dwData);
    if (px->IsStoring()) {
        DWORD count = 0;
        for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
            if (ShouldSerializeControl(m_controls[i])) {
                ++count;
            }
        }
        CUTKPropExchangeEnumerator enumerator(px, L"Control");
        POSITION pos = enumerator.GetPosition(count);
        for (INT_PTR i = 0; i < m_controls.GetSize() && pos; ++i) {
            CUTKControl* control = m_controls[i];
            if (!ShouldSerializeControl(control)) {
                continue;
            }
            SectionPtr section(enumerator.GetNext(pos));
            CObject* object = control;
            if (!section->ExchangeObjectInstance(object, RUNTIME_CLASS(CUTKControl))) {
                AfxThrowArchiveException(CArchiveException::badClass);
            }
            control->DoPropExchange(section.get());
        }
        BOOL original = param && param->bSaveOriginalControls && m_originalControls;
        (void)ExchangeBoolProp(px, L"OriginalControls", original, FALSE);
        if (original) {
            SectionPtr section(px->GetSection(L"OriginalControls"));
            m_originalControls->DoPropExchange(section.get());
        }
        BOOL customized = FALSE;
        (void)ExchangeBoolProp(px, L"CustomizedControls", customized, FALSE);
        return;
    }

    RemoveAll();
    CUTKPropExchangeEnumerator enumerator(px, L"Control");
    POSITION pos = enumerator.GetPosition(0);
    while (pos) {
        SectionPtr section(enumerator.GetNext(pos));
        CObject* object = nullptr;
        if (!section->ExchangeObjectInstance(object, RUNTIME_CLASS(CUTKControl)) || !object) {
            delete object;
            AfxThrowArchiveException(CArchiveException::badClass);
        }
        auto* control = static_cast<CUTKControl*>(object);
        // The collection is known while the keys are read, so the control finds its actions.
        control->m_controls = this;
        try {
            control->DoPropExchange(section.get());
        } catch (...) {
            control->m_controls = nullptr;
            control->InternalRelease();
            throw;
        }
        m_controls.Add(control);
    }
    RefreshIndexes();

    if (px->m_nSchema > 2) {
        BOOL original = FALSE;
        (void)ExchangeBoolProp(px, L"OriginalControls", original, FALSE);
        if (original) {
            auto* snapshot = new CUTKOriginalControls();
            snapshot->SetCommandBars(GetCommandBars());
            SetOriginalControls(snapshot);
            SectionPtr section(px->GetSection(L"OriginalControls"));
            snapshot->DoPropExchange(section.get());
        }
        BOOL customized = FALSE;
        (void)ExchangeBoolProp(px, L"CustomizedControls", customized, FALSE);
        if (customized) {
            auto* discarded = new CUTKControls();
            discarded->SetCommandBars(GetCommandBars());
            SectionPtr section(px->GetSection(L"CustomizedControls"));
            try {
                discarded->DoPropExchange(section.get());
            } catch (...) {
                discarded->InternalRelease();
                throw;
            }
            discarded->InternalRelease();
        }
    }
}
