// CUTKControls: the collection itself: ownership, the index/collection/parent invariant,
// insertion and removal, look-ups, keyboard order, comparison and the snapshot before
// customisation. The factory and the menu import are in CUTKControlsFactory.cpp.
#include "toolkit/controls/CUTKControls.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKOriginalControls.h"

IMPLEMENT_DYNCREATE(CUTKControls, CCmdTarget)

CUTKControls::CUTKControls()
{
    EnableAutomation();
}

CUTKControls::~CUTKControls()
{
    RemoveAll();
    // Vetoed controls stay through RemoveAll; the collection still owns their references.
    for (INT_PTR i = m_controls.GetSize() - 1; i >= 0; --i) {
        CUTKControl* control = m_controls[i];
        m_controls.RemoveAt(i);
        control->m_controls = nullptr;
        control->OnRemoved();
        control->SetParent(nullptr);
        control->InternalRelease();
    }
    SetOriginalControls(nullptr);
}

CUTKCommandBars* CUTKControls::GetCommandBars() const
{
    if (m_parent) {
        if (CUTKCommandBars* bars = m_parent->GetCommandBars()) {
            return bars;
        }
    }
    return m_commandBars;
}

void CUTKControls::SetParent(CUTKCommandBar* parent)
{
    m_parent = parent;
    if (GetCount() > 0) {
        RefreshIndexes();
    }
}

CUTKControl* CUTKControls::GetAt(int index) const
{
    if (index < 0 || index >= m_controls.GetSize()) {
        return nullptr;
    }
    return m_controls[index];
}

void CUTKControls::RefreshIndexes()
{
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        CUTKControl* control = m_controls[i];
        control->m_index = static_cast<int>(i);
        control->m_controls = this;
        control->SetParent(m_parent);
    }
    if (m_parent) {
        m_parent->OnControlsChanged();
    }
}

void CUTKControls::OnControlAdded(CUTKControl*)
{
    RefreshIndexes();
}

void CUTKControls::OnControlRemoved(CUTKControl* control)
{
    control->m_controls = nullptr;
    control->OnRemoved();
    control->SetParent(nullptr);
    RefreshIndexes();
}

BOOL CUTKControls::IsRemoveVetoed(CUTKControl*)
{
    return FALSE;
}

BOOL CUTKControls::ShouldSerializeControl(CUTKControl* control)
{
    return control && !control->m_temporary;
}

CUTKControl* CUTKControls::InsertAt(CUTKControl* control, int index)
{
    if (!control) {
        return nullptr;
    }
    if (index < 0 || index > m_controls.GetSize()) {
        index = static_cast<int>(m_controls.GetSize());
    }
    m_controls.InsertAt(index, control);
    OnControlAdded(control);
    return control;
}

CUTKControl* CUTKControls::AddClone(CUTKControl* control, int index, BOOL recursive)
{
    if (!control) {
        return nullptr;
    }
    CObject* object = control->GetRuntimeClass()->CreateObject();
    auto* clone = dynamic_cast<CUTKControl*>(object);
    if (!clone) {
        delete object;
        return nullptr;
    }
    InsertAt(clone, index);
    clone->Copy(control, recursive);
    return clone;
}

void CUTKControls::Remove(CUTKControl* control)
{
    if (!control || control->m_controls != this) {
        return;
    }
    if (m_parent && control->GetSelected() && m_parent->GetSelectedControl() == control) {
        m_parent->SetSelected(-1);
    }
    const int index = control->m_index;
    if (index < 0 || index >= m_controls.GetSize() || m_controls[index] != control) {
        return;
    }
    if (IsRemoveVetoed(control)) {
        return;
    }
    m_controls.RemoveAt(index);
    OnControlRemoved(control);
    control->SetParent(nullptr);
    control->InternalRelease();
}

void CUTKControls::RemoveAt(int index)
{
    if (CUTKControl* control = GetAt(index)) {
        Remove(control);
    }
}

void CUTKControls::RemoveAll()
{
    for (INT_PTR i = m_controls.GetSize() - 1; i >= 0; --i) {
        CUTKControl* control = m_controls[i];
        if (IsRemoveVetoed(control)) {
            continue;
        }
        m_controls.RemoveAt(i);
        OnControlRemoved(control);
        control->SetParent(nullptr);
        control->InternalRelease();
    }
}

CUTKControl* CUTKControls::FindControl(int type, int id, BOOL visibleOnly, BOOL recursive) const
{
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        CUTKControl* control = m_controls[i];
        if ((type == 0 || control->GetType() == type) && (id == -1 || control->GetID() == id) &&
            (!visibleOnly || control->IsVisible())) {
            return control;
        }
        if (recursive) {
            CUTKCommandBar* bar = control->GetCommandBar();
            if (bar && bar->GetControls() && bar->GetControls() != this) {
                if (CUTKControl* found =
                        bar->GetControls()->FindControl(type, id, visibleOnly, recursive)) {
                    return found;
                }
            }
        }
    }
    return nullptr;
}

CUTKControl* CUTKControls::HitTest(CPoint point) const
{
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        CUTKControl* control = m_controls[i];
        if (control->IsVisible() && control->GetRect().PtInRect(point)) {
            return control;
        }
    }
    return nullptr;
}

int CUTKControls::GetVisibleCount(BOOL strict) const
{
    const DWORD mask = strict ? 0u : static_cast<DWORD>(utkHideWrap);
    int count = 0;
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        if (m_controls[i]->IsVisible(mask)) {
            ++count;
        }
    }
    return count;
}

