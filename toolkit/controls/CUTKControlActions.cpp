// CUTKControlActions: the id-sorted action array, its binary search and the filling of a new
// action from the string resource of its id.
#include "toolkit/controls/CUTKControlActions.h"

#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/controls/CUTKControlAction.h"

IMPLEMENT_DYNAMIC(CUTKControlActions, CCmdTarget)

CUTKControlActions::CUTKControlActions(CUTKCommandBars* commandBars) : m_commandBars(commandBars)
{
}

CUTKControlActions::~CUTKControlActions()
{
    RemoveAll();
}

CUTKControlAction* CUTKControlActions::FindAction(int id) const
{
    if (id < kMinId || id > kMaxId) {
        return nullptr;
    }
    INT_PTR low = 0;
    INT_PTR high = m_actions.GetSize() - 1;
    while (low <= high) {
        const INT_PTR middle = low + (high - low) / 2;
        CUTKControlAction* action = m_actions[middle];
        if (id > action->m_id) {
            low = middle + 1;
        } else if (id < action->m_id) {
            high = middle - 1;
        } else {
            return action;
        }
    }
    return nullptr;
}

CUTKControlAction* CUTKControlActions::Add(int id)
{
    if (id < kMinId || id > kMaxId) {
        return nullptr;
    }
    if (CUTKControlAction* existing = FindAction(id)) {
        return existing;
    }
    auto* action = new CUTKControlAction(this);
    action->m_id = id;

    BOOL notFound = FALSE;
    const CString text = GetResourceManager()->LoadString(static_cast<UINT>(id), &notFound);
    if (!notFound && !text.IsEmpty()) {
        CString part;
        if (text.Find(L'\n') >= 0) {
            AfxExtractSubString(action->m_tooltip, text, 1, L'\n');
            AfxExtractSubString(action->m_description, text, 0, L'\n');
        } else {
            action->m_tooltip = text;
            action->m_description = text;
        }
        // Unlike a control's own SetID, a missing third part leaves the caption empty.
        if (action->m_caption.IsEmpty() && AfxExtractSubString(part, text, 2, L'\n')) {
            action->m_caption = part;
        }
        if (action->m_keyboardTip.IsEmpty() && AfxExtractSubString(part, text, 3, L'\n')) {
            action->m_keyboardTip = part;
        }
    }
    Insert(action);
    return action;
}

void CUTKControlActions::Insert(CUTKControlAction* action)
{
    INT_PTR position = 0;
    // After every equal id, before the first greater one.
    while (position < m_actions.GetSize() && m_actions[position]->m_id <= action->m_id) {
        ++position;
    }
    m_actions.InsertAt(position, action);
}

void CUTKControlActions::RemoveAll()
{
    for (INT_PTR i = 0; i < m_actions.GetSize(); ++i) {
        CUTKControlAction* action = m_actions[i];
        action->DetachAll();
        action->InternalRelease();
    }
    m_actions.RemoveAll();
}

CUTKControlAction* CUTKControlActions::GetAt(int index) const
{
    if (index < 0 || index >= m_actions.GetSize()) {
        AfxThrowInvalidArgException();
    }
    return m_actions[index];
}
