// The command bars' actions: kept only once enabled, looked up and created by command id.
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControlActions.h"

void CUTKCommandBars::EnableActions()
{
    if (!m_pActions) {
        m_pActions = new CUTKControlActions(this);
    }
}

CUTKControlAction* CUTKCommandBars::FindAction(int nID) const
{
    return m_pActions ? m_pActions->FindAction(nID) : nullptr;
}

CUTKControlAction* CUTKCommandBars::CreateAction(int nID)
{
    return m_pActions ? m_pActions->Add(nID) : nullptr;
}