CUTKControl* CUTKControls::GetVisibleAt(int n, BOOL strict) const
{
    const DWORD mask = strict ? 0u : static_cast<DWORD>(utkHideWrap);
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        if (m_controls[i]->IsVisible(mask)) {
            if (n == 0) {
                return m_controls[i];
            }
            --n;
        }
    }
    return nullptr;
}

int CUTKControls::GetNext(int start, int step, BOOL keyboard, BOOL skipTemporary,
                          BOOL strict) const
{
    const int count = GetCount();
    if (count == 0) {
        return -1;
    }
    if (step == 0) {
        return start;
    }
    step = step > 0 ? 1 : -1;
    const DWORD mask = strict ? utkHideDynamic : (utkHideDynamic | utkHideExpand);
    const BOOL fromNowhere = start < 0 || start >= count;
    int candidate = (start == -1 && step < 0) ? count - 1 : start + step;
    int wraps = 0;
    // At most two passes over the controls plus the wraps: the loop always ends.
    for (int guard = 0; guard <= 2 * count + 2; ++guard) {
        if (candidate >= count || candidate < 0) {
            if (fromNowhere || ++wraps > 1) {
                return -1;
            }
            candidate = candidate >= count ? 0 : count - 1;
        }
        if (candidate == start) {
            return start;
        }
        const CUTKControl* control = m_controls[candidate];
        if (control->IsVisible(mask) && !(keyboard && (control->GetFlags() & utkFlagSkipFocus)) &&
            !(skipTemporary && control->IsTemporary())) {
            return candidate;
        }
        candidate += step;
    }
    return fromNowhere ? -1 : start;
}

BOOL CUTKControls::Compare(const CUTKControls* other) const
{
    if (!other) {
        return FALSE;
    }
    INT_PTR i = 0;
    INT_PTR j = 0;
    for (;;) {
        while (i < m_controls.GetSize() && m_controls[i]->IsTemporary()) {
            ++i;
        }
        while (j < other->m_controls.GetSize() && other->m_controls[j]->IsTemporary()) {
            ++j;
        }
        const BOOL endHere = i >= m_controls.GetSize();
        const BOOL endThere = j >= other->m_controls.GetSize();
        if (endHere || endThere) {
            return endHere && endThere;
        }
        if (!m_controls[i]->Compare(other->m_controls[j])) {
            return FALSE;
        }
        ++i;
        ++j;
    }
}

BOOL CUTKControls::IsChanged() const
{
    return !m_originalControls || !m_originalControls->Compare(this);
}

void CUTKControls::SetOriginalControls(CUTKControls* controls)
{
    if (controls == m_originalControls) {
        return;
    }
    if (m_originalControls) {
        m_originalControls->InternalRelease();
    }
    m_originalControls = controls;
}

CUTKControls* CUTKControls::CreateOriginalControls()
{
    auto* original = new CUTKOriginalControls();
    original->SetCommandBars(GetCommandBars());
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        if (!m_controls[i]->IsTemporary()) {
            original->AddClone(m_controls[i], -1, TRUE);
        }
    }
    SetOriginalControls(original);
    return original;
}

CUTKControls* CUTKControls::Duplicate(BOOL recursive)
{
    CObject* object = GetRuntimeClass()->CreateObject();
    auto* duplicate = dynamic_cast<CUTKControls*>(object);
    if (!duplicate) {
        delete object;
        return nullptr;
    }
    duplicate->SetCommandBars(GetCommandBars());
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        if (!m_controls[i]->IsTemporary()) {
            duplicate->AddClone(m_controls[i], -1, recursive);
        }
    }
    if (m_originalControls) {
        duplicate->SetOriginalControls(m_originalControls->Duplicate(recursive));
    }
    return duplicate;
}

void CUTKControls::Copy(CUTKControls* source, BOOL recursive)
{
    if (!source || source == this) {
        return;
    }
    RemoveAll();
    for (INT_PTR i = 0; i < source->m_controls.GetSize(); ++i) {
        if (!source->m_controls[i]->IsTemporary()) {
            AddClone(source->m_controls[i], -1, recursive);
        }
    }
    SetOriginalControls(source->m_originalControls
                            ? source->m_originalControls->Duplicate(recursive)
                            : nullptr);
}

void CUTKControls::GenerateCommandBarList(DWORD& nextId, CUTKCommandBarList* list,
                                          UTK_COMMANDBARS_PROPEXCHANGE_PARAM* param)
{
    // Bounded by the snapshot chain's length; a snapshot never refers back to its owner.
    int depth = 0;
    for (CUTKControls* controls = this; controls && depth < 64;
         controls = (param && param->bSaveOriginalControls) ? controls->m_originalControls
                                                           : nullptr,
                      ++depth) {
        for (INT_PTR i = 0; i < controls->m_controls.GetSize(); ++i) {
            CUTKControl* control = controls->m_controls[i];
            if (!control->IsTemporary()) {
                control->GenerateCommandBarList(nextId, list, param);
            }
        }
    }
}

void CUTKControls::RestoreCommandBarList(CUTKCommandBarList* list)
{
    int depth = 0;
    for (CUTKControls* controls = this; controls && depth < 64;
         controls = controls->m_originalControls, ++depth) {
        for (INT_PTR i = 0; i < controls->m_controls.GetSize(); ++i) {
            controls->m_controls[i]->RestoreCommandBarList(list);
        }
    }
}
